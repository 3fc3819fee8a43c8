#include "AiTestKit.h"
#include "AnnoncesJoueur.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "ZB_DisplayEmpty.h"
#include "ZbTestRegistry.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace aitest;

namespace {

class PanelEnregistreur : public ZB_DisplayEmptyPlayer
{
public:
    QStringList appels;
    void initialise(QString nom, int, bool, bool, Joueur*, const TypeDePartie&, int, int) override
    {
        appels << QStringLiteral("initialise ") + nom;
    }
    void afficheChoix() override { appels << "afficheChoix"; }
    void afficheChoixAtout(bool chibre, bool anime, int etat) override
    {
        appels << QStringLiteral("afficheChoixAtout %1 %2 %3").arg(int(chibre)).arg(int(anime)).arg(etat);
    }
    void finChoixAtout() override { appels << "finChoixAtout"; }
    void afficheChoixPourMise() override { appels << "afficheChoixPourMise"; }
    void afficheChoixMise(const ZB_StatusMise&, bool, int) override { appels << "afficheChoixMise"; }
    void finChoixMise() override { appels << "finChoixMise"; }
    void cacheChoix() override { appels << "cacheChoix"; }
    void demandeCarte(const InfoDemande& d) override { appels << QStringLiteral("demandeCarte %1").arg(d.noDemande_); }
    void finDemandeCarte() override { appels << "finDemandeCarte"; }
    void attendDistribue() override { appels << "attendDistribue"; }
    void effaceAttente() override { appels << "effaceAttente"; }
    void attendRamasser() override { appels << "attendRamasser"; }
    void effaceAttenteRamasser() override { appels << "effaceAttenteRamasser"; }
    void effaceAttente2() override { appels << "effaceAttente2"; }
    void cacheCartes() override { appels << "cacheCartes"; }
};

class AnalyseEnregistreuse : public ZB_AnalyseJoueurEmpty
{
public:
    QStringList appels;
    void cache() override { appels << "cache"; }
    void setTitre(const QString& t) override { appels << QStringLiteral("titre ") + t; }
    void affiche() override { appels << "affiche"; }
    void effaceMessages() override { appels << "effaceMessages"; }
};

class DisplayEnregistreur : public ZB_DisplayEmpty
{
public:
    PanelEnregistreur panels[4];
    AnalyseEnregistreuse analyses[4];
    QStringList textesAide;
    QList<int> curseurs;
    DisplayAPanelDeJoueur* getPanelDeJoueur(int no) override { return &panels[no]; }
    ZB_AnalyseJoueurA* getAnalyseJoueur(int no) override { return &analyses[no]; }
    void setTexteAide(const QString& t) override { textesAide << t; }
    void setCurseur(int forme) override { curseurs << forme; }
    void restaureCurseur() override { curseurs << -1; }
    void vide()
    {
        for (int i = 0; i < 4; ++i) {
            panels[i].appels.clear();
            analyses[i].appels.clear();
        }
        textesAide.clear();
        curseurs.clear();
    }
};

OptionsDuJoueur optionsHumain()
{
    OptionsDuJoueur o;
    o.nom_ = QStringLiteral("Anna");
    o.id_ = 31;
    o.idCompte_ = 9001;
    o.optionsAI_.nbrCombinations_ = 50.0;
    return o;
}

InfoDemande enDirect(int etat, int noDemande)
{
    return InfoDemande(etat, 0, noDemande, 0, 3);
}

} // namespace

class TestHumanPlayer : public QObject
{
    Q_OBJECT

    TableEnregistreuse table_;
    QObject* contexte_ = new QObject(&table_); // the table's game object; answers go to its parent
    DisplayEnregistreur display_;

    // A player seated at a position's seat to play, holding its hand.
    std::unique_ptr<JoueurHumain> assied(const Position& p, int mode, bool delaiActif = false,
                                         const OptionsDuJoueur& options = optionsHumain())
    {
        auto j = std::make_unique<JoueurHumain>();
        j->initialise(options, contexte_, p.aJouer(), false, p.partie->typeDePartie_, delaiActif, &display_, 30.0);
        j->getAide()->getSubstitut()->setNombreDeFils(1);
        j->setPartie(p.partie);
        j->recoitCartes(p.mainAJouer());
        j->setMode(mode);
        display_.vide();
        return j;
    }

    void attendRecherche(JoueurHumain& j) { QVERIFY(j.getAide()->getSubstitut()->attendRecherche(5000)); }

private slots:
    void init()
    {
        table_.vide();
        display_.vide();
        display_.setModeAffichage(0, false);
    }

