#pragma once

#include "DisplayGLPaintA.h"

#include <QList>
#include <QPolygonF>
#include <QRect>
#include <QWidget>

class QGraphicsPixmapItem;

// The engine without OpenGL: every object is a pixmap item of the table
// scene, placed in 2-D scene coordinates from the placement kinds. It stands
// in for the OpenGL engine where no OpenGL context can be had.
//
// Rules:
// - One pixel of picture per 1/480 of a table unit; the camera record's r3
//   times r7 scales the whole layer, r10 and r11 give the visible area.
// - The scene's objects are created once per scene, however often the
//   scene brackets its work with makeCurrent.
// - setViewport only stores the rectangle; update paints the scene's 3-D
//   layer and asks for a repaint, and a nested update does not paint again.
// - A frame grab gives the picture the view shows in this widget (its
//   viewport), so that bug reports get a picture without OpenGL too.
// - The left seat's hand keeps clear of the slate in the top-left corner:
//   where the slate reaches over its column, the column moves down, never
//   past the bottom of the visible area.
// - Items live in the current scene and follow it when another is set;
//   with none they belong to the engine. A scene must call setScene(nullptr)
//   before it dies, as the table scene does.
class DisplayGLPaintWidget : public QWidget, public DisplayGLPaintA
{
    Q_OBJECT

public:
    static constexpr double PIXELS_PAR_UNITE = 480.0;
    static constexpr double ECHELLE_OBJETS = 0.35;
    static constexpr double ECHELLE_MIN = 0.01;
    static constexpr double AGRANDISSEMENT_LEVE = 1.2;
    // The seats' bubbles, drawn larger than their picture's share of the
    // cloth so that their words read as high as the plates' names.
    static constexpr double AGRANDISSEMENT_BULLE = 1.5;
    static constexpr double RECUL_LEVE = 83.0;

    Q_INVOKABLE DisplayGLPaintWidget();
    ~DisplayGLPaintWidget() override;

    void setScene(DisplayGLSceneA* scene) override;
    void makeCurrent() override;
    void doneCurrent() override;
    void initialize() override;
    void PortableGrabFrameBuffer(CallBack_PortableGrabFrameBuffer_Completed* callback) override;
    void beginFrame(const QColor& clear) override;
    void endFrame() override;
    void setViewport(int x, int y, int width, int height) override;
    void update() override;
    int createObject(double width, double height, const QString& name) override;
    void setObjectImage(int id, const QImage& image) override;
    void deleteObject(int id) override;
    QVector3D placePosition(int id, int kind) override;
    void drawObject(int id, int placement, const TransformRecord& transform) override;
    void hideObject(int id) override;
    // The item's rectangle while it shows, in the share of the visible area
    // (its top-left corner at the scene's origin).
    QPolygonF contourVu(int id) const override;
    QWidget* widget() override;

    // The item of an object, null for an unknown id.
    QGraphicsPixmapItem* item(int id) const;
    int nombreObjets() const;
    QRect viewport() const { return viewport_; }

private:
    struct Objet
    {
        QGraphicsPixmapItem* item = nullptr;
        double largeur = -1.0;
        double hauteur = -1.0;
        QString nom;
    };

    bool objetValide_(int id) const;
    double echelle_() const;
    // How far the left seat's column (left edge x, top y, width w) moves
    // down to clear the slate; bas is the lowest its top may go.
    double sousArdoise_(double x, double y, double w, double bas) const;
    void creeObjetsDeLaScene_();

    QList<Objet> objets_;
    QRect viewport_;
    // Where the slate was last drawn (empty while hidden).
    int idArdoise_ = -1;
    QPolygonF ardoise_;
    bool objetsCrees_ = false;
    bool enDessin_ = false;
};
