#pragma once

#include "GL_ObjectA.h"

#include <QAbstractAnimation>
#include <QImage>
#include <QPair>
#include <QTimer>

#include <array>

class QPropertyAnimation;

// A card of the 3-D layer: a front and a back picture (two engine objects of
// one size), one of which shows, flying between places.
//
// Rules:
// - A move animates x, y and z together over DUREE_MOUVEMENT_MS. A new move
//   first finishes the running one at its end point and starts from there;
//   a hide that the finished move asked for no longer holds.
// - A move that asks to hide at its end hides the card when it ends.
// - While a move runs the card is drawn at its animated point; otherwise at
//   the point the scene's transform record or the placement kind gives.
// - Only the shown face is drawn; the other face's engine object is hidden.
class GL_ObjectCube : public GL_ObjectA
{
    Q_OBJECT
    Q_PROPERTY(float x READ getX WRITE setX)
    Q_PROPERTY(float y READ getY WRITE setY)
    Q_PROPERTY(float z READ getZ WRITE setZ)

public:
    enum Face { Front = 0, Back = 1, Aucune = 2 };
    static constexpr int DUREE_MOUVEMENT_MS = 500;

    // pictures: (front, back).
    GL_ObjectCube(QSharedPointer<DisplayGLWidget> holder, double width, double height,
                  const QPair<QImage, QImage>& pictures, const QString& name, QObject* parent = nullptr);
    ~GL_ObjectCube() override;

    void moveTo(float x, float y, float z, bool hideAtEnd);
    // Takes the engine's point of the placement kind as the card's point.
    void moveStep(int placement);
    void draw(const DisplayGLPaintA::TransformRecord& transform) override;
    void reloadTheme(int theme) override;

    void setPictures(const QPair<QImage, QImage>& pictures);
    void setFace(int face);
    int getFace() const { return face_; }
    // The placement kind the card is drawn at.
    void setPlacement(int placement) { placement_ = placement; }
    int getPlacement() const { return placement_; }
    // Hidden now, shown when the delay has passed.
    void showAfter(int delaiMs);
    void hide();
    // The length of later moves (tests shorten them); at least 1 ms.
    void setDureeMouvement(int ms);
    // Shown now, a pending delayed show dropped.
    void show() { montre_(); }
    // Stops a running move where it stands.
    void stopAnimation();

    bool isShown() const { return visible_ == 1; }
    bool isChanged() const { return change_; }
    bool isMoving() const;
    bool isShowPending() const { return timerAffichage_.isActive(); }
    bool getHideAtEnd() const { return cacherALaFin_; }
    int getFrontId() const { return idFaces_[Front]; }
    int getBackId() const { return idFaces_[Back]; }

    float getX() const { return position_[0]; }
    float getY() const { return position_[1]; }
    float getZ() const { return position_[2]; }
    void setX(float valeur) { ecrit_(0, valeur); }
    void setY(float valeur) { ecrit_(1, valeur); }
    void setZ(float valeur) { ecrit_(2, valeur); }

public slots:
    void OnAnimStateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState);
    void OnSetVisible();

private:
    void ecrit_(int axe, float valeur);
    void montre_();
    int idCourant_() const;
    int idAutre_() const;
    void demandeMiseAJour_();

    std::array<int, 2> idFaces_{{-1, -1}};
    std::array<float, 3> position_{{0.0f, 0.0f, 0.0f}};
    std::array<QPropertyAnimation*, 3> animations_{};
    int visible_ = 1;
    bool cacherALaFin_ = false;
    bool change_ = false;
    QTimer timerAffichage_;
    int face_ = Back;
    int placement_ = DisplayGLPaintA::TurnedCard;
};
