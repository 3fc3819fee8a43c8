#include "ZB_PointsA.h"

#include <cmath>

namespace {

// Half away from zero, in single precision like the rest of the scoring.
int arrondiEntier(float v)
{
    return static_cast<int>(std::lround(v));
}

// v rounded half away from zero to a multiple of unite (at least 1).
int arrondiMultiple(float v, int unite)
{
    return arrondiEntier(v / static_cast<float>(unite)) * unite;
}

bool estEquipe(int equipe)
{
    return equipe == 0 || equipe == 1;
}

} // namespace

int ZB_PointsDonne::getScore(int equipe) const
{
    if (!estEquipe(equipe))
        return 0;
    const int x = equipe;
    const int pointsDePlis =
        pointsCartes_[x] + bonusDernierPli_[x] + pointsCartesPris_[x] + bonusDernierPliPris_[x] + pointsContrat_[x];
    const int autres = pointsAnnonces_[x] + autresPoints_[x] + bonusMatch_[x] + pointsAnnoncesPris_[x]
                       + autresPointsPris_[x] + enAttenteGagne_[x] + ajustementArrondi_[x];
    // The whole sum is rounded once: rounding the weighted part alone would
    // differ when it and the other counters have opposite signs.
    return arrondiEntier(static_cast<float>(pointsDePlis) * facteur_[x] + static_cast<float>(autres));
}

namespace {

// Counters combined with the sign; the left operand's factors are kept and
// a flag is set when set on the left and not on the right.
ZB_PointsDonne combine(const ZB_PointsDonne& a, const ZB_PointsDonne& b, int signe)
{
    ZB_PointsDonne r;
    for (int i = 0; i < 2; ++i) {
        r.derniersPlis_[i] = a.derniersPlis_[i] + signe * b.derniersPlis_[i];
        r.pointsCartes_[i] = a.pointsCartes_[i] + signe * b.pointsCartes_[i];
        r.pointsAnnonces_[i] = a.pointsAnnonces_[i] + signe * b.pointsAnnonces_[i];
        r.ajustementArrondi_[i] = a.ajustementArrondi_[i] + signe * b.ajustementArrondi_[i];
        r.autresPoints_[i] = a.autresPoints_[i] + signe * b.autresPoints_[i];
        r.bonusDernierPli_[i] = a.bonusDernierPli_[i] + signe * b.bonusDernierPli_[i];
        r.bonusMatch_[i] = a.bonusMatch_[i] + signe * b.bonusMatch_[i];
        r.pointsCartesPris_[i] = a.pointsCartesPris_[i] + signe * b.pointsCartesPris_[i];
        r.bonusDernierPliPris_[i] = a.bonusDernierPliPris_[i] + signe * b.bonusDernierPliPris_[i];
        r.pointsAnnoncesPris_[i] = a.pointsAnnoncesPris_[i] + signe * b.pointsAnnoncesPris_[i];
        r.autresPointsPris_[i] = a.autresPointsPris_[i] + signe * b.autresPointsPris_[i];
        r.enAttenteGagne_[i] = a.enAttenteGagne_[i] + signe * b.enAttenteGagne_[i];
        r.pointsContrat_[i] = a.pointsContrat_[i] + signe * b.pointsContrat_[i];
        r.facteur_[i] = a.facteur_[i];
        r.match_[i] = a.match_[i] && !b.match_[i];
        r.chute_[i] = a.chute_[i] && !b.chute_[i];
        r.gagne_[i] = a.gagne_[i] && !b.gagne_[i];
    }
    r.enAttente_ = a.enAttente_ + signe * b.enAttente_;
    return r;
}

} // namespace

ZB_PointsDonne ZB_PointsDonne::operator-(const ZB_PointsDonne& b) const
{
    return combine(*this, b, -1);
}

ZB_PointsDonne ZB_PointsDonne::operator+(const ZB_PointsDonne& b) const
{
    return combine(*this, b, 1);
}

bool ZB_PointsDonne::operator==(const ZB_PointsDonne& o) const
{
    for (int i = 0; i < 2; ++i) {
        if (derniersPlis_[i] != o.derniersPlis_[i] || pointsCartes_[i] != o.pointsCartes_[i]
            || pointsAnnonces_[i] != o.pointsAnnonces_[i] || ajustementArrondi_[i] != o.ajustementArrondi_[i]
            || autresPoints_[i] != o.autresPoints_[i] || bonusDernierPli_[i] != o.bonusDernierPli_[i]
            || bonusMatch_[i] != o.bonusMatch_[i] || pointsCartesPris_[i] != o.pointsCartesPris_[i]
            || bonusDernierPliPris_[i] != o.bonusDernierPliPris_[i]
            || pointsAnnoncesPris_[i] != o.pointsAnnoncesPris_[i] || autresPointsPris_[i] != o.autresPointsPris_[i]
            || enAttenteGagne_[i] != o.enAttenteGagne_[i] || pointsContrat_[i] != o.pointsContrat_[i]
            || facteur_[i] != o.facteur_[i] || match_[i] != o.match_[i] || chute_[i] != o.chute_[i]
            || gagne_[i] != o.gagne_[i])
            return false;
    }
    return enAttente_ == o.enAttente_;
}

ZB_PointsA::~ZB_PointsA() = default;

void ZB_PointsA::copie(const ZB_PointsA& autre)
{
    static_cast<ZB_PointsDonne&>(*this) = autre;
    objectifMise_ = autre.objectifMise_;
}

void ZB_PointsA::copie(const ZB_PointsDonne& corps)
{
    static_cast<ZB_PointsDonne&>(*this) = corps;
}

