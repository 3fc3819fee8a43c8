#include "Carte.h"
#include "EvenementDeJeu.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_PointsA.h"
#include "ZB_RoomTable.h"
#include "ZB_StatusMise.h"
#include "SalleDeTable.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <array>
#include <memory>

namespace {

// Keeps the names a seat's analysis window was given.
class AnalyseDesNoms : public ZB_AnalyseJoueurEmpty
{
public:
    QStringList noms;
    int siege = -1;
    void setTextes(const QStringList& textes, int joueur) override
    {
        noms = textes;
        siege = joueur;
    }
};

class DisplayDesMises : public ZB_DisplayEmpty
{
public:
    std::array<AnalyseDesNoms, 4> analyses;
    ZB_AnalyseJoueurA* getAnalyseJoueur(int no) override { return &analyses.at(size_t(no)); }
    int redistributions = 0;
    int nouvellesDonnes = 0;
    int restes = 0;
    QList<int> bulles;
    QList<int> typesBulles;
    Carte* retournee = nullptr;
    void afficheRedistribution() override { ++redistributions; }
    void nouvelleDonne(int, int, int) override { ++nouvellesDonnes; }
    void afficheBulleMise(int no, const ZB_StatusMise& mise, int) override
    {
        bulles << no;
        typesBulles << mise.typeContrat_;
    }
    void afficheCartesDistribuees(Carte* carte) override { retournee = carte; }
    void afficheResteDistribue() override { ++restes; }
};

ZB_StatusMise passe()
{
    return ZB_StatusMise();
}

ZB_StatusMise mise(int points, int atout, int type = ZB_StatusMise::Simple)
{
    ZB_StatusMise m;
    m.miseFaite_ = true;
    m.pointsMise_ = points;
    m.atoutMise_ = atout;
    m.typeContrat_ = type;
    return m;
}

// Belote presets by contract: 1 turned card, 2 Coinchée, 3 Contrée, 4 Vache.
int presetDuContrat(int contrat)
{
    switch (contrat) {
    case TypeDePartie::ContratFixe:
        return 6;
    case TypeDePartie::ContratContre:
        return 8;
    case TypeDePartie::ContratCoinche:
        return 9;
    default:
        return 10;
    }
}

} // namespace

class TestTableBids : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SalleDeTable> salle;
    std::unique_ptr<DisplayDesMises> display;
    std::unique_ptr<ZB_RoomTable> table;

    void ouvre(const TypeDePartie& type, int debut = 1)
    {
        // The stand-in room only holds the list's state here: the tests
        // call the table's bid operations directly, state by state, as the
        // room would after each bid.
        salle = std::make_unique<SalleDeTable>();
        display = std::make_unique<DisplayDesMises>();
        table = std::make_unique<ZB_RoomTable>(nullptr, true, false);
        salle->table = table.get();
        table->initialise(salle.get(), nullptr, 0, display.get(), &salle->liste, true, QString(), QString(), false);
        OptionsDePartie options(type.genre_);
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_ = type;
        table->nouvellePartie(ZB_RoomTable::ReseauLocal, options);
        table->settingsPartie().random_.initialise(4242);
        for (int siege = 0; siege < 4; ++siege) {
            OptionsDuJoueur j;
            j.nom_ = QStringLiteral("J%1").arg(siege);
            j.id_ = 300 + siege;
            j.distant_ = 1;
            table->inscritJoueur(siege, j, Joueur::ModeHumainDistant, false);
        }
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = debut;
        salle->liste.setEtatAttendu(EtatDeJeu::AttendDistribue4);
        // As the deal answer does: a turned-card deal keeps three cards
        // a seat for after the bidding.
        const TypeDePartie& t = table->getTypeDePartie();
        int cartes = t.genre_ == TypeDePartie::GenreBelote ? 8 : 9;
        if (t.contrat_ == TypeDePartie::ContratFixe || t.contrat_ == TypeDePartie::ContratVache)
            cartes -= 3;
        table->reponse_ActionDistribue(cartes, true);
    }
    void ouvreBelote(int contrat, int debut = 1)
    {
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreBelote);
        TypeDePartie type = TypeDePartie::getTypeDePartie(presetDuContrat(contrat));
        ouvre(type, debut);
    }
    // Serves a bid state (mode 1: the seats are not asked) and answers it.
    void enchere(int etat, const ZB_StatusMise& m)
    {
        salle->liste.setEtatAttendu(etat);
        table->continueLeJeu(1, nullptr, false, false);
        table->miseChoisie(table->getJoueurQuiDoitJouer(etat), m);
    }
    int cartesEnMain(int siege) const { return int(table->getJoueur(siege)->main_.getNombreDeCartes()); }
    int etat() const { return salle->liste.getEtatAttendu(); }

