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
#include "ZbTestRegistry.h"

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

namespace {

constexpr qint64 Moi = 55;
constexpr int Delai = 5000;
const QString Hote = QStringLiteral("jass.example");
constexpr quint16 Port = 4000;

const QString TitreErreur = QStringLiteral("Erreur de connection client");
const QString Refuse = QStringLiteral("L'ordinateur distant a été trouvé, mais le serveur de jeu n'est pas démarré, ou "
                                      "alors sa configuration réseau est incorrecte");
const QString RefuseParLHote = QStringLiteral("L'ordinateur distant a été trouvé, mais le serveur de jeu a refusé la "
                                             "connection: il est complet, ou trop de connections arrivent de votre "
                                             "adresse. Réessayez plus tard");
const QString Interrompue = QStringLiteral("La connection avec le serveur a été interrompue");

QString texteErreur(const QString& texte, const QString& hote = Hote, quint16 port = Port)
{
    return QStringLiteral("Connection au serveur IP: %1, port: %2\n%3.").arg(hote).arg(port).arg(texte);
}

QString annonceEssai(int essai, int secondes = 1)
{
    return QStringLiteral("Le serveur de jeu a fermé la connection: nouvelle tentative %1 sur %2 dans %3 s.")
        .arg(essai)
        .arg(ClientSocket::EssaisMax)
        .arg(secondes);
}

// A transport the test drives: reads it scripts, writes it keeps (taking
// only part of them when asked), connections that succeed or are refused.
class SocketFactice : public GM_SocketAbstract
{
    Q_OBJECT
public:
    QAbstractSocket::SocketState etat = QAbstractSocket::ConnectedState;
    QByteArray aLire;
    QList<QByteArray> ecritures;
    qint64 prendAuPlus = -1; // -1: everything
    bool refuse = false;
    QStringList connexions;
    QList<qint64> instants;
    QElapsedTimer horloge;
    int fermetures = 0;
    QList<qint64> lectures;

    SocketFactice() { horloge.start(); }

    QAbstractSocket::SocketState state() const override { return etat; }
    qint64 write(const QByteArray& donnees) override
    {
        const qint64 n = prendAuPlus < 0 ? donnees.size() : qMin<qint64>(prendAuPlus, donnees.size());
        ecritures << donnees.left(n);
        return n;
    }
    qint64 bytesAvailable() const override { return aLire.size(); }
    QByteArray read(qint64 maxSize) override
    {
        lectures << maxSize;
        const QByteArray morceau = aLire.left(maxSize);
        aLire.remove(0, morceau.size());
        return morceau;
    }
    QHostAddress peerAddress() const override { return QHostAddress(QStringLiteral("198.51.100.7")); }
    quint16 peerPort() const override { return Port; }
    QString errorString() const override { return QStringLiteral("boom"); }
    void abort() override { ferme_(); }
    void close() override { ferme_(); }
    void disconnectFromHost() override { ferme_(); }
    void connectToHost(const QString& host, quint16 port) override
    {
        connexions << QStringLiteral("%1:%2").arg(host).arg(port);
        instants << horloge.elapsed();
        etat = QAbstractSocket::ConnectingState;
        emit stateChanged(etat);
        if (refuse) {
            etat = QAbstractSocket::UnconnectedState;
            emit error(QAbstractSocket::ConnectionRefusedError);
            return;
        }
        etat = QAbstractSocket::ConnectedState;
        emit connected();
    }

    void recoit(const QByteArray& octets)
    {
        aLire += octets;
        emit readyRead_tcpOld();
    }
    // The host goes away as TCP reports it: an error, then the disconnection.
    void hotePart()
    {
        etat = QAbstractSocket::UnconnectedState;
        emit error(QAbstractSocket::RemoteHostClosedError);
        emit disconnected();
    }
    QByteArray tout() const
    {
        QByteArray t;
        for (const QByteArray& e : ecritures)
            t += e;
        return t;
    }

private:
    void ferme_()
    {
        ++fermetures;
        if (etat == QAbstractSocket::UnconnectedState)
            return;
        etat = QAbstractSocket::UnconnectedState;
        emit disconnected();
    }
};

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

EvenementDeJeu evenement(int genre, const QString& texte, int siege, int etat, int noDemande, int mode = 0,
                         int source = EvenementDeJeu::Local_AI, qint64 id = 77)
{
    return EvenementDeJeu(genre, texte, siege, etat, source, id, mode, noDemande, 0, ZB_ICI);
}

QByteArray texte(const EvenementDeJeu& ev, int version = 2)
{
    return ev.toString(version).toUtf8();
}

OptionsDuJoueur joueur(const QString& nom, qint64 id, int distant = 0)
{
    OptionsDuJoueur j;
    j.nom_ = nom;
    j.id_ = id;
    j.distant_ = distant;
    return j;
}

QByteArray message(const QString& mot, int etat = 140)
{
    return texte(evenement(EvenementDeJeu::Mes, mot, 4, etat, -1, 0, EvenementDeJeu::Local_Table, -1));
}

// A replay block as a host sends it to a client entering at seat 1: the
// inscriptions, a deal, a trump and a card. The trump is seat 1's, chosen by
// the player idAtout from the source sourceAtout.
QByteArray blocDeReplay(int tete, QList<int>* etats = nullptr, qint64 idAtout = 77,
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
QByteArray carteSuivante()
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
    QSharedPointer<SocketFactice> socket = QSharedPointer<SocketFactice>::create();
    GM_MessageBoxDisplayerHeadless boites;
    std::unique_ptr<ClientSocket> client;

    Banc()
    {
        exec.liste = &liste;
        liste.version_ = 2;
        liste.joueurDistant_ = {true, false, true, true};
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

} // namespace

class TestClientSocket : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Banc> b;

private slots:
    void init() { b = std::make_unique<Banc>(); }
    void cleanup()
    {
        b.reset();
        QCoreApplication::sendPostedEvents();
    }

    void reecritureDeLaSource_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<int>("attendu");
        for (int s = 0; s < 3; ++s) {
            QTest::addRow("local %d, mine", s) << s << Moi << s + 3;
            QTest::addRow("local %d, other", s) << s << qint64(9) << s + 3;
        }
        QTest::newRow("remote AI, mine") << 3 << Moi << 9;
        QTest::newRow("remote AI, other") << 3 << qint64(-1) << 12;
        QTest::newRow("remote human, mine") << 4 << Moi << 7;
        QTest::newRow("remote human, other") << 4 << qint64(9) << 10;
        QTest::newRow("remote table, mine") << 5 << Moi << 8;
        QTest::newRow("remote table, other") << 5 << qint64(-1) << 11;
        QTest::newRow("other's table return, mine") << 11 << Moi << 8;
        QTest::newRow("other's table return, other") << 11 << qint64(9) << 11;
        QTest::newRow("my table return") << 8 << qint64(9) << 2;
        QTest::newRow("local transform") << 6 << Moi << 6;
        QTest::newRow("unknown") << 13 << Moi << 13;
    }

