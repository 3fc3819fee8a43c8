#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "EvenementDeJeu.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAutoRound.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "SiegeDeScene.h"
#include "StatusAtout.h"
#include "ZbTestRegistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsRectItem>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace scenetest;

namespace {

// The last answer of a kind the table received, read back as a record.
template <typename Record>
Record derniere(const SiegeDeScene& s, int type)
{
    Record r;
    for (const EvenementDeJeu& e : s.table.evenements)
        if (e.type_ == type)
            r.chargeValeursDepuisString(e.texte_);
    return r;
}

enum Geste {
    DoubleClicJouable,
    DoubleClicInterdit,
    DoubleClicInterditSansAide,
    DeuxDoublesClics,
    JeuDeDebogage,
    SansDemande,
    EntreeBloquee,
    CarteAutreSiege,
    TableVidee,
    SousUneBoite,
    ClicApresUnRamassageRejoue
};

} // namespace

Q_DECLARE_METATYPE(Geste)

class TestSceneSeatPanel : public QObject
{
    Q_OBJECT

private slots:
    // A panel acts only for a player who answers by hand or sits at the
    // local user's seat, and offers nothing while the user only watches (a
    // returning player's catch-up replays the user's own seat); the card
    // request is remembered in every case.
    void visibilityRule_data()
    {
        QTest::addColumn<int>("modeJeu");
        QTest::addColumn<bool>("local");
        QTest::addColumn<int>("modeVue"); // 1: a replay, 2: a catch-up (the user watches both)
        QTest::addColumn<bool>("montre");
        QTest::addColumn<bool>("offre");
        QTest::newRow("user answers by hand") << int(Joueur::ModeManuel) << false << 0 << true << true;
        QTest::newRow("user's seat played elsewhere") << int(Joueur::ModeHumainDistant) << true << 0 << true << false;
        QTest::newRow("another seat") << int(Joueur::ModeHumainDistant) << false << 0 << false << false;
        QTest::newRow("user's seat caught up") << int(Joueur::ModeManuel) << true << 2 << true << false;
        QTest::newRow("user's seat replayed") << int(Joueur::ModeManuel) << true << 1 << true << false;
    }
    void visibilityRule()
    {
        QFETCH(int, modeJeu);
        QFETCH(bool, local);
        QFETCH(int, modeVue);
        const bool regarde = modeVue != 0;
        QFETCH(bool, montre);
        QFETCH(bool, offre);
        SiegeDeScene s;
        s.assied(modeJeu, local);
        DisplayGLPanelDeJoueur* p = s.panneau();
        QCOMPARE(p->estAffiche(), montre);
        if (regarde) {
            // A band open when the watching begins goes too.
            p->afficheChoixMise(ZB_StatusMise(), false, EtatDeJeu::AttendMise1_1);
            QVERIFY(!s.t.scene->conteneurAtouts()->isHidden());
            s.t.scene->setModeVue(modeVue);
            QVERIFY(s.t.scene->conteneurAtouts()->isHidden());
        }
        // The panel is asked directly: its player would not even ask for
        // another seat.
        p->afficheChoix();
        p->afficheChoixAtout(true, false, EtatDeJeu::AttendAtout);
        QCOMPARE(!s.t.scene->conteneurAtouts()->isHidden(), montre && !regarde);
        QCOMPARE(p->isChoixAtoutOuvert(), offre);
        p->afficheChoixPourMise();
        p->afficheChoixMise(ZB_StatusMise(), false, EtatDeJeu::AttendMise1_1);
        QCOMPARE(!s.t.scene->conteneurAtouts()->isHidden(), montre && !regarde);
        QCOMPARE(p->isChoixMiseOuvert(), offre);
        // The seat taken again (a player entering, going offline): an open
        // choice's container goes.
        s.affichage.setJoueur(s.siege, &s.joueur);
        QVERIFY(s.t.scene->conteneurAtouts()->isHidden());
        p->ajouteTexte(QStringLiteral("ligne du panneau"));
        QCOMPARE(s.t.scene->journalChat()->toPlainText().contains(QStringLiteral("ligne du panneau")), montre);

        const InfoDemande demande(EtatDeJeu::Tour1_AttendCarte1 + 1, 0, 17, 0, 0);
        s.joueur.demande_ = demande;
        p->demandeCarte(demande);
        s.finitAnimations();
        QVERIFY(p->isCarteDemandee());
        QCOMPARE(p->demande(), demande);
        QVERIFY(s.t.scene->conteneurAtouts()->isHidden());
        for (Carte* c : s.joueur.main_) {
            const int attendu = !montre              ? int(DisplayGLHumanCarte::Cachee)
                              : !offre               ? int(DisplayGLHumanCarte::EnMain)
                              : s.position.estLegale(c) ? int(DisplayGLHumanCarte::Posee)
                                                        : int(DisplayGLHumanCarte::Assombrie);
            QCOMPARE(s.sprite(c)->getState(), attendu);
        }
        QCOMPARE(s.recus(EvenementDeJeu::Cho) + s.recus(EvenementDeJeu::Ajo), 0);
        if (!regarde)
            return;
        // Caught up, the table is the user's: the request asked again shows
        // as usual.
        s.t.scene->afficheTable();
        p->afficheChoix();
        p->afficheChoixAtout(true, false, EtatDeJeu::AttendAtout);
        QVERIFY(!s.t.scene->conteneurAtouts()->isHidden());
        QVERIFY(p->isChoixAtoutOuvert());
    }

