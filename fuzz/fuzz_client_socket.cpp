// Feeds arbitrary bytes to the table client's intake, the way a host's data
// reaches it: cut into chunks, as TCP reads or as WebSocket messages. Whatever
// the bytes, the intake may drop records, hold them behind a replay block or
// cut the connection, but nothing may escape it, crash, hang, leave the
// list locked or let what it holds grow past its bound. Behind the intake
// stands an event list whose table takes every event, so that replay blocks
// are replayed and the events they held back run.
//
// The first byte chooses: bits 0-2 the chunk size, bit 3 WebSocket messages
// instead of TCP reads, bit 4 a small bound on what may be held, bits 5-6 the
// seat played on this machine.
#include "ClientSocket.h"
#include "EvenementDeJeu.h"
#include "GM_SocketAbstract.h"
#include "ListeDesEvenements.h"
#include "ZB_CleDeJoueur.h"

#include "ExecuteurTemoin.h"
#include "FuzzQt.h"

#include <QCoreApplication>
#include <QSharedPointer>

#include <cstdint>
#include <cstdlib>

namespace {

class Socket : public GM_SocketAbstract
{
public:
    QAbstractSocket::SocketState etat = QAbstractSocket::ConnectedState;
    QByteArray aLire;

    QAbstractSocket::SocketState state() const override { return etat; }
    qint64 write(const QByteArray& donnees) override { return donnees.size(); }
    qint64 bytesAvailable() const override { return aLire.size(); }
    QByteArray read(qint64 maxSize) override
    {
        const QByteArray morceau = aLire.left(maxSize);
        aLire.remove(0, morceau.size());
        return morceau;
    }
    void close() override { ferme_(); }
    void abort() override { ferme_(); }
    void disconnectFromHost() override { ferme_(); }

    void recoit(const QByteArray& octets)
    {
        aLire += octets;
        emit readyRead_tcpOld();
    }

private:
    void ferme_()
    {
        if (etat == QAbstractSocket::UnconnectedState)
            return;
        etat = QAbstractSocket::UnconnectedState;
        emit disconnected();
    }
};

class Salle : public QObject, public ZB_SalleClienteA
{
public:
    void posteEvenementDuClient(ZB_Event* ev) override { QCoreApplication::postEvent(this, ev); }

protected:
    void customEvent(QEvent* event) override { event->accept(); }
};

void verifieListeLibre(ListeDesEvenements& liste)
{
    if (!liste.getMutex()->tryLock())
        std::abort();
    liste.getMutex()->unlock();
}

void verifieBorne(const ClientSocket& client, qsizetype borne)
{
    if (client.getOctetsEnAttente() > borne)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzDemarreQt();
    if (size == 0)
        return 0;
    const uint8_t choix = data[0];
    const QByteArray octets(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    static const qsizetype tailles[] = {1, 2, 3, 7, 16, 100, 10000, 1 << 20};
    const qsizetype morceau = tailles[choix & 0x07];
    const bool web = (choix & 0x08) != 0;
    const qsizetype borne = (choix & 0x10) ? 512 : ClientSocket::TailleTamponMax;
    const int siegeLocal = (choix >> 5) & 0x03;

    Salle salle;
    // Takes everything, and expects the next state after the one it expected.
    ExecuteurTemoin table;
    table.parUn = true;
    ListeDesEvenements liste(&table, 0);
    table.liste = &liste;
    liste.version_ = 2;
    for (int siege = 0; siege < 4; ++siege)
        liste.joueurDistant_[size_t(siege)] = siege != siegeLocal;
    auto socket = QSharedPointer<Socket>::create();
    {
        ClientSocket client(&salle, &liste, nullptr, nullptr, socket, nullptr);
        client.setIdJoueur(55);
        // Challenges of the host are answered, as a client of this version
        // does.
        client.setSignataire(ZB_CleDeJoueur::depuisGraine(QByteArray(ZB_CleDeJoueur::GraineLength, 'a')));
        client.setTailleTamponMax(borne);

        for (qsizetype i = 0; i < octets.size(); i += morceau) {
            const QByteArray partie = octets.mid(i, morceau);
            if (web)
                emit socket->binaryMessageReceived(partie);
            else
                socket->recoit(partie);
            verifieListeLibre(liste);
            verifieBorne(client, borne);
            // Replay blocks are played from the event loop.
            QCoreApplication::processEvents();
            verifieListeLibre(liste);
        }
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        verifieListeLibre(liste);
        verifieBorne(client, borne);
    }
    // A replay still playing must not reach the client once it is gone.
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    verifieListeLibre(liste);
    return 0;
}
