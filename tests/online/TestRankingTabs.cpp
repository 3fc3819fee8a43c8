#include "GM_AchievementTitle.h"
#include "GM_Achievements.h"
#include "GM_ClientSocket.h"
#include "GM_Login.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_Progress.h"
#include "GM_Scores.h"
#include "GM_ServerList.h"
#include "GM_Stats.h"
#include "FenetreDeSalon.h"
#include "LobbyDeTest.h"
#include "NavigateurDeTest.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

#include <ctime>

namespace {

constexpr int Delai = 5000;

// A language of a few words, enough to see which texts follow a change.
class TraducteurDeTest : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* contexte, const char* source, const char* = nullptr, int = -1) const override
    {
        static const QHash<QString, QString> mots{{QStringLiteral("Supermatcheur"), QStringLiteral("Supermatcher")},
                                                  {QStringLiteral("%1 Niv. %2"), QStringLiteral("%1 Lvl. %2")},
                                                  {QStringLiteral("Nbr. Parties"), QStringLiteral("Games")},
                                                  {QStringLiteral("Position"), QStringLiteral("Rank")},
                                                  {QStringLiteral("Mot de passe requis"),
                                                   QStringLiteral("Password required")}};
        Q_UNUSED(contexte);
        return mots.value(QString::fromUtf8(source));
    }
};

// Installs the test language while it lives; the titles are built again
// in the language of the moment either way.
struct Langue {
    TraducteurDeTest traducteur;
    Langue()
    {
        QCoreApplication::installTranslator(&traducteur);
        clearAchievementTitles();
    }
    ~Langue()
    {
        QCoreApplication::removeTranslator(&traducteur);
        clearAchievementTitles();
    }
    Langue(const Langue&) = delete;
    Langue& operator=(const Langue&) = delete;
};

// The local time zone while it lives.
struct Fuseau {
    QByteArray avant = qgetenv("TZ");
    bool avaitAvant = qEnvironmentVariableIsSet("TZ");
    explicit Fuseau(const char* zone)
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~Fuseau()
    {
        if (avaitAvant)
            qputenv("TZ", avant);
        else
            qunsetenv("TZ");
        tzset();
    }
    Fuseau(const Fuseau&) = delete;
    Fuseau& operator=(const Fuseau&) = delete;
};

// Alice's lobby client and the three tabs, wired as the lobby window does.
struct Onglets {
    LobbyDeTest lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};
    GM_Scores classement;
    GM_Stats stats;
    GM_Achievements titres;

    explicit Onglets(int famille = 0)
    {
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        lobby.demarre(true);
        classement.init(&client, famille);
        stats.init(&client, famille);
        titres.init(&client);
    }
    bool connecte()
    {
        QSignalSpy pret(&client, &GM_ClientSocket::signalReady);
        client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                               QString::fromLatin1(LobbyDeTest::PasseAlice), true, true);
        return pret.wait(Delai);
    }
    // The ranking request as the lobby window makes it.
    bool demandeClassement()
    {
        QSignalSpy recu(&client, &GM_ClientSocket::signalScoresReceived);
        {
            QMutexLocker verrou(client.getOutQueueMutex());
            client.sendRefreshRequest(classement.gameFamily() == 0 ? "R7t" : "R6t");
        }
        return recu.wait(Delai);
    }
    QStringList mots() const
    {
        QStringList m;
        for (const auto& r : lobby.serveur.recus())
            if (r.mot != "Lgn" && r.mot != "Kal")
                m << QString::fromLatin1(r.mot);
        return m;
    }
    QStringList boites() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.titre_ + QLatin1Char(':') + a.requete.texte_;
        return t;
    }
};

QStringList lignes(const QTreeWidget* arbre)
{
    QStringList l;
    for (int i = 0; i < arbre->topLevelItemCount(); ++i) {
        QStringList cellules;
        for (int c = 0; c < arbre->columnCount(); ++c)
            cellules << arbre->topLevelItem(i)->text(c);
        l << cellules.join(QLatin1Char('|'));
    }
    return l;
}

