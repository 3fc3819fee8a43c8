#include "Carte.h"
#include "CompteAvertissements.h"
#include "DisplayGLPanelDeJoueur.h"
#include "EtatDeJeu.h"
#include "GM_BanList.h"
#include "GM_WidgetAutoRound.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "MachineDeJeu.h"
#include "MainWindowTestKit.h"
#include "PanelAtouts.h"
#include "ServerView.h"
#include "ZB_HoteSansFenetre.h"
#include "ZB_MultiServer.h"
#include "ZB_RoomTable.h"
#include "ZB_SalleHote.h"
#include "ZB_ServerSocket.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace fenetretest;

namespace {

// A turn lasts this long online in these cases: two of them run out
// quickly, and the user's second one excludes the user.
constexpr double DELAI_TOUR_S = 1.0;

// Online Jass to that target, with turns that long.
OptionsDePartie optionsEnLigne(int objectif, double delaiTour)
{
    OptionsDePartie options = optionsJass();
    options.typeDePartie_ = TypeDePartie::getTypeDePartie(options.idPreset_);
    options.typeDePartie_.pointsObjectif_ = objectif;
    options.idPreset_ = TypeDePartie::ID_PERSONALISE;
    options.delaiReponse_ = delaiTour;
    return options;
}

// A match that outlasts every case, with quick turns.
OptionsDePartie optionsRapides()
{
    return optionsEnLigne(10000, DELAI_TOUR_S);
}

quint16 portLibre()
{
    QTcpServer sonde;
    return sonde.listen(QHostAddress::LocalHost, 0) ? sonde.serverPort() : 0;
}

// A person at the main window: answers the boxes the window shows (while
// it reads them) and plays the bottom seat as a person does, through the
// trump panel, a double click on a card and the cloth (while it plays).
class Personne : public QObject
{
public:
    explicit Personne(ZB_MainWidget& w)
        : w_(w)
    {
        connect(&timer_, &QTimer::timeout, this, [this] { agit_(); });
        timer_.start(10);
    }

    bool joue = true;
    bool litLesBoites = true;
    // The next online game is declined.
    bool declineLaSuivante = false;
    // The status lines seen, each change once.
    QStringList statuts;

    DisplayGLScene* scene() const { return w_.vue()->scene(); }
    bool boiteOuverte() const
    {
        const auto& boite = scene()->boitePrincipale();
        return boite.widget != nullptr && boite.widget->isVisible();
    }
    // The boxes shown so far, that text in them.
    int boites(const QString& texte) const
    {
        const QStringList vues = scene()->historiqueBoites();
        return int(std::count_if(vues.cbegin(), vues.cend(), [&](const QString& b) { return b.contains(texte); }));
    }

private:
    void agit_()
    {
        DisplayGLScene* s = scene();
        if (statuts.isEmpty() || statuts.last() != s->texteStatut())
            statuts << s->texteStatut();
        if (litLesBoites && boiteOuverte()) {
            const QStringList vues = s->historiqueBoites();
            if (declineLaSuivante && !vues.isEmpty() && vues.last().contains(QLatin1String("another online game")))
                s->OnMessageBoxRejected_Timer();
            else
                s->OnMessageBoxAccepted_Timer();
            return;
        }
        ZB_RoomTable* table = w_.salle()->getTable(-1);
        if (!joue || table == nullptr)
            return;
        const int siege = s->siegeBas();
        JoueurHumain* joueur = table->getJoueur(siege);
        auto* panneau = dynamic_cast<DisplayGLPanelDeJoueur*>(w_.vue()->getPanelDeJoueur(siege));
        if (joueur == nullptr || panneau == nullptr)
            return;
        if (panneau->isChoixAtoutOuvert()) {
            for (QAbstractButton* b : s->panelAtouts()->findChildren<QAbstractButton*>())
                if (b->objectName().startsWith(QLatin1String("buttonAtout_")) && b->isVisibleTo(s->panelAtouts())
                    && b->isEnabled()) {
                    QTest::mouseClick(b, Qt::LeftButton);
                    return;
                }
        } else if (panneau->isCarteDemandee()) {
            s->OnDebugTest();
        } else if (panneau->attente() != DisplayGLPanelDeJoueur::AttenteAucune) {
            panneau->executeAttente();
        }
    }

