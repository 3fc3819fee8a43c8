#pragma once

#include "DisplayGLPaintA.h"

#include <QObject>
#include <QSharedPointer>

class DisplayGLWidget;

// A thing of the table's 3-D layer: it owns its engine objects (textures),
// animates its own placement and draws itself once per frame when the scene
// asks. The engine holder is shared, so the engine outlives every object
// that still has textures in it; an engine that is already gone (the view
// deleted its viewport) makes every operation do nothing.
class GL_ObjectA : public QObject
{
    Q_OBJECT

public:
    explicit GL_ObjectA(QSharedPointer<DisplayGLWidget> holder, QObject* parent = nullptr);
    ~GL_ObjectA() override;

    virtual void draw(const DisplayGLPaintA::TransformRecord& transform) = 0;
    virtual void reloadTheme(int theme) = 0;

    QSharedPointer<DisplayGLWidget> holder() const { return holder_; }

protected:
    // Null once the engine is gone.
    DisplayGLPaintA* paint() const;

    QSharedPointer<DisplayGLWidget> holder_;
};
