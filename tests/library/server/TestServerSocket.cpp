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
#include "ZB_FicheIdentification.h"
#include "ZB_GardeDesSieges.h"
#include "ZB_RecordFramer.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "SalleDeServeur.h"
#include "SalleEnReseau.h"
#include "ZbTestRegistry.h"

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

namespace {

constexpr int Delai = 5000;
const QHostAddress Publique(QStringLiteral("203.0.113.9"));

// A transport whose reads the test scripts and whose writes it keeps; it
// may take only part of each write, or fail.
class SocketScripte : public GM_SocketAbstract
{
    Q_OBJECT
public:
    QAbstractSocket::SocketState etat = QAbstractSocket::ConnectedState;
    QHostAddress adresse = Publique;
    quint16 port = 4567;
    QByteArray aLire;
    QByteArray ecrit;
    qint64 prendAuPlus = -1; // -1: everything
    bool echoue = false;
    int fermetures = 0;

    QAbstractSocket::SocketState state() const override { return etat; }
    qint64 write(const QByteArray& donnees) override
    {
        if (echoue)
            return -1;
        const qint64 n = prendAuPlus < 0 ? donnees.size() : qMin<qint64>(prendAuPlus, donnees.size());
        ecrit += donnees.left(n);
        return n;
    }
    qint64 bytesAvailable() const override { return aLire.size(); }
    QByteArray read(qint64 maxSize) override
    {
        const QByteArray morceau = aLire.left(maxSize);
        aLire.remove(0, morceau.size());
        return morceau;
    }
    QHostAddress peerAddress() const override { return adresse; }
    quint16 peerPort() const override { return port; }
    quint16 localPort() const override { return 4000; }
    QString errorString() const override { return QStringLiteral("boom"); }
    void abort() override { ferme_(); }
    void close() override { ferme_(); }
    void disconnectFromHost() override { ferme_(); }

    void recoit(const QByteArray& octets)
    {
        aLire += octets;
        emit readyRead_tcpOld();
    }
    QString texteEcrit() const { return QString::fromUtf8(ecrit); }

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
};

OptionsDuJoueur joueur(qint64 id, qint64 compte = -1)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("J%1").arg(id);
    j.id_ = id;
    j.idCompte_ = compte;
    return j;
}

QByteArray texte(const EvenementDeJeu& ev, int version = 2)
{
    return ev.toString(version).toUtf8();
}

QByteArray nouveau(const OptionsDuJoueur& j, qint64 idEvenement)
{
    return texte(EvenementDeJeu(EvenementDeJeu::NeW, j.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                EvenementDeJeu::Local_Table,
                                idEvenement, 0, -1, -2, ZB_ICI));
}

QByteArray nouveau(qint64 id)
{
    return nouveau(joueur(id), id);
}

// The identification with a seat key.
QByteArray nouveau(const OptionsDuJoueur& j, const QString& cle)
{
    ZB_FicheIdentification fiche;
    fiche.joueur_ = j;
    fiche.cle_ = cle;
    return texte(EvenementDeJeu(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                EvenementDeJeu::Local_Table, j.id_, 0, -1, -2, ZB_ICI));
}

// The seat key the host wrote to a client, empty when none.
QString cleDans(const QByteArray& octets)
{
    static const QRegularExpression record(QStringLiteral("\\{NeW!([0-9a-f]{32})!4!141!"));
    return record.match(QString::fromUtf8(octets)).captured(1);
}

