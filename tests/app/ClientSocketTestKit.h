#pragma once

// What the table client's tests share beside the kit's scripted transport
// (SocketScripte): the room and display that keep what the client hands
// them, a listener on the loopback, and the bench of a client socket with
// its room (Banc).

#include "ClientSocket.h"
#include "EvenementDeJeu.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "VersionProtocole.h"
#include "ZB_ClientConnection.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventClientAskInfo.h"
#include "ZB_EventDisconnectClient.h"
#include "ZB_EventSocketError.h"
#include "ZB_EventsGroup.h"
#include "ZB_FicheIdentification.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "SalleDeServeur.h"
#include "ExecuteurTemoin.h"
#include "SocketScripte.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

#include <functional>
#include <memory>

namespace clienttest {

inline constexpr qint64 Moi = 55;
inline constexpr int Delai = 5000;
inline const QString Hote = QStringLiteral("jass.example");
inline constexpr quint16 Port = 4000;

inline const QString TitreErreur = QStringLiteral("Erreur de connection client");
inline const QString Refuse = QStringLiteral("L'ordinateur distant a été trouvé, mais le serveur de jeu n'est pas démarré, ou "
                                      "alors sa configuration réseau est incorrecte");
inline const QString RefuseParLHote = QStringLiteral("L'ordinateur distant a été trouvé, mais le serveur de jeu a refusé la "
                                             "connection: il est complet, ou trop de connections arrivent de votre "
                                             "adresse. Réessayez plus tard");
inline const QString Complet = QStringLiteral("L'ordinateur distant a été trouvé, mais le serveur de jeu est complet");

inline QString texteErreur(const QString& texte, const QString& hote = Hote, quint16 port = Port)
{
    return QStringLiteral("Connection au serveur IP: %1, port: %2\n%3.").arg(hote).arg(port).arg(texte);
}

inline QString annonceEssai(int essai, int secondes = 1)
{
    return QStringLiteral("Le serveur de jeu a fermé la connection: nouvelle tentative %1 sur %2 dans %3 s.")
        .arg(essai)
        .arg(ClientSocket::EssaisMax)
        .arg(secondes);
}

struct Poste
{
    int type = 0;
    int drapeau = -1;
    QString titre;
    QString texte;
    QString login;
    qint64 id = 0;
    int attente = 0;
};

// The client room as the socket sees it: a receiver of posted events.
class SalleTemoin : public QObject, public ZB_SalleClienteA
{
public:
    void posteEvenementDuClient(ZB_Event* ev) override { QCoreApplication::postEvent(this, ev); }

    QList<Poste> postes;
    std::function<void()> surInfo;

    QList<Poste> deType(int type) const
    {
        QList<Poste> l;
        for (const Poste& p : postes)
            if (p.type == type)
                l << p;
        return l;
    }

protected:
    void customEvent(QEvent* event) override
    {
        Poste p;
        p.type = int(event->type());
        if (auto* d = dynamic_cast<ZB_EventDisconnectClient*>(event)) {
            p.drapeau = d->getAfficheMessage();
        } else if (auto* e = dynamic_cast<ZB_EventSocketError*>(event)) {
            p.titre = e->getTitre();
            p.texte = e->getTexte();
            p.drapeau = e->getFinDePartie();
        } else if (auto* i = dynamic_cast<ZB_EventClientAskInfo*>(event)) {
            p.login = i->getNomUtilisateur();
            p.id = i->getIdUtilisateur();
            p.attente = i->getTempsAttente();
        }
        postes << p;
        event->accept();
        if (p.type == ZB_Event::ClientAskInfo && surInfo)
            surInfo();
    }
};

class DisplayTemoin : public ZB_DisplayEmpty
{
public:
    QList<int> modesVue;
    QList<int> sieges;
    int curseursRestaures = 0;
    bool vueActive = false;
    QList<bool> rejoint; // what the table was told of the online game
    void setModeVue(int mode) override
    {
        modesVue << mode;
        vueActive = mode != 0;
    }
    void afficheTable() override { vueActive = false; }
    void setNoJoueurLocal(int siege) override { sieges << siege; }
    void restaureCurseur() override { ++curseursRestaures; }
    void afficheRejointPartieEnLigne(bool enLigne, const QString&) override { rejoint << enLigne; }
};

inline EvenementDeJeu evenement(int genre, const QString& texte, int siege, int etat, int noDemande, int mode = 0,
                         int source = EvenementDeJeu::Local_AI, qint64 id = 77)
{
    return EvenementDeJeu(genre, texte, siege, etat, source, id, mode, noDemande, 0, ZB_ICI);
}

inline QByteArray texte(const EvenementDeJeu& ev, int version = 2)
{
    return ev.toString(version).toUtf8();
}

inline OptionsDuJoueur joueur(const QString& nom, qint64 id, int distant = 0)
{
    OptionsDuJoueur j;
    j.nom_ = nom;
    j.id_ = id;
    j.distant_ = distant;
    return j;
}

inline QByteArray message(const QString& mot, int etat = 140)
{
    return texte(evenement(EvenementDeJeu::Mes, mot, 4, etat, -1, 0, EvenementDeJeu::Local_Table, -1));
}

// A replay block as a host sends it to a client entering at seat 1: the
// inscriptions, a deal, a trump and a card. The trump is seat 1's, chosen by
// the player idAtout from the source sourceAtout.
inline QByteArray blocDeReplay(int tete, QList<int>* etats = nullptr, qint64 idAtout = 77,
                        int sourceAtout = EvenementDeJeu::Local_AI)
{
    QByteArray b = texte(EvenementDeJeu(tete, QString(), 1, EtatDeJeu::HorsDeroulement, EvenementDeJeu::Local_Table,
                                        -1, 3, -1, 0, ZB_ICI));
    b += texte(evenement(EvenementDeJeu::InP, QStringLiteral("{options!}"), 4, 1, -1, 3, EvenementDeJeu::Local_Table,
                         -1));
    for (int siege = 0; siege < 4; ++siege) {
        const qint64 id = siege == 1 ? Moi : 100 + siege;
        b += texte(evenement(EvenementDeJeu::InJ, joueur(QStringLiteral("J%1").arg(siege), id, 1).sauveValeursDansString(),
                             4, siege + 2, -1, 3, EvenementDeJeu::Local_Table, id));
    }
    b += texte(evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1));
    b += texte(evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!9!2!}"), 1, 20, 2, 0, sourceAtout, idAtout));
    b += texte(evenement(EvenementDeJeu::Ajo, QStringLiteral("1_6"), 0, 37, 3));
    b += texte(EvenementDeJeu(EvenementDeJeu::ReE, QString(), 4, EtatDeJeu::HorsDeroulement,
                              EvenementDeJeu::Local_Table, -1, 3, -1, 0,
                              ZB_ICI));
    if (etats)
        *etats = {1, 2, 3, 4, 5, 6, 20, 37, 38};
    return b;
}

