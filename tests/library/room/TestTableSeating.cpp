#include "Annonce.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "EvenementDeJeu.h"
#include "GM_GamePenalty.h"
#include "GM_GameStats.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSeatingA.h"
#include "ZB_ServerSocketConnection.h"
#include "CompteAvertissements.h"
#include "BancDeTable.h"
#include "SalleDeTable.h"
#include "SalleQuiJoue.h"
#include "PasDeSalle.h"
#include "SocketScripte.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

namespace {

class ServeurTemoin : public ZB_ServerSeatingA
{
public:
    QList<QPair<ZB_ServerSocketConnection*, int>> placees;
    QList<int> etats;
    bool attenteVide = true;
    void connexionPlacee(ZB_ServerSocketConnection* connection, int noTable) override
    {
        placees << qMakePair(connection, noTable);
    }
    bool estListeDAttenteVide() const override { return attenteVide; }
    void setEtatServeur(int etat) override { etats << etat; }
};

OptionsDuJoueur client(int siege, qint64 compte = -1)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("C%1").arg(siege);
    j.id_ = 300 + siege;
    j.idCompte_ = compte;
    j.distant_ = 1;
    return j;
}

OptionsDuJoueur ordinateur(int siege)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("IA%1").arg(siege);
    j.id_ = 700 + siege;
    j.ordinateur_ = 1;
    j.optionsAI_.nbrCombinations_ = 30;
    return j;
}

OptionsDuJoueur arrivant(qint64 id, qint64 compte)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("Nouveau");
    j.id_ = id;
    j.idCompte_ = compte;
    j.distant_ = 1;
    return j;
}

} // namespace

class TestTableSeating : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BancDeTable> banc;
    SalleDeTable* salle = nullptr;
    ZB_RoomTable* table = nullptr; // owned by the bench's room

    // Seat 0 a computer, seats 1 to 3 clients of a hosting table.
    void prepare()
    {
        banc = std::make_unique<BancDeTable>();
        salle = &banc->salle;
        table = banc->table;
        table->nouvellePartie(ZB_RoomTable::ReseauServeur, OptionsDePartie(TypeDePartie::GenreJass));
        table->inscritJoueur(0, ordinateur(0), Joueur::ModeOrdinateur, false);
        for (int siege = 1; siege < 4; ++siege)
            table->inscritJoueur(siege, client(siege, 40 + siege), Joueur::ModeHumainDistant, false);
    }
    // Runs what the table posted.
    void traite() { QCoreApplication::sendPostedEvents(salle); }
    EvenementDeJeu pourLaTable(int genre, const OptionsDuJoueur& options, int siege, int etat)
    {
        return EvenementDeJeu(genre, options.sauveValeursDansString(), siege, etat, EvenementDeJeu::Local_Table,
                              options.id_, 0, table->getNoDemande(), 0, ZB_ICI);
    }

