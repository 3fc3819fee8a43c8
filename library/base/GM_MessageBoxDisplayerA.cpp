#include "GM_MessageBoxDisplayerA.h"

#include <QMutexLocker>

GM_MessageBoxDisplayerA::ThreadDelay::ThreadDelay(GM_MessageBoxDisplayerA* displayer)
    : displayer_(displayer)
{
}

GM_MessageBoxDisplayerA::ThreadDelay::~ThreadDelay()
{
    wait();
}

void GM_MessageBoxDisplayerA::ThreadDelay::run()
{
    displayer_->delai_();
}

GM_MessageBoxDisplayerA::GM_MessageBoxDisplayerA()
    : threadDelay_(this)
{
}

GM_MessageBoxDisplayerA::~GM_MessageBoxDisplayerA()
{
    arreteFileDAttente();
}

void GM_MessageBoxDisplayerA::arreteFileDAttente()
{
    {
        QMutexLocker lock(&mutex_);
        arret_ = true;
        reveilDelai_.wakeAll();
    }
    threadDelay_.wait();
}

void GM_MessageBoxDisplayerA::showNextMessageBox()
{
    uint id = 0;
    {
        QMutexLocker lock(&mutex_);
        if (occupe_ || arret_ || !prendSuivant_unlocked(&id))
            return;
    }
    execMessageBox(id);
}

GM_MessageBoxRequest* GM_MessageBoxDisplayerA::findMessageBox(uint id)
{
    QMutexLocker lock(&mutex_);
    auto it = messageBoxes_.find(id);
    return it == messageBoxes_.end() ? nullptr : &it.value();
}

bool GM_MessageBoxDisplayerA::copieMessageBox(uint id, GM_MessageBoxRequest& copie)
{
    QMutexLocker lock(&mutex_);
    auto it = messageBoxes_.constFind(id);
    if (it == messageBoxes_.cend())
        return false;
    copie = it.value();
    return true;
}

void GM_MessageBoxDisplayerA::messageBoxAnswered(uint id, const GM::StandardButton& bouton)
{
    uint suivant = 0;
    {
        QMutexLocker lock(&mutex_);
        auto it = messageBoxes_.find(id);
        if (it != messageBoxes_.end()) {
            it.value().livreReponse(bouton);
            messageBoxes_.erase(it);
        }
        // Only the answer to the box on screen moves the queue on; a stray
        // answer must not show a second box over it.
        if (!occupe_ || id != courant_)
            return;
        if (messageBoxes_.isEmpty() || arret_) {
            occupe_ = false;
            return;
        }
        suivant = plusPetitId_unlocked();
        courant_ = suivant;
    }
    execMessageBox(suivant);
}

void GM_MessageBoxDisplayerA::withdrawMessageBox(uint id)
{
    {
        QMutexLocker lock(&mutex_);
        auto it = messageBoxes_.find(id);
        if (it == messageBoxes_.end())
            return;
        messageBoxes_.erase(it);
        if (!occupe_ || id != courant_)
            return;
    }
    hideWithdrawnBox(id);
    // The request is gone: this delivers nothing and moves the queue on.
    messageBoxAnswered(id, GM::NoButton);
}

void GM_MessageBoxDisplayerA::hideWithdrawnBox(uint id)
{
    Q_UNUSED(id);
}

int GM_MessageBoxDisplayerA::nombreEnAttente()
{
    QMutexLocker lock(&mutex_);
    return static_cast<int>(messageBoxes_.size());
}

bool GM_MessageBoxDisplayerA::remplaceTexte(uint id, const QString& titre, const QString& texte)
{
    QMutexLocker lock(&mutex_);
    auto it = messageBoxes_.find(id);
    if (it == messageBoxes_.end())
        return false;
    it.value().titre_ = titre;
    it.value().texte_ = texte;
    return true;
}

bool GM_MessageBoxDisplayerA::ajouteMessageBox_(const GM_MessageBoxRequest& requete, uint id, uint* aAfficher)
{
    QMutexLocker lock(&mutex_);
    messageBoxes_.insert(id, requete);
    if (occupe_ || arret_)
        return false;
    return prendSuivant_unlocked(aAfficher);
}

void GM_MessageBoxDisplayerA::oublieEmetteur_(const GM_MessageBoxEmitter* emetteur)
{
    QMutexLocker lock(&mutex_);
    for (GM_MessageBoxRequest& requete : messageBoxes_)
        if (requete.emetteur_ == emetteur)
            requete.emetteur_ = nullptr;
}

uint GM_MessageBoxDisplayerA::plusPetitId_unlocked() const
{
    const auto it = messageBoxes_.constBegin();
    return it == messageBoxes_.constEnd() ? 0 : it.key();
}

bool GM_MessageBoxDisplayerA::prendSuivant_unlocked(uint* aAfficher)
{
    if (messageBoxes_.isEmpty())
        return false;
    if (isMessageBoxPending()) {
        demarreDelai_unlocked();
        return false;
    }
    occupe_ = true;
    courant_ = plusPetitId_unlocked();
    *aAfficher = courant_;
    return true;
}

void GM_MessageBoxDisplayerA::demarreDelai_unlocked()
{
    delaiRedemande_ = true;
    if (delaiActif_)
        return;
    delaiActif_ = true;
    // A thread still running here has left the queue for good and is only
    // returning, so waiting for it under the mutex cannot block it.
    threadDelay_.wait();
    threadDelay_.start();
}

void GM_MessageBoxDisplayerA::delai_()
{
    QMutexLocker lock(&mutex_);
    for (;;) {
        delaiRedemande_ = false;
        while (!arret_ && isMessageBoxPending())
            reveilDelai_.wait(&mutex_, DELAI_ATTENTE_MS);
        if (arret_)
            break;
        uint id = 0;
        if (!occupe_ && !messageBoxes_.isEmpty()) {
            occupe_ = true;
            courant_ = plusPetitId_unlocked();
            id = courant_;
            lock.unlock();
            execMessageBox(id);
            lock.relock();
        }
        if (!delaiRedemande_ || arret_)
            break;
    }
    delaiActif_ = false;
}