// The next card after the block, from seat 2.
inline QByteArray carteSuivante()
{
    return texte(evenement(EvenementDeJeu::Ajo, QStringLiteral("2_7"), 2, 38, 4));
}

// A loopback listener of the chosen transport, and a client transport of
// the same kind; each connection it takes goes to `arrive`.
struct EcouteDeTest
{
    QTcpServer tcp;
    QWebSocketServer web{QStringLiteral("test"), QWebSocketServer::NonSecureMode};
    quint16 port = 0;
    QSharedPointer<GM_SocketAbstract> transport;

    bool ouvre(bool parWeb, const std::function<void(GM_SocketAbstract*)>& arrive)
    {
        if (parWeb) {
            if (!web.listen(QHostAddress::LocalHost, 0))
                return false;
            QObject::connect(&web, &QWebSocketServer::newConnection, &web, [this, arrive] {
                while (QWebSocket* s = web.nextPendingConnection())
                    arrive(new GM_SocketWeb(s, true));
            });
            port = web.serverPort();
            transport = QSharedPointer<GM_SocketWeb>::create(true);
            return true;
        }
        if (!tcp.listen(QHostAddress::LocalHost, 0))
            return false;
        QObject::connect(&tcp, &QTcpServer::newConnection, &tcp, [this, arrive] {
            while (QTcpSocket* s = tcp.nextPendingConnection())
                arrive(new GM_SocketTCP(s));
        });
        port = tcp.serverPort();
        transport = QSharedPointer<GM_SocketTCP>::create();
        return true;
    }
};

// The room, its list, its display and status window, a scripted transport
// and the message boxes, around the client socket.
struct Banc
{
    SalleTemoin salle;
    ExecuteurTemoin exec;
    ListeDesEvenements liste{&exec, 0};
    DisplayTemoin display;
    ZB_ClientConnection fenetre;
    QSharedPointer<SocketScripte> socket = QSharedPointer<SocketScripte>::create();
    GM_MessageBoxDisplayerHeadless boites;
    std::unique_ptr<ClientSocket> client;

    Banc()
    {
        exec.liste = &liste;
        liste.version_ = 2;
        liste.joueurDistant_ = {true, false, true, true};
        socket->adresse = QHostAddress(QStringLiteral("198.51.100.7"));
        socket->port = Port;
        client = std::make_unique<ClientSocket>(&salle, &liste, &display, &fenetre, socket, &boites);
        client->setIdJoueur(Moi);
        client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, false);
    }
    ~Banc() { client.reset(); }

    // The host took the user info: the game is about to start.
    void attendHote()
    {
        const int version = 2;
        client->sendUserInfo(joueur(QStringLiteral("Moi"), Moi), 30, &version);
    }
};

} // namespace clienttest
