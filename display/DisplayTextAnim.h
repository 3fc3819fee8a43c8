#pragma once

#include "DisplayGLScoreAnim.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <QGraphicsOpacityEffect>
class QParallelAnimationGroup;
class QPauseAnimation;
class QPropertyAnimation;
class QSequentialAnimationGroup;

// Drives one DisplayGLScoreAnim through a run: position, scale and an
// opacity envelope (fade in, main fade, fade out) on an opacity effect of
// the item, all in one animation group.
//
// Rules:
// - The fade-in (from 0 to the start opacity) lasts DUREE_FONDU_MS unless
//   the start opacity is 0; the fade-out (from the end opacity to 0) lasts
//   DUREE_FONDU_MS unless the end opacity is 0 and ends with the run. The
//   main fade fills the time between, eased out when it rises, in when it
//   falls.
// - Position and scale animate only when their start and end differ.
// - The item shows while the envelope's opacity is above 0 and hides at 0.
// - stop() leaves the item hidden at the end point of its move.
// GUI thread only.
class DisplayTextAnim : public QObject
{
    Q_OBJECT

public:
    static constexpr int DUREE_FONDU_MS = 120;

    explicit DisplayTextAnim(QObject* parent = nullptr);
    ~DisplayTextAnim() override;

    void start(DisplayGLScoreAnim* cible, const DisplayGLScoreAnim::Parametres& parametres);
    void stop();

    bool isRunning() const;
    // The whole run, for tests and pictures that look at one moment of it.
    QParallelAnimationGroup* groupe() const { return groupe_; }
    QGraphicsOpacityEffect* effet() const { return effet_; }
    // Durations of the current run's phases (0 when a phase is absent).
    int dureeFonduEntree() const { return fonduEntreeMs_; }
    int dureePrincipale() const { return principaleMs_; }
    int dureeFonduSortie() const { return fonduSortieMs_; }
    bool animePosition() const { return animePosition_; }
    bool animeEchelle() const { return animeEchelle_; }

    // Whether two scales differ, relative to the smaller one.
    static bool echellesDifferent(double a, double b);

private slots:
    void OnAnimationValueChanged(const QVariant& valeur);

private:
    QPointer<DisplayGLScoreAnim> cible_;
    QPointer<QGraphicsOpacityEffect> effet_;
    bool effetInstalle_ = false;
    QParallelAnimationGroup* groupe_;
    QPropertyAnimation* fonduEntree_;
    QSequentialAnimationGroup* suitePrincipale_;
    QPauseAnimation* pausePrincipale_;
    QPropertyAnimation* principale_;
    QSequentialAnimationGroup* suiteSortie_;
    QPauseAnimation* pauseSortie_;
    QPropertyAnimation* fonduSortie_;
    QPropertyAnimation* echelle_;
    QPropertyAnimation* position_;
    int fonduEntreeMs_ = 0;
    int principaleMs_ = 0;
    int fonduSortieMs_ = 0;
    bool animePosition_ = false;
    bool animeEchelle_ = false;
};
