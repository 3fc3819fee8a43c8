#include "ServerSocketTestKit.h"
#include "ZB_MessageDeTable.h"
#include "ZbTestRegistry.h"

using namespace serveurtest;

// The records of one peer as they come: the source the server writes in,
// the cutting, identification first, strikes and bans, the flood, and what
// goes back to the clients.
class TestServerSocket : public QObject, private BancServeur
{
    Q_OBJECT

private slots:
    void init() { cree(); }
    void cleanup() { demonte(); }

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
        salle->groupe.getListe(0)->setEtatAttendu(EtatDeJeu::Tour1_AttendRamasseTas1);
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

    // The host's view hears nothing of a joining copy that tries another
    // transport first on this port (closed at once).
    void ceQueLHoteLit()
    {
        cree({}, 2);
        SocketScripte* essai = connecte();
        QPointer<ZB_ServerSocketConnection> connectionEssai(connectionDe(essai));
        essai->recoit(QByteArrayLiteral("GET / HTTP/1.1\r\nUpgrade: websocket\r\n\r\n"));
        traite();
        QVERIFY(connectionEssai.isNull());
        QVERIFY2(vue->logs.isEmpty(), qPrintable(vue->logs.join(QLatin1Char('\n'))));
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
            QCOMPARE(client->ecrit(), texte(EvenementDeJeu(EvenementDeJeu::NeW, cleEcrite(client), 4,
                                                         EtatDeJeu::Identification, EvenementDeJeu::Local_Table,
                                                         connectionDe(client)->getPlayerId(), 0, -1, -2, ZB_ICI),
                                          1));
            client->ecritures.clear();
        }
        table0->prendAuPlus = 7;
        serveur->setVersion(2);
        const EvenementDeJeu ev(EvenementDeJeu::Mes, QStringLiteral("àéîõü"), 4, EtatDeJeu::HorsDeroulement,
                                EvenementDeJeu::Local_Table, -1,
                                0, -1, 0, ZB_ICI);
        serveur->envoieEvenement(ev);
        QCOMPARE(table0->ecrit(), texte(ev));
        QCOMPARE(attend->ecrit(), texte(ev));
        QVERIFY(table1->ecrit().isEmpty());
        QVERIFY(inconnu->ecrit().isEmpty());
        serveur->setVersion(1);
        serveur->envoieEvenement(ev);
        QCOMPARE(attend->ecrit(), texte(ev) + texte(ev, 1));
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
};

ZB_REGISTER_TEST(TestServerSocket)
#include "TestServerSocket.moc"