    ZB_MainWidget& w_;
    QTimer timer_;
};

// The cards the seat played in the window's game record.
int cartesDuSiege(ZB_MainWidget& w, int siege)
{
    const QStringList cartes = cartesJouees(record(w));
    const QString debut = QStringLiteral("%1:").arg(siege);
    return int(std::count_if(cartes.cbegin(), cartes.cend(), [&](const QString& c) { return c.startsWith(debut); }));
}

// The local game is the user's again: its seat at the bottom, answered by
// hand, and a trick the user played into is collected.
void jeuLocalJouable(ZB_MainWidget& w, Personne& personne)
{
    QVERIFY(attend([&] { return !w.salle()->estEnLigne(); }, 20000));
    personne.joue = true;
    QCOMPARE(w.vue()->scene()->siegeBas(), 0);
    // Played by hand, as the user's own: the computer plays none of its
    // cards offline.
    const auto siege = [&w] { return w.salle()->getTable(-1)->getJoueur(0); };
    QVERIFY2(attend([&] { return siege()->estJoueurManuel(); }, 20000),
             qPrintable(QStringLiteral("the user's seat in mode %1, remote %2; %3")
                            .arg(siege()->modeJeu_)
                            .arg(siege()->options_.distant_).arg(record(w).left(1500))));
    const int avant = cartesDuSiege(w, 0);
    QVERIFY2(attend([&] { return cartesDuSiege(w, 0) > avant; }, 30000),
             qPrintable(QStringLiteral("the user's card never came; state %1")
                            .arg(w.salle()->getListe(-1)->getEtatAttendu())));
    QVERIFY(siege()->estJoueurManuel());
    // The table goes on after the user's card: the trick is collected.
    const int plis = int(cartesJouees(record(w)).size()) / 4;
    QVERIFY(attend([&] { return int(cartesJouees(record(w)).size()) / 4 > plis; }, 30000));
}

// A host's room on loopback, hosting a game with those options: its
// server view waits for the guests.
struct HoteDeTest : Machine
{
    GM_BanList bans;
    std::unique_ptr<ZB_MultiServer> serveur;

    explicit HoteDeTest(const OptionsDePartie& options)
        : Machine(Tcp)
        , serveur(std::make_unique<ZB_MultiServer>(nullptr, 0, QList<ZB_Room*>{salle.get()}, &bans))
    {
        if (!serveur->ecoute(QHostAddress::LocalHost, 0, 0, 0))
            return;
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionServeur;
        salle->reponse_Depart(&mode, &session, options, QString(), QStringLiteral("hote"),
                              serveur->getPortWebSecure(), serveur->getPortWebUnsecure(), serveur->getPortTcp(), 0,
                              false, {}, -1);
    }
    ~HoteDeTest() { serveur.reset(); }
};

// A person's local game before the online one: the welcome answered, a
// card of the user played.
void joueUnPeuLocalement(ZB_MainWidget& w)
{
    w.vue()->scene()->setFacteurDurees(0.1);
    w.vue()->scene()->setAutoAnswer(true);
    w.OnNouvellePartie();
    QVERIFY(attend([&] { return cartesDuSiege(w, 0) >= 1; }, 30000));
    w.vue()->scene()->setAutoAnswer(false);
}

} // namespace

