#include "GM_SpacesSeparatedString.h"
#include "ServerSocketTestKit.h"
#include "ZbTestRegistry.h"

using namespace serveurtest;

// Who may come in and where they sit: refusals, the start with and without
// the lobby's seating, players who leave, automatic starts and the seats
// kept per address.
class TestServerSocketSeating : public QObject, private BancServeur
{
    Q_OBJECT

private slots:
    void init() { cree(); }
    void cleanup() { demonte(); }

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
        QTest::addColumn<QByteArray>("refus"); // what a refused socket is told; empty when accepted
        QTest::addColumn<bool>("placeFaite"); // the oldest unidentified one went
        const int parAdresse = ZB_ServerSocket::NonIdentifiesParAdresseMax;
        const int total = ZB_ServerSocket::NonIdentifiesMax;
        const QByteArray accepte;
        const QByteArray refuse(RECORD_REFUS_TABLE);
        const QByteArray complet = refuse + QByteArray(RECORD_REFUS_COMPLET);
        QTest::newRow("waiting") << 1 << 0 << 0 << 0 << false << accepte << false;
        QTest::newRow("stopped") << 0 << 0 << 0 << 0 << false << refuse << false;
        QTest::newRow("banned") << 1 << 0 << 0 << 0 << true << refuse << false;
        QTest::newRow("four players") << 1 << 4 << 0 << 0 << false << accepte << false;
        QTest::newRow("five players") << 1 << 5 << 0 << 0 << false << complet << false;
        QTest::newRow("five players, running") << 6 << 5 << 0 << 0 << false << complet << false;
        QTest::newRow("five idle elsewhere") << 1 << 0 << 0 << 5 << false << accepte << false;
        QTest::newRow("one player, idle here below the cap")
            << 5 << 1 << parAdresse - 1 << 0 << false << accepte << false;
        QTest::newRow("idle here at the cap") << 1 << 0 << parAdresse << 0 << false << refuse << false;
        QTest::newRow("idle elsewhere at the cap") << 1 << 0 << 0 << parAdresse << false << accepte << false;
        QTest::newRow("idle everywhere at the cap") << 1 << 0 << 0 << total << false << accepte << true;
    }
    void refus()
    {
        QFETCH(int, etat);
        QFETCH(int, identifies);
        QFETCH(int, muetsIci);
        QFETCH(int, muetsAilleurs);
        QFETCH(bool, banni);
        QFETCH(QByteArray, refus);
        QFETCH(bool, placeFaite);
        const bool accepte = refus.isEmpty();
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
            QCOMPARE(socket->ecrit(), refus);
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

    // Two people under one name are told apart on every screen: the
    // newcomer gets a number, whatever the case, and the host's and the
    // first one's names stay; a name is cleaned as free text, and cut as a
    // screen shows it before it goes to any copy.
    void memesNoms()
    {
        OptionsDuJoueur h;
        h.nom_ = QStringLiteral("Anna");
        h.id_ = 100;
        serveur->setJoueurLocal(h);
        const auto identifie = [this](qint64 id, const QString& nom) {
            OptionsDuJoueur j = joueur(id);
            j.nom_ = nom;
            SocketScripte* socket = connecte(QHostAddress(QStringLiteral("198.51.100.%1").arg(id)));
            socket->recoit(nouveau(j, id));
            traite();
            const ZB_ServerSocketConnection* c = connectionDe(socket);
            return c != nullptr ? c->getOptions().nom_ : QStringLiteral("<not seated>");
        };
        QCOMPARE(identifie(1, QStringLiteral("anna")), QStringLiteral("anna (2)"));
        QCOMPARE(identifie(2, QStringLiteral("Anna")), QStringLiteral("Anna (3)"));
        QCOMPARE(identifie(3, QStringLiteral("Bo{b}")), QStringLiteral("Bo(b)"));
        QCOMPARE(identifie(4, QString(900000, QLatin1Char('x'))), QString(31, QLatin1Char('x')) + QChar(0x2026));
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
        QCOMPARE(vue->annonces.size(), refus.size());
        QCOMPARE(vue->annonces.last(),
                 QStringLiteral("\u2068J5\u2069 (joueur) n'a pas eu de place: la partie est complète"));
        QCOMPARE(sockets.at(4)->fermetures, 1);
        QCOMPARE(sockets.at(3)->fermetures, hote ? 1 : 0);
        QVERIFY(sockets.at(4)->ecrit().endsWith(QByteArray(RECORD_REFUS_TABLE).append(RECORD_REFUS_COMPLET)));
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
        QCOMPARE(vue->annonces, QStringList{QStringLiteral("\u2068J1\u2069 (joueur) a quitté la partie")});
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
                return f->lu.contains(RECORD_REFUS_TABLE);
            }));
        };
        QTRY_COMPARE_WITH_TIMEOUT(refuses(), enPlus + 1, Delai);
        QTRY_VERIFY_WITH_TIMEOUT(!vue->nouvelles.isEmpty() && vue->nouvelles.last().joueur.id_ == 42, Delai);
        ZB_ServerSocketConnection* joueur42 = vue->nouvelles.last().connection;
        QCOMPARE(serveur->getJoueurs().size(), places);
        QVERIFY(std::any_of(vue->logs.cbegin(), vue->logs.cend(), [](const QString& l) {
            return l.contains(QLatin1String("gives up its seat to"));
        }));
        const QString cede = QStringLiteral(" (joueur) a cédé sa place à \u2068J42\u2069 (joueur)");
        QVERIFY2(!vue->annonces.filter(cede).isEmpty(),
                 qPrintable(vue->annonces.join(QLatin1Char('\n'))));
        serveur->start(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0);
        QCOMPARE(joueur42->getTableId(), 0);
        traite();
        QVERIFY(!vrai.estFerme());
    }

    // An id seen at an earlier game is claimed first by someone else: the
    // player whose key proves the id gets the seat all the same, and the
    // one who only showed the id goes, told nothing of the table.
    void idDUnePartiePrecedente_data()
    {
        QTest::addColumn<bool>("usurpateurDAbord");
        QTest::addColumn<bool>("cleAuHasard"); // the squatter shows a key of its own
        QTest::newRow("squatter first, no key") << true << false;
        QTest::newRow("squatter first, a key of its own") << true << true;
        QTest::newRow("owner first") << false << false;
    }
    void idDUnePartiePrecedente()
    {
        QFETCH(bool, usurpateurDAbord);
        QFETCH(bool, cleAuHasard);
        Ecoute ecoute(serveur.get());
        QVERIFY(ecoute.isListening());
        const QString sienne = ZB_FicheIdentification::genereCle();
        const qint64 id = ZB_FicheIdentification::idDeCle(sienne);
        ClientReel usurpateur(ecoute.serverPort(), QHostAddress(QStringLiteral("127.0.0.2")));
        ClientReel proprietaire(ecoute.serverPort());
        const QByteArray imposture =
            nouveau(joueur(id), cleAuHasard ? ZB_FicheIdentification::genereCle() : QString());
        if (usurpateurDAbord) {
            usurpateur.socket.write(imposture);
            QTRY_COMPARE_WITH_TIMEOUT(serveur->getJoueurs().size(), 1, Delai);
        }
        proprietaire.socket.write(nouveau(joueur(id), sienne));
        if (!usurpateurDAbord) {
            QTRY_COMPARE_WITH_TIMEOUT(serveur->getJoueurs().size(), 1, Delai);
            usurpateur.socket.write(imposture);
        }
        QTRY_VERIFY_WITH_TIMEOUT(usurpateur.estFerme(), Delai);
        traite();
        QVERIFY(!usurpateur.lu.contains("{Rs"));
        QVERIFY(!proprietaire.estFerme());
        QCOMPARE(serveur->getJoueurs().size(), 1);
        ZB_ServerSocketConnection* siege = serveur->getJoueurs().first();
        QVERIFY(siege->getSocket()->peerAddress().isEqual(QHostAddress(QHostAddress::LocalHost)));
        // The id's own key proves it: the host gives none to keep.
        QVERIFY(proprietaire.cle().isEmpty());
        serveur->start(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0);
        QCOMPARE(siege->getTableId(), 0);
    }

    // A client of this version signs a challenge the host drew for its
    // connection, and the port it joined: the signature proves its id there
    // and then, however the id was claimed before, and nothing it showed
    // proves anything on another connection or port. A key of the older
    // kind never takes such a seat.
    void preuveParSignature_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::newRow("its own signature") << QStringLiteral("signe");
        QTest::newRow("signed for another port") << QStringLiteral("autrePort");
        QTest::newRow("another connection's proof, the id held") << QStringLiteral("autreDefi");
        QTest::newRow("another player's public key") << QStringLiteral("autrePublique");
        QTest::newRow("squatter first without proof") << QStringLiteral("usurpateurDAbord");
        QTest::newRow("a seat key after the signature") << QStringLiteral("cleApres");
    }
    void preuveParSignature()
    {
        QFETCH(QString, cas);
        Ecoute ecoute(serveur.get());
        QVERIFY(ecoute.isListening());
        const quint16 port = ecoute.serverPort();
        const ZB_CleDeJoueur sienne = cleSignee('a');
        const qint64 id = ZB_CleDeJoueur::idDePublique(sienne.publique());
        QVERIFY(ZB_CleDeJoueur::estIdSigne(id));
        const QHostAddress boucle(QHostAddress::LocalHost);
        std::unique_ptr<ClientReel> usurpateur;
        if (cas == QLatin1String("usurpateurDAbord")) {
            usurpateur = std::make_unique<ClientReel>(port, QHostAddress(QStringLiteral("127.0.0.2")));
            usurpateur->socket.write(nouveau(joueur(id), QString()));
            QTRY_VERIFY_WITH_TIMEOUT(!usurpateur->cle().isEmpty(), Delai);
        }
        ClientReel proprietaire(port);
        const ZB_CleDeJoueur montree = cas == QLatin1String("autrePublique") ? cleSignee('b') : sienne;
        proprietaire.socket.write(nouveauSigne(montree, QString(), id));
        if (cas == QLatin1String("autrePublique")) {
            QTRY_COMPARE_WITH_TIMEOUT(vue->logs.filter(QStringLiteral("another player's public key")).size(), 1, Delai);
            QVERIFY(proprietaire.defi().isEmpty());
            QVERIFY(serveur->getJoueurs().isEmpty());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!proprietaire.defi().isEmpty(), Delai);
        // Not identified before it answers.
        QCOMPARE(serveur->getJoueurs().size(), usurpateur ? 1 : 0);
        const bool autrePort = cas == QLatin1String("autrePort");
        proprietaire.socket.write(nouveauSigne(sienne, proprietaire.defi(), -2, autrePort ? port + 1 : port));
        QTRY_VERIFY_WITH_TIMEOUT(serveur->getJoueurs().size() == 1
                                     && serveur->getJoueurs().first()->getSocket()->peerAddress().isEqual(boucle),
                                 Delai);
        // Proven by its signature, the host gives no key to keep; signed for
        // another port, it is taken for an older client and given one.
        QTRY_COMPARE_WITH_TIMEOUT(proprietaire.cle().isEmpty(), !autrePort, Delai);
        if (usurpateur) {
            QTRY_VERIFY_WITH_TIMEOUT(usurpateur->estFerme(), Delai);
            traite();
        }
        if (cas == QLatin1String("autreDefi")) {
            // The owner's proof, shown on another connection.
            ClientReel rejoueur(port, QHostAddress(QStringLiteral("127.0.0.2")));
            rejoueur.socket.write(nouveauSigne(sienne, QString(), id));
            QTRY_VERIFY_WITH_TIMEOUT(!rejoueur.defi().isEmpty(), Delai);
            rejoueur.socket.write(nouveauSigne(sienne, proprietaire.defi(), -2, port));
            QTRY_VERIFY_WITH_TIMEOUT(rejoueur.estFerme(), Delai);
            QVERIFY(rejoueur.lu.contains(RECORD_REFUS_TABLE));
        }
        if (cas == QLatin1String("cleApres") || usurpateur) {
            // The squatter's key, or any key, does not take the seat back.
            const QString cle = usurpateur ? usurpateur->cle() : ZB_FicheIdentification::genereCle();
            ClientReel autre(port, QHostAddress(QStringLiteral("127.0.0.3")));
            autre.socket.write(nouveau(joueur(id), cle));
            QTRY_VERIFY_WITH_TIMEOUT(autre.estFerme(), Delai);
            QVERIFY(autre.lu.contains(RECORD_REFUS_TABLE));
        }
        traite();
        QVERIFY(!proprietaire.estFerme());
        QCOMPARE(serveur->getJoueurs().size(), 1);
        QVERIFY(serveur->getJoueurs().first()->getSocket()->peerAddress().isEqual(boucle));
    }

    // A host of the previous version reads the identification of a client
    // of this version as the player's record and a seat key, the public key
    // unseen: it seats the client as an older one and gives it a key.
    void ficheLueParUnHoteAncien()
    {
        ZB_FicheIdentification fiche;
        fiche.joueur_ = joueur(ZB_CleDeJoueur::idDePublique(cleSignee('a').publique()));
        fiche.publique_ = cleSignee('a').publique();
        GM_SpacesSeparatedString ancien(fiche.sauveValeursDansString());
        OptionsDuJoueur lu;
        lu.litChamps(ancien);
        QCOMPARE(lu.id_, fiche.joueur_.id_);
        QVERIFY(ancien.hasOptionalField());
        QVERIFY(ZB_FicheIdentification::estCle(ancien.getNext()));
        // Read back here, the place of the key says none.
        ZB_FicheIdentification relue;
        relue.chargeValeursDepuisString(fiche.sauveValeursDansString());
        QVERIFY(relue.cle_.isEmpty());
        QCOMPARE(relue.publique_, fiche.publique_);
    }

    // A refused identification goes to the host's log without the keys it
    // carries: the player's own, sent again, and one tried under its id.
    void clesHorsDuJournal()
    {
        Ecoute ecoute(serveur.get());
        QVERIFY(ecoute.isListening());
        const QString sienne = ZB_FicheIdentification::genereCle();
        const QString essayee = ZB_FicheIdentification::genereCle();
        const OptionsDuJoueur j = joueur(ZB_FicheIdentification::idDeCle(sienne));
        ClientReel proprietaire(ecoute.serverPort());
        proprietaire.socket.write(nouveau(j, sienne) + nouveau(j, sienne));
        ClientReel autre(ecoute.serverPort(), QHostAddress(QStringLiteral("127.0.0.2")));
        QTRY_COMPARE_WITH_TIMEOUT(serveur->getJoueurs().size(), 1, Delai);
        autre.socket.write(nouveau(j, essayee));
        QTRY_VERIFY_WITH_TIMEOUT(autre.estFerme(), Delai);
        QTRY_COMPARE_WITH_TIMEOUT(vue->logs.filter(QStringLiteral("dropped a record")).size(), 2, Delai);
        const QString journal = vue->logs.join(QLatin1Char('\n'));
        QCOMPARE(journal.count(QStringLiteral("<seat key>")), 2);
        QVERIFY(!journal.contains(sienne, Qt::CaseInsensitive));
        QVERIFY(!journal.contains(essayee, Qt::CaseInsensitive));
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
};

ZB_REGISTER_TEST(TestServerSocketSeating)
#include "TestServerSocketSeating.moc"
