#pragma once

#include "OptionsAI.h"

#include <QtGlobal>

#include <atomic>

class AnnoncesJoueur;
class Carte;
class EnsembleDeCartes;
class GM_KnuthRandom;
class Partie;
class ZB_AnalyseJoueurA;

// What a computer player believes about the hidden hands: for every seat and
// card, whether the seat may still hold it as the other players see it
// (vueAutres), as this player sees it with its own hand in mind (vueJoueur),
// and whether the seat is known to hold it (connues). The card search deals
// the unseen cards from it; the analysis window shows it as bars.
//
// A plain value of fixed size: the search copies it once per simulated deal,
// so copying must not touch the heap. Dealing moves the placement counter, so
// one model deals on one thread at a time; threads deal from their own copies.
class AI_ProbaSimplifiee
{
public:
    // Outcome of a deal of the unseen cards.
    enum Distribution {
        DistributionReussie = 0,
        // No layout agrees with the model and the counts, or none was found
        // within the bound of restarts.
        DistributionImpossible = 1,
        // The stop flag was raised; the hands hold nothing usable.
        DistributionInterrompue = 2
    };

    // Seat × 15 + rank, times 5, plus suit: 4 seats, ranks 0 to 14 (only 6 to
    // 14 hold cards), suits 0 to 4 (only 1 to 4 hold cards).
    static constexpr int TAILLE = 4 * 15 * 5;
    static constexpr int index(int joueur, int valeur, int couleur) { return (joueur * 15 + valeur) * 5 + couleur; }
    static constexpr bool estDansLaTable(int joueur, int valeur, int couleur)
    {
        return joueur >= 0 && joueur < 4 && valeur >= 6 && valeur <= 14 && couleur >= 1 && couleur <= 4;
    }

    // Draws a seat for one card at most this many times before giving up.
    static constexpr int TIRAGES_MAX = 1000;
    // A deal that overfills a seat starts again; a position whose layouts are
    // so rare that this many attempts miss them all is reported impossible
    // rather than searched forever.
    static constexpr int RECOMMENCEMENTS_MAX = 200000;

    // Everything possible, nothing known; publishes to the sink when there
    // is one (null: a model that reports nowhere).
    AI_ProbaSimplifiee(ZB_AnalyseJoueurA* analyse, const OptionsAI& options);
    // Copies share the sink: a search's copy reports where the player's does.
    AI_ProbaSimplifiee(const AI_ProbaSimplifiee& autre);
    AI_ProbaSimplifiee& operator=(const AI_ProbaSimplifiee& autre);
    virtual ~AI_ProbaSimplifiee();

    // Learns from the deal: a seat that failed to follow a suit holds none of
    // it (in Jass it may still keep the jack of trump); played cards, and the
    // card about to be played when one is given, are nowhere any more.
    void metAJour(const Carte* carte, const Partie& partie);

    // Deals the unseen cards (the cards not yet played in the deal) to the
    // four hands: the own seat gets the unseen cards it is known to hold, the
    // others a random layout that the chosen view allows, every seat getting
    // exactly its count. The hands are emptied first.
    Distribution distribueInconnues(int joueur, EnsembleDeCartes mains[4], const int nombres[4],
                                    const EnsembleDeCartes& inconnues, GM_KnuthRandom& generateur,
                                    const std::atomic<bool>* stop, bool vueDuJoueur);
    // The seat that receives one card in a deal, never the own seat; -1 when
    // no seat may take it (or the stop flag is raised).
    int choisitJoueur(int joueur, int couleur, int valeur, GM_KnuthRandom& generateur,
                      const std::atomic<bool>* stop, bool vueDuJoueur);

    // Publishes the three tables to the sink as bar values.
    void updateAnalyse() const;

    // What the table tells every player; each republishes.
    // A new deal: everything possible again, nothing known.
    void reinitialise();
    // The player's own cards: known to be its, and, as it sees things, in no
    // other hand.
    void cartesRecues(int joueur, const EnsembleDeCartes& cartes);
    // Cards a seat is known to hold (shown to everybody).
    void marqueCartesConnues(int joueur, const EnsembleDeCartes& cartes);
    // Cards given to a seat: its and nobody else's.
    void attribueCartes(int joueur, const EnsembleDeCartes& cartes);
    void attribueCarte(int joueur, const Carte& carte);
    // The cards that a seat's announcements showed are in no other hand.
    void recoitAnnonces(int joueur, const AnnoncesJoueur& annonces);

    // The number of cards each seat still holds in a deal: a quarter of the
    // unplayed cards, one more for a seat that has yet to play in the trick.
    static void nombresDeCartes(const Partie& partie, int nombres[4]);

    // Every how many placements the dealer trusts what it knows of the other
    // hands: the placement counter must reach it; -1 when never (a knowledge
    // setting of 0 or less, or above 2).
    static int seuilConnaissance(double knowledgeOpponents);
    int getSeuilConnaissance() const { return seuil_; }
    int getCompteurPlacements() const { return compteurPlacements_; }
    // Restarts that the latest deal of the unseen cards needed.
    int getRecommencements() const { return recommencements_; }
    const OptionsAI& getOptions() const { return options_; }
    ZB_AnalyseJoueurA* getAnalyse() const { return analyse_; }

    // Table readers that accept any value: outside the table means 0.
    quint8 getVueAutres(int joueur, int couleur, int valeur) const;
    quint8 getVueJoueur(int joueur, int couleur, int valeur) const;
    quint8 getConnue(int joueur, int couleur, int valeur) const;

    quint8 vueAutres[TAILLE];
    quint8 vueJoueur[TAILLE];
    quint8 connues[TAILLE];

private:
    // Clears the card from both views and from what is known, for every
    // seat but the given one (-1: every seat).
    void effaceCarte(int couleur, int valeur, int saufJoueur);
    // Whether a layout exists at all, counting a seat as able to take a card
    // when the view allows it or when it is known to hold it and the dealer
    // may trust that: rules out hopeless positions before any draw.
    bool placementPossible(int joueur, Carte* const* reserve, int nombre, const int capacites[4],
                           bool vueDuJoueur) const;

    int compteurPlacements_ = 0;
    OptionsAI options_;
    ZB_AnalyseJoueurA* analyse_ = nullptr;
    int seuil_ = -1;
    int recommencements_ = 0;
};