    // The hand follows what the player asks of its panel: raised for a
    // choice and for an announcement, back at rest after a choice or a
    // time-out, hidden for a new deal.
    void handFollowsThePlayer_data()
    {
        QTest::addColumn<QString>("appel");
        QTest::addColumn<int>("etat"); // of every card; -1: the announced ones raised, the others at rest
        QTest::newRow("trump choice") << QStringLiteral("afficheChoixAtout") << int(DisplayGLHumanCarte::Surlignee);
        QTest::newRow("bid choice") << QStringLiteral("afficheChoixMise") << int(DisplayGLHumanCarte::Surlignee);
        QTest::newRow("choice over") << QStringLiteral("finChoixAtout") << int(DisplayGLHumanCarte::EnMain);
        QTest::newRow("bid over") << QStringLiteral("finChoixMise") << int(DisplayGLHumanCarte::EnMain);
        QTest::newRow("time ran out") << QStringLiteral("effaceAttente2") << int(DisplayGLHumanCarte::EnMain);
        QTest::newRow("new deal") << QStringLiteral("cacheCartes") << int(DisplayGLHumanCarte::Cachee);
        QTest::newRow("announcement") << QStringLiteral("montreAnnonce") << -1;
    }
    void handFollowsThePlayer()
    {
        QFETCH(QString, appel);
        QFETCH(int, etat);
        SiegeDeScene s;
        // A sequence of three in the hand, for the announcement.
        for (int valeur = Carte::Six; valeur <= Carte::Huit; ++valeur)
            s.position.mains[s.siege].ajouteCarte(s.position.deck->getCarte(2, valeur));
        s.assied(Joueur::ModeManuel, true);
        DisplayGLPanelDeJoueur* p = s.panneau();
        const AnnoncesJoueur annonces(s.joueur.main_, 1);
        // A choice open first, so that its end has something to close.
        p->afficheChoixAtout(true, false, EtatDeJeu::AttendAtout);
        if (appel == QLatin1String("afficheChoixAtout")) {
            p->afficheChoixAtout(false, false, EtatDeJeu::AttendAtout);
        } else if (appel == QLatin1String("afficheChoixMise")) {
            p->afficheChoixMise(ZB_StatusMise(), false, EtatDeJeu::AttendMise1_1);
        } else if (appel == QLatin1String("finChoixAtout")) {
            p->finChoixAtout();
        } else if (appel == QLatin1String("finChoixMise")) {
            p->finChoixMise();
        } else if (appel == QLatin1String("effaceAttente2")) {
            p->effaceAttente2();
        } else if (appel == QLatin1String("cacheCartes")) {
            p->cacheCartes();
        } else {
            p->finChoixAtout();
            p->montreAnnonce(annonces);
        }
        s.finitAnimations();
        int levees = 0;
        for (Carte* c : s.joueur.main_) {
            const DisplayGLHumanCarte* sprite = s.sprite(c);
            QVERIFY(sprite);
            const int attendu = etat >= 0 ? etat
                              : annonces.contientCarte(c) ? int(DisplayGLHumanCarte::Surlignee)
                                                          : int(DisplayGLHumanCarte::EnMain);
            QCOMPARE(sprite->getState(), attendu);
            levees += sprite->getState() == DisplayGLHumanCarte::Surlignee;
        }
        if (etat < 0)
            QVERIFY(levees > 0);
        // The trump panel shows while a choice is open, and goes with its end.
        if (appel.startsWith(QLatin1String("afficheChoix")) || appel.startsWith(QLatin1String("fin")))
            QCOMPARE(!s.t.scene->conteneurAtouts()->isHidden(), etat == DisplayGLHumanCarte::Surlignee);
    }

