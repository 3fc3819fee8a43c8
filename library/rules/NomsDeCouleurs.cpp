#include "NomsDeCouleurs.h"

#include <QObject>

QString getNomCouleur(const int& couleur, const int& styleJeu)
{
    if (couleur < 1 || couleur > 4)
        return QString();
    switch (styleJeu) {
    case 0:
    case 2:
    case 4: {
        static const char* const noms[4] = {QT_TRANSLATE_NOOP("QObject", "Trèfle"), QT_TRANSLATE_NOOP("QObject", "Carreau"), QT_TRANSLATE_NOOP("QObject", "Pique"),
                                            QT_TRANSLATE_NOOP("QObject", "Coeur")};
        return QObject::tr(noms[couleur - 1]);
    }
    case 1: {
        static const char* const noms[4] = {QT_TRANSLATE_NOOP("QObject", "Bouclier"), QT_TRANSLATE_NOOP("QObject", "Fleur"), QT_TRANSLATE_NOOP("QObject", "Cloche"),
                                            QT_TRANSLATE_NOOP("QObject", "Gland")};
        return QObject::tr(noms[couleur - 1]);
    }
    case 3: {
        static const char* const noms[4] = {QT_TRANSLATE_NOOP("QObject", "Denier"), QT_TRANSLATE_NOOP("QObject", "Coupe"), QT_TRANSLATE_NOOP("QObject", "Bâton"),
                                            QT_TRANSLATE_NOOP("QObject", "Epée")};
        return QObject::tr(noms[couleur - 1]);
    }
    default:
        return QString();
    }
}

QString getNomAtoutLong(const int& statusAtout, const int& styleJeu)
{
    switch (statusAtout) {
    case 1:
    case 2:
    case 3:
    case 4: return getNomCouleur(statusAtout, styleJeu);
    case 5: return QObject::tr("De haut en bas");
    case 6: return QObject::tr("De bas en haut");
    case 7: return QObject::tr("Zig-zag avec départ en bas");
    case 8: return QObject::tr("Zig-zag avec départ en haut");
    case 9: return QObject::tr("Tout atout");
    case 10: return QObject::tr("Sans atout");
    case 11: return QObject::tr("Inverse");
    default: return QObject::tr("ERREUR: Status invalide");
    }
}
