#pragma once

#include "ZB_DeckJass.h"

#include <QSharedPointer>
#include <QSize>
#include <QString>

#include <array>

class DisplayGLHumanCarte;

// The 36 hand cards of the Jass deck in one deck style, and the size they
// are rendered at.
//
// Rules:
// - The rendering size follows the primary screen's available area and the
//   quality: base width 0.00002 x area + 68.1 pixels, height 1.4 x width,
//   each divided by the quality's divisor; quality -1 renders nothing. The
//   width never exceeds LARGEUR_MAX, so a huge screen cannot ask for
//   gigabytes of pictures.
// - Deck styles 0 to 4 have their folder under ":/Cartes/"; any other style
//   has none, finds no SVG and gives transparent cards.
// - The set owns its cards. A card added to a graphics scene leaves it when
//   the set is deleted, so the set must die before the scene.
class DisplayGLJeuDeCartes
{
public:
    static constexpr int NOMBRE_CARTES = 36;
    static constexpr int QUALITE_AUCUNE = -1;
    static constexpr int LARGEUR_MAX = 2048;
    static constexpr double HAUTEUR_PAR_LARGEUR = 1.4;

    explicit DisplayGLJeuDeCartes(const QString& nomDossierCache);
    DisplayGLJeuDeCartes(const DisplayGLJeuDeCartes&) = delete;
    DisplayGLJeuDeCartes& operator=(const DisplayGLJeuDeCartes&) = delete;
    ~DisplayGLJeuDeCartes();

    // 2.0, 1.5, 1.0, 0.5, 0.25 for qualities 0 to 4; 1.0 for any other.
    static double diviseurQualite(int qualite);
    // The rendering size for a screen's available area; empty for quality -1.
    static QSize tailleDeRendu(const QSize& disponible, int qualite);
    // ":/Cartes/" and the style's folder.
    static QString cheminDuJeu(int style);
    QString cheminDuJeu() const { return cheminDuJeu(style_); }

    // Sizes for the primary screen and renders every card.
    void setSize(int style, int qualite, double ratioPixels);
    // Renders every card at that size.
    void render(int style, const QSize& taille, double ratioPixels);

    // Null outside 0..35.
    DisplayGLHumanCarte* getCarte(int index) const;
    QSharedPointer<DisplayGLHumanCarte> getCartePartagee(int index) const;
    int getStyle() const { return style_; }
    QSize getTaille() const { return taille_; }
    QString getNomDossierCache() const { return nomDossierCache_; }
    const ZB_DeckJass& getDeck() const { return deck_; }

private:
    ZB_DeckJass deck_;
    std::array<QSharedPointer<DisplayGLHumanCarte>, NOMBRE_CARTES> cartes_;
    int style_ = 0;
    QString nomDossierCache_;
    QSize taille_;
};
