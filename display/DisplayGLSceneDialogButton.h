#pragma once

#include <QPushButton>

// A button of an in-scene side panel (its open tab or its close button): a
// checkable push button, never a default button, whose preferred size is a
// fixed share of the panel it belongs to, so that the tab looks the same on
// a phone and on a desktop screen.
class DisplayGLSceneDialogButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr double PART_LARGEUR = 0.08;
    static constexpr double PART_HAUTEUR = 0.13;

    explicit DisplayGLSceneDialogButton(QWidget* parent = nullptr);
    ~DisplayGLSceneDialogButton() override;

    // The size of the panel the button is a share of; until it is given
    // (negative values), the button keeps the push button's own size.
    void setPanelSize(double largeur, double hauteur);
    double panelWidth() const { return largeur_; }
    double panelHeight() const { return hauteur_; }

    QSize sizeHint() const override;

private:
    double largeur_ = -1.0;
    double hauteur_ = -1.0;
};
