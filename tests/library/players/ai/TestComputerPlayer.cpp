#include "AI_HistoEvaluations.h"
#include "AI_Joueur.h"
#include "AI_ProbaSimplifiee.h"
#include "AI_Simulation.h"
#include "AiTestKit.h"
#include "AnnoncesJoueur.h"
#include "GM_CompteBits.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace aitest;

namespace {

constexpr int Trefle = 1, Carreau = 2, Pique = 3, Coeur = 4;

InfoDemande demandeCarte(int noDemande = 12, int etat = 53)
{
    return InfoDemande(etat, 0, noDemande, 0, 3);
}

// Asks for advice and waits for it; the search is short at these strengths.
Carte* conseil(AI_Joueur& ia, const Position& p, ConseilEnregistre& cb)
{
    ia.demandeConseilCarte(p.partie, &p.mainAJouer(), p.partie->joueurQuiAChoisiAtout_, &cb);
    ia.attendRecherche();
    return cb.derniere;
}

} // namespace

class TestComputerPlayer : public QObject
{
    Q_OBJECT

    TableEnregistreuse table_;

private slots:
    void init() { table_.vide(); }

    void iterationsFromStrength_data()
    {
        QTest::addColumn<double>("nbr");
        QTest::addColumn<bool>("simple");
        QTest::addColumn<int>("tours");
        QTest::newRow("zero") << 0.0 << false << 0;
        QTest::newRow("below 500") << 499.0 << false << 0;
        QTest::newRow("500 rounds up") << 500.0 << false << 1;
        QTest::newRow("default") << 5000.0 << false << 5;
        QTest::newRow("1499") << 1499.0 << false << 1;
        QTest::newRow("simple mode") << 5000.0 << true << 0;
        QTest::newRow("negative") << -3000.0 << false << 0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
        QTest::newRow("huge is bounded") << 1e15 << false << int(AI_Joueur::Thread::ITERATIONS_MAX);
    }
    void iterationsFromStrength()
    {
        QFETCH(double, nbr);
        QFETCH(bool, simple);
        QFETCH(int, tours);
        QCOMPARE(AI_Joueur::Thread::nombreDIterations(nbr, simple), tours);
    }