QStringList lignes(const QTableWidget* table)
{
    QStringList l;
    for (int i = 0; i < table->rowCount(); ++i) {
        QStringList cellules;
        for (int c = 0; c < table->columnCount(); ++c)
            cellules << (table->item(i, c) != nullptr ? table->item(i, c)->text() : QStringLiteral("-"));
        l << cellules.join(QLatin1Char('|'));
    }
    return l;
}

QString valeurs(int n, const QString& v)
{
    return QStringList(n, v).join(QLatin1Char(','));
}

} // namespace

class TestRankingTabs : public QObject
{
    Q_OBJECT

private slots:
    // The ranking: the family's word, rows as the lobby sends them, and a
    // second answer that replaces the first.
    void classement_data()
    {
        QTest::addColumn<int>("famille");
        QTest::addColumn<QStringList>("entrees");
        QTest::addColumn<QStringList>("rangees");
        QTest::addColumn<QString>("mot");
        QTest::newRow("Jass, in the order received")
            << 0 << QStringList{"2,Ben,10,5,900", "1,Anna,12,9,1500"}
            << QStringList{"2|Ben|10|5|900", "1|Anna|12|9|1500"} << "R7t";
        QTest::newRow("Belote") << 1 << QStringList{"1,Fred,3,2,410"} << QStringList{"1|Fred|3|2|410"} << "R6t";
        QTest::newRow("empty pseudo") << 0 << QStringList{"1,,4,1,80"} << QStringList{"1||4|1|80"} << "R7t";
        QTest::newRow("fewer parts") << 0 << QStringList{"7,Zoé", ""} << QStringList{"7|Zoé|||", "||||"} << "R7t";
        QTest::newRow("extra parts hidden") << 0 << QStringList{"1,A,2,3,4,5,6"} << QStringList{"1|A|2|3|4"} << "R7t";
        QTest::newRow("pseudo with markup") << 0 << QStringList{"1,<b>x</b>,1,1,1"}
                                            << QStringList{"1|<b>x</b>|1|1|1"} << "R7t";
        QTest::newRow("empty ranking") << 1 << QStringList{} << QStringList{} << "R6t";
    }
    void classement()
    {
        QFETCH(int, famille);
        QFETCH(QStringList, entrees);
        QFETCH(QStringList, rangees);
        QFETCH(QString, mot);
        Onglets o(famille);
        o.lobby.serveur.setClassement(famille, entrees);
        o.lobby.serveur.setClassement(1 - famille, {QStringLiteral("1,Autre,1,1,1")});
        QVERIFY(o.connecte());
        QVERIFY(o.demandeClassement());
        QCOMPARE(o.mots(), QStringList{mot});
        QCOMPARE(lignes(o.classement.scoresTree()), rangees);
        QCOMPARE(o.classement.isListEmpty(), rangees.isEmpty());
        QCOMPARE(o.classement.scoresTree()->columnCount(), int(GM_Scores::ColumnCount));
        o.lobby.serveur.setClassement(famille, {QStringLiteral("1,Seul,1,1,1")});
        QVERIFY(o.demandeClassement());
        QCOMPARE(lignes(o.classement.scoresTree()), QStringList{"1|Seul|1|1|1"});
        o.lobby.serveur.coupe(o.lobby.alice);
        QTRY_VERIFY_WITH_TIMEOUT(o.classement.isListEmpty(), Delai);
    }

