// Feeds arbitrary text to the announcement records, which arrive from peers
// in announcement events and from saved games. A text may be refused with
// GM_Exception; anything else is a fault. An accepted text must write a text
// that reads back equal, and asking it about every card of the deck must
// stay inside the deck.
#include "Annonce.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "GM_Exception.h"
#include "ZB_DeckJass.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ZB_DeckJass deck;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    AnnoncesJoueur annonces;
    try {
        annonces.chargeValeursDepuisString(text);
    } catch (const GM_Exception&) {
        return 0;
    }

    const AnnoncesJoueur again(annonces.sauveValeursDansString());
    if (!(again == annonces))
        std::abort();

    int covered = 0;
    for (Carte* carte : deck.getCartes())
        covered += annonces.contientCarte(carte) ? 1 : 0;
    for (const Annonce& a : annonces.annonces_) {
        if (!a.estValide())
            std::abort();
    }
    // Each announcement counts at most five cards.
    if (covered > 15 || covered != __builtin_popcountll(annonces.getMasque()))
        std::abort();
    if (annonces.getTotalPoints() < 0 || annonces.getTotalPoints() > 3 * Annonce::POINTS_MAX)
        std::abort();
    return 0;
}
