#include "SceneTapis.h"

#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintA.h"
#include "GL_ObjectCube.h"

#include <algorithm>

#include "DisplayGLSceneInterne.h"

SceneTapis::SceneTapis() = default;
SceneTapis::~SceneTapis() = default;

// ------------------------------------------------------------- the objects

void SceneTapis::construit(const QSharedPointer<DisplayGLWidget>& holder, const DisplayGLJeuDeCartes& jeu,
                           int dureeMs)
{
    const int style = jeu.getStyle();
    const QImage dos = scene_interne::puissanceDeDeux(
        QImage(DisplayGLJeuDeCartes::cheminDuJeu(style) + QStringLiteral("back.png")));
    for (int i = 0; i < NOMBRE_CARTES; ++i) {
        DisplayGLHumanCarte* carte = jeu.getCarte(i);
        if (!carte)
            continue;
        const QImage face = scene_interne::puissanceDeDeux(carte->getNormalPicture().toImage());
        auto& objet = objets_[static_cast<size_t>(i)];
        if (objet) {
            objet->setPictures(qMakePair(face, dos));
            continue;
        }
        const Carte* c = carte->getCarte();
        const QString nom = c ? QStringLiteral("%1 de %2")
                                    .arg(getNomValeur(c->getValeur(), style), getNomAtout(c->getCouleur(), style))
                              : QString::number(i);
        objet = std::make_unique<GL_ObjectCube>(holder, LARGEUR_CARTE, HAUTEUR_CARTE, qMakePair(face, dos), nom);
        objet->setDureeMouvement(dureeMs);
        objet->hide();
    }
}

void SceneTapis::setDureeMouvement(int ms)
{
    for (auto& objet : objets_)
        if (objet)
            objet->setDureeMouvement(ms);
}

void SceneTapis::libere()
{
    for (auto& objet : objets_)
        objet.reset();
}

GL_ObjectCube* SceneTapis::objet(int index) const
{
    if (index < 0 || index >= NOMBRE_CARTES)
        return nullptr;
    return objets_[static_cast<size_t>(index)].get();
}

GL_ObjectCube* SceneTapis::surTable(int position) const
{
    if (position < 0 || position >= NOMBRE_SIEGES)
        return nullptr;
    return surTable_[static_cast<size_t>(position)];
}

bool SceneTapis::isExposee(int index) const
{
    return index >= 0 && index < NOMBRE_CARTES && exposees_[static_cast<size_t>(index)];
}

int SceneTapis::index_(const GL_ObjectCube* cube) const
{
    int index = -1;
    for (size_t i = 0; i < objets_.size(); ++i)
        if (objets_[i].get() == cube)
            index = static_cast<int>(i);
    return index;
}

void SceneTapis::arreteAnimations()
{
    for (auto& objet : objets_)
        if (objet)
            objet->stopAnimation();
}

void SceneTapis::dessine(GL_ObjectCube* cube, int placement, Cartes& dessinees, double agrandissement)
{
    if (!cube)
        return;
    cube->setPlacement(placement);
    DisplayGLPaintA::TransformRecord transform;
    transform.scale = static_cast<float>(agrandissement);
    cube->draw(transform);
    const int index = index_(cube);
    if (index >= 0)
        dessinees[static_cast<size_t>(index)] = true;
}

void SceneTapis::dessinePli(Cartes& dessinees, double agrandissementRetournee)
{
    for (int position = 0; position < NOMBRE_SIEGES; ++position)
        dessine(surTable_[static_cast<size_t>(position)], DisplayGLPaintA::TrickPlace + position, dessinees);
    dessine(retournee_, DisplayGLPaintA::TurnedCard, dessinees, agrandissementRetournee);
}

void SceneTapis::retireDuMoteur(DisplayGLPaintA& moteur, const Cartes* gardees) const
{
    for (size_t i = 0; i < objets_.size(); ++i) {
        if (!objets_[i] || (gardees && (*gardees)[i]))
            continue;
        moteur.hideObject(objets_[i]->getFrontId());
        moteur.hideObject(objets_[i]->getBackId());
    }
}

// ---------------------------------------------------------------- the deal

void SceneTapis::videTable()
{
    for (GL_ObjectCube*& cube : surTable_) {
        if (cube && cube != retournee_)
            cube->hide();
        cube = nullptr;
    }
    cartesDuPli_ = 0;
}

void SceneTapis::donne(int index, bool mainMontree, int placement, int delaiMs, const Vue& vue)
{
    GL_ObjectCube* cube = objet(index);
    // The turned card stays face up through the deal.
    if (!cube || cube == retournee_)
        return;
    // A card still flying to a pile would hide itself on arrival, after the
    // deal showed it.
    cube->stopAnimation();
    cube->setFace(vue.faceAutres);
    exposees_[static_cast<size_t>(index)] = false;
    if (mainMontree) {
        cube->hide();
        return;
    }
    cube->setPlacement(placement);
    if (vue.anime)
        cube->showAfter(delaiMs);
    else
        cube->show();
}

bool SceneTapis::retourne(int index)
{
    GL_ObjectCube* cube = objet(index);
    if (!cube)
        return false;
    retournee_ = cube;
    cube->stopAnimation();
    cube->show();
    cube->setPlacement(DisplayGLPaintA::TurnedCard);
    cube->moveStep(DisplayGLPaintA::TurnedCard);
    if (cube->getFace() != GL_ObjectCube::Front)
        cube->setFace(GL_ObjectCube::Front);
    return true;
}