// Every way an online game ends leaves the person at a table it can play:
// excluded as a joiner, excluded as the host (who hosts again), a host that
// stops; each end is told once, and no box holds the table meanwhile.
class TestFinDeSessionEnLigne : public QObject
{
    Q_OBJECT

private slots:
    // A joiner who never plays is excluded after two turns run out, under a
    // box of the program's own left open: it is told so once (no connection
    // box follows), answers the boxes, and its local game comes back,
    // playable.
    void inviteExclu()
    {
        HoteDeTest hote(optionsRapides());
        ZB_MultiServer& serveur = *hote.serveur;
        QVERIFY(serveur.isListening());

        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        Personne personne(w);
        joueUnPeuLocalement(w);

        personne.joue = false;
        personne.litLesBoites = false;
        w.rejoint(QStringLiteral("127.0.0.1"), serveur.getPortTcp());
        QVERIFY(attend([&] { return hote.salle->getServer()->getJoueurs().size() == 1; }, 20000));
        hote.salle->getServerView()->OnDemarrer();
        QVERIFY(attend([&] { return hote.liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendCarte1; }, 20000));
        w.vue()->scene()->messageBox(GM::Information, QStringLiteral("Information"),
                                     QStringLiteral("Une nouvelle du programme"), GM::Ok);
        // Nobody waits for the box: the guest's turns run out under it, and
        // its exclusion ends its session.
        QVERIFY2(attend([&] { return hote.salle->getServer()->getJoueurs().isEmpty(); }, 30000),
                 qPrintable(QStringLiteral("host in state %1").arg(hote.liste()->getEtatAttendu())));
        QVERIFY(personne.boiteOuverte());
        personne.litLesBoites = true;
        QVERIFY2(attend([&] { return personne.boites(QStringLiteral("removed from the game")) > 0; }, 30000),
                 qPrintable(QStringLiteral("boxes: %1; online %2, client in state %3")
                                .arg(w.vue()->scene()->historiqueBoites().join(QLatin1String(" / ")))
                                .arg(w.salle()->estEnLigne())
                                .arg(w.salle()->getListe(-1)->getEtatAttendu())));
        jeuLocalJouable(w, personne);
        QCOMPARE(personne.boites(QStringLiteral("removed from the game")), 1);
        QCOMPARE(personne.boites(QStringLiteral("interrupted")), 0);
    }

    // The host who never plays is excluded: the computer plays her seat on
    // through the next deal while her box stays open, nobody waits for it,
    // and she is not asked again in that game. She then stops hosting: the
    // local game is hers to play, and so is her seat when she hosts again.
    void hoteExcluPuisRejoue()
    {
        QTemporaryDir dossier;
        ZB_Settings d = accompagne();
        d.tcpsockets = true;
        d.port = portLibre();
        QVERIFY(d.port != 0);
        ZB_MainWidget w(d, dossier.path());
        w.setOptionsDePartie(optionsRapides());
        DisplayGLScene* scene = w.vue()->scene();
        scene->setFacteurDurees(0.1);
        // The welcome of a first start is answered before she hosts.
        scene->setAutoAnswer(true);
        QTest::qWait(200);
        scene->setAutoAnswer(false);
        Personne personne(w);
        personne.joue = false;
        personne.litLesBoites = false;
        w.OnHeberger();
        QVERIFY(w.salle()->estEnLigne());
        // A box of the program's own is on her screen when the game starts,
        // and stays: her turns run out under it.
        scene->messageBox(GM::Information, QStringLiteral("Information"), QStringLiteral("Une nouvelle du programme"),
                          GM::Ok);
        std::unique_ptr<Machine> client = std::make_unique<Machine>(Tcp);
        auto rejoint = [&] {
            int mode = ZB_Room::SansDepart;
            int session = ZB_Room::SessionClient;
            client->salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                          QStringLiteral("invite"), 0, 0, w.serveur()->getPortTcp(), 5, false, {}, 0);
        };
        rejoint();
        QVERIFY(attend([&] { return w.salle()->getServer()->getJoueurs().size() == 1; }, 20000));
        QVERIFY(w.vueServeur() != nullptr);
        w.vueServeur()->OnDemarrer();

