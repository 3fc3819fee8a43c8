#include "Carte.h"

#include "NomsDeCouleurs.h"

#include <QObject>

namespace {

// Rows indexed by rank - 6: 6, 7, 8, 9, 10, Valet, Dame, Roi, As.
constexpr int kPointsAtout[9] = {0, 0, 0, 14, 10, 20, 3, 4, 11};
constexpr int kPointsNormal[9] = {0, 0, 0, 0, 10, 2, 3, 4, 11};
constexpr int kPointsHautEnBas[9] = {0, 0, 8, 0, 10, 2, 3, 4, 11};
constexpr int kPointsBasEnHaut[9] = {11, 0, 8, 0, 10, 2, 3, 4, 0};
constexpr int kPointsToutAtout[9] = {0, 0, 0, 9, 5, 14, 1, 3, 6};
constexpr int kPointsSansAtout[9] = {0, 0, 0, 0, 10, 2, 3, 4, 19};
constexpr int kPointsInverse[9] = {0, 20, 14, 0, 4, 0, 11, 10, 3};

constexpr int kForceAtoutJass[9] = {0, 1, 2, 7, 3, 8, 4, 5, 6};
constexpr int kOrdreAtoutBelote[9] = {0, 1, 2, 7, 5, 8, 3, 4, 6};
constexpr int kForceNaturelleBelote[9] = {0, 1, 2, 3, 7, 4, 5, 6, 8};

} // namespace

Carte::Carte(int couleur, int valeur)
    : couleur_(couleur)
    , valeur_(valeur)
    , index_(indexDe(couleur, valeur))
{
}

Carte::~Carte() = default;

int Carte::getPoints(int trump, int mode) const
{
    const int r = valeur_ - 6;
    if (couleur_ == trump)
        return kPointsAtout[r];
    if (mode == 8)
        return kPointsHautEnBas[r];
    if (mode == 7)
        return kPointsBasEnHaut[r];
    switch (trump) {
    case 5: return kPointsHautEnBas[r];
    case 6: return kPointsBasEnHaut[r];
    case 9: return kPointsToutAtout[r];
    case 10: return kPointsSansAtout[r];
    case 11: return kPointsInverse[r];
    default: return kPointsNormal[r];
    }
}

int Carte::getOrdreAtout() const
{
    return kOrdreAtoutBelote[valeur_ - 6];
}

int Carte::getForce(int trump, int belote) const
{
    const int r = valeur_ - 6;
    if (couleur_ == trump)
        return belote ? kOrdreAtoutBelote[r] : kForceAtoutJass[r];
    if (belote && trump == 9)
        return kOrdreAtoutBelote[r];
    const int naturel = belote ? kForceNaturelleBelote[r] : r;
    return (trump == 6 || trump == 7) ? 8 - naturel : naturel;
}

int Carte::getPoidsPourAtout(int modeAtout) const
{
    switch (modeAtout) {
    case 1:
    case 2:
    case 3:
    case 4:
        if (couleur_ != modeAtout)
            return 0;
        [[fallthrough]];
    case 9:
        return valeur_ == Valet ? 4 : valeur_ == Neuf ? 2 : 1;
    case 5:
        return valeur_ == Roi ? 1 : valeur_ == As ? 3 : 0;
    case 6:
        return valeur_ == Six ? 3 : valeur_ == Sept ? 1 : 0;
    case 7:
        return valeur_ == Six ? 3 : (valeur_ == Sept || valeur_ == Roi) ? 1 : valeur_ == As ? 2 : 0;
    case 8:
        return valeur_ == Six ? 2 : (valeur_ == Sept || valeur_ == Roi) ? 1 : valeur_ == As ? 3 : 0;
    case 10:
        return valeur_ == As ? 4 : valeur_ == Dix ? 2 : 1;
    case 11:
        return valeur_ == Valet ? 5 : valeur_ == Neuf ? 4 : 1;
    default:
        return 0;
    }
}

QString Carte::toString() const
{
    return QString::number(couleur_) + QLatin1Char('_') + QString::number(valeur_);
}

QString getNomValeur(int valeur, int styleJeu)
{
    switch (valeur) {
    case 6: return styleJeu == 3 ? QObject::tr("Le Trois") : QObject::tr("Le Six");
    case 7: return styleJeu == 3 ? QObject::tr("Le Quatre") : QObject::tr("Le Sept");
    case 8: return styleJeu == 3 ? QObject::tr("Le Cinq") : QObject::tr("Le Huit");
    case 9: return styleJeu == 3 ? QObject::tr("Le Six") : QObject::tr("Le Neuf");
    case 10:
        if (styleJeu == 1) return QObject::tr("Le Drapeau");
        return styleJeu == 3 ? QObject::tr("Le Sept") : QObject::tr("Le Dix");
    case 11:
        if (styleJeu == 1) return QObject::tr("L'Under");
        return styleJeu == 3 ? QObject::tr("Le Sota") : QObject::tr("Le Valet");
    case 12:
        if (styleJeu == 1) return QObject::tr("L'Oberst");
        return styleJeu == 3 ? QObject::tr("Le Cabal") : QObject::tr("La Dame");
    case 13: return styleJeu == 3 ? QObject::tr("Le Rey") : QObject::tr("Le Roi");
    case 14: return QObject::tr("L'As");
    default: return QObject::tr("ERREUR: Status invalide");
    }
}

QString getNomAtout(int modeAtout, int styleJeu)
{
    switch (modeAtout) {
    case 1:
    case 2:
    case 3:
    case 4: return getNomCouleur(modeAtout, styleJeu);
    case 5: return QObject::tr("Haut en Bas");
    case 6: return QObject::tr("Bas en Haut");
    case 7: return QObject::tr("ZigZag Depart en Bas");
    case 8: return QObject::tr("ZigZag Depart en Haut");
    case 9: return QObject::tr("Tout atout");
    case 10: return QObject::tr("Sans atout");
    case 11: return QObject::tr("Inverse");
    default: return QObject::tr("ERREUR: Status invalide");
    }
}
