#include "ExecuteurTemoin.h"
#include "EvenementDeJeu.h"
#include "Evenements.h"
#include "ListeDesEvenements.h"
#include "GM_SocketTCP.h"
#include "SalleDeServeur.h"
#include "SocketScripte.h"
#include "ServerView.h"
#include "TypeDePartie.h"
#include "ZB_FicheIdentification.h"
#include "ZB_ServerSocketConnection.h"
#include "ZbTestRegistry.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QScrollBar>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <memory>

namespace {

// The stand-in room, answering the seating questions as told and noting
// them.
class SalleQuiPlace : public SalleDeServeur
{
public:
    bool reconnecte = false;
    bool auHasard = false;
    bool aLaPlace = true;
    QStringList appels;
    bool cb_setClientInGameReconnect(ZB_ServerSocketConnection*, const OptionsDuJoueur& j) override
    {
        appels << QStringLiteral("reconnect ") + j.nom_;
        return reconnecte;
    }
    bool cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection*, const OptionsDuJoueur& j) override
    {
        appels << QStringLiteral("random ") + j.nom_;
        return auHasard;
    }
    bool cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection*, int table, int siege, bool hotSwap,
                                                const OptionsDuJoueur& j) override
    {
        appels << QStringLiteral("seat %1 %2 %3 %4").arg(j.nom_).arg(table).arg(siege).arg(hotSwap);
        return aLaPlace;
    }
};

// What the view tells the room of the server it starts or stops.
class Demarrage : public ServerView::Cb_ServerStartOrStop
{
public:
    QStringList appels;
    void cb_serverStart(int noTable) override { appels << QStringLiteral("start %1").arg(noTable); }
    void cb_serverStop() override { appels << QStringLiteral("stop"); }
};

struct Arrivee
{
    SalleQuiPlace salle;
    std::unique_ptr<ZB_ServerSocket> serveur;
    std::unique_ptr<ServerView> vue;
    explicit Arrivee(int etat)
    {
        serveur = std::make_unique<ZB_ServerSocket>(nullptr, &salle, nullptr, &salle.groupe, QString());
        serveur->setEtat(etat);
        vue = std::make_unique<ServerView>(nullptr, serveur.get(), &salle);
    }
    ~Arrivee()
    {
        vue.reset();
        serveur.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A client who identified as nom.
    std::unique_ptr<ZB_ServerSocketConnection> client(const QString& nom, SocketScripte** socket)
    {
        *socket = new SocketScripte;
        auto c = std::make_unique<ZB_ServerSocketConnection>(*socket);
        OptionsDuJoueur j;
        j.nom_ = nom;
        j.distant_ = 1;
        c->identifie(j);
        return c;
    }
};

// A client on the loopback, from one of its addresses, that identifies as
// player id (with its seat key, if any) and keeps what it reads.
class ClientReel : public QObject
{
    Q_OBJECT
public:
    QTcpSocket socket;
    QByteArray lu;
    ClientReel(quint16 port, const QString& depuis, qint64 id, const QString& cle = QString())
    {
        socket.bind(QHostAddress(depuis));
        connect(&socket, &QTcpSocket::readyRead, this, [this] { lu += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
        ZB_FicheIdentification fiche;
        fiche.joueur_.nom_ = QStringLiteral("J%1").arg(id);
        fiche.joueur_.id_ = id;
        fiche.cle_ = cle;
        const EvenementDeJeu ev(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                EvenementDeJeu::Local_Table, id, 0, -1, -2, ZB_ICI);
        socket.write(ev.toString(2).toUtf8());
    }
    QString cle() const
    {
        static const QRegularExpression record(QStringLiteral("\\{NeW!([0-9a-f]{32})!4!141!"));
        return record.match(QString::fromUtf8(lu)).captured(1);
    }
};

} // namespace

class TestServerViewWindows : public QObject
{
    Q_OBJECT

private slots:
    // Without a server the view shows a stopped server and offers nothing.
    void vueSansServeur()
    {
        ServerView vue(nullptr, nullptr, nullptr);
        vue.resize(420, 320);
        // The server's own lines are the trace's; the host reads what concerns it.
        vue.cb_log(QStringLiteral("WARNING"), QStringLiteral("ZB_MultiServer DoS protection banned '10.0.0.7' 6[s]"));
        vue.cb_annonce(QStringLiteral("\u2068Anna \u202E)retupmoc(\u2069 (joueur) a quitté la partie"));
        vue.show();
        QVERIFY(!vue.getBoutonDemarrer()->isEnabled());
        QVERIFY(!vue.getBoutonArreter()->isEnabled());
        QCOMPARE(vue.getJournal().size(), 1);
        const QString png = QDir::temp().filePath(QStringLiteral("zubrik_serverview.png"));
        QVERIFY(vue.grab().save(png));
    }