    void reecritureDeLaSource()
    {
        QFETCH(int, source);
        QFETCH(qint64, id);
        QFETCH(int, attendu);
        QCOMPARE(ClientSocket::sourceRecue(source, id, Moi), attendu);
    }

    void connexion()
    {
        QCOMPARE(b->socket->connexions, QStringList{QStringLiteral("jass.example:4000")});
        // Connecting, then connected: the room is asked for the user info.
        QCOMPARE(b->client->getEtat(), 2);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> infos = b->salle.deType(ZB_Event::ClientAskInfo);
        QCOMPARE(infos.size(), 1);
        QCOMPARE(infos[0].login, QStringLiteral("moi"));
        QCOMPARE(infos[0].id, qint64(42));
        QCOMPARE(infos[0].attente, 30);

        const OptionsDuJoueur moi = joueur(QStringLiteral("Moi"), Moi);
        const int version = 1;
        b->client->sendUserInfo(moi, 12, &version);
        QCOMPARE(b->client->getVersion(), 1);
        QCOMPARE(b->client->getEtat(), 5);
        QCOMPARE(b->fenetre.getSecondesAttente(), 12);
        QCOMPARE(b->fenetre.getCompteARebours().state(), QAbstractAnimation::Running);
        const EvenementDeJeu info(EvenementDeJeu::NeW, moi.sauveValeursDansString(), 4, EtatDeJeu::Identification, 2,
                                  Moi, 0, -1, -2, ZB_ICI);
        QCOMPARE(b->socket->ecritures, QList<QByteArray>{texte(info, 1)});
        // The user info is not resent.
        QVERIFY(!b->client->getTimerRenvoi().isActive());
    }

