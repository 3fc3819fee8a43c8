#pragma once

#include <QtGlobal>

// Marks the copies of a hot loop that are compiled for POPCNT, and for
// POPCNT with BMI2; set where the compiler can select a target per function.
// A copy is flattened, so that the bit operations it calls are compiled for
// its target too.
#if defined(__GNUC__) && defined(__x86_64__)
#define GM_AVEC_DISPATCH_BITS 1
#define GM_CIBLE_POPCNT __attribute__((target("popcnt")))
#define GM_CIBLE_BMI2 __attribute__((target("popcnt,bmi2")))
#define GM_APLATI __attribute__((flatten))
#else
#define GM_AVEC_DISPATCH_BITS 0
#define GM_CIBLE_POPCNT
#define GM_CIBLE_BMI2
#define GM_APLATI
#endif

namespace gm_compte_bits {

// Per byte, the index of the k-th of its set bits.
struct Tables
{
    quint8 position[256][8] = {};
    constexpr Tables()
    {
        for (int octet = 0; octet < 256; ++octet) {
            int n = 0;
            for (int i = 0; i < 8; ++i) {
                if ((octet >> i) & 1)
                    position[octet][n++] = quint8(i);
            }
        }
    }
};

inline constexpr Tables kTables{};

} // namespace gm_compte_bits

// Population count and the k-th set bit, for the search's inner loops and
// the dealing. The build targets generic x86-64, where __builtin_popcountll
// becomes a library call; the processor almost always has POPCNT, and
// usually BMI2, whose PDEP finds the k-th set bit in one instruction. Hot
// loops are therefore written once over a set of these operations (Portable,
// Popcnt, Bmi2), compiled for each, and the version for this processor is
// taken at run time (jeuProcesseur).
class GM_CompteBits
{
public:
    enum Jeu { JeuPortable = 0, JeuPopcnt = 1, JeuBmi2 = 2 };

    // Bits set in m: a few shifts and a multiply, fast anywhere (the
    // instruction where the build's target has it).
    static int portable(quint64 m)
    {
#if defined(__POPCNT__)
        return __builtin_popcountll(m);
#else
        m = m - ((m >> 1) & 0x5555555555555555ull);
        m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
        m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        return int((m * 0x0101010101010101ull) >> 56);
#endif
    }

    // Index of the k-th set bit of m, counting from the lowest (k below the
    // number of set bits). Without a branch: the byte that holds it comes
    // from the running counts of set bits per byte, then a table gives the
    // bit. The draw decides k, so a loop's exit would be mispredicted about
    // once per card dealt or played.
    static int kiemeBit(quint64 m, int k)
    {
        constexpr quint64 un = 0x0101010101010101ull;
        constexpr quint64 haut = 0x8080808080808080ull;
        quint64 s = m - ((m >> 1) & 0x5555555555555555ull);
        s = (s & 0x3333333333333333ull) + ((s >> 2) & 0x3333333333333333ull);
        s = (s + (s >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        const quint64 cumul = s * un; // byte i: set bits of bytes 0 to i
        // Bytes whose running count is at most k (counts stay below 128, so
        // no byte borrows from the next); they come first.
        const quint64 auPlusK = ((quint64(k) * un | haut) - cumul) & haut;
        const int octet = int(((auPlusK >> 7) * un) >> 56);
        const int avant = int(((cumul << 8) >> (8 * octet)) & 0xFF);
        return 8 * octet + gm_compte_bits::kTables.position[(m >> (8 * octet)) & 0xFF][k - avant];
    }

    // The operation sets a hot loop is written over: compte and kiemeBit.
    struct Portable
    {
        static int compte(quint64 m) { return portable(m); }
        static int kiemeBit(quint64 m, int k) { return GM_CompteBits::kiemeBit(m, k); }
    };
#if GM_AVEC_DISPATCH_BITS
    struct Popcnt
    {
        GM_CIBLE_POPCNT static int compte(quint64 m) { return __builtin_popcountll(m); }
        GM_CIBLE_POPCNT static int kiemeBit(quint64 m, int k) { return GM_CompteBits::kiemeBit(m, k); }
    };
    struct Bmi2
    {
        GM_CIBLE_BMI2 static int compte(quint64 m) { return __builtin_popcountll(m); }
        GM_CIBLE_BMI2 static int kiemeBit(quint64 m, int k)
        {
            return __builtin_ctzll(__builtin_ia32_pdep_di(quint64(1) << k, m));
        }
    };
#endif

    // The best set for this processor, found once: Bmi2 where PDEP is fast
    // (not on AMD before Zen 3, which runs it in microcode), else Popcnt
    // where the instruction exists, else Portable.
    static Jeu jeuProcesseur();
};
