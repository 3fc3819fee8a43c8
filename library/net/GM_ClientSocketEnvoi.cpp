#include "GM_ClientSocket.h"

#include "GM_ClientSocketJournal.h"

#include <QMutexLocker>

// GM_ClientSocket: the paced out-queue, the requests that feed it, and the
// raw records of the bridge.

using namespace GM_ClientSocketJournal;

namespace {

constexpr int DelaiListeAmisOccupeeMs = 2000;
// Fields a private invitation pads to, a public one to.
constexpr int ChampsInvitationPrivee = 3;
constexpr int ChampsInvitationPublique = 5;

} // namespace

// --- Out-queue --------------------------------------------------------------

int GM_ClientSocket::getNombreMessagesEnFile()
{
    QMutexLocker verrou(&outQueueMutex_);
    return int(outQueue_.size());
}

void GM_ClientSocket::enqueueEvent(const QSharedPointer<GM_SocketEvent>& message)
{
    if (message.isNull())
        return;
    outQueue_.append(message);
    if (etat_ == GM_SocketEvent::Idle)
        QTimer::singleShot(0, this, &GM_ClientSocket::envoieSuivant_);
    else if (etat_ == GM_SocketEvent::Init)
        QTimer::singleShot(0, this, &GM_ClientSocket::videFile_);
}

void GM_ClientSocket::sendRefreshRequest(const QByteArray& word)
{
    QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, word);
    if (message.isNull()) {
        lobbyWarning() << "no refresh request" << word;
        return;
    }
    if (etat_ == message->getNextState())
        return;
    for (const QSharedPointer<GM_SocketEvent>& enFile : std::as_const(outQueue_))
        if (enFile->getWord() == word)
            return;
    connect(message.data(), &GM_SocketEvent::signalTransmitError, this, &GM_ClientSocket::onError);
    enqueueEvent(message);
}

void GM_ClientSocket::enfile_(const char* mot, const QStringList& champs)
{
    QMutexLocker verrou(&outQueueMutex_);
    QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, mot);
    if (message.isNull())
        return;
    message->champs_ = champs;
    connect(message.data(), &GM_SocketEvent::signalTransmitError, this, &GM_ClientSocket::onError);
    enqueueEvent(message);
}

void GM_ClientSocket::videFile_()
{
    if (etat_ != GM_SocketEvent::Init)
        return;
    QList<QSharedPointer<GM_SocketEvent>> perdus;
    {
        QMutexLocker verrou(&outQueueMutex_);
        perdus.swap(outQueue_);
    }
    for (const QSharedPointer<GM_SocketEvent>& message : std::as_const(perdus))
        emit message->signalTransmitError(QAbstractSocket::OperationError);
}

void GM_ClientSocket::envoieSuivant_()
{
    if (etat_ != GM_SocketEvent::Idle)
        return;
    QSharedPointer<GM_SocketEvent> message;
    {
        QMutexLocker verrou(&outQueueMutex_);
        if (outQueue_.isEmpty())
            return;
        if (dernierEnvoi_.isValid()) {
            const qint64 reste = delais_.envoiMs - dernierEnvoi_.elapsed();
            if (reste > 0) {
                timerEnvoi_.start(int(reste));
                return;
            }
        }
        message = outQueue_.takeFirst();
    }
    if (envoie_(message) && message->getNextState() != GM_SocketEvent::AnySession) {
        etat_ = message->getNextState();
        if (message->ligne().aUneReponse()) {
            motAttendu_ = message->getWord();
            timerReponse_.start(delais_.reponseMaxMs);
        }
    }
    if (etat_ == GM_SocketEvent::Idle && getNombreMessagesEnFile() > 0)
        timerEnvoi_.start(delais_.envoiMs);
}

bool GM_ClientSocket::envoie_(const QSharedPointer<GM_SocketEvent>& message)
{
    const GM_SocketEvent::Ligne& ligne = message->ligne();
    const QStringList& champs = message->champs_;
    if (!ligne.accepteChamps(champs.size())) {
        lobbyWarning() << "message" << ligne.mot << "with" << champs.size() << "fields refused";
        emit message->signalTransmitError(QAbstractSocket::UnknownSocketError);
        return false;
    }
    if (GM_LobbyFrame::taille(ligne.mot, champs) > GM_LobbyFrame::TailleMax) {
        lobbyWarning() << "message" << ligne.mot << "too large to send";
        emit message->signalTransmitError(QAbstractSocket::DatagramTooLargeError);
        return false;
    }
    if (state() != QAbstractSocket::ConnectedState) {
        emit message->signalTransmitError(QAbstractSocket::RemoteHostClosedError);
        return false;
    }
    const QList<QByteArray> messages = GM_LobbyFrame::messages(ligne.mot, champs);
    for (const QByteArray& morceau : messages)
        sendBinaryMessage(morceau);
    dernierEnvoi_.restart();
    if (sessionOuverte_)
        timerKeepAlive_.start();
    lobbyDebug() << "sent" << ligne.mot << "with" << champs.size() << "fields";
    emit signalRecordSent(ligne.mot);
    return true;
}

bool GM_ClientSocket::envoieDirect_(const QByteArray& mot, const QStringList& champs)
{
    QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(etat_, mot);
    if (message.isNull())
        return false;
    message->champs_ = champs;
    connect(message.data(), &GM_SocketEvent::signalTransmitError, this, &GM_ClientSocket::onError);
    return envoie_(message);
}

void GM_ClientSocket::keepAlive_()
{
    if (!sessionOuverte_ || etat_ != GM_SocketEvent::Idle || getNombreMessagesEnFile() > 0)
        return;
    enfile_("Kal", {});
}