void SceneTapis::prendRetournee(int pile, bool efface, const Vue& vue)
{
    if (efface && !vue.anime)
        retournee_ = nullptr;
    GL_ObjectCube* cube = retournee_;
    if (!cube || pile < 0 || pile >= NOMBRE_SIEGES)
        return;
    if (!vue.anime || !vue.moteur) {
        cube->setPlacement(DisplayGLPaintA::Pile + pile);
        cube->moveStep(DisplayGLPaintA::Pile + pile);
    } else {
        const QVector3D but = vue.moteur->placePosition(cube->getFrontId(), DisplayGLPaintA::Pile + pile);
        cube->setPlacement(DisplayGLPaintA::Pile + pile);
        cube->moveTo(but.x(), but.y(), but.z(), false);
    }
}

void SceneTapis::oublie()
{
    retournee_ = nullptr;
    surTable_.fill(nullptr);
    cartesDuPli_ = 0;
    for (auto& objet : objets_)
        if (objet) {
            objet->stopAnimation();
            objet->hide();
        }
}

void SceneTapis::finDeDonne(int faceAutres)
{
    for (GL_ObjectCube* cube : surTable_)
        if (cube)
            cube->hide();
    oublie();
    for (auto& objet : objets_)
        if (objet)
            objet->setFace(faceAutres);
    exposees_.fill(false);
}

// --------------------------------------------------------------- the trick

bool SceneTapis::commencePli(int position, bool pliVide)
{
    if (position < 0 || position >= NOMBRE_SIEGES)
        return false;
    // The table tells the end of a trick only where announcements are
    // settled, and leaves the announced cards lying: whatever lies on the
    // cloth when a trick begins belongs to the tricks before.
    const bool premiere = cartesDuPli_ >= NOMBRE_SIEGES || pliVide || surTable_[static_cast<size_t>(position)];
    if (!premiere)
        return false;
    cartesDuPli_ = 0;
    return std::any_of(surTable_.begin(), surTable_.end(), [](const GL_ObjectCube* c) { return c; });
}

void SceneTapis::pose(int index, int position, const Vue& vue)
{
    GL_ObjectCube* cube = objet(index);
    if (!cube || position < 0 || position >= NOMBRE_SIEGES)
        return;
    if (cube == retournee_)
        retournee_ = nullptr;
    ++cartesDuPli_;
    surTable_[static_cast<size_t>(position)] = cube;
    cube->setFace(GL_ObjectCube::Front);
    cube->show();
    cube->setPlacement(DisplayGLPaintA::TrickPlace + position);
    cube->moveStep(DisplayGLPaintA::TableEdge + position);
    if (vue.anime && vue.moteur) {
        const QVector3D but = vue.moteur->placePosition(cube->getFrontId(), DisplayGLPaintA::TrickPlace + position);
        cube->moveTo(but.x(), but.y(), but.z(), false);
    }
}

void SceneTapis::ramassePli(int pile, const Cartes& annoncees, const Vue& vue)
{
    for (int p = 0; p < NOMBRE_SIEGES; ++p) {
        GL_ObjectCube* cube = surTable_[static_cast<size_t>(p)];
        if (!cube)
            continue;
        // An announced card stays to be seen.
        const int index = index_(cube);
        if (index >= 0 && annoncees[static_cast<size_t>(index)])
            continue;
        // Out of the trick first: showing or moving a card may paint the
        // layer at once, which would put it back at its trick place.
        surTable_[static_cast<size_t>(p)] = nullptr;
        if (!vue.anime || pile < 0) {
            cube->hide();
        } else if (vue.navigationAnnuler && vue.moteur) {
            // Browsing back through the moves: the card goes back where it
            // came from, out at its seat's edge, not to a winner's pile.
            const QVector3D but = vue.moteur->placePosition(cube->getFrontId(), DisplayGLPaintA::TableEdge + p);
            cube->setPlacement(DisplayGLPaintA::TrickPlace + p);
            cube->moveTo(but.x(), but.y(), but.z(), true);
        } else if (vue.moteur) {
            const QVector3D but = vue.moteur->placePosition(cube->getFrontId(), DisplayGLPaintA::Pile + pile);
            cube->setPlacement(DisplayGLPaintA::Pile + pile);
            cube->moveTo(but.x(), but.y(), but.z(), true);
        } else {
            cube->hide();
        }
    }
    if (!vue.annoncesVues)
        return;
    for (int i = 0; i < NOMBRE_CARTES; ++i) {
        GL_ObjectCube* cube = objet(i);
        if (!exposees_[static_cast<size_t>(i)] || !cube
            || std::find(surTable_.begin(), surTable_.end(), cube) != surTable_.end())
            continue;
        exposees_[static_cast<size_t>(i)] = false;
        cube->setFace(vue.faceAutres);
    }
}

void SceneTapis::expose(const Cartes& cartes)
{
    for (int i = 0; i < NOMBRE_CARTES; ++i) {
        if (!cartes[static_cast<size_t>(i)])
            continue;
        exposees_[static_cast<size_t>(i)] = true;
        if (GL_ObjectCube* cube = objet(i))
            cube->setFace(GL_ObjectCube::Front);
    }
}