private slots:
    void cleanup()
    {
        table.reset();
        salle.reset();
        display.reset();
    }

    // What the first bid request of a deal offers, by game type.
    void ouvertureDesEncheres_data()
    {
        QTest::addColumn<int>("contrat");
        QTest::addColumn<int>("pas");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("bloque");
        QTest::addColumn<int>("maximum");
        QTest::newRow("turned card") << int(TypeDePartie::ContratFixe) << 1 << 82 << true << 160;
        QTest::newRow("vache") << int(TypeDePartie::ContratVache) << 1 << 82 << true << 160;
        QTest::newRow("contree") << int(TypeDePartie::ContratContre) << 10 << 80 << false << 160;
        // Belote with announcements: a step of 5 and a higher ceiling.
        QTest::newRow("coinchee") << int(TypeDePartie::ContratCoinche) << 5 << 80 << false << 650;
    }
    void ouvertureDesEncheres()
    {
        QFETCH(int, contrat);
        QFETCH(int, pas);
        QFETCH(int, points);
        QFETCH(bool, bloque);
        QFETCH(int, maximum);
        ouvreBelote(contrat, 3);
        salle->liste.setEtatAttendu(EtatDeJeu::AttendMise1_1);
        table->continueLeJeu(1, nullptr, false, false);
        const ZB_StatusMise& m = table->getStatusMise();
        QCOMPARE(m.pasMise_, pas);
        QCOMPARE(m.pointsMise_, points);
        QCOMPARE(m.montantBloque_, bloque);
        QCOMPARE(m.miseMax_, maximum);
        QCOMPARE(m.premierMiseur_, 3);
        QCOMPARE(m.miseur_, -1);
        QCOMPARE(m.typeContrat_, int(ZB_StatusMise::PasEncoreDeMise));
        QCOMPARE(m.tourMise_, 0);
        // The deal named the four players in every seat's analysis window.
        QStringList noms;
        for (int siege = 0; siege < 4; ++siege)
            noms << table->getJoueur(siege)->options_.getNomAffiche();
        QVERIFY(noms.first().startsWith(QStringLiteral("\u2068J0\u2069")));
        for (int siege = 0; siege < 4; ++siege) {
            QCOMPARE(display->analyses.at(size_t(siege)).siege, siege);
            QCOMPARE(display->analyses.at(size_t(siege)).noms, noms);
        }
        salle->liste.setEtatAttendu(EtatDeJeu::AttendMise1_1 + 1);
        table->continueLeJeu(1, nullptr, false, false);
        QCOMPARE(table->getStatusMise().tourMise_, 1);
        // Seat 3 begins: in state 13 the third bidder is seat 1.
        QCOMPARE(table->getJoueurQuiDoitJouer(13), 1);
    }

    void quatrePassesRedistribuent()
    {
        ouvreBelote(TypeDePartie::ContratContre, 2);
        for (int e = 11; e <= 14; ++e)
            enchere(e, passe());
        QCOMPARE(etat(), 26);
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, 3);
        QCOMPARE(display->redistributions, 1);
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(cartesEnMain(siege), 0);
        QVERIFY(table->getPartie().isNull());
        // A redealt deal is not counted as played.
        QCOMPARE(table->getSettingsPartie().donnesJouees_, 0);
    }

    void surenchereEtSurcontre()
    {
        ouvreBelote(TypeDePartie::ContratContre, 0);
        enchere(11, mise(100, 1));
        QCOMPARE(table->getStatusMise().miseMin_, 110);
        QCOMPARE(table->getStatusMise().miseur_, 0);
        QCOMPARE(etat(), 11);
        enchere(12, mise(100, 1, ZB_StatusMise::Contre));
        enchere(13, mise(100, 1, ZB_StatusMise::Surcontre));
        // A redouble closes the bidding at once.
        QCOMPARE(etat(), 28);
        const QSharedPointer<Partie> partie = table->getPartie();
        QVERIFY(!partie.isNull());
        QCOMPARE(partie->atoutChoisi_.atout_, 1);
        QCOMPARE(partie->joueurQuiAChoisiAtout_ % 2, 0);
        QCOMPARE(table->getSettingsPartie().donnesJouees_, 1);
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, 1);
    }

    // Whoever speaks last takes, a doubler too; the points then hold the side
    // whose bid was doubled to the contract. The deal is played out on the
    // table's own record, so the bidding and the scoring are checked together:
    // the doublers can never be the side that fails, and the bidders are
    // either failed or weighted by the contract's factor.
    void contreEtPreneur_data()
    {
        QTest::addColumn<int>("contrat");
        QTest::addColumn<QList<int>>("types"); // seats 0, 1, 2, 3 in turn; 0 passes
        QTest::addColumn<int>("preneur");
        QTest::addColumn<int>("typeFinal");
        QTest::addColumn<int>("facteur");
        const int S = ZB_StatusMise::Simple, C = ZB_StatusMise::Contre, SC = ZB_StatusMise::Surcontre;
        const int K = ZB_StatusMise::Capot, KC = ZB_StatusMise::CapotContre;
        QTest::newRow("contree doubled") << int(TypeDePartie::ContratContre) << QList<int>{S, C, 0, 0, 0} << 1 << C << 2;
        QTest::newRow("contree redoubled") << int(TypeDePartie::ContratContre) << QList<int>{S, C, SC} << 2 << SC << 4;
        QTest::newRow("coinchee doubled") << int(TypeDePartie::ContratCoinche) << QList<int>{0, 0, 0, S, 0, 0, C, 0, 0, 0}
                                          << 2 << C << 2;
        QTest::newRow("coinchee redoubled") << int(TypeDePartie::ContratCoinche) << QList<int>{S, 0, 0, C, SC} << 0 << SC << 4;
        QTest::newRow("coinchee capot doubled") << int(TypeDePartie::ContratCoinche) << QList<int>{K, KC, 0, 0, 0} << 1
                                                << KC << 2;
    }
    void contreEtPreneur()
    {
        QFETCH(int, contrat);
        QFETCH(QList<int>, types);
        QFETCH(int, preneur);
        QFETCH(int, typeFinal);
        QFETCH(int, facteur);
        ouvreBelote(contrat, 0);
        int etatMise = 11;
        int equipeMiseuse = -1;
        for (int type : types) {
            const int siege = table->getJoueurQuiDoitJouer(etatMise);
            if (type == ZB_StatusMise::Simple || type == ZB_StatusMise::Capot)
                equipeMiseuse = siege % 2;
            enchere(etatMise++, type == 0 ? passe() : mise(90, 1, type));
        }
        QCOMPARE(etat(), 28);
        const QSharedPointer<Partie> partie = table->getPartie();
        QCOMPARE(partie->joueurQuiAChoisiAtout_, preneur);
        QCOMPARE(partie->mise_.typeContrat_, typeFinal);
        // An auction deals every card at once.
        QCOMPARE(display->restes, 0);

        ZB_PointsDonne result;
        while (!partie->donneTerminee_) {
            const int joueur = partie->noDuProchainAJouer_;
            EnsembleDeCartes& main = table->getJoueur(joueur)->main_;
            Carte* carte = nullptr;
            for (Carte* c : main) {
                if (carte == nullptr && Partie::estCodeJouable(partie->estCarteValide(c, joueur, main)))
                    carte = c;
            }
            QVERIFY(carte != nullptr);
            main.retireCarte(carte);
            partie->joueCarte(result, carte, joueur);
        }
        const ZB_PointsA* points = partie->getPoints();
        const int defense = 1 - equipeMiseuse;
        QCOMPARE(int(points->chute_[defense]), 0);
        if (points->chute_[equipeMiseuse] != 0) {
            QCOMPARE(int(points->gagne_[defense]), 1);
            QCOMPARE(points->facteur_[defense], float(facteur));
        } else {
            QCOMPARE(points->facteur_[equipeMiseuse], float(facteur));
            QCOMPARE(points->facteur_[defense], 1.0f);
        }
    }

    // The last bid state closes an auction that is still open.
    void encheresOuvertesAuDernierTour()
    {
        ouvreBelote(TypeDePartie::ContratCoinche, 0);
        int points = 80;
        const int dernier = table->getJoueurQuiDoitJouer(26);
        for (int e = 11; e <= 26; ++e) {
            points += 5;
            enchere(e, mise(points, 1 + e % 4));
        }
        QCOMPARE(etat(), 28);
        QCOMPARE(table->getPartie()->joueurQuiAChoisiAtout_, dernier);

        ouvreBelote(TypeDePartie::ContratFixe, 0);
        for (int e = 11; e <= 17; ++e)
            enchere(e, passe());
        QCOMPARE(etat(), 17);
        enchere(18, passe());
        QCOMPARE(etat(), 26);
        QCOMPARE(display->redistributions, 1);
    }

    void vacheDonneurForce()
    {
        ouvreBelote(TypeDePartie::ContratVache, 2);
        for (int e = 11; e <= 14; ++e)
            enchere(e, passe());
        QCOMPARE(etat(), 28);
        // The dealer sits before the seat that begins.
        QCOMPARE(table->getStatusMise().miseur_, 1);
        QCOMPARE(table->getStatusMise().typeContrat_, int(ZB_StatusMise::DonneurForce));
        QCOMPARE(display->bulles.last(), 1);
        QCOMPARE(display->typesBulles.last(), int(ZB_StatusMise::DonneurForce));
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(cartesEnMain(siege), 8);
        QCOMPARE(display->restes, 1);
    }

    void carteRetourneeDonneLAtout()
    {
        ouvreBelote(TypeDePartie::ContratFixe, 0);
        Carte* retournee = table->getCarteRetournee();
        QVERIFY(retournee != nullptr);
        QCOMPARE(display->retournee, retournee);
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(cartesEnMain(siege), 5);
        enchere(11, passe());
        QCOMPARE(display->restes, 0);
        ZB_StatusMise prend = mise(82, 0, ZB_StatusMise::PrendCouleurRetournee);
        prend.montantBloque_ = true;
        enchere(12, prend);
        QCOMPARE(etat(), 28);
        QCOMPARE(table->getPartie()->atoutChoisi_.atout_, retournee->getCouleur());
        QVERIFY(table->getJoueur(1)->main_.contientCarte(retournee));
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(cartesEnMain(siege), 8);
        // 32 different cards in the four hands.
        quint64 masque = 0;
        for (int siege = 0; siege < 4; ++siege)
            masque |= table->getJoueur(siege)->main_.getMasque();
        QCOMPARE(qPopulationCount(masque), 32u);
        // Announced once, at the deal; the rest shown once the hands hold it.
        QCOMPARE(display->nouvellesDonnes, 1);
        QCOMPARE(display->restes, 1);
    }

    // Bids a peer could send that the game cannot stand are refused.
    void misesRefusees()
    {
        ouvreBelote(TypeDePartie::ContratContre, 0);
        salle->liste.setEtatAttendu(EtatDeJeu::AttendMise1_1);
        table->continueLeJeu(1, nullptr, false, false);
        auto chm = [this](const ZB_StatusMise& m) {
            return EvenementDeJeu(EvenementDeJeu::Chm, m.sauveValeursDansString(), 0, EtatDeJeu::AttendMise1_1,
                                  EvenementDeJeu::Remote_Human, 300, 0, table->getNoDemande(), 0, ZB_ICI);
        };
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("REFUSED: trump mode not allowed")));
        QVERIFY(!table->cb_executeUnEvenement(chm(mise(100, 7))));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("REFUSED: bid below the minimum")));
        QVERIFY(!table->cb_executeUnEvenement(chm(mise(70, 1))));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("REFUSED: double without a contract")));
        QVERIFY(!table->cb_executeUnEvenement(chm(mise(80, 1, ZB_StatusMise::Contre))));
        QCOMPARE(table->getStatusMise().miseur_, -1);
        QVERIFY(table->cb_executeUnEvenement(chm(mise(80, 1))));
        QCOMPARE(table->getStatusMise().miseur_, 0);
    }

    void atoutAutomatique_data()
    {
        QTest::addColumn<bool>("secondeRegle");
        QTest::addColumn<QList<int>>("compteurs"); // modes 1..4
        QTest::addColumn<int>("attendu");
        QTest::addColumn<int>("reste");
        QTest::newRow("fresh") << false << QList<int>{0, 0, 0, 0} << 4 << 4;
        QTest::newRow("mode 4 played") << false << QList<int>{0, 0, 0, 1} << 1 << 3;
        QTest::newRow("last one") << false << QList<int>{1, 1, 0, 1} << 3 << 1;
        QTest::newRow("all played") << false << QList<int>{1, 1, 1, 1} << 0 << 0;
        QTest::newRow("second rule, mode 4 three times") << true << QList<int>{0, 0, 0, 3} << 4 << 13;
        QTest::newRow("second rule, mode 4 done") << true << QList<int>{1, 0, 0, 4} << 1 << 11;
    }
    void atoutAutomatique()
    {
        QFETCH(bool, secondeRegle);
        QFETCH(QList<int>, compteurs);
        QFETCH(int, attendu);
        QFETCH(int, reste);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
        TypeDePartie type = TypeDePartie::getTypeDePartie(secondeRegle ? 15 : 14);
        ouvre(type);
        for (int mode = 1; mode <= 4; ++mode)
            for (int i = 0; i < compteurs.at(mode - 1); ++i)
                table->settingsPartie().incrementeCompteurAtout(mode);
        StatusAtout atout;
        QCOMPARE(table->determineAtoutAutomatique(atout, secondeRegle), reste);
        QCOMPARE(atout.choisi_, attendu != 0);
        if (attendu != 0) {
            QCOMPARE(atout.atout_, attendu);
            QCOMPARE(atout.multiplicateur_, 1);
        }
    }
};

ZB_REGISTER_TEST(TestTableBids)
#include "TestTableBids.moc"