void GM_ClientSocket::OnRefreshFriendList()
{
    if (!isConnectedToLobby())
        return;
    if (outQueueMutex_.tryLock()) {
        sendRefreshRequest("Fhr");
        outQueueMutex_.unlock();
    } else {
        QTimer::singleShot(DelaiListeAmisOccupeeMs, this, &GM_ClientSocket::OnRefreshFriendList);
    }
}

// --- Requests -----------------------------------------------------------------

void GM_ClientSocket::requestServerIpAndPort(const QString& serverOrTournamentId, const QString& password)
{
    if (etat_ == GM_SocketEvent::Init || !isValid() || state() == QAbstractSocket::UnconnectedState)
        return;
    adresseAvecMotDePasse_ = !password.isEmpty();
    enfile_("SA1", {serverOrTournamentId, password});
}

void GM_ClientSocket::requestMainGameServerInfo()
{
    QMutexLocker verrou(&outQueueMutex_);
    sendRefreshRequest("SrI");
}

void GM_ClientSocket::sendOnlineStatus(GM::ConnectStatus status)
{
    enfile_("Gbs", {QString::number(int(status))});
}

void GM_ClientSocket::sendBridgeClose(qint64 userIdFrom, qint64 userIdTo)
{
    const QStringList champs{QString::number(userIdFrom), QString::number(userIdTo)};
    if (!sessionActive_) {
        // A socket opened by hand for the bridge alone.
        envoieRecord(GM_LobbyFrame::messages("Cul", champs));
        return;
    }
    if (!isConnectedToLobby() || state() != QAbstractSocket::ConnectedState)
        return;
    oubliePont_(userIdFrom, userIdTo);
    {
        QMutexLocker verrou(&outQueueMutex_);
        for (const QSharedPointer<GM_SocketEvent>& enFile : std::as_const(outQueue_))
            if (enFile->getWord() == "Cul" && enFile->champs_ == champs)
                return;
    }
    enfile_("Cul", champs);
}

void GM_ClientSocket::sendBridgeData(qint64 userIdTarget, const QByteArray& data)
{
    envoieRecord({QByteArrayLiteral("Brs"), QByteArray::number(userIdTarget), QByteArray(1, GM_LobbyFrame::FieldEnd),
                  GM_LobbyFrame::escape(data), QByteArray(1, GM_LobbyFrame::FieldEnd),
                  QByteArray(1, GM_LobbyFrame::RecordEnd)});
}

void GM_ClientSocket::sendAddStatsGameStarted(const QString& stats)
{
    if (!isConnectedToLobby())
        return;
    enfile_("Gss", {stats});
}

void GM_ClientSocket::sendChatMessage(int channel, const QString& text)
{
    enfile_("A4E", {QString::number(channel), text});
}

void GM_ClientSocket::sendTournamentCommand(const QString& tournamentId, int action, const QString& password,
                                            const QString& teammate)
{
    enfile_("Tjo", {tournamentId, QString::number(action), password, teammate});
}

void GM_ClientSocket::sendInvitationPrivate(const QStringList& userIds)
{
    const bool actif = timerKeepAlive_.isActive();
    timerKeepAlive_.stop();
    emit signalStartServerSession(loginName_, 0, 0, 0, databaseUserId_);
    sendOnlineStatus(GM::GuestOnPrivateServer);
    if (actif)
        timerKeepAlive_.start();
    if (userIds.isEmpty())
        return;
    if (userIds.size() > InvitesMax)
        lobbyWarning() << "a private invitation takes" << InvitesMax << "friends; the others are left out";
    QStringList champs = userIds.mid(0, InvitesMax);
    while (champs.size() < ChampsInvitationPrivee)
        champs << QString();
    enfile_("hTr", champs);
}

void GM_ClientSocket::sendInvitationPublic(qint64 serverId, int port, const QStringList& userIds)
{
    if (userIds.size() > InvitesMax)
        lobbyWarning() << "a public invitation takes" << InvitesMax << "friends; the others are left out";
    QStringList champs{QString::number(serverId), QString::number(port)};
    champs << userIds.mid(0, InvitesMax);
    while (champs.size() < ChampsInvitationPublique)
        champs << QString();
    enfile_("Gl5", champs);
    requestServerIpAndPort(QString::number(serverId), QString());
}

void GM_ClientSocket::sendInviteFriends(const QStringList& userIds)
{
    for (const QString& id : userIds)
        enfile_("F9n", {QString::number(databaseUserId_), id});
}

void GM_ClientSocket::sendFriendRequestAccept(const QStringList& entries)
{
    for (const QString& entree : entries)
        enfile_("Blw", {entree});
}

void GM_ClientSocket::sendFriendRequestRejectOrCancel(const QStringList& entries)
{
    for (const QString& entree : entries)
        enfile_("Bkv", {entree});
}

// --- Raw records (the bridge) ---------------------------------------------------

void GM_ClientSocket::envoieRecord(const QList<QByteArray>& messages)
{
    if (sessionActive_) {
        // Bridges belong to an open session; they are not paced.
        if (!sessionOuverte_ || state() != QAbstractSocket::ConnectedState) {
            lobbyDebug() << "bridge record dropped: no open session";
            return;
        }
        for (const QByteArray& message : messages)
            sendBinaryMessage(message);
        return;
    }
    if (state() != QAbstractSocket::ConnectedState || !enAttente_.isEmpty()) {
        enAttente_.append(messages);
        return;
    }
    for (const QByteArray& message : messages)
        sendBinaryMessage(message);
}
