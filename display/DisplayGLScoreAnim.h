#pragma once

#include <algorithm>

#include <QObject>
#include <QPointF>
#include <QTimer>

class DisplayTextAnim;
class QGraphicsEffect;
class QGraphicsItem;

// A short-lived floating item of the table (a score change, a banner, a
// message, a seasonal picture), built once and started again and again with
// new parameters by its driver (DisplayTextAnim).
//
// Rules:
// - A start stops the previous run of the item first, hides it, then shows
//   it at once or after its delay; a delay of 0 or less means none.
// - pos, scale and opacity are properties read and written through the
//   virtual operations, so that the driver's property animations move
//   whatever item the subclass wraps.
// - The subclass owns its scene item; the scene that holds the item must
//   outlive this object, or the item must leave the scene first.
// GUI thread only.
class DisplayGLScoreAnim : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
    Q_PROPERTY(double scale READ scale WRITE setScale)
    Q_PROPERTY(double opacity READ opacity WRITE setOpacity)

public:
    // What one run does; the driver reads it.
    struct Parametres
    {
        double echelleDebut = 1.0;
        double echelleFin = 1.0;
        QPointF positionDebut;
        QPointF positionFin;
        qint64 dureeMs = 0;
        double opaciteDebut = 1.0;
        double opaciteFin = 0.0;
        double rotation = 0.0;
        double amplitude = 0.0;
        double frequence = 0.0;
    };

    explicit DisplayGLScoreAnim(QObject* parent = nullptr);
    ~DisplayGLScoreAnim() override;

    virtual QPointF pos() const = 0;
    virtual void setPos(const QPointF& point) = 0;
    virtual double scale() const = 0;
    virtual void setScale(double echelle) = 0;
    virtual double opacity() const = 0;
    virtual void setOpacity(double opacite) = 0;
    virtual void setVisible(bool visible) = 0;
    // The item takes ownership of the effect.
    virtual void setGraphicsEffect(QGraphicsEffect* effet) = 0;
    virtual void setRotation(double degres) = 0;
    virtual bool isVisible() const = 0;
    virtual void setSway(double amplitude, double frequence);
    virtual double x() const;
    virtual void setX(double x);
    // Stops the delay and the driver and hides the item.
    virtual void stop();

    // The wrapped scene item.
    virtual QGraphicsItem* item() const = 0;

    const Parametres& parametres() const { return parametres_; }
    DisplayTextAnim* driver() const { return driver_; }
    bool isDelayRunning() const { return delai_.isActive(); }
    // The delay of a start still waiting; -1 when none waits.
    int delaiMs() const { return delai_.isActive() ? delai_.interval() : -1; }
    // What is left of that delay; -1 when none waits.
    int delaiRestantMs() const { return delai_.isActive() ? std::max(0, delai_.remainingTime()) : -1; }
    double amplitude() const { return amplitude_; }
    double frequence() const { return frequence_; }

protected:
    // Stops the running run, takes the parameters and starts (now or after
    // delaiMs).
    void demarre_(const Parametres& parametres, int delaiMs);
    // Deletes the driver; subclasses call it before deleting their item,
    // since the driver's animations write to it. Later calls do nothing.
    void detruitDriver_();

    double amplitude_ = 0.0;
    double frequence_ = 0.0;

private slots:
    void OnTimeout();

private:
    DisplayTextAnim* driver_;
    QTimer delai_;
    Parametres parametres_;
};
