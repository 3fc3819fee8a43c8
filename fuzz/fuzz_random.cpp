// Feeds arbitrary text to the random generator's reader: saved tables,
// preset deals and remote tables all carry its text. A refused text must
// throw GM_Exception and leave the generator usable; an accepted one must
// write a text that restores the same draws.
#include "GM_Exception.h"
#include "GM_KnuthRandom.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Filling a buffer costs more than a parse: keep one generator.
    static GM_KnuthRandom rng(true);
    static GM_KnuthRandom relu(true);

    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        rng.chargeValeursDepuisString(text);
    } catch (const GM_Exception&) {
        const int position = rng.getPosition();
        if (position < 0 || position >= GM_KnuthRandom::TAILLE_TAMPON)
            std::abort();
        return 0;
    }

    const QString saved = rng.sauveValeursDansString();
    relu.chargeValeursDepuisString(saved);
    if (relu.sauveValeursDansString() != saved)
        std::abort();
    // Enough draws to cross the reseed when the text starts near the end.
    for (int n : {1, 2, 4, 32, 36, 1000, 1 << 30}) {
        if (rng.tire(n) != relu.tire(n))
            std::abort();
    }
    return 0;
}
