#include "EvenementDeJeu.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_FichierDePartie.h"
#include "SalleSansInterface.h"
#include "ZB_Room.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QFile>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <memory>

// Damaged copies of a real game record, opened through the room as the
// program opens a file, then replayed: each ends in a game opened whole, a
// game opened in part with a word for the user, or a refusal that names its
// reason and leaves the game in progress as it was. None may leave its
// replay waiting for a move that never comes.

namespace {

using SalleDeTest = SalleSansInterface;

class Demandeur : public ListeDesEvenements::ReplayRequester
{
public:
    bool termine = false;
    int arrets = 0; // the record stopped following the game
    int abimes = 0; // the record held a move no game can hold
    QString raison;
    void cb_replayTermine() override { termine = true; }
    void cb_replayArrete(qsizetype) override { ++arrets; }
    void cb_replayAbime(qsizetype ligne, const QString& texte) override
    {
        ++abimes;
        raison = QStringLiteral("line %1: %2").arg(ligne + 1).arg(texte);
    }
};

// The record with the first line that change takes rewritten (change edits
// the line's fields and says whether it took it); empty when it takes none.
QByteArray changeChamps(const QList<QByteArray>& lignes, const std::function<bool(qsizetype, QList<QByteArray>&)>& change)
{
    QList<QByteArray> resultat = lignes;
    for (qsizetype i = 1; i < resultat.size(); ++i) {
        QList<QByteArray> champs = resultat.at(i).split('!');
        if (change(i, champs)) {
            resultat[i] = champs.join('!');
            QByteArray octets;
            for (const QByteArray& l : resultat)
                octets += l + '\n';
            return octets;
        }
    }
    return QByteArray();
}

// The record cut after its last move that is not a trick's first card and
// that a seat other than its own still holds a card of the same deal for;
// that move is played with the card autre gives (the line, the line of such
// a card). Empty when the record has none.
QByteArray dernierCoupRemplace(const QList<QByteArray>& lignes,
                               const std::function<QByteArray(qsizetype, qsizetype)>& autre)
{
    auto champ = [](const QByteArray& l, int n) { return l.split('!').value(n); };
    for (qsizetype k = lignes.size() - 1; k > 1; --k) {
        if (!lignes.at(k).startsWith("{Ajo!") || !lignes.at(k - 1).startsWith("{Ajo!"))
            continue;
        for (qsizetype m = k + 1; m < lignes.size() && !lignes.at(m).startsWith("{Enr!"); ++m) {
            if (!lignes.at(m).startsWith("{Ajo!") || champ(lignes.at(m), 2) == champ(lignes.at(k), 2))
                continue;
            QList<QByteArray> coupe = lignes.mid(0, k + 1);
            QList<QByteArray> champs = coupe.last().split('!');
            champs[1] = autre(k, m);
            coupe.last() = champs.join('!');
            QByteArray octets;
            for (const QByteArray& l : coupe)
                octets += l + '\n';
            return octets;
        }
    }
    return QByteArray();
}

// Accented names, for a cut inside a character.
const QStringList noms = {QStringLiteral("Zoé"), QStringLiteral("Angélique"), QStringLiteral("Jürg"),
                          QStringLiteral("Ørjan")};

QList<QByteArray> lignesDe(const QByteArray& octets)
{
    QList<QByteArray> lignes = octets.split('\n');
    if (!lignes.isEmpty() && lignes.last().isEmpty())
        lignes.removeLast();
    return lignes;
}

QByteArray joint(const QList<QByteArray>& lignes)
{
    QByteArray octets;
    for (const QByteArray& l : lignes)
        octets += l + '\n';
    return octets;
}

// Cut in the middle of the line that holds the given share of the bytes.
QByteArray coupe(const QByteArray& octets, double part)
{
    const qsizetype p = qsizetype(double(octets.size()) * part);
    const qsizetype debut = octets.lastIndexOf('\n', p - 1) + 1;
    qsizetype fin = octets.indexOf('\n', p);
    if (fin < 0)
        fin = octets.size();
    return octets.left(debut + qMax<qsizetype>(1, (fin - debut) / 2));
}

} // namespace

class TestDamagedGameFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dossier;
    ZB_DisplayEmpty display;
    GM_MessageBoxDisplayerHeadless boites;
    QByteArray partie;
    int arrets_ = 0; // of the last file opened

    std::unique_ptr<SalleDeTest> salleEnJeu(const OptionsDePartie& options = OptionsDePartie(TypeDePartie::GenreJass))
    {
        ZB_Room::Parametres p;
        p.sansSauvegarde = true;
        p.modeSimple = true;
        p.sansDelai = true;
        p.dossierDonnees = dossier.path() + QLatin1Char('/');
        TypeDePartie::initTypesDePartie(options.genre_);
        auto salle = std::make_unique<SalleDeTest>(nullptr, &display, &boites, options, p);
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionLocale;
        salle->reponse_Depart(&mode, &session, options, QString(), QString(), 4001, 4002, 4000, 0, false, {}, -1);
        salle->getTable(0)->settingsPartie().random_.initialise(20261207u);
        for (int siege = 0; siege < 4; ++siege) {
            OptionsDuJoueur j;
            j.nom_ = noms.at(siege);
            j.id_ = 900 + siege;
            j.ordinateur_ = 1;
            j.optionsAI_.nbrCombinations_ = 30;
            salle->inscritJoueur(j, 2 + siege, 0);
        }
        return salle;
    }

    // How a file ends: "whole", "in part" or "refused"; "refused late" when
    // the room changed before it refused, "hangs" when the replay never ends.
    QString ouvre(const QByteArray& octets, QString& pourquoi)
    {
        const QString chemin = dossier.filePath(QStringLiteral("abime.jss"));
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(octets) != octets.size())
            return QStringLiteral("unwritable");
        f.close();

        std::unique_ptr<SalleDeTest> salle = salleEnJeu();
        ListeDesEvenements* liste = salle->getListe(-1);
        if (!QTest::qWaitFor([&] { return liste->getExecutes().blockCount() > 20; }, 60000))
            return QStringLiteral("no game in progress");
        // Nothing runs between these and the load's end but the load.
        const QString avant = liste->getExecutes().toPlainText();
        const int etatAvant = liste->getEtatAttendu();
        boites.effaceHistorique();
        int mode = ZB_Room::OuvreFichier;
        int session = ZB_Room::SessionLocale;
        try {
            salle->reponse_Depart(&mode, &session, OptionsDePartie(TypeDePartie::GenreJass), chemin, QString(), 4001,
                                  4002, 4000, 0, false, {}, -1);
        } catch (const GM_ExceptionFileCorrupted& e) {
            pourquoi = e.getDetail();
            const bool intacte = liste == salle->getListe(-1) && liste->getExecutes().toPlainText() == avant
                              && liste->getEtatAttendu() == etatAvant;
            return intacte ? QStringLiteral("refused") : QStringLiteral("refused late");
        } catch (const GM_ExceptionFileTooOld& e) {
            pourquoi = e.getMessage();
            return QStringLiteral("refused");
        }
        Demandeur demandeur;
        try {
            for (ZB_RoomTable* table : salle->getTables())
                table->rejoue(ZB_RoomTable::ModeVueSansAnimation, &demandeur);
        } catch (const GM_Exception& e) {
            pourquoi = e.getMessage();
            return QStringLiteral("refused late");
        }
        // A guard against a replay that waits for ever, not a measure of
        // speed.
        if (!QTest::qWaitFor([&] { return !salle->getListe(-1)->estReplayEnCours(); }, 60000))
            return QStringLiteral("hangs");
        QTest::qWait(1);
        // The notice of a block opened in part is shown through the boxes.
        bool avis = false;
        for (const auto& a : boites.historique()) {
            avis = avis || a.requete.texte_.contains(QStringLiteral("abîmée"));
            pourquoi += a.requete.texte_;
        }
        arrets_ = demandeur.arrets;
        if (demandeur.abimes > 0) {
            pourquoi = demandeur.raison;
            return QStringLiteral("refused on replay");
        }
        if (!demandeur.termine)
            pourquoi += QStringLiteral(" The replay stopped short.");
        return !avis && demandeur.termine ? QStringLiteral("whole") : QStringLiteral("in part");
    }

