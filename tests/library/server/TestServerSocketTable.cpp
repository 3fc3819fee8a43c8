#include "ServerSocketTestKit.h"
#include "ZbTestRegistry.h"

using namespace serveurtest;

// The server driving a real table: a client whose socket closes mid-game
// is replaced by its computer player, comes back and is sent the game so
// far; one that reconnects while its old socket hangs on gets its seat too.
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
        salle->groupe.getListe(0)->setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
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
        const qsizetype entendu = temoin->ecrit().size();

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

ZB_REGISTER_TEST(TestServerSocketTable)
#include "TestServerSocketTable.moc"