    // A client who arrives while the game runs with free seats takes back
    // its seat, else any free one, else is sent away; before the start it
    // waits; a full game takes back only the one it holds a seat for; a
    // stopped or starting game sends it away at once.
    void lateArrivalsAreSeatedByTheRules_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<bool>("reconnecte");
        QTest::addColumn<bool>("auHasard");
        QTest::addColumn<QStringList>("appels");
        QTest::addColumn<bool>("renvoye");
        const QStringList aucun;
        const QStringList lesDeux{QStringLiteral("reconnect Zoe"), QStringLiteral("random Zoe")};
        QTest::newRow("stopped") << 0 << true << true << aucun << true;
        QTest::newRow("waiting") << 1 << false << false << aucun << false;
        QTest::newRow("waiting, automatic start") << 2 << false << false << aucun << false;
        QTest::newRow("full before the start") << 3 << false << false << aucun << false;
        QTest::newRow("being started") << 4 << true << true << aucun << true;
        QTest::newRow("running, own seat back") << 5 << true << true << QStringList{QStringLiteral("reconnect Zoe")}
                                                << false;
        QTest::newRow("running, a free seat") << 5 << false << true << lesDeux << false;
        QTest::newRow("running, no seat") << 5 << false << false << lesDeux << true;
        // Full: only the seat it holds for a returning player.
        QTest::newRow("running and full, own seat back")
            << 6 << true << true << QStringList{QStringLiteral("reconnect Zoe")} << false;
    }
    void lateArrivalsAreSeatedByTheRules()
    {
        QFETCH(int, etat);
        QFETCH(bool, reconnecte);
        QFETCH(bool, auHasard);
        QFETCH(QStringList, appels);
        QFETCH(bool, renvoye);
        Arrivee a(etat);
        a.salle.reconnecte = reconnecte;
        a.salle.auHasard = auHasard;
        SocketScripte* socket = nullptr;
        auto c = a.client(QStringLiteral("Zoe"), &socket);
        a.vue->cb_newConnection(a.serveur.get(), c->getOptions(), c.get(), false);
        QCOMPARE(a.salle.appels, appels);
        QCOMPARE(socket->deconnexions, renvoye ? 1 : 0);
        QCOMPARE(a.vue->getConnexions().size(), 1);
    }

