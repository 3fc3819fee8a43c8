#include "RulesTestKit.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <algorithm>
#include <random>

namespace {

constexpr int Trefle = 1, Carreau = 2, Pique = 3, Coeur = 4;
constexpr int V = 11, D = 12, R = 13, A = 14;

int nombreDeBits(quint64 m)
{
    return __builtin_popcountll(m);
}

} // namespace

class TestPartie : public QObject
{
    Q_OBJECT

private slots:
    void defaultState()
    {
        const Partie partie;
        QCOMPARE(partie.toString(),
                 QStringLiteral("Partie carteNo_: 0, joueurQuiDebuteTour_: -1, joueurQuiACommence_: -1, "
                                "joueurQuiAChoisiAtout_: -1, noDuProchainAJouer_: -1, atout: 12, cartes ramassées 0, "
                                "carte jouees valides: , tour: 0"));
        QVERIFY(!partie.partieReelle_);
        QCOMPARE(partie.multiplicateur_, 1);
        QCOMPARE(partie.atoutChoisi_, StatusAtout(false, false, 0, -1));
        QVERIFY(partie.peutAvoir(3, 4));
    }

    void cardFromWrongSeatChangesNothing()
    {
        RulesTestKit kit(false);
        ZB_PointsJass points;
        auto partie = kit.position(Pique, 0, Cartes{{Coeur, 10}}, &points);
        const QString avant = partie->toString();
        ZB_PointsDonne result;
        result.pointsCartes_[0] = 99;
        result.facteur_[1] = 3.0f;
        partie->joueCarte(result, kit.carte(Coeur, A), 3);
        QCOMPARE(partie->toString(), avant);
        QVERIFY(partie->cartesEnMain_.contientCarte(kit.carte(Coeur, A)));
        QCOMPARE(result.pointsCartes_[0], 0);
        QCOMPARE(result.facteur_[1], 1.0f);
        QCOMPARE(partie->noDuProchainAJouer_, 1);
    }

    void tricksAndTurns()
    {
        RulesTestKit kit(false);
        ZB_PointsJass points;
        // Spades trump: the six of spades cuts the hearts ace.
        auto partie = kit.position(Pique, 2, Cartes{{Coeur, 10}, {Coeur, A}, {Pique, 6}}, &points, 2);
        QCOMPARE(partie->carteNo_, 3);
        QCOMPARE(partie->noDuProchainAJouer_, 1);
        // Cutting says nothing about the led suit; discarding does.
        QVERIFY(partie->peutAvoir(0, Coeur));
        auto discard = kit.position(Pique, 2, Cartes{{Coeur, 10}, {Carreau, A}}, &points);
        QVERIFY(!discard->peutAvoir(3, Coeur));
        QVERIFY(discard->peutAvoir(2, Coeur));
        ZB_PointsDonne result;
        partie->joueCarte(result, kit.carte(Coeur, 9), 1);
        QCOMPARE(partie->carteNo_, 0);
        QCOMPARE(partie->noDuProchainAJouer_, 0);
        QCOMPARE(partie->joueurQuiDebuteTour_, 0);
        QCOMPARE(partie->getNombrePlisRamasses(), 1);
        QCOMPARE(result.derniersPlis_[0], 1);
        QCOMPARE(result.pointsCartes_[0], (10 + 11 + 0 + 0) * 2);
        QCOMPARE(points.pointsCartes_[0], 42);
        QCOMPARE(partie->getNombreCartesRamassees(0), 4);
        // Collected in seat order within the trick.
        const int* ramassees = partie->getCartesRamassees(0);
        QCOMPARE(ramassees[0], Carte::indexDe(Pique, 6));
        QCOMPARE(ramassees[1], Carte::indexDe(Coeur, 9));
        QCOMPARE(ramassees[2], Carte::indexDe(Coeur, 10));
        QCOMPARE(ramassees[3], Carte::indexDe(Coeur, A));
        for (int i = 0; i < 4; ++i)
            QVERIFY(partie->getCarteDuPli(i) == nullptr);
    }

    void noTrumpModesFollowTheLedSuit()
    {
        RulesTestKit kit(false);
        ZB_PointsJass points;
        auto partie = kit.position(StatusAtout::HautEnBas, 0, Cartes{{Coeur, 8}, {Pique, A}, {Coeur, 6}}, &points);
        ZB_PointsDonne result;
        partie->joueCarte(result, kit.carte(Trefle, V), 3);
        QCOMPARE(partie->joueurQuiDebuteTour_, 0); // the eight of hearts, the only hearts above the six
        QCOMPARE(result.pointsCartes_[0], 8 + 11 + 0 + 2);

        partie = kit.position(StatusAtout::BasEnHaut, 0, Cartes{{Coeur, 8}, {Pique, 6}, {Coeur, 6}}, &points);
        partie->joueCarte(result, kit.carte(Coeur, 7), 3);
        QCOMPARE(partie->joueurQuiDebuteTour_, 2); // bottom-up: the six of hearts
        QCOMPARE(result.pointsCartes_[0], 8 + 11 + 11 + 0);
    }

