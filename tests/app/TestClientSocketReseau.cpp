#include "ClientSocketTestKit.h"
#include "ZbTestRegistry.h"

using namespace clienttest;

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

        // The host stops: the client tells that, not a broken connection.
        serveur.arrete();
        QTRY_COMPARE_WITH_TIMEOUT(salle.deType(ZB_Event::SocketError).size(), 1, Delai);
        QCOMPARE(salle.deType(ZB_Event::SocketError)[0].texte, QStringLiteral("L'hôte a arrêté la partie."));
        QCOMPARE(salle.deType(ZB_Event::SocketError)[0].drapeau, int(ZB_EventSocketError::FinDitParLHote));
        QVERIFY(salle.deType(ZB_Event::DisconnectClient).isEmpty());
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
            // Refused, the host says so. Always dropped, the last drop
            // comes as the player is introduced or just before: full, or
            // refused.
            const QString texte = erreurs[0].texte;
            if (renvois < 0)
                QCOMPARE(texte, texteErreur(RefuseParLHote, QStringLiteral("127.0.0.1"), port));
            else
                QVERIFY2(texte == texteErreur(Complet, QStringLiteral("127.0.0.1"), port)
                             || texte == texteErreur(RefuseParLHote, QStringLiteral("127.0.0.1"), port),
                         qPrintable(texte));
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
#include "TestClientSocketReseau.moc"