    // The full ranking page of the family, and the hidden query box: one
    // "A3E" with its text while a session is open, nothing otherwise.
    void pageEtRequete_data()
    {
        QTest::addColumn<int>("famille");
        QTest::addColumn<QString>("page");
        QTest::newRow("Jass") << 0 << "https://www.zubrik.invalid/statsgame/stats.shtml";
        QTest::newRow("Belote") << 1 << "https://www.zubrik.invalid/statsgame/stats_belote.shtml";
    }
    void pageEtRequete()
    {
        QFETCH(int, famille);
        QFETCH(QString, page);
        NavigateurDeTest navigateur;
        Onglets o(famille);
        o.classement.onlineScoresButton()->click();
        QCOMPARE(navigateur.ouverts, QList<QUrl>{QUrl(page)});
        QVERIFY(o.classement.sqlBox()->isHidden());
        o.classement.sqlEdit()->setText(QStringLiteral("select 1"));
        o.classement.sqlButton()->click(); // no session: dropped
        QVERIFY(o.connecte());
        o.classement.sqlButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(o.lobby.serveur.recusDe("A3E").size(), 1, Delai);
        QCOMPARE(o.lobby.serveur.recusDe("A3E").first().champs, QStringList{"select 1"});
        QCOMPARE(o.classement.sqlEdit()->text(), QStringLiteral("select 1"));
        GM_Scores seul;
        seul.init(nullptr, famille);
        seul.sqlButton()->click(); // no client at all: nothing
    }

    // The statistics table from the five lists of an answer.
    void statistiques_data()
    {
        QTest::addColumn<QStringList>("champs");
        QTest::addColumn<int>("nombre");
        QTest::addColumn<QString>("premiere");
        QTest::addColumn<QString>("derniere");
        const QString rien = QStringLiteral(" ");
        QTest::newRow("total alone") << QStringList{"12", rien, rien, rien, rien} << 1 << "Nbr. Parties|12|-"
                                     << "Nbr. Parties|12|-";
        QTest::newRow("average and maximum") << QStringList{"12", "3", "7", "2.5", "9"} << 1
                                             << "Nbr. Parties|12 (3, 7)|(2.5, 9)" << "Nbr. Parties|12 (3, 7)|(2.5, 9)";
        QTest::newRow("only a maximum") << QStringList{"12", rien, "7", rien, "9"} << 1
                                        << "Nbr. Parties|12 ( , 7)|( , 9)" << "Nbr. Parties|12 ( , 7)|( , 9)";
        QTest::newRow("15 counters") << QStringList{valeurs(15, "1"), valeurs(15, rien), valeurs(15, rien),
                                                    valeurs(15, rien), valeurs(15, rien)}
                                     << 15 << "Nbr. Parties|1|-" << "Nbr. Carré 10|1|-";
        QTest::newRow("more counters than names")
            << QStringList{valeurs(100000, "4"), valeurs(100000, rien), valeurs(100000, rien), valeurs(100000, rien),
                           valeurs(100000, rien)}
            << 21 << "Nbr. Parties|4|-" << "Nbr. Carré Huit|4|-";
        QTest::newRow("one field only") << QStringList{"5,6"} << 2 << "Nbr. Parties|5|-" << "Ratio Points|6|-";
        QTest::newRow("short lists") << QStringList{"5,6", "1", "2", "3"} << 2 << "Nbr. Parties|5 (1, 2)|(3,  )"
                                     << "Ratio Points|6|-";
        QTest::newRow("no field") << QStringList{} << 0 << QString() << QString();
    }
    void statistiques()
    {
        QFETCH(QStringList, champs);
        QFETCH(int, nombre);
        QFETCH(QString, premiere);
        QFETCH(QString, derniere);
        GM_Stats onglet;
        onglet.OnStatsReceived(&champs);
        const QStringList l = lignes(onglet.statsTable());
        QCOMPARE(l.size(), nombre);
        QCOMPARE(l.value(0), premiere);
        QCOMPARE(l.value(nombre - 1), derniere);
    }

