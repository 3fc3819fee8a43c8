#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "GM_KnuthRandom.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_MessageBoxEmitter.h"
#include "ListeDesEvenements.h"
#include "OptionsDuJoueur.h"
#include "ZB_DeckJass.h"
#include "ZB_FichierDePartie.h"
#include "ZB_MiseJass.h"
#include "ExecuteurTemoin.h"
#include "ZbTestRegistry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <stdexcept>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// While it lives, no file of this process may grow beyond the given size: a
// write past it fails with the system's "File too large" (the signal that
// would end the process is ignored meanwhile). Kept around one call only,
// since the limit holds for every thread.
class TailleDeFichierLimitee
{
public:
    explicit TailleDeFichierLimitee(rlim_t octets)
    {
        signalAvant_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &avant_);
        rlimit limite = avant_;
        limite.rlim_cur = qMin(octets, avant_.rlim_max);
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~TailleDeFichierLimitee()
    {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signalAvant_);
    }
    TailleDeFichierLimitee(const TailleDeFichierLimitee&) = delete;
    TailleDeFichierLimitee& operator=(const TailleDeFichierLimitee&) = delete;

private:
    rlimit avant_{};
    void (*signalAvant_)(int) = SIG_DFL;
};
#endif

// The room's side of a whole-file read: tables kept as line lists.
class FausseSalle : public ZB_FichierDePartie::Destination
{
public:
    explicit FausseSalle(int n) : tables(n) {}
    QList<QStringList> tables;
    QList<QPair<int, quint64>> recreations;

    void recreeTables(int n, quint64 tableDemandee) override
    {
        recreations << qMakePair(n, tableDemandee);
        tables = QList<QStringList>(n);
    }
    int getNombreDeTables() const override { return static_cast<int>(tables.size()); }
    bool chargeTable(int noTable, QTextStream& in, int* nombreDeLignes) override
    {
        return ZB_FichierDePartie::lisTable(in, tables[noTable], nombreDeLignes);
    }
};

EvenementDeJeu evenement(int genre, const QString& texte, int siege, int etat, int noDemande,
                         int source = EvenementDeJeu::Local_AI, qint64 id = 77)
{
    return EvenementDeJeu(genre, texte, siege, etat, source, id, 0, noDemande, 0, ZB_ICI);
}

QString joueur(const QString& nom, qint64 id, int distant)
{
    OptionsDuJoueur j;
    j.nom_ = nom;
    j.id_ = id;
    j.distant_ = distant;
    return j.sauveValeursDansString();
}

const QStringList nomsAccentues = {QStringLiteral("Zoé Müller"), QStringLiteral("François Châtelain"),
                                   QStringLiteral("Jürg Bärtschi"), QStringLiteral("Ørjan Ñúñez")};

// A short game as a table records it, with accented player names.
QList<EvenementDeJeu> partie()
{
    QList<EvenementDeJeu> evs;
    evs << evenement(EvenementDeJeu::InP, QStringLiteral("{options!}"), 4, 1, -1, EvenementDeJeu::Local_Table, -1);
    for (int siege = 0; siege < 4; ++siege)
        evs << evenement(EvenementDeJeu::InJ, joueur(nomsAccentues[siege], 100 + siege, siege != 0), 4, siege + 2, -1,
                         EvenementDeJeu::Local_Table, 100 + siege);
    evs << evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
    evs << evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!9!2!}"), 1, 20, 2);
    for (int i = 0; i < 4; ++i)
        evs << evenement(EvenementDeJeu::Ajo, QStringLiteral("%1_%2").arg(i + 1).arg(6 + i), i, 37 + i, 3 + i);
    evs << evenement(EvenementDeJeu::Ram, QStringLiteral("Ok"), 3, 41, 7);
    evs << evenement(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, 134, 8);
    return evs;
}

QList<int> etatsDe(const QList<EvenementDeJeu>& evs)
{
    QList<int> etats;
    for (const EvenementDeJeu& ev : evs)
        etats << ev.etat_;
    return etats;
}