    // Each choice answers once, whatever the trump panel sends: shown twice,
    // clicked twice, a pass where none is offered, a button with no choice
    // open.
    void oneAnswerPerChoice_data()
    {
        QTest::addColumn<bool>("mise");
        QTest::addColumn<bool>("chibre");
        QTest::addColumn<int>("montrees");
        QTest::addColumn<QList<int>>("boutons");
        QTest::addColumn<int>("reponses");
        QTest::addColumn<int>("atout");
        QTest::newRow("trump shown twice, clicked twice") << false << true << 2 << QList<int>{3, 3} << 1 << 3;
        QTest::newRow("chibre offered") << false << true << 1 << QList<int>{0, 4} << 1 << 0;
        QTest::newRow("chibre not offered") << false << false << 1 << QList<int>{0, 12, -1, 2} << 1 << 2;
        QTest::newRow("no choice open") << false << true << 0 << QList<int>{1} << 0 << -1;
        QTest::newRow("bid shown twice, clicked twice") << true << false << 2 << QList<int>{4, 4} << 1 << 4;
        QTest::newRow("no bid open") << true << false << 0 << QList<int>{4} << 0 << -1;
    }
    void oneAnswerPerChoice()
    {
        QFETCH(bool, mise);
        QFETCH(bool, chibre);
        QFETCH(int, montrees);
        QFETCH(QList<int>, boutons);
        QFETCH(int, reponses);
        QFETCH(int, atout);
        SiegeDeScene s;
        s.assied(Joueur::ModeManuel, true);
        PanelAtouts* panneau = s.t.scene->panelAtouts();
        ZB_StatusMise demandee;
        demandee.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
        demandee.tourMise_ = 0;
        for (int i = 0; i < montrees; ++i) {
            if (mise)
                s.joueur.demande_ChoisitMise(demandee, InfoDemande(EtatDeJeu::AttendMise1_1, 0, 6, 0, 0));
            else
                s.joueur.demande_ChoisitAtout(StatusAtout(!chibre, false, 0, -1),
                                              InfoDemande(EtatDeJeu::AttendAtout, 0, 5, 0, 0));
        }
        for (int bouton : boutons) {
            if (mise) {
                ZB_StatusMise m = demandee;
                m.miseFaite_ = true;
                m.atoutMise_ = bouton;
                m.pointsMise_ = 90;
                m.typeContrat_ = ZB_StatusMise::Simple;
                emit panneau->signalBetAnswer_(m);
            } else {
                emit panneau->signalAtoutButtonPressed_(bouton);
            }
        }
        const int type = mise ? EvenementDeJeu::Chm : EvenementDeJeu::Cho;
        QCOMPARE(s.recus(type), reponses);
        QVERIFY(!s.panneau()->isChoixAtoutOuvert() || reponses == 0);
        QVERIFY(!s.panneau()->isChoixMiseOuvert() || reponses == 0);
        if (reponses == 0)
            return;
        QVERIFY(s.t.scene->conteneurAtouts()->isHidden());
        if (mise) {
            const auto m = derniere<ZB_StatusMise>(s, type);
            QCOMPARE(m.atoutMise_, atout);
            QCOMPARE(m.pointsMise_, 90);
        } else {
            const auto a = derniere<StatusAtout>(s, type);
            QCOMPARE(a.atout_, atout);
            QCOMPARE(a.chibre_, atout == 0);
            QCOMPARE(a.choisi_, atout != 0);
        }
    }

