#include "AI_BetA.h"

#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_CompteBits.h"
#include "StatusAtout.h"

#include <algorithm>

AI_BetA::~AI_BetA() = default;

QString AI_BetA::Evaluation::toString() const
{
    return QStringLiteral("nbrMinorTrumps=%1 nbrMajorTrumps=%2 nbrStrongestCard=%3 hasFirstStrongestTrump=%4 "
                          "hasSecondStrongestTrump=%5 nbrLeadingCards=%6 nbrLeadingColors=%7")
        .arg(nbrMinorTrumps)
        .arg(nbrMajorTrumps)
        .arg(nbrStrongestCard)
        .arg(int(hasFirstStrongestTrump))
        .arg(int(hasSecondStrongestTrump))
        .arg(nbrLeadingCards)
        .arg(nbrLeadingColors);
}

bool AI_BetA::Evaluation::operator==(const Evaluation& o) const
{
    return nbrMinorTrumps == o.nbrMinorTrumps && nbrMajorTrumps == o.nbrMajorTrumps
        && nbrStrongestCard == o.nbrStrongestCard && hasFirstStrongestTrump == o.hasFirstStrongestTrump
        && hasSecondStrongestTrump == o.hasSecondStrongestTrump && nbrLeadingCards == o.nbrLeadingCards
        && nbrLeadingColors == o.nbrLeadingColors;
}

namespace {

// The strength orders of a suit, as Carte::getForce gives them.
enum Ordre { AtoutJass, AtoutBelote, NaturelJass, NaturelBelote, InverseJass, InverseBelote, NombreOrdres };

Ordre ordreDe(int couleur, int mode, bool belote)
{
    if (couleur == mode)
        return belote ? AtoutBelote : AtoutJass;
    if (belote && mode == StatusAtout::ToutAtout)
        return AtoutBelote;
    if (mode == StatusAtout::BasEnHaut || mode == StatusAtout::ZigZagDepartEnBas)
        return belote ? InverseBelote : InverseJass;
    return belote ? NaturelBelote : NaturelJass;
}

// For every order, the ranks held in a suit (bit r for rank 6 + r) as the
// strengths held (bit f for strength f): a whole suit in one look-up. Built
// from Carte::getForce, so that the advice and the tricks agree.
struct TableForces
{
    quint16 forces[NombreOrdres][512];

    TableForces()
    {
        // A suit and a mode that select each order.
        static const int exemples[NombreOrdres][3] = {{1, 1, 0}, {1, 1, 1}, {1, 2, 0},
                                                      {1, 2, 1}, {1, 6, 0}, {1, 6, 1}};
        for (int o = 0; o < NombreOrdres; ++o) {
            int force[9];
            for (int r = 0; r < 9; ++r)
                force[r] = Carte(exemples[o][0], r + 6).getForce(exemples[o][1], exemples[o][2]);
            for (int rangs = 0; rangs < 512; ++rangs) {
                quint16 f = 0;
                for (int r = 0; r < 9; ++r) {
                    if ((rangs >> r) & 1)
                        f = quint16(f | (1u << force[r]));
                }
                forces[o][rangs] = f;
            }
        }
    }
};

const TableForces& tableForces()
{
    static const TableForces table;
    return table;
}

// Cards of the unbroken run down from strength 8: the strengths above the
// strongest one missing.
int suite(int forces)
{
    const unsigned manquantes = ~unsigned(forces) & 0x1FFu;
    return manquantes == 0 ? 9 : 8 - (31 - __builtin_clz(manquantes));
}

// The strengths a hand holds in each suit, by order, each order looked up
// once for all the modes that use it.
class ForcesDeLaMain
{
public:
    ForcesDeLaMain(quint64 masque, bool belote)
        : table_(tableForces())
        , belote_(belote)
    {
        for (int c = 0; c < 4; ++c)
            rangs_[c] = int((masque >> (9 * c)) & 0x1FF);
    }

