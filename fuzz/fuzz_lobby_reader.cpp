// Feeds arbitrary bytes to the lobby protocol's reader and to the lobby
// client's intake, the way the lobby's binary messages reach them. Whatever
// the bytes, the reader may drop records or ask for the connection to be
// closed, but it must never keep more than its capacity, hand out a record
// with a bad word, or let a record it handed out change afterwards; the
// client may drop records, end its session or show boxes, but nothing may
// escape it, crash or hang, and its state must stay one of the protocol's.
//
// The first byte chooses: bits 0-2 the message size, bits 3-5 the client's
// state when the bytes start, bit 6 a small reader capacity.
#include "GM_ClientSocket.h"
#include "GM_LobbyFrame.h"
#include "GM_LobbyReader.h"
#include "GM_SocketEvent.h"

#include "FuzzQt.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

bool etatValide(int etat)
{
    return etat == GM_SocketEvent::Init || etat == GM_SocketEvent::Login || etat == GM_SocketEvent::CreateLogin
           || etat == GM_SocketEvent::ResendPassword || etat == GM_SocketEvent::Disconnecting
           || GM_SocketEvent::estEtatDeSession(etat);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzDemarreQt();
    if (size == 0)
        return 0;
    const uint8_t choix = data[0];
    const QByteArray octets(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    static const qsizetype tailles[] = {1, 2, 3, 5, 16, 100, 4096, 1 << 20};
    static const int etats[] = {GM_SocketEvent::Login, GM_SocketEvent::CreateLogin, GM_SocketEvent::ResendPassword,
                                GM_SocketEvent::Idle, GM_SocketEvent::Idle, GM_SocketEvent::WaitServerAddress,
                                GM_SocketEvent::WaitChat, GM_SocketEvent::WaitServerList};
    const qsizetype morceau = tailles[choix & 0x07];
    const int etat = etats[(choix >> 3) & 0x07];
    const qsizetype capacite = (choix & 0x40) ? 256 : GM_LobbyFrame::TailleMax;

    GM_LobbyReader lecteur(capacite);
    QList<GM_LobbyReader::Enregistrement> rendus;
    QList<QByteArray> copies;
    GM_ClientSocket client(QString(), nullptr, nullptr, nullptr);
    client.demarreSessionSansSocket(etat);
    for (qsizetype i = 0; i < octets.size(); i += morceau) {
        const QByteArray message = octets.mid(i, morceau);
        lecteur.ajoute(message);
        for (;;) {
            GM_LobbyReader::Enregistrement record;
            const GM_LobbyReader::Resultat resultat = lecteur.prochain(record);
            if (resultat == GM_LobbyReader::Aucun)
                break;
            if (resultat == GM_LobbyReader::Record) {
                if (!GM_LobbyFrame::motValide(record.mot))
                    std::abort();
                rendus << record;
                copies << QByteArray(record.mot.constData(), record.mot.size());
            }
        }
        if (lecteur.enAttente() > capacite)
            std::abort();
        client.OnLobbyMessage(message);
        if (!etatValide(client.getProtocolState()))
            std::abort();
        QCoreApplication::processEvents();
    }
    for (qsizetype i = 0; i < rendus.size(); ++i)
        if (rendus.at(i).mot != copies.at(i))
            std::abort();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    return 0;
}