    // The trump or bid band asked for at the deal comes once the whole hand
    // is on the screen, not while its packets still arrive; a deal shown
    // without animation (a replay) asks at once when the table is the
    // user's again.
    void bandWaitsForTheHand_data()
    {
        QTest::addColumn<bool>("mise");
        QTest::addColumn<bool>("anime");
        QTest::newRow("trump, dealt") << false << true;
        QTest::newRow("bid, dealt") << true << true;
        QTest::newRow("trump, replayed") << false << false;
    }
    void bandWaitsForTheHand()
    {
        QFETCH(bool, mise);
        QFETCH(bool, anime);
        SiegeDeScene s(mise);
        s.assied(Joueur::ModeManuel, true);
        s.donne(anime);
        if (!anime)
            s.t.scene->afficheTable();
        if (mise) {
            ZB_StatusMise demandee;
            demandee.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
            demandee.tourMise_ = 0;
            s.joueur.demande_ChoisitMise(demandee, InfoDemande(EtatDeJeu::AttendMise1_1, 0, 6, 0, 0));
        } else {
            s.joueur.demande_ChoisitAtout(StatusAtout(false, false, 0, -1),
                                          InfoDemande(EtatDeJeu::AttendAtout, 0, 5, 0, 0));
        }
        // The status line asks with the band, not ahead of it.
        const InfoDemande etat = mise ? InfoDemande(EtatDeJeu::AttendMise1_1, 0, 6, 0, 0)
                                      : InfoDemande(EtatDeJeu::AttendAtout, 0, 5, 0, 0);
        s.t.scene->afficheEtat(etat, &s.joueur, nullptr, s.siege, false);
        auto demande = [&s] { return s.t.scene->texteArdoise().contains(QStringLiteral("Choisissez")); };
        const QWidget* bande = s.t.scene->conteneurAtouts();
        QCOMPARE(demande(), !bande->isHidden());
        const int cartes = s.joueur.main_.getNombreDeCartes();
        QVERIFY(cartes > 3);
        auto enMain = [&s] {
            int n = 0;
            for (Carte* c : s.joueur.main_)
                n += s.sprite(c) != nullptr && s.sprite(c)->isVisible();
            return n;
        };
        if (!anime) {
            QVERIFY(!bande->isHidden());
            QCOMPARE(enMain(), cartes);
            return;
        }
        QVERIFY(enMain() < cartes);
        QVERIFY(bande->isHidden());
        QElapsedTimer montre;
        montre.start();
        while (bande->isHidden() && montre.elapsed() < 10000)
            QTest::qWait(20);
        // Never the band over a hand still being dealt.
        QVERIFY(!bande->isHidden());
        QCOMPARE(enMain(), cartes);
        QTRY_VERIFY2(demande(), qPrintable(s.t.scene->texteArdoise()));
        QVERIFY(s.panneau()->isChoixAtoutOuvert() || s.panneau()->isChoixMiseOuvert());
    }

    // A click on the cloth performs a pending deal or collect, once; the
    // pending values 2 and 4, and a seat not answered by hand, do nothing.
    void clickPerformsThePendingAction_data()
    {
        QTest::addColumn<int>("attente");
        QTest::addColumn<int>("modeJeu");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("redistribution"); // every seat passed: the cards are dealt again
        QTest::newRow("deal") << 1 << int(Joueur::ModeManuel) << int(EvenementDeJeu::Dis) << false;
        QTest::newRow("deal again after all passed") << 1 << int(Joueur::ModeManuel) << int(EvenementDeJeu::Dis)
                                                     << true;
        QTest::newRow("collect") << 3 << int(Joueur::ModeManuel) << int(EvenementDeJeu::Ram) << false;
        QTest::newRow("pending 2") << 2 << int(Joueur::ModeManuel) << -1 << false;
        QTest::newRow("pending 4") << 4 << int(Joueur::ModeManuel) << -1 << true;
        QTest::newRow("user's seat played elsewhere") << 1 << int(Joueur::ModeHumainDistant) << -1 << true;
    }
    void clickPerformsThePendingAction()
    {
        QFETCH(int, attente);
        QFETCH(int, modeJeu);
        QFETCH(int, type);
        QFETCH(bool, redistribution);
        SiegeDeScene s;
        s.assied(modeJeu, true);
        DisplayGLPanelDeJoueur* p = s.panneau();
        switch (attente) {
        case 1: s.joueur.demande_ActionDistribue(InfoDemande(EtatDeJeu::AttendDistribue1, 0, 8, 0, 0)); break;
        case 3: s.joueur.demande_ActionRamasser(InfoDemande(EtatDeJeu::Tour1_AttendRamasseTas1, 0, 9, 0, 0)); break;
        case 2: p->attendAction2(); break;
        default: p->attendAction4(); break;
        }
        QCOMPARE(p->attente(), attente);
        // Twice: the second finds nothing left to do.
        for (int fois = 0; fois < 2; ++fois) {
            if (redistribution) {
                s.t.scene->afficheRedistribution();
            } else {
                const QRectF zone = s.t.scene->zoneTable();
                const QPointF drap(zone.center().x(), zone.height() * 0.35);
                QTest::mouseClick(s.ecran(), Qt::LeftButton, {}, s.versVue(drap));
            }
        }
        const int dis = s.recus(EvenementDeJeu::Dis);
        const int ram = s.recus(EvenementDeJeu::Ram);
        QCOMPARE(dis, type == EvenementDeJeu::Dis ? 1 : 0);
        QCOMPARE(ram, type == EvenementDeJeu::Ram ? 1 : 0);
        if (type >= 0)
            QCOMPARE(p->attente(), 0);
    }

