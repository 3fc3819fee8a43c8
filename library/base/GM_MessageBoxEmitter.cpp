#include "GM_MessageBoxEmitter.h"

#include "GM_MessageBoxDisplayerA.h"
#include "GM_MessageBoxRequest.h"

#include <QMutexLocker>

uint GM_MessageBoxEmitter::compteur_ = 0;
QMutex GM_MessageBoxEmitter::compteurMutex_;

GM_MessageBoxEmitter::GM_MessageBoxEmitter() = default;

GM_MessageBoxEmitter::~GM_MessageBoxEmitter()
{
    setMessageBoxDisplayer(nullptr);
}

void GM_MessageBoxEmitter::setMessageBoxDisplayer(GM_MessageBoxDisplayerA* displayer)
{
    QMutexLocker lock(&mutex_);
    if (displayer_ != nullptr && displayer_ != displayer)
        displayer_->oublieEmetteur_(this);
    displayer_ = displayer;
}

GM_MessageBoxDisplayerA* GM_MessageBoxEmitter::getMessageBoxDisplayer() const
{
    QMutexLocker lock(&mutex_);
    return displayer_;
}

uint GM_MessageBoxEmitter::enfile_(GM_MessageBoxRequest& requete)
{
    GM_MessageBoxDisplayerA* displayer = nullptr;
    uint id = 0;
    uint aAfficher = 0;
    bool afficher = false;
    {
        QMutexLocker lock(&mutex_);
        // The id lock is held until the request is in the queue, so that ids
        // enter every queue in increasing order even when threads race.
        QMutexLocker lockId(&compteurMutex_);
        id = compteur_++;
        if (displayer_ == nullptr)
            return id;
        displayer = displayer_;
        requete.emetteur_ = this;
        afficher = displayer->ajouteMessageBox_(requete, id, &aAfficher);
    }
    // The displayer may call back into its queue: no lock is held here.
    if (afficher)
        displayer->execMessageBox(aAfficher);
    return id;
}

uint GM_MessageBoxEmitter::messageBox(GM::Icon icone, const QString& titre, const QString& texte,
                                      GM::StandardButton boutons)
{
    GM_MessageBoxRequest requete(GM_MessageBoxRequest::Simple, this, icone, titre, texte, boutons);
    return enfile_(requete);
}

uint GM_MessageBoxEmitter::messageBoxQuestion(GM::Icon icone, const QString& titre, const QString& texte,
                                              GM::StandardButton boutons, QObject* destinataire, const char* slot)
{
    GM_MessageBoxRequest requete(GM_MessageBoxRequest::Question, this, icone, titre, texte, boutons);
    requete.destinataire_ = destinataire;
    requete.slotAccepte_ = QByteArray(slot);
    return enfile_(requete);
}

void GM_MessageBoxEmitter::messageBoxConfirm(GM::Icon icone, const QString& titre, const QString& texte,
                                             GM::StandardButton boutons, QObject* destinataire, const char* slot)
{
    GM_MessageBoxRequest requete(GM_MessageBoxRequest::AccepteRefuse, this, icone, titre, texte, boutons);
    requete.masqueAccepte_ = GM::Ok;
    requete.destinataire_ = destinataire;
    requete.slotAccepte_ = QByteArray(slot);
    enfile_(requete);
}

void GM_MessageBoxEmitter::messageBoxTournament(const QString& titre, const QString& texte,
                                                GM::StandardButton boutons, QObject* destinataire)
{
    GM_MessageBoxRequest requete(GM_MessageBoxRequest::AccepteRefuse, this, GM::Question, titre, texte, boutons);
    requete.masqueAccepte_ = GM::Yes;
    requete.destinataire_ = destinataire;
    requete.slotAccepte_ = QByteArrayLiteral("OnTournPlay");
    requete.slotRefuse_ = QByteArrayLiteral("OnTournDeny");
    enfile_(requete);
}

uint GM_MessageBoxEmitter::messageBoxDownload(const QString& titre, const QString& texte, QObject* destinataire)
{
    GM_MessageBoxRequest requete(GM_MessageBoxRequest::AccepteRefuse, this, GM::Information, titre, texte,
                                 GM::Cancel);
    requete.masqueAccepte_ = GM::Cancel;
    requete.destinataire_ = destinataire;
    requete.slotAccepte_ = QByteArrayLiteral("cancelDownload");
    return enfile_(requete);
}

void GM_MessageBoxEmitter::showTutorial()
{
    GM_MessageBoxRequest requete(GM_MessageBoxRequest::Tutoriel, this, GM::Information, QString(), QString(), GM::Ok);
    enfile_(requete);
}

void GM_MessageBoxEmitter::updateMessageBox(const QString& titre, const QString& texte, int id)
{
    QMutexLocker lock(&mutex_);
    if (displayer_ == nullptr)
        return;
    const GM_MessageBoxRequest requete(GM_MessageBoxRequest::Simple, this, GM::Information, titre, texte, GM::Ok);
    displayer_->updateMessageBox(requete, id);
}

void GM_MessageBoxEmitter::closeStatusBox()
{
    QMutexLocker lock(&mutex_);
    if (displayer_ != nullptr)
        displayer_->closeStatusBox();
}

void GM_MessageBoxEmitter::closeMessageBox(uint id)
{
    GM_MessageBoxDisplayerA* displayer = getMessageBoxDisplayer();
    // The displayer shows the next box from here: no lock may be held.
    if (displayer != nullptr)
        displayer->withdrawMessageBox(id);
}