    // Strengths held in a suit (1 to 4) under a mode.
    int forces(int couleur, int mode)
    {
        const int o = ordreDe(couleur, mode, belote_);
        if (!(lues_ & (1u << o))) {
            for (int c = 0; c < 4; ++c)
                forces_[o][c] = table_.forces[o][rangs_[c]];
            lues_ |= 1u << o;
        }
        return forces_[o][couleur - 1];
    }

    // Sure tricks from the strongest end of every suit in one direction.
    int sures(int mode)
    {
        int n = 0;
        for (int couleur = 1; couleur <= 4; ++couleur)
            n += suite(forces(couleur, mode));
        return n;
    }

    bool belote() const { return belote_; }

private:
    const TableForces& table_;
    bool belote_;
    int rangs_[4];
    int forces_[NombreOrdres][4] = {};
    unsigned lues_ = 0;
};

int plisSursDe(ForcesDeLaMain& f, int mode)
{
    if (mode != StatusAtout::ZigZagDepartEnBas && mode != StatusAtout::ZigZagDepartEnHaut)
        return f.sures(mode);
    // Zig-zag: the starting direction decides the odd tricks, the other one
    // the even ones; a sure card only counts for its direction's share.
    const int plis = f.belote() ? 8 : 9;
    const bool depuisLeBas = mode == StatusAtout::ZigZagDepartEnBas;
    const int departs = f.sures(depuisLeBas ? StatusAtout::BasEnHaut : StatusAtout::HautEnBas);
    const int suivants = f.sures(depuisLeBas ? StatusAtout::HautEnBas : StatusAtout::BasEnHaut);
    return std::min(departs, (plis + 1) / 2) + std::min(suivants, plis / 2);
}

AI_BetA::Evaluation evalueDe(ForcesDeLaMain& f, int mode)
{
    AI_BetA::Evaluation e;
    if (mode >= StatusAtout::HautEnBas && mode <= StatusAtout::Inverse) {
        const int n = plisSursDe(f, mode);
        e.nbrMajorTrumps = std::max(0, n - AI_BetA::SURES_SANS_CONTROLE);
        e.nbrMinorTrumps = n - e.nbrMajorTrumps;
        for (int couleur = 1; couleur <= 4; ++couleur) {
            const int forces = f.forces(couleur, mode);
            if (forces & 0x100) {
                ++e.nbrStrongestCard;
                e.hasFirstStrongestTrump = true;
            }
            if (forces & 0x80)
                e.hasSecondStrongestTrump = true;
            if (suite(forces) > 0)
                ++e.nbrLeadingColors;
        }
        return e;
    }
    for (int couleur = 1; couleur <= 4; ++couleur) {
        const int forces = f.forces(couleur, mode);
        if (couleur == mode) {
            e.nbrMinorTrumps = GM_CompteBits::portable(quint64(forces & 0x3F));
            e.nbrMajorTrumps = GM_CompteBits::portable(quint64(forces & 0x1C0));
            e.hasFirstStrongestTrump = (forces & 0x100) != 0;
            e.hasSecondStrongestTrump = (forces & 0x80) != 0;
        } else {
            if (forces & 0x100)
                ++e.nbrStrongestCard;
            const int n = suite(forces);
            e.nbrLeadingCards += n;
            if (n > 0)
                ++e.nbrLeadingColors;
        }
    }
    return e;
}

} // namespace

int AI_BetA::plisSurs(const EnsembleDeCartes& main, int mode, bool belote)
{
    ForcesDeLaMain f(main.getMasque(), belote);
    return plisSursDe(f, mode);
}

AI_BetA::Evaluation AI_BetA::evalueMode(const EnsembleDeCartes& main, int mode, bool belote)
{
    ForcesDeLaMain f(main.getMasque(), belote);
    return evalueDe(f, mode);
}

void AI_BetA::evalueModes(const EnsembleDeCartes& main, bool belote, const std::array<bool, NOMBRE_MODES>& modes,
                          std::array<Evaluation, NOMBRE_MODES>& evaluations)
{
    ForcesDeLaMain f(main.getMasque(), belote);
    for (int mode = 0; mode < NOMBRE_MODES; ++mode)
        evaluations[size_t(mode)] = modes[size_t(mode)] ? evalueDe(f, mode) : Evaluation();
}