        ZB_RoomTable* table = w.salle()->getTable(-1);
        JoueurHumain* elle = table->getJoueur(0);
        QVERIFY2(attend([&] { return elle->modeJeu_ == Joueur::ModeRemplacant; }, 30000),
                 qPrintable(QStringLiteral("host in state %1, her seat in mode %2, %3 time-outs left")
                                .arg(w.salle()->getListe(-1)->getEtatAttendu())
                                .arg(elle->modeJeu_)
                                .arg(elle->getEssaisRestants())));
        // Her box comes as her seat is given over, at the event loop's turn.
        QVERIFY2(attend([&] { return personne.boiteOuverte(); }, 10000), "no box told the host she was excluded");
        QCOMPARE(personne.boites(QStringLiteral("Une nouvelle du programme")), 1);
        QCOMPARE(personne.boites(QStringLiteral("removed from the game")), 0);
        // The guest's table goes on with the moves the computer made for her.
        QVERIFY(attend([&] { return cartesDuSiege(w, 0) >= 2; }, 30000));
        QVERIFY(attend([&] { return coups(*client->liste()).size() >= coups(*w.salle()->getListe(-1)).size() - 4; },
                       20000));
        // Her box stays open: the table plays on into the next deal, her
        // seat included, with no time of hers running.
        const int donnes = donnesDe(*w.salle()->getListe(-1));
        const int siennes = cartesDuSiege(w, 0);
        bool attendue = false;
        QVERIFY2(attend([&] {
            attendue = attendue || elle->estDelaiEnCours() || elle->modeJeu_ != Joueur::ModeRemplacant;
            return donnesDe(*w.salle()->getListe(-1)) > donnes && cartesDuSiege(w, 0) >= siennes + 2;
        }, 60000),
                 qPrintable(QStringLiteral("host in state %1, her seat in mode %2")
                                .arg(w.salle()->getListe(-1)->getEtatAttendu())
                                .arg(elle->modeJeu_)));
        QVERIFY(personne.boiteOuverte());
        QVERIFY(!attendue);
        // Answered, the box goes, and nobody asks her again in this game.
        personne.litLesBoites = true;
        const int cartes = int(cartesJouees(record(w)).size());
        QVERIFY(attend([&] {
            attendue = attendue || elle->estDelaiEnCours() || elle->modeJeu_ != Joueur::ModeRemplacant;
            return int(cartesJouees(record(w)).size()) >= cartes + 12;
        }, 60000));
        QVERIFY(!attendue);
        QCOMPARE(personne.boites(QStringLiteral("removed from the game")), 1);
        // Her status says she watches: the computer plays for her until the
        // next game.
        QVERIFY2(w.vue()->scene()->texteStatut().contains(QLatin1String("You are watching.")),
                 qPrintable(w.vue()->scene()->texteStatut()));

        // She leaves the online game: the local game is hers.
        w.OnQuitterEnLigne_Reponse(GM::Ok);
        jeuLocalJouable(w, personne);