    // The host's seat key for this player is kept and announced, reaches
    // no table, leaves the client waiting for the host, and goes back with
    // the next identification; anything else of that kind is dropped.
    void cleDeSiege_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<int>("siege");
        QTest::addColumn<bool>("gardee");
        const QString cle = QStringLiteral("0123456789abcdef0123456789abcdef");
        QTest::newRow("this player's") << cle << Moi << 4 << true;
        QTest::newRow("another player's") << cle << Moi + 1 << 4 << false;
        QTest::newRow("at a seat") << cle << Moi << 1 << false;
        QTest::newRow("not a key") << cle.toUpper() << Moi << 4 << false;
        QTest::newRow("too short") << cle.left(31) << Moi << 4 << false;
    }
    void cleDeSiege()
    {
        QFETCH(QString, texte);
        QFETCH(qint64, id);
        QFETCH(int, siege);
        QFETCH(bool, gardee);
        b->attendHote();
        QSignalSpy annoncee(b->client.get(), &ClientSocket::signalCleDeSiege);
        b->socket->recoit(::texte(EvenementDeJeu(EvenementDeJeu::NeW, texte, siege, EtatDeJeu::Identification,
                                                 EvenementDeJeu::Local_Table, id, 0, -1, -2, ZB_ICI)));
        QVERIFY(b->exec.executes.isEmpty());
        QCOMPARE(b->client->getEtat(), 5);
        QCOMPARE(annoncee.size(), gardee ? 1 : 0);
        QCOMPARE(b->client->getCleDeSiege(), gardee ? texte : QString());
        b->socket->ecritures.clear();
        b->attendHote();
        ZB_FicheIdentification fiche;
        fiche.joueur_ = joueur(QStringLiteral("Moi"), Moi);
        fiche.cle_ = gardee ? texte : QString();
        QCOMPARE(b->socket->ecritures,
                 QList<QByteArray>{::texte(EvenementDeJeu(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4,
                                                          EtatDeJeu::Identification, 2, Moi, 0, -1, -2, ZB_ICI))});
    }

    // Records cut anywhere, characters split between reads included, are
    // decoded whole.
    void decoupage_data()
    {
        QTest::addColumn<int>("morceau");
        for (int n : {1, 2, 3, 5, 64, 10000})
            QTest::addRow("%d", n) << n;
    }

    void decoupage()
    {
        QFETCH(int, morceau);
        const QByteArray octets = message(QStringLiteral("àéîõü €")) + message(QStringLiteral("deux"))
            + message(QStringLiteral("{trois!}"));
        for (qsizetype i = 0; i < octets.size(); i += morceau)
            b->socket->recoit(octets.mid(i, morceau));
        QCOMPARE(b->exec.textesExecutes(),
                 (QStringList{QStringLiteral("àéîõü €"), QStringLiteral("deux"), QStringLiteral("{trois!}")}));
        QCOMPARE(b->exec.executes.at(0).source_, int(EvenementDeJeu::Remote_Table));
        QCOMPARE(b->client->getEtat(), 6);
        QCOMPARE(b->client->getOctetsEnAttente(), 0);
    }

    // A TCP read takes at most 10,000 bytes; a WebSocket message is taken
    // whole.
    void lectures()
    {
        const QByteArray un = message(QStringLiteral("x"));
        QByteArray beaucoup;
        while (beaucoup.size() < 25000)
            beaucoup += un;
        b->socket->recoit(beaucoup);
        QCOMPARE(b->socket->aLire.size(), 0);
        QCOMPARE(b->exec.executes.size(), beaucoup.size() / un.size());
        QCOMPARE(b->socket->lectures, QList<qint64>((beaucoup.size() + 9999) / 10000, 10000));

        b->exec.executes.clear();
        emit b->socket->binaryMessageReceived(message(QStringLiteral("a")) + message(QStringLiteral("b")));
        QCOMPARE(b->exec.textesExecutes(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }

    // A record that does not read is dropped, with whatever stood before
    // its "{", and the records after it still run.
    void recordsIllisibles_data()
    {
        QTest::addColumn<QByteArray>("mauvais");
        QTest::addColumn<QString>("raison");
        QTest::newRow("unknown kind") << QByteArray("{Xyz!a!4!140!2!-1!0!-1!0!}") << QStringLiteral("unknown kind");
        QTest::newRow("bad number") << QByteArray("{Mes!a!4!cent!2!-1!0!-1!0!}") << QString();
        QTest::newRow("inconsistent") << QByteArray("{Mes!a!4!140!2!-1!0!3!0!}") << QString();
        QTest::newRow("not UTF-8") << QByteArray("{Mes!\xff\xfe!4!140!2!-1!0!-1!0!}") << QStringLiteral("not UTF-8");
        QTest::newRow("bytes before") << QByteArray("junk{Mes!a!4!140!2!-1!0!-1!0!}")
                                      << QStringLiteral("bytes before the record");
        QTest::newRow("stray brace") << QByteArray("}{Mes!a!4!140!2!-1!0!-1!0!}")
                                     << QStringLiteral("bytes before the record");
        QTest::newRow("nested") << QByteArray("{{Mes!a!4!140!2!-1!0!-1!0!}}") << QString();
        QTest::newRow("extra field") << QByteArray("{Mes!a!4!140!2!-1!0!-1!0!9!}") << QString();
        QTest::newRow("empty") << QByteArray("{}") << QString();
    }

    void recordsIllisibles()
    {
        QFETCH(QByteArray, mauvais);
        QFETCH(QString, raison);
        const QString attendu = raison.isEmpty() ? QStringLiteral(" (") : QStringLiteral(" (%1): ").arg(raison);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^WARNING: ClientSocket dropped a record from "
                                                               "jass\\.example:4000")
                                                + QRegularExpression::escape(attendu)));
        b->socket->recoit(message(QStringLiteral("avant")) + mauvais + message(QStringLiteral("après")));
        QCOMPARE(b->exec.textesExecutes(), (QStringList{QStringLiteral("avant"), QStringLiteral("après")}));
        QCOMPARE(b->client->getOctetsEnAttente(), 0);
        QVERIFY(b->client->getSocket()->isOpen());
    }

    // A server that sends without end what cannot be handled is cut off,
    // as a network error.
    void tamponPlafonne_data()
    {
        QTest::addColumn<bool>("replay");
        QTest::newRow("unfinished record") << false;
        QTest::newRow("endless replay block") << true;
    }

    void tamponPlafonne()
    {
        QFETCH(bool, replay);
        b->attendHote();
        b->client->setTailleTamponMax(2000);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("more than 2000 bytes")));
        if (replay) {
            b->socket->recoit(texte(EvenementDeJeu(EvenementDeJeu::RsI, QString(), 1, EtatDeJeu::HorsDeroulement, 2,
                                                   -1, 3, -1, 0, ZB_ICI)));
            for (int i = 0; i < 200 && b->socket->isOpen(); ++i)
                b->socket->recoit(message(QStringLiteral("encore et encore")));
        } else {
            b->socket->recoit(QByteArray("{Mes!") + QByteArray(3000, 'x'));
        }
        QVERIFY(!b->socket->isOpen());
        QVERIFY(b->liste.interrompu_);
        QCOMPARE(b->client->getOctetsEnAttente(), 0);
        QVERIFY(!b->client->estEnReplay());
        QCOMPARE(b->client->getEtat(), 10);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].titre, TitreErreur);
        QCOMPARE(erreurs[0].texte, texteErreur(QStringLiteral("boom")));
        QCOMPARE(erreurs[0].drapeau, 1);
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, 1);
        // Nothing more is read from the stream that was cut.
        b->exec.executes.clear();
        b->socket->recoit(message(QStringLiteral("trop tard")));
        QVERIFY(b->exec.executes.isEmpty());
    }

    // A joining client's block comes in one piece with the next card behind
    // it: the user is told, and only once the notice is acknowledged does
    // the game so far replay, the card after it.
    void replayDansUnMorceau()
    {
        b->attendHote();
        QList<int> etats;
        b->socket->recoit(blocDeReplay(EvenementDeJeu::RsV, &etats) + carteSuivante());
        b->exec.ordre = etats;
        QVERIFY(b->exec.executes.isEmpty());
        QVERIFY(b->client->estEnReplay());
        QTRY_VERIFY_WITH_TIMEOUT(b->boites.aUneBoiteAffichee(), Delai);
        const GM_MessageBoxRequest boite = b->boites.historique().last().requete;
        QCOMPARE(boite.titre_, QStringLiteral("Notification"));
        QCOMPARE(boite.texte_, QStringLiteral("Le début de la partie va être rejoué, merci d'être attentif."));
        QCOMPARE(b->client->getEtat(), 6);
        // Nothing runs while the notice waits, whatever else arrives.
        b->socket->recoit(message(QStringLiteral("pendant")));
        QTest::qWait(20);
        QVERIFY(b->exec.executes.isEmpty());

        QVERIFY(b->boites.repond(GM::Ok));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.executes.size(), etats.size() + 1, Delai);
        QCOMPARE(b->exec.etatsExecutes().mid(0, etats.size()), etats);
        QCOMPARE(b->exec.executes.last().texte_, QStringLiteral("pendant"));
        QCOMPARE(b->display.modesVue, QList<int>{2});
        QVERIFY(!b->display.vueActive); // caught up, the user plays
        QCOMPARE(b->display.sieges, QList<int>{1});
        QCOMPARE(b->display.curseursRestaures, 1);
        // The table shows the game as joined online, once.
        QCOMPARE(b->display.rejoint, QList<bool>{true});
        QVERIFY(!b->client->estEnReplay());
        // Rewritten as seen from here: the host's own facts are remote, the
        // local player's inscription is not.
        const EvenementDeJeu& inscription = b->exec.executes.at(2);
        QCOMPARE(inscription.type_, int(EvenementDeJeu::InJ));
        OptionsDuJoueur lu;
        lu.chargeValeursDepuisString(inscription.texte_);
        QCOMPARE(lu.id_, Moi);
        QCOMPARE(lu.distant_, 0);
        QCOMPARE(b->exec.executes.at(5).source_, int(EvenementDeJeu::Remote_AI));
        QCOMPARE(b->liste.getDemandeurReplay(), nullptr);
    }

    // An undo's block replays at once; a card that arrives while it plays
    // waits until it has been played through.
    void evenementPendantLeReplay()
    {
        b->attendHote();
        QList<int> etats;
        const QByteArray bloc = blocDeReplay(EvenementDeJeu::RsI, &etats);
        b->exec.ordre = etats;
        b->exec.delai = 30.0;
        b->socket->recoit(bloc);
        QTRY_VERIFY_WITH_TIMEOUT(!b->exec.executes.isEmpty(), Delai);
        QVERIFY(b->exec.executes.size() < etats.size() - 1);
        QVERIFY(b->client->estEnReplay());
        b->socket->recoit(carteSuivante());
        QVERIFY(!b->exec.etatsExecutes().contains(38));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.etatsExecutes(), etats, Delai);
        QVERIFY(b->boites.historique().isEmpty());
        QCOMPARE(b->display.modesVue, QList<int>{1});
        QVERIFY(!b->display.vueActive);
        QVERIFY(!b->client->estEnReplay());
    }

    // A player back after a crash, under the id it had, is sent its own
    // moves of the game so far: they are the past, replayed as any other
    // player's, not echoes of what it just sent (which the table drops).
    void replayDeSesPropresCoups()
    {
        b->attendHote();
        QList<int> etats;
        const QByteArray bloc = blocDeReplay(EvenementDeJeu::RsI, &etats, Moi, EvenementDeJeu::Remote_Human);
        b->exec.ordre = etats;
        b->socket->recoit(bloc);
        // The last state is the card after the block's.
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.etatsExecutes(), etats.mid(0, etats.size() - 1), Delai);
        const EvenementDeJeu& atout = b->exec.executes.at(6);
        QCOMPARE(atout.type_, int(EvenementDeJeu::Cho));
        QCOMPARE(atout.idJoueur_, Moi);
        QCOMPARE(atout.source_, int(EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned));
    }

    // A block the list cannot replay is logged; the stream goes on.
    void replayIllisible()
    {
        QByteArray bloc = texte(EvenementDeJeu(EvenementDeJeu::RsI, QString(), 1, EtatDeJeu::HorsDeroulement, 2, -1, 3,
                                               -1, 0, ZB_ICI));
        bloc += texte(EvenementDeJeu(EvenementDeJeu::ReE, QString(), 4, EtatDeJeu::HorsDeroulement, 2, -1, 3, -1, 0,
                                     ZB_ICI));
        b->socket->recoit(bloc + message(QStringLiteral("vide")));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.textesExecutes(), QStringList{QStringLiteral("vide")}, Delai);

        // Only the last move after the end of the game: too short to find it.
        bloc = texte(EvenementDeJeu(EvenementDeJeu::RsI, QString(), 1, EtatDeJeu::HorsDeroulement, 2, -1, 3, -1, 0,
                                    ZB_ICI));
        bloc += texte(evenement(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, 134, 13));
        bloc += texte(EvenementDeJeu(EvenementDeJeu::ReE, QString(), 4, EtatDeJeu::HorsDeroulement, 2, -1, 3, -1, 0,
                                     ZB_ICI));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not replay the block")));
        b->socket->recoit(bloc + message(QStringLiteral("après")));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.textesExecutes().last(), QStringLiteral("après"), Delai);
        QVERIFY(!b->client->estEnReplay());
        QCOMPARE(b->liste.getDemandeurReplay(), nullptr);
    }

    // The socket goes while its replay plays: the list forgets it.
    void detruitPendantLeReplay()
    {
        b->attendHote();
        QList<int> etats;
        const QByteArray bloc = blocDeReplay(EvenementDeJeu::RsI, &etats);
        b->exec.ordre = etats;
        b->exec.delai = 10.0;
        b->socket->recoit(bloc);
        QTRY_VERIFY_WITH_TIMEOUT(b->liste.getDemandeurReplay() != nullptr, Delai);
        b->client.reset();
        QCOMPARE(b->liste.getDemandeurReplay(), nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.etatsExecutes(), etats.mid(0, etats.size() - 1), Delai);
        QTest::qWait(20);
    }

    // Every event but chat and the user info waits for its echo, and is
    // sent again until it comes.
    void echo()
    {
        b->attendHote();
        b->socket->ecritures.clear();
        const EvenementDeJeu carte =
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi);
        b->client->sendEvent(carte);
        QCOMPARE(b->socket->ecritures, QList<QByteArray>{texte(carte)});
        QVERIFY(b->client->getTimerRenvoi().isActive());
        QCOMPARE(b->client->getTimerRenvoi().interval(), 10000);

        // The host's echo, its source rewritten there.
        EvenementDeJeu retour = carte;
        retour.source_ = EvenementDeJeu::Remote_Human;
        b->socket->recoit(texte(retour));
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        QCOMPARE(b->client->getRenvois(), 0);
        // Seat 1 is this machine's: its echo is not run again.
        QVERIFY(b->exec.executes.isEmpty());

        // An echo under another player id than ours is worth a warning.
        const EvenementDeJeu autre =
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 39, 5, 0, EvenementDeJeu::Local_Human, 77);
        b->client->sendEvent(autre);
        EvenementDeJeu retourAutre = autre;
        retourAutre.source_ = EvenementDeJeu::Remote_Human;
        EvenementDeJeu vu = retourAutre;
        vu.source_ = EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned;
        vu.valide_ = true;
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("WARNING: Last sent evenement = %1, current evenement = %2, the "
                                                       "evenement PlayerId = 77, but the expected in 'options' is "
                                                       "PlayerId = 55")
                                            .arg(autre.toString(2), vu.toString(2))));
        b->socket->recoit(texte(retourAutre));
        QVERIFY(!b->client->getTimerRenvoi().isActive());

        // Chat is not waited for.
        b->client->sendEvent(
            evenement(EvenementDeJeu::Mes, QStringLiteral("salut"), 4, 140, -1, 0, EvenementDeJeu::Local_Human, Moi));
        QVERIFY(!b->client->getTimerRenvoi().isActive());
    }

    void renvois()
    {
        b->attendHote();
        b->socket->ecritures.clear();
        b->client->setDelaiRenvoi(2);
        const EvenementDeJeu carte =
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("did not answer .* after 13 resends")));
        b->client->sendEvent(carte);
        QTRY_COMPARE_WITH_TIMEOUT(b->socket->fermetures, 1, Delai);
        QCOMPARE(b->socket->ecritures.size(), 1 + 13);
        for (const QByteArray& e : std::as_const(b->socket->ecritures))
            QCOMPARE(e, texte(carte));
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        QVERIFY(b->liste.interrompu_);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
    }

    // A transport that takes part of a message has cut the stream.
    void ecritureIncomplete()
    {
        b->attendHote();
        b->socket->recoit(message(QStringLiteral("en jeu")));
        b->socket->prendAuPlus = 5;
        b->client->sendEvent(
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi));
        QCOMPARE(b->client->getEtat(), 10);
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].texte, texteErreur(QStringLiteral("boom")));
        QCOMPARE(erreurs[0].drapeau, 1);
        const QStringList lignes = b->socket->getLignesErreur();
        QCOMPARE(lignes.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^ClientSocket\\([0-9a-f]+:198\\.51\\.100\\.7\\)::onError boom$"))
                    .match(lignes[0])
                    .hasMatch());
    }

    // The connection refused, or the host full: said once, and the errors
    // after that are only logged.
    void refusEtComplet_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<bool>("refus"); // the host said it refuses the connection
        QTest::addColumn<int>("erreur");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("etatFinal");
        QTest::newRow("refused") << 2 << false << int(QAbstractSocket::ConnectionRefusedError) << Refuse << 8;
        QTest::newRow("full, waiting for the host")
            << 5 << true << int(QAbstractSocket::RemoteHostClosedError) << RefuseParLHote << 8;
        QTest::newRow("closed as soon as connected")
            << 2 << true << int(QAbstractSocket::RemoteHostClosedError) << RefuseParLHote << 8;
        QTest::newRow("closed while playing")
            << 6 << false << int(QAbstractSocket::RemoteHostClosedError) << Interrompue << 9;
        QTest::newRow("other error")
            << 6 << false << int(QAbstractSocket::SocketTimeoutError) << QStringLiteral("boom") << 10;
    }

    void refusEtComplet()
    {
        QFETCH(int, etat);
        QFETCH(bool, refus);
        QFETCH(int, erreur);
        QFETCH(QString, texte);
        QFETCH(int, etatFinal);
        b->fenetre.setEtat(etat);
        if (refus)
            b->socket->recoit(QByteArray(RECORD_REFUS_TABLE));
        QCOMPARE(b->client->getEtat(), etat);
        emit b->socket->error(QAbstractSocket::SocketError(erreur));
        QCOMPARE(b->client->getEtat(), etatFinal);
        emit b->socket->error(QAbstractSocket::NetworkError);
        QCOMPARE(b->client->getEtat(), etatFinal);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].titre, TitreErreur);
        QCOMPARE(erreurs[0].texte, texteErreur(texte));
        QCOMPARE(b->socket->getLignesErreur().size(), 2);
    }

    void refusALaConnexion()
    {
        b.reset();
        b = std::make_unique<Banc>();
        b->socket->refuse = true;
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, false);
        QCOMPARE(b->client->getEtat(), 8);
        QCOMPARE(b->fenetre.getTexte(), QStringLiteral("Déconnecté..."));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::SocketError).last().texte, texteErreur(Refuse));
    }

    // Who ended the connection decides whether the user is told.
    void deconnexion_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("fin"); // 0 this side closes, 1 the host with an error (TCP), 2 the host plainly
        QTest::addColumn<bool>("refus"); // the host said it refuses the connection first
        QTest::addColumn<int>("drapeau");
        QTest::addColumn<int>("etatFinal");
        QTest::addColumn<QString>("erreur");
        QTest::newRow("host gone while playing") << 6 << 1 << false << 1 << 9 << Interrompue;
        QTest::newRow("host full") << 5 << 1 << true << 0 << 8 << RefuseParLHote;
        QTest::newRow("user") << 7 << 0 << false << 0 << 7 << QString();
        QTest::newRow("gone while connecting") << 2 << 0 << false << 1 << 7 << QString();
        QTest::newRow("host closes plainly, waiting") << 5 << 2 << true << 0 << 8 << RefuseParLHote;
        QTest::newRow("host closes plainly, just connected") << 2 << 2 << true << 0 << 8 << RefuseParLHote;
        QTest::newRow("host closes plainly while playing") << 6 << 2 << false << 1 << 9 << QString();
    }

    void deconnexion()
    {
        QFETCH(int, etat);
        QFETCH(int, fin);
        QFETCH(bool, refus);
        QFETCH(int, drapeau);
        QFETCH(int, etatFinal);
        QFETCH(QString, erreur);
        b->fenetre.setEtat(etat);
        if (refus)
            b->socket->recoit(QByteArray(RECORD_REFUS_TABLE));
        b->client->sendEvent(
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi));
        if (fin == 1) {
            b->socket->hotePart();
        } else if (fin == 2) {
            b->socket->etat = QAbstractSocket::UnconnectedState;
            emit b->socket->disconnected();
        } else {
            b->client->closeConnection();
        }
        QCOMPARE(b->client->getEtat(), etatFinal);
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        // The room's request for the user info, posted when the connection
        // was made, may come after its end: the end stays shown.
        const qsizetype ecritures = b->socket->ecritures.size();
        b->client->sendUserInfo(joueur(QStringLiteral("moi"), Moi), 30, nullptr);
        QCOMPARE(b->client->getEtat(), etatFinal);
        QCOMPARE(b->socket->ecritures.size(), ecritures);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, drapeau);
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), erreur.isEmpty() ? 0 : 1);
        if (!erreur.isEmpty())
            QCOMPARE(erreurs[0].texte, texteErreur(erreur));
        QCOMPARE(b->client->getEssais(), 0);
        QCOMPARE(b->socket->connexions.size(), 1);
    }

    // A host that closes the connection before the game began without
    // saying it refuses it dropped it to make room: the client comes back
    // after a wait that doubles each time, telling the user which try comes
    // when, and the room hears nothing. After the last try the user is told
    // the host refused the connection.
    void essaisApresUnRenvoi_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<bool>("erreur"); // TCP reports the close as an error first
        QTest::newRow("waiting for the host, tcp") << 5 << true;
        QTest::newRow("just connected, websocket") << 2 << false;
    }
    void essaisApresUnRenvoi()
    {
        QFETCH(int, etat);
        QFETCH(bool, erreur);
        b->client->setDelaiEssai(10);
        auto renvoie = [&] {
            b->fenetre.setEtat(etat);
            if (erreur) {
                b->socket->hotePart();
            } else {
                b->socket->etat = QAbstractSocket::UnconnectedState;
                emit b->socket->disconnected();
            }
        };
        for (int essai = 1; essai <= ClientSocket::EssaisMax; ++essai) {
            renvoie();
            QCOMPARE(b->client->getEssais(), essai);
            QCOMPARE(b->client->getEtat(), 5);
            QCOMPARE(b->fenetre.getTexte(), annonceEssai(essai));
            QVERIFY(b->fenetre.getBoutonAnnuler()->isEnabled());
            QCOMPARE(b->client->getTimerEssai().interval(), 10 << (essai - 1));
            // The room's request for the user info of the dropped
            // connection: the next one asks again.
            b->attendHote();
            QCOMPARE(b->fenetre.getTexte(), annonceEssai(essai));
            QTRY_COMPARE_WITH_TIMEOUT(b->socket->connexions.size(), 1 + essai, Delai);
        }
        QVERIFY(b->socket->ecritures.isEmpty());
        renvoie();
        QCOMPARE(b->client->getEtat(), 8);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].texte, texteErreur(RefuseParLHote));
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, 0);
        QTest::qWait(100);
        QCOMPARE(b->socket->connexions.size(), 1 + ClientSocket::EssaisMax);
    }

    // Given up while waiting for the next try: no try follows.
    void annulationEntreDeuxEssais()
    {
        b->client->setDelaiEssai(50);
        b->attendHote();
        b->socket->hotePart();
        QCOMPARE(b->client->getEssais(), 1);
        b->client->OnConnectCancel_Answer(GM::Ok);
        QCOMPARE(b->client->getEtat(), 7);
        QTest::qWait(150);
        QCOMPARE(b->socket->connexions.size(), 1);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient)[0].drapeau, 0);
    }

    // The user gives up waiting: asked first, and only OK disconnects.
    void annulation()
    {
        b->attendHote();
        b->fenetre.show();
        QVERIFY(b->fenetre.getBoutonAnnuler()->isEnabled());
        QTest::mouseClick(b->fenetre.getBoutonAnnuler(), Qt::LeftButton);
        QVERIFY(!b->fenetre.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(b->boites.aUneBoiteAffichee(), Delai);
        GM_MessageBoxRequest question = b->boites.historique().last().requete;
        QCOMPARE(question.titre_, QStringLiteral("Connection client"));
        QCOMPARE(question.texte_,
                 QStringLiteral("Vous vous apprétez à vous déconnecter du serveur. Quitter tout de même?"));
        QCOMPARE(question.boutons_, GM::Ok | GM::Cancel);

        b->boites.repond(GM::Cancel);
        QTRY_VERIFY_WITH_TIMEOUT(b->fenetre.isVisible(), Delai);
        QVERIFY(b->socket->isOpen());
        QCOMPARE(b->client->getEtat(), 5);

        QTest::mouseClick(b->fenetre.getBoutonAnnuler(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(b->boites.aUneBoiteAffichee(), Delai);
        b->boites.repond(GM::Ok);
        QTRY_VERIFY_WITH_TIMEOUT(!b->socket->isOpen(), Delai);
        QCOMPARE(b->client->getEtat(), 7);
        QCOMPARE(b->fenetre.getTexte(), QStringLiteral("Déconnecté par l'utilisateur"));
        QVERIFY(b->liste.interrompu_);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient)[0].drapeau, 0);

        // Once playing, the button asks nothing.
        b->fenetre.setEtat(6);
        b->boites.effaceHistorique();
        b->client->OnConnectCancel_();
        QTest::qWait(20);
        QVERIFY(b->boites.historique().isEmpty());
    }

    // A public server that closes the connection before the game starts is
    // tried again, five times, then the user is told it is full.
    void tentativesPubliques()
    {
        b->client->setDelaiTentative(20);
        b->salle.surInfo = [this] { b->attendHote(); };
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, true);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->client->getEtat(), 3);
        QVERIFY(b->fenetre.isVisible());
        for (int tentative = 1; tentative <= 5; ++tentative) {
            b->socket->hotePart();
            QCOMPARE(b->client->getEtat(), 4);
            QCOMPARE(b->client->getTentatives(), tentative);
            QTRY_COMPARE_WITH_TIMEOUT(b->socket->connexions.size(), 2 + tentative, Delai);
            QCoreApplication::sendPostedEvents();
            QCOMPARE(b->client->getEtat(), 3);
        }
        for (qsizetype i = 2; i < b->socket->instants.size(); ++i)
            QVERIFY(b->socket->instants[i] - b->socket->instants[i - 1] >= 20);
        b->socket->hotePart();
        QCOMPARE(b->client->getEtat(), 8);
        QTest::qWait(60);
        QCOMPARE(b->socket->connexions.size(), 7);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].texte, texteErreur(RefuseParLHote));
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, 0);
    }

    // The real pause between two attempts is one second.
    void tentativePubliqueApresUneSeconde()
    {
        b->salle.surInfo = [this] { b->attendHote(); };
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, true);
        QCoreApplication::sendPostedEvents();
        QElapsedTimer chrono;
        chrono.start();
        // Without the error first, as a WebSocket may report it.
        b->socket->etat = QAbstractSocket::UnconnectedState;
        emit b->socket->disconnected();
        QTRY_COMPARE_WITH_TIMEOUT(b->socket->connexions.size(), 3, Delai);
        QVERIFY(chrono.elapsed() >= 990);
    }

    // Given up between two attempts: no attempt follows, and the room hears
    // of it since no socket will.
    void annulationEntreDeuxTentatives()
    {
        b->client->setDelaiTentative(50);
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, true);
        b->attendHote();
        b->socket->hotePart();
        QCOMPARE(b->client->getEtat(), 4);
        b->client->OnConnectCancel_Answer(GM::Ok);
        QCOMPARE(b->client->getEtat(), 7);
        QTest::qWait(150);
        QCOMPARE(b->socket->connexions.size(), 2);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient)[0].drapeau, 0);
    }

    void pontFerme()
    {
        b->attendHote();
        emit b->socket->signalBridgeClose(12, 13);
        QCOMPARE(b->client->getEtat(), 9);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].titre, TitreErreur);
        QCOMPARE(erreurs[0].texte, QStringLiteral("La connection avec le serveur a été interrompue."));
        QCOMPARE(erreurs[0].drapeau, 1);
    }

    // Writing to a connection that is gone is no error to report again.
    void envoiSansConnexion()
    {
        b->client->closeConnection();
        QCoreApplication::sendPostedEvents();
        b->salle.postes.clear();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not connected")));
        b->client->sendEvent(
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi));
        QCoreApplication::sendPostedEvents();
        QVERIFY(b->salle.postes.isEmpty());
        QVERIFY(!b->client->getTimerRenvoi().isActive());
    }
};