    // Playing a card: a legal card double-clicked goes to the table once,
    // as does the debug play of the first legal card; anything else sends
    // nothing; a refused card says why when help on the cards is on, and
    // nothing otherwise.
    void doubleClickOnACard_data()
    {
        QTest::addColumn<Geste>("geste");
        QTest::addColumn<int>("envoyees");
        QTest::newRow("legal card") << DoubleClicJouable << 1;
        QTest::newRow("debug play") << JeuDeDebogage << 1;
        QTest::newRow("illegal card") << DoubleClicInterdit << 0;
        QTest::newRow("illegal card, no help on the cards") << DoubleClicInterditSansAide << 0;
        QTest::newRow("fast second double click") << DeuxDoublesClics << 1;
        QTest::newRow("no card asked") << SansDemande << 0;
        QTest::newRow("excluded user") << EntreeBloquee << 0;
        QTest::newRow("another seat's card") << CarteAutreSiege << 0;
        QTest::newRow("match over, table cleared") << TableVidee << 0;
        QTest::newRow("in the hand below a box") << SousUneBoite << 0;
        // A single click, as the first half of a double click the system
        // did not pair: the collect asked in a replay is not sent, and the
        // line still asks for the card.
        QTest::newRow("click, a collect replayed before") << ClicApresUnRamassageRejoue << 0;
    }
    void doubleClickOnACard()
    {
        QFETCH(Geste, geste);
        QFETCH(int, envoyees);
        SiegeDeScene s;
        s.assied(Joueur::ModeManuel, true);
        if (geste == ClicApresUnRamassageRejoue)
            s.joueur.demande_ActionRamasser(InfoDemande(EtatDeJeu::Tour1_AttendRamasseTas1, 0, 9, 0, 0));
        s.demandeCarte();
        DisplayGLScene& scene = *s.t.scene;
        QSignalSpy aides(s.panneau(), &DisplayGLPanelDeJoueur::signalSetHelpText);
        if (geste == SansDemande)
            s.panneau()->finDemandeCarte();
        if (geste == EntreeBloquee)
            scene.setJoueurExclu(true);
        const bool interdite = geste == DoubleClicInterdit || geste == DoubleClicInterditSansAide;
        if (geste == DoubleClicInterditSansAide) {
            OptionsAffichage options = scene.optionsAffichage();
            options.helpCard_ = false;
            scene.setOptionsAffichage(options);
        }
        GM_MessageBoxEmitter emetteur;
        DestinataireDesBoites destinataire;
        if (geste == SousUneBoite) {
            emetteur.setMessageBoxDisplayer(&scene);
            emetteur.messageBoxQuestion(GM::Information, QStringLiteral("Info"), QStringLiteral("Lu?"), GM::Ok,
                                        &destinataire, "OnQuestion");
            QTRY_VERIFY(scene.boitePrincipale().proxy->isVisible());
        }
        const QString avant = scene.texteStatut();
        QCOMPARE(avant, QStringLiteral("Choisissez une carte."));

        Carte* carte = s.carte(!interdite);
        QVERIFY(carte);
        DisplayGLHumanCarte* sprite = s.sprite(carte);
        if (geste == JeuDeDebogage) {
            scene.OnDebugTest();
        } else if (geste == TableVidee) {
            // The hand is hidden with the game; the slot is reached anyway.
            scene.setPartie({});
            scene.OnMouseDoubleClicked(sprite);
            scene.OnMouseOver(sprite);
        } else if (geste == CarteAutreSiege) {
            // Cards of other seats are hidden; the slot is reached anyway.
            const EnsembleDeCartes& main = s.position.mains[(s.siege + 1) % 4];
            Carte* autre = main.getCarte(main.premier());
            scene.OnMouseDoubleClicked(s.sprite(autre));
        } else {
            const QPointF ici = s.pointSur(sprite);
            QVERIFY(!ici.isNull());
            QVERIFY(!scene.boitePrincipale().proxy->sceneBoundingRect().contains(ici));
            if (geste == ClicApresUnRamassageRejoue)
                QTest::mouseClick(s.ecran(), Qt::LeftButton, {}, s.versVue(ici));
            else
                doubleClic(s.ecran(), s.versVue(ici));
            if (geste == DeuxDoublesClics) {
                // Another playable card, before the table took the first.
                s.finitAnimations();
                const QPointF la = s.pointSur(s.sprite(s.carte(true, 1)));
                QVERIFY(!la.isNull());
                doubleClic(s.ecran(), s.versVue(la));
            }
        }
        QCOMPARE(s.recus(EvenementDeJeu::Ajo), envoyees);
        if (envoyees == 1) {
            QCOMPARE(s.table.evenements.back().texte_, carte->toString());
            QCOMPARE(sprite->getState(), int(DisplayGLHumanCarte::Cachee));
            QVERIFY(!s.panneau()->isCarteDemandee());
            QCOMPARE(scene.texteStatut(), QStringLiteral("Patientez..."));
            QVERIFY(!scene.boutonAide()->isEnabled());
            return;
        }
        QCOMPARE(scene.texteStatut(), avant);
        QCOMPARE(s.recus(EvenementDeJeu::Ram), 0);
        QVERIFY(geste != ClicApresUnRamassageRejoue || scene.boutonAide()->isEnabled());
        // A card pressed says what it is worth, as one the pointer rests on.
        QVERIFY(geste == DoubleClicInterdit || geste == ClicApresUnRamassageRejoue || aides.isEmpty());
        if (interdite)
            QCOMPARE(sprite->getState(), int(DisplayGLHumanCarte::Assombrie));
        if (geste == DoubleClicInterdit) {
            // The hand stays as it was, the card darkened; the user reads why.
            QCOMPARE(sprite->getState(), int(DisplayGLHumanCarte::Assombrie));
            QVERIFY(!aides.isEmpty());
            const int code = s.position.partie->estCarteValide(carte, s.siege, s.joueur.main_);
            QCOMPARE(aides.last().first().toString(), texteValiditeCarte(code));
            QVERIFY(s.panneau()->isCarteDemandee());
        }
    }

