#pragma once

// What the server socket's tests share beside the kit's scripted transport
// (SocketScripte): the host's view that keeps what it hears, a real client
// and listener on the loopback, and the bench of a server socket over the
// kit's stand-in room (BancServeur).

#include "EvenementDeJeu.h"
#include "GM_BanList.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "VersionProtocole.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventSocketError.h"
#include "ZB_EventServerSocketData.h"
#include "ZB_EventsGroup.h"
#include "ZB_CleDeJoueur.h"
#include "ZB_FicheIdentification.h"
#include "ZB_GardeDesSieges.h"
#include "ZB_RecordFramer.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "SalleDeServeur.h"
#include "SalleEnReseau.h"
#include "SocketScripte.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

#include <algorithm>
#include <memory>

namespace serveurtest {

inline constexpr int Delai = 5000;
inline const QHostAddress Publique(QStringLiteral("203.0.113.9"));

class VueTemoin : public ZB_ServerSocket::Cb_SocketInput
{
public:
    struct Nouvelle {
        OptionsDuJoueur joueur;
        ZB_ServerSocketConnection* connection;
        bool remplace;
    };
    QList<Nouvelle> nouvelles;
    QList<ZB_ServerSocketConnection*> fermees;
    QList<int> finsDePartie;
    QStringList logs;
    // Seats a player who arrives while the game runs, as the host's view
    // does.
    ZB_ServerSocket::Cb_TableConnectionInput* salle = nullptr;

    void cb_newConnection(ZB_ServerSocket* serveur, const OptionsDuJoueur& joueur,
                          ZB_ServerSocketConnection* connection, bool remplace) override
    {
        nouvelles << Nouvelle{joueur, connection, remplace};
        if (salle != nullptr && serveur->getEtat() == ZB_ServerSeatingA::EnCoursAvecPlacesLibres
            && !salle->cb_setClientInGameReconnect(connection, joueur))
            salle->cb_setClientInGameOnTheFly_Random(connection, joueur);
    }
    void cb_connectionClosed(ZB_ServerSocket*, ZB_ServerSocketConnection* connection) override
    {
        fermees << connection;
    }
    void cb_gameEnded(bool, int nombreDeTables) override { finsDePartie << nombreDeTables; }
    void cb_log(const QString& severite, const QString& message) override { logs << severite + QLatin1Char('|') + message; }
    QStringList annonces;
    void cb_annonce(const QString& texte) override { annonces << texte; }
};

inline OptionsDuJoueur joueur(qint64 id, qint64 compte = -1)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("J%1").arg(id);
    j.id_ = id;
    j.idCompte_ = compte;
    return j;
}

inline QByteArray texte(const EvenementDeJeu& ev, int version = 2)
{
    return ev.toString(version).toUtf8();
}

inline QByteArray nouveau(const OptionsDuJoueur& j, qint64 idEvenement)
{
    return texte(EvenementDeJeu(EvenementDeJeu::NeW, j.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                EvenementDeJeu::Local_Table,
                                idEvenement, 0, -1, -2, ZB_ICI));
}

inline QByteArray nouveau(qint64 id)
{
    return nouveau(joueur(id), id);
}

// The identification with a seat key.
inline QByteArray nouveau(const OptionsDuJoueur& j, const QString& cle)
{
    ZB_FicheIdentification fiche;
    fiche.joueur_ = j;
    fiche.cle_ = cle;
    return texte(EvenementDeJeu(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                EvenementDeJeu::Local_Table, j.id_, 0, -1, -2, ZB_ICI));
}

// The identification of a player whose id its signing key gives; with a
// challenge, the answer that signs it.
inline QByteArray nouveauSigne(const ZB_CleDeJoueur& cle, const QString& defi = QString(), qint64 id = -2,
                               quint16 port = 0)
{
    ZB_FicheIdentification fiche;
    fiche.joueur_ = joueur(id == -2 ? ZB_CleDeJoueur::idDePublique(cle.publique()) : id);
    fiche.publique_ = cle.publique();
    if (!defi.isEmpty())
        fiche.signature_ = cle.signe(ZB_CleDeJoueur::messageDeDefi(defi, fiche.joueur_.id_, cle.publique(), port));
    return texte(EvenementDeJeu(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                EvenementDeJeu::Local_Table, fiche.joueur_.id_, 0, -1, -2, ZB_ICI));
}

// A signing key made from one byte repeated.
inline ZB_CleDeJoueur cleSignee(char octet)
{
    return ZB_CleDeJoueur::depuisGraine(QByteArray(ZB_CleDeJoueur::GraineLength, octet));
}

