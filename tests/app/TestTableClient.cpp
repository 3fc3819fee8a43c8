#include "GM_MessageBoxDisplayerHeadless.h"
#include "InfoDemande.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "EtatDeJeu.h"
#include "ServerView.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "ZB_AIError.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventSocketError.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTranslator>

#include <memory>

namespace {

// Remembers the view modes the tables replay with, and whether the user
// watches or sits at the table.
class DisplayTemoin : public ZB_DisplayEmpty
{
public:
    QList<int> modesVue;
    bool vueActive = false;
    void setModeVue(int mode) override
    {
        modesVue << mode;
        vueActive = mode != 0;
    }
    void afficheTable() override { vueActive = false; }
    bool estModeVueActif() override { return vueActive; }
    int attentes = 0;
    void afficheAttenteDuJeu() override { ++attentes; }
};

// Receives the answer of the quit question.
class Quitteur : public QObject
{
    Q_OBJECT
public:
    QList<int> reponses;
public slots:
    void OnQuit(int reponse) { reponses << reponse; }
};

OptionsDePartie optionsJass()
{
    TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
    OptionsDePartie options(TypeDePartie::GenreJass);
    options.idPreset_ = 4;
    return options;
}

} // namespace

class TestTableClient : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dossier;
    DisplayTemoin display;
    GM_MessageBoxDisplayerHeadless boites;
    std::unique_ptr<TableClient> salle;

    void ouvre()
    {
        ZB_Room::Parametres p;
        p.modeSimple = true;
        p.sansDelai = true;
        p.dossierDonnees = dossier.path() + QLatin1Char('/');
        salle = std::make_unique<TableClient>(nullptr, &display, &boites, OptionsDePartie(TypeDePartie::GenreJass), p);
    }
    QStringList textes() const
    {
        QStringList t;
        for (const auto& a : boites.historique())
            t << a.requete.titre_ + QLatin1String(" | ") + a.requete.texte_;
        return t;
    }
    // A session that counts as online without any socket: hosting.
    void enLigne()
    {
        int mode = ZB_Room::ViderListes;
        int session = ZB_Room::SessionServeur;
        salle->reponse_Depart(&mode, &session, optionsJass(), QString(), QString(), 4001, 4002, 4000, 0, false, {},
                              -1);
    }

    // A new local game; the user at seat 0, else the computer at every seat.
    void nouvellePartie(bool utilisateur)
    {
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionLocale;
        salle->reponse_Depart(&mode, &session, optionsJass(), QString(), QString(), 4001, 4002, 4000, 0, false, {},
                              -1);
        for (int siege = 0; siege < 4; ++siege) {
            OptionsDuJoueur joueur;
            joueur.id_ = 10 + siege;
            joueur.ordinateur_ = utilisateur && siege == 0 ? 0 : 1;
            salle->inscritJoueur(joueur, EtatDeJeu::InscriptionJoueur0 + siege, 0);
        }
    }