    void zigZagFlipsEveryTrick()
    {
        RulesTestKit kit(false);
        ZB_PointsJass points;
        auto partie = kit.position(StatusAtout::ZigZagDepartEnBas, 0, Cartes{}, &points);
        QCOMPARE(partie->atoutEnCours_, int(StatusAtout::BasEnHaut));
        ZB_PointsDonne result;
        const Cartes premier{{Coeur, 6}, {Coeur, A}, {Coeur, 10}, {Coeur, 8}};
        for (int i = 0; i < 4; ++i)
            partie->joueCarte(result, kit.carte(premier[i].first, premier[i].second), i);
        QCOMPARE(partie->joueurQuiDebuteTour_, 0);            // bottom-up: the six wins
        QCOMPARE(result.pointsCartes_[0], 11 + 0 + 10 + 8);    // bottom-up values
        QCOMPARE(partie->atoutEnCours_, int(StatusAtout::HautEnBas));
        const Cartes second{{Pique, 6}, {Pique, A}, {Pique, 10}, {Pique, 8}};
        for (int i = 0; i < 4; ++i)
            partie->joueCarte(result, kit.carte(second[i].first, second[i].second), i);
        QCOMPARE(partie->joueurQuiDebuteTour_, 1);            // top-down: the ace wins
        QCOMPARE(result.pointsCartes_[1], 11 + 0 + 10 + 8);    // still bottom-up values
        QCOMPARE(partie->atoutEnCours_, int(StatusAtout::BasEnHaut));

        partie = kit.position(StatusAtout::ZigZagDepartEnHaut, 0, Cartes{}, &points);
        QCOMPARE(partie->atoutEnCours_, int(StatusAtout::HautEnBas));
    }

    void matchWhenOneTeamTakesEverything()
    {
        RulesTestKit kit(false);
        ZB_PointsJass points;
        // Seat 0 holds every club (trump) and leads them one by one; nobody
        // else can follow or cut, so seat 0 takes all nine tricks.
        EnsembleDeCartes mains[4];
        int autre = 1;
        for (Carte* c : kit.deck().getCartes()) {
            if (c->getCouleur() == Trefle) {
                mains[0].ajouteCarte(c);
            } else {
                mains[autre].ajouteCarte(c);
                autre = autre % 3 + 1;
            }
        }
        Partie partie(StatusAtout(false, true, Trefle, 1), kit.deck().getCartes(), 0, 0, 1, kit.type(),
                      ZB_StatusMise(), &points);
        ZB_PointsDonne result;
        while (!partie.donneTerminee_) {
            const int joueur = partie.noDuProchainAJouer_;
            const quint64 jouables = partie.getMasqueCartesJouables(joueur, mains[joueur].getMasque());
            Carte* carte = kit.deck().getCarteParIndex(__builtin_ctzll(jouables));
            mains[joueur].retireCarte(carte);
            partie.joueCarte(result, carte, joueur);
        }
        QCOMPARE(partie.getNombreCartesRamassees(0), 36);
        QCOMPARE(partie.getNombreCartesRamassees(1), 0);
        QCOMPARE(points.pointsCartes_[0], 152);
        QCOMPARE(int(points.match_[0]), 1);
        QCOMPARE(points.bonusMatch_[0], 100);
        QCOMPARE(points.derniersPlis_[0], 1);
    }

    void copiesAreIndependent()
    {
        RulesTestKit kit(true);
        ZB_PointsBelote points;
        auto source = kit.position(Coeur, 0, Cartes{{Coeur, 8}, {Coeur, V}, {Pique, 7}}, &points);
        Partie copie(*source); // owns a clone of the points record
        QVERIFY(copie.getPoints() != &points);
        ZB_PointsDonne result;
        copie.joueCarte(result, kit.carte(Carreau, 7), 3);
        QCOMPARE(copie.getPoints()->pointsCartes_[1], 20);
        QCOMPARE(points.pointsCartes_[1], 0);
        QCOMPARE(source->carteNo_, 3);
        QCOMPARE(source->toString().contains(QStringLiteral("tour: 0")), true);

        // Reusing a state assigns into its own record.
        ZB_PointsA* record = copie.getPoints();
        copie.copie(*source);
        QCOMPARE(copie.getPoints(), record);
        QCOMPARE(record->pointsCartes_[1], 0);
        QCOMPARE(copie.toString(), source->toString());
    }