    void initialisationSetsModeFromDisplay_data()
    {
        QTest::addColumn<int>("modeAffichage");
        QTest::addColumn<int>("modeJeu");
        QTest::newRow("ordinary") << 0 << int(Joueur::ModeAucun);
        QTest::newRow("demonstration") << 1 << int(Joueur::ModeOrdinateurPartout);
        QTest::newRow("computer plays all") << 2 << int(Joueur::ModeOrdinateur);
    }
    void initialisationSetsModeFromDisplay()
    {
        QFETCH(int, modeAffichage);
        QFETCH(int, modeJeu);
        display_.setModeAffichage(modeAffichage, false);
        JoueurHumain j;
        j.initialise(optionsHumain(), contexte_, 2, true, TypeDePartie::getTypeDePartie(0), false, &display_);
        QCOMPARE(j.modeJeu_, modeJeu);
        QCOMPARE(j.getAide()->modeJeu_, modeJeu);
        QCOMPARE(j.destinataire_, static_cast<QObject*>(&table_));
        QCOMPARE(j.cartesVisibles_, quint8(1));
        const QString nom = optionsHumain().getNomAffiche();
        QCOMPARE(display_.analyses[2].appels,
                 (QStringList{"cache", QStringLiteral("titre Analyse '") + nom + "'", "affiche"}));
        QCOMPARE(display_.panels[2].appels, QStringList{QStringLiteral("initialise ") + nom});
    }

