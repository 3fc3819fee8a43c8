#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_KnuthRandom.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventsGroup.h"
#include "ZB_FichierDePartie.h"
#include "ZB_GardeDesTours.h"
#include "ZB_Room.h"
#include "ZB_RoomTable.h"
#include "CompteAvertissements.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <functional>
#include <memory>

namespace {

// The room with its user-facing operations recorded instead of shown.
class SalleDeTest : public ZB_Room
{
public:
    using ZB_Room::ZB_Room;
    QStringList appels;
    int reponsesNouvellePartie = 0;

    void askQuit(QObject*, const char*) override { appels << QStringLiteral("askQuit"); }
    void disconnectFromServer() override { appels << QStringLiteral("disconnectFromServer"); }
    void startHosting(QSharedPointer<GM_SocketAbstract>, const QString&, quint16, quint16, quint16, qint64) override
    {
        appels << QStringLiteral("startHosting");
    }
    void saveAs(const QString&) override {}
    void writeToStream(QTextStream&) override {}
    void connectToServer(const QString& adresse, quint16 port, const QString&, qint64, int, bool,
                         QSharedPointer<GM_SocketAbstract>) override
    {
        appels << QStringLiteral("connectToServer %1:%2").arg(adresse).arg(port);
    }
    void sendToServer(const EvenementDeJeu&) override {}
    // What the load throws instead of reading, when set.
    std::function<void()> lanceAuChargement;
    bool loadFromStream(QTextStream& in, int* type, quint64 noTable, int* lignes) override
    {
        if (lanceAuChargement)
            lanceAuChargement();
        return ZB_Room::loadFromStream(in, type, noTable, lignes);
    }
    void endOnlineGame(bool) override { appels << QStringLiteral("endOnlineGame"); }
    void answerNextGame(bool) override { ++reponsesNouvellePartie; }
};

OptionsDuJoueur ordinateur(int siege)
{
    OptionsDuJoueur j;
    j.nom_ = randomPlayerName();
    j.id_ = 900 + siege;
    j.distant_ = 0;
    j.ordinateur_ = 1;
    j.optionsAI_.nbrCombinations_ = 30;
    return j;
}

OptionsDePartie optionsDuPreset(int genre, int idPreset)
{
    TypeDePartie::initTypesDePartie(genre);
    OptionsDePartie options(genre);
    options.idPreset_ = idPreset;
    return options;
}

} // namespace

class TestRoom : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dossier;
    ZB_DisplayEmpty display;
    std::unique_ptr<SalleDeTest> salle;

    // A room of one Jass table that saves into dossierDonnees (the test's
    // folder when empty) and shows its boxes on boites, when given.
    void ouvre(bool sansSauvegarde = true, const QString& dossierDonnees = QString(),
               GM_MessageBoxDisplayerA* boites = nullptr)
    {
        ZB_Room::Parametres p;
        p.sansSauvegarde = sansSauvegarde;
        p.modeSimple = true;
        p.sansDelai = true;
        p.dossierDonnees = (dossierDonnees.isEmpty() ? dossier.path() : dossierDonnees) + QLatin1Char('/');
        salle = std::make_unique<SalleDeTest>(nullptr, &display, boites, OptionsDePartie(TypeDePartie::GenreJass), p);
    }
    // A game of the local user at seat 0 with three computers, played on
    // (the user acknowledges each deal as the panel would) until fini holds,
    // for 20 s at most.
    void joueAvecLUtilisateurJusqua(const std::function<bool()>& fini)
    {
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 0));
        OptionsDuJoueur humain;
        humain.nom_ = QStringLiteral("Moi");
        humain.id_ = 42;
        humain.ordinateur_ = 0;
        humain.distant_ = 0;
        salle->inscritJoueur(humain, 2, 0);
        for (int siege = 1; siege < 4; ++siege)
            salle->inscritJoueur(ordinateur(siege), 2 + siege, 0);
        QVERIFY(attendEtat(EtatDeJeu::AttendDistribue1, 10));
        QElapsedTimer attente;
        attente.start();
        while (!fini() && attente.elapsed() < 20000) {
            if (liste()->getEtatAttendu() >= EtatDeJeu::AttendDistribue1
                && liste()->getEtatAttendu() <= EtatDeJeu::AttendDistribue4)
                salle->getTable(0)->getJoueur(0)->actionDistribue();
            QTest::qWait(5);
        }
    }
    void demarre(const OptionsDePartie& options, int mode = ZB_Room::NouvellePartie)
    {
        int session = ZB_Room::SessionLocale;
        salle->reponse_Depart(&mode, &session, options, QString(), QString(), 4001, 4002, 4000, 0, false, {}, -1);
    }
    void inscritOrdinateurs()
    {
        for (int siege = 0; siege < 4; ++siege)
            salle->inscritJoueur(ordinateur(siege), 2 + siege, 0);
    }
    ListeDesEvenements* liste() const { return salle->getListe(-1); }
    bool attendEtat(int etat, int secondes)
    {
        QElapsedTimer inactif;
        inactif.start();
        int derniers = -1;
        // States move on quickly, and a group of new-player states is walked
        // through: a target passed counts as reached.
        while (etat == EtatDeJeu::QuestionNouvellePartie ? !liste()->attend(EtatDeJeu::QuestionNouvellePartie)
                                                         : liste()->getEtatAttendu() < etat) {
            QTest::qWait(2);
            const int executes = liste()->getExecutes().blockCount();
            if (executes != derniers) {
                derniers = executes;
                inactif.restart();
            } else if (inactif.elapsed() > secondes * 1000) {
                qWarning("stalled in state %d", liste()->getEtatAttendu());
                return false;
            }
        }
        return true;
    }

