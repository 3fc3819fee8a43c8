#pragma once

#include <QObject>
#include <QPointer>
#include <QVector3D>
#include <QWidget>

class DisplayGLPaintA;

// Holds the paint engine the table view and scene draw with. It builds the
// OpenGL engine; where no OpenGL context can be made (no GPU driver, the
// offscreen platform), it builds the widget engine instead, so that the
// table is still drawn rather than left as a dead view.
//
// The engine's widget becomes the view's viewport, and the view deletes its
// viewport: the holder deletes the engine only while it still lives, and
// paintEngine() is null once it is gone.
class DisplayGLWidget : public QObject
{
    Q_OBJECT

public:
    enum Moteur { MoteurAutomatique, MoteurOpenGL, MoteurWidget };

    explicit DisplayGLWidget(QObject* parent = nullptr, Moteur moteur = MoteurAutomatique);
    ~DisplayGLWidget() override;

    DisplayGLPaintA* paintEngine() const;
    QWidget* engineWidget() const { return widget_.data(); }
    bool isOpenGL() const { return openGL_; }
    // The engine's anchor point of a placement kind for object id; the
    // origin once the engine is gone.
    QVector3D placePosition(int id, int kind) const;

    // Whether this process can make an OpenGL context (asked once).
    static bool openGLDisponible();

private:
    DisplayGLPaintA* paint_ = nullptr;
    QPointer<QWidget> widget_;
    bool openGL_ = false;
};
