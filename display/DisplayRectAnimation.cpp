#include "DisplayRectAnimation.h"

#include "DisplayGLSceneDialog.h"

#include <QRectF>
#include <QWidget>

DisplayRectAnimation::DisplayRectAnimation(DisplayGLSceneDialog* panneau, QObject* parent)
    : QVariantAnimation(parent)
    , panneau_(panneau)
{
    setDuration(DUREE_MS);
}

DisplayRectAnimation::~DisplayRectAnimation() = default;

void DisplayRectAnimation::updateCurrentValue(const QVariant& valeur)
{
    if (!mutex_.tryLock())
        return;
    const QRectF rect = valeur.toRectF();
    DisplayGLSceneDialog* panneau = panneau_.data();
    if (panneau && panneau->scene() && panneau->isVisible() && state() == QAbstractAnimation::Running
        && rect != panneau->geometry()) {
        panneau->setMinimumSize(rect.size());
        panneau->setMaximumSize(rect.size());
        panneau->setGeometry(rect);
        if (QWidget* w = panneau->widget())
            w->setFixedSize(rect.size().toSize());
        ++pasAppliques_;
    }
    if (sansFocus_ && panneau) {
        panneau->setFocusPolicy(Qt::NoFocus);
        if (QWidget* w = panneau->widget())
            w->setFocusPolicy(Qt::NoFocus);
    }
    mutex_.unlock();
}
