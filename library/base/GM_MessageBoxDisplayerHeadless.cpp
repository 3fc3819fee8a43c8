#include "GM_MessageBoxDisplayerHeadless.h"

#include <QMetaObject>
#include <QMutexLocker>

GM_MessageBoxDisplayerHeadless::GM_MessageBoxDisplayerHeadless(QObject* parent)
    : QObject(parent)
{
}

GM_MessageBoxDisplayerHeadless::~GM_MessageBoxDisplayerHeadless()
{
    arreteFileDAttente();
}

void GM_MessageBoxDisplayerHeadless::setRepondeur(Repondeur repondeur)
{
    QMutexLocker lock(&etatMutex_);
    repondeur_ = std::move(repondeur);
}

bool GM_MessageBoxDisplayerHeadless::repond(GM::StandardButton bouton)
{
    uint id = 0;
    {
        QMutexLocker lock(&etatMutex_);
        if (!affichee_)
            return false;
        affichee_ = false;
        id = idAffiche_;
    }
    messageBoxAnswered(id, bouton);
    return true;
}

bool GM_MessageBoxDisplayerHeadless::aUneBoiteAffichee() const
{
    QMutexLocker lock(&etatMutex_);
    return affichee_;
}

uint GM_MessageBoxDisplayerHeadless::idAffiche() const
{
    QMutexLocker lock(&etatMutex_);
    return idAffiche_;
}

QList<GM_MessageBoxDisplayerHeadless::Affichage> GM_MessageBoxDisplayerHeadless::historique() const
{
    QMutexLocker lock(&etatMutex_);
    return historique_;
}

void GM_MessageBoxDisplayerHeadless::effaceHistorique()
{
    QMutexLocker lock(&etatMutex_);
    historique_.clear();
}

bool GM_MessageBoxDisplayerHeadless::statusBoxVisible() const
{
    QMutexLocker lock(&etatMutex_);
    return statusVisible_;
}

GM_MessageBoxRequest GM_MessageBoxDisplayerHeadless::statusBox() const
{
    QMutexLocker lock(&etatMutex_);
    return status_;
}

void GM_MessageBoxDisplayerHeadless::updateMessageBox(const GM_MessageBoxRequest& request, int id)
{
    if (id < 0) {
        QMutexLocker lock(&etatMutex_);
        status_ = request;
        statusVisible_ = true;
        return;
    }
    const uint boite = static_cast<uint>(id);
    if (!remplaceTexte(boite, request.titre_, request.texte_))
        return;
    QMutexLocker lock(&etatMutex_);
    if (affichee_ && idAffiche_ == boite && !historique_.isEmpty()) {
        historique_.last().requete.titre_ = request.titre_;
        historique_.last().requete.texte_ = request.texte_;
    }
}

void GM_MessageBoxDisplayerHeadless::closeStatusBox()
{
    QMutexLocker lock(&etatMutex_);
    statusVisible_ = false;
}

void GM_MessageBoxDisplayerHeadless::hideWithdrawnBox(uint id)
{
    // An automatic answer still on its way then finds no box to answer.
    QMutexLocker lock(&etatMutex_);
    if (affichee_ && idAffiche_ == id)
        affichee_ = false;
}

void GM_MessageBoxDisplayerHeadless::execMessageBox(uint id)
{
    ++affichagesPrevus_;
    QMetaObject::invokeMethod(
        this, [this, id] { affiche_(id); }, Qt::QueuedConnection);
}

bool GM_MessageBoxDisplayerHeadless::isMessageBoxPending()
{
    return affichagesPrevus_.load() > 0;
}

void GM_MessageBoxDisplayerHeadless::affiche_(uint id)
{
    Affichage affichage{id, GM_MessageBoxRequest()};
    if (!copieMessageBox(id, affichage.requete)) {
        // Nothing left to show under this id: close it at once so that the
        // queue goes on.
        --affichagesPrevus_;
        messageBoxAnswered(id, GM::NoButton);
        return;
    }
    Repondeur repondeur;
    {
        QMutexLocker lock(&etatMutex_);
        historique_.append(affichage);
        affichee_ = true;
        idAffiche_ = id;
        repondeur = repondeur_;
    }
    --affichagesPrevus_;
    emit signalMessageBoxShown(id);
    if (repondeur) {
        const GM::StandardButton bouton = repondeur(id, affichage.requete);
        QMetaObject::invokeMethod(
            this,
            [this, id, bouton] {
                if (aUneBoiteAffichee() && idAffiche() == id)
                    repond(bouton);
            },
            Qt::QueuedConnection);
    }
}
