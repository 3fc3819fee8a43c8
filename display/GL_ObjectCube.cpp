#include "GL_ObjectCube.h"

#include "DisplayGLWidget.h"

#include <QEasingCurve>
#include <QPropertyAnimation>

namespace {

const char* const PROPRIETES[3] = {"x", "y", "z"};

} // namespace

GL_ObjectCube::GL_ObjectCube(QSharedPointer<DisplayGLWidget> holder, double width, double height,
                             const QPair<QImage, QImage>& pictures, const QString& name, QObject* parent)
    : GL_ObjectA(std::move(holder), parent)
{
    timerAffichage_.setSingleShot(true);
    connect(&timerAffichage_, &QTimer::timeout, this, &GL_ObjectCube::OnSetVisible);
    for (size_t axe = 0; axe < animations_.size(); ++axe) {
        auto* animation = new QPropertyAnimation(this, PROPRIETES[axe], this);
        animation->setEasingCurve(QEasingCurve::InQuad);
        animation->setDuration(DUREE_MOUVEMENT_MS);
        connect(animation, &QAbstractAnimation::stateChanged, this, &GL_ObjectCube::OnAnimStateChanged);
        animations_[axe] = animation;
    }
    if (DisplayGLPaintA* moteur = paint()) {
        idFaces_[Front] = moteur->createObject(width, height, name);
        idFaces_[Back] = moteur->createObject(width, height, name);
    }
    setPictures(pictures);
}

GL_ObjectCube::~GL_ObjectCube()
{
    // A running animation reports its stop as it is deleted: not to a card
    // that is half gone.
    for (QPropertyAnimation*& animation : animations_) {
        disconnect(animation, nullptr, this, nullptr);
        delete animation;
        animation = nullptr;
    }
    if (DisplayGLPaintA* moteur = paint()) {
        moteur->deleteObject(idFaces_[Front]);
        moteur->deleteObject(idFaces_[Back]);
    }
}

void GL_ObjectCube::setPictures(const QPair<QImage, QImage>& pictures)
{
    if (DisplayGLPaintA* moteur = paint()) {
        moteur->setObjectImage(idFaces_[Front], pictures.first);
        moteur->setObjectImage(idFaces_[Back], pictures.second);
    }
}

int GL_ObjectCube::idCourant_() const
{
    return (face_ == Front || face_ == Back) ? idFaces_[static_cast<size_t>(face_)] : -1;
}

int GL_ObjectCube::idAutre_() const
{
    if (face_ == Front)
        return idFaces_[Back];
    if (face_ == Back)
        return idFaces_[Front];
    return -1;
}

void GL_ObjectCube::demandeMiseAJour_()
{
    if (DisplayGLPaintA* moteur = paint())
        moteur->update();
}

void GL_ObjectCube::setFace(int face)
{
    if (face == face_)
        return;
    face_ = face;
    change_ = true;
    // Whatever face showed before is hidden now, both when none is to show.
    if (DisplayGLPaintA* moteur = paint()) {
        for (int id : idFaces_) {
            if (id != idCourant_())
                moteur->hideObject(id);
        }
    }
    demandeMiseAJour_();
}

void GL_ObjectCube::ecrit_(int axe, float valeur)
{
    float& actuelle = position_[static_cast<size_t>(axe)];
    if (actuelle == valeur)
        return;
    actuelle = valeur;
    change_ = true;
    demandeMiseAJour_();
}

void GL_ObjectCube::montre_()
{
    if (visible_ == 1 && !timerAffichage_.isActive())
        return;
    change_ = true;
    timerAffichage_.stop();
    visible_ = 1;
    if (DisplayGLPaintA* moteur = paint())
        moteur->hideObject(idAutre_());
    demandeMiseAJour_();
}

void GL_ObjectCube::OnSetVisible()
{
    montre_();
}

void GL_ObjectCube::setDureeMouvement(int ms)
{
    for (QPropertyAnimation* animation : animations_)
        animation->setDuration(std::max(1, ms));
}

void GL_ObjectCube::showAfter(int delaiMs)
{
    hide();
    timerAffichage_.start(qMax(0, delaiMs));
}

void GL_ObjectCube::hide()
{
    timerAffichage_.stop();
    if (visible_ == 0)
        return;
    change_ = true;
    visible_ = 0;
    if (DisplayGLPaintA* moteur = paint()) {
        moteur->hideObject(idCourant_());
        moteur->hideObject(idAutre_());
    }
    demandeMiseAJour_();
}

bool GL_ObjectCube::isMoving() const
{
    for (const QPropertyAnimation* animation : animations_) {
        if (animation->state() == QAbstractAnimation::Running)
            return true;
    }
    return false;
}

void GL_ObjectCube::stopAnimation()
{
    for (QPropertyAnimation* animation : animations_)
        animation->stop();
}

void GL_ObjectCube::moveTo(float x, float y, float z, bool hideAtEnd)
{
    // A move still running ends at its end point, without the hide it asked
    // for: this card is going somewhere else now.
    cacherALaFin_ = false;
    for (size_t axe = 0; axe < animations_.size(); ++axe) {
        QPropertyAnimation* animation = animations_[axe];
        if (animation->state() == QAbstractAnimation::Stopped)
            continue;
        animation->stop();
        ecrit_(static_cast<int>(axe), animation->endValue().toFloat());
    }
    montre_();
    cacherALaFin_ = hideAtEnd;
    const float cibles[3] = {x, y, z};
    for (size_t axe = 0; axe < animations_.size(); ++axe) {
        QPropertyAnimation* animation = animations_[axe];
        animation->setStartValue(position_[axe]);
        animation->setEndValue(cibles[axe]);
        animation->start();
    }
}

void GL_ObjectCube::OnAnimStateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState)
{
    if (newState == oldState || newState == QAbstractAnimation::Running || !cacherALaFin_ || visible_ != 1)
        return;
    cacherALaFin_ = false;
    change_ = true;
    timerAffichage_.stop();
    visible_ = 0;
    if (DisplayGLPaintA* moteur = paint()) {
        moteur->hideObject(idCourant_());
        moteur->hideObject(idAutre_());
    }
    demandeMiseAJour_();
}

void GL_ObjectCube::moveStep(int placement)
{
    if (!holder_)
        return;
    const QVector3D point = holder_->placePosition(idCourant_(), placement);
    bool different = false;
    for (int axe = 0; axe < 3; ++axe) {
        if (position_[static_cast<size_t>(axe)] != point[axe]) {
            position_[static_cast<size_t>(axe)] = point[axe];
            different = true;
        }
    }
    if (!different)
        return;
    change_ = true;
    demandeMiseAJour_();
}

void GL_ObjectCube::reloadTheme(int theme)
{
    Q_UNUSED(theme);
    DisplayGLPaintA* moteur = paint();
    if (!moteur)
        return;
    if (visible_ == 0)
        moteur->hideObject(idCourant_());
    else if (face_ == Front || face_ == Back)
        moteur->update();
}

void GL_ObjectCube::draw(const DisplayGLPaintA::TransformRecord& transform)
{
    if (visible_ != 1)
        return;
    DisplayGLPaintA* moteur = paint();
    if (!moteur)
        return;
    DisplayGLPaintA::TransformRecord copie = transform;
    if (animations_[0]->state() == QAbstractAnimation::Running) {
        copie.x = position_[0];
        copie.y = position_[1];
        copie.z = position_[2];
    }
    moteur->drawObject(idCourant_(), placement_, copie);
    change_ = false;
}