ZB_REGISTER_TEST(TestClientSocket)

// The client against the real hosting side, over the loopback.
namespace {

// The status window, keeping the texts it was given to announce.
class FenetreTemoin : public ZB_ClientConnection
{
public:
    QStringList annonces;
    void annonceEssai(int essai, int essais, int secondes) override
    {
        ZB_ClientConnection::annonceEssai(essai, essais, secondes);
        annonces << getTexte();
    }
};

} // namespace

class TestClientSocketReseau : public QObject
{
    Q_OBJECT

private slots:
    void aller_retour_data()
    {
        QTest::addColumn<bool>("web");
        QTest::newRow("tcp") << false;
        QTest::newRow("websocket") << true;
    }

    // Identification, the host's message, a chat's echo, then the host
    // stops while the game runs: the user is told.
    void aller_retour()
    {
        QFETCH(bool, web);
        // The host's table forwards what it ran to the clients, its author
        // too.
        SalleDeServeur hote;
        hote.renvoie = true;
        hote.groupe.initialise(1);
        ZB_ServerSocket serveur(nullptr, &hote, {}, &hote.groupe, QString());
        hote.serveur = &serveur;
        serveur.setVersion(2);
        serveur.attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0, false, 30);

        EcouteDeTest ecoute;
        QVERIFY(ecoute.ouvre(web, [&](GM_SocketAbstract* socket) { serveur.acceptConnection(socket); }));
        const quint16 port = ecoute.port;
        const QSharedPointer<GM_SocketAbstract> transport = ecoute.transport;