    // The list follows connections by identity, and the host seats the one
    // chosen where asked, only while the game runs.
    void listFollowsConnectionsAndHostPlaces()
    {
        Arrivee a(ZB_ServerSocket::AttenteJoueurs);
        SocketScripte* s1 = nullptr;
        SocketScripte* s2 = nullptr;
        auto c1 = a.client(QStringLiteral("Zoe"), &s1);
        auto c2 = a.client(QStringLiteral("Zoe"), &s2);
        a.vue->cb_newConnection(a.serveur.get(), c1->getOptions(), c1.get(), false);
        a.vue->cb_newConnection(a.serveur.get(), c2->getOptions(), c2.get(), false);
        // The same client again (a replaced socket) is listed once.
        a.vue->cb_newConnection(a.serveur.get(), c2->getOptions(), c2.get(), true);
        QCOMPARE(a.vue->getConnexions().size(), 2);
        a.vue->choisitConnexion(c2.get());
        QVERIFY(!a.vue->getBoutonPlacer()->isEnabled());
        a.vue->cb_connectionClosed(a.serveur.get(), c1.get());
        QCOMPARE(a.vue->getConnexions().size(), 1);
        QCOMPARE(a.vue->connexionChoisie(), c2.get());

        a.serveur->setEtat(ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
        a.vue->cb_log(QStringLiteral("INFO"), QStringLiteral("started"));
        a.vue->choisitConnexion(c2.get());
        QVERIFY(a.vue->getBoutonPlacer()->isEnabled());
        a.vue->getSiege()->setCurrentIndex(2);
        a.vue->getBoutonPlacer()->click();
        QCOMPARE(a.salle.appels, QStringList{QStringLiteral("seat Zoe 0 2 0")});
        a.salle.aLaPlace = false;
        a.vue->getBoutonPlacer()->click();
        QVERIFY(a.vue->getJournal().last().contains(QStringLiteral("n'a pas pu être placé à la table 0, place 3")));
        a.vue->cb_connectionClosed(a.serveur.get(), c2.get());
        QCOMPARE(a.vue->connexionChoisie(), nullptr);
        QVERIFY(!a.vue->getBoutonPlacer()->isEnabled());
    }

    // Each client's row tells where it connects from. The host removes one:
    // it is disconnected, and its player id is refused for the rest of the
    // session, key or not.
    void hostRemovesAPlayer()
    {
        Arrivee a(ZB_ServerSocket::Arrete);
        a.serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0, false, 30);
        QTcpServer ecoute;
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        connect(&ecoute, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = ecoute.nextPendingConnection())
                a.serveur->acceptConnection(new GM_SocketTCP(s));
        });
        ClientReel reste(ecoute.serverPort(), QStringLiteral("127.0.0.1"), 7);
        ClientReel retire(ecoute.serverPort(), QStringLiteral("127.0.0.2"), 8);
        QTRY_COMPARE_WITH_TIMEOUT(a.vue->getConnexions().size(), 2, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!retire.cle().isEmpty(), 5000);
        ZB_ServerSocketConnection* cible = nullptr;
        for (ZB_ServerSocketConnection* c : a.serveur->getJoueurs())
            if (c->getPlayerId() == 8)
                cible = c;
        QVERIFY(cible != nullptr);
        // Each name in its isolate, so that an override in it cannot turn
        // the address after it.
        for (const QString& ligne : a.vue->getConnexions())
            QVERIFY2(ligne.contains(ligne.startsWith(QStringLiteral("\u2068J8\u2069 (joueur) - "))
                                        ? QStringLiteral("Adresse: 127.0.0.2, Port: ")
                                        : QStringLiteral("Adresse: 127.0.0.1, Port: ")),
                     qPrintable(ligne));
        QVERIFY(!a.vue->getBoutonRetirer()->isEnabled());
        a.vue->choisitConnexion(cible);
        QVERIFY(a.vue->getBoutonRetirer()->isEnabled());
        QSignalSpy horsLigne(a.serveur.get(), &ZB_ServerSocket::signalSetClientOffline);

        a.vue->getBoutonRetirer()->click();
        QCOMPARE(horsLigne.size(), 1);
        QCOMPARE(horsLigne.at(0).at(0).toLongLong(), qlonglong(8));
        QCOMPARE(a.vue->getConnexions().size(), 1);
        QVERIFY(a.vue->getConnexions().first().startsWith(QStringLiteral("\u2068J7")));
        QCOMPARE(a.vue->getJournal(),
                 QStringList{QStringLiteral("\u2068J8\u2069 (joueur) a été retiré de la partie")});
        QTRY_COMPARE_WITH_TIMEOUT(retire.socket.state(), QAbstractSocket::UnconnectedState, 5000);

