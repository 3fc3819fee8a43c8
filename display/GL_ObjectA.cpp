#include "GL_ObjectA.h"

#include "DisplayGLWidget.h"

GL_ObjectA::GL_ObjectA(QSharedPointer<DisplayGLWidget> holder, QObject* parent)
    : QObject(parent)
    , holder_(std::move(holder))
{
}

GL_ObjectA::~GL_ObjectA() = default;

DisplayGLPaintA* GL_ObjectA::paint() const
{
    return holder_ ? holder_->paintEngine() : nullptr;
}