QString cleEcrite(const SocketScripte* socket)
{
    return cleDans(socket->ecrit);
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

QByteArray message(qint64 id, const QString& mot, int siege = 1, int table = 0)
{
    return texte(EvenementDeJeu(EvenementDeJeu::Mes, mot, siege, EtatDeJeu::HorsDeroulement,
                                EvenementDeJeu::Local_Human, id, 0, -1, table,
                                ZB_ICI));
}

// Runs what the sockets and the server posted, deferred deletions too.
void traite()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

class TestServerSocket : public QObject
{
    Q_OBJECT

private:
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

private slots:
    void init() { cree(); }
    void cleanup()
    {
        serveur.reset();
        traite();
        vue.reset();
        bans.reset();
        salle.reset();
    }

    void reecritureDeLaSource_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<int>("attendu");
        for (int s = 0; s < 3; ++s)
            QTest::addRow("local %d", s) << s << qint64(5) << s + 3;
        QTest::newRow("remote AI, player") << 3 << qint64(5) << 12;
        QTest::newRow("remote AI, none") << 3 << qint64(-1) << 9;
        QTest::newRow("remote human, player") << 4 << qint64(5) << 10;
        QTest::newRow("remote human, none") << 4 << qint64(-1) << 7;
        QTest::newRow("remote table, player") << 5 << qint64(5) << 11;
        QTest::newRow("remote table, none") << 5 << qint64(-1) << 8;
        QTest::newRow("other table, player") << 11 << qint64(5) << 11;
        QTest::newRow("other table, none") << 11 << qint64(-1) << 8;
        QTest::newRow("own table message") << 8 << qint64(5) << 2;
        QTest::newRow("unchanged") << 6 << qint64(5) << 6;
        QTest::newRow("unknown") << 99 << qint64(5) << 99;
    }
    void reecritureDeLaSource()
    {
        QFETCH(int, source);
        QFETCH(qint64, id);
        QFETCH(int, attendu);
        QCOMPARE(ZB_ServerSocket::sourceRecue(source, id), attendu);
    }

    // The cutting alone: what a record is, what stands before it, and the
    // capacity that only the unfinished record counts against.
    void decoupeur_data()
    {
        QTest::addColumn<QList<QByteArray>>("morceaux");
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<QList<bool>>("precedes");
        QTest::addColumn<qsizetype>("reste");
        QTest::addColumn<bool>("deborde");
        using L = QList<QByteArray>;
        QTest::newRow("nested") << L{"{a{b}{c{d}}}{e}"} << L{"{a{b}{c{d}}}", "{e}"} << QList<bool>{false, false}
                                << qsizetype(0) << false;
        QTest::newRow("cut anywhere") << L{"{a", "{b", "}", "}{", "c"} << L{"{a{b}}"} << QList<bool>{false}
                                      << qsizetype(2) << false;
        QTest::newRow("before and between") << L{"x}{a}yy{b}"} << L{"{a}", "{b}"} << QList<bool>{true, true}
                                            << qsizetype(0) << false;
        QTest::newRow("only garbage waits") << L{"abc"} << L{} << QList<bool>{} << qsizetype(3) << false;
        QTest::newRow("many whole records pass the capacity")
            << L{"{1}{2}{3}{4}{5}"} << L{"{1}", "{2}", "{3}", "{4}", "{5}"} << QList<bool>(5, false) << qsizetype(0)
            << false;
        QTest::newRow("capacity reached") << L{"{12345678"} << L{} << QList<bool>{} << qsizetype(9) << false;
        QTest::newRow("capacity passed") << L{"{1234", "56789"} << L{} << QList<bool>{} << qsizetype(0) << true;
        QTest::newRow("after an overflow") << L{"{123456789", "{a}"} << L{"{a}"} << QList<bool>{false}
                                           << qsizetype(0) << true;
    }
    void decoupeur()
    {
        QFETCH(QList<QByteArray>, morceaux);
        QFETCH(QList<QByteArray>, records);
        QFETCH(QList<bool>, precedes);
        QFETCH(qsizetype, reste);
        QFETCH(bool, deborde);
        ZB_RecordFramer tampon(9);
        QList<QByteArray> lus;
        QList<bool> avant;
        bool aDeborde = false;
        for (const QByteArray& morceau : morceaux) {
            tampon.ajoute(morceau);
            for (;;) {
                QByteArray record;
                bool precede = false;
                const ZB_RecordFramer::Resultat r = tampon.prochain(record, precede);
                if (r == ZB_RecordFramer::Aucun)
                    break;
                if (r == ZB_RecordFramer::Debordement) {
                    aDeborde = true;
                    break;
                }
                lus << record;
                avant << precede;
            }
        }
        QCOMPARE(lus, records);
        QCOMPARE(avant, precedes);
        QCOMPARE(tampon.enAttente(), reste);
        QCOMPARE(aDeborde, deborde);
    }

    void maxPlayers()
    {
        QCOMPARE(serveur->maxPlayers(), 4);
        QCOMPARE(serveur->getNombreDeTables(), 1);
        cree(QSharedPointer<ZB_ServerSocket::ListeDeTables>::create());
        QCOMPARE(serveur->maxPlayers(), 0);
        QCOMPARE(serveur->getNombreDeTables(), 1);
        auto tables = QSharedPointer<ZB_ServerSocket::ListeDeTables>::create();
        tables->append(ZB_TableConfiguration({11, -1, 12, -1}));
        tables->append(ZB_TableConfiguration({13, 14, 15, -1}));
        cree(tables, 2);
        QCOMPARE(serveur->maxPlayers(), 5);
        QCOMPARE(serveur->getNombreDeTables(), 2);
    }

    // The bytes of one peer as they come: records split anywhere, several
    // in one read, a UTF-8 character cut in two; and what cannot be a
    // record is one strike, the records after it still count.
    void decoupage_data()
    {
        QTest::addColumn<QList<QByteArray>>("morceaux");
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<int>("strikes");
        const QByteArray a = message(7, QStringLiteral("a"));
        const QByteArray b = message(7, QStringLiteral("b"));
        const QByteArray e = message(7, QStringLiteral("été"));
        QTest::newRow("two in one read") << QList<QByteArray>{a + b} << QStringList{"a", "b"} << 0;
        QTest::newRow("one in three reads")
            << QList<QByteArray>{a.left(3), a.mid(3, 10), a.mid(13)} << QStringList{"a"} << 0;
        QTest::newRow("character cut in two")
            << QList<QByteArray>{e.left(6), e.mid(6)} << QStringList{QStringLiteral("été")} << 0;
        QTest::newRow("brace in the text waits")
            << QList<QByteArray>{QByteArrayLiteral("{Mes!{a!1!140!1!7!0!-1!0!}")} << QStringList{} << 0;
        QTest::newRow("nested record as the text")
            << QList<QByteArray>{QByteArrayLiteral("{Mes!{x!y!}!1!140!1!7!0!-1!0!}") + a}
            << QStringList{"{x!y!}", "a"} << 0;
        QTest::newRow("garbage before") << QList<QByteArray>{"xyz" + a + b} << QStringList{"b"} << 1;
        QTest::newRow("stray closing brace") << QList<QByteArray>{"}" + a + b} << QStringList{"b"} << 1;
        QTest::newRow("not a number")
            << QList<QByteArray>{QByteArrayLiteral("{Mes!a!1!x!1!7!0!-1!0!}") + b} << QStringList{"b"} << 1;
        QTest::newRow("unknown kind")
            << QList<QByteArray>{QByteArrayLiteral("{Xyz!a!1!140!1!7!0!-1!0!}") + b} << QStringList{"b"} << 1;
        QTest::newRow("empty record") << QList<QByteArray>{"{}" + b} << QStringList{"b"} << 1;
        QTest::newRow("fields after the event")
            << QList<QByteArray>{QByteArrayLiteral("{Mes!a!1!140!1!7!0!-1!0!9!9!}") + b} << QStringList{"b"} << 1;
        QTest::newRow("not UTF-8")
            << QList<QByteArray>{QByteArrayLiteral("{Mes!\xff\xfe!1!140!1!7!0!-1!0!}") + b} << QStringList{"b"} << 1;
        QTest::newRow("inconsistent event")
            << QList<QByteArray>{QByteArrayLiteral("{Mes!a!1!140!1!7!0!3!0!}") + b} << QStringList{"b"} << 1;
        QTest::newRow("version 1 text")
            << QList<QByteArray>{QByteArrayLiteral("{Mes!v1!1!140!1!7!0!-1!}")} << QStringList{"v1"} << 0;
    }
    void decoupage()
    {
        QFETCH(QList<QByteArray>, morceaux);
        QFETCH(QStringList, textes);
        QFETCH(int, strikes);
        SocketScripte* socket = joueurAssis(7);
        salle->appliques.clear();
        for (int i = 0; i < morceaux.size(); ++i) {
            socket->recoit(morceaux.at(i));
            traite();
            // A record is executed once, after its last byte.
            if (i + 1 < morceaux.size() && morceaux.size() > 1 && textes.size() == 1)
                QCOMPARE(messagesAppliques(), 0);
        }
        QStringList lus;
        for (const EvenementDeJeu& ev : std::as_const(salle->appliques))
            lus << ev.texte_;
        QCOMPARE(lus, textes);
        ZB_ServerSocketConnection* connection = connectionDe(socket);
        QVERIFY(connection != nullptr);
        QCOMPARE(connection->getStrikes(), quint64(strikes));
        // The rewritten source of a client's own message.
        for (const EvenementDeJeu& ev : std::as_const(salle->appliques))
            QCOMPARE(ev.source_, int(EvenementDeJeu::Remote_Human));
    }

    // One buffer per connection: two clients' halves do not mix.
    void tamponsSepares()
    {
        SocketScripte* un = joueurAssis(7);
        SocketScripte* deux = joueurAssis(8);
        salle->appliques.clear();
        const QByteArray a = message(7, QStringLiteral("a"));
        const QByteArray b = message(8, QStringLiteral("b"));
        un->recoit(a.left(9));
        deux->recoit(b.left(5));
        un->recoit(a.mid(9));
        deux->recoit(b.mid(5));
        traite();
        QCOMPARE(messagesAppliques(), 2);
        QCOMPARE(salle->appliques.at(0).idJoueur_, qint64(7));
        QCOMPARE(salle->appliques.at(1).idJoueur_, qint64(8));
        QCOMPARE(connectionDe(un)->getStrikes(), quint64(0));
        QCOMPARE(connectionDe(deux)->getStrikes(), quint64(0));
    }

    // An unfinished record larger than any client sends: a strike, and the
    // connection goes; what it sends afterwards is nobody's.
    void recordTropLong()
    {
        SocketScripte* socket = joueurAssis(7);
        QPointer<ZB_ServerSocketConnection> connection = connectionDe(socket);
        QByteArray grand(2 * 1024 * 1024, 'x');
        grand.prepend("{Mes!");
        for (qsizetype i = 0; i < grand.size(); i += 10000)
            QCoreApplication::postEvent(serveur.get(), new ZB_EventServerSocketData(grand.mid(i, 10000), connection));
        QCoreApplication::postEvent(serveur.get(),
                                    new ZB_EventServerSocketData(message(7, QStringLiteral("après")), connection));
        salle->appliques.clear();
        traite();
        QVERIFY(connection.isNull());
        QVERIFY(serveur->getConnections().isEmpty());
        QCOMPARE(messagesAppliques(), 0);
    }

    // Before identification only the identification counts; the record
    // must be the player the event names, and a real one.
    void identification_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("identifie");
        QTest::addColumn<int>("strikes");
        const OptionsDuJoueur j = joueur(42);
        QTest::newRow("identification") << nouveau(42) << true << 0;
        QTest::newRow("message first") << message(42, QStringLiteral("a")) + nouveau(42) << true << 1;
        QTest::newRow("other player's record") << nouveau(j, 43) << false << 1;
        QTest::newRow("no player") << nouveau(joueur(-1), -1) << false << 1;
        QTest::newRow("unreadable record")
            << texte(EvenementDeJeu(EvenementDeJeu::NeW, QStringLiteral("{a!b!}"), 4, EtatDeJeu::Identification, 2, 42,
                                    0, -1, -2, ZB_ICI))
            << false << 1;
        QTest::newRow("identification state, other kind")
            << texte(EvenementDeJeu(EvenementDeJeu::Mes, QStringLiteral("a"), 4, EtatDeJeu::Identification, 2, 42, 0,
                                    -1, -2, ZB_ICI))
            << false << 1;
        QTest::newRow("twice") << nouveau(42) + nouveau(42) << true << 1;
    }
    void identification()
    {
        QFETCH(QByteArray, octets);
        QFETCH(bool, identifie);
        QFETCH(int, strikes);
        SocketScripte* socket = connecte();
        ZB_ServerSocketConnection* connection = connectionDe(socket);
        QVERIFY(connection->getTimerAuthentification().isActive());
        QCOMPARE(connection->getTimerAuthentification().interval(), 8000);
        socket->recoit(octets);
        traite();
        QCOMPARE(connection->estIdentifie(), identifie);
        QCOMPARE(connection->getStrikes(), quint64(strikes));
        QCOMPARE(vue->nouvelles.size(), identifie ? 1 : 0);
        QVERIFY(salle->appliques.isEmpty());
        if (!identifie)
            return;
        QCOMPARE(connection->getPlayerId(), qint64(42));
        QCOMPARE(serveur->getJoueurs(), QList<ZB_ServerSocketConnection*>{connection});
        // Seen from the host the client is remote, and not a computer.
        QCOMPARE(vue->nouvelles.at(0).joueur.distant_, 1);
        QCOMPARE(vue->nouvelles.at(0).joueur.ordinateur_, 0);
        QCOMPARE(vue->nouvelles.at(0).connection, connection);
        QVERIFY(!vue->nouvelles.at(0).remplace);
        QCOMPARE(connection->toString(), QStringLiteral("Adresse: 203.0.113.9, Port: 4567, Id: 42"));
    }

    void clientsIdentifiesRemplissentLeServeur()
    {
        for (qint64 id = 1; id <= 4; ++id) {
            SocketScripte* socket = connecte();
            socket->recoit(nouveau(id));
            traite();
            QCOMPARE(serveur->getEtat(), id < 4 ? int(ZB_ServerSocket::AttenteJoueurs)
                                                : int(ZB_ServerSocket::CompletAvantDepart));
        }
    }

    void delaiDAuthentification()
    {
        SocketScripte* muet = connecte();
        SocketScripte* identifie = connecte();
        identifie->recoit(nouveau(5));
        traite();
        QPointer<ZB_ServerSocketConnection> c1 = connectionDe(muet);
        QPointer<ZB_ServerSocketConnection> c2 = connectionDe(identifie);
        c1->onAuthTimeout();
        c2->onAuthTimeout();
        traite();
        QVERIFY(c1.isNull());
        QVERIFY(!c2.isNull());
        QCOMPARE(c2->getStrikes(), quint64(0));
        QCOMPARE(vue->fermees.size(), 1);
    }

    // Past twenty strikes the connection is aborted; a public address is
    // reported for a ban, this machine, the gateway and the lobby's bridge
    // (no address) are not.
    void strikesEtBannissement_data()
    {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<int>("mauvais");
        QTest::addColumn<bool>("abandonne");
        QTest::addColumn<bool>("banni");
        QTest::newRow("twenty") << QStringLiteral("203.0.113.9") << 20 << false << false;
        QTest::newRow("public") << QStringLiteral("203.0.113.9") << 21 << true << true;
        QTest::newRow("public, many") << QStringLiteral("203.0.113.9") << 200 << true << true;
        QTest::newRow("loopback") << QStringLiteral("127.0.0.1") << 21 << true << false;
        QTest::newRow("loopback v6") << QStringLiteral("::1") << 21 << true << false;
        QTest::newRow("gateway") << QStringLiteral("192.168.1.1") << 21 << true << false;
        QTest::newRow("bridge") << QString() << 21 << true << false;
    }
    void strikesEtBannissement()
    {
        QFETCH(QString, adresse);
        QFETCH(int, mauvais);
        QFETCH(bool, abandonne);
        QFETCH(bool, banni);
        const QHostAddress hote = adresse.isEmpty() ? QHostAddress() : QHostAddress(adresse);
        SocketScripte* socket = connecte(hote);
        QPointer<ZB_ServerSocketConnection> connection = connectionDe(socket);
        QSignalSpy ban(connection.data(), &ZB_ServerSocketConnection::signalRequestBan);
        QByteArray octets;
        for (int i = 0; i < mauvais; ++i)
            octets += "{Xyz!}";
        socket->recoit(octets + nouveau(5));
        traite();
        QCOMPARE(connection.isNull(), abandonne);
        QCOMPARE(ban.size(), banni ? 1 : 0);
        QCOMPARE(bans->isBanned(hote), banni);
        if (!abandonne)
            QVERIFY(connection->estIdentifie());
        // A banned address is refused at once.
        QCOMPARE(connecte(hote) == nullptr, banni);
    }

    // Once identified, a client speaks for its own table and its own player
    // only; the table's facts are not the client's to state.
    void apresIdentification_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("applique");
        QTest::addColumn<int>("strikes");
        auto ev = [](int genre, const QString& t, int siege, int etat, qint64 id, int mode, int demande, int table) {
            return texte(EvenementDeJeu(genre, t, siege, etat, EvenementDeJeu::Local_Human, id, mode, demande, table,
                                        ZB_ICI));
        };
        const QString ok = QStringLiteral("Ok");
        QTest::newRow("own collect") << ev(EvenementDeJeu::Ram, ok, 1, 41, 7, 0, 3, 0) << true << 0;
        QTest::newRow("first table as -1") << ev(EvenementDeJeu::Ram, ok, 1, 41, 7, 0, 3, -1) << true << 0;
        QTest::newRow("own chat") << message(7, QStringLiteral("salut"), 1) << true << 0;
        QTest::newRow("chat in the server's name") << message(7, QStringLiteral("salut"), 4) << false << 1;
        QTest::newRow("chat claiming the table's source")
            << texte(EvenementDeJeu(EvenementDeJeu::Mes, QStringLiteral("x"), 1, EtatDeJeu::HorsDeroulement,
                                    EvenementDeJeu::SourceRemote_Table_MyOwnMessageReturned, 7, 0, -1, 0, ZB_ICI))
            << true << 0;
        QTest::newRow("another table") << ev(EvenementDeJeu::Ram, ok, 1, 41, 7, 0, 3, 1) << false << 1;
        QTest::newRow("no such table") << ev(EvenementDeJeu::Ram, ok, 1, 41, 7, 0, 3, 5) << false << 1;
        QTest::newRow("forged player") << ev(EvenementDeJeu::Ram, ok, 2, 41, 8, 0, 3, 0) << false << 1;
        QTest::newRow("forged chat") << message(8, QStringLiteral("x"), 1) << false << 1;
        QTest::newRow("forged end answer") << ev(EvenementDeJeu::Fin, ok, 1, 135, 8, 0, 3, 0) << false << 1;
        QTest::newRow("no such seat") << ev(EvenementDeJeu::Ram, ok, 5, 41, 7, 0, 3, 0) << false << 1;
        QTest::newRow("replay mode") << ev(EvenementDeJeu::Ram, ok, 1, 41, 7, 4, 3, 0) << false << 1;
        QTest::newRow("bad trump record") << ev(EvenementDeJeu::Cho, QStringLiteral("{x!}"), 1, 27, 7, 0, 3, 0)
                                          << false << 1;
        QTest::newRow("table deal") << ev(EvenementDeJeu::Dis, ok, 4, 7, 7, 0, 3, 0) << false << 0;
        QTest::newRow("offline notice") << ev(EvenementDeJeu::JoO, QString(), 1, 142, 7, 0, 3, 0) << false << 0;
        QTest::newRow("entry") << ev(EvenementDeJeu::JoN, joueur(7).sauveValeursDansString(), 1, 142, 7, 0, 3, 0)
                               << false << 0;
    }
    void apresIdentification()
    {
        QFETCH(QByteArray, octets);
        QFETCH(bool, applique);
        QFETCH(int, strikes);
        cree({}, 2);
        salle->groupe.getListe(0)->setEtatExecute(EtatDeJeu::Tour1_AttendCarte1 + 3);
        salle->groupe.getListe(0)->etatAttendu_ = EtatDeJeu::Tour1_AttendRamasseTas1;
        SocketScripte* socket = joueurAssis(7);
        salle->appliques.clear();
        socket->recoit(octets);
        traite();
        QCOMPARE(salle->appliques.size(), applique ? 1 : 0);
        QCOMPARE(connectionDe(socket)->getStrikes(), quint64(strikes));
        // A client's line reaches the table as a remote player's, whose
        // seat the table checks.
        if (applique && salle->appliques.at(0).type_ == EvenementDeJeu::Mes)
            QCOMPARE(salle->appliques.at(0).source_, int(EvenementDeJeu::Remote_Human));
    }

    // A flood of chat: the allowance passes, the rest is dropped with a
    // strike each, until the strikes cut the connection off.
    void floodDeMessages()
    {
        cree({}, 2);
        SocketScripte* socket = joueurAssis(7);
        QPointer<ZB_ServerSocketConnection> connection(connectionDe(socket));
        salle->appliques.clear();
        QByteArray flot;
        for (int i = 0; i < 10000; ++i)
            flot += message(7, QStringLiteral("x"), 1);
        socket->recoit(flot);
        traite();
        QCOMPARE(messagesAppliques(), ZB_ServerSocketConnection::MessagesParFenetre);
        QVERIFY(connection.isNull());
    }

    // A client not seated yet may still reach any table that exists, never
    // a list that does not.
    void clientPasEncoreAssis()
    {
        SocketScripte* socket = connecte();
        socket->recoit(nouveau(7) + message(7, QStringLiteral("a"), 1, 0) + message(7, QStringLiteral("b"), 1, 3));
        traite();
        QCOMPARE(messagesAppliques(), 1);
        QCOMPARE(connectionDe(socket)->getStrikes(), quint64(1));
    }

    // Table events go to the identified clients of the table and to those
    // not seated yet, whole however the transport takes them.
    void envoi()
    {
        cree({}, 2);
        SocketScripte* table0 = joueurAssis(1, 0);
        SocketScripte* table1 = joueurAssis(2, 1);
        SocketScripte* attend = connecte();
        attend->recoit(nouveau(3));
        SocketScripte* inconnu = connecte();
        traite();
        // Each heard its seat key when it identified, and nothing else.
        for (SocketScripte* client : {table0, table1, attend}) {
            QCOMPARE(client->ecrit, texte(EvenementDeJeu(EvenementDeJeu::NeW, cleEcrite(client), 4,
                                                         EtatDeJeu::Identification, EvenementDeJeu::Local_Table,
                                                         connectionDe(client)->getPlayerId(), 0, -1, -2, ZB_ICI),
                                          1));
            client->ecrit.clear();
        }
        table0->prendAuPlus = 7;
        serveur->setVersion(2);
        const EvenementDeJeu ev(EvenementDeJeu::Mes, QStringLiteral("àéîõü"), 4, EtatDeJeu::HorsDeroulement,
                                EvenementDeJeu::Local_Table, -1,
                                0, -1, 0, ZB_ICI);
        serveur->envoieEvenement(ev);
        QCOMPARE(table0->ecrit, texte(ev));
        QCOMPARE(attend->ecrit, texte(ev));
        QVERIFY(table1->ecrit.isEmpty());
        QVERIFY(inconnu->ecrit.isEmpty());
        serveur->setVersion(1);
        serveur->envoieEvenement(ev);
        QCOMPARE(attend->ecrit, texte(ev) + texte(ev, 1));
    }

    // A transport that fails, or takes nothing, cannot follow the stream:
    // the connection goes, and the loop ends.
    void envoiEchoue_data()
    {
        QTest::addColumn<bool>("echoue");
        QTest::addColumn<qint64>("prend");
        QTest::newRow("error") << true << qint64(-1);
        QTest::newRow("takes nothing") << false << qint64(0);
    }
    void envoiEchoue()
    {
        QFETCH(bool, echoue);
        QFETCH(qint64, prend);
        SocketScripte* socket = joueurAssis(1);
        QPointer<ZB_ServerSocketConnection> connection = connectionDe(socket);
        socket->echoue = echoue;
        socket->prendAuPlus = prend;
        QSignalSpy horsLigne(serveur.get(), &ZB_ServerSocket::signalSetClientOffline);
        serveur->envoieEvenement(EvenementDeJeu(EvenementDeJeu::Mes, QStringLiteral("x"), 4,
                                                EtatDeJeu::HorsDeroulement, 2, -1, 0, -1, 0,
                                                ZB_ICI));
        traite();
        QVERIFY(connection.isNull());
        QCOMPARE(horsLigne.size(), 1);
    }

    // Who may come in: only identified players count against the seats
    // (one more than the seats, for a player whose old socket hangs on);
    // sockets that never identify are capped apart, per address and in all,
    // where the oldest of the busiest address makes room. A refused socket
    // is told so before it is closed.
    void refus_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("identifies");
        QTest::addColumn<int>("muetsIci");      // unidentified, from the newcomer's address
        QTest::addColumn<int>("muetsAilleurs"); // unidentified, eight an address
        QTest::addColumn<bool>("banni");
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<bool>("placeFaite"); // the oldest unidentified one went
        const int parAdresse = ZB_ServerSocket::NonIdentifiesParAdresseMax;
        const int total = ZB_ServerSocket::NonIdentifiesMax;
        QTest::newRow("waiting") << 1 << 0 << 0 << 0 << false << true << false;
        QTest::newRow("stopped") << 0 << 0 << 0 << 0 << false << false << false;
        QTest::newRow("banned") << 1 << 0 << 0 << 0 << true << false << false;
        QTest::newRow("four players") << 1 << 4 << 0 << 0 << false << true << false;
        QTest::newRow("five players") << 1 << 5 << 0 << 0 << false << false << false;
        QTest::newRow("five players, running") << 6 << 5 << 0 << 0 << false << false << false;
        QTest::newRow("five idle elsewhere") << 1 << 0 << 0 << 5 << false << true << false;
        QTest::newRow("one player, idle here below the cap")
            << 5 << 1 << parAdresse - 1 << 0 << false << true << false;
        QTest::newRow("idle here at the cap") << 1 << 0 << parAdresse << 0 << false << false << false;
        QTest::newRow("idle elsewhere at the cap") << 1 << 0 << 0 << parAdresse << false << true << false;
        QTest::newRow("idle everywhere at the cap") << 1 << 0 << 0 << total << false << true << true;
    }
    void refus()
    {
        QFETCH(int, etat);
        QFETCH(int, identifies);
        QFETCH(int, muetsIci);
        QFETCH(int, muetsAilleurs);
        QFETCH(bool, banni);
        QFETCH(bool, accepte);
        QFETCH(bool, placeFaite);
        for (int i = 0; i < identifies; ++i) {
            SocketScripte* socket = connecte(QHostAddress(QStringLiteral("198.51.100.%1").arg(200 + i)));
            QVERIFY(socket != nullptr);
            socket->recoit(nouveau(i + 1));
            traite();
        }
        QList<QPointer<SocketScripte>> muets;
        for (int i = 0; i < muetsAilleurs; ++i)
            muets << connecte(QHostAddress(QStringLiteral("198.51.100.%1").arg(i / 8)));
        for (int i = 0; i < muetsIci; ++i)
            muets << connecte();
        QVERIFY(std::all_of(muets.cbegin(), muets.cend(), [](const QPointer<SocketScripte>& m) { return !m.isNull(); }));
        QCOMPARE(serveur->getJoueurs().size(), identifies);
        serveur->setEtat(etat);
        if (banni)
            bans->OnBan(Publique);
        const qsizetype avant = serveur->getConnections().size();

        auto* socket = new SocketScripte;
        QPointer<SocketScripte> garde(socket);
        QCOMPARE(serveur->acceptConnection(socket), accepte);
        // A refused socket is closed at once and deleted later: read it
        // before the events run.
        if (!accepte) {
            QCOMPARE(socket->fermetures, 1);
            QCOMPARE(socket->ecrit, QByteArray(RECORD_REFUS_TABLE));
        }
        traite();
        QCOMPARE(serveur->getConnections().size(), avant + (accepte ? 1 : 0) - (placeFaite ? 1 : 0));
        if (placeFaite) {
            QVERIFY(muets.first().isNull());
            QVERIFY(!muets.at(1).isNull());
        }
        if (!accepte)
            QVERIFY(garde.isNull());
        // Nobody who identified is ever the one to make room.
        QCOMPARE(serveur->getJoueurs().size(), identifies);
    }

    // The start seats the identified players, the first ones first, and
    // computers on the seats left; a player beyond the seats is dropped. A
    // host who plays sits first, and its seat is not the clients'.
    void departSansListe_data()
    {
        QTest::addColumn<bool>("hote");
        QTest::newRow("host without a seat") << false;
        QTest::newRow("host at the first seat") << true;
    }
    void departSansListe()
    {
        QFETCH(bool, hote);
        constexpr qint64 IdHote = 100;
        if (hote) {
            OptionsDuJoueur h;
            h.nom_ = QStringLiteral("Hote");
            h.id_ = IdHote;
            serveur->setJoueurLocal(h);
        }
        QCOMPARE(serveur->maxPlayers(), hote ? 3 : 4);
        QList<SocketScripte*> sockets;
        for (qint64 id = 1; id <= 5; ++id) {
            sockets << connecte(QHostAddress(QStringLiteral("198.51.100.%1").arg(id)));
            sockets.last()->recoit(nouveau(id));
        }
        traite();
        QSignalSpy depart(serveur.get(), &ZB_ServerSocket::signalDepart);
        OptionsDePartie options(TypeDePartie::GenreJass);
        serveur->start(options, 4001, 4002, 4000);
        QCOMPARE(serveur->getEtat(), int(ZB_ServerSeatingA::EnCoursComplet));
        QCOMPARE(salle->resets, QList<int>{1});
        QCOMPARE(depart.size(), 1);
        QStringList refus;
        for (qint64 id = hote ? 4 : 5; id <= 5; ++id)
            refus << QStringLiteral("WARNING|WARNING: ZB_ServerSocket::start() dropping %1:198.51.100.%1, "
                                    "because the server is already full.")
                         .arg(id);
        QCOMPARE(vue->logs, refus);
        QCOMPARE(sockets.at(4)->fermetures, 1);
        QCOMPARE(sockets.at(3)->fermetures, hote ? 1 : 0);
        QVERIFY(sockets.at(4)->ecrit.endsWith(RECORD_REFUS_TABLE));
        QCOMPARE(salle->genres(), (QStringList{"InJ", "InJ", "InJ", "InJ"}));
        for (int i = 0; i < 4; ++i) {
            const EvenementDeJeu& ev = salle->appliques.at(i);
            const qint64 id = hote ? (i == 0 ? IdHote : i) : i + 1;
            QCOMPARE(ev.etat_, i + 2);
            QCOMPARE(ev.idJoueur_, id);
            QCOMPARE(ev.noJoueur_, 4);
            QCOMPARE(ev.noTable_, 0);
            OptionsDuJoueur inscrit;
            inscrit.chargeValeursDepuisString(ev.texte_);
            // Seen from the host, its own player is of this machine, the
            // clients remote.
            QCOMPARE(inscrit.distant_, hote && i == 0 ? 0 : 1);
            if (id != IdHote)
                QCOMPARE(connectionDe(sockets.at(int(id - 1)))->getTableId(), 0);
        }
    }

    void departAvecOrdinateurs_data()
    {
        QTest::addColumn<bool>("atoutImpose");
        QTest::addColumn<quint16>("portSecure");
        QTest::newRow("version 1") << false << quint16(4001);
        QTest::newRow("version 2, no secure port") << true << quint16(0);
    }
    void departAvecOrdinateurs()
    {
        QFETCH(bool, atoutImpose);
        QFETCH(quint16, portSecure);
        for (qint64 id = 1; id <= 2; ++id)
            connecte()->recoit(nouveau(id));
        traite();
        serveur->setGenerateurDeNoms([] { return QStringLiteral("Robot"); });
        QSignalSpy depart(serveur.get(), &ZB_ServerSocket::signalDepart);
        OptionsDePartie options(TypeDePartie::GenreJass);
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_.atoutImpose_ = atoutImpose;
        options.optionsAIAdversaires_.nbrCombinations_ = 77;
        serveur->start(options, portSecure, 4002, 4000);
        QCOMPARE(serveur->getEtat(), int(ZB_ServerSeatingA::EnCoursAvecPlacesLibres));
        QCOMPARE(serveur->getVersion(), atoutImpose ? 2 : 1);
        QCOMPARE(salle->groupe.getListe(0)->version_, atoutImpose ? 2 : 1);
        QCOMPARE(depart.size(), portSecure != 0 ? 1 : 0);
        QCOMPARE(salle->appliques.size(), 4);
        for (int i = 2; i < 4; ++i) {
            OptionsDuJoueur ordinateur;
            ordinateur.chargeValeursDepuisString(salle->appliques.at(i).texte_);
            QCOMPARE(ordinateur.nom_, QStringLiteral("Robot"));
            QCOMPARE(ordinateur.ordinateur_, 1);
            QCOMPARE(ordinateur.optionsAI_.nbrCombinations_, 77.0);
            QCOMPARE(salle->appliques.at(i).idJoueur_, ordinateur.id_);
        }
        // Not again once started.
        serveur->start(options, portSecure, 4002, 4000);
        QCOMPARE(salle->resets.size(), 1);
    }

    // With the lobby's seating each user takes the seat it was given; a
    // user who did not come leaves it to a computer.
    void departAvecListe()
    {
        auto tables = QSharedPointer<ZB_ServerSocket::ListeDeTables>::create();
        tables->append(ZB_TableConfiguration({-1, 21, -1, 22}));
        tables->append(ZB_TableConfiguration({23, -1, -1, -1}));
        cree(tables, 2);
        QList<SocketScripte*> sockets;
        for (qint64 compte : {22, 21}) {
            sockets << connecte();
            sockets.last()->recoit(nouveau(joueur(compte * 10, compte), compte * 10));
        }
        traite();
        // Several tables need the table index in the texts: trump imposed.
        OptionsDePartie options(TypeDePartie::GenreJass);
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_.atoutImpose_ = true;
        serveur->start(options, 4001, 4002, 4000);
        QCOMPARE(salle->resets, QList<int>{2});
        QCOMPARE(serveur->getEtat(), int(ZB_ServerSeatingA::EnCoursAvecPlacesLibres));
        QCOMPARE(salle->appliques.size(), 8);
        QList<qint64> table0;
        QList<qint64> table1;
        for (const EvenementDeJeu& ev : std::as_const(salle->appliques))
            (ev.noTable_ == 0 ? table0 : table1) << ev.idJoueur_;
        QCOMPARE(table0.size(), 4);
        QCOMPARE(table0.at(1), qint64(210));
        QCOMPARE(table0.at(3), qint64(220));
        QVERIFY(!table1.contains(210) && !table1.contains(220));
        QCOMPARE(connectionDe(sockets.at(0))->getTableId(), 0);
    }

    void departRefuseParLaSalle()
    {
        connecte()->recoit(nouveau(1));
        traite();
        salle->resetReussi = false;
        QSignalSpy depart(serveur.get(), &ZB_ServerSocket::signalDepart);
        serveur->start(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000);
        QCOMPARE(depart.size(), 0);
        QVERIFY(salle->appliques.isEmpty());
    }

    // A player who leaves: offline, with the whole table told, unless it
    // only changed its connection; too few players left end the game.
    void joueurQuiPart_data()
    {
        QTest::addColumn<int>("requis");
        QTest::addColumn<bool>("fin");
        QTest::newRow("game goes on") << 1 << false;
        QTest::newRow("too few left") << 2 << true;
    }
    void joueurQuiPart()
    {
        QFETCH(int, requis);
        QFETCH(bool, fin);
        serveur->setNombreJoueursRequis(requis);
        SocketScripte* un = joueurAssis(1);
        QPointer<SocketScripte> deux = joueurAssis(2);
        serveur->setEtat(ZB_ServerSeatingA::EnCoursComplet);
        QSignalSpy horsLigne(serveur.get(), &ZB_ServerSocket::signalSetClientOffline);
        QSignalSpy finie(serveur.get(), &ZB_ServerSocket::signalOnlineGameEnded);
        un->disconnectFromHost();
        traite();
        QCOMPARE(horsLigne.size(), 1);
        QCOMPARE(horsLigne.at(0).at(0).toLongLong(), qint64(1));
        QCOMPARE(horsLigne.at(0).at(1).toBool(), !fin);
        QCOMPARE(horsLigne.at(0).at(2).toBool(), !fin);
        QCOMPARE(finie.size(), fin ? 1 : 0);
        QCOMPARE(vue->finsDePartie, fin ? QList<int>{1} : QList<int>{});
        QCOMPARE(serveur->getEtat(), fin ? 0 : int(ZB_ServerSeatingA::EnCoursComplet));
        QCOMPARE(serveur->getConnections().isEmpty(), fin);
        // Closed and gone with its connection.
        QCOMPARE(deux.isNull(), fin);
    }

    // A game the host started by hand is the host's: the last client who
    // leaves gives its seat to the computer, the game goes on and the
    // client can come back to it.
    void leJeuDeLHoteContinue()
    {
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, false, 0);
        SocketScripte* un = joueurAssis(1);
        const QString cle = cleEcrite(un);
        serveur->setEtat(ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
        QSignalSpy horsLigne(serveur.get(), &ZB_ServerSocket::signalSetClientOffline);
        QSignalSpy finie(serveur.get(), &ZB_ServerSocket::signalOnlineGameEnded);
        un->disconnectFromHost();
        traite();
        QCOMPARE(horsLigne.size(), 1);
        QVERIFY(horsLigne.at(0).at(1).toBool());
        QCOMPARE(finie.size(), 0);
        QCOMPARE(serveur->getEtat(), int(ZB_ServerSeatingA::EnCoursAvecPlacesLibres));
        SocketScripte* retour = connecte();
        QVERIFY(retour != nullptr);
        retour->recoit(nouveau(joueur(1), cle));
        traite();
        QCOMPARE(serveur->getJoueurs().size(), 1);
        QCOMPARE(vue->nouvelles.size(), 2);
    }

    // Waiting for an automatic start, the last player leaving sends the
    // others home.
    void attenteAutomatique()
    {
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, true, 30);
        QVERIFY(!serveur->getTimerDepart().isActive());
        SocketScripte* un = connecte();
        QVERIFY(serveur->getTimerDepart().isActive());
        QCOMPARE(serveur->getTimerDepart().interval(), 30000);
        QPointer<SocketScripte> muet = connecte();
        un->recoit(nouveau(1));
        traite();
        un->disconnectFromHost();
        traite();
        QCOMPARE(serveur->getEtat(), int(ZB_ServerSocket::AttenteJoueurs));
        QVERIFY(!serveur->getTimerDepart().isActive());
        QVERIFY(muet.isNull());
        QVERIFY(serveur->getConnections().isEmpty());
    }

    // Only players count for the game: a socket that never identified
    // neither sends the waiting players home nor keeps a deserted game
    // going, and a player on a new socket is not counted out meanwhile.
    void seulsLesJoueursComptent_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("requis");
        QTest::addColumn<int>("evenement"); // 0 the idle socket times out, 1 player 1 leaves, 2 it comes back
        QTest::addColumn<int>("etatFinal");
        QTest::addColumn<int>("joueursFinal");
        QTest::newRow("idle one times out, waiting") << 2 << 3 << 0 << 2 << 2;
        QTest::newRow("player back on a new socket, waiting") << 2 << 2 << 2 << 2 << 2;
        QTest::newRow("too few players left, one idle") << 5 << 2 << 1 << 0 << 0;
    }
    void seulsLesJoueursComptent()
    {
        QFETCH(int, etat);
        QFETCH(int, requis);
        QFETCH(int, evenement);
        QFETCH(int, etatFinal);
        QFETCH(int, joueursFinal);
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, true, 30);
        serveur->setNombreJoueursRequis(requis);
        SocketScripte* un = connecte(QHostAddress(QStringLiteral("198.51.100.1")));
        connecte(QHostAddress(QStringLiteral("198.51.100.2")))->recoit(nouveau(2));
        un->recoit(nouveau(1));
        SocketScripte* muet = connecte();
        traite();
        serveur->setEtat(etat);
        QSignalSpy finie(serveur.get(), &ZB_ServerSocket::signalOnlineGameEnded);
        if (evenement == 0)
            connectionDe(muet)->onAuthTimeout();
        else if (evenement == 1)
            un->disconnectFromHost();
        else
            connecte(QHostAddress(QStringLiteral("198.51.100.3")))->recoit(nouveau(1));
        traite();
        QCOMPARE(serveur->getEtat(), etatFinal);
        QCOMPARE(serveur->getJoueurs().size(), joueursFinal);
        QCOMPARE(finie.size(), etatFinal == 0 ? 1 : 0);
        QCOMPARE(serveur->getTimerDepart().isActive(), etatFinal == 2);
    }

    void demarrageAutomatique_data()
    {
        QTest::addColumn<int>("joueurs");
        QTest::addColumn<bool>("demarre");
        QTest::newRow("enough") << 1 << true;
        QTest::newRow("nobody") << 0 << false;
    }
    void demarrageAutomatique()
    {
        QFETCH(int, joueurs);
        QFETCH(bool, demarre);
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, true, 30);
        connecte();
        for (int i = 0; i < joueurs; ++i)
            connecte()->recoit(nouveau(i + 1));
        traite();
        QSignalSpy finie(serveur.get(), &ZB_ServerSocket::signalOnlineGameEnded);
        serveur->OnTimerStartTimeout();
        QCOMPARE(salle->resets.size(), demarre ? 1 : 0);
        QCOMPARE(finie.size(), demarre ? 0 : 1);
        QVERIFY(!serveur->getTimerDepart().isActive());
    }

    void erreurDeSocket()
    {
        SocketScripte* socket = connecte();
        emit socket->error(QAbstractSocket::RemoteHostClosedError);
        traite();
        QVERIFY(vue->logs.isEmpty());
        emit socket->error(QAbstractSocket::NetworkError);
        traite();
        QCOMPARE(vue->logs,
                 QStringList{QStringLiteral("WARNING|ZB_TableServer::customEvent received ZB_Event::TypeSocketError "
                                            "Adresse distante: 203.0.113.9, Port local: 4000, Port distant: 4567, "
                                            "Erreur: 7 (boom).")});
    }

    // A closed bridge drops the lobby user's connections, not those of
    // players without an account.
    void pontFerme()
    {
        SocketScripte* compte = connecte();
        compte->recoit(nouveau(joueur(1, 55), 1));
        SocketScripte* sansCompte = connecte();
        sansCompte->recoit(nouveau(2));
        traite();
        serveur->OnBridgeClose(-1, -1);
        traite();
        QCOMPARE(serveur->getConnections().size(), 2);
        serveur->OnBridgeClose(55, 9);
        traite();
        QCOMPARE(serveur->getConnections().size(), 1);
        QCOMPARE(serveur->getConnections().at(0)->getPlayerId(), qint64(2));
    }

    void nonIdentifiesDUneAdresse()
    {
        QPointer<SocketScripte> muet = connecte();
        SocketScripte* identifie = connecte();
        identifie->recoit(nouveau(1));
        SocketScripte* ailleurs = connecte(QHostAddress(QStringLiteral("198.51.100.1")));
        traite();
        serveur->disconnectUnidentifiedFrom(qHash(Publique, 0));
        QCOMPARE(muet->fermetures, 1);
        traite();
        QVERIFY(muet.isNull());
        QCOMPARE(identifie->fermetures, 0);
        QCOMPARE(ailleurs->fermetures, 0);
        QCOMPARE(serveur->getConnections().size(), 2);
    }

    // Who gives up a seat to a newcomer: the latest player of the address
    // holding the most seats, when it holds more than the newcomer's would.
    void placesParAdresse_data()
    {
        QTest::addColumn<QStringList>("tenues");
        QTest::addColumn<QString>("nouveau");
        QTest::addColumn<int>("victime");
        const QString a = QStringLiteral("198.51.100.1");
        const QString b = QStringLiteral("198.51.100.2");
        const QString c = QStringLiteral("198.51.100.3");
        const QString pont; // the lobby's bridge: no address
        QTest::newRow("one address, a newcomer from elsewhere") << QStringList{a, a, a, a} << b << 3;
        QTest::newRow("one address, a newcomer from there") << QStringList{a, a, a, a} << a << -1;
        QTest::newRow("two against none") << QStringList{a, b, b, c} << c << -1;
        QTest::newRow("two against one's two") << QStringList{a, b, a} << b << -1;
        QTest::newRow("three against one's two") << QStringList{a, b, a, a} << b << 3;
        QTest::newRow("the most, not the latest") << QStringList{a, a, a, b, b} << c << 2;
        QTest::newRow("a tie: the latest player's address") << QStringList{a, b, a, b} << c << 3;
        QTest::newRow("every address alone") << QStringList{a, b, c} << QStringLiteral("198.51.100.4") << -1;
        QTest::newRow("bridged players stay") << QStringList{pont, pont, pont} << a << -1;
        QTest::newRow("a bridged newcomer") << QStringList{a, a, pont} << pont << 1;
    }
    void placesParAdresse()
    {
        QFETCH(QStringList, tenues);
        QFETCH(QString, nouveau);
        QFETCH(int, victime);
        QList<QHostAddress> adresses;
        for (const QString& t : tenues)
            adresses << QHostAddress(t);
        QCOMPARE(ZB_GardeDesSieges::victime(adresses, QHostAddress(nouveau)), qsizetype(victime));
    }

    // Sockets from one address that identify under made-up ids, as many
    // as the host lets in, do not keep out a player from another address:
    // the latest of them make room, and the start seats the player.
    void fauxJoueurs_data()
    {
        QTest::addColumn<int>("enPlus"); // fakes beyond the seats
        QTest::newRow("as many as the seats") << 0;
        QTest::newRow("more than the host lets in") << 2;
    }
    void fauxJoueurs()
    {
        QFETCH(int, enPlus);
        Ecoute ecoute(serveur.get());
        QVERIFY(ecoute.isListening());
        const QHostAddress ailleurs(QStringLiteral("127.0.0.2"));
        const int places = serveur->maxPlayers();
        std::vector<std::unique_ptr<ClientReel>> faux;
        for (int i = 0; i < places + enPlus; ++i) {
            faux.push_back(std::make_unique<ClientReel>(ecoute.serverPort(), ailleurs));
            faux.back()->socket.write(nouveau(900 + i));
            // One more than the seats is let in; the next one is refused.
            QTRY_COMPARE_WITH_TIMEOUT(serveur->getJoueurs().size(), qMin(i + 1, places + 1), Delai);
        }
        if (enPlus > 1)
            QTRY_VERIFY_WITH_TIMEOUT(faux.back()->estFerme(), Delai);
        auto deFaux = [this, &ailleurs] {
            const QList<ZB_ServerSocketConnection*> joueurs = serveur->getJoueurs();
            return int(std::count_if(joueurs.cbegin(), joueurs.cend(), [&](const ZB_ServerSocketConnection* c) {
                return c->getSocket() != nullptr && c->getSocket()->peerAddress().isEqual(ailleurs);
            }));
        };

        ClientReel vrai(ecoute.serverPort());
        vrai.socket.write(nouveau(42));
        QTRY_VERIFY_WITH_TIMEOUT(!vrai.cle().isEmpty(), Delai);
        QTRY_COMPARE_WITH_TIMEOUT(deFaux(), places - 1, Delai);
        // The fakes that made room were told they were refused.
        auto refuses = [&faux] {
            return int(std::count_if(faux.cbegin(), faux.cend(), [](const std::unique_ptr<ClientReel>& f) {
                return f->lu.endsWith(RECORD_REFUS_TABLE);
            }));
        };
        QTRY_COMPARE_WITH_TIMEOUT(refuses(), enPlus + 1, Delai);
        QTRY_VERIFY_WITH_TIMEOUT(!vue->nouvelles.isEmpty() && vue->nouvelles.last().joueur.id_ == 42, Delai);
        ZB_ServerSocketConnection* joueur42 = vue->nouvelles.last().connection;
        QCOMPARE(serveur->getJoueurs().size(), places);
        QVERIFY(std::any_of(vue->logs.cbegin(), vue->logs.cend(), [](const QString& l) {
            return l.contains(QLatin1String("gives up its seat to"));
        }));
        serveur->start(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0);
        QCOMPARE(joueur42->getTableId(), 0);
        traite();
        QVERIFY(!vrai.estFerme());
    }

    void bookkeepingDesSieges()
    {
        SocketScripte* un = connecte();
        un->recoit(nouveau(1));
        traite();
        QVERIFY(!serveur->estListeDAttenteVide());
        serveur->connexionPlacee(connectionDe(un), 0);
        QVERIFY(serveur->estListeDAttenteVide());
        serveur->setEtatServeur(ZB_ServerSeatingA::EnCoursComplet);
        QCOMPARE(serveur->getEtat(), 6);
    }

    // The raw TCP transport end to end on the loopback: identification in
    // pieces, an event each way, the client's departure.
    void tcpReel()
    {
        QTcpServer ecoute;
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        connect(&ecoute, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = ecoute.nextPendingConnection())
                serveur->acceptConnection(new GM_SocketTCP(s));
        });
        salle->renvoie = true;
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, ecoute.serverPort());
        QVERIFY(client.waitForConnected(Delai));
        const QByteArray id = nouveau(9);
        client.write(id.left(10));
        client.flush();
        QTRY_COMPARE_WITH_TIMEOUT(serveur->getConnections().size(), 1, Delai);
        client.write(id.mid(10) + message(9, QStringLiteral("bonjour"), 1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(messagesAppliques(), 1, Delai);
        QCOMPARE(vue->nouvelles.size(), 1);
        QCOMPARE(vue->nouvelles.at(0).connection->getSocket()->peerAddress(),
                 QHostAddress(QHostAddress::LocalHost));
        // The table's echo of the chat comes back to its author.
        QByteArray recu;
        QTRY_VERIFY_WITH_TIMEOUT((recu += client.readAll()).contains("bonjour"), Delai);
        client.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(vue->fermees.size(), 1, Delai);
        QVERIFY(serveur->getConnections().isEmpty());
    }

    // Idle sockets from several addresses up to the cap, renewed until each
    // one the joiner found has made room and then some more, and a joiner
    // from an address of its own that identifies only then: room is made
    // at the flood's addresses, and the joiner is let in.
    void joueurParmiLesMuets_data()
    {
        QTest::addColumn<int>("adresses"); // the flood's, in turn
        QTest::newRow("four addresses") << 4;
        QTest::newRow("five addresses") << 5;
        QTest::newRow("sixteen addresses") << 16;
    }
    void joueurParmiLesMuets()
    {
        QFETCH(int, adresses);
        QTcpServer ecoute;
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        int recues = 0;
        connect(&ecoute, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = ecoute.nextPendingConnection()) {
                serveur->acceptConnection(new GM_SocketTCP(s));
                ++recues;
            }
        });
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        // A socket from that address, once the server took it in or turned
        // it away; null when the address cannot be bound.
        auto arrive = [&](const QHostAddress& depuis) -> QTcpSocket* {
            auto socket = std::make_unique<QTcpSocket>();
            if (!socket->bind(depuis, 0))
                return nullptr;
            const int avant = recues;
            socket->connectToHost(QHostAddress::LocalHost, ecoute.serverPort());
            if (!QTest::qWaitFor([&] { return recues > avant; }, Delai))
                return nullptr;
            clients.push_back(std::move(socket));
            return clients.back().get();
        };
        int tour = 0;
        auto muet = [&] { return arrive(QHostAddress(QStringLiteral("127.0.0.%1").arg(10 + tour++ % adresses))); };

        const int plafond = ZB_ServerSocket::NonIdentifiesMax;
        while (serveur->getConnections().size() < plafond && tour < 4 * plafond)
            QVERIFY(muet() != nullptr);
        QCOMPARE(serveur->getConnections().size(), qsizetype(plafond));
        QTcpSocket* joueur = arrive(QHostAddress(QStringLiteral("127.0.0.2")));
        if (joueur == nullptr)
            QSKIP("127.0.0.2 cannot be bound here");
        QList<QPointer<ZB_ServerSocketConnection>> trouvees;
        for (ZB_ServerSocketConnection* c : serveur->getConnections())
            if (c->getSocket()->peerAddress() != QHostAddress(QStringLiteral("127.0.0.2")))
                trouvees << c;
        auto restees = [&] {
            return std::count_if(trouvees.cbegin(), trouvees.cend(), [&](const QPointer<ZB_ServerSocketConnection>& c) {
                return serveur->getConnections().contains(c.data());
            });
        };
        for (int essais = 0; restees() > 0 && essais < 40 * plafond; ++essais)
            QVERIFY(muet() != nullptr);
        QCOMPARE(restees(), 0);
        for (int i = 0; i < plafond; ++i)
            QVERIFY(muet() != nullptr);
        QCOMPARE(serveur->getConnections().size(), qsizetype(plafond));

        joueur->write(nouveau(9));
        QTRY_COMPARE_WITH_TIMEOUT(serveur->getJoueurs().size(), 1, Delai);
        QCOMPARE(serveur->getJoueurs().at(0)->getSocket()->peerAddress(), QHostAddress(QStringLiteral("127.0.0.2")));
        QCOMPARE(joueur->state(), QAbstractSocket::ConnectedState);
    }

    void webSocketReel()
    {
        QWebSocketServer ecoute(QStringLiteral("test"), QWebSocketServer::NonSecureMode);
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        connect(&ecoute, &QWebSocketServer::newConnection, this, [&] {
            while (QWebSocket* s = ecoute.nextPendingConnection())
                serveur->acceptConnection(new GM_SocketWeb(s, true));
        });
        salle->renvoie = true;
        GM_SocketWeb client(true);
        QSignalSpy recu(&client, &GM_SocketAbstract::binaryMessageReceived);
        QSignalSpy connecteSignal(&client, &GM_SocketAbstract::connected);
        client.connectToHost(QStringLiteral("127.0.0.1"), ecoute.serverPort());
        QTRY_COMPARE_WITH_TIMEOUT(connecteSignal.size(), 1, Delai);
        const QByteArray id = nouveau(9);
        client.write(id.left(10));
        client.write(id.mid(10) + message(9, QStringLiteral("bonjour"), 1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(messagesAppliques(), 1, Delai);
        // The seat key, then the chat's echo.
        QTRY_COMPARE_WITH_TIMEOUT(recu.size(), 2, Delai);
        QVERIFY(!cleDans(recu.at(0).at(0).toByteArray()).isEmpty());
        QVERIFY(recu.at(1).at(0).toByteArray().contains("bonjour"));
        client.close();
        QTRY_COMPARE_WITH_TIMEOUT(vue->fermees.size(), 1, Delai);
    }
};

// The server driving a real table: a client whose socket closes mid-game
// is replaced by its computer player, comes back and is sent the game so
// far; one that reconnects while its old socket hangs on gets its seat too.
namespace {

} // namespace

class TestServerSocketTable : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SalleEnReseau> salle;
    VueTemoin vue;

    // cle: the seat key the host wrote to the player's first connection.
    SocketScripte* arrive(qint64 id, qint64 prendAuPlus = -1, const QString& cle = QString())
    {
        auto* socket = new SocketScripte;
        socket->prendAuPlus = prendAuPlus;
        if (!salle->serveur->acceptConnection(socket))
            return nullptr;
        socket->recoit(nouveau(joueur(id, id + 1000), cle));
        traite();
        return socket;
    }


private slots:
    void init()
    {
        salle = std::make_unique<SalleEnReseau>();
        salle->table->nouvellePartie(ZB_RoomTable::ReseauServeur, OptionsDePartie(TypeDePartie::GenreJass));
        salle->suitLesDeconnexions();
        vue = VueTemoin();
        salle->serveur->setSocketInput(&vue);
        salle->serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, false, 30);
        // Seat 0 a computer, seats 1 to 3 clients, in the first trick.
        OptionsDuJoueur ordinateur;
        ordinateur.nom_ = QStringLiteral("IA0");
        ordinateur.ordinateur_ = 1;
        salle->table->inscritJoueur(0, ordinateur, Joueur::ModeOrdinateur, false);
        for (int siege = 1; siege < 4; ++siege) {
            OptionsDuJoueur client = joueur(300 + siege, 1300 + siege);
            client.distant_ = 1;
            salle->table->inscritJoueur(siege, client, Joueur::ModeHumainDistant, false);
        }
        salle->groupe.getListe(0)->etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1 + 3;
    }
    void cleanup()
    {
        salle.reset();
        traite();
    }

    void horsLigneEtRetour()
    {
        QList<SocketScripte*> sockets;
        for (int siege = 1; siege < 4; ++siege) {
            sockets << arrive(300 + siege);
            salle->serveur->connexionPlacee(vue.nouvelles.last().connection, 0);
        }
        salle->serveur->setEtatServeur(ZB_ServerSeatingA::EnCoursComplet);
        vue.salle = salle.get();

        // Seat 2's socket closes: the computer takes the seat and the
        // others hear why.
        const QString cle = cleEcrite(sockets.at(1));
        sockets.at(1)->disconnectFromHost();
        traite();
        QCOMPARE(salle->table->getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant));
        QVERIFY(sockets.at(0)->texteEcrit().contains(QStringLiteral("il est remplacé par l'ordinateur")));
        QVERIFY(sockets.at(2)->texteEcrit().contains(QStringLiteral("{JoO!")));
        salle->serveur->setEtatServeur(ZB_ServerSeatingA::EnCoursAvecPlacesLibres);

        // Back on a new socket: its seat, and the game so far written to it,
        // whole though the transport takes a few bytes at a time.
        SocketScripte* retour = arrive(302, 5, cle);
        QVERIFY(retour != nullptr);
        // Also what the table says of the return, like any client not
        // seated yet.
        const QString rattrapage = retour->texteEcrit();
        const qsizetype debut = rattrapage.indexOf(QStringLiteral("{RsI!"));
        QVERIFY2(debut >= 0, qPrintable(rattrapage));
        QVERIFY(rattrapage.indexOf(QStringLiteral("{ReE!")) > debut);
        // Its entry comes after the block: the replay rebuilds the client's
        // table from nothing, and an entry heard before it would be lost.
        QVERIFY2(rattrapage.indexOf(QStringLiteral("{JoM!")) > rattrapage.indexOf(QStringLiteral("{ReE!")),
                 qPrintable(rattrapage));
        QCOMPARE(vue.nouvelles.last().connection->getTableId(), 0);
        QCOMPARE(salle->table->getEntreesProchainPli().value(2).id_, qint64(302));
        // Seat 0's computer still offers a seat.
        QCOMPARE(salle->serveur->getEtat(), int(ZB_ServerSeatingA::EnCoursAvecPlacesLibres));
        // The others hear of the return.
        QVERIFY(sockets.at(0)->texteEcrit().contains(QStringLiteral("s'est reconnecté")));
    }

    // The same player on a new socket while the old one still looks open:
    // the old one goes offline first, then the new one takes the seat.
    void nouvelleConnexionDuMemeJoueur()
    {
        QList<SocketScripte*> sockets;
        for (int siege = 1; siege < 4; ++siege) {
            sockets << arrive(300 + siege);
            salle->serveur->connexionPlacee(vue.nouvelles.last().connection, 0);
        }
        salle->serveur->setEtatServeur(ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
        vue.salle = salle.get();
        QPointer<SocketScripte> ancienne = sockets.at(2);
        SocketScripte* nouvelle = arrive(303, -1, cleEcrite(sockets.at(2)));
        QVERIFY(ancienne.isNull());
        QVERIFY(vue.nouvelles.last().remplace);
        QCOMPARE(salle->serveur->getConnections().size(), 3);
        QCOMPARE(salle->table->getJoueur(3)->modeJeu_, int(Joueur::ModeRemplacant));
        QCOMPARE(salle->table->getEntreesProchainPli().value(3).id_, qint64(303));
        QVERIFY(nouvelle->texteEcrit().contains(QStringLiteral("{RsI!")));
    }

    // Every client hears every seated player's id: a second connection
    // under a player's id is that player only with the seat key the host
    // wrote to the player's first connection. Without it, whether the
    // player is still connected or its seat is held for it while it is
    // offline, the newcomer is closed and gets nothing of the table; with
    // it (the player on a new socket, or its program started again) it
    // takes the seat over.
    void usurpateur_data()
    {
        QTest::addColumn<bool>("enLigne");
        QTest::addColumn<QString>("cle"); // "vraie": the player's own
        QTest::addColumn<bool>("prend");
        const QString fausse(ZB_FicheIdentification::KeyLength, QLatin1Char('a'));
        QTest::newRow("player connected, no key") << true << QString() << false;
        QTest::newRow("player connected, wrong key") << true << fausse << false;
        QTest::newRow("player connected, its key") << true << QStringLiteral("vraie") << true;
        QTest::newRow("player offline, no key") << false << QString() << false;
        QTest::newRow("player offline, wrong key") << false << fausse << false;
        QTest::newRow("player offline, its key") << false << QStringLiteral("vraie") << true;
    }
    void usurpateur()
    {
        QFETCH(bool, enLigne);
        QFETCH(QString, cle);
        QFETCH(bool, prend);
        Ecoute ecoute(salle->serveur);
        QVERIFY(ecoute.isListening());
        SocketScripte* temoin = arrive(301);
        salle->serveur->connexionPlacee(vue.nouvelles.last().connection, 0);
        // The key comes before anything of the table, to this client alone.
        QCOMPARE(temoin->texteEcrit().count(QStringLiteral("{NeW!")), 1);

        ClientReel joueur302(ecoute.serverPort());
        joueur302.socket.write(nouveau(joueur(302, 1302), QString()));
        QTRY_VERIFY_WITH_TIMEOUT(!joueur302.cle().isEmpty(), Delai);
        QTRY_COMPARE_WITH_TIMEOUT(salle->serveur->getJoueurs().size(), 2, Delai);
        ZB_ServerSocketConnection* premiere = salle->serveur->getJoueurs().last();
        salle->serveur->connexionPlacee(premiere, 0);
        QVERIFY(!temoin->texteEcrit().contains(joueur302.cle()));
        salle->serveur->setEtatServeur(ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
        vue.salle = salle.get();
        if (!enLigne) {
            joueur302.socket.disconnectFromHost();
            QTRY_COMPARE_WITH_TIMEOUT(salle->table->getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant), Delai);
        }
        const qsizetype entendu = temoin->ecrit.size();

        ClientReel autre(ecoute.serverPort());
        autre.socket.write(nouveau(joueur(302, 1302), cle == QLatin1String("vraie") ? joueur302.cle() : cle));
        if (prend) {
            QTRY_VERIFY_WITH_TIMEOUT(autre.lu.contains("{RsI!"), Delai);
            if (enLigne)
                QTRY_VERIFY_WITH_TIMEOUT(joueur302.estFerme(), Delai);
            QCOMPARE(salle->table->getEntreesProchainPli().value(2).id_, qint64(302));
            QTRY_VERIFY_WITH_TIMEOUT(temoin->texteEcrit().mid(entendu).contains(QStringLiteral("s'est reconnecté")),
                                     Delai);
            // It keeps the key it has: no new one.
            QVERIFY(autre.cle().isEmpty());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(autre.estFerme(), Delai);
        traite();
        // Told it was refused, and nothing else.
        QCOMPARE(autre.lu, QByteArray(RECORD_REFUS_TABLE));
        QVERIFY(!temoin->texteEcrit().mid(entendu).contains(QStringLiteral("s'est reconnecté")));
        // The only entry is the computer's, for a seat held for its player.
        for (const QMap<int, OptionsDuJoueur>& entrees :
             {salle->table->getEntreesProchainPli(), salle->table->getEntreesProchaineDonne()})
            for (const OptionsDuJoueur& entree : entrees)
                QVERIFY(entree.id_ != 302 && entree.ordinateur_ == 1);
        QCOMPARE(salle->table->getJoueur(2)->modeJeu_,
                 int(enLigne ? Joueur::ModeHumainDistant : Joueur::ModeRemplacant));
        if (enLigne) {
            QVERIFY(!joueur302.estFerme());
            QVERIFY(salle->serveur->getJoueurs().contains(premiere));
        }
    }
};

ZB_REGISTER_TEST(TestServerSocket)
ZB_REGISTER_TEST(TestServerSocketTable)
#include "TestServerSocket.moc"
