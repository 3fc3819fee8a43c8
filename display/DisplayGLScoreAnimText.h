#pragma once

#include "DisplayGLScoreAnim.h"

#include <QColor>
#include <QGraphicsTextItem>
#include <QRectF>
#include <QString>

#include <limits>

// A floating text of the table: a score change ("+20 Annonce") that rises or
// sinks, the "Match" banner that grows, or a message line that rises and
// shrinks on its own background.
//
// Rules:
// - Texts are set as plain text: a message from a peer or a server shows
//   its markup as written and never as rich text.
// - Positions are those of the table area R and the table's vertical offset
//   o; the text turns and scales about its own centre.
// - A score shows its own sign for a negative delta and "+" for a positive
//   one, and moves up for a gain and down otherwise.
class DisplayGLScoreAnimText : public DisplayGLScoreAnim
{
    Q_OBJECT

public:
    // A text item that fills its box with a colour, with rounded corners,
    // before drawing the text; an invalid colour draws no box.
    class QGraphicsTextItemWithBackground : public QGraphicsTextItem
    {
    public:
        static constexpr double RAYON_COINS = 10.0;
        static constexpr double HAUTEUR_FOND = 0.999;

        explicit QGraphicsTextItemWithBackground(QGraphicsItem* parent = nullptr);
        ~QGraphicsTextItemWithBackground() override;

        void setBackgroundColor(const QColor& couleur);
        QColor backgroundColor() const { return fond_; }
        void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    private:
        QColor fond_;
    };

    static constexpr int DUREE_SCORE_MS = 2500;
    static constexpr int DUREE_BANNIERE_MS = 3500;
    static constexpr int DUREE_MESSAGE_MS = 10000;
    static constexpr double ECHELLE_SCORE = 2.0;
    // A gain rises to this share of the table's height, a loss sinks as far
    // from the bottom.
    static constexpr double PART_FIN_GAIN = 0.25;
    static constexpr double MARGE_INTERVALLE = 1.15;
    static constexpr double ECHELLE_BANNIERE_FIN = 3.0;
    static constexpr double ECHELLE_MESSAGE_FIN = 0.85;
    static constexpr double OPACITE_MESSAGE = 0.8;
    static constexpr int POLICE_SCORE = 2;
    static constexpr int POLICE_BANNIERE = 4;
    static constexpr int POLICE_MESSAGE = 3;

    explicit DisplayGLScoreAnimText(QObject* parent = nullptr);
    ~DisplayGLScoreAnimText() override;

    // "+57", "-20 Annonce".
    static QString texteScore(int delta, const QString& label);
    // How long a score takes to move off its own height in that table
    // area: two scores started that far apart never cover each other.
    static int intervalleScoresMs(const QRectF& zone);

    // largeurMax: the room across the float's path (none when not finite
    // or not above 0); a text wider at its usual scale is drawn smaller.
    void startScore(int delta, const QString& label, const QRectF& zone, double decalage, int delaiMs,
                    double largeurMax = std::numeric_limits<double>::infinity());
    void startBanner(const QString& texte, const QRectF& zone, double decalage, int delaiMs,
                     int dureeMs = DUREE_BANNIERE_MS);
    // A message line rises and fades with its bottom never below basMax
    // (what lies under it must stay readable); where its own path would go
    // lower, it fades higher up, or in place. It rises no higher than
    // hautMin (the cards above it), unless it starts higher.
    void startMessage(const QString& texte, const QRectF& zone, double decalage, const QColor& fond, int delaiMs,
                      double basMax = std::numeric_limits<double>::infinity(),
                      double hautMin = -std::numeric_limits<double>::infinity());

    QPointF pos() const override;
    void setPos(const QPointF& point) override;
    double scale() const override;
    void setScale(double echelle) override;
    double opacity() const override;
    void setOpacity(double opacite) override;
    void setVisible(bool visible) override;
    void setGraphicsEffect(QGraphicsEffect* effet) override;
    void setRotation(double degres) override;
    bool isVisible() const override;
    QGraphicsItem* item() const override;

    QGraphicsTextItemWithBackground* texte() const { return item_; }

private:
    // Sets the text, font and colours and returns the text's size.
    QSizeF prepare_(const QString& texte, int classePolice, const QColor& fond, double largeurMax);

    QGraphicsTextItemWithBackground* item_;
};
