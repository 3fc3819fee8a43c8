#include "SceneConseil.h"

#include "DisplayGLScene.h"
#include "EtatDeJeu.h"
#include "SceneAide.h"
#include "StatusAtout.h"
#include "ZB_StatusMise.h"

#include <QDebug>
#include <QMutexLocker>

#include <utility>

#include "DisplayGLSceneInterne.h"

using scene_interne::ATTENTE_CONSEIL_MAX_MS;

SceneConseil::SceneConseil(DisplayGLScene& scene)
    : scene_(scene)
{
    timerSurlignage_.setInterval(DisplayGLScene::DELAI_SURLIGNAGE_MS);
    QObject::connect(&timerSurlignage_, &QTimer::timeout, &scene_, &DisplayGLScene::OnHelpCardHightlight);
    timerSurlignage_.start();
}

void SceneConseil::repond(Carte* carte, bool erreur)
{
    bool etaitEnCours = false;
    {
        QMutexLocker lock(&mutex_);
        // An answer for a state the table has left advises nothing.
        carte_ = erreur || ignore_ ? nullptr : carte;
        ignore_ = false;
        etaitEnCours = enCours_.exchange(false);
    }
    if (etaitEnCours)
        place_.release();
}

bool SceneConseil::demande(Joueur* joueur, QSharedPointer<Partie> partie, int joueurAtout)
{
    if (!joueur)
        return false;
    if (!place_.tryAcquire()) {
        // The search for an earlier request is stale: it is stopped, and its
        // answer gives the place back.
        if (Joueur* ancien = joueur_.data())
            ancien->annuleConseilCarte();
        if (!place_.tryAcquire(1, ATTENTE_CONSEIL_MAX_MS)) {
            qWarning() << "DisplayGLScene: the previous advice search does not answer; no advice this time";
            return false;
        }
    }
    {
        QMutexLocker lock(&mutex_);
        carte_ = nullptr;
        ignore_ = false;
        enCours_.store(true);
    }
    joueur_ = joueur;
    chrono_.start();
    joueur->demandeConseilCarte(std::move(partie), nullptr, joueurAtout, &scene_);
    return true;
}

bool SceneConseil::attend(int delaiMs)
{
    if (!place_.tryAcquire(1, delaiMs))
        return false;
    place_.release();
    return true;
}

Carte* SceneConseil::carte() const
{
    QMutexLocker lock(&mutex_);
    return carte_;
}

void SceneConseil::efface()
{
    QMutexLocker lock(&mutex_);
    carte_ = nullptr;
    // The search still running answers for a request that is gone.
    if (enCours_.load())
        ignore_ = true;
}

const Carte* SceneConseil::carteATeinter(bool teinteVoulue) const
{
    // While the search runs there is nothing to tint yet; the timer looks
    // again at its next tick.
    if (enCours_.load() || !teinteVoulue || !chrono_.isValid() || chrono_.elapsed() < DELAI_TEINTE_CONSEIL_MS)
        return nullptr;
    return carte();
}

void SceneConseil::aidePressee()
{
    if (aideEnAttente_)
        return;
    attenteAide_.start();
    montreAide_();
}

void SceneConseil::montreAide_()
{
    // Waiting for the search on the event loop keeps the window alive; the
    // box names the advised card once it is there.
    if (enCours_.load() && attenteAide_.elapsed() < ATTENTE_CONSEIL_MAX_MS) {
        aideEnAttente_ = true;
        QTimer::singleShot(PAS_ATTENTE_AIDE_MS, &scene_, [this] { montreAide_(); });
        return;
    }
    aideEnAttente_ = false;
    scene_.messageBox(static_cast<GM::Icon>(DisplayGLScene::IconeAide), DisplayGLScene::tr("Aide"),
                      scene_.texteAideSituation(), GM::Ok);
}

void SceneConseil::completeSituation(scene_aide::Situation& situation, Joueur* joueur,
                                     const ZB_StatusMise& statusMise) const
{
    if (situation.jeu)
        situation.carteConseillee = carte();
    const int etat = situation.etat;
    if (!joueur)
        return;
    if (etat == EtatDeJeu::AttendAtout || etat == EtatDeJeu::AttendAtoutChibre) {
        StatusAtout conseil;
        conseil.chibre_ = etat == EtatDeJeu::AttendAtoutChibre;
        joueur->conseilAtout(joueur->main_, conseil);
        situation.conseilAtout = conseil;
    }
    if (EtatDeJeu::estAttenteMise(etat)) {
        ZB_StatusMise conseil = statusMise;
        joueur->conseilMise(joueur->main_, conseil);
        situation.conseilMise = conseil;
    }
}

void SceneConseil::arrete()
{
    timerSurlignage_.stop();
    if (!enCours_.load())
        return;
    if (Joueur* joueur = joueur_.data())
        joueur->annuleConseilCarte();
    if (!place_.tryAcquire(1, ATTENTE_CONSEIL_MAX_MS))
        qWarning() << "DisplayGLScene: an advice search did not answer before the scene closed";
}
