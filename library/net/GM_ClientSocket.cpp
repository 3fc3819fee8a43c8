#include "GM_ClientSocket.h"

#include <QWebSocket>

GM_ClientSocket::GM_ClientSocket(bool unsecure, QObject* parent)
    : QObject(parent)
    , webSocket_(new QWebSocket(QString(), QWebSocketProtocol::Version13, this))
    , unsecure_(unsecure)
{
    connect(webSocket_, &QWebSocket::connected, this, &GM_ClientSocket::onConnected);
}

GM_ClientSocket::~GM_ClientSocket() = default;

void GM_ClientSocket::envoieRecord(const QList<QByteArray>& messages)
{
    if (webSocket_->state() != QAbstractSocket::ConnectedState || !enAttente_.isEmpty()) {
        enAttente_.append(messages);
        return;
    }
    for (const QByteArray& message : messages)
        webSocket_->sendBinaryMessage(message);
}

void GM_ClientSocket::sendBridgeClose(qint64 userIdFrom, qint64 userIdTo)
{
    envoieRecord({QByteArrayLiteral("Cul"), QByteArray::number(userIdFrom), QByteArrayLiteral("\n"),
                  QByteArray::number(userIdTo), QByteArrayLiteral("\n"), QByteArray(1, RecordEnd)});
}

void GM_ClientSocket::onConnected()
{
    const QList<QList<QByteArray>> records = enAttente_;
    enAttente_.clear();
    for (const QList<QByteArray>& record : records)
        envoieRecord(record);
}