    // Through the lobby: the family's word, the refresh button that empties
    // the table and rests, an answer that writes over the rows, and a
    // disconnection that empties them.
    void statistiquesDuLobby_data()
    {
        QTest::addColumn<int>("famille");
        QTest::addColumn<QString>("mot");
        QTest::newRow("Jass") << 0 << "H2q";
        QTest::newRow("Belote") << 1 << "H3q";
    }
    void statistiquesDuLobby()
    {
        QFETCH(int, famille);
        QFETCH(QString, mot);
        Onglets o(famille);
        o.lobby.serveur.setStatistiques(o.lobby.alice, famille, {"12,4", "3, ", "7, ", "2.5,1", "9,2"});
        o.stats.requestStats(); // no session: dropped
        QVERIFY(o.connecte());
        QSignalSpy recu(&o.client, &GM_ClientSocket::signalStatsReceived);
        o.stats.requestStats();
        QVERIFY(recu.wait(Delai));
        QCOMPARE(o.mots(), QStringList{mot});
        QCOMPARE(lignes(o.stats.statsTable()),
                 (QStringList{"Nbr. Parties|12 (3, 7)|(2.5, 9)", "Ratio Points|4|(1, 2)"}));
        QVERIFY(o.stats.refreshButton()->isEnabled());

        // The lobby now has no global values: the old ones go.
        o.lobby.serveur.setStatistiques(o.lobby.alice, famille, {"13", "3", "7", " ", " "});
        o.stats.refreshButton()->click();
        QVERIFY(!o.stats.refreshButton()->isEnabled());
        QCOMPARE(o.stats.statsTable()->rowCount(), 0);
        QVERIFY(o.stats.refreshTimer()->isActive());
        QCOMPARE(o.stats.refreshTimer()->interval(), GM_Stats::RefreshPauseMs);
        o.stats.refreshButton()->click(); // off: nothing happens
        QVERIFY(recu.wait(Delai));
        QCOMPARE(lignes(o.stats.statsTable()), QStringList{"Nbr. Parties|13 (3, 7)|-"});
        // A later answer without global values removes the earlier ones.
        const QStringList avecGlobal{"14", "3", "7", "1", "1"};
        const QStringList sansGlobal{"14", "3", "7", " ", " "};
        o.stats.OnStatsReceived(&avecGlobal);
        o.stats.OnStatsReceived(&sansGlobal);
        QCOMPARE(lignes(o.stats.statsTable()), QStringList{"Nbr. Parties|14 (3, 7)|"});
        QCOMPARE(o.mots(), (QStringList{mot, mot}));
        o.stats.refreshTimer()->stop();
        o.stats.OnEnableRefresh();
        QVERIFY(o.stats.refreshButton()->isEnabled());
        o.lobby.serveur.coupe(o.lobby.alice);
        QTRY_COMPARE_WITH_TIMEOUT(o.stats.statsTable()->rowCount(), 0, Delai);
    }

    // Titles from the lobby's entries: what is left out, the local date,
    // newest first.
    void titres_data()
    {
        QTest::addColumn<QStringList>("entrees");
        QTest::addColumn<QStringList>("rangees");
        QTest::newRow("newest first, local time")
            << QStringList{"5000000,2026-01-10 08:00:00", "5400006,2026-07-01 12:15:30"}
            << QStringList{"Supermatcheur Niv. 7|220|2026-07-01 14:15:30|240",
                           "Initié au Match|1|2026-01-10 09:00:00|5"};
        QTest::newRow("no next level") << QStringList{"5900000,2026-01-10 08:00:00"}
                                       << QStringList{"Divinité des Matches|50000|2026-01-10 09:00:00|"};
        QTest::newRow("hour skipped in local time")
            << QStringList{"7000000,2026-03-29 02:30:00"} << QStringList{"Promeneur du Stöck|1|2026-03-29 04:30:00|5"};
        QTest::newRow("left out: one part, three parts, -1, not numbers")
            << QStringList{"5000000", "5000000,2026-01-10 08:00:00,x", "-1,2026-01-10 08:00:00",
                           "abc,2026-01-10 08:00:00", "99999999999,2026-01-10 08:00:00", ",", ""}
            << QStringList{};
        QTest::newRow("other date forms leave the date empty")
            << QStringList{"5000000,2026/01/10 08:00:00", "5000000,2026-01-10T08:00:00", "5000000,2026-13-10 08:00:00"}
            << QStringList(3, QStringLiteral("Initié au Match|1||5"));
        QTest::newRow("largest number: the last title")
            << QStringList{"2147483647,2026-01-10 08:00:00"}
            << QStringList{"Divinité des tournois de Belote Vache|50000|2026-01-10 09:00:00|"};
        QTest::newRow("below every title: the first")
            << QStringList{"-2,2026-01-10 08:00:00"}
            << QStringList{"Découvreur du Jass Romand|1|2026-01-10 09:00:00|5"};
    }
    void titres()
    {
        QFETCH(QStringList, entrees);
        QFETCH(QStringList, rangees);
        Fuseau zurich("Europe/Zurich");
        GM_Achievements onglet;
        onglet.init(nullptr);
        onglet.OnAchievementsReceived(&entrees);
        QCOMPARE(lignes(onglet.achievementsTable()), rangees);
    }