    // Who sees and who answers a request depends on the play mode.
    void requestsFollowPlayMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("panneau");
        QTest::addColumn<int>("forwarding");
        QTest::addColumn<bool>("affiche");
        QTest::addColumn<bool>("repondu");
        QTest::addColumn<int>("enAttente");
        QTest::newRow("user") << 1 << false << 0 << true << false << int(JoueurResau::AttenteAtout);
        QTest::newRow("computer") << 2 << false << 0 << false << true << int(JoueurResau::AttenteAucune);
        QTest::newRow("remote") << 5 << false << 0 << false << false << int(JoueurResau::AttenteAtout);
        QTest::newRow("remote, user's seat") << 5 << true << 0 << true << false << int(JoueurResau::AttenteAtout);
        QTest::newRow("demonstration") << 9 << false << 0 << false << true << int(JoueurResau::AttenteAucune);
        QTest::newRow("replay, user") << 1 << false << 1 << true << false << int(JoueurResau::AttenteAucune);
        QTest::newRow("replay, computer") << 2 << false << 3 << false << false << int(JoueurResau::AttenteAucune);
    }
    void requestsFollowPlayMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, panneau);
        QFETCH(int, forwarding);
        QFETCH(bool, affiche);
        QFETCH(bool, repondu);
        QFETCH(int, enAttente);
        Position p(false, 11, 0);
        auto j = assied(p, mode, true);
        j->demandePanneau_ = panneau;
        const int siege = p.aJouer();
        j->demande_ChoisitAtout(StatusAtout(true, false, 0, -1), InfoDemande(20, forwarding, 5, 0, 3));
        table_.recoit();

        const QStringList attendu{"afficheChoix", QStringLiteral("afficheChoixAtout 0 %1 20").arg(int(forwarding == 0))};
        QCOMPARE(display_.panels[siege].appels, affiche ? attendu : QStringList());
        QCOMPARE(table_.compte(EvenementDeJeu::Cho), repondu ? 1 : 0);
        if (repondu) {
            QCOMPARE(table_.evenements[0].noDemande_, 5);
            QCOMPARE(table_.evenements[0].source_, int(EvenementDeJeu::Local_AI));
        }
        QCOMPARE(j->getAide()->getDemandeEnAttente(), enAttente);
        // Only a live request of the user's own seat starts the online timer.
        QCOMPARE(j->estDelaiEnCours(), mode == 1 && forwarding == 0);
        QCOMPARE(display_.curseurs, QList<int>{mode == 1 ? -1 : 3});
        QCOMPARE(j->getDemandeAtout(), InfoDemande(20, forwarding, 5, 0, 3));
    }

    void otherRequestsReachThePanel()
    {
        Position p(false, 12, 4);
        auto j = assied(p, Joueur::ModeManuel);
        const int siege = p.aJouer();
        j->demande_ActionDistribue(enDirect(7, 1));
        j->demande_ActionRamasser(enDirect(41, 2));
        j->demande_Carte(p.partie, enDirect(53, 3));
        j->demande_ChoisitMise(ZB_StatusMise(), enDirect(11, 4));
        QCOMPARE(display_.panels[siege].appels,
                 (QStringList{"attendDistribue", "attendRamasser", "cacheChoix", "demandeCarte 3",
                              "afficheChoixPourMise", "afficheChoixMise"}));
        QCOMPARE(j->getAide()->getDemandeEnAttente(), int(JoueurResau::AttenteMise));
        table_.recoit();
        QVERIFY(table_.evenements.empty());

        // The user's announcements are found at once; a remote seat's wait.
        j->demande_Annonce(enDirect(36, 5), p.partie->atoutChoisi_.atout_);
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ann), 1);
        QCOMPARE(table_.evenements.back().texte_,
                 AnnoncesJoueur(p.mainAJouer(), p.partie->atoutChoisi_.atout_).sauveValeursDansString());
        QCOMPARE(table_.evenements.back().source_, int(EvenementDeJeu::Local_Human));
        j->setMode(Joueur::ModeHumainDistant);
        j->demande_Annonce(enDirect(36, 6), p.partie->atoutChoisi_.atout_);
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ann), 1);
    }

    void userActionsAnswerTheStoredRequest_data()
    {
        QTest::addColumn<int>("quoi");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("appel");
        QTest::newRow("trump") << 0 << int(EvenementDeJeu::Cho) << "finChoixAtout";
        QTest::newRow("bid") << 1 << int(EvenementDeJeu::Chm) << "finChoixAtout";
        QTest::newRow("deal") << 2 << int(EvenementDeJeu::Dis) << "effaceAttente";
        QTest::newRow("collect") << 3 << int(EvenementDeJeu::Ram) << "effaceAttenteRamasser";
    }
    void userActionsAnswerTheStoredRequest()
    {
        QFETCH(int, quoi);
        QFETCH(int, type);
        QFETCH(QString, appel);
        Position p(false, 13, 0);
        for (bool enLigne : {false, true}) {
            table_.vide();
            auto j = assied(p, Joueur::ModeManuel, enLigne);
            const int siege = p.aJouer();
            StatusAtout atout(false, true, 5, -1);
            ZB_StatusMise mise;
            // Online, an action with no running timer comes too late: the
            // computer has answered already.
            if (enLigne) {
                j->choisitAtout(atout);
                j->choisitMise(mise);
                j->actionDistribue();
                j->actionRamasser();
                table_.recoit();
                QVERIFY(table_.evenements.empty());
            }
            const InfoDemande d = enDirect(quoi == 2 ? 7 : quoi == 3 ? 41 : 20, 40 + quoi);
            switch (quoi) {
            case 0: j->demande_ChoisitAtout(StatusAtout(), d); break;
            case 1: j->demande_ChoisitMise(mise, d); break;
            case 2: j->demande_ActionDistribue(d); break;
            case 3: j->demande_ActionRamasser(d); break;
            }
            display_.vide();
            switch (quoi) {
            case 0: j->choisitAtout(atout); break;
            case 1: j->choisitMise(mise); break;
            case 2: j->actionDistribue(); break;
            case 3: j->actionRamasser(); break;
            }
            table_.recoit();
            QCOMPARE(table_.evenements.size(), size_t(1));
            const EvenementDeJeu& e = table_.evenements[0];
            QCOMPARE(e.type_, type);
            QCOMPARE(e.noDemande_, 40 + quoi);
            QCOMPARE(e.etat_, d.etat_);
            QCOMPARE(e.source_, int(EvenementDeJeu::Local_Human));
            QVERIFY(display_.panels[siege].appels.contains(appel));
            QVERIFY(!j->estDelaiEnCours());
            if (quoi == 0) // the chosen mode's multiplier of the game type
                QCOMPARE(e.texte_, StatusAtout(false, true, 5, p.partie->typeDePartie_.multiplicateurs_[5])
                                       .sauveValeursDansString());
        }
    }

    void playableCardCodes()
    {
        Position p(false, 21, 5);
        auto j = assied(p, Joueur::ModeManuel);
        const int siege = p.aJouer();
        Carte* premiere = *p.mainAJouer().begin();

        // Not a card state, or not yet asked.
        QCOMPARE(j->peutJouerCarte(*premiere), 0);
        j->demande_Carte(p.partie, enDirect(53, 8));
        int jouables = 0;
        for (Carte* c : p.mainAJouer()) {
            const int code = j->peutJouerCarte(*c);
            QCOMPARE(code, p.partie->estCarteValide(c, siege, p.mainAJouer()));
            QVERIFY(code >= 1 && code <= 13);
            QCOMPARE(Partie::estCodeJouable(code), p.estLegale(c));
            jouables += Partie::estCodeJouable(code) ? 1 : 0;
        }
        QCOMPARE(jouables, p.nombreDeCoupsLegaux());
        // A card of another hand is never playable.
        const Carte* etrangere = *p.mains[(siege + 1) % 4].begin();
        QCOMPARE(j->peutJouerCarte(*etrangere), 0);

        // Another seat's turn, or a state where no card is played.
        JoueurHumain autre;
        autre.initialise(optionsHumain(), contexte_, (siege + 1) % 4, false, p.partie->typeDePartie_, false, &display_);
        autre.setPartie(p.partie);
        autre.recoitCartes(p.mains[(siege + 1) % 4]);
        autre.demande_ = enDirect(53, 8);
        QCOMPARE(autre.peutJouerCarte(*etrangere), 0);
        j->demande_ActionRamasser(enDirect(41, 9));
        QCOMPARE(j->peutJouerCarte(*premiere), 0);
        // Detached from the game.
        j->demande_ = enDirect(53, 8);
        j->setContexteDeJeu(nullptr);
        QCOMPARE(j->peutJouerCarte(*premiere), 0);
        QVERIFY(JoueurHumain::estEtatDeJeuDeCarte(37) && JoueurHumain::estEtatDeJeuDeCarte(124));
        QVERIFY(!JoueurHumain::estEtatDeJeuDeCarte(41) && !JoueurHumain::estEtatDeJeuDeCarte(125));
    }

    // Thirty ticks of one second: countdown, penalty, then exclusion.
    void onlineTimerPenaltyThenExclusion()
    {
        Position p(false, 31, 0);
        auto j = assied(p, Joueur::ModeManuel, true);
        QSignalSpy lent(j.get(), &JoueurHumain::signalPlayerTooSlow);
        QSignalSpy exclu(j.get(), &JoueurHumain::signalPlayerExcluded);
        const int siege = p.aJouer();

        j->demande_ActionDistribue(enDirect(7, 1));
        QVERIFY(j->estDelaiEnCours());
        for (int s = 1; s <= 7; ++s)
            j->OnTimeoutOnlineDelay();
        QVERIFY(display_.textesAide.isEmpty());
        j->OnTimeoutOnlineDelay();
        QCOMPARE(display_.textesAide, QStringList{QString::fromUtf8("Temps restant 22[s] avant pénalité.")});
        for (int s = 9; s <= 29; ++s)
            j->OnTimeoutOnlineDelay();
        QCOMPARE(display_.textesAide.last(), QString::fromUtf8("Temps restant 1[s] avant pénalité."));
        table_.recoit();
        QVERIFY(table_.evenements.empty());
        display_.panels[siege].appels.clear();

        j->OnTimeoutOnlineDelay(); // 30th second: first time-out
        table_.recoit();
        QCOMPARE(display_.panels[siege].appels,
                 (QStringList{"finChoixAtout", "effaceAttente", "effaceAttenteRamasser", "effaceAttente2",
                              "finDemandeCarte"}));
        QCOMPARE(table_.compte(EvenementDeJeu::Dis), 1); // the computer dealt for the user
        QCOMPARE(table_.evenements[0].noDemande_, 1);
        QCOMPARE(table_.evenements[0].source_, int(EvenementDeJeu::Local_AI));
        QCOMPARE(table_.compte(EvenementDeJeu::Mes), 1);
        QCOMPARE(table_.evenements[1].texte_,
                 QString::fromUtf8("L'ordinateur a joué à la place du joueur (avec pénalité), car le délai était écoulé."));
        QCOMPARE(table_.evenements[1].source_, int(EvenementDeJeu::Local_Table));
        const QString texte = QString::fromUtf8("Temps écoulé.\n(Encore 1 fois avant exclusion).");
        QCOMPARE(j->getTexteAide(), texte);
        QCOMPARE(display_.textesAide.last(), texte);
        QCOMPARE(lent.count(), 1);
        QCOMPARE(lent[0][0].toLongLong(), Q_INT64_C(9001));
        QCOMPARE(lent[0][1].toDouble(), 0.2);
        QCOMPARE(exclu.count(), 0);
        QVERIFY(!j->estDelaiEnCours());
        QCOMPARE(j->getEssaisRestants(), 1);
        QCOMPARE(j->getSecondesEcoulees(), 0);
        QCOMPARE(j->modeJeu_, int(Joueur::ModeManuel));

        // Second time-out: the computer takes the seat for good.
        table_.vide();
        j->demande_ActionRamasser(enDirect(41, 2));
        for (int s = 1; s <= 30; ++s)
            j->OnTimeoutOnlineDelay();
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ram), 1);
        QCOMPARE(table_.compte(EvenementDeJeu::Mes), 1);
        QCOMPARE(table_.evenements[1].texte_,
                 QString::fromUtf8("Le joueur est remplacé par l'ordinateur, car il n'a pas joué dans les délais impartis."));
        QCOMPARE(exclu.count(), 1);
        QCOMPARE(lent.count(), 1);
        QCOMPARE(j->modeJeu_, int(Joueur::ModeRemplacant));
        QCOMPARE(j->getAide()->modeJeu_, int(Joueur::ModeRemplacant));
        QCOMPARE(j->getEssaisRestants(), 0);

        // From now on the computer answers at once and no timer starts.
        table_.vide();
        j->demande_ActionDistribue(enDirect(7, 3));
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Dis), 1);
        QVERIFY(!j->estDelaiEnCours());
    }

    void timeoutNoticeLastsFiveSeconds()
    {
        Position p(false, 32, 0);
        auto j = assied(p, Joueur::ModeManuel, true);
        j->demande_ActionDistribue(enDirect(7, 1));
        for (int s = 1; s <= 30; ++s)
            j->OnTimeoutOnlineDelay();
        const QString notice = j->getTexteAide();
        QVERIFY(!notice.isEmpty());

        // A fresh notice survives the stop of the next request's timer...
        j->demande_ActionRamasser(enDirect(41, 2));
        j->actionRamasser();
        QCOMPARE(j->getTexteAide(), notice);
        QCOMPARE(display_.textesAide.last(), notice);
        // ...an older one is cleared from the screen.
        j->setDernierDepassement(QDateTime::currentDateTimeUtc().addSecs(-6));
        j->demande_ActionRamasser(enDirect(41, 3));
        j->actionRamasser();
        QVERIFY(j->getTexteAide().isEmpty());
        QCOMPARE(display_.textesAide.last(), QString());
    }

    void timeoutWithABadRequestStillPenalises()
    {
        Position p(false, 33, 0);
        auto j = assied(p, Joueur::ModeManuel, true);
        QSignalSpy lent(j.get(), &JoueurHumain::signalPlayerTooSlow);
        // A request without a number cannot be answered: the computer's
        // answer is refused, but the timer slot must not throw.
        j->demande_ActionDistribue(InfoDemande(7, 0, -1, 0, 3));
        for (int s = 1; s <= 30; ++s)
            j->OnTimeoutOnlineDelay();
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Dis), 0);
        QCOMPARE(table_.compte(EvenementDeJeu::Mes), 1);
        QCOMPARE(lent.count(), 1);
        QCOMPARE(j->getEssaisRestants(), 1);
    }

    void timerStopsWithoutGameOrOnlineTiming()
    {
        Position p(false, 33, 0);
        auto j = assied(p, Joueur::ModeManuel, true);
        j->demande_ActionDistribue(enDirect(7, 1));
        j->setContexteDeJeu(nullptr);
        for (int s = 1; s <= 40; ++s)
            j->OnTimeoutOnlineDelay();
        QVERIFY(!j->estDelaiEnCours());
        QCOMPARE(j->getEssaisRestants(), 2);
        table_.recoit();
        QVERIFY(table_.evenements.empty());
    }

    void takeOverByTheComputer_data()
    {
        QTest::addColumn<int>("ancien");
        QTest::addColumn<bool>("repris");
        QTest::newRow("remote human left") << int(Joueur::ModeHumainDistant) << true;
        QTest::newRow("remote computer left") << int(Joueur::ModeOrdinateurDistant) << true;
        QTest::newRow("user") << int(Joueur::ModeManuel) << true;
        QTest::newRow("offline") << int(Joueur::ModeHorsLigne) << false;
        QTest::newRow("computer") << int(Joueur::ModeOrdinateur) << false;
    }
    void takeOverByTheComputer()
    {
        QFETCH(int, ancien);
        QFETCH(bool, repris);
        Position p(false, 34, 0);
        auto j = assied(p, ancien);
        j->demande_ActionRamasser(enDirect(41, 6));
        table_.vide(); // a computer seat has answered already
        j->setMode(Joueur::ModeRemplacant);
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Ram), repris ? 1 : 0);
        if (repris)
            QCOMPARE(table_.evenements[0].noDemande_, 6);
    }

    // A computer-played seat answers its card through the assistant.
    void computerSeatPlaysACard()
    {
        Position p(false, Position::graineAvecChoix(false, 40, 6, 2), 6);
        auto j = assied(p, Joueur::ModeOrdinateur);
        j->demande_Carte(p.partie, enDirect(53, 12));
        attendRecherche(*j);
        QTRY_COMPARE_WITH_TIMEOUT((table_.recoit(), table_.compte(EvenementDeJeu::Ajo)), 1, 5000);
        const EvenementDeJeu& e = table_.evenements[0];
        QCOMPARE(e.noDemande_, 12);
        QCOMPARE(e.noJoueur_, p.aJouer());
        QCOMPARE(e.source_, int(EvenementDeJeu::Local_AI));
        bool legale = false;
        for (Carte* c : p.mainAJouer())
            legale = legale || (c->toString() == e.texte_ && p.estLegale(c));
        QVERIFY(legale);
        QVERIFY(table_.erreurs.empty());
    }

    void reinitialiseClearsTheDeal()
    {
        Position p(false, 35, 0);
        auto j = assied(p, Joueur::ModeManuel);
        const int siege = p.aJouer();
        j->reinitialise();
        QVERIFY(j->main_.estVide());
        QVERIFY(j->getAide()->main_.estVide());
        QCOMPARE(display_.panels[siege].appels, (QStringList{"cacheCartes", "finChoixMise"}));
    }

    void endOfGameBox_data()
    {
        QTest::addColumn<bool>("gagne");
        QTest::addColumn<bool>("egalite");
        QTest::addColumn<bool>("enLigne");
        QTest::addColumn<bool>("pasDeNouvelle");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("titreTexte");
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("boutons");
        QTest::addColumn<QString>("fin");
        QTest::newRow("won") << true << false << false << false << int(GM::Ok) << "Bien joué. Vous avez gagné!"
                             << 1001 << int(GM::Ok) << "Ok";
        QTest::newRow("tie beats won") << true << true << false << false << int(GM::Ok) << "Vous êtes ex-aequo!"
                                       << 1 << int(GM::Ok) << "Ok";
        QTest::newRow("lost online, no more") << false << false << true << true << int(GM::Ok)
                                              << "Désolé. Vous avez perdu!" << 1 << int(GM::Ok) << "Ok";
        QTest::newRow("online, stop") << true << false << true << false << int(GM::No)
                                      << "Bien joué. Vous avez gagné!" << 1001 << int(GM::Yes | GM::No) << "No";
        QTest::newRow("online, again") << true << false << true << false << int(GM::Yes)
                                       << "Bien joué. Vous avez gagné!" << 1001 << int(GM::Yes | GM::No) << "Ok";
    }
    void endOfGameBox()
    {
        QFETCH(bool, gagne);
        QFETCH(bool, egalite);
        QFETCH(bool, enLigne);
        QFETCH(bool, pasDeNouvelle);
        QFETCH(int, reponse);
        QFETCH(QString, titreTexte);
        QFETCH(int, genre);
        QFETCH(int, boutons);
        QFETCH(QString, fin);
        GM_MessageBoxDisplayerHeadless afficheur;
        Position p(false, 36, 0);
        auto j = assied(p, Joueur::ModeManuel);
        j->setMessageBoxDisplayer(&afficheur);
        GM_GameStatsPlayer equipe;
        equipe.typePartie_ = 1;
        equipe.compteurs_[JoueurHumain::StatsPointsAnnonces] = 120;
        equipe.compteurs_[JoueurHumain::StatsPointsPlis] = 5000;
        equipe.compteurs_[JoueurHumain::StatsMatchs] = 2;
        GM_GameStatsPlayer moi = equipe;
        moi.databaseId = 9001;
        GM_GameStatsPlayer eux = equipe;
        eux.compteurs_[JoueurHumain::StatsPointsPlis] = 4000;
        j->demande_ActionFinDePartie(gagne, egalite, enLigne, pasDeNouvelle, enDirect(135, 77), moi, equipe, eux);
        QVERIFY(j->estFinDePartieEnCours());
        QCOMPARE(display_.analyses[p.aJouer()].appels, QStringList{"effaceMessages"});

        j->OnTimeoutFinDePartie();
        QTRY_VERIFY_WITH_TIMEOUT(afficheur.aUneBoiteAffichee(), 3000);
        const GM_MessageBoxRequest boite = afficheur.historique().last().requete;
        QCOMPARE(boite.titre_, QStringLiteral("Fin de partie."));
        QCOMPARE(int(boite.icone_), genre);
        QCOMPARE(int(boite.boutons_), boutons);
        QVERIFY(boite.texte_.startsWith(titreTexte + "<br><br>"));
        QVERIFY(boite.texte_.contains(
            "Statistiques pour votre équipe:<br>Annonces: 120[pts], Plis: 5000[pts], Match(s): 2, Total: 5120<br><br>"));
        QVERIFY(boite.texte_.contains("Equipe adverse:<br>Annonces: 120[pts], Plis: 4000[pts], Match(s): 2, Total: 4120<br>"));
        QVERIFY(!boite.texte_.contains("partielle"));
        QVERIFY(!boite.texte_.contains("Astuce"));
        QCOMPARE(boite.texte_.endsWith("Voulez vous faire une autre partie en ligne?"), enLigne && !pasDeNouvelle);

        table_.recoit();
        QVERIFY(table_.evenements.empty()); // the user has not answered yet
        QVERIFY(afficheur.repond(GM::StandardButton(reponse)));
        QTRY_COMPARE_WITH_TIMEOUT((table_.recoit(), table_.compte(EvenementDeJeu::Fin)), 1, 3000);
        QCOMPARE(table_.evenements[0].texte_, fin);
        QCOMPARE(table_.evenements[0].noDemande_, 77);
        QCOMPARE(table_.evenements[0].source_, int(EvenementDeJeu::Local_Human));
        j->setMessageBoxDisplayer(nullptr);
    }

    void endOfGameStatisticsLines()
    {
        Position p(false, 37, 0);
        auto j = assied(p, Joueur::ModeManuel);
        TypeDePartie type = p.partie->typeDePartie_;
        type.pointsObjectif_ = 1000;
        type.decompte_ = TypeDePartie::DecompteFaits;
        j->initialise(optionsHumain(), contexte_, p.aJouer(), false, type, false, &display_);

        GM_GameStatsPlayer equipe;
        equipe.typePartie_ = 1;
        equipe.compteurs_[JoueurHumain::StatsPointsAnnonces] = 100;
        equipe.compteurs_[JoueurHumain::StatsPointsPlis] = 300;
        GM_GameStatsPlayer eux = equipe;
        eux.compteurs_[JoueurHumain::StatsPointsPlis] = 900;
        int genre = 0;

        // The user's side is under half the target; no account.
        j->demande_ActionFinDePartie(false, false, false, false, InfoDemande(135, 1, 7, 0, 3), equipe, equipe, eux);
        QString texte = j->texteFinDePartie(genre);
        QCOMPARE(genre, 1000);
        QVERIFY(texte.contains("<br>Vous êtes 'rubicon', car vous avez marqué moins de la moitié des 1000 points."));
        QVERIFY(texte.endsWith("connectez-vous sur le serveur (Menu 'Jouer en ligne') avant la fin de la partie.<br><br>"));

        // The opponents are; the user joined late, with other totals.
        GM_GameStatsPlayer moi = equipe;
        moi.indicateur_ = true;
        moi.databaseId = 5;
        moi.compteurs_[JoueurHumain::StatsPointsPlis] = 50;
        j->demande_ActionFinDePartie(true, false, false, false, InfoDemande(135, 1, 7, 0, 3), moi, eux, equipe);
        texte = j->texteFinDePartie(genre);
        QCOMPARE(genre, 1001);
        QVERIFY(texte.contains("Statistiques pour vous (partie partielle):<br>Annonces: 100[pts], Plis: 50[pts]"));
        QVERIFY(!texte.contains("rubicon")); // no rubicon for a partial record
        moi.indicateur_ = false;
        moi.compteurs_ = eux.compteurs_;
        j->demande_ActionFinDePartie(true, false, false, false, InfoDemande(135, 1, 7, 0, 3), moi, eux, equipe);
        texte = j->texteFinDePartie(genre);
        QCOMPARE(genre, 1001);
        QVERIFY(texte.contains("Vos adversaires sont 'rubicon', car ils ont marqué moins de la moitié des 1000 points."));
        // A match by imposed trumps has no points target to fall short of.
        type.atoutAutomatique_ = 1;
        j->initialise(optionsHumain(), contexte_, p.aJouer(), false, type, false, &display_);
        j->demande_ActionFinDePartie(true, false, false, false, InfoDemande(135, 1, 7, 0, 3), moi, eux, equipe);
        QVERIFY(!j->texteFinDePartie(genre).contains("rubicon"));
        QCOMPARE(genre, 1001);

        // Belote counts capots and failed contracts.
        GM_GameStatsPlayer belote = equipe;
        belote.typePartie_ = 2;
        belote.compteurs_[JoueurHumain::StatsMatchs] = 1;
        belote.compteurs_[JoueurHumain::StatsDedans] = 3;
        j->demande_ActionFinDePartie(true, false, false, false, InfoDemande(135, 1, 7, 0, 3), belote, belote, belote);
        texte = j->texteFinDePartie(genre);
        QVERIFY(texte.contains("Annonces: 100[pts], Plis: 300[pts], Capot(s): 1, Dedans: 3, Total: 400<br><br>"));
        QVERIFY(!texte.contains("rubicon"));
        // A replayed end of game starts nothing.
        QVERIFY(!j->estFinDePartieEnCours());
    }

    void endOfGameWithoutBox()
    {
        Position p(false, 38, 0);
        // A computer seat is answered by its assistant at once, and no box
        // is raised for it.
        auto ordi = assied(p, Joueur::ModeOrdinateur);
        GM_GameStatsPlayer s;
        ordi->demande_ActionFinDePartie(true, false, false, false, enDirect(136, 4), s, s, s);
        QVERIFY(!ordi->estFinDePartieEnCours());
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Fin), 1);
        QCOMPARE(table_.evenements[0].texte_, QStringLiteral("Ok"));

        // A user with no displayer would never be asked: the game goes on.
        table_.vide();
        auto humain = assied(p, Joueur::ModeManuel);
        humain->demande_ActionFinDePartie(true, false, false, false, enDirect(135, 5), s, s, s);
        QVERIFY(humain->estFinDePartieEnCours());
        humain->OnTimeoutFinDePartie();
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Fin), 1);
        QCOMPARE(table_.evenements[0].noDemande_, 5);
        QCOMPARE(table_.evenements[0].source_, int(EvenementDeJeu::Local_Human));
    }

    void destroyedWithABoxPending()
    {
        GM_MessageBoxDisplayerHeadless afficheur;
        Position p(false, 39, 0);
        auto j = assied(p, Joueur::ModeManuel);
        j->setMessageBoxDisplayer(&afficheur);
        GM_GameStatsPlayer s;
        j->demande_ActionFinDePartie(true, false, false, false, enDirect(135, 5), s, s, s);
        j->OnTimeoutFinDePartie();
        QTRY_VERIFY_WITH_TIMEOUT(afficheur.aUneBoiteAffichee(), 3000);
        j.reset();
        QVERIFY(afficheur.repond(GM::Ok));
        QTest::qWait(20);
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Fin), 0);
    }

    // The others wait for the end-of-game answer of an online game no
    // longer than for a move: a box left open is taken down when the turn's
    // time is out and the computer answers for the user (play on); a click
    // after that answers nothing. A box answered in time, or one of a game
    // not timed, is the user's alone.
    void endOfGameBoxWithinATurn_data()
    {
        QTest::addColumn<bool>("enLigne");
        QTest::addColumn<bool>("repondue");
        QTest::addColumn<QString>("attendu"); // the one answer the table gets
        QTest::addColumn<int>("source");
        QTest::newRow("online, left open") << true << false << "Ok" << int(EvenementDeJeu::Local_AI);
        QTest::newRow("online, answered in time") << true << true << "No" << int(EvenementDeJeu::Local_Human);
        QTest::newRow("not timed, answered late") << false << false << "Ok" << int(EvenementDeJeu::Local_Human);
    }
    void endOfGameBoxWithinATurn()
    {
        QFETCH(bool, enLigne);
        QFETCH(bool, repondue);
        QFETCH(QString, attendu);
        QFETCH(int, source);
        GM_MessageBoxDisplayerHeadless afficheur;
        Position p(false, 40, 0);
        auto j = std::make_unique<JoueurHumain>();
        j->initialise(optionsHumain(), contexte_, p.aJouer(), false, p.partie->typeDePartie_, enLigne, &display_, 0.3);
        j->getAide()->getSubstitut()->setNombreDeFils(1);
        j->setMode(Joueur::ModeManuel);
        j->setMessageBoxDisplayer(&afficheur);
        GM_GameStatsPlayer s;
        j->demande_ActionFinDePartie(true, false, true, false, enDirect(135, 8), s, s, s);
        j->OnTimeoutFinDePartie();
        QTRY_VERIFY_WITH_TIMEOUT(afficheur.aUneBoiteAffichee(), 3000);
        if (repondue)
            QVERIFY(afficheur.repond(GM::No));
        // The answer's turn is over (run out, or never started when the
        // game is not timed): the box closes, if ever, as it ends.
        QTRY_VERIFY_WITH_TIMEOUT(!j->estReponseFinEnCours(), 10000);
        QCOMPARE(afficheur.aUneBoiteAffichee(), !enLigne && !repondue);
        // Online, the answer (the user's, or the computer's for a box left
        // open) reaches the table before any late click.
        if (enLigne)
            QTRY_COMPARE_WITH_TIMEOUT((table_.recoit(), table_.compte(EvenementDeJeu::Fin)), 1, 10000);
        // A click now answers only a box still waiting.
        j->OnEndGameMessageBoxReturnValue(GM::Yes);
        table_.recoit();
        QCOMPARE(table_.compte(EvenementDeJeu::Fin), 1);
        QCOMPARE(table_.evenements[0].texte_, attendu);
        QCOMPARE(table_.evenements[0].noDemande_, 8);
        QCOMPARE(table_.evenements[0].source_, source);
        j->setMessageBoxDisplayer(nullptr);
    }
};

ZB_REGISTER_TEST(TestHumanPlayer)
#include "TestHumanPlayer.moc"