        SalleTemoin salle;
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        liste.version_ = 2;
        ZB_ClientConnection fenetre;
        ClientSocket client(&salle, &liste, nullptr, &fenetre, transport, nullptr);
        salle.surInfo = [&] {
            const int version = 2;
            client.sendUserInfo(joueur(QStringLiteral("Moi"), Moi), 30, &version);
        };
        client.connecte(QStringLiteral("127.0.0.1"), port, QStringLiteral("moi"), 42, 30, false);
        QTRY_COMPARE_WITH_TIMEOUT(serveur.getJoueurs().size(), 1, Delai);
        QCOMPARE(serveur.getJoueurs().at(0)->getPlayerId(), Moi);
        QCOMPARE(client.getEtat(), 5);

        serveur.envoieEvenement(EvenementDeJeu(EvenementDeJeu::Mes, QStringLiteral("Bienvenue à table"), 4,
                                               EtatDeJeu::HorsDeroulement,
                                               EvenementDeJeu::Local_Table, -1, 0, -1, 0, ZB_ICI));
        QTRY_COMPARE_WITH_TIMEOUT(exec.textesExecutes(), QStringList{QStringLiteral("Bienvenue à table")}, Delai);
        QCOMPARE(exec.executes.at(0).source_, int(EvenementDeJeu::Remote_Table));
        QCOMPARE(client.getEtat(), 6);

