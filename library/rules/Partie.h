#pragma once

#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"

#include <QString>

class ZB_PointsA;
struct ZB_PointsDonne;

// The state of one deal: the hands, the trick on the table, whose turn it
// is, the collected cards and the trump. The table feeds it every card; the
// computer player copies it thousands of times per decision, so the state is
// a plain value with no heap traffic on copy (see copie).
class Partie
{
public:
    Partie();
    // The state at the start of a deal. points is borrowed: the table owns
    // its record and has this state forget it (oubliePoints) before it
    // frees the record.
    Partie(const StatusAtout& atout, const EnsembleDeCartes& mains, int joueurQuiCommence, int joueurQuiAChoisiAtout,
           int multiplicateur, const TypeDePartie& typeDePartie, const ZB_StatusMise& mise, ZB_PointsA* points);
    // A copy owns a clone of the source's points record.
    Partie(const Partie& autre);
    Partie& operator=(const Partie&) = delete;
    ~Partie();

    // Copies every field; the points are assigned into this state's record
    // when it has one, so a search that reuses one state never allocates.
    void copie(const Partie& autre);

    // Plays a card of the seat to play. result receives the trick's share, or
    // the whole deal's share when this card ends the deal. With recordOnly
    // the card is put on the table but the turn does not move.
    void joueCarte(ZB_PointsDonne& result, Carte* carte, int joueur, bool enregistreSeulement = false);
    // The same play for the search, which only needs the state and its
    // points record: no share is cleared and filled for every card, and a
    // card that does not end a trick is played inline.
    void joueCarte(Carte* carte, int joueur)
    {
        if (carteNo_ < 3 && carte != nullptr && joueur == noDuProchainAJouer_ && joueur >= 0 && joueur <= 3) {
            poseCarte_(carte, joueur);
            ++carteNo_;
            noDuProchainAJouer_ = (noDuProchainAJouer_ + 1) % 4;
            donneTerminee_ = cartesEnMain_.estVide();
            return;
        }
        termineTour_(carte, joueur);
    }

    // Legality of a card of the seat's hand: a reason code 1 to 13, see
    // texteValiditeCarte; 1 to 8 and 13 mean the card may be played.
    int estCarteValide(const Carte* carte, int joueur, const EnsembleDeCartes& main) const;
    static bool estCodeJouable(int code) { return (code >= 1 && code <= 8) || code == 13; }
    bool partenaireEstMaitre(int joueur) const;

    // The playable cards of a hand as a card-index bit mask: the same answer
    // as estCarteValide for every card, for the search's inner loop.
    quint64 getMasqueCartesJouables(int joueur, quint64 main) const;
    // The same rule from the trick's essentials, for a play-out that keeps
    // the trick as card indices: the suit led (1 to 4), the index of the
    // card winning the trick and whether it is the partner's. Inline: the
    // play-out asks it for every card.
    static quint64 masqueJouables(int genre, int ordreBelote, int atoutEnCours, int demandee, int indexGagnante,
                                  bool partenaireMaitre, quint64 main)
    {
        const int atout = (atoutEnCours >= 1 && atoutEnCours <= 4) ? atoutEnCours : 0;
        const quint64 mAtout = masqueCouleur(atout);
        const quint64 mDemandee = main & masqueCouleur(demandee);
        const quint64 atouts = main & mAtout;
        const quint64 autresQueAtout = main & ~mAtout;
        const quint64* plusForts = kPlusForts.masque[ordreBelote != 0 ? 1 : 0]
                                                    [(atoutEnCours >= 0 && atoutEnCours < NOMBRE_ATOUTS) ? atoutEnCours : 0];
        // The strongest trump on the table is the winning card when that is
        // a trump.
        const int plusFort = (atout != 0 && indexGagnante / 9 + 1 == atout) ? indexGagnante : -1;

        if (genre == TypeDePartie::GenreJass) {
            if (atout != 0 && demandee == atout) {
                const quint64 bour = quint64(1) << Carte::indexDe(atout, Carte::Valet);
                return (mDemandee & ~bour) ? mDemandee : main;
            }
            quint64 jouables = mDemandee ? mDemandee : autresQueAtout;
            if (atouts) {
                if (plusFort < 0 || autresQueAtout == 0)
                    jouables |= atouts;
                else
                    jouables |= atouts & plusForts[plusFort];
            }
            return jouables;
        }

        if (atout != 0 && demandee == atout) {
            if (!atouts)
                return main;
            const quint64 surcoupe = atouts & plusForts[indexGagnante];
            return surcoupe ? surcoupe : atouts;
        }
        if (mDemandee)
            return mDemandee;
        quint64 jouables = 0;
        if (!atouts || partenaireMaitre)
            jouables |= autresQueAtout;
        if (atouts) {
            if (plusFort < 0) {
                jouables |= atouts;
            } else {
                const quint64 surcoupe = atouts & plusForts[plusFort];
                jouables |= surcoupe;
                // Under-trumping follows the first card, in index order, that
                // is either a plain card (allowed) or a trump able to
                // over-trump.
                const quint64 decisives = autresQueAtout | surcoupe;
                if (decisives == 0 || ((quint64(1) << __builtin_ctzll(decisives)) & autresQueAtout))
                    jouables |= atouts & ~surcoupe;
            }
        }
        return jouables;
    }
    // The seat whose card wins the current trick so far, -1 before its
    // first card.
    int getJoueurGagnantPli() const { return gagnantPli_; }

    QString toString() const;