void ZB_PointsA::calculeFinDeDonne(ZB_PointsDonne& result, int equipeDernierPli, int equipeMatch, int multiplicateur,
                                   int typeContrat, int arrondi, int equipeQuiAChoisi, int decompte, int pointsMise)
{
    const ZB_PointsDonne avant = *this;
    termineDonne_(equipeDernierPli, equipeMatch, multiplicateur, typeContrat, arrondi, equipeQuiAChoisi, decompte,
                  pointsMise);
    result = (*this - avant) + result;
}

void ZB_PointsA::calculeFinDeDonne(int equipeDernierPli, int equipeMatch, int multiplicateur, int typeContrat,
                                   int arrondi, int equipeQuiAChoisi, int decompte, int pointsMise)
{
    termineDonne_(equipeDernierPli, equipeMatch, multiplicateur, typeContrat, arrondi, equipeQuiAChoisi, decompte,
                  pointsMise);
}

void ZB_PointsA::termineDonne_(int equipeDernierPli, int equipeMatch, int multiplicateur, int typeContrat,
                               int arrondi, int equipeQuiAChoisi, int decompte, int pointsMise)
{
    // Both are divisors below; a game type that left them unset must not
    // bring the table down.
    const int mult = multiplicateur < 1 ? 1 : multiplicateur;
    const int unite = arrondi < 1 ? 1 : arrondi;
    if (!estEquipe(equipeDernierPli))
        equipeDernierPli = -1;
    if (!estEquipe(equipeMatch))
        equipeMatch = -1;
    // Nobody to hold a contract: close the deal as one without contract.
    if (!estEquipe(equipeQuiAChoisi))
        typeContrat = 0;

    int facteurContrat = 1;
    if (typeContrat == 3 || typeContrat == 6)
        facteurContrat = 2;
    else if (typeContrat == 4 || typeContrat == 7)
        facteurContrat = 4;
    const bool capot = typeContrat >= 5 && typeContrat <= 7;
    const int extraCapot = capot ? 248 : 0;
    // A double makes the doubled side the contract's holder: the chooser is
    // the seat that doubled.
    const int ct = (typeContrat == 3 || typeContrat == 6) ? (equipeQuiAChoisi + 1) % 2 : equipeQuiAChoisi;
    const int autre = 1 - ct;

    if (equipeDernierPli >= 0)
        ++derniersPlis_[equipeDernierPli];

    if (equipeMatch < 0) {
        if (equipeDernierPli >= 0)
            bonusDernierPli_[equipeDernierPli] += getPointsDernierPli() * mult;
    } else {
        match_[equipeMatch] = 1;
        bonusMatch_[equipeMatch] += (100 + extraCapot) * mult;
        if (!matchRemplaceDernierPli() && equipeDernierPli >= 0)
            bonusDernierPli_[equipeDernierPli] += getPointsDernierPli() * mult;
    }

    enum { AucunContrat, Reussi, Chute } issue = AucunContrat;
    if (capot) {
        issue = equipeMatch == ct ? Reussi : Chute;
    } else if (objectifMise_ != -1 && typeContrat != 0) {
        const int s = getScore(ct);
        const int d = getScore(autre);
        if (objectifMise_ <= s / mult && d < s) {
            issue = Reussi;
        } else {
            issue = Chute;
            if (objectifMise_ <= s / mult && d == s) {
                const float pris = static_cast<float>(bonusDernierPliPris_[ct] + pointsCartesPris_[ct]) * facteur_[ct];
                enAttente_ = autresPointsPris_[ct] + pointsAnnoncesPris_[ct] + arrondiMultiple(pris, unite);
            }
        }
    }

    if (issue == Reussi) {
        // The contract value is weighted by the team's factor below, which
        // becomes F: adding F times the bid here as well would count a
        // doubled contract four times and a redoubled one sixteen times.
        if (decompte == 1) {
            pointsCartes_[ct] = 0;
            bonusDernierPli_[ct] = 0;
            pointsAnnonces_[ct] = 0;
            pointsContrat_[ct] += pointsMise;
        } else if (decompte == 2) {
            pointsContrat_[ct] += pointsMise - pointsAnnonces_[ct];
        }
        facteur_[ct] = static_cast<float>(facteurContrat);
        enAttenteGagne_[ct] += enAttente_;
    } else if (issue == Chute) {
        if (decompte == 0 || decompte == 2) {
            pointsCartesPris_[autre] = pointsCartes_[ct];
            bonusDernierPliPris_[autre] = bonusDernierPli_[ct];
            pointsAnnoncesPris_[autre] = pointsAnnonces_[ct];
        }
        if (decompte == 1 || decompte == 2) {
            pointsContrat_[autre] = pointsMise;
            pointsContrat_[ct] = 0;
        }
        if (equipeMatch < 0) {
            autresPointsPris_[autre] = autresPoints_[ct];
            autresPoints_[ct] = 0;
        }
        pointsCartes_[ct] = 0;
        pointsAnnonces_[ct] = 0;
        bonusDernierPli_[ct] = 0;
        chute_[ct] = 1;
        gagne_[autre] = 1;
        facteur_[autre] = static_cast<float>(facteurContrat);
    }

    for (int x = 0; x < 2; ++x) {
        const int base = pointsCartes_[x] + pointsCartesPris_[x] + bonusDernierPli_[x] + bonusDernierPliPris_[x];
        const int arrondie = arrondiMultiple(static_cast<float>(base), unite);
        ajustementArrondi_[x] = arrondiEntier(static_cast<float>(arrondie - base) * facteur_[x]);
    }
}