private slots:
    void init() { QVERIFY(dossier.isValid()); }
    void cleanup() { salle.reset(); }

    // The room plays whole matches headless: four computer players, the
    // room's own state steps, end of rounds and end of the match.
    void matchEntier_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("preset");
        QTest::newRow("jass") << 0 << 0;
        QTest::newRow("belote coinchee") << 1 << 9;
    }
    void matchEntier()
    {
        QFETCH(int, genre);
        QFETCH(int, preset);
        ouvre();
        QSignalSpy fin(salle.get(), &ZB_Room::signalSendStatsGameCompleted);
        CompteAvertissements avertissements;
        demarre(optionsDuPreset(genre, preset));
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::QuestionNouvellePartie, 30));
        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(fin.count(), 1);
        ZB_RoomTable* table = salle->getTable(0);
        const int objectif = table->getTypeDePartie().pointsObjectif_;
        const int t0 = table->getSettingsPartie().scores_[0] + table->totalDonne(0);
        const int t1 = table->getSettingsPartie().scores_[1] + table->totalDonne(1);
        QVERIFY(t0 >= objectif || t1 >= objectif);
        // The end-of-game answers of the computers go back to the room.
        QTRY_COMPARE(salle->reponsesNouvellePartie, 1);
    }

    void presets_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("fichier");
        QTest::newRow("winning, normal") << int(ZB_Room::NouvellePartieGagnante) << 0
                                         << QStringLiteral(":/preset_games_jass_suisse_romand_normal_winning.csv");
        QTest::newRow("winning, pique double")
            << int(ZB_Room::NouvellePartieGagnante) << 1
            << QStringLiteral(":/preset_games_jass_suisse_romand_piquedouble_winning.csv");
        QTest::newRow("tournament") << int(ZB_Room::NouvellePartie) << 15
                                    << QStringLiteral(":/preset_games_tournament_long_balanced.csv");
        QTest::newRow("none") << int(ZB_Room::NouvellePartie) << 2 << QString();
    }
    void presets()
    {
        QFETCH(int, mode);
        QFETCH(int, preset);
        QFETCH(QString, fichier);
        ouvre();
        demarre(optionsDuPreset(TypeDePartie::GenreJass, preset), mode);
        const QString etat = salle->getTable(0)->getSettingsPartie().random_.sauveValeursDansString();
        const QStringList lignes = ZB_FichierDePartie::lisPreset(fichier.isEmpty() ? QStringLiteral(":/nothing") : fichier);
        if (fichier.isEmpty()) {
            QVERIFY(lignes.isEmpty());
        } else {
            QVERIFY(!lignes.isEmpty());
            // The files keep signed seeds; the generator writes them unsigned.
            bool trouve = false;
            for (const QString& ligne : lignes) {
                GM_KnuthRandom g;
                g.chargeValeursDepuisString(ligne);
                if (g.sauveValeursDansString() == etat) {
                    trouve = true;
                    break;
                }
            }
            QVERIFY2(trouve, qPrintable(etat));
        }
    }

    // The saved game of a finished match, opened in a fresh room, replays to
    // the same scores; a broken file throws, and the room starts the next
    // game normally. The seeds 41 and 71 deal, in the last deal, two equal
    // announcements of plain suits: the replay must credit the same seat.
    void sauvegardeEtFilm_data()
    {
        QTest::addColumn<quint32>("graine");  // 0: the clock's
        QTest::newRow("clock") << quint32(0);
        QTest::newRow("seed 41, tie in the last deal") << quint32(41);
        QTest::newRow("seed 71, tie in the last deal") << quint32(71);
    }
    void sauvegardeEtFilm()
    {
        QFETCH(quint32, graine);
        ouvre();
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 0));
        if (graine != 0)
            salle->getTable(0)->settingsPartie().random_.initialise(graine);
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::QuestionNouvellePartie, 30));
        ZB_RoomTable* table = salle->getTable(0);
        const int t0 = table->getSettingsPartie().scores_[0] + table->totalDonne(0);
        const int t1 = table->getSettingsPartie().scores_[1] + table->totalDonne(1);
        salle->saveToFile();
        QVERIFY(QFile::exists(salle->getCheminSauvegarde()));

        SalleDeTest* ancienne = salle.release();
        const QString chemin = ancienne->getCheminSauvegarde();
        delete ancienne;
        ouvre();
        int mode = ZB_Room::RepriseFichier;
        int session = ZB_Room::SessionLocale;
        salle->reponse_Depart(&mode, &session, optionsDuPreset(TypeDePartie::GenreJass, 0), chemin, QString(), 4001,
                              4002, 4000, 0, false, {}, -1);
        ZB_RoomTable* film = salle->getTable(0);
        QVERIFY(film->getLignes().size() > 100);
        QVERIFY(film->rejoue(1));
        QTRY_VERIFY(!liste()->estReplayEnCours());
        QCOMPARE(film->getSettingsPartie().scores_[0] + film->totalDonne(0), t0);
        QCOMPARE(film->getSettingsPartie().scores_[1] + film->totalDonne(1), t1);

        // A hand-edited file whose block has no version.
        const QString casse = dossier.path() + QStringLiteral("/casse.jss");
        {
            QFile f(casse);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a game\r\n{Ajo!x}\r\n");
        }
        mode = ZB_Room::OuvreFichier;
        QVERIFY_THROWS_EXCEPTION(GM_ExceptionFileCorrupted,
                                 salle->reponse_Depart(&mode, &session, optionsDuPreset(TypeDePartie::GenreJass, 0),
                                                       casse, QString(), 4001, 4002, 4000, 0, false, {}, -1));
        // Nothing stays locked: a new game starts and plays.
        QVERIFY(liste()->getMutex()->tryLock());
        liste()->getMutex()->unlock();
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 0));
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::Tour1_NouveauJoueur1, 10));
    }

    // What the load throws: the program's own exceptions reach the caller
    // as they are; bare text is shown as a fatal error whose answer quits.
    void exceptionsAuChargement_data()
    {
        QTest::addColumn<int>("genre"); // 0 GM_ExceptionFileCorrupted, 1 QString, 2 C string
        QTest::newRow("file corrupted") << 0;
        QTest::newRow("text") << 1;
        QTest::newRow("C text") << 2;
    }
    void exceptionsAuChargement()
    {
        QFETCH(int, genre);
        // A game saved once its four players are in.
        ouvre(false);
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 0));
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::AttendMise1_1, 10));
        salle->saveToFile();
        const QString chemin = salle->getCheminSauvegarde();
        QVERIFY(QFile::exists(chemin));
        salle.reset();

        GM_MessageBoxDisplayerHeadless boites;
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        const auto sansSalle = qScopeGuard([this] { salle.reset(); });
        ouvre(true, QString(), &boites);
        salle->lanceAuChargement = [genre] {
            if (genre == 0)
                throw GM_ExceptionFileCorrupted(QStringLiteral("abîmé"));
            if (genre == 1)
                throw QStringLiteral("Plus de mémoire");
            throw "Plus de mémoire";
        };
        int mode = ZB_Room::OuvreFichier;
        int session = ZB_Room::SessionLocale;
        auto charge = [&] {
            salle->reponse_Depart(&mode, &session, optionsDuPreset(TypeDePartie::GenreJass, 0), chemin, QString(),
                                  4001, 4002, 4000, 0, false, {}, -1);
        };
        if (genre == 0) {
            QString detail;
            try {
                charge();
            } catch (const GM_ExceptionFileCorrupted& e) {
                detail = e.getDetail();
            }
            QCOMPARE(detail, QStringLiteral("abîmé"));
            QCoreApplication::processEvents();
            QVERIFY(boites.historique().isEmpty());
            return;
        }
        CompteAvertissements avertissements;
        charge();
        QCOMPARE(CompteAvertissements::premier, QStringLiteral("Fatal Exception: Plus de mémoire"));
        QTRY_COMPARE_WITH_TIMEOUT(boites.historique().size(), 1, 5000);
        const GM_MessageBoxRequest boite = boites.historique().first().requete;
        QCOMPARE(boite.icone_, GM::Critical);
        QCOMPARE(boite.titre_, QStringLiteral("Fatal Exception"));
        QCOMPARE(boite.texte_, QStringLiteral("Plus de mémoire"));
        QCOMPARE(boite.boutons_, GM::Ok);
        QCOMPARE(boite.destinataire_.data(), static_cast<QObject*>(salle.get()));
        QCOMPARE(boite.slotAccepte_, QByteArray("OnAppQuit"));
        // The answer reaches the slot by its name (a wrong one would warn).
        QCoreApplication::processEvents();
        QCOMPARE(CompteAvertissements::compte.load(), 1);
    }

    // Hand-edited files: each fails with its exception and leaves the room
    // ready for the next game.
    void fichiersAbimes_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<bool>("charge");   // the load itself succeeds
        QTest::newRow("no version") << QByteArray("not a game\r\nstill not\r\n") << false;
        QTest::newRow("table beyond the file") << QByteArray("<nbrtables>\r\n1\r\nx\r\n") << false;
        // Refused before the room changes: nothing of them reads as a game.
        QTest::newRow("unknown kind") << QByteArray("12\r\n{Zzz!x!4!1!2!-1!0!-1!0!}\r\n{Zzz!y!4!2!2!-1!0!-1!0!}\r\n")
                                      << false;
        QTest::newRow("broken event") << QByteArray("12\r\n{InP!{{{!4!1!2!-1!0!-1!0!}\r\n{Ajo!1_6!0!37!0!700!0!5!0!}\r\n")
                                      << false;
    }
    void fichiersAbimes()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(bool, charge);
        ouvre();
        const QString chemin = dossier.path() + QStringLiteral("/abime.jss");
        {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenu);
        }
        int mode = ZB_Room::OuvreFichier;
        int session = ZB_Room::SessionLocale;
        auto charge_ = [&] {
            salle->reponse_Depart(&mode, &session, optionsDuPreset(TypeDePartie::GenreJass, 0), chemin, QString(),
                                  4001, 4002, 4000, 0, false, {}, 3);
        };
        if (!charge) {
            QVERIFY_THROWS_EXCEPTION(GM_ExceptionFileCorrupted, charge_());
        } else {
            charge_();
            CompteAvertissements avertissements;
            bool lance = false;
            try {
                salle->getTable(0)->rejoue(1);
            } catch (const GM_Exception&) {
                lance = true;
            }
            QCoreApplication::processEvents();
            QVERIFY(lance || CompteAvertissements::compte > 0);
        }
        for (ZB_RoomTable* table : salle->getTables()) {
            ListeDesEvenements* l = salle->getListe(table->getNoTable());
            QVERIFY(l->getMutex()->tryLock());
            l->getMutex()->unlock();
        }
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 0));
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::Tour1_AttendCarte1, 10));
    }

    // Tables replaced in the middle of a game: whatever their players and
    // timers still had under way never reaches them.
    void tablesRemplaceesEnCoursDeJeu()
    {
        ouvre();
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 0));
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::Tour1_AttendCarte1 + 3, 10));
        QVERIFY(salle->setNombreDeTables(2, 0));
        QTest::qWait(50);
        QVERIFY(salle->setNombreDeTables(1, 0));
        QTest::qWait(50);
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 0));
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::Tour1_AttendCarte1 + 3, 10));
    }

    // The autosave at the local user's first turn is written while the list
    // runs its queue: it must not wait for the list's own lock. The file must
    // come from this game, not from an earlier test in the same folder.
    void sauvegardeAuTourDuJoueurLocal()
    {
        QTemporaryDir propre;
        QVERIFY(propre.isValid());
        ouvre(false, propre.path());
        // The user's first turn (trump choice or first card) saves the game.
        joueAvecLUtilisateurJusqua([this] { return QFile::exists(salle->getCheminSauvegarde()); });
        QVERIFY(QFile::exists(salle->getCheminSauvegarde()));
        QVERIFY(liste()->getMutex()->tryLock());
        liste()->getMutex()->unlock();
        salle.reset();
    }

    // An autosave that keeps failing (a full disk) is reported once, at the
    // user's turn, not again at each later save; once a save has succeeded,
    // the next failure is reported again.
    void autosauvegardeEnEchecSignaleeUneFois()
    {
        QTemporaryDir propre;
        QVERIFY(propre.isValid());
        // A regular file stands where the data folder should be.
        const QString bouchon = propre.filePath(QStringLiteral("donnees"));
        {
            QFile f(bouchon);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        GM_MessageBoxDisplayerHeadless boites;
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        // The room goes before the boxes' displayer, also when a check fails.
        const auto sansSalle = qScopeGuard([this] { salle.reset(); });
        ouvre(false, bouchon, &boites);
        const QString chemin = salle->getCheminSauvegarde();
        joueAvecLUtilisateurJusqua([&boites] { return !boites.historique().isEmpty(); });
        QCOMPARE(boites.historique().size(), 1);
        salle->saveToFile();
        salle->saveToFile();
        // Quitting on the same full disk: told already, the program goes.
        QVERIFY(salle->sauveAvantDeQuitter(nullptr, nullptr));

        // The folder can be made again: the save succeeds, silently.
        QVERIFY(QFile::remove(bouchon));
        salle->saveToFile();
        QVERIFY(QFile::exists(chemin));
        const QByteArray sauvee = [&] {
            QFile f(chemin);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(sauvee.startsWith("12\r\n"));

        // A folder stands where the file goes: the next failure is told.
        QVERIFY(QFile::rename(chemin, chemin + QStringLiteral(".garde")));
        QVERIFY(QDir().mkdir(chemin));
        salle->saveToFile();
        // The boxes come in the order they were asked for: once the last
        // failure's box is there, any box of the saves before it is too.
        QTRY_VERIFY_WITH_TIMEOUT(boites.historique().size() >= 2, 5000);
        const QList<GM_MessageBoxDisplayerHeadless::Affichage> vues = boites.historique();
        QCOMPARE(vues.size(), 2);
        QVERIFY2(vues[0].requete.texte_.startsWith(QStringLiteral("Unable to save file '%1': ").arg(chemin)),
                 qPrintable(vues[0].requete.texte_));
        QVERIFY2(vues[1].requete.texte_.startsWith(QStringLiteral("Unable to open file '%1': ").arg(chemin)),
                 qPrintable(vues[1].requete.texte_));

        // A save that first fails on the way out is told in a box the
        // program waits for, once.
        QVERIFY(QDir().rmdir(chemin));
        salle->saveToFile();
        QVERIFY(QFile::remove(chemin));
        QVERIFY(QDir().mkdir(chemin));
        QVERIFY(!salle->sauveAvantDeQuitter(nullptr, nullptr));
        QVERIFY(salle->sauveAvantDeQuitter(nullptr, nullptr));
        QTRY_VERIFY_WITH_TIMEOUT(boites.historique().size() >= 3, 5000);
        QTest::qWait(1);
        QCOMPARE(boites.historique().size(), 3);
        QVERIFY2(boites.historique().at(2).requete.texte_.contains(QStringLiteral("Unable to open file")),
                 qPrintable(boites.historique().at(2).requete.texte_));
    }

    // The next game with the same players (start mode 4): the list keeps
    // the game inscription, inscribes the seated players again and the new
    // match plays. Emptying the lists (mode 6) leaves the tables waiting.
    void memesJoueursPuisListesVides()
    {
        ouvre();
        demarre(optionsDuPreset(TypeDePartie::GenreJass, 4));
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::QuestionNouvellePartie, 30));
        QStringList noms;
        for (int siege = 0; siege < 4; ++siege)
            noms << salle->getTable(0)->getJoueur(siege)->options_.nom_;
        int mode = ZB_Room::MemesJoueurs;
        int session = ZB_Room::SessionAutre;
        salle->reponse_Depart(&mode, &session, optionsDuPreset(TypeDePartie::GenreJass, 4), QString(), QString(), 4001,
                              4002, 4000, 0, false, {}, -1);
        QVERIFY(attendEtat(EtatDeJeu::Tour1_AttendRamasseTas1, 10));
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(salle->getTable(0)->getJoueur(siege)->options_.nom_, noms.at(siege));
        QVERIFY(attendEtat(EtatDeJeu::QuestionNouvellePartie, 30));

        mode = ZB_Room::ViderListes;
        salle->reponse_Depart(&mode, &session, optionsDuPreset(TypeDePartie::GenreJass, 4), QString(), QString(), 4001,
                              4002, 4000, 0, false, {}, -1);
        // Waiting for a game inscription that nobody queued.
        QCoreApplication::processEvents();
        QCOMPARE(liste()->getExecutes().blockCount(), 1);
        QCOMPARE(liste()->getEtatAttendu(), EtatDeJeu::AttendInscriptionPartie);
    }

    // An eight-round match tells the user, after four deals, that the same
    // deals come again with the hands turned by one seat.
    void concoursHuitTours()
    {
        GM_MessageBoxDisplayerHeadless boites;
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        ouvre(true, QString(), &boites);
        OptionsDePartie options = optionsDuPreset(TypeDePartie::GenreJass, 0);
        options.modeDeJeu_ = OptionsDePartie::ModeConcours;
        demarre(options);
        inscritOrdinateurs();
        QVERIFY(attendEtat(EtatDeJeu::QuestionNouvellePartie, 60));
        QCOMPARE(salle->getTable(0)->getSettingsPartie().toursJoues_, 8);
        int concours = 0;
        for (const auto& affichage : boites.historique())
            if (affichage.requete.titre_ == QStringLiteral("Information concours."))
                ++concours;
        QCOMPARE(concours, 1);
        // The boxes' displayer goes with this function: the room first.
        salle.reset();
    }

    void questionNouvellePartie()
    {
        ouvre();
        salle->setNombreDeTables(2, 0);
        salle->getListe(0)->setEtatAttendu(EtatDeJeu::QuestionNouvellePartie);
        salle->getListe(1)->setEtatAttendu(EtatDeJeu::Tour8_AttendRamasseTas1 + 3);
        salle->OnQuestionNouvellePartie(true);
        QCOMPARE(salle->reponsesNouvellePartie, 0);
        salle->getListe(1)->setEtatAttendu(EtatDeJeu::QuestionNouvellePartie);
        salle->OnQuestionNouvellePartie(true);
        QCOMPARE(salle->reponsesNouvellePartie, 1);
    }

    // The delayed end of a hosted round is a slot: an event that fails there
    // is reported and dropped, nothing is thrown into the event loop, and
    // every list is free again.
    void finDeTourDiffereeSansException()
    {
        ouvre();
        QVERIFY(salle->setNombreDeTables(2, 0));
        EvenementDeJeu casse(EvenementDeJeu::InP, QStringLiteral("x y z"), ZB_RoomTable::SiegeTable,
                             EtatDeJeu::InscriptionJoueur0,
                             EvenementDeJeu::Local_Table, -1, 0, -1, 0, ZB_ICI);
        salle->getListe(0)->execute_unlocked(-1, casse, false);
        QVERIFY(!salle->getListe(0)->getEnQueue(2).isEmpty());
        salle->getListe(0)->setEtatAttendu(EtatDeJeu::Tour9_AttendRamasseTas4);
        salle->getListe(1)->setEtatAttendu(EtatDeJeu::Tour9_AttendRamasseTas4);
        CompteAvertissements avertissements;
        bool lance = false;
        try {
            salle->OnQuickFixDelayCompleteRound();
        } catch (...) {
            lance = true;
        }
        QVERIFY(!lance);
        QVERIFY(CompteAvertissements::compte > 0);
        for (int no = 0; no < 2; ++no) {
            QVERIFY(salle->getListe(no)->getMutex()->tryLock());
            salle->getListe(no)->getMutex()->unlock();
        }
    }

    // Tables of one room stay in step: a table ahead waits at the states
    // that must be played together.
    void tablesEnPhase()
    {
        ouvre();
        QVERIFY(salle->setNombreDeTables(3, 0));
        QCOMPARE(salle->getTables().size(), 3);
        int inutile = 0;
        salle->getListe(0)->setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        salle->getListe(1)->setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 1);
        salle->getListe(2)->setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        QVERIFY(!salle->peutContinuer(inutile, 0)); // ahead of table 1
        QVERIFY(salle->peutContinuer(inutile, 1));  // behind: catches up
        salle->getListe(1)->setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        QVERIFY(salle->peutContinuer(inutile, 0));  // all equal
        salle->getListe(1)->setEtatAttendu(EtatDeJeu::AttendMise2_1);
        QVERIFY(salle->peutContinuer(inutile, 0));  // 25 states ahead
        salle->getListe(0)->setEtatAttendu(EtatDeJeu::AttendMise3_1 + 1);
        QVERIFY(salle->peutContinuer(inutile, 0));  // bids run freely
    }

    // A client joining table 3 plays one table numbered 3.
    void clientRenumerote()
    {
        ouvre();
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        salle->reponse_Depart(&mode, &session, optionsDuPreset(TypeDePartie::GenreJass, 0),
                              QStringLiteral("127.0.0.1"), QStringLiteral("moi"), 4001, 4002, 4000, 5, false, {}, 3);
        QCOMPARE(salle->getTables().keys(), QList<int>{3});
        QCOMPARE(salle->getTable(3)->getNoTable(), 3);
        QVERIFY(salle->getListe(3) != nullptr);
        QCOMPARE(salle->appels.last(), QStringLiteral("connectToServer 127.0.0.1:4001"));
        QCOMPARE(salle->getEtatEnLigne(), int(ZB_Room::Client));
    }

    // Events for a table the room does not have are dropped.
    void tableInconnue()
    {
        ouvre();
        auto* ev = new EvenementDeJeu(EvenementDeJeu::Mes, QStringLiteral("bonjour"), 0, EtatDeJeu::HorsDeroulement,
                                      EvenementDeJeu::Remote_Human, 1, 0, -1, 7, ZB_ICI);
        QCoreApplication::postEvent(salle.get(), ev);
        QCoreApplication::processEvents();
        QCOMPARE(salle->getTables().size(), 1);
    }

    void nomsAleatoires()
    {
        QFile f(QStringLiteral(":/first_names.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lignes = f.readAll().trimmed().split('\n');
        QCOMPARE(lignes.size(), 946);
        for (int i = 0; i < 200; ++i) {
            const QString nom = randomPlayerName();
            QVERIFY(!nom.isEmpty());
            QVERIFY2(nom.at(0).isUpper(), qPrintable(nom));
            const qsizetype tiret = nom.indexOf(QLatin1Char('-'));
            if (tiret >= 0)
                QVERIFY2(nom.at(tiret + 1).isUpper(), qPrintable(nom));
            QVERIFY(lignes.contains(nom.toLower().toUtf8()));
        }
    }

    // Three seats drawn together never share a name, nor take one that
    // another seat already wears (compared without case).
    void nomsAleatoiresDistincts()
    {
        QFile f(QStringLiteral(":/first_names.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList tous;
        for (const QByteArray& ligne : f.readAll().trimmed().split('\n'))
            tous << QString::fromUtf8(ligne.trimmed());
        // Every other name taken: the draw keeps clear of them.
        QStringList exclus;
        for (qsizetype i = 0; i < tous.size(); i += 2)
            exclus << tous.at(i);
        for (int i = 0; i < 200; ++i) {
            const QStringList noms = randomPlayerNames(3, exclus);
            QCOMPARE(noms.size(), 3);
            for (const QString& nom : noms) {
                QVERIFY2(!exclus.contains(nom, Qt::CaseInsensitive), qPrintable(nom));
                QCOMPARE(noms.filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(nom) + QLatin1Char('$'),
                                                        QRegularExpression::CaseInsensitiveOption))
                             .size(),
                         1);
            }
        }
        // The list far outnumbers the seats: no exclusion, no repeat.
        for (int i = 0; i < 200; ++i) {
            const QStringList noms = randomPlayerNames(3, {});
            QCOMPARE(QSet<QString>(noms.begin(), noms.end()).size(), 3);
        }
    }

    // When the host gives up a seat played elsewhere that owes a state
    // (turn's time 10 s): its entries' catch-up time counts once a deal, and
    // none for a player given up twice before that has not played since,
    // who is kept out of the match once given up thrice.
    void gardeDesTours_data()
    {
        QTest::addColumn<int>("abandonsAvant");
        QTest::addColumn<bool>("joueDepuis");
        QTest::addColumn<QList<int>>("donnesDesEntrees"); // one entry every 50 s
        QTest::addColumn<qint64>("abandon");              // after the state began
        QTest::newRow("an entry") << 0 << false << QList<int>{1} << qint64(82000);
        QTest::newRow("again in the deal") << 0 << false << QList<int>{1, 1} << qint64(82000);
        QTest::newRow("again in the next deal") << 0 << false << QList<int>{1, 2} << qint64(132000);
        QTest::newRow("back once silent") << 1 << false << QList<int>{1} << qint64(82000);
        QTest::newRow("back twice silent") << 2 << false << QList<int>{1} << qint64(22000);
        QTest::newRow("back, played since") << 2 << true << QList<int>{1} << qint64(82000);
        QTest::newRow("back thrice silent") << 3 << false << QList<int>{1} << qint64(22000);
        QTest::newRow("back thrice, played since") << 3 << true << QList<int>{1} << qint64(82000);
    }
    void gardeDesTours()
    {
        QFETCH(int, abandonsAvant);
        QFETCH(bool, joueDepuis);
        QFETCH(QList<int>, donnesDesEntrees);
        QFETCH(qint64, abandon);
        ZB_GardeDesTours garde;
        std::array<ZB_GardeDesTours::Siege, 4> sieges{};
        sieges[1] = {7, true, -1};
        const qint64 delai = 10000;
        qint64 t = 0;
        for (int etat = 40; etat < 40 + abandonsAvant; ++etat) {
            sieges[1].etatDemande = etat;
            QCOMPARE(garde.observe(0, etat, sieges, delai, t), -1);
            t += delai + ZB_GardeDesTours::MargeMs;
            QCOMPARE(garde.observe(0, etat, sieges, delai, t), 7);
        }
        if (joueDepuis)
            garde.repond(7);
        QCOMPARE(garde.entreALaProchaineDonne(7), abandonsAvant >= 2 && !joueDepuis);
        QCOMPARE(garde.estEcarte(7), abandonsAvant >= 3 && !joueDepuis);
        const qint64 debut = t;
        for (const int donne : donnesDesEntrees) {
            garde.entre(7, t, donne);
            t += 50000;
        }
        sieges[1].etatDemande = 50;
        QCOMPARE(garde.observe(0, 50, sieges, delai, debut), -1);
        QCOMPARE(garde.observe(0, 50, sieges, delai, debut + abandon - 1000), -1);
        QCOMPARE(garde.observe(0, 50, sieges, delai, debut + abandon), 7);
        garde.nouvellePartie();
        QVERIFY(!garde.estEcarte(7) && !garde.entreALaProchaineDonne(7));
    }
};

ZB_REGISTER_TEST(TestRoom)
#include "TestRoom.moc"
