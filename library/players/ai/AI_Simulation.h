#pragma once

#include "EnsembleDeCartes.h"
#include "GM_CompteBits.h"
#include "Partie.h"

#include <QMutex>

#include <atomic>
#include <memory>
#include <vector>

class AI_HistoEvaluationCarte;
class Carte;
class GM_KnuthRandom;

// One node of the small game tree that an evaluation grows from a candidate
// card: the position after this node's card, its hands, and the children for
// the next seat's legal cards. The hands are kept as masks over the
// position's unplayed cards, which hold the cards themselves: a node then
// copies a few words for them rather than four card sets. The tree grows one level at a time; among
// fresh siblings, those that take fewer cards or points for their side are
// pruned. Each live leaf is then played out at random to the end of the deal.
//
// Nodes come from a Reserve and go back to it when their tree is released:
// a search builds tens of thousands of nodes, and a recycled node keeps its
// memory and its state's points record, so that making a child is a copy of
// the parent's position and nothing more.
class AI_Simulation
{
public:
    static constexpr int MAX_FILS = 9;
    static constexpr int VALEUR_INEXISTANTE = -1000;

    // The reusable state of an evaluation's play-outs: copying into it
    // allocates nothing once it has its own points record. A hand is the
    // mask of its cards among the deal's unplayed cards (partie's
    // cartesEnMain_), which hold the cards themselves. A play-out writes the
    // outcome into partie's points record; the rest of partie may be left
    // at the position the play-out started from.
    struct Travail
    {
        Partie partie;
        quint64 mains[4] = {0, 0, 0, 0};
        GM_KnuthRandom* generateur = nullptr;
        qint64 parties = 0; // play-outs finished
        qint64 tirages = 0; // draws for the play-outs
        // With a private stream the play-outs draw from it instead of the
        // shared generator, whose mutex every draw would otherwise take.
        bool fluxPrive = false;
        quint64 etatPrive = 0;

        // A value in 0 to n-1 (n at least 1).
        int tire(int n)
        {
            ++tirages;
            if (!fluxPrive)
                return tireDuGenerateur(n);
            // SplitMix64, scaled by a multiply rather than reduced by a
            // division: a 64-bit division costs more than the whole draw.
            quint64 z = (etatPrive += 0x9E3779B97F4A7C15ull);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            z ^= z >> 31;
            return int(((z >> 32) * quint64(quint32(n))) >> 32);
        }

    private:
        int tireDuGenerateur(int n);
    };

    struct Valeur
    {
        int cartes = VALEUR_INEXISTANTE; // cards won by the side
        int points = VALEUR_INEXISTANTE;
    };

    // The nodes of the trees of one evaluation at a time. Not shared between
    // threads: each running evaluation has its own.
    class Reserve
    {
    public:
        Reserve() = default;
        Reserve(const Reserve&) = delete;
        Reserve& operator=(const Reserve&) = delete;
        ~Reserve();

        // The root: the position after the candidate card, with the hands
        // that hold the unplayed cards. compteur counts the nodes of the
        // tree, the root included.
        AI_Simulation* racine(const EnsembleDeCartes mains[4], const Partie& partie, Carte* carte, int noJoueurCarte,
                              AI_HistoEvaluationCarte* histo, int* compteur, const std::atomic<bool>* stop);
        // Gives a whole tree back; its nodes may then be handed out again.
        void rendArbre(AI_Simulation* racine);

        // Node objects made so far, in use or free.
        int getTaille() const { return int(noeuds_.size()); }

    private:
        friend class AI_Simulation;
        AI_Simulation* prend();

        std::vector<std::unique_ptr<AI_Simulation>> noeuds_;
        std::vector<AI_Simulation*> libres_;
    };

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
    // One random play-out of the deal from the state in travail: the seat to
    // move plays a legal card drawn uniformly, one draw per card. True when
    // the deal reached its end; its score is then in travail.partie's points
    // record (pointsEquipe and matchEquipe read it).
    static bool joueAuHasard(Travail& travail, const std::atomic<bool>* stop);
    // The same compiled for a given set of bit operations, which the
    // processor must run: the one above takes GM_CompteBits::jeuProcesseur.
    static bool joueAuHasard(Travail& travail, const std::atomic<bool>* stop, GM_CompteBits::Jeu jeu);

private:
    AI_Simulation() = default;
    // A child: the parent's position with the card played by the seat to move.
    void initialiseFils(const AI_Simulation& parent, Carte* carte, int noJoueurCarte);
    void initialiseCommun();
    // Gives this node's subtree back to the reserve, this node included.
    void rends();
    void creeFils();
    static int compare(const AI_Simulation* a, const AI_Simulation* b, bool camp);
    bool arrete() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

    mutable QMutex mutex_;
    int nbFils_ = -1;
    AI_Simulation* fils_[MAX_FILS] = {};
    bool feuille_ = true;
    bool camp_ = false;
    bool elague_ = false;
    quint64 mains_[4] = {0, 0, 0, 0};
    Partie partie_;
    Carte* carte_ = nullptr;
    int profondeur_ = 0;
    AI_HistoEvaluationCarte* histo_ = nullptr;
    int* compteur_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
    Reserve* reserve_ = nullptr;
};
