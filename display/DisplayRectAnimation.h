#pragma once

#include <QMutex>
#include <QPointer>
#include <QVariantAnimation>

class DisplayGLSceneDialog;

// Slides an in-scene side panel between two rectangles.
//
// Rules:
// - Each step applies the rectangle to the panel only while the panel is
//   in a scene, visible, and the animation runs, and only when the
//   rectangle differs from the panel's geometry.
// - Applying a rectangle can make the panel report a new geometry and come
//   back here: a step that finds the previous one still running is skipped.
// GUI thread only.
class DisplayRectAnimation : public QVariantAnimation
{
    Q_OBJECT

public:
    static constexpr int DUREE_MS = 250;

    explicit DisplayRectAnimation(DisplayGLSceneDialog* panneau, QObject* parent = nullptr);
    ~DisplayRectAnimation() override;

    // When set, each step leaves the panel and its widget without focus.
    void setSansFocus(bool sansFocus) { sansFocus_ = sansFocus; }
    bool isSansFocus() const { return sansFocus_; }
    int nombrePasAppliques() const { return pasAppliques_; }

protected:
    void updateCurrentValue(const QVariant& valeur) override;

private:
    QPointer<DisplayGLSceneDialog> panneau_;
    QMutex mutex_;
    bool sansFocus_ = false;
    int pasAppliques_ = 0;
};