private slots:
    void init() { prepare(); }
    void cleanup()
    {
        banc.reset();
        salle = nullptr;
        table = nullptr;
    }

    // The notice and the JoO are posted; once run, the client's seat is
    // played by its computer and a computer waits for the next deal.
    void joueurHorsLigne()
    {
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        table->setPlayerOffline(2, true);
        QVERIFY(salle->appliques.isEmpty());
        traite();
        QCOMPARE(salle->postes.size(), 2);
        const EvenementDeJeu& avis = salle->postes.at(0);
        QCOMPARE(avis.type_, int(EvenementDeJeu::Mes));
        QCOMPARE(avis.noJoueur_, 2);
        QCOMPARE(avis.etat_, EtatDeJeu::HorsDeroulement);
        QCOMPARE(avis.idJoueur_, qint64(302));
        QCOMPARE(avis.noDemande_, -1);
        QCOMPARE(avis.texte_, QStringLiteral("Le joueur s'est déconnecté. Pour vous permettre de terminer la partie, "
                                             "il est remplacé par l'ordinateur."));
        const EvenementDeJeu& horsLigne = salle->postes.at(1);
        QCOMPARE(horsLigne.type_, int(EvenementDeJeu::JoO));
        QCOMPARE(horsLigne.noJoueur_, 2);
        QCOMPARE(horsLigne.etat_, EtatDeJeu::EntreeOuSortieDeJoueur);
        QCOMPARE(horsLigne.noDemande_, table->getNoDemande());
        QCOMPARE(salle->genresAppliques(), (QStringList{"Mes", "JoO"}));
        QCOMPARE(table->getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant));
        // The computer that takes the seat at the next deal goes by a name
        // of its own, none of the table's.
        const OptionsDuJoueur remplacant = table->getEntreesProchaineDonne().value(2);
        QCOMPARE(remplacant.ordinateur_, 1);
        QVERIFY(!remplacant.nom_.isEmpty());
        for (int siege = 0; siege < 4; ++siege)
            QVERIFY(table->getJoueur(siege)->options_.nom_.compare(remplacant.nom_, Qt::CaseInsensitive) != 0);

        // Seats outside the table are ignored.
        table->setPlayerOffline(4, true);
        table->setPlayerOffline(-1, true);
        traite();
        QCOMPARE(salle->postes.size(), 2);
    }

    // The request the client was asked and had not answered goes to the
    // seat's computer player as soon as the seat is offline.
    void demandeEnAttenteRepondue()
    {
        JoueurHumain* joueur = table->getJoueur(2);
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendRamasseTas1);
        joueur->demande_ActionRamasser(InfoDemande(43, 0, table->getNoDemande(), 0, 3));
        QCOMPARE(joueur->getAide()->getDemandeEnAttente(), int(JoueurResau::AttenteRamasser));
        table->setPlayerOffline(2, false);
        traite();
        QCOMPARE(joueur->modeJeu_, int(Joueur::ModeRemplacant));
        QCOMPARE(joueur->getAide()->getDemandeEnAttente(), int(JoueurResau::AttenteAucune));
        // The computer's answer reaches the room.
        QTRY_VERIFY(std::any_of(salle->postes.cbegin(), salle->postes.cend(), [](const EvenementDeJeu& ev) {
            return ev.type_ == EvenementDeJeu::Ram && ev.noJoueur_ == 2 && ev.etat_ == 43;
        }));
    }

    // A client arriving at a computer's seat: announced and queued for this
    // deal until the third trick is under way, for the next deal after.
    void arriveeEnCoursDeJeu_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etatDEntree");
        QTest::newRow("inscriptions") << 3 << int(EvenementDeJeu::JoM) << 3;
        QTest::newRow("bids") << 20 << int(EvenementDeJeu::JoM) << 33;
        QTest::newRow("first trick") << 40 << int(EvenementDeJeu::JoM) << 49;
        QTest::newRow("second trick") << 60 << int(EvenementDeJeu::JoM) << 61;
        QTest::newRow("third trick") << 68 << int(EvenementDeJeu::JoM) << 73;
        QTest::newRow("third trick collected") << 69 << int(EvenementDeJeu::JoN) << 142;
        QTest::newRow("late") << 90 << int(EvenementDeJeu::JoN) << 142;
    }
    void arriveeEnCoursDeJeu()
    {
        QFETCH(int, etat);
        QFETCH(int, genre);
        QFETCH(int, etatDEntree);
        salle->liste.setEtatAttendu(etat);
        const OptionsDuJoueur nouveau = arrivant(900, 90);
        QVERIFY(table->setClientInGameOnTheFly_Random(nullptr, nouveau));
        QCOMPARE(salle->appliques.size(), 2);
        const EvenementDeJeu& avis = salle->appliques.at(0);
        const bool cetteDonne = genre == EvenementDeJeu::JoM;
        QCOMPARE(avis.type_, int(EvenementDeJeu::Mes));
        QCOMPARE(avis.noJoueur_, 0);
        QCOMPARE(avis.mode_, 3);
        QCOMPARE(avis.idJoueur_, qint64(900));
        QCOMPARE(avis.texte_, QStringLiteral("Le joueur 'Nouveau' s'est connecté à la place de 'IA0' %1")
                                  .arg(cetteDonne ? QStringLiteral("et entrera en jeu durant cette donne.")
                                                  : QStringLiteral("et sera actif à la prochaine donne.")));
        const EvenementDeJeu& entree = salle->appliques.at(1);
        QCOMPARE(entree.type_, genre);
        QCOMPARE(entree.noJoueur_, 0);
        QCOMPARE(entree.etat_, etatDEntree);
        QCOMPARE(entree.mode_, 3);
        QCOMPARE(entree.noDemande_, table->getNoDemande());
        QCOMPARE(table->getEntreesProchainPli().value(0, OptionsDuJoueur()) == nouveau, cetteDonne);
        QCOMPARE(table->getEntreesProchaineDonne().value(0, OptionsDuJoueur()) == nouveau, !cetteDonne);
        // The seat is taken: nobody else gets it.
        QCOMPARE(table->compteSiegesLibres(-1), 0);
        QVERIFY(!table->setClientInGameOnTheFly_Random(nullptr, arrivant(901, 91)));
    }

    // What a joining client needs to catch up goes out only over a
    // connected transport.
    void rattrapageSeulementConnecte_data()
    {
        QTest::addColumn<int>("etatSocket");
        QTest::addColumn<int>("etat");
        QTest::addColumn<QString>("tete");
        QTest::newRow("connected, this deal") << int(QAbstractSocket::ConnectedState) << 40 << QStringLiteral("{RsI!");
        QTest::newRow("connected, next deal") << int(QAbstractSocket::ConnectedState) << 90 << QStringLiteral("{RsV!");
        QTest::newRow("connecting") << int(QAbstractSocket::ConnectingState) << 40 << QString();
        QTest::newRow("closing") << int(QAbstractSocket::ClosingState) << 40 << QString();
        QTest::newRow("unconnected") << int(QAbstractSocket::UnconnectedState) << 90 << QString();
    }
    void rattrapageSeulementConnecte()
    {
        QFETCH(int, etatSocket);
        QFETCH(int, etat);
        QFETCH(QString, tete);
        auto* socket = new SocketScripte;
        socket->etat = static_cast<QAbstractSocket::SocketState>(etatSocket);
        QPointer<SocketScripte> garde(socket);
        {
            ZB_ServerSocketConnection connection(socket);
            salle->liste.setEtatAttendu(etat);
            QVERIFY(table->setClientInGameOnTheFly_SpecificPos(&connection, 0, false, arrivant(900, 90)));
            QCOMPARE(connection.getTableId(), 0);
            QCOMPARE(socket->ecritures.size(), tete.isEmpty() ? 0 : 1);
            if (!tete.isEmpty()) {
                const QString texte = QString::fromUtf8(socket->ecritures.at(0));
                QVERIFY2(texte.startsWith(tete), qPrintable(texte));
                QVERIFY(texte.contains(QStringLiteral("{ReE!")));
            }
        }
        // The connection owns its socket.
        QTRY_VERIFY(garde.isNull());
    }

    void placeDonnee_data()
    {
        QTest::addColumn<int>("siege");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<bool>("hotSwap");
        QTest::addColumn<QString>("texte");
        QTest::newRow("computer seat") << 0 << qint64(900) << false
                                       << QStringLiteral("Le joueur 'Nouveau' s'est connecté à la place de 'IA0'");
        QTest::newRow("same client, new connection")
            << 1 << qint64(301) << true << QStringLiteral("Le joueur 'Nouveau' s'est reconnecté");
        QTest::newRow("same client, no hot swap") << 1 << qint64(301) << false << QString();
        QTest::newRow("another client's seat") << 1 << qint64(900) << true << QString();
        QTest::newRow("no such seat") << 4 << qint64(900) << true << QString();
        QTest::newRow("negative seat") << -1 << qint64(900) << true << QString();
    }
    void placeDonnee()
    {
        QFETCH(int, siege);
        QFETCH(qint64, id);
        QFETCH(bool, hotSwap);
        QFETCH(QString, texte);
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        QCOMPARE(table->setClientInGameOnTheFly_SpecificPos(nullptr, siege, hotSwap, arrivant(id, 90)),
                 !texte.isEmpty());
        if (texte.isEmpty()) {
            QVERIFY(salle->appliques.isEmpty());
            return;
        }
        QCOMPARE(salle->genresAppliques(), (QStringList{"Mes", "JoM"}));
        QCOMPARE(salle->appliques.at(0).texte_, texte + QStringLiteral(" et entrera en jeu durant cette donne."));
        QCOMPARE(salle->appliques.at(1).etat_, siege + 49);
    }

    // A seat its client left is kept for that client until the next deal:
    // a newcomer takes a computer's seat first, then a seat the computer
    // took over for good.
    void placeAuHasard()
    {
        table->inscritJoueur(0, client(0, 40), Joueur::ModeHumainDistant, false);
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        table->setPlayerOffline(1, false);
        traite();
        QCOMPARE(table->getJoueur(1)->modeJeu_, int(Joueur::ModeRemplacant));
        QCOMPARE(table->compteSiegesLibres(-1), 0);
        QVERIFY(!table->setClientInGameOnTheFly_Random(nullptr, arrivant(900, 90)));

        table->inscritJoueur(3, client(3, 43), Joueur::ModeRemplacant, false);
        table->inscritJoueur(2, ordinateur(2), Joueur::ModeOrdinateurPartout, false);
        QCOMPARE(table->compteSiegesLibres(-1), 2);
        QCOMPARE(table->compteSiegesLibres(2), 1);
        QVERIFY(table->setClientInGameOnTheFly_Random(nullptr, arrivant(900, 90)));
        QVERIFY(table->getEntreesProchainPli().contains(2));
        QVERIFY(table->setClientInGameOnTheFly_Random(nullptr, arrivant(901, 91)));
        QVERIFY(table->getEntreesProchainPli().contains(3));
        QVERIFY(!table->setClientInGameOnTheFly_Random(nullptr, arrivant(902, 92)));
    }

    // The host with no window sits at the first seat, played by its
    // computer: a newcomer takes a computer player's seat and the table's
    // word names both as they go by; the host's own seat is never given.
    void hoteSansFenetreGardeSonSiege()
    {
        OptionsDuJoueur hote;
        hote.nom_ = QStringLiteral("home_hostless");
        hote.id_ = 600;
        table->inscritJoueur(0, hote, Joueur::ModeOrdinateurPartout, false);
        table->inscritJoueur(1, client(1, 41), Joueur::ModeHumainDistant, false);
        table->inscritJoueur(2, ordinateur(2), Joueur::ModeOrdinateurPartout, false);
        table->inscritJoueur(3, client(3, 43), Joueur::ModeHumainDistant, false);
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        QVERIFY(table->setClientInGameOnTheFly_Random(nullptr, arrivant(900, 90)));
        QVERIFY(table->getEntreesProchainPli().contains(2));
        QCOMPARE(salle->appliques.at(0).texte_,
                 QStringLiteral("Le joueur 'Nouveau' s'est connecté à la place de 'IA2' et entrera en jeu durant "
                                "cette donne."));
        salle->appliques.clear();
        // The host's own seat is never offered, though the computer plays it.
        QVERIFY(!table->setClientInGameOnTheFly_Random(nullptr, arrivant(901, 91)));
        QVERIFY(!table->getEntreesProchainPli().contains(0));
        QVERIFY(salle->appliques.isEmpty());
    }

    // A returning client gets its seat back: the JoO runs before the entry,
    // so that the entry stays; the server learns where the client plays and
    // whether the game is full.
    void reconnexion_data()
    {
        QTest::addColumn<bool>("siegeOrdinateur");
        QTest::addColumn<bool>("attenteVide");
        QTest::addColumn<int>("etatServeur");
        QTest::newRow("full") << false << true << 6;
        QTest::newRow("someone waits") << false << false << 5;
        QTest::newRow("computer seat left") << true << true << 5;
    }
    void reconnexion()
    {
        QFETCH(bool, siegeOrdinateur);
        QFETCH(bool, attenteVide);
        QFETCH(int, etatServeur);
        if (!siegeOrdinateur)
            table->inscritJoueur(0, client(0, 40), Joueur::ModeHumainDistant, false);
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        table->setClientOffline(302, true, true);
        traite();
        QCOMPARE(table->getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant));
        salle->appliques.clear();
        salle->postes.clear();

        ServeurTemoin serveur;
        serveur.attenteVide = attenteVide;
        ZB_ServerSocketConnection connection(nullptr);
        QVERIFY(table->setClientInGameReconnect(&connection, &serveur, client(2, 42)));
        QCOMPARE(salle->genresAppliques(), (QStringList{"JoO", "Mes", "JoM"}));
        const EvenementDeJeu& retour = salle->appliques.at(0);
        QCOMPARE(retour.noJoueur_, ZB_RoomTable::SiegeTable);
        QCOMPARE(retour.etat_, EtatDeJeu::EntreeOuSortieDeJoueur);
        QCOMPARE(retour.idJoueur_, qint64(302));
        QCOMPARE(salle->appliques.at(1).texte_,
                 QStringLiteral("Le joueur 'C2' s'est reconnecté et entrera en jeu durant cette donne."));
        QCOMPARE(salle->appliques.at(2).etat_, EtatDeJeu::Tour2_NouveauJoueur1 + 2);
        QCOMPARE(serveur.placees.size(), 1);
        QCOMPARE(serveur.placees.at(0).first, &connection);
        QCOMPARE(serveur.placees.at(0).second, 0);
        QCOMPARE(serveur.etats, QList<int>{etatServeur});
        // Nothing left to run later that would take the entry away again.
        traite();
        QVERIFY(salle->postes.isEmpty());
        QCOMPARE(table->getEntreesProchainPli().value(2), client(2, 42));
        QVERIFY(!table->getEntreesProchaineDonne().contains(2));
    }

    void reconnexionParCompte()
    {
        // Waiting for the next deal under one id, back under another with
        // the same account.
        const OptionsDuJoueur avant = arrivant(950, 95);
        QVERIFY(table->cb_executeUnEvenement(
            pourLaTable(EvenementDeJeu::JoN, avant, 3, EtatDeJeu::EntreeOuSortieDeJoueur)));
        salle->liste.setEtatAttendu(EtatDeJeu::Tour5_AttendCarte1 + 1);
        const OptionsDuJoueur apres = arrivant(951, 95);
        QVERIFY(table->setClientInGameReconnect(nullptr, nullptr, apres));
        QCOMPARE(table->getEntreesProchaineDonne().value(3), apres);
        QCOMPARE(salle->genresAppliques(), (QStringList{"JoO", "Mes", "JoN"}));
    }

    void reconnexionSansPlace()
    {
        ServeurTemoin serveur;
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 3);
        QVERIFY(!table->setClientInGameReconnect(nullptr, &serveur, arrivant(900, 90)));
        // Without an account a client is known by its id only: the computer
        // waiting for the seat of a client who left has no account either.
        table->setPlayerOffline(2, false);
        traite();
        salle->appliques.clear();
        QVERIFY(!table->setClientInGameReconnect(nullptr, &serveur, arrivant(900, -1)));
        QVERIFY(salle->appliques.isEmpty());
        QVERIFY(serveur.placees.isEmpty());
        QVERIFY(serveur.etats.isEmpty());
    }

    void joueursEnAttente()
    {
        const OptionsDuJoueur prochaineDonne = arrivant(950, 95);
        const OptionsDuJoueur prochainPli = arrivant(951, 96);
        QVERIFY(table->cb_executeUnEvenement(
            pourLaTable(EvenementDeJeu::JoN, prochaineDonne, 1, EtatDeJeu::EntreeOuSortieDeJoueur)));
        QVERIFY(table->cb_executeUnEvenement(
            pourLaTable(EvenementDeJeu::JoM, prochainPli, 3, EtatDeJeu::Tour2_NouveauJoueur1 + 3)));
        QCOMPARE(table->getEtatsEntreesTraites().value(52), qint64(951));
        const QMap<int, OptionsDuJoueur> attente = table->getJoueursEnAttente();
        QCOMPARE(attente.size(), 2);
        QCOMPARE(attente.value(1), prochaineDonne);
        QCOMPARE(attente.value(3), prochainPli);
        QVERIFY(table->getEntreesProchaineDonne().isEmpty());
        QVERIFY(table->getEntreesProchainPli().isEmpty());
        QVERIFY(table->getEtatsEntreesTraites().isEmpty());
    }

    // A client hears of an entry before the table's word that makes it:
    // its walk through the new-player states must stop at the entry's state
    // while the seat waits, and only then.
    void entreeAnnonceeChezLeClient()
    {
        table->nouvellePartie(ZB_RoomTable::ReseauClient, OptionsDePartie(TypeDePartie::GenreJass));
        for (int siege = 0; siege < 4; ++siege)
            table->inscritJoueur(siege, client(siege, 40 + siege), Joueur::ModeHumainDistant, false);
        const int entree = EtatDeJeu::Tour3_NouveauJoueur1 + 1;
        QVERIFY(!table->estEntreeAnnoncee(entree));
        QVERIFY(table->cb_executeUnEvenement(pourLaTable(EvenementDeJeu::JoM, client(1, 41), 1, entree)));
        QCOMPARE(table->getJoueur(1)->modeJeu_, int(Joueur::ModeEnAttenteDEntree));
        QVERIFY(table->estEntreeAnnoncee(entree));
        for (int autre : {entree - 1, entree + 1, EtatDeJeu::Tour4_NouveauJoueur1 + 1, EtatDeJeu::Tour3_AttendCarte1})
            QVERIFY2(!table->estEntreeAnnoncee(autre), qPrintable(QString::number(autre)));
        // Entered: nothing to wait for any more.
        table->inscritJoueur(1, client(1, 41), Joueur::ModeHumainDistant, false);
        QVERIFY(!table->estEntreeAnnoncee(entree));
    }

    // The start of the match is reported at its first deal, once, when the
    // statistics have a game id and players.
    void statsDeDebut_data()
    {
        QTest::addColumn<qint64>("idPartie");
        QTest::addColumn<bool>("joueur");
        QTest::addColumn<int>("signaux");
        QTest::newRow("reported") << qint64(77) << true << 1;
        QTest::newRow("no game id") << qint64(-1) << true << 0;
        QTest::newRow("no player") << qint64(77) << false << 0;
    }
    void statsDeDebut()
    {
        QFETCH(qint64, idPartie);
        QFETCH(bool, joueur);
        QFETCH(int, signaux);
        table->statsPartie().id1_ = idPartie;
        if (joueur)
            table->statsPartie().getPlayer(42).databaseId = 42;
        QSignalSpy debut(table, &ZB_RoomTable::signalSendStatsGameStart);
        for (int donne = 0; donne < 2; ++donne) {
            salle->liste.setEtatAttendu(EtatDeJeu::AttendDistribue4);
            QVERIFY(table->cb_executeUnEvenement(EvenementDeJeu(EvenementDeJeu::Dis, QStringLiteral("Ok"), 3,
                                                                EtatDeJeu::AttendDistribue4,
                                                                EvenementDeJeu::Remote_Human, 303, 0,
                                                                table->getNoDemande(), 0, ZB_ICI)));
        }
        QCOMPARE(debut.count(), signaux);
        if (signaux > 0) {
            GM_GameStats lues;
            lues.chargeValeursDepuisString(debut.at(0).at(0).toString());
            QCOMPARE(lues.valeur3_, 1);
            QCOMPARE(lues.id1_, idPartie);
        }
    }

    // The first trick's best announcement: its points for the team and both
    // players, its kind for the best seat and the team, the partner's kind
    // for the partner.
    void statsDesAnnonces()
    {
        for (int siege = 0; siege < 4; ++siege)
            table->inscritJoueur(siege, client(siege, 40 + siege), Joueur::ModeHumainDistant, false);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        salle->liste.setEtatAttendu(EtatDeJeu::AttendDistribue4);
        QVERIFY(table->cb_executeUnEvenement(EvenementDeJeu(EvenementDeJeu::Dis, QStringLiteral("Ok"), 3,
                                                            EtatDeJeu::AttendDistribue4,
                                                            EvenementDeJeu::Remote_Human, 303, 0,
                                                            table->getNoDemande(), 0, ZB_ICI)));
        salle->liste.setEtatAttendu(EtatDeJeu::AttendAtout);
        const EvenementDeJeu atout(EvenementDeJeu::Cho, QStringLiteral("{0!1!1!1!}"), 2, EtatDeJeu::AttendAtout,
                                   EvenementDeJeu::Remote_Human, 302, 0, table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(atout));
        auto annonces = [](int type, int couleur, int valeur, int points) {
            AnnoncesJoueur a;
            a.annonces_[0] = Annonce(type, couleur, valeur, points);
            return a;
        };
        const AnnoncesJoueur faites[] = {annonces(Annonce::TroisCartes, 1, 9, 20), AnnoncesJoueur(),
                                         annonces(Annonce::QuatreCartes, 2, 10, 50), AnnoncesJoueur()};
        // Seats 2, 3, 0, 1 announce in turn.
        for (int i = 0; i < 4; ++i) {
            const int siege = (2 + i) % 4;
            salle->liste.setEtatAttendu(29 + i);
            QVERIFY(table->cb_executeUnEvenement(EvenementDeJeu(
                EvenementDeJeu::Ann, faites[i].sauveValeursDansString(), siege, 29 + i, EvenementDeJeu::Remote_Human,
                300 + siege, 0, table->getNoDemande(), 0, ZB_ICI)));
        }
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendRamasseTas4);
        QVERIFY(table->cb_executeUnEvenement(EvenementDeJeu(EvenementDeJeu::Ram, QStringLiteral("Ok"), 3,
                                                            EtatDeJeu::Tour1_AttendRamasseTas4,
                                                            EvenementDeJeu::Remote_Human, 303, 0,
                                                            table->getNoDemande(), 0, ZB_ICI)));
        QVERIFY(table->estConfirmationAnnoncesEnAttente());
        const GM_GameStats& stats = table->getStatsPartie();
        // Seat 0 has the best (four cards), seat 2 is its partner (three).
        const GM_GameStatsPlayer& meilleur = stats.m_statsPlayer.value(40);
        const GM_GameStatsPlayer& partenaire = stats.m_statsPlayer.value(42);
        QCOMPARE(meilleur.compteurs_[JoueurHumain::StatsPointsAnnonces], 70);
        QCOMPARE(partenaire.compteurs_[JoueurHumain::StatsPointsAnnonces], 70);
        QCOMPARE(stats.equipes_[0].compteurs_[JoueurHumain::StatsPointsAnnonces], 70);
        QCOMPARE(stats.valeurs2_[0], 70);
        QCOMPARE(stats.valeurs2_[1], 0);
        QCOMPARE(meilleur.compteurs_[7], 1);
        QCOMPARE(meilleur.compteurs_[6], 0);
        QCOMPARE(partenaire.compteurs_[6], 1);
        QCOMPARE(partenaire.compteurs_[7], 0);
        QCOMPARE(stats.equipes_[0].compteurs_[7], 1);
        QCOMPARE(stats.equipes_[0].compteurs_[6], 0);
        QVERIFY(!stats.m_statsPlayer.contains(41));
        QVERIFY(!stats.m_statsPlayer.contains(43));
    }

    // Each seat's share of the match: its points for the winning team over
    // that team's total, or both shares added up on a tie. A seat not played
    // by its own player the whole match is flagged.
    void partsDeFinDeMatch_data()
    {
        QTest::addColumn<bool>("egalite");
        QTest::addColumn<qint64>("idPartie");
        QTest::addColumn<QList<double>>("parts");
        QTest::newRow("team 0 wins") << false << qint64(7) << QList<double>{1.0, 0.0, 0.6, 0.0};
        QTest::newRow("tie") << true << qint64(7) << QList<double>{1.0, 1.0, 0.6, 0.75};
        QTest::newRow("no game id") << false << qint64(-1) << QList<double>{1.0, 0.0, 0.6, 0.0};
    }
    void partsDeFinDeMatch()
    {
        QFETCH(bool, egalite);
        QFETCH(qint64, idPartie);
        QFETCH(QList<double>, parts);
        // Seat 3's client left: the computer plays it under the seat's key.
        table->inscritJoueur(3, client(3, 43), Joueur::ModeRemplacant, false);
        GM_GameStats& stats = table->statsPartie();
        stats.id1_ = idPartie;
        // The teams' points are the match's scores.
        const int objectif = table->getScoreObjectif();
        const int t1 = egalite ? objectif : objectif - 100;
        stats.valeurs2_ = {objectif, t1};
        table->settingsPartie().scores_ = {objectif, t1};
        auto points = [&stats](qint64 cle, int equipe, int montant) {
            stats.getPlayer(cle).compteurs_[size_t(ZB_RoomTable::StatsPointsEquipe0 + equipe)] = montant;
        };
        points(-5, 0, objectif); // seat 0, the computer, the whole match
        points(41, 1, t1);
        points(42, 0, objectif * 6 / 10); // came late
        points(-2, 1, t1 * 3 / 4);
        points(43, 1, t1 / 4);  // left
        salle->liste.setEtatAttendu(EtatDeJeu::FinDePartie);
        QSignalSpy fin(table, &ZB_RoomTable::signalSendStatsGameCompleted);
        table->continueLeJeu(0, nullptr, false, false);
        QCOMPARE(fin.count(), 1);
        QCOMPARE(fin.at(0).at(0).toBool(), idPartie != -1);
        GM_GameStats lues;
        lues.chargeValeursDepuisString(fin.at(0).at(1).toString());
        QCOMPARE(lues.valeurs_[1], objectif);
        const qint64 cles[] = {-5, 41, 42, -2};
        const bool partiels[] = {false, false, true, true};
        for (int siege = 0; siege < 4; ++siege) {
            const GM_GameStatsPlayer& entree = lues.m_statsPlayer.value(cles[siege]);
            QCOMPARE(entree.databaseId, cles[siege]);
            QVERIFY2(qAbs(entree.valeur_ - parts.at(siege)) < 1e-5, qPrintable(QString::number(siege)));
            QCOMPARE(entree.indicateur_, partiels[siege]);
        }
        QCOMPARE(lues.m_statsPlayer.value(43).valeur_, 0.0);
        QVERIFY(lues.equipes_[0].indicateur_);
        QVERIFY(lues.equipes_[1].indicateur_);
    }

    // A hosting table plays a whole match with two clients. In the second
    // deal one client's connection drops in the first trick: it is charged,
    // its computer plays on, and it comes back in the second trick to take
    // its seat in the third. The match ends, and its statistics are reported
    // once, with the shares of the players who played it.
    void matchAvecDepartEtRetour()
    {
        // The room of a hosting table playing a whole match, which plays the
        // clients' machines too.
        SalleQuiJoue salle;
        salle.entrees = pas_de_salle::Entrees::SiAttendues;
        salle.repondPourLesClients = true;
        ZB_DisplayEmpty display;
        ZB_RoomTable table(nullptr, false, false);
        salle.table = &table;
        salle.liste.sansDelai_ = true;
        table.initialise(nullptr, nullptr, 0, &display, &salle.liste, true, QString(), QString(), false);

        OptionsDePartie options(TypeDePartie::GenreJass);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
        TypeDePartie type = TypeDePartie::getTypeDePartie(options.idPreset_);
        type.contrat_ = TypeDePartie::ContratChibre;
        type.atoutAutomatique_ = 0;
        type.pointsObjectif_ = 1000;
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_ = type;
        table.nouvellePartie(ZB_RoomTable::ReseauServeur, options);
        table.settingsPartie().random_.initialise(20261207);
        table.statsPartie().id1_ = 77;
        // The lobby knows the match's players from the start.
        table.statsPartie().getPlayer(502).databaseId = 502;
        for (int siege = 0; siege < 2; ++siege)
            table.inscritJoueur(siege, ordinateur(siege), Joueur::ModeOrdinateur, false);
        for (int siege = 2; siege < 4; ++siege)
            table.inscritJoueur(siege, client(siege, 500 + siege), Joueur::ModeHumainDistant, false);

        QSignalSpy debut(&table, &ZB_RoomTable::signalSendStatsGameStart);
        QSignalSpy fin(&table, &ZB_RoomTable::signalSendStatsGameCompleted);
        QSignalSpy penalites(&table, &ZB_RoomTable::signalSendPenalty);
        auto* socket = new SocketScripte;
        ZB_ServerSocketConnection connection(socket);
        ServeurTemoin serveur;
        bool parti = false;
        bool revenu = false;
        int etatDuRetour = -1;
        int modeApresDepart = -1;
        salle.temoin = [&](int etat, int donnes) {
            if (donnes != 1)
                return;
            if (!parti && etat >= 37 && etat <= 40) {
                parti = true;
                QTimer::singleShot(0, &salle, [&] { table.setClientOffline(302, true, true); });
            } else if (parti && !revenu && etat >= 53 && etat <= 56
                       && table.getJoueur(2)->modeJeu_ == Joueur::ModeRemplacant) {
                revenu = true;
                QTimer::singleShot(0, &salle, [&] {
                    etatDuRetour = table.getEtatCourant();
                    modeApresDepart = table.getJoueur(2)->modeJeu_;
                    QVERIFY(table.setClientInGameReconnect(&connection, &serveur, client(2, 502)));
                });
            }
        };

        CompteAvertissements avertissements;
        {
            QMutexLocker verrou(salle.liste.getMutex());
            salle.liste.setEtatAttendu(EtatDeJeu::InscriptionJoueur0);
            table.continueLeJeu(0, nullptr, false, false);
            salle.liste.flush_unlocked();
        }
        QTRY_VERIFY_WITH_TIMEOUT(salle.liste.attend(EtatDeJeu::QuestionNouvellePartie) || !salle.erreur.isEmpty(),
                                 180000);
        QCOMPARE(salle.erreur, QString());
        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(salle.finsDeMatch, 1);
        QVERIFY(salle.donnesTerminees >= 2);

        // Gone and back, in this deal's third trick.
        QVERIFY(parti);
        QVERIFY(revenu);
        QCOMPARE(modeApresDepart, int(Joueur::ModeRemplacant));
        QVERIFY2(etatDuRetour < 69, qPrintable(QString::number(etatDuRetour)));
        QCOMPARE(table.getJoueur(2)->modeJeu_, int(Joueur::ModeHumainDistant));
        QCOMPARE(table.getJoueur(2)->options_, client(2, 502));
        QCOMPARE(penalites.count(), 1);
        GM_GamePenalty penalite;
        penalite.chargeValeursDepuisString(penalites.at(0).at(0).toString());
        QCOMPARE(penalite, GM_GamePenalty(77, 1.0, 502, table.getStatsPartie().valeurs_[0], 0));
        QCOMPARE(socket->ecritures.size(), 1);
        QVERIFY(QString::fromUtf8(socket->ecritures.at(0)).startsWith(QStringLiteral("{RsI!")));
        QCOMPARE(connection.getTableId(), 0);
        QCOMPARE(serveur.placees.size(), 1);
        // The two computers' seats are free for newcomers.
        QCOMPARE(serveur.etats, QList<int>{ZB_ServerSeatingA::EnCoursAvecPlacesLibres});

        QCOMPARE(debut.count(), 1);
        QCOMPARE(fin.count(), 1);
        QVERIFY(fin.at(0).at(0).toBool());
        GM_GameStats stats;
        stats.chargeValeursDepuisString(fin.at(0).at(1).toString());
        const int t0 = table.getSettingsPartie().scores_[0] + table.totalDonne(0);
        const int t1 = table.getSettingsPartie().scores_[1] + table.totalDonne(1);
        QCOMPARE(stats.valeurs_[1], qMax(t0, t1));
        QVERIFY(t0 != t1);
        const int gagnante = t0 > t1 ? 0 : 1;
        for (int equipe = 0; equipe < 2; ++equipe) {
            QVERIFY(stats.valeurs2_[equipe] > 0);
            QCOMPARE(stats.equipes_[equipe].compteurs_[ZB_RoomTable::StatsPointsEquipe0 + equipe],
                     stats.valeurs2_[equipe]);
        }
        auto points = [&stats](qint64 cle, int equipe) {
            return stats.m_statsPlayer.value(cle).compteurs_[ZB_RoomTable::StatsPointsEquipe0 + equipe];
        };
        // Seat 2's points while its computer played went to the seat's key.
        QVERIFY(points(-3, 0) > 0);
        QCOMPARE(points(-5, 0), points(502, 0) + points(-3, 0));
        QCOMPARE(points(-4, 1), stats.valeurs2_[1]);
        QCOMPARE(points(503, 1), stats.valeurs2_[1]);
        const qint64 cles[] = {-5, -4, 502, 503};
        for (int siege = 0; siege < 4; ++siege) {
            const GM_GameStatsPlayer& entree = stats.m_statsPlayer.value(cles[siege]);
            QCOMPARE(entree.databaseId, cles[siege]);
            const double attendu = siege % 2 != gagnante ? 0.0
                                 : double(points(cles[siege], gagnante)) / stats.valeurs2_[gagnante];
            // The text carries six digits.
            QVERIFY(qAbs(entree.valeur_ - attendu) < 1e-5);
            QCOMPARE(entree.indicateur_, siege == 2);
        }
        if (gagnante == 0) {
            QCOMPARE(stats.m_statsPlayer.value(-5).valeur_, 1.0);
            QVERIFY(stats.m_statsPlayer.value(502).valeur_ > 0.0 && stats.m_statsPlayer.value(502).valeur_ < 1.0);
        } else {
            QCOMPARE(stats.m_statsPlayer.value(503).valeur_, 1.0);
        }
        QVERIFY(stats.equipes_[0].indicateur_);
        QVERIFY(!stats.equipes_[1].indicateur_);
    }
};

ZB_REGISTER_TEST(TestTableSeating)
#include "TestTableSeating.moc"