        // A line under the user's own seat (one in the server's name is
        // refused). The list runs its echo, as for a seat played from
        // elsewhere, so that the echo's source can be read.
        liste.joueurDistant_[1] = true;
        client.sendEvent(EvenementDeJeu(EvenementDeJeu::Mes, QStringLiteral("Salut"), 1, EtatDeJeu::HorsDeroulement,
                                        EvenementDeJeu::Local_Human, Moi, 0, -1, 0, ZB_ICI));
        QTRY_COMPARE_WITH_TIMEOUT(hote.textesDe(EvenementDeJeu::Mes), QStringList{QStringLiteral("Salut")}, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(exec.executes.size(), 2, Delai);
        QCOMPARE(exec.executes.at(1).source_, int(EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned));

        serveur.arrete();
        QTRY_COMPARE_WITH_TIMEOUT(salle.deType(ZB_Event::DisconnectClient).size(), 1, Delai);
        QCOMPARE(salle.deType(ZB_Event::DisconnectClient)[0].drapeau, 1);
        QVERIFY(client.getEtat() >= 7);
    }

    // A host that drops the joining client before it identified, as one
    // making room among idle connections does: the client comes back,
    // announcing each try, and is seated once the host lets it in; one that
    // keeps dropping it is given up after the last try. A host that refuses
    // it says so, and is not tried again.
    void essais_data()
    {
        QTest::addColumn<bool>("web");
        QTest::addColumn<int>("renvois"); // connections the host drops first; -1: it refuses them all
        QTest::addColumn<int>("essais");
        QTest::addColumn<bool>("assis");
        QTest::newRow("tcp, dropped once") << false << 1 << 1 << true;
        QTest::newRow("websocket, dropped twice") << true << 2 << 2 << true;
        QTest::newRow("tcp, always dropped") << false << 100 << ClientSocket::EssaisMax << false;
        QTest::newRow("tcp, refused") << false << -1 << 0 << false;
        QTest::newRow("websocket, refused") << true << -1 << 0 << false;
    }
    void essais()
    {
        QFETCH(bool, web);
        QFETCH(int, renvois);
        QFETCH(int, essais);
        QFETCH(bool, assis);
        SalleDeServeur hote;
        hote.groupe.initialise(1);
        ZB_ServerSocket serveur(nullptr, &hote, {}, &hote.groupe, QString());
        hote.serveur = &serveur;
        serveur.setVersion(2);
        // A stopped server refuses every connection.
        if (renvois >= 0)
            serveur.attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0, false, 30);