    // Helpers for readers of the state.
    bool peutAvoir(int joueur, int couleur) const { return peutAvoir_[joueur][couleur - 1] != 0; }
    int getNombreCartesRamassees(int equipe) const { return nbRamassees_[equipe]; }
    const int* getCartesRamassees(int equipe) const { return ramassees_[equipe]; }
    int getNombrePlisRamasses() const { return (nbRamassees_[0] + nbRamassees_[1]) / 4; }
    Carte* getCarteDuPli(int joueur) const { return pli_[joueur]; }
    int getCouleurDemandee() const
    {
        if (carteNo_ == 0 || joueurQuiDebuteTour_ < 0 || pli_[joueurQuiDebuteTour_] == nullptr)
            return 0;
        return pli_[joueurQuiDebuteTour_]->getCouleur();
    }
    int getCouleurAtout() const { return (atoutEnCours_ >= 1 && atoutEnCours_ <= 4) ? atoutEnCours_ : 0; }
    ZB_PointsA* getPoints() const { return points_; }
    // The table frees the points of a deal it no longer plays while the
    // display may still hold the deal: borrowed points are forgotten then
    // (a copy's own clone stays).
    void oubliePoints()
    {
        if (!possedePoints_)
            points_ = nullptr;
    }
    int getNombreCartesDuJeu() const { return typeDePartie_.genre_ == TypeDePartie::GenreJass ? 36 : 32; }

    bool partieReelle_ = false;
    quint8 peutAvoir_[4][4];          // [seat][suit - 1]: 0 once the seat failed to follow that suit
    int carteNo_ = 0;                 // cards on the table in the current trick, 0 to 3
    EnsembleDeCartes cartesJoueesValides_;
    EnsembleDeCartes cartesEnMain_;   // the unplayed cards of all four hands
    int joueurQuiDebuteTour_ = -1;
    int joueurQuiACommence_ = -1;
    int joueurQuiAChoisiAtout_ = -1;
    bool donneTerminee_ = false;
    int noDuProchainAJouer_ = -1;
    Carte* pli_[4];                   // by seat, not by play order
    int multiplicateur_ = 1;
    StatusAtout atoutChoisi_;
    int atoutEnCours_ = StatusAtout::Inconnu; // differs from the chosen mode only in zig-zag
    TypeDePartie typeDePartie_;
    int ordreBelote_ = 0;
    ZB_StatusMise mise_;

private:
    static constexpr int NOMBRE_ATOUTS = 13; // trump in force 0 to 12
    // For every card, the cards of its suit that are stronger, by Belote
    // order and trump in force: legality then needs no loop over the hand.
    struct TablePlusForts
    {
        quint64 masque[2][NOMBRE_ATOUTS][36];
        TablePlusForts();
    };
    static const TablePlusForts kPlusForts;
    static constexpr quint64 masqueCouleur(int couleur)
    {
        return (couleur >= 1 && couleur <= 4) ? (quint64(0x1FF) << ((couleur - 1) * 9)) : 0;
    }

    template <bool avecPart>
    void joueCarte_(ZB_PointsDonne* result, Carte* carte, int joueur, bool enregistreSeulement);
    // The search's play of a card that ends a trick (or is refused).
    void termineTour_(Carte* carte, int joueur);
    // Puts a card of the seat to play on the table: steps common to every
    // play, before the turn moves.
    void poseCarte_(Carte* carte, int joueur)
    {
        pli_[joueur] = carte;
        if (gagnantPli_ < 0 || pli_[gagnantPli_] == nullptr || bat(carte, pli_[gagnantPli_]))
            gagnantPli_ = joueur;
        cartesJoueesValides_.ajouteCarte(carte);
        cartesEnMain_.retireCarte(carte);
        const Carte* entame = pli_[joueurQuiDebuteTour_];
        if (joueur != joueurQuiDebuteTour_ && entame != nullptr && carte->getCouleur() != entame->getCouleur()
            && carte->getCouleur() != atoutEnCours_)
            peutAvoir_[joueur][entame->getCouleur() - 1] = 0;
    }
    int carteGagnante() const;        // index of the card winning the trick so far, -1 when none
    // Index of the strongest trump on the table, -1 when none.
    int atoutLePlusFort() const
    {
        const int atout = getCouleurAtout();
        if (atout == 0 || gagnantPli_ < 0)
            return -1;
        const Carte* gagnante = pli_[gagnantPli_];
        return gagnante->getCouleur() == atout ? gagnante->getIndex() : -1;
    }
    bool bat(const Carte* a, const Carte* b) const
    {
        if (a->getCouleur() == b->getCouleur())
            return a->getForce(atoutEnCours_, ordreBelote_) > b->getForce(atoutEnCours_, ordreBelote_);
        const int atout = getCouleurAtout();
        return atout != 0 && a->getCouleur() == atout;
    }

    int ramassees_[2][36];            // card indices, four per trick, seats 0 to 3 within a trick
    int nbRamassees_[2] = {0, 0};
    // The seat whose card wins the trick so far, -1 before its first card.
    // Kept as each card comes: the cards of led suit and trump are totally
    // ordered by bat, so the running winner is the trick's winner, its card
    // the strongest trump on the table when it is a trump, and the partner
    // is master exactly when it is the partner. The rules ask for these for
    // every card the search plays.
    int gagnantPli_ = -1;
    ZB_PointsA* points_ = nullptr;
    bool possedePoints_ = false;
};

// Explanation of a legality code, shown to the player.
QString texteValiditeCarte(int code);
