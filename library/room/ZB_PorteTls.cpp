#include "ZB_PorteTls.h"

#include "GM_PartParAdresse.h"

#include <QSslSocket>
#include <QTimer>
#include <QWebSocketServer>

namespace {

// An IPv4 peer of a dual-stack socket may come as an IPv4-mapped IPv6
// address; the rules must see the same address either way.
QHostAddress enIPv4SiPossible(const QHostAddress& adresse)
{
    bool ok = false;
    const quint32 v4 = adresse.toIPv4Address(&ok);
    return ok ? QHostAddress(v4) : adresse;
}

} // namespace

ZB_PorteTls::ZB_PorteTls(QWebSocketServer* web, QObject* parent)
    : QTcpServer(parent)
    , web_(web)
{
}

ZB_PorteTls::~ZB_PorteTls()
{
    // The sockets are children and go with this object; their signals must
    // not reach a list that is half gone.
    for (const NonTermine& n : std::as_const(nonTermines_))
        n.socket->disconnect(this);
}

int ZB_PorteTls::handshakesEnCours(const QHostAddress& adresse) const
{
    const QHostAddress a = enIPv4SiPossible(adresse);
    int n = 0;
    for (const NonTermine& e : nonTermines_)
        n += e.demarre && e.adresse.isEqual(a) ? 1 : 0;
    return n;
}

int ZB_PorteTls::enAttente(const QHostAddress& adresse) const
{
    const QHostAddress a = enIPv4SiPossible(adresse);
    int n = 0;
    for (const NonTermine& e : nonTermines_)
        n += !e.demarre && e.adresse.isEqual(a) ? 1 : 0;
    return n;
}

qsizetype ZB_PorteTls::indexDe_(const QSslSocket* socket) const
{
    for (qsizetype i = 0; i < nonTermines_.size(); ++i)
        if (nonTermines_.at(i).socket == socket)
            return i;
    return -1;
}

void ZB_PorteTls::incomingConnection(qintptr descriptor)
{
    auto* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    const QHostAddress adresse = enIPv4SiPossible(socket->peerAddress());
    if (web_.isNull()) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    while (nonTermines_.size() >= NonTerminesMax) {
        QList<QHostAddress> adresses;
        for (const NonTermine& e : std::as_const(nonTermines_))
            adresses << e.adresse;
        const qsizetype i = GM_PartParAdresse::aRenvoyer(adresses, adresse);
        if (i < 0)
            break;
        ferme_(nonTermines_.at(i).socket);
    }
    connect(socket, &QSslSocket::encrypted, this, [this, socket] { termine_(socket); });
    // A peer that leaves, or a handshake that fails, frees its place.
    connect(socket, &QAbstractSocket::disconnected, this, [this, socket] { ferme_(socket); });
    connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError) {
        ferme_(socket);
    });
    // A waiting peer's bytes stay unread until its handshake starts: a
    // ClientHello is far less.
    socket->setReadBufferSize(TamponAttente);
    nonTermines_.append(NonTermine{socket, adresse, false});
    if (handshakesEnCours(adresse) < HandshakesParAdresseMax)
        demarre_(nonTermines_.size() - 1);
}

void ZB_PorteTls::demarre_(qsizetype index)
{
    NonTermine& e = nonTermines_[index];
    e.demarre = true;
    QSslSocket* socket = e.socket;
    if (!web_.isNull())
        socket->setSslConfiguration(web_->sslConfiguration());
    QTimer::singleShot(DelaiHandshakeMs, socket, [this, socket] {
        if (indexDe_(socket) >= 0)
            ferme_(socket);
    });
    // What the peer sent while it waited is read now, as the handshake's
    // first bytes.
    socket->startServerEncryption();
}

void ZB_PorteTls::sort_(QSslSocket* socket)
{
    const qsizetype i = indexDe_(socket);
    if (i < 0)
        return;
    const QHostAddress adresse = nonTermines_.at(i).adresse;
    const bool demarre = nonTermines_.at(i).demarre;
    nonTermines_.removeAt(i);
    socket->disconnect(this);
    if (!demarre)
        return;
    // The next one of that address, the oldest first.
    for (qsizetype j = 0; j < nonTermines_.size(); ++j)
        if (!nonTermines_.at(j).demarre && nonTermines_.at(j).adresse.isEqual(adresse)) {
            demarre_(j);
            return;
        }
}

void ZB_PorteTls::ferme_(QSslSocket* socket)
{
    if (indexDe_(socket) < 0)
        return;
    sort_(socket);
    socket->abort();
    socket->deleteLater();
}

void ZB_PorteTls::termine_(QSslSocket* socket)
{
    if (indexDe_(socket) < 0)
        return;
    sort_(socket);
    socket->setReadBufferSize(0);
    if (web_.isNull()) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    web_->handleConnection(socket);
}