        int recues = 0;
        auto arrive = [&](GM_SocketAbstract* socket) {
            if (++recues <= renvois) {
                socket->abort();
                socket->deleteLater();
                return;
            }
            serveur.acceptConnection(socket);
        };
        EcouteDeTest ecoute;
        QVERIFY(ecoute.ouvre(web, arrive));
        const quint16 port = ecoute.port;
        const QSharedPointer<GM_SocketAbstract> transport = ecoute.transport;

        SalleTemoin salle;
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        liste.version_ = 2;
        FenetreTemoin fenetre;
        ClientSocket client(&salle, &liste, nullptr, &fenetre, transport, nullptr);
        client.setDelaiEssai(50);
        salle.surInfo = [&] {
            const int version = 2;
            client.sendUserInfo(joueur(QStringLiteral("Moi"), Moi), 30, &version);
        };
        client.connecte(QStringLiteral("127.0.0.1"), port, QStringLiteral("moi"), 42, 30, false);
        if (assis) {
            QTRY_COMPARE_WITH_TIMEOUT(serveur.getJoueurs().size(), 1, Delai);
            QCOMPARE(serveur.getJoueurs().at(0)->getPlayerId(), Moi);
            QCOMPARE(client.getEtat(), 5);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(salle.deType(ZB_Event::DisconnectClient).size(), 1, Delai);
            QCOMPARE(client.getEtat(), 8);
            const QList<Poste> erreurs = salle.deType(ZB_Event::SocketError);
            QCOMPARE(erreurs.size(), 1);
            QCOMPARE(erreurs[0].texte, texteErreur(RefuseParLHote, QStringLiteral("127.0.0.1"), port));
        }
        QCOMPARE(client.getEssais(), essais);
        QStringList annonces;
        for (int essai = 1; essai <= essais; ++essai)
            annonces << annonceEssai(essai);
        QCOMPARE(fenetre.annonces, annonces);
        // No try after the last.
        QTest::qWait(300);
        QCOMPARE(recues, 1 + essais);
    }
};

ZB_REGISTER_TEST(TestClientSocketReseau)
#include "TestClientSocket.moc"
