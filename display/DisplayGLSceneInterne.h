#pragma once

// What the parts of the table scene share: the layout constants of the
// table and two small helpers. Only the scene's own sources include it.

#include "Contraste.h"
#include "GL_ObjectSquare.h"

#include <QColor>
#include <QImage>

#include <cmath>

namespace scene_interne {

// A card search answers within a second or two; a request or a scene that
// waits longer for the advice place gives up rather than hang the window.
inline constexpr int ATTENTE_CONSEIL_MAX_MS = 10000;
inline constexpr double TAILLE_FOND = 7.5;
inline constexpr double TAILLE_TAPIS = 1.5;
// Pixels of the cloth's picture the plates keep from what covers the cloth:
// a cover that moved less than that needs no new paint of the plates.
inline constexpr double MARGE_COUVERT_TAPIS = 8.0;
inline constexpr double LARGEUR_ARDOISE = 0.97;
inline constexpr double HAUTEUR_ARDOISE = 1.09;
inline constexpr double LARGEUR_BULLE = 0.7;
inline constexpr double HAUTEUR_BULLE = 0.28;
inline constexpr double PARTS_LARGEUR_LARGE = 1.5;
inline constexpr double PART_TABLE_LARGE = 0.65;
inline constexpr double FACTEUR_ECHELLE_VUE = 1.2;
// The camera record's first field kept for the scene: the view's zoom for
// tables higher than wide.
inline constexpr int CHAMP_ZOOM_VUE = 8;
inline constexpr double ASPECT_MIN = 0.59;
inline constexpr double RETRAIT_ZONE = 3.0;
inline constexpr double ECHELLE_MIN = 0.05;
inline constexpr int VARIANTE_COINCHE = 2;
inline constexpr double DIVISEUR_ECART_SAISON = 20.0;
inline constexpr double PART_HAUTEUR_SAISON = 0.5;
inline constexpr double COLONNES_SAISON_LARGEUR = 15.0;
inline constexpr double PART_COLONNE_SAISON = 0.125;
inline constexpr int COLONNES_SAISON = 8;
inline constexpr int DELAI_SAISON_MAX_MS = 20000;
// The two scores of the floating items' demonstration.
inline constexpr int DEMONSTRATION_GAIN = 57;
inline constexpr int DEMONSTRATION_PERTE = -20;
// The seasons' pictures and how they move (startFall's directions), in the
// order of the display options' periods: winter, spring, summer, autumn.
struct ImageDeSaison
{
    const char* chemin;
    int direction;
};
inline constexpr ImageDeSaison IMAGES_SAISONS[] = {
    {":/images/flocon1.png", 0}, {":/images/flower1.png", 2}, {":/images/sun1.png", 3}, {":/images/leaf1.png", 1}};
inline constexpr int CHIFFRES_NUMERO_CAPTURE = 3;
inline constexpr int SCHEMA_SOMBRE = 2;
// The states in which the announcements have been shown to all.
inline constexpr int PREMIER_ETAT_ANNONCES_VUES = 45;
inline constexpr int DERNIER_ETAT_ANNONCES_VUES = 52;
inline constexpr int ECLAIRCI_LIGNES = 150;
inline constexpr int ASSOMBRI_LIGNES = 800;
inline constexpr double PART_FOND_LIGNES = 0.3;
inline constexpr int VARIANTE_CONTREE = 3;
// Bids asked before this many turns take the turned card's suit.
inline constexpr int TOURS_PRISE_RETOURNEE = 4;
inline constexpr int TOURS_PAR_PAQUET = 3;
inline constexpr int PAS_CARTE_MS = 50;
inline constexpr int PAS_SIEGE_MS = 150;
// A packet's last card comes 100 ms after its first; the next packet 800 ms
// after that.
inline constexpr int PAS_PAQUET_MS = 900;
inline constexpr int MODE_VUE_SANS_ANIMATION = 1;
inline constexpr int MODE_VUE_TOUT_VISIBLE = 4;
inline constexpr double PART_ENCART_X = 0.09;
inline constexpr double PART_ENCART_Y = 0.17;
inline constexpr double PART_ENCART_L = 0.82;
inline constexpr double PART_ENCART_H = 0.66;
inline constexpr double PART_HAUT_CHAT = 0.16;
inline constexpr double PART_BANDE_BAS = 0.22;
inline constexpr double PART_MARGE_MAIN = 0.01;
inline constexpr double MARGE_BANDE_ATOUTS = 4.0;
inline constexpr double PART_HAUTEUR_BOUTON = 0.13;
inline constexpr double PART_LARGEUR_BOUTON = 0.08;
inline constexpr double PART_HAUTEUR_CHAT = 0.25;
inline constexpr double PART_ICONE_LARGEUR = 0.6315789;
inline constexpr double PART_ICONE_HAUTEUR = 0.43636364;
inline constexpr double DIVISEUR_ICONE_BOITE = 10.0;
inline constexpr double DECALAGE_ICONE_BOITE = 3.0;
inline constexpr int DUREE_FOND_MS = 1200;
inline constexpr double DISTANCE_CAMERA_LOIN = 4.5;
inline constexpr int ALPHA_PANNEAU_LEGENDE = 100;
inline constexpr double FACTEUR_POLICE_LEGENDE = 1.45;
inline constexpr double RAYON_PANNEAU_LEGENDE = 40.0;
inline constexpr double MARGE_PANNEAU_LEGENDE = 20.0;
// Pixels of a widget-engine picture per table unit, times its base scale:
// the engine's own constants.
inline constexpr double PIXELS_TAPIS_WIDGET = TAILLE_TAPIS * 480.0 * 0.35;
inline const QColor FOND_MESSAGE_RESEAU(255, 255, 240, 220);

// The status lines' size follows the table's height, never below the
// application's own text size, and they lie on an opaque dark backing: the
// top hand's white card edges showing through lowered the text's contrast.
inline constexpr double PART_POLICE_LIGNES = 0.03;
inline constexpr double MARGE_FOND_LIGNES = 0.35;
inline const QColor FOND_LIGNES(24, 20, 18);
// A dark pen, for the light slate of the candy theme and the notices.
inline const QColor COULEUR_SOMBRE(0x30, 0x30, 0x30);
// The contrast the status text keeps with its backing: the 4.5 to 1 of
// readable text, with room for the edges that antialiasing softens.
inline constexpr double CONTRASTE_LIGNES = 7.0;

// The text colour drawn towards white, keeping its hue as long as it can,
// until it reaches the ratio against an opaque backing.
inline QColor couleurLisible(const QColor& texte, const QColor& fond, double ratio)
{
    const QColor opaque(fond.red(), fond.green(), fond.blue());
    QColor c(texte.red(), texte.green(), texte.blue());
    for (int pas = 1; pas <= 20 && contraste::rapport(c, opaque) < ratio; ++pas) {
        const double t = pas / 20.0;
        c = QColor::fromRgbF(static_cast<float>(texte.redF() + (1.0 - texte.redF()) * t),
                             static_cast<float>(texte.greenF() + (1.0 - texte.greenF()) * t),
                             static_cast<float>(texte.blueF() + (1.0 - texte.blueF()) * t));
    }
    return c;
}

inline int arrondi(double v)
{
    return static_cast<int>(std::lround(v));
}

inline QImage puissanceDeDeux(const QImage& image)
{
    if (image.isNull())
        return image;
    return image.scaled(GL_ObjectSquare::puissanceDeDeuxSuperieure(image.width()),
                        GL_ObjectSquare::puissanceDeDeuxSuperieure(image.height()), Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
}

// Hands a square a picture painted anew unless the engine already shows
// those very pixels: the cloth (4 MB) was painted again for every card and
// the slate for every trick, their plates and lines mostly unchanged, and
// each upload costs the software renderer a copy. derniere is the picture
// the square was last given through here; it takes the new one.
inline void montreSiChangee(GL_ObjectSquare& objet, const QImage& image, QImage& derniere)
{
    if (!derniere.isNull() && objet.cleImageMontree() == derniere.cacheKey() && image == derniere)
        return;
    derniere = image;
    objet.setObjectImage(image);
}

} // namespace scene_interne
