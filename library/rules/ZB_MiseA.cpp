#include "ZB_MiseA.h"

#include "Carte.h"
#include "GM_CompteBits.h"
#include "GM_KnuthRandom.h"
#include "ZB_DeckA.h"

#include <QtAlgorithms>

ZB_MiseA::ZB_MiseA(const ZB_DeckA& deck)
    : restantes_(deck.getCartes())
{
}

ZB_MiseA::~ZB_MiseA() = default;

void ZB_MiseA::distribue(EnsembleDeCartes& main, GM_KnuthRandom& rng, int n, int joueur, bool coupe)
{
    Q_UNUSED(joueur);
    distribueMain_(main, rng, n, coupe);
}

void ZB_MiseA::distribueLaDonne(GM_KnuthRandom& rng, int nombreDeCartes, int premier, bool coupe,
                                int& joueurQuiCommence,
                                const std::function<void(int siege, const EnsembleDeCartes& cartes)>& recoit)
{
    constexpr int Sieges = 4;
    for (int donnees = 0; donnees < nombreDeCartes; donnees += 3) {
        const int paquet = qMin(3, nombreDeCartes - donnees);
        for (int i = 0; i < Sieges; ++i) {
            const int siege = (premier + i) % Sieges;
            EnsembleDeCartes cartes;
            distribue(cartes, rng, paquet, siege, coupe);
            if (joueurQuiCommence == -10)
                joueurQuiCommence = getJoueurQuiCommence(rng, Sieges);
            recoit(siege, cartes);
        }
    }
}

void ZB_MiseA::distribueLeReste(GM_KnuthRandom& rng, int premier, int preneur, bool coupe,
                                const std::function<void(int siege, EnsembleDeCartes& cartes)>& recoit)
{
    constexpr int Sieges = 4;
    for (int i = 0; i < Sieges; ++i) {
        const int siege = (premier + i) % Sieges;
        EnsembleDeCartes cartes;
        distribue(cartes, rng, siege == preneur ? 2 : 3, siege, coupe);
        recoit(siege, cartes);
    }
}

namespace {

// Replaces each draw by the index of the card it names among those still
// present, the cards named before removed.
template <class Bits>
inline void choisitSur(quint64 restantes, int* tirages, int nombre)
{
    for (int i = 0; i < nombre; ++i) {
        const int index = Bits::kiemeBit(restantes, tirages[i]);
        restantes &= ~(quint64(1) << index);
        tirages[i] = index;
    }
}

GM_APLATI void choisitPortable(quint64 restantes, int* tirages, int nombre)
{
    choisitSur<GM_CompteBits::Portable>(restantes, tirages, nombre);
}

#if GM_AVEC_DISPATCH_BITS
GM_CIBLE_BMI2 GM_APLATI void choisitBmi2(quint64 restantes, int* tirages, int nombre)
{
    choisitSur<GM_CompteBits::Bmi2>(restantes, tirages, nombre);
}
#endif

void choisit(quint64 restantes, int* tirages, int nombre)
{
#if GM_AVEC_DISPATCH_BITS
    static const bool pdep = GM_CompteBits::jeuProcesseur() == GM_CompteBits::JeuBmi2;
    if (pdep) {
        choisitBmi2(restantes, tirages, nombre);
        return;
    }
#endif
    choisitPortable(restantes, tirages, nombre);
}

} // namespace

EnsembleDeCartes ZB_MiseA::tireCartes(GM_KnuthRandom& rng, EnsembleDeCartes& source, int n)
{
    EnsembleDeCartes resultat;
    tireCartesDans_(rng, source, n, resultat);
    return resultat;
}

void ZB_MiseA::tireCartesDans_(GM_KnuthRandom& rng, EnsembleDeCartes& source, int n, EnsembleDeCartes& destination)
{
    const int presentes = static_cast<int>(source.getNombreDeCartes());
    const int nombre = n < presentes ? n : presentes;
    if (nombre <= 0)
        return;
    // The draws over 36, 35, ... cards, under one lock of the generator.
    int tirages[EnsembleDeCartes::TAILLE];
    rng.tireSuite(presentes, nombre, tirages);
    // Each draw names the k-th card still present in index order. The picks
    // are made on a mask first and the sets updated afterwards, so that one
    // pick does not wait for the previous card to be moved.
    choisit(source.getMasque(), tirages, nombre);
    quint64 choisies = 0;
    for (int i = 0; i < nombre; ++i)
        choisies |= quint64(1) << tirages[i];
    source.deplaceVers(choisies, destination);
}

QList<Carte*> ZB_MiseA::getPaquet() const
{
    return QList<Carte*>(paquet_.begin(), paquet_.begin() + taillePaquet_);
}

void ZB_MiseA::distribueMain_(EnsembleDeCartes& main, GM_KnuthRandom& rng, int n, bool coupe)
{
    main.vide();
    if (coupe && taillePaquet_ == 0 && (!pileA_.isEmpty() || !pileB_.isEmpty()))
        coupe_(rng);

    if (!coupe || taillePaquet_ == 0) {
        tireCartesDans_(rng, restantes_, n, main);
        return;
    }

    int donnees = 0;
    while (donnees < n && curseur_ < taillePaquet_) {
        Carte* carte = paquet_[curseur_++];
        // A card of the pack may already have gone in a random hand if the
        // table switched the cut off for a hand.
        if (!restantes_.contientCarte(carte))
            continue;
        main.ajouteCarte(carte);
        restantes_.retireCarte(carte);
        ++donnees;
    }
    if (donnees < n) {
        // The pack is used up (piles that missed cards): the rest comes from
        // the cards that were in no pile.
        tireCartesDans_(rng, restantes_, n - donnees, main);
    }
}

void ZB_MiseA::coupe_(GM_KnuthRandom& rng)
{
    // The piles come from a saved or remote table: indices that name no card
    // left to deal, or a card already taken, are skipped.
    std::array<Carte*, EnsembleDeCartes::TAILLE> tas{};
    int taille = 0;
    quint64 vus = 0;
    for (const QList<int>* pile : {&pileA_, &pileB_}) {
        for (int index : *pile) {
            if (!restantes_.contientIndex(index) || ((vus >> index) & 1u))
                continue;
            vus |= quint64(1) << index;
            tas[taille++] = restantes_.getCarte(index);
        }
    }
    // Cutting needs a card to move and one to stay on each side; with fewer
    // cards the hands are drawn at random.
    if (taille < 3)
        return;

    const int c = rng.tire(taille - 2);
    // The top c+1 cards go under the pack: between 1 and taille-2 of them.
    taillePaquet_ = 0;
    for (int i = c + 1; i < taille; ++i)
        paquet_[taillePaquet_++] = tas[i];
    for (int i = 0; i <= c; ++i)
        paquet_[taillePaquet_++] = tas[i];
    curseur_ = 0;
}
