#include "Carte.h"

#include "NomsDeCouleurs.h"

#include <QObject>

Carte::Carte(int couleur, int valeur)
    : couleur_(couleur)
    , valeur_(valeur)
    , index_(indexDe(couleur, valeur))
{
}

Carte::~Carte() = default;

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

int Carte::indexDeTexte(const QString& texte, bool belote)
{
    const qsizetype separateur = texte.indexOf(QLatin1Char('_'));
    if (separateur < 0)
        return -1;
    bool okCouleur = false;
    bool okValeur = false;
    const int couleur = texte.left(separateur).toInt(&okCouleur, 10);
    const int valeur = texte.mid(separateur + 1).toInt(&okValeur, 10);
    if (!okCouleur || !okValeur || couleur < 1 || couleur > 4 || valeur < (belote ? Sept : Six) || valeur > As)
        return -1;
    return indexDe(couleur, valeur);
}
