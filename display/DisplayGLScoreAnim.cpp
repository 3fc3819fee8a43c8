#include "DisplayGLScoreAnim.h"

#include "DisplayTextAnim.h"

DisplayGLScoreAnim::DisplayGLScoreAnim(QObject* parent)
    : QObject(parent)
    , driver_(new DisplayTextAnim(this))
{
    delai_.setSingleShot(true);
    // Scores that follow each other are spaced by their delays: a coarse
    // timer may start one early enough to touch the one before.
    delai_.setTimerType(Qt::PreciseTimer);
    connect(&delai_, &QTimer::timeout, this, &DisplayGLScoreAnim::OnTimeout);
}

DisplayGLScoreAnim::~DisplayGLScoreAnim()
{
    delai_.stop();
    detruitDriver_();
}

void DisplayGLScoreAnim::detruitDriver_()
{
    delete driver_;
    driver_ = nullptr;
}

void DisplayGLScoreAnim::setSway(double amplitude, double frequence)
{
    amplitude_ = amplitude;
    frequence_ = frequence;
}

double DisplayGLScoreAnim::x() const
{
    return pos().x();
}

void DisplayGLScoreAnim::setX(double x)
{
    setPos(QPointF(x, pos().y()));
}

void DisplayGLScoreAnim::stop()
{
    delai_.stop();
    if (driver_)
        driver_->stop();
    setVisible(false);
}

void DisplayGLScoreAnim::demarre_(const Parametres& parametres, int delaiMs)
{
    delai_.stop();
    driver_->stop();
    setVisible(false);
    parametres_ = parametres;
    if (delaiMs > 0) {
        delai_.start(delaiMs);
        return;
    }
    setVisible(true);
    driver_->start(this, parametres_);
}

void DisplayGLScoreAnim::OnTimeout()
{
    delai_.stop();
    setVisible(true);
    driver_->start(this, parametres_);
}
