#pragma once

#include "GL_ObjectA.h"

#include <QImage>
#include <QString>
#include <QTimer>

class QPropertyAnimation;

// A flat picture of the current visual theme (background, cloth, slate,
// bubbles, a card lying on the table): one engine object, drawn at its
// placement kind, that grows in and shrinks out.
//
// Rules:
// - The picture comes from the theme folder (themeFolder) and is scaled to
//   the smallest powers of two at least as large, which every GL driver
//   takes as a texture. A picture that does not load leaves the previous
//   one, or a transparent one when there was none.
// - The show and hide animations scale the square by its ratio (0 to 1);
//   a square hidden with animation stays drawn until its hide timer fires.
// - The ratio property only stores; the running animation asks the engine
//   to repaint as it goes.
// - A square that keeps no picture (setGardeImage(false)) hands its theme
//   picture to the engine and lets it go; getImage then loads it again
//   from the theme (a few milliseconds), for the pictures only drawn on now
//   and then (the slate once a trick, the bubbles once a bid).
// - The square knows which picture the engine got last (its cache key), so
//   that a caller can leave out handing over the same pixels again.
class GL_ObjectSquare : public GL_ObjectA
{
    Q_OBJECT
    Q_PROPERTY(float ratio READ getRatio WRITE setRatio)

public:
    static constexpr int DUREE_ANIMATION_MS = 700;
    static constexpr int NOMBRE_THEMES = 5;

    // width and height in table units; fileName is the picture's name in a
    // theme folder and the engine object's name; kind is the placement kind
    // the square is drawn at.
    GL_ObjectSquare(QSharedPointer<DisplayGLWidget> holder, double width, double height, const QString& fileName,
                    int kind, QObject* parent = nullptr);
    ~GL_ObjectSquare() override;

    // ":/images/wood", ":/images/alien", ":/images/racing", ":/images/candy",
    // ":/images/nature" for themes 0 to 4; empty for any other.
    static QString themeFolder(int theme);
    // The smallest power of two at least n (1 for n below 1).
    static int puissanceDeDeuxSuperieure(int n);

    void reloadTheme(int theme) override;
    void draw(const DisplayGLPaintA::TransformRecord& transform) override;
    void setShown(bool shown, bool animate);
    // The length of later shows and hides (tests shorten them); at least
    // 1 ms.
    void setDureeAnimation(int ms);

    // The loaded theme picture, as uploaded; the scene draws texts on copies.
    // A square that keeps no picture loads it again.
    QImage getImage() const;
    void setGardeImage(bool garde);
    // Gives the engine another picture without replacing the loaded one.
    void setObjectImage(const QImage& image);
    // QImage::cacheKey of the picture the engine got last; 0 before any.
    qint64 cleImageMontree() const { return cleImageMontree_; }
    int getId() const { return id_; }
    QString getFileName() const { return nomFichier_; }
    int getKind() const { return kind_; }
    void setKind(int kind) { kind_ = kind; }
    bool isShown() const { return visible_; }
    bool isHidePending() const { return timerCacher_.isActive(); }
    float getRatio() const { return ratio_; }
    void setRatio(float ratio) { ratio_ = ratio; }
    QPropertyAnimation* animation() const { return animation_; }

public slots:
    void OnSetHidden();

private:
    void demandeMiseAJour_();
    // The theme's picture at powers of two; null when it does not load.
    QImage chargeImage_(int theme) const;

    int id_ = -1;
    QImage image_;
    bool gardeImage_ = true;
    // The theme whose picture the engine got last; -1 before any loaded.
    int themeCharge_ = -1;
    qint64 cleImageMontree_ = 0;
    QString nomFichier_;
    bool visible_ = true;
    QTimer timerCacher_;
    float ratio_ = 1.0f;
    QPropertyAnimation* animation_ = nullptr;
    int kind_;
};