void joue(ListeDesEvenements& liste, ExecuteurTemoin& exec, const QList<EvenementDeJeu>& evs)
{
    exec.ordre = etatsDe(evs);
    liste.setEtatAttendu(evs.first().etat_);
    for (EvenementDeJeu ev : evs) {
        liste.execute_unlocked(-1, ev, true);
        liste.flush_unlocked();
    }
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

bool ecrit(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

// Reads one block from bytes as the table reader does from a file.
bool lisBloc(const QByteArray& octets, QStringList& lignes, int* nombre = nullptr)
{
    QByteArray copie = octets;
    QBuffer tampon(&copie);
    tampon.open(QIODevice::ReadOnly);
    QTextStream in(&tampon);
    return ZB_FichierDePartie::lisTable(in, lignes, nombre);
}

// The outcome of reading a whole file: "true", "false", or the exception's
// class; anything else escaping is a fault the test reports.
QString resultatDeLecture(const QByteArray& octets, quint64 tableDemandee, int nombreDeTables,
                          QList<QStringList>* tables = nullptr)
{
    QByteArray copie = octets;
    QBuffer tampon(&copie);
    tampon.open(QIODevice::ReadOnly);
    QTextStream in(&tampon);
    QList<QStringList> lues;
    try {
        const bool ok = ZB_FichierDePartie::lisFichier(in, tableDemandee, nombreDeTables, lues);
        if (tables)
            *tables = lues;
        return ok ? QStringLiteral("true") : QStringLiteral("false");
    } catch (const GM_ExceptionFileTooOld&) {
        return QStringLiteral("too old");
    } catch (const GM_ExceptionFileCorrupted&) {
        return QStringLiteral("corrupted");
    } catch (const GM_Exception&) {
        return QStringLiteral("record");
    }
}

QByteArray multiTables(const QByteArray& nombre, const QList<QByteArray>& blocs)
{
    QByteArray t = "<nbrtables>\r\n" + nombre + "\r\nignored line 3\r\n";
    for (int i = 0; i < blocs.size(); ++i) {
        t += "<table" + QByteArray::number(i) + ">\r\nignored\r\n";
        t += blocs[i] + "</executed>\r\n";
        t += "anything the reader never looks at\r\n</table" + QByteArray::number(i) + ">\r\n";
    }
    return t;
}

// Strength of each team in the Jass deal a generator state gives: the better
// hand of the team, a hand weighing its best suit as trump, spades (suit 3)
// times piqueDouble.
QPair<int, int> forcesDesEquipes(const QString& etat, int piqueDouble = 1)
{
    static const ZB_DeckJass deck;
    GM_KnuthRandom rng(true);
    rng.chargeValeursDepuisString(etat);
    ZB_MiseJass mise(deck);
    int forces[4] = {};
    for (int siege = 0; siege < 4; ++siege) {
        EnsembleDeCartes main;
        mise.distribue(main, rng, 9, siege, false);
        for (int couleur = 1; couleur <= 4; ++couleur) {
            int somme = 0;
            for (Carte* carte : main)
                somme += carte->getPoidsPourAtout(couleur);
            forces[siege] = qMax(forces[siege], couleur == 3 ? somme * piqueDouble : somme);
        }
    }
    return qMakePair(qMax(forces[0], forces[2]), qMax(forces[1], forces[3]));
}

} // namespace

class TestGameFiles : public QObject
{
    Q_OBJECT

private slots:
    // A recorded game written to disk, read back, replayed and written again
    // gives the same bytes; names with accents survive as UTF-8.
    void roundTrip()
    {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        const QString chemin = dossier.filePath(QStringLiteral("sub/dir/autosave.jss"));

        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        const QList<EvenementDeJeu> evs = partie();
        joue(liste, exec, evs);
        QVERIFY(ZB_FichierDePartie::ecritFichier(chemin, liste, nullptr));

        const QByteArray octets = contenu(chemin);
        QByteArray attendu = "12\r\n";
        for (const EvenementDeJeu& ev : evs)
            attendu += ev.toString(3).toUtf8() + "\r\n";
        QCOMPARE(octets, attendu);
        QVERIFY(!octets.startsWith("\xEF\xBB\xBF"));
        QVERIFY(octets.contains(QStringLiteral("Zoé Müller").toUtf8()));

        QFile fichier(chemin);
        QVERIFY(ZB_FichierDePartie::ouvrePourLecture(fichier));
        QTextStream in(&fichier);
        QList<QStringList> tables;
        int nombre = -1;
        bool multi = true;
        QVERIFY(ZB_FichierDePartie::lisFichier(in, 0, 1, tables, &nombre, &multi));
        QVERIFY(!multi);
        QCOMPARE(tables.size(), 1);
        QCOMPARE(nombre, evs.size() + 1);
        for (int i = 0; i < evs.size(); ++i) {
            EvenementDeJeu lu;
            QString reste;
            QVERIFY(lu.fromString(tables[0][i + 1], reste));
            QCOMPARE(lu.texte_, evs[i].texte_);
            QCOMPARE(lu.etat_, evs[i].etat_);
        }
        OptionsDuJoueur j;
        EvenementDeJeu inscription;
        QString reste;
        QVERIFY(inscription.fromString(tables[0][2], reste));
        j.chargeValeursDepuisString(inscription.texte_);
        QCOMPARE(j.nom_, nomsAccentues[0]);

        ExecuteurTemoin exec2;
        ListeDesEvenements rejoue(&exec2, 0);
        exec2.liste = &rejoue;
        exec2.ordre = etatsDe(evs);
        rejoue.replay(tables[0], 4, false, -1, nullptr);
        rejoue.setEtatAttendu(1);
        rejoue.flush_unlocked();
        const QString chemin2 = dossier.filePath(QStringLiteral("again.jss"));
        QVERIFY(ZB_FichierDePartie::ecritFichier(chemin2, rejoue, nullptr));
        QCOMPARE(contenu(chemin2), octets);
    }

    void tableBlock_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("lignes");

        const QStringList deux{QStringLiteral("12"), QStringLiteral("{A!}"), QStringLiteral("{B!}")};
        QTest::newRow("plain") << QByteArray("12\r\n{A!}\r\n{B!}\r\n") << true << deux;
        QTest::newRow("no last line break") << QByteArray("12\r\n{A!}\r\n{B!}") << true << deux;
        QTest::newRow("LF only") << QByteArray("12\n{A!}\n{B!}\n") << true << deux;
        QTest::newRow("newer version") << QByteArray("13\r\n{A!}\r\n") << true
                                       << QStringList{QStringLiteral("13"), QStringLiteral("{A!}")};
        QTest::newRow("executed end") << QByteArray("12\r\n{A!}\r\n{B!}\r\n</executed>\r\n{C!}\r\n") << true << deux;
        QTest::newRow("executed inside a line") << QByteArray("12\r\n{A!}\r\n{B!}\r\nx</executed>y\r\n{C!}\r\n")
                                                << true << deux;
        QTest::newRow("empty line end") << QByteArray("12\r\n{A!}\r\n{B!}\r\n\r\n{C!}\r\n") << true << deux;
        QTest::newRow("table markers") << QByteArray("<Table0>\r\n12\r\n{A!}\r\n<//Table0>\r\n{B!}\r\n") << true
                                       << deux;
        QTest::newRow("header") << QByteArray("Zubrik saved game\r\n2024-01-01\r\n12\r\n{A!}\r\n{B!}\r\n") << true
                                << deux;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "12\r\n{A!}\r\n{B!}\r\n") << true << deux;
        QTest::newRow("mark and header") << QByteArray("\xEF\xBB\xBFhead\r\ner\r\n12\r\n{A!}\r\n{B!}\r\n") << true
                                         << deux;
        QTest::newRow("empty") << QByteArray() << false << QStringList();
        QTest::newRow("starts with an empty line") << QByteArray("\r\n12\r\n{A!}\r\n") << false << QStringList();
        QTest::newRow("header too short") << QByteArray("head\r\n12\r\n") << false
                                          << QStringList{QStringLiteral("head"), QStringLiteral("12")};
        QTest::newRow("no version after the header") << QByteArray("a\r\nb\r\nc\r\n12\r\n") << false
                                                     << QStringList{QStringLiteral("c"), QStringLiteral("12")};
        QTest::newRow("only markers") << QByteArray("<Table0>\r\n<//Table0>\r\n</executed>\r\n") << false
                                      << QStringList();
    }

    void tableBlock()
    {
        QFETCH(QByteArray, texte);
        QFETCH(bool, ok);
        QFETCH(QStringList, lignes);
        QStringList lues{QStringLiteral("left over")};
        int nombre = -1;
        QCOMPARE(lisBloc(texte, lues, &nombre), ok);
        QCOMPARE(lues, lignes);
        QCOMPARE(nombre, ok ? static_cast<int>(lignes.size()) : -1);
    }

    // A stream on text, not on a file, does not drop the mark by itself.
    void byteOrderMarkInText()
    {
        QString texte = QChar(0xFEFF) + QStringLiteral("12\r\n{A!}\r\n");
        QTextStream in(&texte);
        QStringList lignes;
        QVERIFY(ZB_FichierDePartie::lisTable(in, lignes));
        QCOMPARE(lignes, (QStringList{QStringLiteral("12"), QStringLiteral("{A!}")}));
    }

    void tooOld_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::newRow("11") << QByteArray("11\r\n{A!}\r\n");
        QTest::newRow("0") << QByteArray("0\r\n");
        QTest::newRow("negative") << QByteArray("-5\r\n");
        QTest::newRow("after the header") << QByteArray("a\r\nb\r\n11\r\n{A!}\r\n");
    }

    void tooOld()
    {
        QFETCH(QByteArray, texte);
        QStringList lignes;
        try {
            lisBloc(texte, lignes);
            QFAIL("an old file was read");
        } catch (const GM_ExceptionFileTooOld& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Ce fichier n'est pas compatible avec votre version du jeu."));
        }
    }

    // Without "<nbrtables>" the room's tables read their blocks one after the
    // other; the reader's result is the AND of theirs.
    void singleTableFile()
    {
        const QByteArray deux = "12\r\n{A!}\r\n</executed>\r\n12\r\n{B!}\r\n";
        QList<QStringList> tables;
        QCOMPARE(resultatDeLecture(deux, 0, 2, &tables), QStringLiteral("true"));
        QCOMPARE(tables, (QList<QStringList>{{QStringLiteral("12"), QStringLiteral("{A!}")},
                                             {QStringLiteral("12"), QStringLiteral("{B!}")}}));
        QCOMPARE(resultatDeLecture("12\r\n{A!}\r\n", 0, 2, &tables), QStringLiteral("false"));
        QCOMPARE(tables[0], (QStringList{QStringLiteral("12"), QStringLiteral("{A!}")}));
        // A long first line is read in pieces but the stream goes back to its
        // start: the header variant still applies.
        const QByteArray longue = QByteArray(1000, 'h') + "\r\nh2\r\n12\r\n{A!}\r\n";
        QCOMPARE(resultatDeLecture(longue, 0, 1, &tables), QStringLiteral("true"));
        QCOMPARE(tables[0], (QStringList{QStringLiteral("12"), QStringLiteral("{A!}")}));
    }

    // The stream goes back to byte 0 after the first line: the byte-order
    // mark of a real file must still not reach the version.
    void byteOrderMarkInAFile()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("bom.jss"));
        QVERIFY(ecrit(chemin, "\xEF\xBB\xBF" "12\r\n{A!}\r\n"));
        QFile fichier(chemin);
        QVERIFY(ZB_FichierDePartie::ouvrePourLecture(fichier));
        QTextStream in(&fichier);
        QList<QStringList> tables;
        QVERIFY(ZB_FichierDePartie::lisFichier(in, 0, 1, tables));
        QCOMPARE(tables[0], (QStringList{QStringLiteral("12"), QStringLiteral("{A!}")}));
    }

    void multiTableFile()
    {
        const QByteArray fichier = multiTables(
            "2", {"12\r\n{A!}\r\n</executed>\r\n{not read}\r\n", "head\r\ner\r\n12\r\n{B!}\r\n{C!}\r\n\r\n"});
        for (quint64 demandee : {0ull, 1ull}) {
            QByteArray copie = fichier;
            QBuffer tampon(&copie);
            tampon.open(QIODevice::ReadOnly);
            QTextStream in(&tampon);
            FausseSalle salle(7);
            int nombre = -1;
            QVERIFY(ZB_FichierDePartie::lisFichier(in, demandee, salle, &nombre));
            QCOMPARE(salle.recreations, (QList<QPair<int, quint64>>{qMakePair(2, demandee)}));
            QCOMPARE(salle.tables, (QList<QStringList>{
                                       {QStringLiteral("12"), QStringLiteral("{A!}")},
                                       {QStringLiteral("12"), QStringLiteral("{B!}"), QStringLiteral("{C!}")}}));
            QCOMPARE(nombre, 3); // the last table's
        }
        QCOMPARE(resultatDeLecture(fichier, 2, 1), QStringLiteral("false"));
        QCOMPARE(resultatDeLecture(fichier, quint64(-1), 1), QStringLiteral("false"));

        // Every table is read even after one failed.
        QList<QStringList> tables;
        const QByteArray unMauvais = multiTables("2", {"\r\n", "12\r\n{B!}\r\n"});
        QCOMPARE(resultatDeLecture(unMauvais, 0, 1, &tables), QStringLiteral("false"));
        QCOMPARE(tables.size(), 2);
        QCOMPARE(tables[1], (QStringList{QStringLiteral("12"), QStringLiteral("{B!}")}));

        // The header line is compared whole.
        QCOMPARE(resultatDeLecture("<nbrtables> \r\n1\r\nx\r\n", 0, 1), QStringLiteral("false"));
        QCOMPARE(resultatDeLecture("<NBRTABLES>\r\n1\r\nx\r\n", 0, 1), QStringLiteral("false"));
    }

    void tableCount_data()
    {
        QTest::addColumn<QByteArray>("nombre");
        QTest::addColumn<QString>("resultat");
        QTest::newRow("one") << QByteArray("1") << QStringLiteral("true");
        QTest::newRow("maximum") << QByteArray("64") << QStringLiteral("false"); // 63 blocks missing
        QTest::newRow("above the maximum") << QByteArray("65") << QStringLiteral("corrupted");
        QTest::newRow("huge") << QByteArray("2147483647") << QStringLiteral("corrupted");
        QTest::newRow("overflow") << QByteArray("99999999999999") << QStringLiteral("false");
        QTest::newRow("zero") << QByteArray("0") << QStringLiteral("false");
        QTest::newRow("negative") << QByteArray("-3") << QStringLiteral("false");
        QTest::newRow("not a number") << QByteArray("two") << QStringLiteral("false");
        QTest::newRow("missing") << QByteArray("") << QStringLiteral("false");
    }

    // A count from a damaged file must not make the room build thousands of
    // tables.
    void tableCount()
    {
        QFETCH(QByteArray, nombre);
        QFETCH(QString, resultat);
        QCOMPARE(resultatDeLecture(multiTables(nombre, {"12\r\n{A!}\r\n"}), 0, 1), resultat);
    }

    void fileType_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("type");
        QTest::newRow("jss") << QStringLiteral("/a/partie.jss") << 3 << 1;
        QTest::newRow("jss client") << QStringLiteral("/a/partie.jss") << 2 << 3;
        QTest::newRow("jst") << QStringLiteral("/a/partie.jst") << 3 << 4;
        QTest::newRow("JST client") << QStringLiteral("C:/a/PARTIE.JST") << 2 << 4;
        QTest::newRow("Jst") << QStringLiteral("x.Jst") << 0 << 4;
        QTest::newRow("jst in the middle") << QStringLiteral("x.jst.jss") << 3 << 1;
        QTest::newRow("no point") << QStringLiteral("xjst") << 3 << 1;
    }

    void fileType()
    {
        QFETCH(QString, nom);
        QFETCH(int, mode);
        QFETCH(int, type);
        QCOMPARE(ZB_FichierDePartie::typeDeFichier(nom, mode), type);
    }

    void openingForLoad()
    {
        QTemporaryDir dossier;
        const QString absent = dossier.filePath(QStringLiteral("absent.jss"));
        QFile fichierAbsent(absent);
        try {
            ZB_FichierDePartie::ouvrePourLecture(fichierAbsent);
            QFAIL("a missing file was opened");
        } catch (const GM_ExceptionFileCorrupted& e) {
            QVERIFY(e.getDetail().startsWith(absent + QStringLiteral(" (")));
            QVERIFY(e.getDetail().endsWith(QLatin1Char(')')));
        }

        const QString petit = dossier.filePath(QStringLiteral("petit.jss"));
        QVERIFY(ecrit(petit, "12\r\n{"));
        QFile fichierPetit(petit);
        QVERIFY(!ZB_FichierDePartie::ouvrePourLecture(fichierPetit)); // 5 bytes: a new game
        const QString six = dossier.filePath(QStringLiteral("six.jss"));
        QVERIFY(ecrit(six, "12\r\n{}"));
        QFile fichierSix(six);
        QVERIFY(ZB_FichierDePartie::ouvrePourLecture(fichierSix));
    }

    // A save that does not complete must leave the previous game on disk.
    void interruptedSaveKeepsTheOldGame()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("autosave.jss"));
        QVERIFY(ecrit(chemin, "12\r\n{old game}\r\n"));
        const auto plante = [](QTextStream& out) {
            out << "12\r\n{half a";
            out.flush();
            throw std::runtime_error("crash during the save");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ZB_FichierDePartie::ecritFichier(chemin, plante, nullptr));
        QCOMPARE(contenu(chemin), QByteArray("12\r\n{old game}\r\n"));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("autosave.jss")});

        QVERIFY(ZB_FichierDePartie::ecritFichier(chemin, [](QTextStream& out) { out << "12\r\n{new}\r\n"; },
                                                 nullptr));
        QCOMPARE(contenu(chemin), QByteArray("12\r\n{new}\r\n"));
    }

    // A save that fails shows the "File Error" box once, with the step that
    // failed and the system's own cause, and keeps the previous game. The
    // disk that fills is played by a file-size limit: the write past it
    // fails with "File too large" where a full disk gives "No space left on
    // device", through the same path.
    void saveErrorsShowTheFileErrorBox_data()
    {
        QTest::addColumn<QString>("relatif");
        QTest::addColumn<QString>("verbe");
        QTest::addColumn<QString>("raison");
        // A regular file stands where the folder should be.
        QTest::newRow("folder") << QStringLiteral("fichier/sous/autosave.jss") << QStringLiteral("save")
                                << QStringLiteral("Cannot create the folder");
        // A folder stands where the file should be.
        QTest::newRow("open") << QStringLiteral("dossier") << QStringLiteral("open") << QString();
#ifdef Q_OS_UNIX
        QTest::newRow("disk full while writing") << QStringLiteral("autosave.jss") << QStringLiteral("write")
                                                 << qt_error_string(EFBIG);
#endif
    }

    void saveErrorsShowTheFileErrorBox()
    {
        QFETCH(QString, relatif);
        QFETCH(QString, verbe);
        QFETCH(QString, raison);
        QTemporaryDir dossier;
        QVERIFY(ecrit(dossier.filePath(QStringLiteral("fichier")), "x"));
        QVERIFY(QDir(dossier.path()).mkdir(QStringLiteral("dossier")));
        const QString chemin = dossier.filePath(relatif);
        const QByteArray ancienne("12\r\n{old game}\r\n");
        if (relatif == QLatin1String("autosave.jss"))
            QVERIFY(ecrit(chemin, ancienne));
        const QStringList avant = QDir(dossier.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        // A whole match: more than one write buffer, and far more than the
        // size limit.
        const auto partie = [](QTextStream& out) {
            out << "12\r\n";
            for (int i = 0; i < 1000; ++i)
                out << "{Ajo!1_6!0!37!0!700!0!5!0!}\r\n";
        };

        GM_MessageBoxDisplayerHeadless displayer;
        displayer.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        bool ecrit = true;
        bool ecritSansBoite = true;
        {
#ifdef Q_OS_UNIX
            TailleDeFichierLimitee limite(verbe == QLatin1String("write") ? 64 : RLIM_INFINITY);
#endif
            ecrit = ZB_FichierDePartie::ecritFichier(chemin, partie, &emetteur);
            // Without an emitter it fails quietly.
            ecritSansBoite = ZB_FichierDePartie::ecritFichier(chemin, partie, nullptr);
        }
        QVERIFY(!ecrit);
        QVERIFY(!ecritSansBoite);
        QTRY_COMPARE_WITH_TIMEOUT(displayer.historique().size(), 1, 3000);
        const GM_MessageBoxRequest boite = displayer.historique().first().requete;
        QCOMPARE(boite.titre_, QStringLiteral("File Error"));
        QCOMPARE(boite.icone_, GM::Information);
        QCOMPARE(boite.boutons_, GM::Ok);
        const QString debut = QStringLiteral("Unable to %1 file '%2': ").arg(verbe, chemin);
        QVERIFY2(boite.texte_.startsWith(debut), qPrintable(boite.texte_));
        QVERIFY2(boite.texte_.size() > debut.size(), qPrintable(boite.texte_));
        QVERIFY2(!boite.texte_.contains(QStringLiteral("Unknown error")), qPrintable(boite.texte_));
        if (!raison.isEmpty())
            QVERIFY2(boite.texte_.contains(raison), qPrintable(boite.texte_));
        emetteur.setMessageBoxDisplayer(nullptr);
        // The previous game is still there, and no temporary file is left.
        if (relatif == QLatin1String("autosave.jss"))
            QCOMPARE(contenu(chemin), ancienne);
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), avant);
    }

    // Damaged files give false or one of the file exceptions, never a crash
    // or a stray exception.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("resultat");
        QByteArray entier = "12\r\n";
        for (const EvenementDeJeu& ev : partie())
            entier += ev.toString(3).toUtf8() + "\r\n";
        QTest::newRow("empty") << QByteArray() << QStringLiteral("false");
        QTest::newRow("only line breaks") << QByteArray("\r\n\r\n\r\n") << QStringLiteral("false");
        QTest::newRow("truncated in the version") << QByteArray("1") << QStringLiteral("too old");
        QTest::newRow("truncated in an event") << entier.left(entier.size() / 2) << QStringLiteral("true");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01\x80\x81\r\n\x00\x00", 10) << QStringLiteral("false");
        QTest::newRow("invalid UTF-8 version") << QByteArray("\xc3\x28\r\n{A!}\r\n") << QStringLiteral("false");
        QTest::newRow("multi truncated after the count") << QByteArray("<nbrtables>\r\n3") << QStringLiteral("false");
        const QByteArray multi = multiTables("1", {"12\r\n{A!}\r\n"});
        QTest::newRow("multi truncated in a block") << multi.left(multi.indexOf("{A") + 2) << QStringLiteral("true");
        QTest::newRow("multi too old") << multiTables("2", {"12\r\n", "11\r\n"}) << QStringLiteral("too old");
        QTest::newRow("multi without the end of its tables") << QByteArray("<nbrtables>\r\n2\r\n\r\n\r\n\r\n12\r\n")
                                                             << QStringLiteral("false");
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QString, resultat);
        QCOMPARE(resultatDeLecture(octets, 0, 1), resultat);
    }

    void randomBytesNeverCrash()
    {
        QRandomGenerator alea(20240611);
        for (int i = 0; i < 300; ++i) {
            QByteArray octets(static_cast<int>(alea.bounded(400)), Qt::Uninitialized);
            for (char& c : octets)
                c = static_cast<char>(alea.bounded(256));
            if (i % 3 == 0)
                octets.prepend("<nbrtables>\r\n2\r\n\r\n");
            else if (i % 3 == 1)
                octets.prepend("12\r\n");
            const QString r = resultatDeLecture(octets, alea.bounded(3), 1 + i % 3);
            QVERIFY2(r != QLatin1String("record"), qPrintable(r));
        }
    }

    void presetChoice_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("fichier");
        QTest::newRow("new game") << 0 << 0 << QString();
        QTest::newRow("new tournament game") << 0 << 15 << QStringLiteral(":/preset_games_tournament_long_balanced.csv");
        QTest::newRow("winning normal") << 1 << 0 << QStringLiteral(":/preset_games_jass_suisse_romand_normal_winning.csv");
        QTest::newRow("winning pique double")
            << 1 << 1 << QStringLiteral(":/preset_games_jass_suisse_romand_piquedouble_winning.csv");
        QTest::newRow("winning other type")
            << 1 << 15 << QStringLiteral(":/preset_games_jass_suisse_romand_piquedouble_winning.csv");
        QTest::newRow("load") << 2 << 15 << QString();
    }

    void presetChoice()
    {
        QFETCH(int, mode);
        QFETCH(int, type);
        QFETCH(QString, fichier);
        QCOMPARE(ZB_FichierDePartie::fichierPreset(mode, type), fichier);
    }

    void presetReader()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("preset.csv"));
        QVERIFY(ecrit(chemin, "{0!17!0!}\r\n{0!-5!0!}\r\n\r\n{0!2000000000!0!}\r\n"));
        const QStringList lignes = ZB_FichierDePartie::lisPreset(chemin);
        QCOMPARE(lignes, (QStringList{QStringLiteral("{0!17!0!}"), QStringLiteral("{0!-5!0!}"),
                                      QStringLiteral("{0!2000000000!0!}")}));
        QVERIFY(ZB_FichierDePartie::lisPreset(dossier.filePath(QStringLiteral("absent.csv"))).isEmpty());
        QVERIFY(ZB_FichierDePartie::lisPreset(QStringLiteral(":/no_such_preset.csv")).isEmpty());

        // The line drawn is the generator's raw value modulo the line count,
        // and the generator then holds that line's state.
        for (quint32 graine : {1u, 42u, 4000000000u}) {
            GM_KnuthRandom rng(true);
            rng.initialise(graine);
            GM_KnuthRandom temoin(rng);
            const int attendu = temoin.tire(static_cast<int>(lignes.size()));
            const int index = ZB_FichierDePartie::tirePreset(rng, lignes);
            QCOMPARE(index, attendu);
            GM_KnuthRandom ligne(true);
            ligne.chargeValeursDepuisString(lignes[index]);
            QCOMPARE(rng.sauveValeursDansString(), ligne.sauveValeursDansString());
        }
        GM_KnuthRandom rng(true);
        const QString avant = rng.sauveValeursDansString();
        QCOMPARE(ZB_FichierDePartie::tirePreset(rng, QStringList()), -1);
        QCOMPARE(rng.sauveValeursDansString(), avant);
    }

    void badPresetLines_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::newRow("position past the buffer") << QStringLiteral("{65535!17!0!}");
        QTest::newRow("huge position") << QStringLiteral("{2147483647!17!0!}");
        QTest::newRow("negative position") << QStringLiteral("{-1!17!0!}");
        QTest::newRow("seed out of range") << QStringLiteral("{0!99999999999!0!}");
        QTest::newRow("not a record") << QStringLiteral("seed,17");
        QTest::newRow("missing fields") << QStringLiteral("{0!}");
    }

    void badPresetLines()
    {
        QFETCH(QString, ligne);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("preset.csv"));
        QVERIFY(ecrit(chemin, ligne.toUtf8() + "\r\n"));
        const QStringList lignes = ZB_FichierDePartie::lisPreset(chemin);
        QCOMPARE(lignes.size(), 1);
        GM_KnuthRandom rng(true);
        rng.initialise(7);
        try {
            ZB_FichierDePartie::tirePreset(rng, lignes);
            QFAIL("a bad preset line was loaded");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Chaine incompatible, invalide ou corrompue."));
        }
        QCOMPARE(rng.getGraine(), 7u); // refused whole
    }

    // The embedded preset deals: exact line counts, CR LF throughout, every
    // line a generator state at position 0 with a signed 32-bit seed, no
    // seed twice.
    void embeddedPresets_data()
    {
        QTest::addColumn<QString>("ressource");
        QTest::addColumn<int>("lignes");
        QTest::newRow("normal") << QStringLiteral(":/preset_games_jass_suisse_romand_normal_winning.csv") << 1998;
        QTest::newRow("pique double") << QStringLiteral(":/preset_games_jass_suisse_romand_piquedouble_winning.csv")
                                      << 3192;
        QTest::newRow("tournament") << QStringLiteral(":/preset_games_tournament_long_balanced.csv") << 7514;
    }

    void embeddedPresets()
    {
        QFETCH(QString, ressource);
        QFETCH(int, lignes);
        QFile fichier(ressource);
        QVERIFY2(fichier.open(QIODevice::ReadOnly), qPrintable(ressource));
        const QByteArray octets = fichier.readAll();
        QVERIFY(octets.endsWith("\r\n"));
        QCOMPARE(octets.count("\r\n"), lignes);
        QCOMPARE(octets.count('\n'), lignes);
        QCOMPARE(octets.count('\r'), lignes);

        const QStringList lues = ZB_FichierDePartie::lisPreset(ressource);
        QCOMPARE(lues.size(), lignes);
        static const QRegularExpression forme(QStringLiteral("^\\{0!(-?[0-9]+)!0!\\}$"));
        QSet<QString> graines;
        for (const QString& ligne : lues) {
            const QRegularExpressionMatch m = forme.match(ligne);
            QVERIFY2(m.hasMatch(), qPrintable(ligne));
            bool ok = false;
            const qint64 graine = m.captured(1).toLongLong(&ok);
            QVERIFY(ok && graine >= std::numeric_limits<qint32>::min() && graine <= std::numeric_limits<qint32>::max());
            graines.insert(m.captured(1));
            GM_KnuthRandom rng(true);
            rng.chargeValeursDepuisString(ligne);
            QCOMPARE(rng.getPosition(), 0);
            QCOMPARE(rng.getGraine(), static_cast<quint32>(static_cast<qint32>(graine)));
        }
        QCOMPARE(graines.size(), lignes);

        // Every index a table can draw lies in the file.
        GM_KnuthRandom rng(true);
        rng.initialise(123);
        for (int i = 0; i < 200; ++i) {
            const int index = ZB_FichierDePartie::tirePreset(rng, lues);
            QVERIFY(index >= 0 && index < lignes);
        }
    }

    // The files deal what their names promise with this dealer: a winning
    // file favours the human's team, the tournament file is even.
    void presetsDealWhatTheyPromise()
    {
        const QStringList gagnantes =
            ZB_FichierDePartie::lisPreset(QStringLiteral(":/preset_games_jass_suisse_romand_normal_winning.csv"));
        QVERIFY(!gagnantes.isEmpty());
        for (const QString& etat : gagnantes) {
            const QPair<int, int> f = forcesDesEquipes(etat);
            QVERIFY2(f.first >= 8 && f.first >= f.second + 2, qPrintable(etat));
        }
        const QStringList equilibrees =
            ZB_FichierDePartie::lisPreset(QStringLiteral(":/preset_games_tournament_long_balanced.csv"));
        QVERIFY(!equilibrees.isEmpty());
        for (const QString& etat : equilibrees) {
            const QPair<int, int> f = forcesDesEquipes(etat);
            QVERIFY2(qAbs(f.first - f.second) <= 1, qPrintable(etat));
        }
        // Pique double counts spades twice, so a strong spade hand is worth
        // twice as much.
        const QStringList pique =
            ZB_FichierDePartie::lisPreset(QStringLiteral(":/preset_games_jass_suisse_romand_piquedouble_winning.csv"));
        QVERIFY(!pique.isEmpty());
        for (const QString& etat : pique) {
            const QPair<int, int> f = forcesDesEquipes(etat, 2);
            QVERIFY2(f.first >= 12 && f.first >= f.second + 2, qPrintable(etat));
        }
    }
};

ZB_REGISTER_TEST(TestGameFiles)
#include "TestGameFiles.moc"
