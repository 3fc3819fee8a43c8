#pragma once

#include "EnsembleDeCartes.h"

#include <QList>

#include <array>
#include <functional>

class Carte;
class GM_KnuthRandom;
class ZB_DeckA;

// The dealer of one deal: hands are drawn card by card from the cards not yet
// dealt with the table's generator, or, when the table asks for a cut, dealt
// in order from the previous deal's collected piles after a random cut. The
// table makes a new dealer for every deal, so that a saved generator text
// replays the same deal.
//
// The remaining set always holds exactly the cards not yet dealt, whichever
// way they left, so no card can reach two hands even when the table mixes
// cut and random hands or asks for more cards than the cut pack holds.
class ZB_MiseA
{
public:
    explicit ZB_MiseA(const ZB_DeckA& deck);
    ZB_MiseA(const ZB_MiseA&) = delete;
    ZB_MiseA& operator=(const ZB_MiseA&) = delete;
    virtual ~ZB_MiseA();

    // Deals the hand of n cards of seat into main (replacing its content).
    // With coupe set, the first hand cuts the piles and every hand then takes
    // the next cards of the pack; without piles, or with fewer than 3 usable
    // cards in them, hands are drawn at random. Once the pack is used up the
    // rest of a hand is drawn at random from the cards left; when none are
    // left the hand is short.
    virtual void distribue(EnsembleDeCartes& main, GM_KnuthRandom& rng, int n, int joueur, bool coupe);
    // The round dealt at once: nombreDeCartes to each of the four seats in
    // packets of three, seat premier first; recoit gets every packet with
    // its seat. While joueurQuiCommence is -10 the dealer is asked for it
    // after each packet. The table deals through here, and so does the
    // check of a game file's deals, so that both draw alike.
    void distribueLaDonne(GM_KnuthRandom& rng, int nombreDeCartes, int premier, bool coupe, int& joueurQuiCommence,
                          const std::function<void(int siege, const EnsembleDeCartes& cartes)>& recoit);
    // The rest of a turned-card deal once the bids are over: three cards to
    // each seat from seat premier, two to the taker (preneur), who also
    // gets the turned card from the caller.
    void distribueLeReste(GM_KnuthRandom& rng, int premier, int preneur, bool coupe,
                          const std::function<void(int siege, EnsembleDeCartes& cartes)>& recoit);
    // The seat before the one who leads the first trick; -10 while unknown.
    virtual int getJoueurQuiCommence(GM_KnuthRandom& rng, int nombreDeJoueurs) = 0;

    // Draws up to n cards from source (fewer when it runs out) and removes
    // them from it: each card is the k-th present card in index order, k
    // drawn over the cards still in source.
    static EnsembleDeCartes tireCartes(GM_KnuthRandom& rng, EnsembleDeCartes& source, int n);

    // The two teams' collected cards of the previous deal, as card indices in
    // the order they were collected. Set before the first hand is dealt.
    void setPileA(const QList<int>& pile) { pileA_ = pile; }
    void setPileB(const QList<int>& pile) { pileB_ = pile; }
    const QList<int>& getPileA() const { return pileA_; }
    const QList<int>& getPileB() const { return pileB_; }

    const EnsembleDeCartes& getCartesRestantes() const { return restantes_; }
    // The pack made by the cut, empty until then, and the read cursor in it.
    QList<Carte*> getPaquet() const;
    int getCurseur() const { return curseur_; }

protected:
    // The common deal, without the family's own bookkeeping.
    void distribueMain_(EnsembleDeCartes& main, GM_KnuthRandom& rng, int n, bool coupe);
    // tireCartes into a set that may already hold cards.
    static void tireCartesDans_(GM_KnuthRandom& rng, EnsembleDeCartes& source, int n, EnsembleDeCartes& destination);

private:
    void coupe_(GM_KnuthRandom& rng);

    EnsembleDeCartes restantes_;
    // A pack never holds more than a deck, so it lives in place.
    // Only the first taillePaquet_ entries are ever read: left unset until
    // the cut writes them, as most deals are drawn without a cut.
    std::array<Carte*, EnsembleDeCartes::TAILLE> paquet_;
    int taillePaquet_ = 0;
    int curseur_ = 0;
    QList<int> pileA_;
    QList<int> pileB_;
};
