#include "GM_BasseLatence.h"

#include <QAbstractSocket>
#include <QVariant>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

// Marks a socket whose connections already set the option.
constexpr const char* ProprieteSuivie = "zbBasseLatence";

void metOption(QAbstractSocket* socket)
{
    if (socket->state() == QAbstractSocket::ConnectedState)
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

} // namespace

void GM_BasseLatence::applique(QAbstractSocket* socket)
{
    if (socket == nullptr)
        return;
    metOption(socket);
    if (socket->property(ProprieteSuivie).toBool())
        return;
    socket->setProperty(ProprieteSuivie, true);
    QObject::connect(socket, &QAbstractSocket::connected, socket, [socket] { metOption(socket); });
}

void GM_BasseLatence::applique(QWebSocket* socket)
{
    if (socket == nullptr || socket->property(ProprieteSuivie).toBool())
        return;
    socket->setProperty(ProprieteSuivie, true);
    // Its TCP socket is made anew by each open(): looked for once it is up.
    auto appliqueAuxEnfants = [socket] {
        const QList<QAbstractSocket*> enfants = socket->findChildren<QAbstractSocket*>();
        for (QAbstractSocket* enfant : enfants)
            metOption(enfant);
    };
    QObject::connect(socket, &QWebSocket::connected, socket, appliqueAuxEnfants);
    if (socket->state() == QAbstractSocket::ConnectedState)
        appliqueAuxEnfants();
}

void GM_BasseLatence::appliqueAccepte(QWebSocketServer* serveur, QWebSocket* socket)
{
    if (serveur == nullptr || socket == nullptr)
        return;
    const QList<QAbstractSocket*> candidats = serveur->findChildren<QAbstractSocket*>();
    for (QAbstractSocket* candidat : candidats) {
        if (candidat->localPort() == socket->localPort() && candidat->peerPort() == socket->peerPort()
            && candidat->peerAddress() == socket->peerAddress())
            metOption(candidat);
    }
}
