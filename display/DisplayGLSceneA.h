#pragma once

#include <QtGlobal>

class QGraphicsScene;
class QPainter;
class QRectF;

// What a paint engine asks of the table scene it paints for, and nothing
// more: the table scene implements it. The scene tells the engine when it is
// set (DisplayGLPaintA::setScene) and, before it dies, that it is gone
// (setScene(nullptr)); until then every pointer it hands out stays valid.
class DisplayGLSceneA
{
public:
    DisplayGLSceneA() = default;
    DisplayGLSceneA(const DisplayGLSceneA&) = delete;
    DisplayGLSceneA& operator=(const DisplayGLSceneA&) = delete;
    virtual ~DisplayGLSceneA() = default;

    // The graphics scene the widget engine puts its pictures in.
    virtual QGraphicsScene* graphicsScene() = 0;
    // Creates the scene's textured objects through the engine. An engine
    // asks once per scene, and again after the OpenGL engine lost its
    // context, when every object needs its picture again.
    virtual void createGLObjects() = 0;
    // One frame of the 3-D layer: setViewport, beginFrame, drawObject for
    // each object in view, endFrame.
    virtual void paintGLLayer() = 0;
    // The table as the view shows it (background, then the 3-D layer when
    // the painter paints with OpenGL); a frame grab paints through it.
    virtual void drawBackground(QPainter* painter, const QRectF& rect) = 0;
    // Device pixels per logical pixel of the screen the table is on.
    virtual qreal devicePixelRatio() const = 0;
};