private slots:
    void init()
    {
        // A box a test left on screen would hold back the next test's.
        while (boites.aUneBoiteAffichee())
            boites.repond(GM::Ok);
        boites.effaceHistorique();
        boites.setRepondeur(nullptr);
        display.modesVue.clear();
        ouvre();
    }
    void cleanup() { salle.reset(); }

    void quitter()
    {
        Quitteur quitteur;
        // Not online: no question.
        salle->askQuit(&quitteur, SLOT(OnQuit(int)));
        QTRY_COMPARE(quitteur.reponses.size(), 1);
        QVERIFY(textes().isEmpty());

        enLigne();
        salle->getListe(-1)->setEtatAttendu(EtatDeJeu::AttendMise3_1 + 1);
        salle->clearNeedsSave();
        salle->askQuit(&quitteur, SLOT(OnQuit(int)));
        QTRY_COMPARE(textes().size(), 1);
        QVERIFY(textes().at(0).startsWith(QStringLiteral("Avertissement. | Une partie réseau est en cours. Voulez-vous")));
        QVERIFY(boites.repond(GM::Cancel));
        QTRY_COMPARE(quitteur.reponses.size(), 2);
        QCOMPARE(quitteur.reponses.last(), int(GM::Cancel));
        // Leaving the online game, or stopping the server, asks the same in
        // French; in English it asks about that, not about quitting the
        // program.
        QTranslator anglais;
        QVERIFY(anglais.load(QStringLiteral(":/translations/zubrik_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&anglais));
        const auto retireAnglais = qScopeGuard([&anglais] { QCoreApplication::removeTranslator(&anglais); });
        salle->askLeave(&quitteur, SLOT(OnQuit(int)));
        QTRY_COMPARE(textes().size(), 2);
        QVERIFY2(textes().at(1).endsWith(QStringLiteral("Do you want to leave it anyway? A local game will follow.")),
                 qPrintable(textes().at(1)));
        QVERIFY(boites.repond(GM::Cancel));
        QTRY_COMPARE(quitteur.reponses.size(), 3);
        salle->askStopServer(&quitteur, SLOT(OnQuit(int)));
        QTRY_COMPARE(textes().size(), 3);
        QVERIFY2(textes().at(2).contains(QStringLiteral("stop the server anyway?")), qPrintable(textes().at(2)));
        QVERIFY(boites.repond(GM::Cancel));
        QTRY_COMPARE(quitteur.reponses.size(), 4);

        // The game is over: no question.
        salle->getListe(-1)->setEtatAttendu(EtatDeJeu::QuestionNouvellePartie);
        salle->askQuit(&quitteur, SLOT(OnQuit(int)));
        QTRY_COMPARE(quitteur.reponses.size(), 5);
        QCOMPARE(textes().size(), 3);
    }

    // A short file replays at once; a longer one the user opened asks, and
    // the answer chooses the view mode.
    void fichierOuvert_data()
    {
        QTest::addColumn<int>("lignes");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<int>("modeVue");
        QTest::addColumn<bool>("question");
        QTest::newRow("ten lines") << 10 << 0 << 1 << false;
        QTest::newRow("long, yes") << 30 << int(GM::Yes) << 2 << true;
        QTest::newRow("long, no") << 30 << int(GM::No) << 1 << true;
    }
    void fichierOuvert()
    {
        QFETCH(int, lignes);
        QFETCH(int, reponse);
        QFETCH(int, modeVue);
        QFETCH(bool, question);
        // The game and its four players inscribed, then made-up lines.
        QStringList contenu{QStringLiteral("12")};
        contenu << EvenementDeJeu(EvenementDeJeu::InP, optionsJass().sauveValeursDansString(), 4,
                                  EtatDeJeu::AttendInscriptionPartie, EvenementDeJeu::Local_Table, -1, 0, -1, 0, ZB_ICI)
                       .toString(3);
        for (int siege = 0; siege < 4; ++siege) {
            OptionsDuJoueur joueur;
            joueur.id_ = 10 + siege;
            contenu << EvenementDeJeu(EvenementDeJeu::InJ, joueur.sauveValeursDansString(), 4,
                                      EtatDeJeu::InscriptionJoueur0 + siege, EvenementDeJeu::Local_Table, joueur.id_, 0,
                                      -1, 0, ZB_ICI)
                           .toString(3);
        }
        while (contenu.size() < lignes)
            contenu << QStringLiteral("{Mes!bonjour %1!0!140!2!-1!0!-1!0!}").arg(contenu.size());
        const QString chemin = dossier.filePath(QStringLiteral("partie%1.jss").arg(lignes));
        {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenu.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        }
        if (question)
            boites.setRepondeur([reponse](uint, const GM_MessageBoxRequest&) {
                return static_cast<GM::StandardButton>(reponse);
            });
        int mode = ZB_Room::OuvreFichier;
        int session = ZB_Room::SessionLocale;
        try {
            salle->reponse_Depart(&mode, &session, optionsJass(), chemin, QString(), 4001, 4002, 4000, 0, false, {},
                                  -1);
        } catch (const std::exception&) {
            // The made-up lines need not replay; only the choice matters.
        }
        QTRY_VERIFY2(!display.modesVue.isEmpty(), qPrintable(textes().join(QLatin1Char('\n'))));
        QCOMPARE(display.modesVue.last(), modeVue);
        const bool demande = textes().join(QLatin1Char('\n')).contains(
            QStringLiteral("Voulez-vous revoir la partie depuis le début?"));
        QCOMPARE(demande, question);
    }

    // A game left at the user's turn and opened again goes on: once the
    // replay is through, the user sits at the table (no view mode) and is
    // asked live, with the table's request number, for the same move.
    void repriseAuTourDuJoueur_data()
    {
        QTest::addColumn<int>("depart");
        QTest::addColumn<int>("reponse");
        QTest::newRow("resumed") << int(ZB_Room::RepriseFichier) << int(GM::Ok);
        QTest::newRow("opened, watched") << int(ZB_Room::OuvreFichier) << int(GM::Yes);
        QTest::newRow("opened, not watched") << int(ZB_Room::OuvreFichier) << int(GM::No);
    }
    void repriseAuTourDuJoueur()
    {
        QFETCH(int, depart);
        QFETCH(int, reponse);
        boites.setRepondeur([reponse](uint, const GM_MessageBoxRequest& r) {
            return r.texte_.startsWith(QStringLiteral("Voulez-vous revoir")) ? static_cast<GM::StandardButton>(reponse)
                                                                              : GM::Ok;
        });
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionLocale;
        // The user at seat 0 as the main window seats a new game.
        nouvellePartie(true);
        // The user's seat has no screen here: the game waits for it.
        auto demandeLocale = [this] {
            ZB_RoomTable* table = salle->getTable(-1);
            JoueurHumain* moi = table != nullptr ? table->getJoueur(0) : nullptr;
            return moi != nullptr && moi->estJoueurManuel() ? moi->demande_ : InfoDemande();
        };
        QTRY_VERIFY(demandeLocale().etat_ > 0 && demandeLocale().estEnDirect());
        const InfoDemande avant = demandeLocale();
        const QString chemin = dossier.filePath(QStringLiteral("reprise.jss"));
        {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QTextStream flux(&f);
            salle->writeToStream(flux);
        }
        salle.reset();
        display.modesVue.clear();
        ouvre();
        mode = depart;
        salle->reponse_Depart(&mode, &session, optionsJass(), chemin, QString(), 4001, 4002, 4000, 0, false, {}, -1);
        QTRY_VERIFY(!display.modesVue.isEmpty());
        QTRY_VERIFY2(!display.vueActive && demandeLocale().estEnDirect(), qPrintable(textes().join(QLatin1Char('\n'))));
        QCOMPARE(demandeLocale().etat_, avant.etat_);
        QCOMPARE(demandeLocale().noDemande_, salle->getTable(-1)->getNoDemande());
        QCOMPARE(salle->getListe(-1)->getEtatAttendu(), avant.etat_);
    }

    // A game left while the computers collect a trick (the quit writes what
    // the table holds then) goes on once resumed: the seats that had not
    // collected are asked again.
    void repriseParmiLesRamassages_data()
    {
        QTest::addColumn<int>("ramasses");
        QTest::newRow("after the first collect") << 1;
        QTest::newRow("after the second") << 2;
        QTest::newRow("after the third") << 3;
    }
    void repriseParmiLesRamassages()
    {
        QFETCH(int, ramasses);
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionLocale;
        nouvellePartie(false);
        const int premier = EtatDeJeu::Tour1_AttendRamasseTas1;
        QTRY_VERIFY_WITH_TIMEOUT(salle->getListe(-1)->getEtatAttendu() > premier + 3
                                     && salle->getListe(-1)->getEtatAttendu() < EtatDeJeu::Tour3_AttendCarte1,
                                 20000);
        QString texte;
        {
            QTextStream flux(&texte);
            salle->writeToStream(flux);
        }
        salle.reset();
        // The record as a quit leaves it in the middle of the collects.
        QStringList gardees;
        for (const QString& ligne : texte.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            gardees << ligne.trimmed();
            EvenementDeJeu ev;
            QString reste;
            if (ev.fromString(ligne.trimmed(), reste) && ev.etat_ == premier + ramasses - 1)
                break;
        }
        const QString chemin = dossier.filePath(QStringLiteral("ramassages.jss"));
        {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(gardees.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        }
        ouvre();
        mode = ZB_Room::RepriseFichier;
        salle->reponse_Depart(&mode, &session, optionsJass(), chemin, QString(), 4001, 4002, 4000, 0, false, {}, -1);
        QTRY_VERIFY2_WITH_TIMEOUT(salle->getListe(-1)->getEtatAttendu() > premier + 3, qPrintable(gardees.last()),
                                  10000);
    }

    // A connection error after the game ended says the game is over; an
    // error of the computer player is shown even offline.
    void erreursDeConnexion()
    {
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        enLigne();
        salle->getListe(-1)->setEtatAttendu(EtatDeJeu::FinDePartieSiege2);
        QCoreApplication::postEvent(salle.get(), new ZB_EventSocketError(QStringLiteral("Titre"),
                                                                         QStringLiteral("Texte"), 0));
        QTRY_COMPARE(textes().size(), 1);
        QCOMPARE(textes().at(0), QStringLiteral("Information | La partie en ligne est terminée."));

        salle->stopOnlineSession();
        QCoreApplication::postEvent(salle.get(), new ZB_AIError(QStringLiteral("Erreur"), QStringLiteral("IA")));
        QTRY_COMPARE(textes().size(), 2);
        QCOMPARE(textes().at(1), QStringLiteral("Erreur | IA"));
        // Even one already marked handled.
        ZB_AIError traitee(QStringLiteral("Erreur"), QStringLiteral("IA traitée"));
        traitee.accept();
        QCoreApplication::sendEvent(salle.get(), &traitee);
        QTRY_COMPARE(textes().size(), 3);
        QCOMPARE(textes().at(2), QStringLiteral("Erreur | IA traitée"));
        // Offline, a connection error is not for the user.
        QCoreApplication::postEvent(salle.get(), new ZB_EventSocketError(QStringLiteral("Titre"),
                                                                         QStringLiteral("Texte"), 1));
        QTest::qWait(20);
        QCOMPARE(textes().size(), 3);
    }

    // Joining, the user waits for the host's table: the local game's prompt
    // goes at once.
    void rejoindreAttend()
    {
        QCOMPARE(display.attentes, 0);
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"), QStringLiteral("invite"),
                              0, 0, 1, 5, false, {}, 0);
        QCOMPARE(display.attentes, 1);
    }

    void prochainePartie()
    {
        QSignalSpy fin(salle.get(), &TableClient::testSignalGameCompleted);
        int mode = ZB_Room::ViderListes;
        int session = ZB_Room::SessionServeur;
        salle->reponse_Depart(&mode, &session, optionsJass(), QString(), QStringLiteral("Anna"), 4001, 4002, 4000, 0,
                              false, {}, -1);
        QCOMPARE(salle->getEtatEnLigne(), int(ZB_Room::Hote));
        QTRY_VERIFY(salle->getServerView() != nullptr && salle->getServerView()->isVisible());
        QCOMPARE(salle->getServerView()->getNom()->text(), QStringLiteral("Anna"));
        // The host stops: the lists are emptied and it hosts again, waiting
        // for players in a view that still knows its name.
        salle->answerNextGame(false);
        QCOMPARE(fin.count(), 1);
        QCOMPARE(salle->getEtatEnLigne(), int(ZB_Room::Hote));
        QTRY_VERIFY(salle->getServerView()->isVisible());
        QCOMPARE(salle->getServerView()->getNom()->text(), QStringLiteral("Anna"));
        QCOMPARE(salle->getServer()->getJoueurLocal()->nom_, QStringLiteral("Anna"));
        QVERIFY(salle->getServerView()->getBoutonDemarrer()->isEnabled());
        // Offline, the same players play on.
        salle->stopOnlineSession();
        salle->answerNextGame(true);
        QCOMPARE(fin.count(), 2);
        QCOMPARE(salle->getEtatEnLigne(), int(ZB_Room::HorsLigne));
    }

    void fenetreEvenements()
    {
        salle->setFenetreEvenements(true);
        QVERIFY(salle->getFenetreEvenements() != nullptr);
        salle->resetToSingleTable();
        QVERIFY(salle->getFenetreEvenements() != nullptr);
        salle->setFenetreEvenements(false);
        QVERIFY(salle->getFenetreEvenements() == nullptr);
    }
};

ZB_REGISTER_TEST(TestTableClient)
#include "TestTableClient.moc"