private slots:
    // A real record: a few deals of four computer players.
    void initTestCase()
    {
        QVERIFY(dossier.isValid());
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        std::unique_ptr<SalleDeTest> salle = salleEnJeu();
        ListeDesEvenements* liste = salle->getListe(-1);
        QVERIFY(QTest::qWaitFor([&] { return liste->getExecutes().blockCount() > 300; }, 120000));
        QMutexLocker verrou(liste->getMutex());
        QString texte;
        QTextStream out(&texte);
        liste->ecritTexte(out);
        partie = texte.toUtf8();
    }

    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("issues");
        const QStringList entiere{QStringLiteral("whole")};
        const QStringList enPartie{QStringLiteral("in part")};
        const QStringList refusee{QStringLiteral("refused")};
        const QList<QByteArray> lignes = lignesDe(partie);

        QTest::newRow("as written") << partie << entiere;
        QTest::newRow("empty") << QByteArray() << refusee;
        QTest::newRow("one byte") << partie.left(1) << refusee;
        QTest::newRow("header only") << QByteArray("12\r\n") << refusee;
        QTest::newRow("cut at 10 %") << coupe(partie, 0.10) << enPartie;
        QTest::newRow("cut at 50 %") << coupe(partie, 0.50) << enPartie;
        QTest::newRow("cut at 90 %") << coupe(partie, 0.90) << enPartie;
        QTest::newRow("cut at 99.9 %") << coupe(partie, 0.999) << enPartie;
        const qsizetype accent = partie.indexOf("é");
        QTest::newRow("cut inside a UTF-8 character") << partie.left(accent + 1) << refusee;

        QByteArray inverses = partie;
        QRandomGenerator alea(42);
        for (int i = 0; i < 20; ++i) {
            const qsizetype p = qsizetype(alea.bounded(int(inverses.size())));
            inverses[p] = char(inverses.at(p) ^ char(1 << alea.bounded(8)));
        }
        QTest::newRow("random byte flips") << inverses << QStringList{QStringLiteral("in part"), QStringLiteral("refused"),
                                                                      QStringLiteral("refused on replay")};

        QByteArray accolades = partie;
        for (char& c : accolades)
            c = c == '{' ? '}' : c == '}' ? '{' : c;
        QTest::newRow("swapped braces") << accolades << refusee;

        QList<QByteArray> sansSeparateur = lignes;
        const qsizetype milieu = sansSeparateur.size() / 2;
        sansSeparateur[milieu].replace(sansSeparateur[milieu].indexOf('!'), 1, "");
        QTest::newRow("a removed separator") << joint(sansSeparateur) << enPartie;

        QString negatifs = QString::fromUtf8(partie);
        negatifs.replace(QRegularExpression(QStringLiteral("(?<=!)(\\d+)(?=!)")), QStringLiteral("-\\1"));
        QTest::newRow("numbers negated") << negatifs.toUtf8() << refusee;

        QList<QByteArray> melangees = lignes.mid(1);
        std::shuffle(melangees.begin(), melangees.end(), QRandomGenerator(7));
        melangees.prepend(lignes.first());
        // A shuffled record may also end on an early line and open there.
        QTest::newRow("lines shuffled") << joint(melangees) << QStringList{QStringLiteral("whole"), QStringLiteral("in part"),
                                                                           QStringLiteral("refused")};

        // A snapshot of the second deal nested far deeper than any record.
        QList<QByteArray> imbrique = lignes;
        const auto enr = std::find_if(imbrique.begin() + 8, imbrique.end(),
                                      [](const QByteArray& l) { return l.startsWith("{Enr!"); });
        if (enr != imbrique.end())
            *enr = "{Enr!" + QByteArray(20000, '{') + QByteArray(20000, '}') + "!4!6!2!-1!0!-1!0!}\r";
        QTest::newRow("deep nesting in a snapshot") << joint(imbrique) << enPartie;
        QTest::newRow("400k-deep nesting") << QByteArray("12\r\n" + lignes.at(1) + "\n{Enr!" + QByteArray(400000, '{')
                                                         + QByteArray(400000, '}') + "!4!6!2!-1!0!-1!0!}\r\n")
                                           << refusee;
        QTest::newRow("one huge line") << QByteArray("12\r\n{Ajo!" + QByteArray(200000, 'x') + "!0!37!0!1!0!5!0!}\r\n")
                                       << refusee;
        QTest::newRow("several records in a row") << partie + joint(lignes.mid(1)) + joint(lignes.mid(1)) << entiere;

        // Deals no game can hold, in the first deal (which the table does
        // not replay, the last deal being rebuilt from its snapshot) or in
        // the last: refused before the load, the game in progress as it was.
        const auto estCarte = [](const QList<QByteArray>& c) { return c.value(0) == "{Ajo" && c.size() > 3; };
        QByteArray carteAvant;
        QTest::newRow("a card played twice") << changeChamps(lignes, [&](qsizetype, QList<QByteArray>& c) {
            if (!estCarte(c))
                return false;
            if (carteAvant.isEmpty()) {
                carteAvant = c[1];
                return false;
            }
            c[1] = carteAvant;
            return true;
        }) << refusee;
        QTest::newRow("card 7_20") << changeChamps(lignes, [&](qsizetype, QList<QByteArray>& c) {
            return estCarte(c) && !(c[1] = "7_20").isEmpty();
        }) << refusee;
        QTest::newRow("a tenth card") << changeChamps(lignes, [&](qsizetype, QList<QByteArray>& c) {
            return estCarte(c) && !(c[2] = QByteArray::number((c[2].toInt() + 2) % 4)).isEmpty();
        }) << refusee;
        bool aEchanger = true;
        QList<QByteArray> echangees = lignes;
        for (qsizetype i = 2; i < echangees.size() && aEchanger; ++i) {
            QList<QByteArray> a = echangees.at(i - 1).split('!');
            QList<QByteArray> b = echangees.at(i).split('!');
            if (estCarte(a) && estCarte(b) && b[3].toInt() == a[3].toInt() + 1) {
                std::swap(a[2], b[2]);
                echangees[i - 1] = a.join('!');
                echangees[i] = b.join('!');
                aEchanger = false;
            }
        }
        QTest::newRow("swapped seats") << joint(echangees) << refusee;
        // A snapshot deals other hands: a card of its deal is not in the
        // seat's hand, in the last deal or in the first, the others right.
        QList<qsizetype> enrs;
        for (qsizetype i = 0; i < lignes.size(); ++i)
            if (lignes.at(i).startsWith("{Enr!"))
                enrs << i;
        const auto generateurChange = [&](qsizetype ligne) {
            QList<QByteArray> generateur = lignes;
            QString enr = QString::fromUtf8(generateur.at(ligne));
            const QRegularExpression graine(QStringLiteral("^(\\{Enr!\\{-?\\d+!\\{\\d+!)(\\d+)"));
            const QRegularExpressionMatch m = graine.match(enr);
            if (m.hasMatch())
                enr.replace(0, m.capturedLength(), m.captured(1) + QString::number(m.captured(2).toLongLong() + 1));
            generateur[ligne] = enr.toUtf8();
            return joint(generateur);
        };
        QTest::newRow("a changed generator") << generateurChange(enrs.last()) << refusee;
        QTest::newRow("the first deal's generator changed") << generateurChange(enrs.first()) << refusee;
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, issues);
        QString pourquoi;
        const QString issue = ouvre(octets, pourquoi);
        QVERIFY2(issues.contains(issue), qPrintable(issue + QLatin1String(": ") + pourquoi));
        // A refusal and a game opened in part say why.
        if (issue != QLatin1String("whole"))
            QVERIFY2(!pourquoi.trimmed().isEmpty(), qPrintable(issue));
    }

    // A record whose last move no game can hold is refused before the
    // load, with the line: a card played twice, a card another seat holds.
    void dernierCoupRefuse_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("issue");
        const QList<QByteArray> lignes = lignesDe(partie);
        auto carte = [&lignes](qsizetype i) { return lignes.at(i).split('!').value(1); };
        QTest::newRow("a card played twice") << dernierCoupRemplace(lignes, [&](qsizetype k, qsizetype) {
            return carte(k - 1);
        }) << QStringLiteral("refused");
        QTest::newRow("a card another seat holds") << dernierCoupRemplace(lignes, [&](qsizetype, qsizetype m) {
            return carte(m);
        }) << QStringLiteral("refused");
    }
    void dernierCoupRefuse()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QString, issue);
        QVERIFY(!octets.isEmpty());
        QString pourquoi;
        QCOMPARE(ouvre(octets, pourquoi), issue);
        QCOMPARE(arrets_, 0);
    }

    // A real record of every way of dealing passes the deal check: a deal
    // dealt at once, a turned card with the rest dealt to the taker, a
    // dealer forced to take, the second half of a match of eight rounds.
    void everyGameTypeHoldsItsDeals_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("modeDeJeu");
        QTest::newRow("Jass, eight rounds") << int(TypeDePartie::GenreJass) << 2 << int(OptionsDePartie::ModeConcours);
        QTest::newRow("Belote Classique") << int(TypeDePartie::GenreBelote) << 6 << int(OptionsDePartie::ModeStandart);
        QTest::newRow("Belote Contrée") << int(TypeDePartie::GenreBelote) << 8 << int(OptionsDePartie::ModeStandart);
        QTest::newRow("Belote Vache") << int(TypeDePartie::GenreBelote) << 10 << int(OptionsDePartie::ModeStandart);
    }
    void everyGameTypeHoldsItsDeals()
    {
        QFETCH(int, genre);
        QFETCH(int, preset);
        QFETCH(int, modeDeJeu);
        OptionsDePartie options(genre);
        options.idPreset_ = preset;
        options.modeDeJeu_ = modeDeJeu;
        std::unique_ptr<SalleDeTest> salle = salleEnJeu(options);
        ListeDesEvenements* liste = salle->getListe(-1);
        const auto texte = [liste] {
            QMutexLocker verrou(liste->getMutex());
            QString t;
            QTextStream out(&t);
            liste->ecritTexte(out);
            out.flush();
            return t;
        };
        QVERIFY2(QTest::qWaitFor([&] { return texte().count(QLatin1String("{Enr!")) > 6; }, 120000),
                 qPrintable(QStringLiteral("%1 deals").arg(texte().count(QLatin1String("{Enr!")))));
        const QString record = texte();
        try {
            ZB_FichierDePartie::verifieLesDonnes(record.split(QStringLiteral("\r\n")));
        } catch (const GM_ExceptionFileCorrupted& e) {
            QFAIL(qPrintable(e.getDetail()));
        }
    }

    // A file far beyond any game is refused before it is read.
    void oversizedFile()
    {
        QFile f(dossier.filePath(QStringLiteral("enorme.jss")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(ZB_FichierDePartie::TailleMaximale + 1)); // sparse: nothing is written
        f.close();
        QFile lu(f.fileName());
        try {
            ZB_FichierDePartie::ouvrePourLecture(lu);
            QFAIL("an oversized file was taken");
        } catch (const GM_ExceptionFileCorrupted& e) {
            QVERIFY2(e.getDetail().contains(QStringLiteral("Mo")), qPrintable(e.getDetail()));
        }
    }
};

ZB_REGISTER_TEST(TestDamagedGameFiles)
#include "TestDamagedGameFiles.moc"
