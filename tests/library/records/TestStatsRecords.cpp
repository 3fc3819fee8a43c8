#include "Annonce.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "GM_Exception.h"
#include "GM_GameStats.h"
#include "GM_GameStatsPlayer.h"
#include "ZbTestRegistry.h"

#include <QMetaType>
#include <QTest>
#include <QVariant>

#include <limits>

namespace {

// The text of a player record whose counters are all 0 but counter 0 (1)
// and those given, followed by the four trailing fields.
QString texteJoueur(const QMap<int, int>& compteurs, const QString& fin)
{
    QString texte = QStringLiteral("{");
    for (int i = 0; i < GM_GameStatsPlayer::NOMBRE_COMPTEURS; ++i)
        texte += QString::number(compteurs.value(i, i == 0 ? 1 : 0)) + QLatin1Char('!');
    return texte + fin + QLatin1Char('}');
}

const QString kJoueurNeuf = texteJoueur({}, QStringLiteral("-1!0!0!0!"));

AnnoncesJoueur annonces(const Annonce& a, const Annonce& b, const Annonce& c)
{
    AnnoncesJoueur r;
    r.annonces_ = {a, b, c};
    return r;
}

Annonce carre(int valeur)
{
    return Annonce(Annonce::Carre, Annonce::COULEUR_CARRE, valeur, 100);
}

} // namespace

class TestStatsRecords : public QObject
{
    Q_OBJECT

private slots:
    void freshPlayerText()
    {
        const GM_GameStatsPlayer joueur;
        QString attendu = QStringLiteral("{1!");
        for (int i = 1; i < 31; ++i)
            attendu += QStringLiteral("0!");
        attendu += QStringLiteral("-1!0!0!0!}");
        QCOMPARE(joueur.sauveValeursDansString(), attendu);
        QCOMPARE(kJoueurNeuf, attendu);
    }

    void playerRoundTripAndReset()
    {
        GM_GameStatsPlayer joueur;
        joueur.databaseId = Q_INT64_C(9876543210);
        joueur.valeur_ = 0.375;
        joueur.indicateur_ = true;
        joueur.typePartie_ = 2;
        joueur.compteurs_[0] = 3;
        joueur.compteurs_[30] = -4;
        const QString texte = joueur.sauveValeursDansString();
        QCOMPARE(texte, texteJoueur({{0, 3}, {30, -4}}, QStringLiteral("9876543210!0.375!1!2!")));
        GM_GameStatsPlayer lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu, joueur);