    // "Atteint" and "Prochain" sort by value; the user's choice of column
    // holds for the next answer.
    void triDesTitres()
    {
        GM_Achievements onglet;
        onglet.init(nullptr);
        const QStringList entrees{"5000000,2026-01-01 00:00:00", "5400006,2026-01-02 00:00:00",
                                  "5900000,2026-01-03 00:00:00", "5300000,2026-01-04 00:00:00"};
        onglet.OnAchievementsReceived(&entrees);
        auto colonne = [&](int c) {
            QStringList l;
            for (int i = 0; i < onglet.achievementsTable()->rowCount(); ++i)
                l << onglet.achievementsTable()->item(i, c)->text();
            return l;
        };
        QCOMPARE(colonne(GM_Achievements::ColReached), (QStringList{"50", "50000", "220", "1"}));
        onglet.achievementsTable()->sortByColumn(GM_Achievements::ColReached, Qt::AscendingOrder);
        QCOMPARE(colonne(GM_Achievements::ColReached), (QStringList{"1", "50", "220", "50000"}));
        onglet.achievementsTable()->sortByColumn(GM_Achievements::ColNext, Qt::DescendingOrder);
        QCOMPARE(colonne(GM_Achievements::ColNext), (QStringList{"240", "75", "5", ""}));
        onglet.OnAchievementsReceived(&entrees);
        QCOMPARE(colonne(GM_Achievements::ColNext), (QStringList{"240", "75", "5", ""}));
    }

    // Through the lobby: "Awq", the refresh button, a new title announced
    // in a box, and the titles of a new language in both.
    void titresDuLobby()
    {
        Onglets o;
        const QDateTime quand(QDate(2026, 11, 2), QTime(19, 30), QTimeZone::utc());
        o.lobby.serveur.ajouteTitre(o.lobby.alice, 5000000, quand);
        o.lobby.serveur.ajouteTitre(o.lobby.alice, 5400006, quand.addDays(1));
        QVERIFY(o.connecte());
        QSignalSpy recu(&o.client, &GM_ClientSocket::signalAchievementsReceived);
        o.titres.refreshButton()->click();
        QVERIFY(!o.titres.refreshButton()->isEnabled());
        QCOMPARE(o.titres.refreshTimer()->interval(), GM_Achievements::RefreshPauseMs);
        QVERIFY(recu.wait(Delai));
        QCOMPARE(o.titres.achievementsTable()->item(0, GM_Achievements::ColTitle)->text(),
                 QStringLiteral("Supermatcheur Niv. 7"));
        QCOMPARE(o.titres.achievementsTable()->rowCount(), 2);

        Langue anglais;
        o.titres.retranslate();
        QCOMPARE(o.titres.achievementsTable()->rowCount(), 0);
        // Announcements that name no achievement get no box.
        QVERIFY(o.lobby.serveur.envoie(o.lobby.alice, "Acv", {"-1", "99999999999", "x"}));
        o.lobby.serveur.ajouteTitre(o.lobby.alice, 5400025, quand.addDays(2));
        QTRY_COMPARE_WITH_TIMEOUT(o.boites(),
                                  QStringList{"Nouveau titre:Félicitations! Vous avez obtenu le titre "
                                              "<b>Supermatcher Lvl. 20</b>."},
                                  Delai);
        o.titres.requestAchievements();
        QVERIFY(recu.wait(Delai));
        QCOMPARE(o.titres.achievementsTable()->item(0, GM_Achievements::ColTitle)->text(),
                 QStringLiteral("Supermatcher Lvl. 20"));
        QCOMPARE(o.titres.achievementsTable()->rowCount(), 3);
        QVERIFY(!o.titres.refreshButton()->isEnabled()); // a request alone leaves the button as it is
        o.lobby.serveur.coupe(o.lobby.alice);
        QTRY_COMPARE_WITH_TIMEOUT(o.titres.achievementsTable()->rowCount(), 0, Delai);
    }

