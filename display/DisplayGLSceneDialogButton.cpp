#include "DisplayGLSceneDialogButton.h"

#include <cmath>

DisplayGLSceneDialogButton::DisplayGLSceneDialogButton(QWidget* parent)
    : QPushButton(parent)
{
    setCheckable(true);
    // As the table's other side buttons: a click leaves the keyboard with
    // the table.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
    setDefault(false);
}

DisplayGLSceneDialogButton::~DisplayGLSceneDialogButton() = default;

void DisplayGLSceneDialogButton::setPanelSize(double largeur, double hauteur)
{
    largeur_ = largeur;
    hauteur_ = hauteur;
    updateGeometry();
}

QSize DisplayGLSceneDialogButton::sizeHint() const
{
    if (!(largeur_ >= 0.0) || !(hauteur_ >= 0.0))
        return QPushButton::sizeHint();
    return QSize(static_cast<int>(std::lround(PART_LARGEUR * largeur_)),
                 static_cast<int>(std::lround(PART_HAUTEUR * hauteur_)));
}