    // Random deals in every allowed trump mode of both games: the seat to
    // play always has a legal card, the search's mask agrees with the
    // explained codes, what a seat is known not to hold is true, and the
    // deal ends with every card collected and every point counted.
    void randomDealsPlayToTheEnd_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("mode");
        for (int mode = 1; mode <= 11; ++mode) {
            QTest::addRow("jass mode %d", mode) << false << mode;
            QTest::addRow("belote mode %d", mode) << true << mode;
        }
    }
    void randomDealsPlayToTheEnd()
    {
        QFETCH(bool, belote);
        QFETCH(int, mode);
        RulesTestKit kit(belote);
        std::mt19937 rng(1234u + unsigned(mode) * 7u + (belote ? 1000u : 0u));
        const int parMain = belote ? 8 : 9;
        int totalAttendu = 0;
        for (Carte* c : kit.deck().getCartes())
            totalAttendu += c->getPoints(mode == 7 ? 6 : mode == 8 ? 5 : mode, mode);

        for (int donne = 0; donne < 60; ++donne) {
            QList<Carte*> paquet;
            for (Carte* c : kit.deck().getCartes())
                paquet << c;
            std::shuffle(paquet.begin(), paquet.end(), rng);
            EnsembleDeCartes mains[4];
            for (int i = 0; i < paquet.size(); ++i)
                mains[i / parMain].ajouteCarte(paquet[i]);

            std::unique_ptr<ZB_PointsA> points(belote ? static_cast<ZB_PointsA*>(new ZB_PointsBelote)
                                                      : new ZB_PointsJass);
            const int leader = int(rng() % 4);
            Partie partie(StatusAtout(false, true, mode, 2), kit.deck().getCartes(), leader, leader, 2, kit.type(),
                          ZB_StatusMise(), points.get());
            ZB_PointsDonne result;
            int cartesJouees = 0;
            while (!partie.donneTerminee_) {
                const int joueur = partie.noDuProchainAJouer_;
                const EnsembleDeCartes& main = mains[joueur];
                const quint64 jouables = partie.getMasqueCartesJouables(joueur, main.getMasque());
                QVERIFY(jouables != 0);
                QCOMPARE(jouables & ~main.getMasque(), quint64(0));
                for (Carte* c : main) {
                    const int code = partie.estCarteValide(c, joueur, main);
                    QVERIFY(code >= 1 && code <= 13);
                    if (Partie::estCodeJouable(code) != bool((jouables >> c->getIndex()) & 1))
                        QFAIL(qPrintable(QStringLiteral("mask disagrees on %1 (code %2) in %3")
                                             .arg(c->toString())
                                             .arg(code)
                                             .arg(partie.toString())));
                }
                int choix = int(rng() % unsigned(nombreDeBits(jouables)));
                quint64 m = jouables;
                while (choix-- > 0)
                    m &= m - 1;
                Carte* carte = kit.deck().getCarteParIndex(__builtin_ctzll(m));
                mains[joueur].retireCarte(carte);
                // The trick's winner as the rules resolve it, in seat order
                // from the leader, whatever the state keeps along the way.
                const bool dernierDuPli = partie.carteNo_ == 3;
                int gagnantAttendu = -1;
                if (dernierDuPli) {
                    const int entame = partie.joueurQuiDebuteTour_;
                    const int atoutEnCours = partie.atoutEnCours_;
                    const int atoutCouleur = partie.getCouleurAtout();
                    const auto carteDe = [&](int s) { return s == joueur ? carte : partie.getCarteDuPli(s); };
                    gagnantAttendu = entame;
                    for (int s = 0; s < 4; ++s) {
                        const Carte* c = carteDe(s);
                        const Carte* g = carteDe(gagnantAttendu);
                        if (s == entame || (c->getCouleur() != carteDe(entame)->getCouleur()
                                            && c->getCouleur() != atoutCouleur))
                            continue;
                        const bool bat = c->getCouleur() == g->getCouleur()
                                             ? c->getForce(atoutEnCours, belote) > g->getForce(atoutEnCours, belote)
                                             : atoutCouleur != 0 && c->getCouleur() == atoutCouleur;
                        if (bat)
                            gagnantAttendu = s;
                    }
                }
                partie.joueCarte(result, carte, joueur);
                ++cartesJouees;
                if (dernierDuPli)
                    QCOMPARE(partie.joueurQuiDebuteTour_, gagnantAttendu);

                // A seat marked as void in a suit holds none of it, but for
                // the Jass trump jack, which may be kept back.
                for (int s = 0; s < 4; ++s) {
                    for (int couleur = 1; couleur <= 4; ++couleur) {
                        if (partie.peutAvoir(s, couleur))
                            continue;
                        for (Carte* c : mains[s]) {
                            const bool bour = !belote && c->getCouleur() == mode && c->getValeur() == V;
                            QVERIFY(c->getCouleur() != couleur || bour);
                        }
                    }
                }
            }
            QCOMPARE(cartesJouees, paquet.size());
            QCOMPARE(partie.getNombrePlisRamasses(), parMain);
            QCOMPARE(partie.getNombreCartesRamassees(0) + partie.getNombreCartesRamassees(1), paquet.size());
            quint64 ramassees = 0;
            for (int equipe = 0; equipe < 2; ++equipe)
                for (int i = 0; i < partie.getNombreCartesRamassees(equipe); ++i)
                    ramassees |= quint64(1) << partie.getCartesRamassees(equipe)[i];
            QCOMPARE(ramassees, kit.deck().getCartes().getMasque());
            QCOMPARE(points->pointsCartes_[0] + points->pointsCartes_[1], totalAttendu * 2);
            QCOMPARE(points->derniersPlis_[0] + points->derniersPlis_[1], 1);
        }
    }
};

ZB_REGISTER_TEST(TestPartie)
#include "TestPartie.moc"
