#include "AI_Joueur.h"
#include "AI_ProbaSimplifiee.h"
#include "AiTestKit.h"
#include "JoueurResau.h"
#include "ZbTestRegistry.h"

#include <QTest>

using namespace aitest;

namespace {

// An assistant seated at the seat to play of a position, holding its hand.
void assied(JoueurResau& aide, const Position& p, QObject* table, int mode)
{
    aide.initialise(nullptr, optionsOrdi(1000.0), table, p.aJouer(), p.partie->typeDePartie_);
    aide.getSubstitut()->setNombreDeFils(1);
    aide.recoitCartes(p.mainAJouer());
    aide.modeJeu_ = mode;
    aide.setContexte(p.partie);
}

InfoDemande demande(int etat, int noDemande)
{
    return InfoDemande(etat, 0, noDemande, 0, 3);
}

} // namespace

class TestNetworkPlayer : public QObject
{
    Q_OBJECT

    TableEnregistreuse table_;

private slots:
    void init() { table_.vide(); }

    void substituteAnswersInComputerModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("joue");
        for (int mode = 0; mode <= 9; ++mode) {
            const bool joue = mode == 2 || mode == 3 || mode == 4 || mode == 9;
            QTest::addRow("mode %d", mode) << mode << joue;
        }
    }
    void substituteAnswersInComputerModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, joue);
        QCOMPARE(JoueurResau::substitutJoue(mode), joue);

        Position p(false, 3, 4);
        JoueurResau aide;
        assied(aide, p, &table_, mode);
        aide.demande_Carte(p.partie, demande(53, 7), p.partie->atoutChoisi_);
        aide.getSubstitut()->attendRecherche();
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ajo), joue ? 1 : 0);
        QCOMPARE(aide.getDemandeEnAttente(), joue ? int(JoueurResau::AttenteAucune) : int(JoueurResau::AttenteCarte));
        if (joue) {
            QCOMPARE(table_.evenements[0].noDemande_, 7);
            QCOMPARE(table_.evenements[0].noJoueur_, p.aJouer());
        }
    }

    void forwardedCardIsPlayedOnItsTurn()
    {
        Position p(false, 5, 6);
        JoueurResau aide;
        assied(aide, p, &table_, Joueur::ModeHumainDistant);
        aide.demande_Carte(p.partie, demande(53, 9), p.partie->atoutChoisi_);
        table_.recoit();
        QVERIFY(table_.evenements.empty());
        QCOMPARE(aide.getNoTableEnAttente(), 0);

        // The participant left: the substitute takes the waiting request.
        aide.modeJeu_ = Joueur::ModeRemplacant;
        aide.forwardPendingRequest();
        aide.getSubstitut()->attendRecherche();
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ajo), 1);
        QCOMPARE(table_.evenements[0].noDemande_, 9);
        bool legale = false;
        for (Carte* c : p.mainAJouer())
            legale = legale || (c->toString() == table_.evenements[0].texte_ && p.estLegale(c));
        QVERIFY(legale);
        QCOMPARE(aide.getDemandeEnAttente(), int(JoueurResau::AttenteAucune));

        // Nothing is left to hand over.
        aide.forwardPendingRequest();
        aide.getSubstitut()->attendRecherche();
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ajo), 1);
    }

    void forwardedCardWaitsForItsTurn()
    {
        Position p(false, 5, 6);
        JoueurResau aide;
        assied(aide, p, &table_, Joueur::ModeHumainDistant);
        aide.demande_Carte(p.partie, demande(53, 9), p.partie->atoutChoisi_);
        // The table moved on: another seat is to play now.
        Position autre(false, 5, 7);
        aide.setContexte(autre.partie);
        aide.forwardPendingRequest();
        aide.getSubstitut()->attendRecherche();
        table_.recoit();
        QVERIFY(table_.evenements.empty());
        QCOMPARE(aide.getDemandeEnAttente(), int(JoueurResau::AttenteAucune));

        // Detached from any game: nothing either.
        aide.demande_Carte(p.partie, demande(53, 10), p.partie->atoutChoisi_);
        aide.setContexte(QSharedPointer<Partie>());
        aide.forwardPendingRequest();
        aide.getSubstitut()->attendRecherche();
        table_.recoit();
        QVERIFY(table_.evenements.empty());
    }

    void pendingRequestsOfEachKind_data()
    {
        QTest::addColumn<int>("attente");
        QTest::addColumn<int>("genre");
        QTest::newRow("trump") << int(JoueurResau::AttenteAtout) << int(EvenementDeJeu::Cho);
        QTest::newRow("announcement") << int(JoueurResau::AttenteAnnonce) << int(EvenementDeJeu::Ann);
        QTest::newRow("deal") << int(JoueurResau::AttenteDistribue) << int(EvenementDeJeu::Dis);
        QTest::newRow("collect") << int(JoueurResau::AttenteRamasser) << int(EvenementDeJeu::Ram);
        QTest::newRow("end of game") << int(JoueurResau::AttenteFinDePartie) << int(EvenementDeJeu::Fin);
        QTest::newRow("bid") << int(JoueurResau::AttenteMise) << int(EvenementDeJeu::Chm);
    }
    void pendingRequestsOfEachKind()
    {
        QFETCH(int, attente);
        QFETCH(int, genre);
        const bool belote = attente == JoueurResau::AttenteMise;
        Position p(belote, 17, 0, belote ? 4 : 3, 0);
        JoueurResau aide;
        assied(aide, p, &table_, Joueur::ModeManuel);
        switch (attente) {
        case JoueurResau::AttenteAtout:
            aide.demande_ChoisitAtout(StatusAtout(true, false, 0, -1), demande(28, 1));
            break;
        case JoueurResau::AttenteAnnonce:
            aide.demande_Annonce(demande(29, 1), 3);
            break;
        case JoueurResau::AttenteDistribue:
            aide.demande_ActionDistribue(demande(7, 1));
            break;
        case JoueurResau::AttenteRamasser:
            aide.demande_ActionRamasser(demande(41, 1));
            break;
        case JoueurResau::AttenteFinDePartie:
            aide.demande_ActionFinDePartie(true, false, false, false, demande(135, 1));
            break;
        case JoueurResau::AttenteMise: {
            ZB_StatusMise mise;
            mise.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
            aide.demande_ChoisitMise(mise, demande(11, 1));
            break;
        }
        }
        table_.recoit();
        QVERIFY(table_.evenements.empty());
        QCOMPARE(aide.getDemandeEnAttente(), attente);

        aide.forwardPendingRequest();
        table_.recoit();
        QCOMPARE(table_.evenements.size(), size_t(1));
        QCOMPARE(table_.evenements[0].type_, genre);
        QCOMPARE(table_.evenements[0].noDemande_, 1);
        QCOMPARE(aide.getDemandeEnAttente(), int(JoueurResau::AttenteAucune));
    }

    void dealRequestAlwaysResetsTheModel()
    {
        Position p(false, 2, 0);
        JoueurResau aide;
        assied(aide, p, &table_, Joueur::ModeManuel);
        AI_ProbaSimplifiee* m = aide.getSubstitut()->getProbabilites();
        const Carte* c = p.mainAJouer().getCarte(p.mainAJouer().premier());
        QCOMPARE(m->getConnue(p.aJouer(), c->getCouleur(), c->getValeur()), quint8(1));
        aide.demande_ActionDistribue(demande(7, 3));
        QCOMPARE(m->getConnue(p.aJouer(), c->getCouleur(), c->getValeur()), quint8(0));
        QCOMPARE(m->getVueJoueur((p.aJouer() + 1) % 4, c->getCouleur(), c->getValeur()), quint8(1));
        QCOMPARE(aide.getDemandeEnAttente(), int(JoueurResau::AttenteDistribue));
    }

    void shownCardsClearThePendingRequest()
    {
        Position p(false, 2, 0);
        JoueurResau aide;
        assied(aide, p, &table_, Joueur::ModeManuel);
        aide.demande_ActionRamasser(demande(41, 3));
        QCOMPARE(aide.getDemandeEnAttente(), int(JoueurResau::AttenteRamasser));
        aide.marqueCartesConnues(1, p.mains[1]);
        QCOMPARE(aide.getDemandeEnAttente(), int(JoueurResau::AttenteAucune));
        for (const Carte* c : p.mains[1])
            QCOMPARE(aide.getSubstitut()->getProbabilites()->getConnue(1, c->getCouleur(), c->getValeur()), quint8(1));
    }

    void assignmentTakesOverTheSearchState()
    {
        Position p(false, 4, 3);
        JoueurResau a;
        JoueurResau b;
        assied(a, p, &table_, Joueur::ModeOrdinateur);
        b.initialise(nullptr, optionsOrdi(1000.0), &table_, 3, p.partie->typeDePartie_, true);
        b.getSubstitut()->getGenerateur()->initialise(99);
        b = a;
        QCOMPARE(b.getSubstitut()->getGenerateur()->sauveValeursDansString(),
                 a.getSubstitut()->getGenerateur()->sauveValeursDansString());
        QCOMPARE(b.getSubstitut()->estModeSimple(), false);
        QCOMPARE(b.main_, a.main_);
        QCOMPARE(b.modeJeu_, int(Joueur::ModeOrdinateur));
    }
};

ZB_REGISTER_TEST(TestNetworkPlayer)
#include "TestNetworkPlayer.moc"