    // Dragging a playable card high enough near the middle plays it; a
    // drag too short or too far aside puts it back exactly where it was.
    void dragAndDrop_data()
    {
        QTest::addColumn<double>("montee");   // share of the table's height the pointer climbs
        QTest::addColumn<double>("decalage"); // share of the table's width the pointer moves aside
        QTest::addColumn<bool>("joue");
        QTest::addColumn<bool>("tempsEcoule"); // the computer answered for the user mid-drag
        QTest::newRow("high in the middle") << 0.12 << 0.0 << true << false;
        QTest::newRow("too low") << 0.03 << 0.0 << false << false;
        QTest::newRow("too far aside") << 0.12 << 0.45 << false << false;
        QTest::newRow("time ran out mid-drag") << 0.12 << 0.0 << false << true;
    }
    void dragAndDrop()
    {
        QFETCH(double, montee);
        QFETCH(double, decalage);
        QFETCH(bool, joue);
        QFETCH(bool, tempsEcoule);
        SiegeDeScene s;
        s.assied(Joueur::ModeManuel, true);
        s.demandeCarte();
        DisplayGLScene& scene = *s.t.scene;
        Carte* carte = s.carte(true);
        DisplayGLHumanCarte* sprite = s.sprite(carte);
        const QPointF depart = sprite->pos();
        const QPointF ici = s.pointSur(sprite);
        QVERIFY(!ici.isNull());
        const QRectF table = scene.zoneTable();
        // Aside from the card's own place towards the middle, or away from it.
        const double versMilieu = table.center().x() - (sprite->pos().x());
        const double dx = decalage == 0.0 ? versMilieu : (versMilieu > 0 ? -1.0 : 1.0) * decalage * table.width();
        const QPointF fin(ici.x() + dx, ici.y() - montee * table.height());
        QTest::mousePress(s.ecran(), Qt::LeftButton, {}, s.versVue(ici));
        QCOMPARE(sprite->getState(), int(DisplayGLHumanCarte::Levee));
        for (int pas = 1; pas <= 4; ++pas) {
            const QPointF p = ici + (fin - ici) * (pas / 4.0);
            QMouseEvent bouge(QEvent::MouseMove, QPointF(s.versVue(p)), s.ecran()->mapToGlobal(QPointF(s.versVue(p))),
                              Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(s.ecran(), &bouge);
        }
        // While the card climbs, the view pans with it.
        QVERIFY(scene.moteur()->viewParameters()[DisplayGLPaintA::ViewParameters::DecalageY] < 0.0);
        if (tempsEcoule) {
            s.panneau()->finDemandeCarte();
            s.finitAnimations();
        }
        const QPointF avantRelache = sprite->pos();
        QTest::mouseRelease(s.ecran(), Qt::LeftButton, {}, s.versVue(fin));
        QCOMPARE(s.recus(EvenementDeJeu::Ajo), joue ? 1 : 0);
        // The pan of the view comes back to rest.
        const auto vue = scene.moteur()->viewParameters();
        QCOMPARE(vue[DisplayGLPaintA::ViewParameters::DecalageX], 0.0);
        QCOMPARE(vue[DisplayGLPaintA::ViewParameters::DecalageY], 0.0);
        if (joue) {
            QCOMPARE(sprite->getState(), int(DisplayGLHumanCarte::Cachee));
        } else if (tempsEcoule) {
            // The hand went back to rest under the pointer: the release
            // leaves it there.
            QCOMPARE(sprite->getState(), int(DisplayGLHumanCarte::EnMain));
            QCOMPARE(sprite->pos(), avantRelache);
            QVERIFY(!scene.carteGlissee());
        } else {
            QCOMPARE(sprite->pos().x(), depart.x());
            QCOMPARE(sprite->getState(), int(DisplayGLHumanCarte::Posee));
            QCOMPARE(sprite->getHomePosition().x(), depart.x());
            QVERIFY(!scene.carteGlissee());
        }
    }

    // Pressing a card that may not be played explains it but does not lift
    // it; hovering raises a playable card except over its lowest part;
    // view modes other than 0 leave a pressed card where it is.
    void pressAndHover_data()
    {
        QTest::addColumn<bool>("jouable");
        QTest::addColumn<double>("hauteur"); // where the pointer rests, share of the card's height
        QTest::addColumn<int>("etat");
        QTest::addColumn<bool>("voile"); // a floating score over the hand
        QTest::newRow("playable card") << true << 0.3 << int(DisplayGLHumanCarte::Choisie) << false;
        QTest::newRow("under a floating score") << true << 0.3 << int(DisplayGLHumanCarte::Choisie) << true;
        QTest::newRow("its lowest part") << true << 0.96 << int(DisplayGLHumanCarte::Posee) << false;
        QTest::newRow("illegal card") << false << 0.3 << int(DisplayGLHumanCarte::Assombrie) << false;
    }
    void pressAndHover()
    {
        QFETCH(bool, jouable);
        QFETCH(double, hauteur);
        QFETCH(int, etat);
        QFETCH(bool, voile);
        SiegeDeScene s;
        s.assied(Joueur::ModeManuel, true);
        s.demandeCarte();
        DisplayGLScene& scene = *s.t.scene;
        QSignalSpy aides(s.panneau(), &DisplayGLPanelDeJoueur::signalSetHelpText);
        DisplayGLHumanCarte* sprite = s.sprite(s.carte(jouable));
        QPointF ici = s.pointSur(sprite, {hauteur, hauteur + 0.02, hauteur - 0.02});
        QVERIFY(!ici.isNull());
        if (voile) {
            // Like the table's floating scores: on top, taking no button.
            auto* score = scene.addRect(QRectF(ici - QPointF(40, 40), QSizeF(80, 80)), QPen(), QBrush(Qt::yellow));
            score->setZValue(DisplayGLHumanCarte::Z_LEVEE + 1.0);
            score->setAcceptedMouseButtons(Qt::NoButton);
            QCOMPARE(scene.carteSous(ici), sprite);
        }
        // From elsewhere: a pointer already there moves no more.
        QTest::mouseMove(s.ecran(), QPoint(1, 1));
        QTest::mouseMove(s.ecran(), s.versVue(ici));
        s.finitAnimations();
        QCOMPARE(sprite->getState(), etat);
        QCOMPARE(aides.isEmpty(), hauteur > 0.9);
        if (!aides.isEmpty() && jouable)
            QVERIFY(aides.last().first().toString().contains(QStringLiteral("points")));

        // A press lifts only a playable card; with another view mode the
        // release leaves it lifted.
        scene.setModeVue(2);
        ici = s.pointSur(sprite);
        QTest::mousePress(s.ecran(), Qt::LeftButton, {}, s.versVue(ici));
        QTest::mouseRelease(s.ecran(), Qt::LeftButton, {}, s.versVue(ici));
        QCOMPARE(sprite->getState(), jouable ? int(DisplayGLHumanCarte::Levee) : int(DisplayGLHumanCarte::Assombrie));
        QCOMPARE(s.recus(EvenementDeJeu::Ajo), 0);
        scene.setModeVue(0);
    }

    // The hand as the user sees it when a card is asked: the cards that
    // may not be played are darkened.
    void handWithIllegalCardsDarkened()
    {
        SiegeDeScene s;
        s.assied(Joueur::ModeManuel, true);
        s.distribue();
        s.demandeCarte();
        QCoreApplication::processEvents();
        const QImage image = s.t.image();
        gardeImage(image, QStringLiteral("hand-illegal-cards-darkened.png"));
        Carte* bonne = s.carte(true);
        Carte* mauvaise = s.carte(false);
        QCOMPARE(s.sprite(bonne)->getState(), int(DisplayGLHumanCarte::Posee));
        QCOMPARE(s.sprite(mauvaise)->getState(), int(DisplayGLHumanCarte::Assombrie));
        // The same strip of the refused card, darkened and then not.
        const QPointF p = s.pointSur(s.sprite(mauvaise), {0.5});
        QVERIFY(!p.isNull());
        auto clarte = [&p](const QImage& img) {
            double somme = 0.0;
            for (int dy = -12; dy <= 12; ++dy)
                for (int dx = -4; dx <= 4; ++dx) {
                    const QColor c = img.pixelColor(QPoint(int(p.x()) + dx, int(p.y()) + dy));
                    somme += c.redF() + c.greenF() + c.blueF();
                }
            return somme;
        };
        s.sprite(mauvaise)->setState(DisplayGLHumanCarte::Posee, false, 0);
        QVERIFY(clarte(image) < clarte(s.t.image()) - 5.0);
    }

    // A flick on the cloth reaches the main window as a swipe, once, only
    // when it lasted between 100 and 1000 ms and no box is on show.
    void swipeOnTheCloth_data()
    {
        QTest::addColumn<QPoint>("vers");
        QTest::addColumn<qint64>("duree");
        QTest::addColumn<bool>("boite");
        QTest::addColumn<int>("direction");
        QTest::newRow("left") << QPoint(-200, 0) << qint64(250) << false << 1;
        QTest::newRow("up") << QPoint(10, -150) << qint64(250) << false << 4;
        QTest::newRow("too slow") << QPoint(-200, 0) << qint64(1500) << false << 0;
        QTest::newRow("a box on show") << QPoint(-200, 0) << qint64(250) << true << 0;
    }
    void swipeOnTheCloth()
    {
        QFETCH(QPoint, vers);
        QFETCH(qint64, duree);
        QFETCH(bool, boite);
        QFETCH(int, direction);
        SiegeDeScene s;
        s.assied(Joueur::ModeManuel, true);
        DisplayGLScene& scene = *s.t.scene;
        qint64 maintenant = 1000;
        scene.setHorlogeSouris([&maintenant] { return maintenant; });
        if (boite)
            scene.boiteStatut().widget->show();
        QSignalSpy glissements(&scene, &DisplayGLScene::signalSwipeTriggered);
        const QRectF zone = scene.zoneTable();
        const QPoint depart = s.versVue(QPointF(zone.center().x(), zone.height() * 0.4));
        QTest::mousePress(s.ecran(), Qt::LeftButton, {}, depart);
        maintenant += duree;
        QTest::mouseRelease(s.ecran(), Qt::LeftButton, {}, depart + vers);
        // A plain click right after is no swipe.
        QTest::mouseClick(s.ecran(), Qt::LeftButton, {}, depart);
        QCOMPARE(glissements.count(), direction == 0 ? 0 : 1);
        if (direction != 0)
            QCOMPARE(int(glissements.first().first().value<QSwipeGesture::SwipeDirection>()), direction);
    }

    // The help text of a card under the pointer: the reason, and the points
    // of a card that may be played; nothing for a seat that may not play.
    void helpTextOfACard()
    {
        SiegeDeScene s;
        s.assied(Joueur::ModeManuel, true);
        DisplayGLPanelDeJoueur* p = s.panneau();
        QSignalSpy aides(p, &DisplayGLPanelDeJoueur::signalSetHelpText);
        const Partie& jeu = *s.position.partie;
        Carte* bonne = s.carte(true);
        Carte* mauvaise = s.carte(false);
        // No card request yet: silence.
        p->afficheAideCarte(bonne, jeu.atoutChoisi_.atout_, jeu.atoutEnCours_);
        QCOMPARE(aides.count(), 0);
        s.demandeCarte();
        p->afficheAideCarte(bonne, jeu.atoutChoisi_.atout_, jeu.atoutEnCours_);
        p->afficheAideCarte(mauvaise, jeu.atoutChoisi_.atout_, jeu.atoutEnCours_);
        QCOMPARE(aides.count(), 2);
        const int codeBonne = jeu.estCarteValide(bonne, s.siege, s.joueur.main_);
        const int codeMauvaise = jeu.estCarteValide(mauvaise, s.siege, s.joueur.main_);
        const int points = bonne->getPoints(jeu.atoutEnCours_, jeu.atoutChoisi_.atout_);
        QCOMPARE(aides.at(0).first().toString(),
                 texteValiditeCarte(codeBonne) + QStringLiteral(" Celle-ci vaut %1 points.").arg(points));
        QCOMPARE(aides.at(1).first().toString(), texteValiditeCarte(codeMauvaise));
        // Another seat's turn: the player may not play, nothing is said.
        s.position.partie->noDuProchainAJouer_ = (s.siege + 1) % 4;
        p->afficheAideCarte(bonne, jeu.atoutChoisi_.atout_, jeu.atoutEnCours_);
        QCOMPARE(aides.count(), 2);
    }
};

ZB_REGISTER_TEST(TestSceneSeatPanel)
#include "TestSceneSeatPanel.moc"