// The last challenge the host wrote to a client, empty when none.
inline QString defiDans(const QByteArray& octets)
{
    static const QRegularExpression record(QStringLiteral("\\{NeW!([0-9a-f]{64})!4!141!"));
    QString dernier;
    for (auto it = record.globalMatch(QString::fromUtf8(octets)); it.hasNext();)
        dernier = it.next().captured(1);
    return dernier;
}

// The seat key the host wrote to a client, empty when none.
inline QString cleDans(const QByteArray& octets)
{
    static const QRegularExpression record(QStringLiteral("\\{NeW!([0-9a-f]{32})!4!141!"));
    return record.match(QString::fromUtf8(octets)).captured(1);
}

inline QString cleEcrite(const SocketScripte* socket)
{
    return cleDans(socket->ecrit());
}

// A client on the loopback, from one of its addresses, that keeps what it
// reads.
class ClientReel : public QObject
{
    Q_OBJECT
public:
    QTcpSocket socket;
    QByteArray lu;
    ClientReel(quint16 port, const QHostAddress& depuis = QHostAddress(QHostAddress::LocalHost))
    {
        socket.bind(depuis);
        connect(&socket, &QTcpSocket::readyRead, this, [this] { lu += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    QString cle() const { return cleDans(lu); }
    QString defi() const { return defiDans(lu); }
    bool estFerme() const { return socket.state() == QAbstractSocket::UnconnectedState; }
};

// A room's server listening on the loopback.
class Ecoute : public QTcpServer
{
public:
    explicit Ecoute(ZB_ServerSocket* serveur)
    {
        connect(this, &QTcpServer::newConnection, this, [this, serveur] {
            while (QTcpSocket* s = nextPendingConnection())
                serveur->acceptConnection(new GM_SocketTCP(s));
        });
        listen(QHostAddress::LocalHost, 0);
    }
};

inline QByteArray message(qint64 id, const QString& mot, int siege = 1, int table = 0)
{
    return texte(EvenementDeJeu(EvenementDeJeu::Mes, mot, siege, EtatDeJeu::HorsDeroulement,
                                EvenementDeJeu::Local_Human, id, 0, -1, table,
                                ZB_ICI));
}

// Runs what the sockets and the server posted, deferred deletions too.
inline void traite()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A server socket for the tests of one class: the stand-in room applies
// everything, the host's view keeps what it hears, and the ban list is
// the real one; cree builds it anew, demonte takes it down.
struct BancServeur {
    std::unique_ptr<SalleDeServeur> salle;
    std::unique_ptr<VueTemoin> vue;
    std::unique_ptr<GM_BanList> bans;
    std::unique_ptr<ZB_ServerSocket> serveur;

    void cree(QSharedPointer<ZB_ServerSocket::ListeDeTables> tables = {}, int nombreDeListes = 1)
    {
        serveur.reset();
        // Applies everything, expects the next state after one queued for
        // the state it expected, and rebuilds its lists on a reset.
        salle = std::make_unique<SalleDeServeur>();
        salle->avanceParUn = true;
        salle->reinitialiseAuReset = true;
        salle->groupe.initialise(nombreDeListes);
        vue = std::make_unique<VueTemoin>();
        bans = std::make_unique<GM_BanList>();
        serveur = std::make_unique<ZB_ServerSocket>(nullptr, salle.get(), tables, &salle->groupe, QString());
        serveur->setSocketInput(vue.get());
        serveur->setBanList(bans.get());
        salle->serveur = serveur.get();
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, false, 30);
    }
    SocketScripte* connecte(const QHostAddress& adresse = Publique)
    {
        auto* socket = new SocketScripte;
        socket->adresse = adresse;
        if (!serveur->acceptConnection(socket))
            return nullptr;
        return socket;
    }
    ZB_ServerSocketConnection* connectionDe(const SocketScripte* socket) const
    {
        for (ZB_ServerSocketConnection* c : serveur->getConnections())
            if (c->getSocket() == socket)
                return c;
        return nullptr;
    }
    // An identified client seated at table 0.
    SocketScripte* joueurAssis(qint64 id, int table = 0)
    {
        SocketScripte* socket = connecte();
        socket->recoit(nouveau(id));
        traite();
        serveur->connexionPlacee(connectionDe(socket), table);
        return socket;
    }
    int messagesAppliques() const
    {
        return int(std::count_if(salle->appliques.cbegin(), salle->appliques.cend(),
                                 [](const EvenementDeJeu& ev) { return ev.type_ == EvenementDeJeu::Mes; }));
    }

    void demonte()
    {
        serveur.reset();
        traite();
        vue.reset();
        bans.reset();
        salle.reset();
    }
};

} // namespace serveurtest