    // The property that matters most: whatever the position, the card is legal.
    void playedCardIsAlwaysLegal_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("fils");
        QTest::newRow("jass, one thread") << false << 1;
        QTest::newRow("jass, two threads") << false << 2;
        QTest::newRow("belote, one thread") << true << 1;
        QTest::newRow("belote, two threads") << true << 2;
    }
    void playedCardIsAlwaysLegal()
    {
        QFETCH(bool, belote);
        QFETCH(int, fils);
        const int total = belote ? 32 : 36;
        for (quint32 graine = 1; graine <= 40; ++graine) {
            const int jouees = int(graine * 7) % (total - 1);
            Position p(belote, graine, jouees);
            AI_Joueur ia;
            assied(ia, p, &table_, 1000.0, fils);
            ConseilEnregistre cb;
            Carte* c = conseil(ia, p, cb);
            QVERIFY2(!cb.derniereErreur, qPrintable(QStringLiteral("seed %1").arg(graine)));
            QVERIFY2(p.estLegale(c), qPrintable(QStringLiteral("seed %1 after %2 cards: %3")
                                                    .arg(graine)
                                                    .arg(jouees)
                                                    .arg(c ? c->toString() : QStringLiteral("none"))));
            QCOMPARE(cb.appels, 1);
        }
    }

    void sameSeedSameCard_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::newRow("jass") << false;
        QTest::newRow("belote") << true;
    }
    void sameSeedSameCard()
    {
        QFETCH(bool, belote);
        for (quint32 graine = 3; graine < 9; ++graine) {
            Position p(belote, graine, 5);
            AI_Joueur a;
            AI_Joueur b;
            assied(a, p, &table_, 3000.0);
            assied(b, p, &table_, 3000.0);
            ConseilEnregistre ca;
            ConseilEnregistre cbk;
            Carte* premiere = conseil(a, p, ca);
            QVERIFY(premiere != nullptr);
            QCOMPARE(conseil(b, p, cbk), premiere);
            // Initialised again, a seat replays its sequence from seed 0.
            assied(a, p, &table_, 3000.0);
            ConseilEnregistre encore;
            QCOMPARE(conseil(a, p, encore), premiere);
        }
    }

    // The evaluations draw from streams seeded in card order from the
    // player's generator: the card and every sample behind it are the same
    // whether the evaluations run one after the other or side by side.
    void theCardDoesNotDependOnTheThreadCount()
    {
        for (quint32 graine = 30; graine < 36; ++graine) {
            Position p(graine % 2 == 0, graine, 3);
            Carte* reference = nullptr;
            AI_Joueur::Thread::Statistiques premieres;
            for (int fils : {1, 4, 3}) {
                AI_Joueur ia;
                assied(ia, p, &table_, 3000.0, fils);
                ConseilEnregistre cb;
                Carte* c = conseil(ia, p, cb);
                QVERIFY(p.estLegale(c));
                const AI_Joueur::Thread::Statistiques s = ia.getThread().getStatistiques();
                if (reference == nullptr) {
                    reference = c;
                    premieres = s;
                }
                QCOMPARE(c, reference);
                QCOMPARE(s.parties, premieres.parties);
                QCOMPARE(s.tirages, premieres.tirages);
                QCOMPARE(s.noeuds, premieres.noeuds);
            }
        }
    }

    // The search plays its random deals on card indices rather than through
    // Partie::joueCarte: with the same draws both must reach the same score,
    // in every mode of both games, with a stake and with a contract.
    void playOutFollowsTheRules_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("mode");
        for (int mode = 1; mode <= 11; ++mode) {
            QTest::addRow("jass mode %d", mode) << false << mode;
            if (mode <= 4 || mode == 9 || mode == 10)
                QTest::addRow("belote mode %d", mode) << true << mode;
        }
    }
    void playOutFollowsTheRules()
    {
        QFETCH(bool, belote);
        QFETCH(int, mode);
        for (quint32 graine = 1; graine <= 40; ++graine) {
            Position p(belote, graine * 7u + quint32(mode), int(graine % 30), mode);
            if (graine % 3 == 0)
                p.partie->multiplicateur_ = 3;
            if (belote && graine % 2 == 0) {
                p.partie->mise_.typeContrat_ = int(graine % 4 == 0 ? ZB_StatusMise::Contre : ZB_StatusMise::Simple);
                p.partie->mise_.pointsMise_ = 100;
                p.points->objectifMise_ = 100;
            }
            // Each set of bit operations this processor runs takes its turn.
            const auto jeu = GM_CompteBits::Jeu(int(graine) % (GM_CompteBits::jeuProcesseur() + 1));
            AI_Simulation::Travail rapide;
            AI_Simulation::Travail reference;
            for (AI_Simulation::Travail* t : {&rapide, &reference}) {
                t->partie.copie(*p.partie);
                for (int j = 0; j < 4; ++j)
                    t->mains[j] = p.mains[j].getMasque();
                t->fluxPrive = true;
                t->etatPrive = graine;
            }
            QVERIFY(AI_Simulation::joueAuHasard(rapide, nullptr, jeu));

            Partie& partie = reference.partie;
            ZB_PointsDonne part;
            while (!partie.donneTerminee_) {
                const int j = partie.noDuProchainAJouer_;
                const quint64 jouables = partie.getMasqueCartesJouables(j, reference.mains[j]);
                QVERIFY(jouables != 0);
                const int index =
                    GM_CompteBits::kiemeBit(jouables, reference.tire(GM_CompteBits::portable(jouables)));
                reference.mains[j] &= ~(quint64(1) << index);
                partie.joueCarte(part, partie.cartesEnMain_.getCarte(index), j);
            }
            QCOMPARE(rapide.tirages, reference.tirages);
            const ZB_PointsA& attendus = *reference.partie.getPoints();
            const ZB_PointsA& obtenus = *rapide.partie.getPoints();
            QVERIFY2(static_cast<const ZB_PointsDonne&>(obtenus) == static_cast<const ZB_PointsDonne&>(attendus),
                     qPrintable(QStringLiteral("seed %1: %2 : %3 against %4 : %5")
                                    .arg(graine)
                                    .arg(obtenus.getScore(0))
                                    .arg(obtenus.getScore(1))
                                    .arg(attendus.getScore(0))
                                    .arg(attendus.getScore(1))));
        }
    }

    void oneLegalCardAnswersWithoutSearch()
    {
        // The last trick: one card each.
        Position p(false, 11, 33);
        QCOMPARE(p.mainAJouer().getNombreDeCartes(), 1u);
        AI_Joueur ia;
        assied(ia, p, &table_, 1e6);
        ConseilEnregistre cb;
        QCOMPARE(conseil(ia, p, cb), p.mainAJouer().getCarte(p.mainAJouer().premier()));
        QCOMPARE(ia.getThread().getStatistiques().iterations, 0);
    }

    void simpleModePlaysLowestLegalIndex()
    {
        for (quint32 graine = 1; graine < 10; ++graine) {
            Position p(false, graine, 6);
            AI_Joueur ia;
            assied(ia, p, &table_, 5000.0, 1, true);
            ConseilEnregistre cb;
            Carte* c = conseil(ia, p, cb);
            const quint64 jouables =
                p.partie->getMasqueCartesJouables(p.aJouer(), p.mainAJouer().getMasque());
            QVERIFY(c != nullptr);
            QCOMPARE(c->getIndex(), __builtin_ctzll(jouables));
            QCOMPARE(ia.getThread().getStatistiques().iterations, 0);
        }
    }

    void searchSamplesEveryCandidate()
    {
        Position p(false, 21, 4);
        AI_Joueur ia;
        assied(ia, p, &table_, 2000.0);
        ConseilEnregistre cb;
        QVERIFY(conseil(ia, p, cb) != nullptr);
        const AI_Joueur::Thread::Statistiques s = ia.getThread().getStatistiques();
        const int candidats = __builtin_popcountll(
            p.partie->getMasqueCartesJouables(p.aJouer(), p.mainAJouer().getMasque()));
        QCOMPARE(s.iterations, 2);
        QCOMPARE(s.evaluations, qint64(2 * candidats));
        QVERIFY(s.parties >= s.evaluations);
        QVERIFY(s.noeuds > 0);
    }

    // Opening lead of a side that chose trump (Jass strengths: jack 8, nine
    // 7, ace 6, king 5, queen 4).
    void openingTrumpLead_data()
    {
        QTest::addColumn<QList<int>>("atouts"); // ranks of suit 3 in the hand
        QTest::addColumn<int>("choisiPar");     // 0 self, 2 partner, 1 opponent
        QTest::addColumn<int>("attendue");      // rank, 0 for no rule
        QTest::newRow("jack is played") << QList<int>{11, 14, 6} << 0 << 11;
        QTest::newRow("bottom of the run") << QList<int>{9, 14, 13, 7} << 0 << 13;
        QTest::newRow("run broken") << QList<int>{9, 13, 12} << 0 << 9;
        QTest::newRow("partner chose: highest") << QList<int>{9, 14, 13} << 2 << 9;
        QTest::newRow("opponent chose: no rule") << QList<int>{11, 9} << 1 << 0;
        QTest::newRow("no trump") << QList<int>{} << 0 << 0;
    }
    void openingTrumpLead()
    {
        QFETCH(QList<int>, atouts);
        QFETCH(int, choisiPar);
        QFETCH(int, attendue);
        ZB_DeckJass deck;
        EnsembleDeCartes main;
        for (int v : atouts)
            main.ajouteCarte(deck.getCarte(Pique, v));
        main.ajouteCarte(deck.getCarte(Coeur, 14));
        main.ajouteCarte(deck.getCarte(Trefle, 6));
        Partie partie(StatusAtout(false, true, Pique, 1), deck.getCartes(), 0, choisiPar, 1,
                      TypeDePartie::getTypeDePartie(0), ZB_StatusMise(), nullptr);
        Carte* c = AI_Joueur::Thread::ouvertureAtout(partie, main, 0, choisiPar, partie.atoutChoisi_);
        if (attendue == 0) {
            QVERIFY(c == nullptr);
        } else {
            QVERIFY(c != nullptr);
            QCOMPARE(c->getValeur(), attendue);
            QCOMPARE(c->getCouleur(), Pique);
        }
        // Never once a card has been played.
        ZB_PointsDonne part;
        partie.joueCarte(part, deck.getCarte(Carreau, 6), 0);
        QVERIFY(AI_Joueur::Thread::ouvertureAtout(partie, main, 1, choisiPar, partie.atoutChoisi_) == nullptr);
    }

    void equalAveragesPreferTheCheaperCard()
    {
        ZB_DeckJass deck;
        Partie partie(StatusAtout(false, true, 10, 1), deck.getCartes(), 0, 1, 1, TypeDePartie::getTypeDePartie(0),
                      ZB_StatusMise(), nullptr);
        std::atomic<bool> stop{false};
        AI_HistoEvaluations h(257, &stop);
        Carte* dix = deck.getCarte(Trefle, 10);  // worth 10 without trump
        Carte* six = deck.getCarte(Carreau, 6);  // worth 0
        h.enregistre(dix, 80, false);
        h.enregistre(dix, 100, false);
        h.enregistre(six, 90, false);
        AI_HistoEvaluations::Contexte ctx;
        ctx.partie = &partie;
        ctx.noJoueur = 1; // leads, but the cards are the only ones of their
        ctx.joueurAtout = 0;
        QCOMPARE(h.getNombre(dix->getIndex()), 2);
        QCOMPARE(h.getOccurrences(dix->getIndex(), 100), 1);
        // Both are the highest left of their suit in a deal without trump:
        // the same factor, the same average, so the cheaper card wins.
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(dix, ctx),
                 AI_HistoEvaluations::facteurHeuristique(six, ctx));
        QCOMPARE(h.choisitCarte(ctx), six);
    }

    void matchSamplesRaiseTheAverage()
    {
        ZB_DeckJass deck;
        Partie partie(StatusAtout(false, true, 10, 1), deck.getCartes(), 0, 1, 1, TypeDePartie::getTypeDePartie(0),
                      ZB_StatusMise(), nullptr);
        std::atomic<bool> stop{false};
        AI_HistoEvaluations h(257, &stop);
        Carte* c = deck.getCarte(Trefle, 6);
        h.enregistre(c, 100, true);
        h.enregistre(c, 50, false);
        AI_HistoEvaluations::Contexte ctx;
        ctx.partie = &partie;
        ctx.noJoueur = 2;
        ctx.joueurAtout = 2;
        const double f = AI_HistoEvaluations::facteurHeuristique(c, ctx);
        QCOMPARE(h.getSommeCorrigee(c->getIndex(), ctx), 150.0 * f + 3.0 * 2 + 4.0 * 1);
    }

    void jassHeuristics_data()
    {
        QTest::addColumn<int>("modeAtout");
        QTest::addColumn<int>("choisiPar");
        QTest::addColumn<bool>("adversairesAtout");
        QTest::addColumn<int>("couleur");
        QTest::addColumn<int>("valeur");
        QTest::addColumn<double>("facteur");
        // Seat 0 leads the first trick; spades are trump.
        QTest::newRow("master card, no opponent trump") << 3 << 0 << false << Coeur << 14 << 1.13;
        QTest::newRow("master card, opponent trump") << 3 << 0 << true << Coeur << 14 << 1.065;
        QTest::newRow("not the master card") << 3 << 0 << true << Coeur << 13 << 1.0;
        QTest::newRow("trump lead, none left outside") << 3 << 0 << false << Pique << 6 << 0.65;
        QTest::newRow("trump lead, opponents hold some") << 3 << 0 << true << Pique << 6 << 1.0;
    }
    void jassHeuristics()
    {
        QFETCH(int, modeAtout);
        QFETCH(int, choisiPar);
        QFETCH(bool, adversairesAtout);
        QFETCH(int, couleur);
        QFETCH(int, valeur);
        QFETCH(double, facteur);
        ZB_DeckJass deck;
        Partie partie(StatusAtout(false, true, modeAtout, 1), deck.getCartes(), 0, choisiPar, 1,
                      TypeDePartie::getTypeDePartie(0), ZB_StatusMise(), nullptr);
        AI_HistoEvaluations::Contexte ctx;
        ctx.partie = &partie;
        ctx.noJoueur = 0;
        ctx.joueurAtout = choisiPar;
        ctx.adversairesAtout = adversairesAtout;
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(couleur, valeur), ctx), facteur);
    }

    void partnerMasterSavesTrumps()
    {
        // Seat 0 leads a heart ace, seat 1 follows low, seat 2 (partner of
        // seat 0) is asked: its trump would waste strength.
        ZB_DeckJass deck;
        Partie partie(StatusAtout(false, true, Pique, 1), deck.getCartes(), 0, 0, 1,
                      TypeDePartie::getTypeDePartie(0), ZB_StatusMise(), nullptr);
        ZB_PointsDonne part;
        partie.joueCarte(part, deck.getCarte(Coeur, 14), 0);
        partie.joueCarte(part, deck.getCarte(Coeur, 6), 1);
        AI_HistoEvaluations::Contexte ctx;
        ctx.partie = &partie;
        ctx.noJoueur = 2;
        ctx.joueurAtout = 0;
        ctx.adversairesAtout = true;
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(Pique, 7), ctx), 0.85);
        ctx.adversairesAtout = false;
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(Pique, 7), ctx), 0.75);
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(Coeur, 7), ctx), 1.0);
    }

    void beloteHeuristics()
    {
        ZB_DeckBelote deck;
        Partie partie(StatusAtout(false, true, Pique, 1), deck.getCartes(), 0, 1, 1,
                      TypeDePartie::getTypeDePartie(6), ZB_StatusMise(), nullptr);
        AI_HistoEvaluations::Contexte ctx;
        ctx.partie = &partie;
        ctx.noJoueur = 0;
        ctx.joueurAtout = 1; // the opponents chose
        ctx.adversairesAtout = true;
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(Pique, 7), ctx), 0.75);
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(Coeur, 14), ctx), 1.25);
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(Coeur, 13), ctx), 1.0);
        ctx.joueurAtout = 2;
        QCOMPARE(AI_HistoEvaluations::facteurHeuristique(deck.getCarte(Pique, 7), ctx), 1.0);
    }

    // --- answers as posted events ---------------------------------------

    void cardRequestPostsOneCard()
    {
        Position p(false, 5, 2);
        AI_Joueur ia;
        assied(ia, p, &table_, 1000.0);
        ia.demande_ = demandeCarte(12, 53);
        ia.demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
        ia.attendRecherche();
        table_.recoit();
        QCOMPARE(table_.evenements.size(), size_t(1));
        const EvenementDeJeu& e = table_.evenements.front();
        QCOMPARE(e.type_, int(EvenementDeJeu::Ajo));
        QCOMPARE(e.noJoueur_, p.aJouer());
        QCOMPARE(e.noDemande_, 12);
        QCOMPARE(e.etat_, EtatDeJeu::Tour2_AttendCarte1);
        QCOMPARE(e.source_, int(EvenementDeJeu::Local_AI));
        QCOMPARE(e.idJoueur_, Q_INT64_C(4242));
        bool legale = false;
        for (Carte* c : p.mainAJouer())
            legale = legale || (c->toString() == e.texte_ && p.estLegale(c));
        QVERIFY(legale);
    }

    void twoRequestsGiveOneAnswer()
    {
        Position p(false, Position::graineAvecChoix(false, 8, 2, 4), 2);
        AI_Joueur ia;
        assied(ia, p, &table_, 60000.0);
        ia.demande_ = demandeCarte(12, 53);
        ia.demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
        ia.demande_ = demandeCarte(13, 53);
        // The second request stops the first; lower its cost to end soon.
        ia.demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
        QTest::qWait(20);
        ia.annuleDemande();
        table_.recoit();
        // Neither a stopped search nor a cancelled one plays.
        QCOMPARE(table_.compte(EvenementDeJeu::Ajo), 0);

        AI_Joueur rapide;
        assied(rapide, p, &table_, 1000.0);
        rapide.demande_ = demandeCarte(20, 53);
        rapide.demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
        rapide.demande_ = demandeCarte(21, 53);
        rapide.demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
        rapide.attendRecherche();
        table_.recoit();
        QVERIFY(table_.compte(EvenementDeJeu::Ajo) >= 1);
        QCOMPARE(table_.evenements.back().noDemande_, 21);
        // The first answers only when it was over before the second came.
        for (const EvenementDeJeu& e : table_.evenements)
            QVERIFY(e.noDemande_ == 20 || e.noDemande_ == 21);
        QVERIFY(table_.compte(EvenementDeJeu::Ajo) <= 2);
    }

    void cancelledSearchCallsBackWithoutCard()
    {
        Position p(true, Position::graineAvecChoix(true, 9, 3, 3), 3);
        AI_Joueur ia;
        assied(ia, p, &table_, 100000.0);
        ConseilEnregistre cb;
        ia.demandeConseilCarte(p.partie, &p.mainAJouer(), p.partie->joueurQuiAChoisiAtout_, &cb);
        QTest::qWait(10);
        ia.annuleConseilCarte();
        QVERIFY(!ia.rechercheEnCours());
        // The receiver is always called back, so that it can release what it
        // holds for the advice, but with no card.
        QCOMPARE(cb.appels, 1);
        QVERIFY(cb.derniere == nullptr);
        QVERIFY(!cb.derniereErreur);
    }

    void deletingDuringSearchPostsNothing()
    {
        Position p(false, Position::graineAvecChoix(false, 12, 1, 3), 1);
        {
            auto ia = std::make_unique<AI_Joueur>();
            assied(*ia, p, &table_, 100000.0, 2);
            ia->demande_ = demandeCarte();
            ia->demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
            QTest::qWait(10);
            QVERIFY(ia->rechercheEnCours());
        }
        table_.recoit();
        QVERIFY(table_.evenements.empty());
        QVERIFY(table_.erreurs.empty());
    }

    void emptyHandStartsNothing()
    {
        Position p(false, 2, 0);
        AI_Joueur ia;
        assied(ia, p, &table_, 1000.0);
        ia.demande_ = demandeCarte();
        ia.demande_Carte_(p.partie, 0, EnsembleDeCartes(), p.partie->atoutChoisi_);
        QVERIFY(!ia.rechercheEnCours());
        ia.attendRecherche();
        table_.recoit();
        QVERIFY(table_.evenements.empty());
    }

    void refusedAnswerReportsAnError()
    {
        // Request number -1 fails the event check on the search thread.
        Position p(false, 4, 2);
        AI_Joueur ia;
        assied(ia, p, &table_, 1000.0);
        ia.demande_ = InfoDemande(53, 0, -1, 0, 3);
        ia.demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
        ia.attendRecherche();
        table_.recoit();
        QVERIFY(table_.evenements.empty());
        QCOMPARE(table_.erreurs.size(), size_t(1));
        QCOMPARE(table_.erreurs.front(), AI_Joueur::texteErreur());
    }

    void impossibleDealReportsAnError()
    {
        Position p(false, 6, 2);
        AI_Joueur ia;
        assied(ia, p, &table_, 2000.0);
        // An unseen card that no seat may hold.
        Carte* perdue = nullptr;
        for (Carte* c : p.partie->cartesEnMain_)
            if (!p.mainAJouer().contientCarte(c))
                perdue = c;
        QVERIFY(perdue != nullptr);
        AI_ProbaSimplifiee* m = ia.getProbabilites();
        for (int j = 0; j < 4; ++j) {
            const int i = AI_ProbaSimplifiee::index(j, perdue->getValeur(), perdue->getCouleur());
            m->vueJoueur[i] = 0;
            m->vueAutres[i] = 0;
            m->connues[i] = 0;
        }
        ia.demande_ = demandeCarte();
        ia.demande_Carte_(p.partie, p.partie->joueurQuiAChoisiAtout_, p.mainAJouer(), p.partie->atoutChoisi_);
        ia.attendRecherche();
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ajo), 0);
        QCOMPARE(table_.erreurs.size(), size_t(1));
    }

    void immediateAnswersArePostedEvents()
    {
        Position p(false, 14, 0, Pique, 0);
        AI_Joueur ia;
        TypeDePartie type = TypeDePartie::getTypeDePartie(0);
        ia.initialise(nullptr, optionsOrdi(1000.0), &table_, 0, type);
        ia.recoitCartes(p.mains[0]);

        ia.demande_ = InfoDemande(27, 0, 30, 0, 3);
        ia.demande_ChoisitAtout_(StatusAtout(true, false, 0, -1)); // the partner passed: must choose
        ia.demande_ = InfoDemande(29, 0, 31, 0, 3);
        ia.demande_Annonce_(Pique);
        ia.demande_ = InfoDemande(7, 0, 32, 0, 3);
        ia.demande_ActionDistribue_();
        ia.demande_ = InfoDemande(41, 0, 33, 0, 3);
        ia.demande_ActionRamasser_();
        ia.demande_ = InfoDemande(135, 0, 34, 0, 3);
        ia.demande_ActionFinDePartie_(true, false, false);
        table_.recoit();
        QCOMPARE(table_.evenements.size(), size_t(5));
        const EvenementDeJeu& atout = table_.evenements[0];
        QCOMPARE(atout.type_, int(EvenementDeJeu::Cho));
        QCOMPARE(atout.noDemande_, 30);
        StatusAtout choisi;
        choisi.chargeValeursDepuisString(atout.texte_);
        QVERIFY(choisi.choisi_);
        QCOMPARE(choisi.multiplicateur_, type.multiplicateurs_[size_t(choisi.atout_)]);
        QCOMPARE(table_.evenements[1].type_, int(EvenementDeJeu::Ann));
        QCOMPARE(AnnoncesJoueur(table_.evenements[1].texte_), AnnoncesJoueur(p.mains[0], Pique));
        QCOMPARE(table_.evenements[2].type_, int(EvenementDeJeu::Dis));
        QCOMPARE(table_.evenements[3].type_, int(EvenementDeJeu::Ram));
        QCOMPARE(table_.evenements[4].type_, int(EvenementDeJeu::Fin));
        QCOMPARE(table_.evenements[4].texte_, QStringLiteral("Ok"));
        for (const EvenementDeJeu& e : table_.evenements) {
            QCOMPARE(e.noJoueur_, 0);
            QCOMPARE(e.source_, int(EvenementDeJeu::Local_AI));
        }
        QVERIFY(!ia.estEnAction());
    }

    void bidAnswerIsPosted()
    {
        Position p(true, 15, 0, Coeur, 0);
        AI_Joueur ia;
        ia.initialise(nullptr, optionsOrdi(1000.0), &table_, 1, TypeDePartie::getTypeDePartie(6));
        ia.recoitCartes(p.mains[1]);
        ZB_StatusMise mise;
        mise.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
        mise.montantBloque_ = false;
        mise.tourMise_ = 0;
        ia.demande_ = InfoDemande(11, 0, 40, 0, 3);
        ia.demande_ChoisitMise_(mise);
        table_.recoit();
        QCOMPARE(table_.evenements.size(), size_t(1));
        QCOMPARE(table_.evenements[0].type_, int(EvenementDeJeu::Chm));
        ZB_StatusMise lue;
        lue.chargeValeursDepuisString(table_.evenements[0].texte_);
        ZB_StatusMise attendue = mise;
        ia.conseilMise(p.mains[1], attendue);
        QCOMPARE(lue, attendue);
    }

    void teamBidsAreTracked()
    {
        AI_Joueur ia;
        ia.initialise(nullptr, optionsOrdi(1000.0), &table_, 1, TypeDePartie::getTypeDePartie(6));
        ZB_StatusMise coeur;
        coeur.miseFaite_ = true;
        coeur.atoutMise_ = Coeur;
        ZB_StatusMise pique = coeur;
        pique.atoutMise_ = Pique;

        ia.miseAnnoncee(0, coeur); // an opponent: nothing changes
        QCOMPARE(ia.compteurMises_, 0);
        QCOMPARE(ia.getDerniereMiseEquipe(), ZB_StatusMise());
        ia.miseAnnoncee(3, coeur);
        QCOMPARE(ia.compteurMises_, 1);
        ia.miseAnnoncee(1, coeur);
        QCOMPARE(ia.compteurMises_, 2);
        QCOMPARE(ia.getPremiereMiseEquipe(), coeur);
        ia.miseAnnoncee(3, pique);
        QCOMPARE(ia.compteurMises_, 1);
        QCOMPARE(ia.getPremiereMiseEquipe(), pique);
        QCOMPARE(ia.getDerniereMiseEquipe(), pique);
        ia.initialise(nullptr, optionsOrdi(1000.0), &table_, 1, TypeDePartie::getTypeDePartie(6));
        QCOMPARE(ia.compteurMises_, 0);
    }

    void knowledgeFeedReachesTheModel()
    {
        ZB_DeckJass deck;
        AI_Joueur ia;
        ia.initialise(nullptr, optionsOrdi(1000.0), &table_, 0, TypeDePartie::getTypeDePartie(0));
        AI_ProbaSimplifiee* m = ia.getProbabilites();
        QVERIFY(m != nullptr);
        // Four jacks shown by seat 2: nobody else may hold them.
        EnsembleDeCartes main;
        for (int couleur = 1; couleur <= 4; ++couleur)
            main.ajouteCarte(deck.getCarte(couleur, 11));
        main.ajouteCarte(deck.getCarte(1, 6));
        ia.recoitAnnonces(2, AnnoncesJoueur(main, 10));
        for (int couleur = 1; couleur <= 4; ++couleur) {
            QCOMPARE(m->getVueJoueur(1, couleur, 11), quint8(0));
            QCOMPARE(m->getVueAutres(3, couleur, 11), quint8(0));
            QCOMPARE(m->getVueJoueur(2, couleur, 11), quint8(1));
        }
        ia.attribueCarte(3, *deck.getCarte(2, 9));
        QCOMPARE(m->getVueJoueur(1, 2, 9), quint8(0));
        ia.reinitialise();
        QCOMPARE(m->getVueJoueur(1, 1, 11), quint8(1));
        QVERIFY(ia.getCarteRetournee() == nullptr);
    }
};

ZB_REGISTER_TEST(TestComputerPlayer)
#include "TestComputerPlayer.moc"
