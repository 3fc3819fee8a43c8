#include "GM_OnlineSettings.h"

#include "GM_LineEdit.h"
#include "GM_PassChange.h"
#include "GM_SocketEvent.h"

#include <QGridLayout>
#include <QMutexLocker>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
constexpr int CodeSucces = 0;
constexpr int CodeRefus = 1;
constexpr int CodeCourrielEnPanne = 2;
} // namespace

GM_OnlineSettings::GM_OnlineSettings(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    construitFormulaire_();
    connect(pushButtonChangePassword, &QPushButton::clicked, this,
            &GM_OnlineSettings::on_pushButtonChangePassword_clicked);
    connect(pushButtonDeleteAccount, &QPushButton::clicked, this,
            &GM_OnlineSettings::on_pushButtonDeleteAccount_clicked);
    connect(pushButtonSeeData, &QPushButton::clicked, this, &GM_OnlineSettings::on_pushButtonSeeData_clicked);
    retranslate();
}

GM_OnlineSettings::~GM_OnlineSettings() = default;

void GM_OnlineSettings::construitFormulaire_()
{
    setObjectName(QStringLiteral("GM_OnlineSettings"));
    resize(400, 279);
    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    stackedWidget = new QStackedWidget(this);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    auto* colonne = new QVBoxLayout(page);
    colonne->setObjectName(QStringLiteral("verticalLayout"));
    colonne->setContentsMargins(0, 0, 0, 0);
    pushButtonChangePassword = new QPushButton(page);
    pushButtonChangePassword->setObjectName(QStringLiteral("pushButtonChangePassword"));
    colonne->addWidget(pushButtonChangePassword);
    pushButtonDeleteAccount = new QPushButton(page);
    pushButtonDeleteAccount->setObjectName(QStringLiteral("pushButtonDeleteAccount"));
    colonne->addWidget(pushButtonDeleteAccount);
    pushButtonSeeData = new QPushButton(page);
    pushButtonSeeData->setObjectName(QStringLiteral("pushButtonSeeData"));
    colonne->addWidget(pushButtonSeeData);
    stackedWidget->addWidget(page);

    auto* page2 = new QWidget;
    page2->setObjectName(QStringLiteral("page_2"));
    auto* grille2 = new QGridLayout(page2);
    grille2->setObjectName(QStringLiteral("gridLayout_2"));
    grille2->setContentsMargins(0, 0, 0, 0);
    grille2->setSpacing(0);
    m_passChangeP = new GM_PassChange(page2);
    m_passChangeP->setObjectName(QStringLiteral("m_passChangeP"));
    grille2->addWidget(m_passChangeP, 0, 0);
    stackedWidget->addWidget(page2);

    grille->addWidget(stackedWidget, 1, 0);
    stackedWidget->setCurrentIndex(PageButtons);
}

void GM_OnlineSettings::retranslate()
{
    setWindowTitle(tr("Form"));
    pushButtonChangePassword->setText(tr("Changer mon mot de passe"));
    pushButtonDeleteAccount->setText(tr("Supprimer mon compte"));
    pushButtonSeeData->setText(tr("Voir mes données"));
    m_passChangeP->retranslate();
}

void GM_OnlineSettings::init(GM_MessageBoxDisplayerA* displayer, GM_ClientSocket* client)
{
    client_ = client;
    if (client != nullptr) {
        connect(client, &GM_ClientSocket::signalRequestAccountDeleteAnswerReceived, this,
                &GM_OnlineSettings::OnRequestAccountDeleteAnswerReceived);
        connect(client, &GM_ClientSocket::signalRequestAccountDataAnswerReceived, this,
                &GM_OnlineSettings::OnRequestAccountDataAnswerReceived);
        connect(client, &GM_ClientSocket::signalPasswordChangeAnswerReceived, this,
                &GM_OnlineSettings::OnPasswordChangeAnswerReceived);
        // Answers never come back across sessions: what was sent before
        // is no longer awaited.
        connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_OnlineSettings::oubliePasses_);
        connect(client, &GM_ClientSocket::signalReady, this, &GM_OnlineSettings::oubliePasses_);
    }
    connect(m_passChangeP, &GM_PassChange::signalFinish, this, &GM_OnlineSettings::OnPassChangeFinish);
    setMessageBoxDisplayer(displayer);
    m_passChangeP->init();
}

void GM_OnlineSettings::oubliePasses_()
{
    passesEnvoyes_.clear();
}

bool GM_OnlineSettings::envoie_(const char* mot, const QStringList& champs)
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr || !client->isConnectedToLobby())
        return false;
    QMutexLocker verrou(client->getOutQueueMutex());
    QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, mot);
    if (message.isNull())
        return false;
    connect(message.data(), &GM_SocketEvent::signalTransmitError, client, &GM_ClientSocket::onError);
    message->champs_ << champs;
    client->enqueueEvent(message);
    return true;
}

