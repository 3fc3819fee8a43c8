#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

// Reads a picture of the program's window as a person looks at it: the
// user's hand at the bottom, the cards on the cloth, and push buttons (the
// trump and bid panel's, a message box's).
//
// Rules:
// - Only pixels are read, in proportion to the window, so that any window
//   size and any theme read alike: a card face is white or light grey (a
//   card that may not be played is darkened, the advised one tinted), the
//   cloth is the one colour around the middle of the table, a button is an
//   upright rectangle drawn with a dark outline and a light inner edge, a
//   speech bubble's body is white (as are the table's light boxes).
// - A trick on the cloth is cards lying upright, each on the side of the
//   seat that played it.
class LectureEcran
{
public:
    struct Main
    {
        // Parts of the hand where the card on top may be played (bright
        // faces), left to right; a double click in one plays a card.
        QList<QPoint> jouables;
        // The top of the hand's cards, -1 when no card shows.
        int haut = -1;
        // Columns showing a darkened card face.
        int colonnesSombres = 0;
        // The first and last columns showing a card face, bright or
        // darkened (-1 when none): a card taken from the hand moves them,
        // the hand closing up, where a refused one only changes shades.
        int gauche = -1;
        int droite = -1;
    };
    struct Tapis
    {
        bool trouve = false;
        QRect zone;          // the cloth's bounds
        QPoint centre;
        QRgb couleur = 0;    // the cloth's own colour
        QList<QRect> cartes; // the cards lying on it
        // Pixels of anything else drawn over the middle of the cloth (texts
        // floating there: scores, banners), the trump sign left out.
        int encre = 0;
    };

    static Main main(const QImage& image);
    // The cloth, read within `limite` when it is given (the bounds found in
    // an earlier picture of the same window): a dark sign drawn across the
    // cloth's edge on a cloth as dark as the table around it would let the
    // cloth's colour run out over the whole window.
    static Tapis tapis(const QImage& image, const QRect& limite = QRect());
    // The seat whose side of the cloth holds that card: 0 bottom, 1 right,
    // 2 top, 3 left.
    static int siegeDe(const Tapis& tapis, const QRect& carte);
    // Pixels of the online sign (a white translucent globe left of the
    // cloth's middle, drawn in a game the user joined): the cloth's colour
    // lightened towards white, card faces and the trump sign left out.
    static int signeEnLigne(const QImage& image, const Tapis& tapis);
    // Push buttons in that part of the picture (all of it when empty), top to
    // bottom, left to right; the table's own tool buttons at the window's
    // edges are left out. None is wider than that share of the window: the
    // bid band's pass, as wide as the row of trumps above it, spans some
    // 0.33 to 0.41 of it, which the pilot's reading allows.
    static constexpr double LARGEUR_BOUTON_MAX = 0.3;
    static constexpr double LARGEUR_PASSE_MAX = 0.5;
    static QList<QRect> boutons(const QImage& image, const QRect& zone = QRect(),
                                double largeurMax = LARGEUR_BOUTON_MAX);
    // Whether the help button (the orange question mark of the right-hand
    // tools) is lit: it is greyed while the user only watches.
    static bool aideAllumee(const QImage& image);
    // Whether two pictures show the same in that part (all when empty).
    static bool identiques(const QImage& a, const QImage& b, const QRect& zone = QRect());
    // The status line, high in the middle of the window.
    static QRect ligneDeStatut(const QImage& image);
    // Pixels of a zone whose whole square around them is white: a bubble's
    // body is the one white patch the table shows during the bidding (card
    // backs, plates and the slate's chalk are thin lines).
    static constexpr int PIXELS_PAR_POINT_DE_BULLE = 4800;
    static int blancPlein(const QImage& image, const QRect& zone);
    // Pixels of the zone that differ between two pictures; within a bubble
    // only: a pixel the body of a speech bubble surrounds (white on three of
    // its four sides, a few pixels away, in either picture), which a name
    // written on the cloth or the slate's chalk is not.
    static int changes(const QImage& a, const QImage& b, const QRect& zone, bool dansUneBulle);
};
