#include "DisplayGLJeuDeCartes.h"

#include "Carte.h"
#include "DisplayGLHumanCarte.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

constexpr float SURFACE_PAR_PIXEL = 0.00002f;
constexpr float LARGEUR_DE_BASE = 68.1f;

} // namespace

DisplayGLJeuDeCartes::DisplayGLJeuDeCartes(const QString& nomDossierCache)
    : nomDossierCache_(nomDossierCache)
{
    for (int index = 0; index < NOMBRE_CARTES; ++index) {
        if (Carte* carte = deck_.getCarteParIndex(index))
            cartes_[static_cast<size_t>(index)] = QSharedPointer<DisplayGLHumanCarte>::create(carte);
    }
}

DisplayGLJeuDeCartes::~DisplayGLJeuDeCartes() = default;

double DisplayGLJeuDeCartes::diviseurQualite(int qualite)
{
    switch (qualite) {
    case 0:
        return 2.0;
    case 1:
        return 1.5;
    case 3:
        return 0.5;
    case 4:
        return 0.25;
    default:
        return 1.0;
    }
}

QSize DisplayGLJeuDeCartes::tailleDeRendu(const QSize& disponible, int qualite)
{
    if (qualite == QUALITE_AUCUNE)
        return QSize();
    const float surface = static_cast<float>(std::max(disponible.width(), 0))
                          * static_cast<float>(std::max(disponible.height(), 0));
    const float largeur = surface * SURFACE_PAR_PIXEL + LARGEUR_DE_BASE;
    const float hauteur = largeur * static_cast<float>(HAUTEUR_PAR_LARGEUR);
    const double diviseur = diviseurQualite(qualite);
    long l = std::lround(largeur / diviseur);
    long h = std::lround(hauteur / diviseur);
    if (l > LARGEUR_MAX) {
        l = LARGEUR_MAX;
        h = std::lround(LARGEUR_MAX * HAUTEUR_PAR_LARGEUR);
    }
    return QSize(static_cast<int>(l), static_cast<int>(h));
}

QString DisplayGLJeuDeCartes::cheminDuJeu(int style)
{
    return DisplayGLHumanCarte::cheminDuJeu(style);
}

void DisplayGLJeuDeCartes::setSize(int style, int qualite, double ratioPixels)
{
    style_ = style;
    if (qualite == QUALITE_AUCUNE)
        return;
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const QSize disponible = ecran ? ecran->availableGeometry().size() : QSize(0, 0);
    render(style, tailleDeRendu(disponible, qualite), ratioPixels);
}

void DisplayGLJeuDeCartes::render(int style, const QSize& taille, double ratioPixels)
{
    style_ = style;
    taille_ = taille;
    for (const QSharedPointer<DisplayGLHumanCarte>& carte : cartes_) {
        if (carte)
            carte->render(style, taille, nomDossierCache_, ratioPixels);
    }
}

DisplayGLHumanCarte* DisplayGLJeuDeCartes::getCarte(int index) const
{
    return (index >= 0 && index < NOMBRE_CARTES) ? cartes_[static_cast<size_t>(index)].data() : nullptr;
}

QSharedPointer<DisplayGLHumanCarte> DisplayGLJeuDeCartes::getCartePartagee(int index) const
{
    return (index >= 0 && index < NOMBRE_CARTES) ? cartes_[static_cast<size_t>(index)]
                                                 : QSharedPointer<DisplayGLHumanCarte>();
}
