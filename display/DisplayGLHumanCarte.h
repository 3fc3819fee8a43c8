#pragma once

#include <QGraphicsPixmapItem>
#include <QObject>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QTimer>

class Carte;
class QPropertyAnimation;

// A card the human sees in a hand: a picture rendered from the deck's SVG
// (or read back from the disk cache), fanned in the hand, moved by short
// animations, drawn darkened or tinted.
//
// Rules:
// - States 0 to 6: 0 in the hand, 1 darkened, 2 highlighted, 3 resting
//   point recorded, 4 selected, 5 lifted above everything, 6 hidden. A
//   hidden card never shows itself later.
// - The card's width is 0.171 of the hand's height and its height 1.4144
//   times the width, in logical pixels; pictures are built for the device
//   pixel ratio given to render (taken as 1 unless it is a positive number).
// - Numbers are rounded half away from zero.
// - A missing SVG gives a transparent picture, which is never cached.
// - Only the rendered picture is kept; the darkened and tinted ones are
//   derived from it when a card is shown in such a state, then scaled, so
//   they are the same pixels as if they had been kept (36 cards at the
//   screen's size held two extra copies of the deck for nothing).
class DisplayGLHumanCarte : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)

public:
    enum Etat { EnMain = 0, Assombrie = 1, Surlignee = 2, Posee = 3, Choisie = 4, Levee = 5, Cachee = 6 };

    static constexpr double LARGEUR_PAR_HAUTEUR_MAIN = 0.171;
    static constexpr double HAUTEUR_PAR_LARGEUR = 1.4144;
    static constexpr int DUREE_MOUVEMENT_MS = 190;
    static constexpr double Z_CACHEE = -10000.0;
    static constexpr double Z_LEVEE = 10000.0;
    static constexpr int CARTES_PAR_MAIN = 9;

    explicit DisplayGLHumanCarte(Carte* carte);
    ~DisplayGLHumanCarte() override;

    // ":/Cartes/" and the folder of a deck style; no folder for an unknown
    // style.
    static QString cheminDuJeu(int style);
    // The SVG resource of a card in a deck style.
    static QString cheminSvg(int style, int couleur, int valeur);
    // The picture less (rouge, vert, bleu) on every channel, alpha kept.
    static QImage assombrie(const QImage& image, int rouge, int vert, int bleu);
    // The rotation of slot index in a hand with that many empty slots.
    static int rotationDansLaMain(int vides, int index);
    // How far above the bottom of a hand area of that height the hand's
    // cards reach while the user chooses a trump or a bid (highlighted; a
    // card lifted under the mouse rises over whatever lies above).
    static double hauteurMainEnChoix(double hauteurZone);

    // Renders (or reads from the cache folder of that name) the picture at
    // that size in device pixels.
    void render(int style, const QSize& taille, const QString& nomDossierCache, double ratioPixels);
    void placeInHand(const QRectF& main, double espacement, int vides, int index);
    void setState(int etat, bool anime, int delaiMs);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    Carte* getCarte() const { return carte_; }
    int getState() const { return etat_; }
    void setTinted(bool teinte);
    bool isTinted() const { return teinte_; }
    QPointF getHomePosition() const { return positionRepos_; }
    QRectF getHandRect() const { return main_; }
    double getSpacing() const { return espacement_; }
    int getEmptySlots() const { return vides_; }
    int getSlotIndex() const { return index_; }
    double getDevicePixelRatio() const { return ratio_; }
    // The picture as rendered, and its derived pictures.
    const QPixmap& getNormalPicture() const { return normale_; }
    QPixmap getDarkenedPicture() const;
    QPixmap getTintedPicture() const;
    QPropertyAnimation* getMoveAnimation() const { return animation_; }
    bool isShowPending() const { return timerAffichage_.isActive(); }
    // The vertical offset of a state in the current hand.
    int decalageVertical(int etat) const;

signals:
    void signalMouseOver(DisplayGLHumanCarte* carte);
    void signalMouseDoubleClicked(DisplayGLHumanCarte* carte);

public slots:
    void OnSetVisible();

protected:
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;

private:
    QPixmap source_(int etat) const;
    // The shown pixmap: the source of the state at that size in device pixels.
    void affiche_(int etat, const QSize& taille);
    QSize tailleAffichee_() const;
    double zEnMain_() const;

    QRectF main_;
    Carte* carte_;
    int etat_ = Cachee;
    QPixmap normale_;
    QPointF positionRepos_;
    QPropertyAnimation* animation_ = nullptr;
    QTimer timerAffichage_;
    bool teinte_ = false;
    double espacement_ = 0.0;
    int vides_ = -1;
    int index_ = 0;
    double ratio_ = 1.0;
};
