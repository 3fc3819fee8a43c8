#pragma once

#include <QtGlobal>

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

// Population count for the search's inner loops. The build targets generic
// x86-64, where __builtin_popcountll becomes a library call; the processor
// almost always has the POPCNT instruction, so hot loops are compiled twice
// (see AI_Simulation::joueAuHasard) and the version for this processor is
// taken at run time. A build for a target that has POPCNT uses it everywhere.
class GM_CompteBits
{
public:
    // Bits set in m. With materiel the builtin, which is one instruction in
    // code compiled for a POPCNT target; otherwise a few shifts and a
    // multiply, which are fast anywhere.
    template <bool materiel>
    static int compte(quint64 m)
    {
        if constexpr (materiel)
            return __builtin_popcountll(m);
        else
            return portable(m);
    }

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

    // Whether code compiled for the POPCNT target may run here; asked once.
    static bool processeurAPopcnt();

};

// Marks the copy of a hot function that is compiled for POPCNT; empty where
// the compiler cannot select a target per function.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && !defined(__POPCNT__)
#define GM_CIBLE_POPCNT __attribute__((target("popcnt")))
#define GM_AVEC_DISPATCH_POPCNT 1
#else
#define GM_CIBLE_POPCNT
#define GM_AVEC_DISPATCH_POPCNT 0
#endif