        // reset keeps the id and starts a new game count.
        lu.reset(1);
        QCOMPARE(lu.databaseId, Q_INT64_C(9876543210));
        QCOMPARE(lu.compteurs_[0], 1);
        QCOMPARE(lu.compteurs_[30], 0);
        QCOMPARE(lu.valeur_, 0.0);
        QVERIFY(!lu.indicateur_);
        QCOMPARE(lu.typePartie_, 1);
    }

    void badPlayerTextIsRefusedWhole_data()
    {
        QTest::addColumn<QString>("texte");
        // Thirty counters: the fields shift and the last one is missing.
        QString trente = QStringLiteral("{");
        for (int i = 0; i < 30; ++i)
            trente += QStringLiteral("0!");
        QTest::newRow("30 counters") << trente + QStringLiteral("-1!0!0!0!}");
        QTest::newRow("letter in a counter") << texteJoueur({}, QStringLiteral("-1!0!0!0!")).replace(3, 1, "x");
        QTest::newRow("nan share") << texteJoueur({}, QStringLiteral("-1!nan!0!0!"));
        QTest::newRow("infinite share") << texteJoueur({}, QStringLiteral("-1!inf!0!0!"));
        QTest::newRow("empty") << QStringLiteral("{}");
    }
    void badPlayerTextIsRefusedWhole()
    {
        QFETCH(QString, texte);
        GM_GameStatsPlayer joueur;
        joueur.databaseId = 5;
        joueur.compteurs_[7] = 2;
        const GM_GameStatsPlayer avant = joueur;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, joueur.chargeValeursDepuisString(texte));
        QCOMPARE(joueur, avant);
    }

    void statsText()
    {
        GM_GameStats stats;
        QCOMPARE(stats.sauveValeursDansString(), QStringLiteral("{0!-1!0!-1!0!0!0!-1!0!0!0!0!") + kJoueurNeuf
                                                     + QLatin1Char('!') + kJoueurNeuf + QStringLiteral("!-1!-1!}"));

        stats.reset(2);
        stats.id1_ = Q_INT64_C(5000000000);
        stats.indicateur_ = true;
        stats.idTexte_ = QStringLiteral("{12!3456!0!}");
        stats.valeurs_ = {8, 2000, 1, -1};
        stats.valeurs2_ = {157, 0};
        stats.valeur3_ = 1;
        stats.valeur4_ = 77;
        stats.id2_ = 3;
        stats.ajouteValeur(1, 42, -2, 5, 3);
        const QString joueur42 = texteJoueur({{5, 3}}, QStringLiteral("42!0!0!2!"));
        const QString joueurM2 = texteJoueur({{5, 3}}, QStringLiteral("-2!0!0!2!"));
        const QString equipe0 = texteJoueur({}, QStringLiteral("-1!0!0!2!"));
        const QString equipe1 = texteJoueur({{5, 3}}, QStringLiteral("-1!0!0!2!"));
        const QString texte = stats.sauveValeursDansString();
        // Players in key order: -2 before 42.
        QCOMPARE(texte, QStringLiteral("{2!5000000000!1!{12!3456!0!}!8!2000!1!-1!157!0!1!2!-2!") + joueurM2
                            + QStringLiteral("!42!") + joueur42 + QLatin1Char('!') + equipe0 + QLatin1Char('!')
                            + equipe1 + QStringLiteral("!77!3!}"));

        GM_GameStats lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu, stats);
        QCOMPARE(lu.sauveValeursDansString(), texte);
    }

    void statsWithoutTrailingItems()
    {
        GM_GameStats source;
        source.valeur4_ = 9;
        source.id2_ = 9;
        QString texte = source.sauveValeursDansString();
        texte.chop(QStringLiteral("9!9!}").size());
        texte += QLatin1Char('}');

        GM_GameStats lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu.valeur4_, -1);
        QCOMPARE(lu.id2_, Q_INT64_C(-1));

        // Absent trailing items keep what the record held.
        lu.valeur4_ = 4;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu.valeur4_, 4);
    }

    void readingReplacesThePlayers()
    {
        GM_GameStats ancien;
        ancien.ajouteValeur(0, 1, 3, 2, 1);
        GM_GameStats nouveau;
        nouveau.ajouteValeur(0, 7, 7, 2, 1);
        ancien.chargeValeursDepuisString(nouveau.sauveValeursDansString());
        QCOMPARE(ancien.m_statsPlayer.keys(), QList<qint64>{7});
        QCOMPARE(ancien, nouveau);
    }

    void badStatsText_data()
    {
        QTest::addColumn<QString>("texte");
        const QString equipes = kJoueurNeuf + QLatin1Char('!') + kJoueurNeuf + QLatin1Char('!');
        QTest::newRow("negative count") << QStringLiteral("{0!-1!0!-1!0!0!0!-1!0!0!0!-1!") + equipes + QLatin1Char('}');
        QTest::newRow("count beyond the entries")
            << QStringLiteral("{0!-1!0!-1!0!0!0!-1!0!0!0!2!5!") + kJoueurNeuf + QLatin1Char('!') + equipes
                   + QLatin1Char('}');
        QTest::newRow("missing team") << QStringLiteral("{0!-1!0!-1!0!0!0!-1!0!0!0!0!") + kJoueurNeuf
                                             + QStringLiteral("!}");
        QTest::newRow("bad key") << QStringLiteral("{0!-1!0!-1!0!0!0!-1!0!0!0!1!k!") + kJoueurNeuf
                                        + QLatin1Char('!') + equipes + QLatin1Char('}');
        QTest::newRow("bad trailing id") << QStringLiteral("{0!-1!0!-1!0!0!0!-1!0!0!0!0!") + equipes
                                                + QStringLiteral("1!x!}");
        QTest::newRow("unbalanced generator text")
            << QStringLiteral("{0!-1!0!a{b!0!0!0!-1!0!0!0!0!") + equipes + QLatin1Char('}');
    }
    // A refused text leaves the record whole, as the player records do.
    void badStatsText()
    {
        QFETCH(QString, texte);
        GM_GameStats stats;
        stats.typePartie_ = 2;
        stats.id1_ = 77;
        stats.idTexte_ = QStringLiteral("{12!3456!0!}");
        stats.valeurs_ = {3, 1500, 1, -1};
        stats.getPlayer(42).compteurs_[5] = 9;
        stats.valeur4_ = 6;
        const GM_GameStats avant = stats;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, stats.chargeValeursDepuisString(texte));
        QCOMPARE(stats, avant);
    }

    void generatorTextCheck_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valide");
        QTest::newRow("default") << QStringLiteral("-1") << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("record") << QStringLiteral("{0!123!0!}") << true;
        QTest::newRow("nested record") << QStringLiteral("{{1!}!2!}") << true;
        QTest::newRow("brace in a token") << QStringLiteral("a{b") << false;
        QTest::newRow("closing brace") << QStringLiteral("a}") << false;
        QTest::newRow("two records") << QStringLiteral("{1!}{2!}") << false;
        QTest::newRow("unclosed") << QStringLiteral("{1!") << false;
        QTest::newRow("line break") << QStringLiteral("{0!\n1!0!}") << false;
    }
    void generatorTextCheck()
    {
        QFETCH(QString, texte);
        QFETCH(bool, valide);
        QCOMPARE(GM_GameStats::estTexteGenerateurValide(texte), valide);
    }

    void unsafeGeneratorTextIsNeutralisedOnWriting()
    {
        GM_GameStats stats;
        stats.idTexte_ = QStringLiteral("x{y!z\n");
        GM_GameStats lu;
        lu.chargeValeursDepuisString(stats.sauveValeursDansString());
        QCOMPARE(lu.idTexte_, QStringLiteral("x(y.z "));
        QCOMPARE(lu.valeurs_, stats.valeurs_);
    }

    void resetAndGetPlayer()
    {
        GM_GameStats stats;
        stats.id1_ = 12;
        stats.idTexte_ = QStringLiteral("{1!2!3!}");
        stats.valeurs_ = {1, 2, 3, 4};
        stats.valeurs2_ = {10, 20};
        stats.valeur3_ = 1;
        stats.ajouteValeur(0, 1, 2, 3, 4);
        stats.reset(1);
        QVERIFY(stats.m_statsPlayer.isEmpty());
        QCOMPARE(stats.valeurs2_, (std::array<int, 2>{0, 0}));
        QCOMPARE(stats.valeur3_, 0);
        QCOMPARE(stats.typePartie_, 1);
        QCOMPARE(stats.equipes_[0].compteurs_[3], 0);
        QCOMPARE(stats.equipes_[0].typePartie_, 1);
        QCOMPARE(stats.equipes_[1].typePartie_, 1);
        // Identity fields are the table's to set.
        QCOMPARE(stats.id1_, Q_INT64_C(12));
        QCOMPARE(stats.valeurs_, (std::array<int, 4>{1, 2, 3, 4}));

        GM_GameStatsPlayer& ajoute = stats.getPlayer(99);
        QCOMPARE(ajoute, GM_GameStatsPlayer());
        ajoute.compteurs_[1] = 5;
        QCOMPARE(stats.getPlayer(99).compteurs_[1], 5);
        QCOMPARE(stats.m_statsPlayer.size(), 1);
    }

    void ajouteValeur()
    {
        GM_GameStats stats;
        stats.typePartie_ = 2;
        stats.ajouteValeur(1, 10, 10, 4, 3);
        QCOMPARE(stats.m_statsPlayer.size(), 1);
        const GM_GameStatsPlayer& joueur = stats.m_statsPlayer[10];
        QCOMPARE(joueur.compteurs_[4], 6); // the same id twice counts twice
        QCOMPARE(joueur.databaseId, Q_INT64_C(10));
        QCOMPARE(joueur.typePartie_, 2);
        QCOMPARE(stats.equipes_[1].compteurs_[4], 3);
        QCOMPARE(stats.equipes_[1].typePartie_, 2);
        QCOMPARE(stats.equipes_[0].compteurs_[4], 0);
        QCOMPARE(stats.equipes_[0].typePartie_, 0);

        stats.ajouteValeur(0, 10, 11, 30, -2);
        QCOMPARE(stats.m_statsPlayer[11].compteurs_[30], -2);
        QCOMPARE(stats.equipes_[0].compteurs_[30], -2);
    }

    void ajouteValeurOutOfRangeIsIgnored_data()
    {
        QTest::addColumn<int>("equipe");
        QTest::addColumn<int>("compteur");
        QTest::newRow("counter -1") << 0 << -1;
        QTest::newRow("counter 31") << 0 << 31;
        QTest::newRow("counter huge") << 1 << std::numeric_limits<int>::max();
        QTest::newRow("team -1") << -1 << 3;
        QTest::newRow("team 2") << 2 << 3;
    }
    void ajouteValeurOutOfRangeIsIgnored()
    {
        QFETCH(int, equipe);
        QFETCH(int, compteur);
        GM_GameStats stats;
        const GM_GameStats avant = stats;
        stats.ajouteValeur(equipe, 1, 2, compteur, 5);
        QCOMPARE(stats, avant);
        QVERIFY(stats.m_statsPlayer.isEmpty());

        GM_GameStatsPlayer joueur;
        joueur.ajoute(compteur, 5);
        if (!GM_GameStatsPlayer::estCompteurValide(compteur))
            QCOMPARE(joueur, GM_GameStatsPlayer());
    }

    void countersSaturate()
    {
        GM_GameStatsPlayer joueur;
        joueur.compteurs_[2] = std::numeric_limits<int>::max() - 1;
        joueur.ajoute(2, 5);
        QCOMPARE(joueur.compteurs_[2], std::numeric_limits<int>::max());
        joueur.compteurs_[3] = std::numeric_limits<int>::min() + 1;
        joueur.ajoute(3, -5);
        QCOMPARE(joueur.compteurs_[3], std::numeric_limits<int>::min());
    }

    void indexAnnonces_data()
    {
        QTest::addColumn<AnnoncesJoueur>("annonces");
        QTest::addColumn<int>("index");
        const Annonce aucune;
        const Annonce trois(Annonce::TroisCartes, 1, 8, 20);
        const Annonce quatre(Annonce::QuatreCartes, 2, 10, 50);
        const Annonce cinq(Annonce::CinqCartesOuPlus, 3, 14, 100);
        QTest::newRow("none") << annonces(aucune, aucune, aucune) << 31;
        QTest::newRow("three cards") << annonces(trois, aucune, aucune) << 6;
        QTest::newRow("four cards") << annonces(quatre, aucune, aucune) << 7;
        QTest::newRow("five cards") << annonces(cinq, aucune, aucune) << 8;
        QTest::newRow("run, none, four jacks") << annonces(trois, aucune, carre(Carte::Valet)) << 10;
        QTest::newRow("last recognised decides") << annonces(carre(Carte::As), trois, aucune) << 6;
        const int rangs[][2] = {{Carte::Six, 15}, {Carte::Sept, 16}, {Carte::Huit, 17},
                                {Carte::Neuf, 9}, {Carte::Dix, 11},   {Carte::Valet, 10},
                                {Carte::Dame, 12}, {Carte::Roi, 13},  {Carte::As, 14}};
        for (const auto& rang : rangs)
            QTest::addRow("four of rank %d", rang[0]) << annonces(aucune, carre(rang[0]), aucune) << rang[1];
        // A four of a kind of no known rank is not recognised.
        QTest::newRow("unknown rank") << annonces(trois, carre(15), aucune) << 6;
    }
    void indexAnnonces()
    {
        QFETCH(AnnoncesJoueur, annonces);
        QFETCH(int, index);
        QCOMPARE(indexStatsAnnonces(annonces), index);
    }

    void registeredForQueuedSignals()
    {
        GM_GameStats::registerMetaType();
        const QMetaType type = QMetaType::fromName("GM_GameStats");
        QVERIFY(type.isValid());
        QCOMPARE(type, QMetaType::fromType<GM_GameStats>());

        GM_GameStats stats;
        stats.ajouteValeur(0, 3, 4, 1, 2);
        const QVariant v = QVariant::fromValue(stats);
        QCOMPARE(v.value<GM_GameStats>(), stats);
    }
};

ZB_REGISTER_TEST(TestStatsRecords)
#include "TestStatsRecords.moc"