        ClientReel retour(ecoute.serverPort(), QStringLiteral("127.0.0.2"), 8, retire.cle());
        QTRY_COMPARE_WITH_TIMEOUT(retour.socket.state(), QAbstractSocket::UnconnectedState, 5000);
        QCOMPARE(a.serveur->getJoueurs().size(), 1);
        QCOMPARE(a.vue->getConnexions().size(), 1);
        QCOMPARE(reste.socket.state(), QAbstractSocket::ConnectedState);
        // A player who leaves by itself leaves the list.
        reste.socket.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(a.vue->getConnexions().size(), 0, 5000);
        QVERIFY(a.vue->getJournal().filter(QStringLiteral("INFO: INFO:")).isEmpty());
    }

    // Hosting shows the view with this machine's ports and seats the host
    // at the first seat; Close only puts the view away; starting the game
    // puts it away too, the host playing; stopping the server ends the
    // session and the view goes for good.
    void hostViewComesAndGoes_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<int>("etatApres");
        QTest::addColumn<QStringList>("appels");
        QTest::newRow("close") << QStringLiteral("close") << int(ZB_ServerSocket::AttenteJoueurs) << QStringList();
        QTest::newRow("start") << QStringLiteral("start") << int(ZB_ServerSeatingA::EnCoursAvecPlacesLibres)
                               << QStringList();
        QTest::newRow("stop") << QStringLiteral("stop") << int(ZB_ServerSocket::Arrete)
                              << QStringList{QStringLiteral("stop")};
    }
    void hostViewComesAndGoes()
    {
        QFETCH(QString, bouton);
        QFETCH(int, etatApres);
        QFETCH(QStringList, appels);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
        Arrivee a(ZB_ServerSocket::Arrete);
        a.salle.reinitialiseAuReset = true;
        a.salle.avanceParUn = true;
        Demarrage demarrage;
        QSignalSpy arrete(a.vue.get(), &ServerView::signalServeurArrete);
        a.vue->start(OptionsDePartie(TypeDePartie::GenreJass), {}, QStringLiteral("Hote"), 4001, 4002, 4711, 77,
                     &demarrage);
        QVERIFY(a.vue->isVisible());
        QCOMPARE(a.serveur->getEtat(), int(ZB_ServerSocket::AttenteJoueurs));
        QVERIFY(a.vue->getTexteAdresses().contains(QStringLiteral("Ports: TCP 4711, WebSocket 4002, WebSocket "
                                                                  "sécurisé 4001")));
        const std::optional<OptionsDuJoueur>& hote = a.serveur->getJoueurLocal();
        QVERIFY(hote.has_value());
        QCOMPARE(hote->nom_, QStringLiteral("Hote"));
        QCOMPARE(hote->idCompte_, qint64(77));
        QCOMPARE(hote->distant_, 0);
        QCOMPARE(hote->ordinateur_, 0);
        QVERIFY(hote->id_ >= 0);
        // The name hosted under is shown; one typed before the start is
        // the one played under, cleaned, and numbered as a newcomer's
        // would be when a client already goes by it; it is told to be kept
        // as typed.
        QCOMPARE(a.vue->getNom()->text(), QStringLiteral("Hote"));
        auto* client = new SocketScripte;
        QVERIFY(a.serveur->acceptConnection(client));
        ZB_FicheIdentification fiche;
        fiche.joueur_.nom_ = QStringLiteral("Ca(rola)");
        fiche.joueur_.id_ = 5;
        client->recoit(EvenementDeJeu(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4,
                                      EtatDeJeu::Identification, EvenementDeJeu::Local_Table, 5, 0, -1, -2, ZB_ICI)
                           .toString(2)
                           .toUtf8());
        QTRY_COMPARE(a.serveur->getJoueurs().size(), 1);
        a.vue->getNom()->setText(QStringLiteral("Ca{rola}"));
        QSignalSpy nom(a.vue.get(), &ServerView::signalNomDeJeu);

        QPushButton* b = bouton == QLatin1String("close")   ? a.vue->getBoutonFermer()
                       : bouton == QLatin1String("start") ? a.vue->getBoutonDemarrer()
                                                          : a.vue->getBoutonArreter();
        QVERIFY(b->isEnabled());
        b->click();
        QVERIFY(!a.vue->isVisible());
        QCOMPARE(a.serveur->getEtat(), etatApres);
        QCOMPARE(demarrage.appels, appels);
        QCOMPARE(arrete.size(), bouton == QLatin1String("stop") ? 1 : 0);
        if (bouton == QLatin1String("start")) {
            // The host takes the first seat, the computer the others.
            const QStringList inscrits = a.salle.textesDe(EvenementDeJeu::InJ);
            QCOMPARE(inscrits.size(), 4);
            OptionsDuJoueur premier;
            premier.chargeValeursDepuisString(inscrits.first());
            QCOMPARE(premier.id_, hote->id_);
            QCOMPARE(premier.ordinateur_, 0);
            QCOMPARE(premier.nom_, QStringLiteral("Ca(rola) (2)"));
            OptionsDuJoueur second;
            second.chargeValeursDepuisString(inscrits.at(1));
            QCOMPARE(second.nom_, QStringLiteral("Ca(rola)"));
            QCOMPARE(a.vue->getNom()->text(), premier.nom_);
            QCOMPARE(nom.size(), 1);
            QCOMPARE(nom.at(0).at(0).toString(), QStringLiteral("Ca(rola)"));
            QVERIFY(!a.vue->getNom()->isEnabled());
        }
        // Hosting again keeps the host's identity, and not the log of the
        // hosting before.
        const qint64 id = hote->id_;
        a.vue->cb_annonce(QStringLiteral("Ca(rola) (joueur) a été retiré de la partie"));
        a.serveur->arrete();
        a.vue->start(OptionsDePartie(TypeDePartie::GenreJass), {}, QStringLiteral("Hote"), 4001, 4002, 4711, 77,
                     &demarrage);
        QCOMPARE(a.serveur->getJoueurLocal()->id_, id);
        QCOMPARE(a.vue->getJournal(), QStringList());
        // After a match the host may wait for players again, with no login
        // given: it keeps the name it went by, in the field too.
        a.serveur->arrete();
        a.vue->start(OptionsDePartie(TypeDePartie::GenreJass), {}, QString(), 4001, 4002, 4711, 77, &demarrage);
        QCOMPARE(a.vue->getNom()->text(), QStringLiteral("Hote"));
        QCOMPARE(a.serveur->getJoueurLocal()->nom_, QStringLiteral("Hote"));
        QVERIFY(a.vue->getBoutonDemarrer()->isEnabled() && a.vue->getNom()->isEnabled());
    }

    // The executed events' view keeps the newest line in sight.
    void eventWindowFollowsTheExecutedEvents()
    {
        ExecuteurTemoin executeur;
        ListeDesEvenements liste(&executeur, 0);
        Evenements fenetre(nullptr, &liste, 0);
        fenetre.show();
        // The list appends a block per executed event; so does this, without
        // a game to make the events legal.
        auto& executes = const_cast<QTextDocument&>(liste.getExecutes());
        const auto ajoute = [&](int n) {
            for (int i = 0; i < n; ++i) {
                QTextCursor curseur(&executes);
                curseur.movePosition(QTextCursor::End);
                curseur.insertText(QStringLiteral("\n{ligne %1}").arg(i));
            }
            QCoreApplication::processEvents();
        };
        ajoute(60);
        QCoreApplication::processEvents();
        QScrollBar* barre = fenetre.getVueExecutes()->verticalScrollBar();
        QVERIFY(barre->maximum() > 0);
        QCOMPARE(barre->value(), barre->maximum());
        // Scrolled back to read, the user stays there; back at the end, the
        // view follows again.
        barre->setValue(barre->minimum());
        ajoute(5);
        QCOMPARE(barre->value(), barre->minimum());
        barre->setValue(barre->maximum());
        ajoute(5);
        QCOMPARE(barre->value(), barre->maximum());
    }

    // The event window shows the list's own documents and lets the list go
    // first.
    void fenetreEvenements()
    {
        ExecuteurTemoin executeur;
        executeur.fixeDelai = false;
        auto liste = std::make_unique<ListeDesEvenements>(&executeur, 0);
        Evenements fenetre(nullptr, liste.get(), 6);
        QCOMPARE(fenetre.geometry().topLeft(), QPoint(Evenements::Largeur, Evenements::Hauteur));
        EvenementDeJeu ev(EvenementDeJeu::Mes, QStringLiteral("bonjour"), 0, EtatDeJeu::HorsDeroulement, 2, 5, 0, -1,
                          0, ZB_ICI);
        liste->lock();
        liste->execute_unlocked(-1, ev, false);
        liste->unlock();
        QVERIFY(fenetre.getVueExecutes()->toPlainText().startsWith(QStringLiteral("12")));
        fenetre.show();
        QVERIFY(fenetre.grab().save(QDir::temp().filePath(QStringLiteral("zubrik_evenements.png"))));
        liste.reset();
        QVERIFY(fenetre.getVueExecutes()->toPlainText().isEmpty());
    }
};

ZB_REGISTER_TEST(TestServerViewWindows)
#include "TestServerViewWindows.moc"
