#pragma once

#include "EnsembleDeCartes.h"
#include "Partie.h"

#include <QMutex>

#include <atomic>

class AI_HistoEvaluationCarte;
class Carte;
class GM_KnuthRandom;

// One node of the small game tree that an evaluation grows from a candidate
// card: the position after this node's card, its hands, and the children for
// the next seat's legal cards. The tree grows one level at a time; among
// fresh siblings, those that take fewer cards or points for their side are
// pruned. Each live leaf is then played out at random to the end of the deal.
class AI_Simulation
{
public:
    static constexpr int MAX_FILS = 9;
    static constexpr int VALEUR_INEXISTANTE = -1000;
    // Draws of a random card from the hand before the play-out takes a
    // random card among the legal ones directly: a rejection loop must end
    // even when few of the hand's cards may be played.
    static constexpr int ESSAIS_MAX = 32;

    // The reusable state of an evaluation's play-outs: copying into it
    // allocates nothing once it has its own points record.
    struct Travail
    {
        Partie partie;
        EnsembleDeCartes mains[4];
        GM_KnuthRandom* generateur = nullptr;
        qint64 parties = 0; // play-outs finished
        qint64 tirages = 0; // draws for the play-outs
        // With a private stream the play-outs draw from it instead of the
        // shared generator, whose mutex every draw would otherwise take.
        bool fluxPrive = false;
        quint64 etatPrive = 0;

        // A value in 0 to n-1 (n at least 1).
        int tire(int n);
    };

    struct Valeur
    {
        int cartes = VALEUR_INEXISTANTE; // cards won by the side
        int points = VALEUR_INEXISTANTE;
    };

    // The root: the position after the candidate card.
    AI_Simulation(const EnsembleDeCartes mains[4], const Partie& partie, Carte* carte, int noJoueurCarte,
                  AI_HistoEvaluationCarte* histo, int* compteur, const std::atomic<bool>* stop);
    AI_Simulation(const AI_Simulation&) = delete;
    AI_Simulation& operator=(const AI_Simulation&) = delete;
    ~AI_Simulation();

    // Adds one level below every live leaf, each node only while the tree
    // holds fewer than limite nodes.
    void developpe(int limite);
    // Plays every live leaf out to the end of the deal and records its score.
    void echantillonne(Travail& travail);

    // Value for a side: at a leaf the side's cards and points so far; above,
    // the best child for the node's own side, the worst for the other.
    Valeur getValeur(bool camp) const;

    int getNombreDeFils() const { return nbFils_; }
    const AI_Simulation* getFils(int i) const { return (i >= 0 && i < nbFils_) ? fils_[i] : nullptr; }
    bool estFeuille() const { return feuille_; }
    bool estElague() const { return elague_; }
    bool getCamp() const { return camp_; }
    int getProfondeur() const { return profondeur_; }
    Carte* getCarte() const { return carte_; }
    const Partie& getPartie() const { return partie_; }
    int compteFeuillesVivantes() const;

    // The team's score in a deal state: from its points record, or from the
    // cards it collected when the state has none.
    static int pointsEquipe(const Partie& partie, int equipe);
    static bool matchEquipe(const Partie& partie, int equipe);
    // One random play-out of the deal from the state in travail; true when
    // the deal reached its end.
    static bool joueAuHasard(Travail& travail, const std::atomic<bool>* stop);

private:
    // A child: the parent's position with the card played by the seat to move.
    AI_Simulation(const AI_Simulation& parent, Carte* carte, int noJoueurCarte);
    void creeFils();
    static int compare(const AI_Simulation* a, const AI_Simulation* b, bool camp);
    bool arrete() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

    mutable QMutex mutex_;
    int nbFils_ = -1;
    AI_Simulation* fils_[MAX_FILS];
    bool feuille_ = true;
    bool camp_ = false;
    bool elague_ = false;
    EnsembleDeCartes mains_[4];
    Partie partie_;
    Carte* carte_ = nullptr;
    int profondeur_ = 0;
    AI_HistoEvaluationCarte* histo_ = nullptr;
    int* compteur_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
};
