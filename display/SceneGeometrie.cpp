#include "SceneGeometrie.h"

#include "DisplayGLHumanCarte.h"
#include "DisplayGLSceneInterne.h"

#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>

namespace scene_geometrie {

using namespace scene_interne;

int positionAffichage(int siege, int siegeBas, bool miroir)
{
    if (siege < 0 || siege >= NOMBRE_SIEGES)
        return -1;
    const int bas = (siegeBas >= 0 && siegeBas < NOMBRE_SIEGES) ? siegeBas : 0;
    const int p = (siege - bas + NOMBRE_SIEGES) % NOMBRE_SIEGES;
    if (miroir && (p == 1 || p == 3))
        return 4 - p;
    return p;
}

int delaiDistribution(int tour, int siege)
{
    if (tour < 0 || siege < 0)
        return 0;
    return (tour / TOURS_PAR_PAQUET) * PAS_PAQUET_MS + (tour % TOURS_PAR_PAQUET) * PAS_CARTE_MS + siege * PAS_SIEGE_MS;
}

double echelleTable(double largeur, double hauteur)
{
    if (!std::isfinite(largeur) || !std::isfinite(hauteur) || hauteur <= 0.0)
        return 1.0;
    const double aspect = std::max(0.0, largeur) / hauteur;
    const double echelle = aspect < ASPECT_MIN ? 1.0 - 2.0 * (ASPECT_MIN - aspect) : 1.0;
    // A table far higher than wide would otherwise be drawn mirrored or not
    // at all.
    return std::max(ECHELLE_MIN, echelle);
}

QRect geometrieDialogue(const QRectF& table, double largeurScene, int placement, int mode)
{
    QRectF r = table;
    if (placement == 1 && largeurScene > r.width()) {
        const double ancienne = r.width();
        r = QRectF(ancienne, r.y(), largeurScene - ancienne, r.height());
    }
    r.setHeight(std::max(0.0, r.height() - RETRAIT_ZONE));
    if (mode == 1)
        return QRect(arrondi(r.x() + PART_ENCART_X * r.width()), arrondi(r.y() + PART_ENCART_Y * r.height()),
                     arrondi(PART_ENCART_L * r.width()), arrondi(PART_ENCART_H * r.height()));
    return QRect(arrondi(r.x()), arrondi(r.y()), arrondi(r.width()), arrondi(r.height()));
}

QRectF zoneMain(const QRectF& table, int cartes)
{
    // The place of a card is the ninth of the table's width; a card is wider
    // than that on a table less wide than about 1.6 times its height, and the
    // last one ran off the right edge. The places then close up, so that the
    // hand ends a margin inside the table.
    const double largeurCarte = DisplayGLHumanCarte::LARGEUR_PAR_HAUTEUR_MAIN * table.height();
    const double marge = PART_MARGE_MAIN * table.width();
    const int n = std::clamp(cartes, 1, DisplayGLHumanCarte::CARTES_PAR_MAIN);
    const double place = table.width() / DisplayGLHumanCarte::CARTES_PAR_MAIN;
    const double etendue = (n - 1) * place + largeurCarte;
    const double libre = table.width() - 2.0 * marge;
    const double serree = etendue <= libre || n < 2 ? place : std::max(0.0, (libre - largeurCarte) / (n - 1));
    // The hand's first place lies (9 - n) div 2 places in; from there a hand
    // of eight, or of nine on a wide table, sat left of the cloth's middle
    // and its first card touched the window's edge. The hand's own width is
    // centred on the table, under the cloth.
    const double debut = table.center().x() - ((n - 1) * serree + largeurCarte) / 2.0
                         - (DisplayGLHumanCarte::CARTES_PAR_MAIN - n) / 2 * serree;
    return QRectF(debut, table.y(), serree * DisplayGLHumanCarte::CARTES_PAR_MAIN, table.height());
}

int directionGlissement(const QPointF& appui, const QPointF& relache, const QSizeF& scene, qint64 dureeMs)
{
    if (dureeMs <= GLISSEMENT_MIN_MS || dureeMs >= GLISSEMENT_MAX_MS || appui == relache)
        return GlisseAucun;
    const double tx = scene.width() / DIVISEUR_GLISSEMENT;
    const double ty = scene.height() / DIVISEUR_GLISSEMENT;
    const double ddx = appui.x() - relache.x();
    const double ddy = appui.y() - relache.y();
    if (ddx > tx)
        return GlisseGauche;
    if (ddx < -tx)
        return GlisseDroite;
    if (ddy > ty)
        return GlisseHaut;
    if (ddy < -ty)
        return GlisseBas;
    return GlisseAucun;
}

namespace {

// The picture's corners as the screen shows them and the transform from the
// screen to its pixels; false when `vu` is no quadrilateral.
bool versImage(const QPolygonF& vu, const QSizeF& image, QTransform& transform)
{
    if (vu.size() < 4 || image.isEmpty())
        return false;
    // The picture's top edge is the far one: the two corners highest on
    // the screen, then left before right.
    std::array<QPointF, 4> coins{vu[0], vu[1], vu[2], vu[3]};
    std::sort(coins.begin(), coins.end(), [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    if (coins[0].x() > coins[1].x())
        std::swap(coins[0], coins[1]);
    if (coins[2].x() < coins[3].x())
        std::swap(coins[2], coins[3]);
    const QPolygonF ecran{coins[0], coins[1], coins[2], coins[3]};
    const QPolygonF dansImage{QPointF(0.0, 0.0), QPointF(image.width(), 0.0), QPointF(image.width(), image.height()),
                              QPointF(0.0, image.height())};
    return QTransform::quadToQuad(ecran, dansImage, transform);
}

} // namespace

QPolygonF couvertDansLImage(const QPolygonF& vu, const QSizeF& image, const QPolygonF& dessus)
{
    if (vu.size() < 4 || dessus.size() < 3 || image.isEmpty())
        return {};
    const QPolygonF commun = vu.intersected(dessus);
    if (commun.boundingRect().isEmpty())
        return {};
    QTransform transform;
    if (!versImage(vu, image, transform))
        return {};
    return transform.map(commun);
}

QPolygonF vuDepuisLImage(const QPolygonF& vu, const QSizeF& image, const QPolygonF& dansImage)
{
    QTransform transform;
    if (dansImage.isEmpty() || !versImage(vu, image, transform) || !transform.isInvertible())
        return {};
    return transform.inverted().map(dansImage);
}

} // namespace scene_geometrie