bool GM_OnlineSettings::code_(const QStringList* liste, int& code)
{
    if (liste == nullptr || liste->isEmpty())
        return false;
    bool ok = false;
    code = liste->constFirst().trimmed().toInt(&ok);
    return ok;
}

// --- Password ------------------------------------------------------------------------

void GM_OnlineSettings::on_pushButtonChangePassword_clicked()
{
    stackedWidget->setCurrentIndex(PagePassword);
}

void GM_OnlineSettings::OnPassChangeFinish(bool send)
{
    stackedWidget->setCurrentIndex(PageButtons);
    if (!send)
        return;
    const QString nouveau = m_passChangeP->newPassword()->text();
    if (envoie_("pCH", {m_passChangeP->oldPassword()->text(), nouveau}))
        passesEnvoyes_ << nouveau;
    // The hidden fields start empty at the next try: what the user types
    // after a refusal would otherwise be added to what they cannot see.
    m_passChangeP->oldPassword()->clear();
    m_passChangeP->newPassword()->clear();
}

void GM_OnlineSettings::OnPasswordChangeAnswerReceived(const QStringList* listP)
{
    // Answers come back in the order of the requests, one at a time.
    const QString passe = passesEnvoyes_.isEmpty() ? QString() : passesEnvoyes_.takeFirst();
    int code = -1;
    if (!code_(listP, code))
        return;
    if (code == CodeSucces) {
        messageBox(GM::Information, tr("Succès"), tr("Votre mot de passe a été changé."), GM::Ok);
        if (!passe.isEmpty())
            emit signalPasswordChanged(passe);
    } else if (code == CodeRefus) {
        messageBox(GM::Warning, tr("Echec"), tr("Le changement a échoué car l'ancien mot de passe est incorrect."),
                   GM::Ok);
    }
}

// --- Account data and deletion ------------------------------------------------------------

void GM_OnlineSettings::on_pushButtonSeeData_clicked()
{
    messageBoxConfirm(GM::Information, tr("Confirmation"),
                      tr("Après cette confirmation, vous recevrez un courriel contenant vos données. Pour éviter "
                         "les abus, cette opération n'est autorisée qu'une fois par semaine.\n\nSouhaitez-vous "
                         "continuer?"),
                      GM::StandardButton(GM::Ok | GM::Cancel), this, "OnSeeDataConfirmed");
}

void GM_OnlineSettings::on_pushButtonDeleteAccount_clicked()
{
    messageBoxConfirm(GM::Warning, tr("Suppression du compte"),
                      tr("Après cette confirmation, vous recevrez un courriel avec un lien à cliquer pour "
                         "définitivement supprimer vos données. Cette opération est irréversible. De plus, pour "
                         "éviter les abus, il n'est plus possible de s'inscrire avec ce courriel ensuite, pour une "
                         "durée de deux mois.\n\nSouhaitez-vous vraiment effacer votre accompte, contenant vos "
                         "amis, succès, résultats, etc.?"),
                      GM::StandardButton(GM::Ok | GM::Cancel), this, "OnDeleteAccountConfirmed");
}

void GM_OnlineSettings::OnSeeDataConfirmed()
{
    envoie_("Dld", {});
}

void GM_OnlineSettings::OnDeleteAccountConfirmed()
{
    envoie_("Dli", {});
}

void GM_OnlineSettings::boiteDemande_(int code, const QString& texteCode1)
{
    switch (code) {
    case CodeSucces:
        messageBox(GM::Information, tr("Succès"),
                   tr("La demande a été exécutée. Merci de vérifier votre courriel. \n\nSi vous n'avez rien reçu "
                      "après un certain temps, n'oubliez pas de vérifier votre boite spam."),
                   GM::Ok);
        break;
    case CodeRefus: messageBox(GM::Warning, tr("Echec"), texteCode1, GM::Ok); break;
    case CodeCourrielEnPanne:
        messageBox(GM::Warning, tr("Echec"),
                   tr("La demande ne peut pas être traitée car le serveur de courriel rencontre un problème "
                      "actuellement. Merci de réessayer plus tard. Si le problème persiste, n'hésitez pas à "
                      "contacter notre support."),
                   GM::Ok);
        break;
    default: break;
    }
}

void GM_OnlineSettings::OnRequestAccountDataAnswerReceived(const QStringList* listP)
{
    int code = -1;
    if (code_(listP, code))
        boiteDemande_(code, tr("La demande ne peut pas être traitée car il y a déjà eu une requête récemment. Si "
                               "vous attendiez un résultat qui n'est pas arrivé, il se peut qu'il soit dans votre "
                               "boite spam. Sinon, merci de réessayer d'ici quelque temps."));
}

void GM_OnlineSettings::OnRequestAccountDeleteAnswerReceived(const QStringList* listP)
{
    int code = -1;
    if (code_(listP, code))
        boiteDemande_(code, tr("La demande ne peut pas être traitée car il y a déjà une demande en cours. Si vous "
                               "attendiez un résultat qui n'est pas arrivé, il se peut qu'il soit dans votre boite "
                               "spam. Sinon, merci de réessayer plus tard."));
}
