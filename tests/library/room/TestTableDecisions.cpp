#include "DecisionsDeTable.h"
#include "EvenementDeJeu.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"
#include "ZB_RoomTable.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

ZB_StatusMise mise(bool faite, int points, int atout, int type = ZB_StatusMise::Simple)
{
    ZB_StatusMise m;
    m.miseFaite_ = faite;
    m.pointsMise_ = points;
    m.atoutMise_ = atout;
    m.typeContrat_ = type;
    return m;
}

} // namespace

// The referee's decisions from their facts alone: whose turn, whose answer,
// which trick lies before, whether a bid stands.
class TestTableDecisions : public QObject
{
    Q_OBJECT

private slots:
    // Bids and announcements go round from the seat that begins (any
    // integer, seats taken modulo 4); a trick state follows the deal; the
    // end of the match waits for seats 0, 2, 1, 3.
    void seatThatMustAct_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("prochain");
        QTest::addColumn<int>("siege");
        QTest::newRow("first bid") << 11 << 1 << -1 << 1;
        QTest::newRow("second bid") << 12 << 1 << -1 << 2;
        QTest::newRow("fourth bid wraps") << 14 << 1 << -1 << 0;
        QTest::newRow("second round starts again") << 15 << 1 << -1 << 1;
        QTest::newRow("last bid") << 26 << 1 << -1 << 0;
        QTest::newRow("before the first deal") << 11 << -10 << -1 << 2;
        QTest::newRow("first announcement") << 29 << 3 << -1 << 3;
        QTest::newRow("last announcement") << 32 << 3 << -1 << 2;
        QTest::newRow("trick: the deal's next seat") << 37 << 1 << 2 << 2;
        QTest::newRow("trick without a deal") << 53 << 1 << -1 << -1;
        QTest::newRow("match over") << 134 << 1 << 3 << 0;
        QTest::newRow("scoring") << 135 << 1 << 3 << 0;
        QTest::newRow("answer of seat 2") << 136 << 1 << 3 << 2;
        QTest::newRow("answer of seat 1") << 137 << 1 << 3 << 1;
        QTest::newRow("answer of seat 3") << 138 << 1 << 3 << 3;
        QTest::newRow("trump choice") << 27 << 1 << 3 << 0;
    }
    void seatThatMustAct()
    {
        QFETCH(int, etat);
        QFETCH(int, debut);
        QFETCH(int, prochain);
        QFETCH(int, siege);
        QCOMPARE(decisions_de_table::siegeQuiDoitJouer(etat, debut, prochain), siege);
    }

    // An answer counts only from the seat whose decision is due: the trump
    // from the seat that begins or, passed on, its partner; bids and
    // announcements from the seat whose turn it is.
    void seatWhoseDecisionIsDue_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("siege");
        QTest::newRow("trump") << int(EvenementDeJeu::Cho) << 27 << 3 << 3;
        QTest::newRow("trump passed on") << int(EvenementDeJeu::Cho) << 28 << 3 << 1;
        QTest::newRow("trump, before the first deal") << int(EvenementDeJeu::Cho) << 27 << -10 << 2;
        QTest::newRow("trump in a bid state") << int(EvenementDeJeu::Cho) << 11 << 3 << -1;
        QTest::newRow("bid") << int(EvenementDeJeu::Chm) << 13 << 3 << 1;
        QTest::newRow("bid in the trump state") << int(EvenementDeJeu::Chm) << 27 << 3 << -1;
        QTest::newRow("announcements") << int(EvenementDeJeu::Ann) << 30 << 3 << 0;
        QTest::newRow("announcements in a trick") << int(EvenementDeJeu::Ann) << 37 << 3 << -1;
        QTest::newRow("a card is no decision") << int(EvenementDeJeu::Ajo) << 37 << 3 << -1;
    }
    void seatWhoseDecisionIsDue()
    {
        QFETCH(int, genre);
        QFETCH(int, etat);
        QFETCH(int, debut);
        QFETCH(int, siege);
        QCOMPARE(decisions_de_table::siegeDeLaDecision(genre, etat, debut), siege);
    }

    void seatOfAGroupOfFour_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("siege");
        QTest::newRow("new player, trick 1") << 33 << 0;
        QTest::newRow("new player, trick 5, seat 3") << 88 << 3;
        QTest::newRow("collect, trick 1, seat 2") << 43 << 2;
        QTest::newRow("collect of the pair") << 131 << 1;
        QTest::newRow("confirmation, seat 3") << 48 << 3;
        QTest::newRow("a card state") << 37 << -1;
        QTest::newRow("a bid state") << 11 << -1;
    }
    void seatOfAGroupOfFour()
    {
        QFETCH(int, etat);
        QFETCH(int, siege);
        QCOMPARE(decisions_de_table::siegeDuGroupe(etat), siege);
    }

    // The trick before: Jass has nine tricks; an eight-trick Belote deal
    // skips the states of trick 8, so its last trick follows trick 7.
    void pliPrecedent_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("jass");
        QTest::addColumn<int>("belote");
        QTest::newRow("trump choice") << 28 << 28 << 28;
        QTest::newRow("first trick") << 37 << 27 << 27;
        QTest::newRow("first trick, confirmation") << 48 << 27 << 27;
        QTest::newRow("second trick") << 53 << 37 << 37;
        QTest::newRow("third trick, new player") << 64 << 37 << 37;
        QTest::newRow("third trick") << 65 << 53 << 53;
        QTest::newRow("eighth trick") << 113 << 105 << 105;
        QTest::newRow("last trick") << 121 << 113 << 105;
        QTest::newRow("last collect") << 128 << 113 << 105;
    }
    void pliPrecedent()
    {
        QFETCH(int, etat);
        QFETCH(int, jass);
        QFETCH(int, belote);
        QCOMPARE(decisions_de_table::etatDuPliPrecedent(etat, TypeDePartie::GenreJass), jass);
        QCOMPARE(decisions_de_table::etatDuPliPrecedent(etat, TypeDePartie::GenreBelote), belote);
    }

    // The table asks with its own game's genre.
    void tableUndoesByItsGenre()
    {
        ZB_RoomTable belote(nullptr, true, false);
        belote.nouvellePartie(ZB_RoomTable::ReseauLocal, OptionsDePartie(TypeDePartie::GenreBelote));
        QCOMPARE(belote.etatDuPliPrecedent(EtatDeJeu::Tour9_AttendCarte1), int(EtatDeJeu::Tour7_AttendCarte1));
    }

    // What a peer may bid: the contract games check doubles and amounts,
    // every game checks the trump mode, a pass always stands.
    void bidThatCannotStand_data()
    {
        QTest::addColumn<int>("contrat");
        QTest::addColumn<ZB_StatusMise>("mise");
        QTest::addColumn<int>("miseur");
        QTest::addColumn<QString>("raison");
        const int coinche = TypeDePartie::ContratCoinche;
        const int contre = TypeDePartie::ContratContre;
        const int chibre = TypeDePartie::ContratChibre;
        const QString dehors = QStringLiteral("trump mode outside the game");
        const QString interdit = QStringLiteral("trump mode not allowed by the game type");
        const QString sansContrat = QStringLiteral("double without a contract");
        const QString tropBas = QStringLiteral("bid below the minimum");
        QTest::newRow("pass") << coinche << mise(false, 0, 99) << -1 << QString();
        QTest::newRow("bid") << coinche << mise(true, 80, 1) << -1 << QString();
        QTest::newRow("mode -1") << contre << mise(true, 100, -1) << -1 << dehors;
        QTest::newRow("mode 12") << chibre << mise(true, 100, 12) << -1 << dehors;
        QTest::newRow("mode not allowed") << contre << mise(true, 100, 7) << -1 << interdit;
        QTest::newRow("mode 0 is the turned suit") << contre << mise(true, 100, 0) << -1 << QString();
        QTest::newRow("below the minimum") << coinche << mise(true, 70, 1) << -1 << tropBas;
        QTest::newRow("below, no contract rule") << chibre << mise(true, 70, 1) << -1 << QString();
        QTest::newRow("double, no contract") << contre << mise(true, 80, 1, ZB_StatusMise::Contre) << -1
                                             << sansContrat;
        QTest::newRow("redouble, no contract") << coinche << mise(true, 80, 1, ZB_StatusMise::CapotSurcontre) << -1
                                               << sansContrat;
        QTest::newRow("double of a contract") << contre << mise(true, 80, 1, ZB_StatusMise::Contre) << 2
                                              << QString();
        QTest::newRow("capot below the minimum") << coinche << mise(true, 0, 1, ZB_StatusMise::Capot) << -1
                                                 << QString();
    }
    void bidThatCannotStand()
    {
        QFETCH(int, contrat);
        QFETCH(ZB_StatusMise, mise);
        QFETCH(int, miseur);
        QFETCH(QString, raison);
        TypeDePartie type;
        type.contrat_ = contrat;
        type.multiplicateurs_.fill(1);
        type.multiplicateurs_[7] = 0;
        ZB_StatusMise enCours;
        enCours.miseur_ = miseur;
        enCours.miseMin_ = 80;
        QCOMPARE(decisions_de_table::raisonRefusMise(mise, type, enCours), raison);
    }

    void bidStep_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<int>("pas");
        QTest::newRow("Coinche Jass") << int(TypeDePartie::GenreJass) << int(TypeDePartie::ContratCoinche) << 10;
        QTest::newRow("Coinche Belote") << int(TypeDePartie::GenreBelote) << int(TypeDePartie::ContratCoinche) << 5;
        QTest::newRow("Contrée") << int(TypeDePartie::GenreBelote) << int(TypeDePartie::ContratContre) << 10;
        QTest::newRow("Chibre") << int(TypeDePartie::GenreJass) << int(TypeDePartie::ContratChibre) << 1;
    }
    void bidStep()
    {
        QFETCH(int, genre);
        QFETCH(int, contrat);
        QFETCH(int, pas);
        TypeDePartie type;
        type.genre_ = genre;
        type.contrat_ = contrat;
        QCOMPARE(decisions_de_table::pasDeMise(type), pas);
    }
};

ZB_REGISTER_TEST(TestTableDecisions)
#include "TestTableDecisions.moc"
