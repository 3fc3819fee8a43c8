#include "GL_ObjectSquare.h"

#include "DisplayGLWidget.h"

#include <QEasingCurve>
#include <QPropertyAnimation>
#include <QtDebug>

GL_ObjectSquare::GL_ObjectSquare(QSharedPointer<DisplayGLWidget> holder, double width, double height,
                                 const QString& fileName, int kind, QObject* parent)
    : GL_ObjectA(std::move(holder), parent)
    , nomFichier_(fileName)
    , kind_(kind)
{
    timerCacher_.setSingleShot(true);
    connect(&timerCacher_, &QTimer::timeout, this, &GL_ObjectSquare::OnSetHidden);
    animation_ = new QPropertyAnimation(this, "ratio", this);
    animation_->setDuration(DUREE_ANIMATION_MS);
    connect(animation_, &QVariantAnimation::valueChanged, this, &GL_ObjectSquare::demandeMiseAJour_);
    if (DisplayGLPaintA* moteur = paint())
        id_ = moteur->createObject(width, height, fileName);
}

GL_ObjectSquare::~GL_ObjectSquare()
{
    disconnect(animation_, nullptr, this, nullptr);
    delete animation_;
    animation_ = nullptr;
    if (DisplayGLPaintA* moteur = paint())
        moteur->deleteObject(id_);
}

QString GL_ObjectSquare::themeFolder(int theme)
{
    switch (theme) {
    case 0:
        return QStringLiteral(":/images/wood");
    case 1:
        return QStringLiteral(":/images/alien");
    case 2:
        return QStringLiteral(":/images/racing");
    case 3:
        return QStringLiteral(":/images/candy");
    case 4:
        return QStringLiteral(":/images/nature");
    default:
        return QString();
    }
}

int GL_ObjectSquare::puissanceDeDeuxSuperieure(int n)
{
    int p = 1;
    while (p < n && p < (1 << 30))
        p <<= 1;
    return p;
}

void GL_ObjectSquare::demandeMiseAJour_()
{
    if (DisplayGLPaintA* moteur = paint())
        moteur->update();
}

QImage GL_ObjectSquare::chargeImage_(int theme) const
{
    const QString dossier = themeFolder(theme);
    QImage image;
    if (!dossier.isEmpty())
        image.load(dossier + QLatin1Char('/') + nomFichier_);
    if (image.isNull())
        return image;
    return image.scaled(puissanceDeDeuxSuperieure(image.width()), puissanceDeDeuxSuperieure(image.height()),
                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void GL_ObjectSquare::reloadTheme(int theme)
{
    QImage image = chargeImage_(theme);
    if (image.isNull()) {
        qWarning().noquote() << "GL_ObjectSquare: no picture" << nomFichier_ << "for theme" << theme;
        if (themeCharge_ >= 0 || !image_.isNull())
            return;
        image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        image_ = image;
    } else {
        themeCharge_ = theme;
        // The engine holds its own copy: a picture that is only drawn on
        // now and then would be held twice.
        image_ = gardeImage_ ? image : QImage();
    }
    setObjectImage(image);
}

QImage GL_ObjectSquare::getImage() const
{
    if (!image_.isNull() || themeCharge_ < 0)
        return image_;
    return chargeImage_(themeCharge_);
}

void GL_ObjectSquare::setGardeImage(bool garde)
{
    gardeImage_ = garde;
    if (!garde && themeCharge_ >= 0)
        image_ = QImage();
}

void GL_ObjectSquare::setObjectImage(const QImage& image)
{
    cleImageMontree_ = image.cacheKey();
    if (DisplayGLPaintA* moteur = paint())
        moteur->setObjectImage(id_, image);
}

void GL_ObjectSquare::draw(const DisplayGLPaintA::TransformRecord& transform)
{
    DisplayGLPaintA* moteur = paint();
    if (!moteur)
        return;
    if (!visible_) {
        moteur->hideObject(id_);
        return;
    }
    DisplayGLPaintA::TransformRecord copie = transform;
    copie.scale *= ratio_;
    moteur->drawObject(id_, kind_, copie);
}

void GL_ObjectSquare::setDureeAnimation(int ms)
{
    animation_->setDuration(std::max(1, ms));
}

void GL_ObjectSquare::setShown(bool shown, bool animate)
{
    timerCacher_.stop();
    if (animate) {
        animation_->stop();
        if (shown) {
            visible_ = true;
            animation_->setStartValue(0.0f);
            animation_->setEndValue(1.0f);
            animation_->setEasingCurve(QEasingCurve::OutBack);
        } else {
            animation_->setStartValue(1.0f);
            animation_->setEndValue(0.0f);
            animation_->setEasingCurve(QEasingCurve::InBack);
            timerCacher_.start(animation_->duration());
        }
        animation_->start();
        return;
    }
    animation_->stop();
    ratio_ = 1.0f;
    demandeMiseAJour_();
    visible_ = shown;
    demandeMiseAJour_();
}

void GL_ObjectSquare::OnSetHidden()
{
    animation_->stop();
    timerCacher_.stop();
    ratio_ = 1.0f;
    // Hidden before the repaint, so that the widget engine, which paints at
    // once, does not show the square at full size for a frame.
    visible_ = false;
    demandeMiseAJour_();
}