        // She hosts again; the guest joins again: her seat is hers.
        personne.joue = false;
        client.reset();
        client = std::make_unique<Machine>(Tcp);
        w.OnHeberger();
        QVERIFY(w.salle()->estEnLigne());
        rejoint();
        QVERIFY(attend([&] { return w.salle()->getServer()->getJoueurs().size() == 1; }, 20000));
        w.vueServeur()->OnDemarrer();
        QVERIFY(attend([&] { return w.salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::Tour1_AttendCarte1; }, 30000));
        personne.joue = true;
        QVERIFY(attend([&] { return cartesDuSiege(w, 0) >= 1; }, 30000));
        QCOMPARE(w.salle()->getTable(-1)->getJoueur(0)->modeJeu_, int(Joueur::ModeManuel));
    }

    // The guest plays its match to the end and declines another online
    // game: it is told once that the online game is over, and plays its
    // local game.
    void finDeMatchSansSuite()
    {
        HoteDeTest hote(optionsEnLigne(100, 30.0));
        ZB_MultiServer& serveur = *hote.serveur;
        QVERIFY(serveur.isListening());
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        Personne personne(w);
        personne.declineLaSuivante = true;
        joueUnPeuLocalement(w);
        w.rejoint(QStringLiteral("127.0.0.1"), serveur.getPortTcp());
        QVERIFY(attend([&] { return hote.salle->getServer()->getJoueurs().size() == 1; }, 20000));
        hote.salle->getServerView()->OnDemarrer();
        QVERIFY(attend([&] { return personne.boites(QStringLiteral("online game is over")) > 0; }, 90000));
        jeuLocalJouable(w, personne);
        QCOMPARE(personne.boites(QStringLiteral("online game is over")), 1);
        QCOMPARE(personne.boites(QStringLiteral("interrupted")), 0);
    }

    // The guest leaves the online game from the menu: the local game it
    // had before comes back, at the cards it had played, as after a host's
    // stop.
    void inviteQuitte()
    {
        HoteDeTest hote(optionsRapides());
        QVERIFY(hote.serveur->isListening());
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        Personne personne(w);
        joueUnPeuLocalement(w);
        const QStringList avant = cartesJouees(record(w));
        w.rejoint(QStringLiteral("127.0.0.1"), hote.serveur->getPortTcp());
        QVERIFY(attend([&] { return hote.salle->getServer()->getJoueurs().size() == 1; }, 20000));
        hote.salle->getServerView()->OnDemarrer();
        QVERIFY(attend([&] { return w.salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::Tour1_AttendCarte1; },
                       30000));
        w.OnQuitterEnLigne_Reponse(GM::Yes);
        QVERIFY(attend([&] { return !w.salle()->estEnLigne(); }, 20000));
        QVERIFY2(attend([&] { return cartesJouees(record(w)).mid(0, avant.size()) == avant; }, 20000),
                 qPrintable(avant.join(QLatin1Char(' ')) + QStringLiteral(" / ")
                            + cartesJouees(record(w)).join(QLatin1Char(' '))));
        jeuLocalJouable(w, personne);
    }

    // A guest whose table keeps refusing its host's moves is caught up
    // three times, each time on a new connection whose old one's close
    // ends nothing; at the fourth refusal it leaves the online game with a
    // box that says why, and its local game comes back.
    void inviteHorsDePasQuitte()
    {
        CompteAvertissements refus(QStringLiteral("joins again"));
        HoteDeTest hote(optionsRapides());
        QVERIFY(hote.serveur->isListening());
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        Personne personne(w);
        joueUnPeuLocalement(w);
        const QStringList avant = cartesJouees(record(w));
        w.rejoint(QStringLiteral("127.0.0.1"), hote.serveur->getPortTcp());
        QVERIFY(attend([&] { return hote.salle->getServer()->getJoueurs().size() == 1; }, 20000));
        hote.salle->getServerView()->OnDemarrer();
        const QString quitte = QStringLiteral("it leaves the online game");
        // The host's hand, emptied at the guest's, refuses the host's next
        // card there.
        const auto mainDeLHote = [&w]() -> JoueurHumain* {
            ZB_RoomTable* table = w.salle()->getTable(-1);
            return w.salle()->estEnLigne() && table != nullptr ? table->getJoueur(0) : nullptr;
        };
        const auto cartesDeLHote = [&mainDeLHote]() -> int {
            const JoueurHumain* h = mainDeLHote();
            return h != nullptr ? int(h->main_.getNombreDeCartes()) : -1;
        };
        for (int fois = 1; fois <= 4; ++fois) {
            const auto pret = [&] {
                return cartesDeLHote() > 0
                    && w.salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::Tour1_AttendCarte1;
            };
            QVERIFY2(attend(pret, 30000),
                     qPrintable(QStringLiteral("refusal %1: the guest was never caught up; online %2, state %3, "
                                               "boxes %4")
                                    .arg(fois)
                                    .arg(w.salle()->estEnLigne())
                                    .arg(w.salle()->getListe(-1)->getEtatAttendu())
                                    .arg(w.vue()->scene()->historiqueBoites().join(QLatin1String(" / ")))));
            JoueurHumain* hoteChezLInvite = mainDeLHote();
            QVERIFY(hoteChezLInvite != nullptr);
            hoteChezLInvite->main_.vide();
            QVERIFY2(attend([&] { return refus.compte >= fois; }, 30000),
                     qPrintable(QStringLiteral("refusal %1 never came; %2 seen").arg(fois).arg(refus.compte)));
            if (fois <= 3)
                QCOMPARE(personne.boites(quitte), 0);
        }
        QVERIFY2(attend([&] { return personne.boites(quitte) == 1; }, 20000),
                 qPrintable(w.vue()->scene()->historiqueBoites().join(QLatin1String(" / "))));
        QVERIFY(attend([&] { return !w.salle()->estEnLigne(); }, 20000));
        QVERIFY2(attend([&] { return cartesJouees(record(w)).mid(0, avant.size()) == avant; }, 20000),
                 qPrintable(avant.join(QLatin1Char(' ')) + QStringLiteral(" / ")
                            + cartesJouees(record(w)).join(QLatin1Char(' '))));
        jeuLocalJouable(w, personne);
        QCOMPARE(personne.boites(quitte), 1);
    }

    // The windowless host stops (asked to, as its terminal's Ctrl+C asks)
    // or is lost while its guest plays: the guest is told which, in one
    // box, and plays its local game.
    void hoteSansFenetreFini_data()
    {
        QTest::addColumn<bool>("arrete");
        QTest::addColumn<QString>("dit");
        QTest::newRow("stopped") << true << QStringLiteral("The host stopped the game");
        QTest::newRow("lost") << false << QStringLiteral("interrupted");
    }
    void hoteSansFenetreFini()
    {
        QFETCH(bool, arrete);
        QFETCH(QString, dit);
        QTemporaryDir dossierHote;
        ZB_Settings d;
        d.server = true;
        d.automatique = 1;
        d.nowait = true;
        d.tcpsockets = true;
        d.port = portLibre();
        QVERIFY(d.port != 0);
        auto hote = std::make_unique<ZB_HoteSansFenetre>(d, dossierHote.path());
        QSignalSpy fin(hote.get(), &ZB_HoteSansFenetre::signalQuitter);
        hote->demarre();
        QVERIFY(hote->serveur()->isListening());

        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        Personne personne(w);
        joueUnPeuLocalement(w);
        w.rejoint(QStringLiteral("127.0.0.1"), quint16(d.port));
        QVERIFY(attend([&] { return hote->salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::Tour1_AttendCarte1; },
                       30000));
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 2; }, 30000));
        if (arrete) {
            hote->arrete(3);
            QVERIFY(attend([&] { return fin.size() == 1; }, 5000));
            QCOMPARE(fin.first().first().toInt(), 3);
        }
        personne.statuts.clear();
        hote.reset();
        QVERIFY(attend([&] { return personne.boites(dit) > 0; }, 20000));
        jeuLocalJouable(w, personne);
        // The local game came back around the box, never as a game watched.
        QVERIFY2(!personne.statuts.join(QLatin1Char('|')).contains(QLatin1String("watching")),
                 qPrintable(personne.statuts.join(QLatin1Char('|'))));
        const QStringList vues = w.vue()->scene()->historiqueBoites();
        QCOMPARE(personne.boites(dit), 1);
        QVERIFY2(personne.boites(QStringLiteral("server")) + personne.boites(QStringLiteral("game is over")) <= 1,
                 qPrintable(vues.join(QLatin1String(" / "))));
    }

private:
    // The deals a table has begun.
    static int donnesDe(const ListeDesEvenements& liste)
    {
        const QStringList tous = coups(liste);
        const QString distribue = QString::number(EvenementDeJeu::Dis) + QLatin1Char(' ');
        return int(std::count_if(tous.cbegin(), tous.cend(), [&](const QString& c) { return c.startsWith(distribue); }));
    }
};

ZB_REGISTER_TEST(TestFinDeSessionEnLigne)
#include "TestFinDeSessionEnLigne.moc"
