// Feeds arbitrary bytes to the hosting room's byte intake, the way a client's
// reads reach it: cut into chunks, for one connection, before or after it
// identified. Whatever the bytes, the intake may drop, strike and disconnect,
// but nothing may escape it, crash, hang, leave a table's list locked or let
// the connection's buffer grow past its capacity. Behind the intake stands a
// real table, so that the events that pass the checks are executed.
//
// The first byte chooses: bit 0 the connection starts identified and seated
// (player 101, seat 1, table 0), bits 1-3 the chunk size, bit 4 a second
// connection sends the same bytes interleaved.
//
// The room, its server socket and its table are built once and brought back
// to their start before each input: building them costs far more than
// running an input.
#include "EvenementDeJeu.h"
#include "GM_SocketAbstract.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"

#include "FuzzQt.h"
#include "SalleEnReseau.h"
#include "TableEnPlace.h"

#include <QCoreApplication>
#include <QPointer>

#include <cstdint>
#include <cstdlib>

namespace {

class Socket : public GM_SocketAbstract
{
public:
    QAbstractSocket::SocketState etat = QAbstractSocket::ConnectedState;
    qint64 octetsEcrits = 0;

    QAbstractSocket::SocketState state() const override { return etat; }
    qint64 write(const QByteArray& donnees) override
    {
        octetsEcrits += donnees.size();
        return donnees.size();
    }
    QHostAddress peerAddress() const override { return QHostAddress(QStringLiteral("203.0.113.9")); }
    void abort() override { etat = QAbstractSocket::UnconnectedState; }
    void disconnectFromHost() override { etat = QAbstractSocket::UnconnectedState; }
};

// The test kit's hosting room, seated with four remote players, that goes
// back to its start between inputs: no connection, the server waiting for
// its players, the table and both lists at their start.
struct Salle : SalleEnReseau {
    const TableEnPlace place = TableEnPlace::quatreDistants(ZB_RoomTable::ReseauServeur, 1);

    Salle()
        : SalleEnReseau(2)
    {
        avanceParUn = true;
        continueLaTable = true;
        sansPause = true;
        groupe.setSansDelai(true);
        place.installe(*table);
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0, false, 30);
    }

    void recommence()
    {
        serveur->closeAllConnections();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        groupe.getListe(1)->clear();
        groupe.getListe(1)->setEtatAttendu(EtatDeJeu::Aucun);
        place.remetEnPlace(*table, *groupe.getListe(0));
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0, false, 30);
    }
};

void verifieListesLibres(Salle& salle)
{
    for (int no = 0; no < 2; ++no) {
        QMutex* mutex = salle.groupe.getListe(no)->getMutex();
        if (!mutex->tryLock())
            std::abort();
        mutex->unlock();
    }
}

ZB_ServerSocketConnection* connecte(Salle& salle, bool identifie, qint64 id)
{
    auto* socket = new Socket;
    if (!salle.serveur->acceptConnection(socket))
        std::abort();
    ZB_ServerSocketConnection* connection = salle.serveur->getConnections().last();
    if (identifie) {
        OptionsDuJoueur joueur;
        joueur.id_ = id;
        const EvenementDeJeu nouveau(EvenementDeJeu::NeW, joueur.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                     2, id, 0, -1, -2, ZB_ICI);
        salle.serveur->dataReceived_(nouveau.toString(2).toUtf8(), connection);
        if (!connection->estIdentifie())
            std::abort();
        salle.serveur->connexionPlacee(connection, 0);
    }
    return connection;
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
    const qsizetype morceau = tailles[(choix >> 1) & 0x07];

    static Salle* const premiere = new Salle;
    static bool neuve = true;
    Salle& salle = *premiere;
    if (!neuve)
        salle.recommence();
    neuve = false;
    salle.groupe.getListe(0)->setEtatAttendu(EtatDeJeu::InscriptionJoueur0);
    QPointer<ZB_ServerSocketConnection> un = connecte(salle, choix & 0x01, 101);
    QPointer<ZB_ServerSocketConnection> deux = (choix & 0x10) ? connecte(salle, true, 102) : nullptr;

    for (qsizetype i = 0; i < octets.size(); i += morceau) {
        const QByteArray partie = octets.mid(i, morceau);
        salle.serveur->dataReceived_(partie, un.data());
        if (deux != nullptr)
            salle.serveur->dataReceived_(partie, deux.data());
        verifieListesLibres(salle);
        for (ZB_ServerSocketConnection* c : {un.data(), deux.data()})
            if (c != nullptr && c->tampon().enAttente() > c->tampon().getCapacite())
                std::abort();
    }

    // What the intake posted (removals, the table's own events) runs once.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    verifieListesLibres(salle);
    return 0;
}
