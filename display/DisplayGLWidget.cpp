#include "DisplayGLWidget.h"

#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLPaintWidget.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QtDebug>

DisplayGLWidget::DisplayGLWidget(QObject* parent, Moteur moteur)
    : QObject(parent)
{
    openGL_ = moteur == MoteurOpenGL || (moteur == MoteurAutomatique && openGLDisponible());
    if (openGL_) {
        auto* moteurGL = new DisplayGLPaintOpenGL;
        paint_ = moteurGL;
        widget_ = moteurGL;
    } else {
        if (moteur == MoteurAutomatique)
            qInfo() << "DisplayGLWidget: no OpenGL context can be made, the table is drawn without OpenGL";
        auto* moteurWidget = new DisplayGLPaintWidget;
        paint_ = moteurWidget;
        widget_ = moteurWidget;
    }
}

DisplayGLWidget::~DisplayGLWidget()
{
    delete widget_.data();
}

DisplayGLPaintA* DisplayGLWidget::paintEngine() const
{
    return widget_ ? paint_ : nullptr;
}

QVector3D DisplayGLWidget::placePosition(int id, int kind) const
{
    DisplayGLPaintA* moteur = paintEngine();
    return moteur ? moteur->placePosition(id, kind) : QVector3D();
}

bool DisplayGLWidget::openGLDisponible()
{
    static const bool disponible = [] {
        QOpenGLContext contexte;
        contexte.setFormat(QSurfaceFormat::defaultFormat());
        if (!contexte.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(contexte.format());
        surface.create();
        if (!surface.isValid() || !contexte.makeCurrent(&surface))
            return false;
        contexte.doneCurrent();
        return true;
    }();
    return disponible;
}
