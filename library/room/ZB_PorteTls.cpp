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
        n += e.etape != Attente && e.adresse.isEqual(a) ? 1 : 0;
    return n;
}

int ZB_PorteTls::enAttente(const QHostAddress& adresse) const
{
    const QHostAddress a = enIPv4SiPossible(adresse);
    int n = 0;
    for (const NonTermine& e : nonTermines_)
        n += e.etape == Attente && e.adresse.isEqual(a) ? 1 : 0;
    return n;
}

int ZB_PorteTls::enUpgrade() const
{
    int n = 0;
    for (const NonTermine& e : nonTermines_)
        n += e.etape == Upgrade ? 1 : 0;
    return n;
}

qsizetype ZB_PorteTls::indexDe_(const QSslSocket* socket) const
{
    for (qsizetype i = 0; i < nonTermines_.size(); ++i)
        if (nonTermines_.at(i).socket == socket)
            return i;
    return -1;
}

qsizetype ZB_PorteTls::aRenvoyer_(const QHostAddress& nouveau) const
{
    QList<QHostAddress> adresses;
    adresses.reserve(nonTermines_.size());
    for (const NonTermine& e : nonTermines_)
        adresses << e.adresse;
    const qsizetype i = GM_PartParAdresse::aRenvoyer(adresses, nouveau);
    if (i < 0)
        return i;
    // Within that address, a socket that never said a word goes first: a
    // player queued there keeps its turn.
    for (qsizetype j = i; j < nonTermines_.size(); ++j) {
        const NonTermine& e = nonTermines_.at(j);
        if (e.etape == Attente && !e.parle && e.adresse.isEqual(nonTermines_.at(i).adresse))
            return j;
    }
    return i;
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
        const qsizetype i = aRenvoyer_(adresse);
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
    // Only a waiting socket's bytes are news here: once its handshake ran,
    // they are the handshake's.
    connect(socket, &QIODevice::readyRead, this, [this, socket] {
        const qsizetype i = indexDe_(socket);
        if (i >= 0 && nonTermines_.at(i).etape == Attente)
            nonTermines_[i].parle = true;
    });
    // A waiting peer's bytes stay unread until its handshake starts: a
    // ClientHello is far less.
    socket->setReadBufferSize(TamponAttente);
    nonTermines_.append(NonTermine{socket, adresse, Attente, false});
    if (handshakesEnCours(adresse) < HandshakesParAdresseMax)
        demarre_(nonTermines_.size() - 1);
}

void ZB_PorteTls::limiteEtape_(QSslSocket* socket, Etape etape)
{
    QTimer::singleShot(DelaiHandshakeMs, socket, [this, socket, etape] {
        const qsizetype i = indexDe_(socket);
        if (i >= 0 && nonTermines_.at(i).etape == etape)
            ferme_(socket);
    });
}

void ZB_PorteTls::demarre_(qsizetype index)
{
    NonTermine& e = nonTermines_[index];
    e.etape = Tls;
    QSslSocket* socket = e.socket;
    if (!web_.isNull())
        socket->setSslConfiguration(web_->sslConfiguration());
    limiteEtape_(socket, Tls);
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
    const bool demarre = nonTermines_.at(i).etape != Attente;
    nonTermines_.removeAt(i);
    socket->disconnect(this);
    if (!demarre)
        return;
    // The next one of that address: the oldest that spoke, else the oldest.
    qsizetype suivante = -1;
    for (qsizetype j = 0; j < nonTermines_.size(); ++j) {
        const NonTermine& e = nonTermines_.at(j);
        if (e.etape != Attente || !e.adresse.isEqual(adresse))
            continue;
        if (e.parle) {
            suivante = j;
            break;
        }
        if (suivante < 0)
            suivante = j;
    }
    if (suivante >= 0)
        demarre_(suivante);
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
    const qsizetype i = indexDe_(socket);
    if (i < 0)
        return;
    socket->setReadBufferSize(0);
    if (web_.isNull()) {
        ferme_(socket);
        return;
    }
    // The place is held until the WebSocket upgrade is done, in time of
    // its own.
    nonTermines_[i].etape = Upgrade;
    limiteEtape_(socket, Upgrade);
    web_->handleConnection(socket);
}

void ZB_PorteTls::ouverte(const QHostAddress& adresse, quint16 port)
{
    const QHostAddress a = enIPv4SiPossible(adresse);
    for (const NonTermine& e : std::as_const(nonTermines_))
        if (e.etape == Upgrade && e.socket->peerPort() == port && e.adresse.isEqual(a)) {
            sort_(e.socket);
            return;
        }
}