    // The lobby window: each tab asks when it becomes current (the ranking
    // only while empty), and a language change empties and asks again; the
    // server password dialog it shares changes language with it.
    void ongletsDemandentQuandIlsParaissent()
    {
        FenetreDeSalon::Reglages avecPasse;
        avecPasse.passeServeur = true;
        FenetreDeSalon salon(avecPasse);
        LobbyDeTest& lobby = salon.lobby;
        GM_ServerList& fenetre = salon.fenetre;
        lobby.serveur.setClassement(0, {QStringLiteral("1,Anna,12,9,1500")});
        lobby.serveur.setStatistiques(lobby.alice, 0, {"12", "3", "7", "2", "9"});
        lobby.serveur.ajouteTitre(lobby.alice, 5400006, QDateTime::currentDateTimeUtc());
        QVERIFY(salon.connecte());
        auto demandes = [&](const char* mot) { return lobby.serveur.recusDe(mot).size(); };

        fenetre.tabs()->setCurrentIndex(GM_ServerList::Classement);
        QTRY_COMPARE_WITH_TIMEOUT(fenetre.rankingTab()->scoresTree()->topLevelItemCount(), 1, Delai);
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Statistiques);
        QTRY_COMPARE_WITH_TIMEOUT(fenetre.statsTab()->statsTable()->rowCount(), 1, Delai);
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Titres);
        QTRY_COMPARE_WITH_TIMEOUT(fenetre.titlesTab()->achievementsTable()->rowCount(), 1, Delai);
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Classement);
        QTest::qWait(300);
        QCOMPARE(demandes("R7t"), 1);

        QCOMPARE(demandes("H2q"), 1);
        QCOMPARE(demandes("Awq"), 1);

        Langue anglais;
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Classement);
        fenetre.retranslate(2);
        QTRY_COMPARE_WITH_TIMEOUT(demandes("R7t"), 2, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(fenetre.rankingTab()->scoresTree()->topLevelItemCount(), 1, Delai);
        QCOMPARE(fenetre.rankingTab()->scoresTree()->headerItem()->text(GM_Scores::ColPosition),
                 QStringLiteral("Rank"));
        QCOMPARE(salon.passe.windowTitle(), QStringLiteral("Password required"));
        QCOMPARE(fenetre.titlesTab()->achievementsTable()->rowCount(), 0);
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Titres);
        QTRY_COMPARE_WITH_TIMEOUT(fenetre.titlesTab()->achievementsTable()->rowCount(), 1, Delai);
        QCOMPARE(fenetre.titlesTab()->achievementsTable()->item(0, 0)->text(), QStringLiteral("Supermatcher Lvl. 7"));
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Statistiques);
        QTRY_COMPARE_WITH_TIMEOUT(fenetre.statsTab()->statsTable()->item(0, 0)->text(), QStringLiteral("Games"), Delai);
    }

    // Answers made of random pieces never break a tab: rows stay within
    // what the answer and the tab allow.
    void reponsesAuHasard()
    {
        QRandomGenerator hasard(27);
        const QStringList morceaux{"", " ", ",", ",,", "-1", "0", "5400006", "2147483648", "-2147483648", "abc",
                                   "2026-01-10 08:00:00", "2026-02-30 25:61:61", "\n", "é", "%1", "<b>"};
        auto liste = [&] {
            QStringList l;
            const int n = int(hasard.bounded(8));
            for (int i = 0; i < n; ++i) {
                QString entree;
                const int m = int(hasard.bounded(6));
                for (int j = 0; j < m; ++j)
                    entree += morceaux.at(int(hasard.bounded(int(morceaux.size()))));
                l << entree;
            }
            return l;
        };
        GM_Scores classement;
        GM_Stats stats;
        GM_Achievements titres;
        titres.init(nullptr);
        for (int essai = 0; essai < 500; ++essai) {
            const QStringList l = liste();
            classement.OnScoresReceived(&l);
            stats.OnStatsReceived(&l);
            titres.OnAchievementsReceived(&l);
            QCOMPARE(classement.scoresTree()->topLevelItemCount(), int(l.size()));
            QVERIFY(stats.statsTable()->rowCount() <= GM_Stats::RowCount);
            QVERIFY(titres.achievementsTable()->rowCount() <= l.size());
        }
    }

    // The three tabs as the user sees them, filled with the demo lobby's
    // answers (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        Onglets o;
        o.lobby.serveur.ajouteDemoClassements();
        QVERIFY(o.connecte());
        QVERIFY(o.demandeClassement());
        QSignalSpy stats(&o.client, &GM_ClientSocket::signalStatsReceived);
        o.stats.requestStats();
        QVERIFY(stats.wait(Delai));
        QSignalSpy titres(&o.client, &GM_ClientSocket::signalAchievementsReceived);
        o.titres.requestAchievements();
        QVERIFY(titres.wait(Delai));
        QCOMPARE(o.classement.scoresTree()->topLevelItemCount(), 5);
        QCOMPARE(o.stats.statsTable()->rowCount(), GM_Stats::RowCount);
        QCOMPARE(o.titres.achievementsTable()->rowCount(), 7);
        const QList<QPair<QWidget*, const char*>> onglets{
            {&o.classement, "ranking.png"}, {&o.stats, "statistics.png"}, {&o.titres, "titles.png"}};
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        for (const auto& [onglet, nom] : onglets) {
            onglet->resize(500, 460);
            onglet->show();
            QVERIFY(QTest::qWaitForWindowExposed(onglet));
            const QImage image = onglet->grab().toImage();
            QVERIFY(!image.isNull());
            if (!dossier.isEmpty())
                QVERIFY(image.save(QDir(dossier).filePath(QString::fromLatin1(nom))));
        }
    }

    // The same tabs inside the lobby window, at its usual size (kept with
    // ZB_KEEP_TEST_PICTURES=<folder>).
    void imagesDansLaFenetre()
    {
        FenetreDeSalon salon;
        GM_ServerList& fenetre = salon.fenetre;
        salon.lobby.serveur.ajouteDemoClassements();
        QVERIFY(salon.connecte());
        fenetre.resize(360, 480);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        const QList<QPair<int, const char*>> onglets{{GM_ServerList::Classement, "lobby_ranking.png"},
                                                     {GM_ServerList::Statistiques, "lobby_statistics.png"},
                                                     {GM_ServerList::Titres, "lobby_titles.png"}};
        for (const auto& [onglet, nom] : onglets) {
            fenetre.tabs()->setCurrentIndex(onglet);
            QTRY_VERIFY_WITH_TIMEOUT(!fenetre.rankingTab()->isListEmpty()
                                         && (onglet != GM_ServerList::Statistiques
                                             || fenetre.statsTab()->statsTable()->rowCount() > 0)
                                         && (onglet != GM_ServerList::Titres
                                             || fenetre.titlesTab()->achievementsTable()->rowCount() > 0),
                                     Delai);
            QCoreApplication::sendPostedEvents();
            const QImage image = fenetre.grab().toImage();
            QVERIFY(!image.isNull());
            if (!dossier.isEmpty())
                QVERIFY(image.save(QDir(dossier).filePath(QString::fromLatin1(nom))));
        }
    }
};

ZB_REGISTER_TEST(TestRankingTabs)
#include "TestRankingTabs.moc"
