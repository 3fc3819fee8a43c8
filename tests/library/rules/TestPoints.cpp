#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <memory>

// Every expected number here is worked out by hand from the scoring rules.

using Paire = QList<int>;

namespace {

void pose(int (&champ)[2], const Paire& p)
{
    champ[0] = p.value(0);
    champ[1] = p.value(1);
}

QByteArray paire(const char* nom, const int (&champ)[2])
{
    return QByteArray(nom) + '{' + QByteArray::number(champ[0]) + ',' + QByteArray::number(champ[1]) + "} ";
}

std::unique_ptr<ZB_PointsA> nouveau(bool belote)
{
    if (belote)
        return std::make_unique<ZB_PointsBelote>();
    return std::make_unique<ZB_PointsJass>();
}

// Arguments of calculeFinDeDonne other than the result.
struct Fin
{
    int dernierPli = 0;
    int match = -1;
    int mult = 1;
    int contrat = 0;
    int arrondi = 1;
    int choisi = -1;
    int decompte = 0;
    int mise = 82;
};

void ferme(ZB_PointsA& p, ZB_PointsDonne& result, const Fin& f)
{
    p.calculeFinDeDonne(result, f.dernierPli, f.match, f.mult, f.contrat, f.arrondi, f.choisi, f.decompte, f.mise);
}

} // namespace

// Lets QCOMPARE show which counters differ.
char* toString(const ZB_PointsDonne& d)
{
    QByteArray s = paire("plis", d.derniersPlis_) + paire("cartes", d.pointsCartes_) + paire("ann", d.pointsAnnonces_)
                   + paire("arr", d.ajustementArrondi_) + paire("autres", d.autresPoints_)
                   + paire("der", d.bonusDernierPli_) + paire("match", d.bonusMatch_)
                   + paire("cartesPris", d.pointsCartesPris_) + paire("derPris", d.bonusDernierPliPris_)
                   + paire("annPris", d.pointsAnnoncesPris_) + paire("autresPris", d.autresPointsPris_)
                   + paire("attenteGagne", d.enAttenteGagne_) + paire("contrat", d.pointsContrat_);
    s += "attente " + QByteArray::number(d.enAttente_) + " facteur{" + QByteArray::number(d.facteur_[0]) + ','
         + QByteArray::number(d.facteur_[1]) + "} flags m" + QByteArray::number(d.match_[0])
         + QByteArray::number(d.match_[1]) + " c" + QByteArray::number(d.chute_[0]) + QByteArray::number(d.chute_[1])
         + " g" + QByteArray::number(d.gagne_[0]) + QByteArray::number(d.gagne_[1]);
    return qstrdup(s.constData());
}

class TestPoints : public QObject
{
    Q_OBJECT

private slots:
    void freshRecord()
    {
        ZB_PointsBelote p;
        QCOMPARE(p.objectifMise_, -1);
        QCOMPARE(static_cast<const ZB_PointsDonne&>(p), ZB_PointsDonne());
        QCOMPARE(p.facteur_[0], 1.0f);
        QCOMPARE(p.facteur_[1], 1.0f);
        QCOMPARE(p.getScore(0), 0);
        p.pointsCartes_[1] = 7;
        p.facteur_[0] = 3.0f;
        p.chute_[1] = 1;
        p.efface();
        QCOMPARE(static_cast<const ZB_PointsDonne&>(p), ZB_PointsDonne());
    }

    void scoreFormula()
    {
        ZB_PointsDonne d;
        // Weighted: cards, last trick, cards taken, last trick taken, contract.
        pose(d.pointsCartes_, {100, 1});
        pose(d.bonusDernierPli_, {10, 0});
        pose(d.pointsCartesPris_, {20, 0});
        pose(d.bonusDernierPliPris_, {5, 0});
        pose(d.pointsContrat_, {80, 0});
        // Added as they are.
        pose(d.pointsAnnonces_, {50, 0});
        pose(d.autresPoints_, {20, 0});
        pose(d.bonusMatch_, {100, 0});
        pose(d.pointsAnnoncesPris_, {30, 0});
        pose(d.autresPointsPris_, {20, 0});
        pose(d.enAttenteGagne_, {16, 0});
        pose(d.ajustementArrondi_, {-3, -3});
        d.facteur_[0] = 2.0f;
        d.facteur_[1] = 0.5f;
        // (100 + 10 + 20 + 5 + 80) * 2 + 50 + 20 + 100 + 30 + 20 + 16 - 3
        QCOMPARE(d.getScore(0), 663);
        // 1 * 0.5 - 3 = -2.5, away from zero: the sum is rounded once, not
        // the weighted part first (which would give 1 - 3 = -2).
        QCOMPARE(d.getScore(1), -3);
        // Counters not in the formula do not count.
        d.derniersPlis_[0] = 9;
        d.enAttente_ = 40;
        d.match_[0] = d.chute_[0] = d.gagne_[0] = 1;
        QCOMPARE(d.getScore(0), 663);
        QCOMPARE(d.getScore(-1), 0);
        QCOMPARE(d.getScore(2), 0);
    }

    void scoreRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<int>("cartes");
        QTest::addColumn<float>("facteur");
        QTest::addColumn<int>("score");
        QTest::newRow("2.5 up") << 5 << 0.5f << 3;
        QTest::newRow("3.5 up") << 7 << 0.5f << 4;
        QTest::newRow("-2.5 down") << -5 << 0.5f << -3;
        QTest::newRow("7.5") << 5 << 1.5f << 8;
        QTest::newRow("below half") << 3 << 0.25f << 1;
        QTest::newRow("0.25 to 0") << 1 << 0.25f << 0;
    }
    void scoreRoundsHalfAwayFromZero()
    {
        QFETCH(int, cartes);
        QFETCH(float, facteur);
        QFETCH(int, score);
        ZB_PointsDonne d;
        d.pointsCartes_[1] = cartes;
        d.facteur_[1] = facteur;
        QCOMPARE(d.getScore(1), score);
    }

    void differenceAndSum()
    {
        ZB_PointsDonne a;
        ZB_PointsDonne b;
        pose(a.derniersPlis_, {3, 1});
        pose(b.derniersPlis_, {1, 1});
        pose(a.pointsCartes_, {90, 20});
        pose(b.pointsCartes_, {40, 62});
        pose(a.pointsContrat_, {82, 0});
        pose(a.enAttenteGagne_, {0, 17});
        pose(b.enAttenteGagne_, {5, 0});
        a.enAttente_ = 12;
        b.enAttente_ = 2;
        a.facteur_[0] = 2.0f;
        b.facteur_[0] = 4.0f;
        b.facteur_[1] = 0.5f;
        a.match_[0] = 1;
        a.chute_[1] = b.chute_[1] = 1; // in both: cleared
        b.gagne_[0] = 1;               // only on the right: cleared

        const ZB_PointsDonne diff = a - b;
        QCOMPARE(diff.derniersPlis_[0], 2);
        QCOMPARE(diff.derniersPlis_[1], 0);
        QCOMPARE(diff.pointsCartes_[0], 50);
        QCOMPARE(diff.pointsCartes_[1], -42);
        QCOMPARE(diff.pointsContrat_[0], 82);
        QCOMPARE(diff.enAttenteGagne_[0], -5);
        QCOMPARE(diff.enAttenteGagne_[1], 17);
        QCOMPARE(diff.enAttente_, 10);
        // The left operand's factors.
        QCOMPARE(diff.facteur_[0], 2.0f);
        QCOMPARE(diff.facteur_[1], 1.0f);
        QCOMPARE(int(diff.match_[0]), 1);
        QCOMPARE(int(diff.chute_[1]), 0);
        QCOMPARE(int(diff.gagne_[0]), 0);

        const ZB_PointsDonne sum = a + b;
        QCOMPARE(sum.derniersPlis_[0], 4);
        QCOMPARE(sum.pointsCartes_[0], 130);
        QCOMPARE(sum.pointsCartes_[1], 82);
        QCOMPARE(sum.enAttenteGagne_[0], 5);
        QCOMPARE(sum.enAttente_, 14);
        QCOMPARE(sum.facteur_[0], 2.0f);
        QCOMPARE(sum.facteur_[1], 1.0f);
        QCOMPARE(int(sum.match_[0]), 1);
        QCOMPARE(int(sum.chute_[1]), 0);
        QCOMPARE(int(sum.gagne_[0]), 0);
        const ZB_PointsDonne bPlusA = b + a;
        QCOMPARE(bPlusA.facteur_[0], 4.0f);
        QCOMPARE(bPlusA.facteur_[1], 0.5f);
        QCOMPARE(int(bPlusA.gagne_[0]), 1);
        QCOMPARE(int(bPlusA.match_[0]), 0);

        // Every counter takes part: a record minus itself is empty apart
        // from the factors.
        ZB_PointsDonne plein;
        int* champs[] = {plein.derniersPlis_,       plein.pointsCartes_,      plein.pointsAnnonces_,
                         plein.ajustementArrondi_,  plein.autresPoints_,      plein.bonusDernierPli_,
                         plein.bonusMatch_,         plein.pointsCartesPris_,  plein.bonusDernierPliPris_,
                         plein.pointsAnnoncesPris_, plein.autresPointsPris_,  plein.enAttenteGagne_,
                         plein.pointsContrat_};
        int n = 1;
        for (int* c : champs) {
            c[0] = n++;
            c[1] = 100 + n++;
        }
        plein.enAttente_ = 7;
        plein.facteur_[1] = 2.0f;
        plein.match_[0] = plein.chute_[1] = plein.gagne_[0] = 1;
        ZB_PointsDonne vide;
        vide.facteur_[1] = 2.0f;
        QCOMPARE(plein - plein, vide);
        QCOMPARE((plein - vide) + vide, plein);
        // Flags set on both sides cancel out.
        ZB_PointsDonne sansDrapeaux = plein;
        sansDrapeaux.match_[0] = sansDrapeaux.chute_[1] = sansDrapeaux.gagne_[0] = 0;
        QCOMPARE((plein + plein) - plein, sansDrapeaux);
    }

    void lastTrick_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("equipe");
        QTest::addColumn<int>("mult");
        QTest::addColumn<int>("bonus");
        QTest::newRow("jass team 1") << false << 1 << 1 << 5;
        QTest::newRow("jass team 0 x3") << false << 0 << 3 << 15;
        QTest::newRow("belote team 1") << true << 1 << 1 << 10;
        QTest::newRow("belote team 0 x2") << true << 0 << 2 << 20;
    }
    void lastTrick()
    {
        QFETCH(bool, belote);
        QFETCH(int, equipe);
        QFETCH(int, mult);
        QFETCH(int, bonus);
        auto p = nouveau(belote);
        pose(p->pointsCartes_, {30 * mult, 122 * mult});
        p->derniersPlis_[equipe] = 2; // counts the deals that ended with a trick for the team
        ZB_PointsDonne result;
        Fin f;
        f.dernierPli = equipe;
        f.mult = mult;
        ferme(*p, result, f);
        QCOMPARE(p->derniersPlis_[equipe], 3);
        QCOMPARE(p->derniersPlis_[1 - equipe], 0);
        QCOMPARE(p->bonusDernierPli_[equipe], bonus);
        QCOMPARE(p->bonusDernierPli_[1 - equipe], 0);
        QCOMPARE(p->bonusMatch_[equipe], 0);
        QCOMPARE(int(p->match_[equipe]), 0);
        QCOMPARE(p->getScore(equipe), (equipe == 0 ? 30 : 122) * mult + bonus);
        QCOMPARE(result.derniersPlis_[equipe], 1);
        QCOMPARE(result.bonusDernierPli_[equipe], bonus);
    }

    void matchBonus_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("equipe");
        QTest::addColumn<int>("mult");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("dernier");
        QTest::newRow("jass team 0 x2") << false << 0 << 2 << 0 << 200 << 10;
        QTest::newRow("jass team 1") << false << 1 << 1 << 0 << 100 << 5;
        QTest::newRow("belote team 1") << true << 1 << 1 << 2 << 100 << 0;
        QTest::newRow("belote team 0 x3") << true << 0 << 3 << 2 << 300 << 0;
        QTest::newRow("belote capot made") << true << 1 << 1 << 5 << 348 << 0;
        QTest::newRow("belote capot made x2") << true << 1 << 2 << 5 << 696 << 0;
    }
    void matchBonus()
    {
        QFETCH(bool, belote);
        QFETCH(int, equipe);
        QFETCH(int, mult);
        QFETCH(int, contrat);
        QFETCH(int, match);
        QFETCH(int, dernier);
        auto p = nouveau(belote);
        p->pointsCartes_[equipe] = 152 * mult;
        p->objectifMise_ = contrat ? 82 : -1;
        ZB_PointsDonne result;
        Fin f;
        f.dernierPli = equipe;
        f.match = equipe;
        f.mult = mult;
        f.contrat = contrat;
        f.choisi = equipe;
        f.mise = 250;
        ferme(*p, result, f);
        QCOMPARE(p->derniersPlis_[equipe], 1);
        QCOMPARE(int(p->match_[equipe]), 1);
        QCOMPARE(int(p->match_[1 - equipe]), 0);
        QCOMPARE(p->bonusMatch_[equipe], match);
        QCOMPARE(p->bonusDernierPli_[equipe], dernier);
        QCOMPARE(p->getScore(equipe), 152 * mult + match + dernier);
        QCOMPARE(int(result.match_[equipe]), 1);
        QCOMPARE(result.bonusMatch_[equipe], match);
    }

    // Whole deals: the record before the end, the bid, and the scores and
    // flags after it. The other team is team 1 - contract team.
    void contracts_data()
    {
        QTest::addColumn<Paire>("cartes");
        QTest::addColumn<Paire>("annonces");
        QTest::addColumn<Paire>("autres");
        QTest::addColumn<int>("dernier");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("mult");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<int>("choisi");
        QTest::addColumn<int>("decompte");
        QTest::addColumn<int>("mise");
        QTest::addColumn<Paire>("scores");
        QTest::addColumn<int>("chute"); // team that failed, -1 when made
        QTest::addColumn<Paire>("facteurs");

        // Made: 100 + 10 + 20 = 130 for team 0 against 52 + 20.
        const Paire cA{100, 52}, aA{20, 0}, oA{0, 20};
        QTest::newRow("made rule 0") << cA << aA << oA << 0 << -1 << 1 << 2 << 0 << 0 << 82 << Paire{130, 72} << -1 << Paire{1, 1};
        // Only the contract's value: 82.
        QTest::newRow("made rule 1") << cA << aA << oA << 0 << -1 << 1 << 2 << 0 << 1 << 82 << Paire{82, 72} << -1 << Paire{1, 1};
        // Points made plus 82 - 20 of contract points.
        QTest::newRow("made rule 2") << cA << aA << oA << 0 << -1 << 1 << 2 << 0 << 2 << 82 << Paire{192, 72} << -1 << Paire{1, 1};
        // Team 0 reaches 100 (60 + 20 + 20) but team 1 has 92 + 10.
        const Paire cB{60, 92}, aB{20, 0}, oB{20, 0};
        QTest::newRow("failed rule 0") << cB << aB << oB << 1 << -1 << 1 << 2 << 0 << 0 << 82 << Paire{0, 202} << 0 << Paire{1, 1};
        QTest::newRow("failed rule 1") << cB << aB << oB << 1 << -1 << 1 << 2 << 0 << 1 << 82 << Paire{0, 204} << 0 << Paire{1, 1};
        QTest::newRow("failed rule 2") << cB << aB << oB << 1 << -1 << 1 << 2 << 0 << 2 << 82 << Paire{0, 284} << 0 << Paire{1, 1};
        // 85 + 10 is more than the other team but short of the 100 bid.
        QTest::newRow("failed below bid") << Paire{85, 67} << Paire{0, 0} << Paire{0, 0} << 0 << -1 << 1 << 2 << 0 << 0 << 100 << Paire{0, 162} << 0 << Paire{1, 1};
        // Tie at 81 with a bid of 80: the contract fails.
        QTest::newRow("tie fails") << Paire{71, 81} << Paire{0, 0} << Paire{0, 0} << 0 << -1 << 1 << 2 << 0 << 0 << 80 << Paire{0, 162} << 0 << Paire{1, 1};
        // Multiplier 3: 246 / 3 = 82 reaches the bid; 243 / 3 = 81 does not.
        QTest::newRow("x3 reaches bid") << Paire{216, 240} << Paire{0, 0} << Paire{0, 0} << 0 << -1 << 3 << 2 << 0 << 0 << 82 << Paire{246, 240} << -1 << Paire{1, 1};
        QTest::newRow("x3 short of bid") << Paire{213, 243} << Paire{0, 60} << Paire{0, 0} << 0 << -1 << 3 << 2 << 0 << 0 << 82 << Paire{0, 546} << 0 << Paire{1, 1};
        // The bid is in points of a single deal: 300 / 3 = 100 reaches a bid
        // of 100, 294 / 3 = 98 does not, though well ahead of the other team.
        QTest::newRow("x3 reaches 100") << Paire{270, 186} << Paire{0, 0} << Paire{0, 0} << 0 << -1 << 3 << 2 << 0 << 0 << 100 << Paire{300, 186} << -1 << Paire{1, 1};
        QTest::newRow("x3 ahead but short") << Paire{264, 192} << Paire{0, 0} << Paire{0, 0} << 0 << -1 << 3 << 2 << 0 << 0 << 100 << Paire{0, 486} << 0 << Paire{1, 1};
        // Kind 1 (no bid recorded) and kind 9 (take) score as plain contracts.
        QTest::newRow("kind 9 made") << cA << aA << oA << 0 << -1 << 1 << 9 << 0 << 0 << 82 << Paire{130, 72} << -1 << Paire{1, 1};
        QTest::newRow("kind 1 failed") << cB << aB << oB << 1 << -1 << 1 << 1 << 0 << 0 << 82 << Paire{0, 202} << 0 << Paire{1, 1};

        // Doubled: team 0 doubled, so team 1 holds the contract, weighted 2.
        QTest::newRow("doubled made") << Paire{52, 100} << Paire{0, 0} << Paire{0, 0} << 1 << -1 << 1 << 3 << 0 << 0 << 82 << Paire{52, 220} << -1 << Paire{1, 2};
        QTest::newRow("doubled failed") << Paire{92, 60} << Paire{0, 0} << Paire{0, 0} << 0 << -1 << 1 << 3 << 0 << 0 << 82 << Paire{324, 0} << 1 << Paire{2, 1};
        // The contract's value is doubled, then weighted by the factor again.
        // A doubled contract made is worth twice the bid, as a failed one
        // costs twice the bid: the factor applies once.
        QTest::newRow("doubled made rule 1") << Paire{52, 100} << Paire{0, 0} << Paire{0, 0} << 1 << -1 << 1 << 3 << 0 << 1 << 82 << Paire{52, 164} << -1 << Paire{1, 2};
        // Redoubled: the chooser holds the contract, weighted 4.
        QTest::newRow("redoubled made") << Paire{52, 100} << Paire{0, 0} << Paire{0, 0} << 1 << -1 << 1 << 4 << 1 << 0 << 82 << Paire{52, 440} << -1 << Paire{1, 4};
        // (92 + 10 + 60 + 82) * 4
        QTest::newRow("redoubled failed rule 2") << Paire{92, 60} << Paire{0, 0} << Paire{0, 0} << 0 << -1 << 1 << 4 << 1 << 2 << 82 << Paire{976, 0} << 1 << Paire{4, 1};

        // Capot: made when the contract team takes every trick.
        const Paire cC{0, 152}, oC{0, 20};
        QTest::newRow("capot made rule 0") << cC << Paire{0, 0} << oC << 1 << 1 << 1 << 5 << 1 << 0 << 250 << Paire{0, 520} << -1 << Paire{1, 1};
        QTest::newRow("capot made rule 1") << cC << Paire{0, 0} << oC << 1 << 1 << 1 << 5 << 1 << 1 << 250 << Paire{0, 618} << -1 << Paire{1, 1};
        QTest::newRow("capot made rule 2") << cC << Paire{0, 0} << oC << 1 << 1 << 1 << 5 << 1 << 2 << 250 << Paire{0, 770} << -1 << Paire{1, 1};
        QTest::newRow("capot made x2") << Paire{0, 304} << Paire{0, 0} << Paire{0, 40} << 1 << 1 << 2 << 5 << 1 << 0 << 250 << Paire{0, 1040} << -1 << Paire{1, 1};
        // Team 0 doubled a capot of team 1: 152 * 2 + 20 + 348.
        QTest::newRow("capot doubled made") << cC << Paire{0, 0} << oC << 1 << 1 << 1 << 6 << 0 << 0 << 250 << Paire{0, 672} << -1 << Paire{1, 2};
        // One trick short: team 0 takes 12 + 140 + 10 + the belote 20.
        const Paire cD{12, 140};
        QTest::newRow("capot failed rule 0") << cD << Paire{0, 0} << oC << 1 << -1 << 1 << 5 << 1 << 0 << 250 << Paire{182, 0} << 1 << Paire{1, 1};
        QTest::newRow("capot failed rule 2") << cD << Paire{0, 0} << oC << 1 << -1 << 1 << 5 << 1 << 2 << 250 << Paire{432, 0} << 1 << Paire{1, 1};
        QTest::newRow("capot redoubled failed") << cD << Paire{0, 0} << oC << 1 << -1 << 1 << 7 << 1 << 0 << 250 << Paire{668, 0} << 1 << Paire{4, 1};
        // The defenders take every trick: their match is worth a capot's
        // 348, and the contract team keeps its belote.
        QTest::newRow("capot failed, defenders' match") << Paire{152, 0} << Paire{0, 0} << oC << 0 << 0 << 1 << 5 << 1 << 0 << 250 << Paire{500, 20} << 1 << Paire{1, 1};
    }
    void contracts()
    {
        QFETCH(Paire, cartes);
        QFETCH(Paire, annonces);
        QFETCH(Paire, autres);
        QFETCH(int, dernier);
        QFETCH(int, match);
        QFETCH(int, mult);
        QFETCH(int, contrat);
        QFETCH(int, choisi);
        QFETCH(int, decompte);
        QFETCH(int, mise);
        QFETCH(Paire, scores);
        QFETCH(int, chute);
        QFETCH(Paire, facteurs);

        ZB_PointsBelote p;
        pose(p.pointsCartes_, cartes);
        pose(p.pointsAnnonces_, annonces);
        pose(p.autresPoints_, autres);
        p.objectifMise_ = mise;
        ZB_PointsDonne result;
        ferme(p, result, {dernier, match, mult, contrat, 1, choisi, decompte, mise});

        QCOMPARE(p.getScore(0), scores[0]);
        QCOMPARE(p.getScore(1), scores[1]);
        for (int x = 0; x < 2; ++x) {
            QCOMPARE(int(p.chute_[x]), int(x == chute));
            QCOMPARE(int(p.gagne_[x]), int(chute >= 0 && x != chute));
            QCOMPARE(p.facteur_[x], float(facteurs[x]));
        }
        QCOMPARE(p.enAttente_, 0);
        QCOMPARE(p.objectifMise_, mise);
    }

    // A made contract, counter by counter, and the share written back.
    void madeContractRecords_data()
    {
        QTest::addColumn<int>("decompte");
        QTest::newRow("rule 0") << 0;
        QTest::newRow("rule 1") << 1;
        QTest::newRow("rule 2") << 2;
    }
    void madeContractRecords()
    {
        QFETCH(int, decompte);
        ZB_PointsBelote p;
        pose(p.pointsCartes_, {100, 52});
        pose(p.pointsAnnonces_, {20, 0});
        pose(p.autresPoints_, {0, 20});
        p.objectifMise_ = 82;
        // The last trick's share: team 0 won it, worth 14.
        ZB_PointsDonne result;
        pose(result.derniersPlis_, {1, 0});
        pose(result.pointsCartes_, {14, 0});
        ferme(p, result, {0, -1, 1, 2, 1, 0, decompte, 82});

        ZB_PointsDonne attendu;
        pose(attendu.derniersPlis_, {1, 0});
        pose(attendu.pointsCartes_, {100, 52});
        pose(attendu.pointsAnnonces_, {20, 0});
        pose(attendu.autresPoints_, {0, 20});
        pose(attendu.bonusDernierPli_, {10, 0});
        ZB_PointsDonne part;
        pose(part.derniersPlis_, {2, 0});
        pose(part.pointsCartes_, {14, 0});
        pose(part.bonusDernierPli_, {10, 0});
        if (decompte == 1) {
            pose(attendu.pointsCartes_, {0, 52});
            pose(attendu.pointsAnnonces_, {0, 0});
            pose(attendu.bonusDernierPli_, {0, 0});
            pose(attendu.pointsContrat_, {82, 0});
            pose(part.pointsCartes_, {14 - 100, 0});
            pose(part.pointsAnnonces_, {-20, 0});
            pose(part.bonusDernierPli_, {0, 0});
            pose(part.pointsContrat_, {82, 0});
        } else if (decompte == 2) {
            pose(attendu.pointsContrat_, {62, 0});
            pose(part.pointsContrat_, {62, 0});
        }
        QCOMPARE(static_cast<const ZB_PointsDonne&>(p), attendu);
        QCOMPARE(result, part);
    }

    void failedContractRecord()
    {
        ZB_PointsBelote p;
        pose(p.pointsCartes_, {60, 92});
        pose(p.pointsAnnonces_, {20, 0});
        pose(p.autresPoints_, {20, 0});
        p.objectifMise_ = 82;
        ZB_PointsDonne result;
        pose(result.derniersPlis_, {0, 1});
        pose(result.pointsCartes_, {0, 25});
        ferme(p, result, {1, -1, 1, 2, 1, 0, 0, 82});

        ZB_PointsDonne attendu;
        pose(attendu.derniersPlis_, {0, 1});
        pose(attendu.pointsCartes_, {0, 92});
        pose(attendu.bonusDernierPli_, {0, 10});
        pose(attendu.pointsCartesPris_, {0, 60});
        pose(attendu.pointsAnnoncesPris_, {0, 20});
        pose(attendu.autresPointsPris_, {0, 20});
        attendu.chute_[0] = 1;
        attendu.gagne_[1] = 1;
        QCOMPARE(static_cast<const ZB_PointsDonne&>(p), attendu);

        ZB_PointsDonne part;
        pose(part.derniersPlis_, {0, 2});
        pose(part.pointsCartes_, {-60, 25});
        pose(part.pointsAnnonces_, {-20, 0});
        pose(part.autresPoints_, {-20, 0});
        pose(part.bonusDernierPli_, {0, 10});
        pose(part.pointsCartesPris_, {0, 60});
        pose(part.pointsAnnoncesPris_, {0, 20});
        pose(part.autresPointsPris_, {0, 20});
        part.chute_[0] = 1;
        part.gagne_[1] = 1;
        QCOMPARE(result, part);
    }

    // The share carries the record's factors after the deal, so scoring the
    // share weighs a doubled contract as the record does.
    void doubledShareCarriesFactor()
    {
        ZB_PointsBelote p;
        pose(p.pointsCartes_, {52, 100});
        p.objectifMise_ = 82;
        ZB_PointsDonne result;
        pose(result.derniersPlis_, {0, 1});
        pose(result.pointsCartes_, {0, 30});
        result.facteur_[0] = result.facteur_[1] = 1.0f;
        ferme(p, result, {1, -1, 1, 3, 1, 0, 0, 82});

        QCOMPARE(p.facteur_[1], 2.0f);
        ZB_PointsDonne part;
        pose(part.derniersPlis_, {0, 2});
        pose(part.pointsCartes_, {0, 30});
        pose(part.bonusDernierPli_, {0, 10});
        part.facteur_[1] = 2.0f;
        QCOMPARE(result, part);
        QCOMPARE(result.getScore(1), 80); // (30 + 10) * 2
        QCOMPARE(result.getScore(0), 0);
    }

    // A tie puts aside what the contract team had taken, rounded to the unit.
    void tiePutsPointsAside()
    {
        ZB_PointsBelote p;
        pose(p.pointsCartes_, {50, 153});
        pose(p.pointsCartesPris_, {13, 0});
        pose(p.pointsAnnoncesPris_, {4, 0});
        pose(p.autresPointsPris_, {3, 0});
        p.facteur_[0] = 2.0f;
        p.objectifMise_ = 80;
        ZB_PointsDonne result;
        // S = (50 + 10 + 13) * 2 + 4 + 3 = 153 = D, and 80 <= 153.
        ferme(p, result, {0, -1, 1, 2, 10, 0, 0, 80});

        // 4 + 3 + (13 * 2 = 26, to the unit of 10: 30)
        QCOMPARE(p.enAttente_, 37);
        QCOMPARE(result.enAttente_, 37);
        QCOMPARE(int(p.chute_[0]), 1);
        QCOMPARE(int(p.gagne_[1]), 1);
        QCOMPARE(p.pointsCartesPris_[1], 50);
        QCOMPARE(p.bonusDernierPliPris_[1], 10);
        QCOMPARE(p.pointsCartes_[0], 0);
        QCOMPARE(p.bonusDernierPli_[0], 0);
        // Team 0 keeps what it had taken: base 13 rounds to 10, -3 * 2.
        QCOMPARE(p.ajustementArrondi_[0], -6);
        QCOMPARE(p.getScore(0), 27);
        // 153 + 50 + 10 = 213 rounds to 210.
        QCOMPARE(p.ajustementArrondi_[1], -3);
        QCOMPARE(p.getScore(1), 210);
        QCOMPARE(p.enAttenteGagne_[0], 0);
        QCOMPARE(p.enAttenteGagne_[1], 0);
    }

    void madeContractWinsPendingPoints()
    {
        ZB_PointsBelote p;
        pose(p.pointsCartes_, {100, 52});
        p.enAttente_ = 37;
        p.objectifMise_ = 82;
        ZB_PointsDonne result;
        ferme(p, result, {0, -1, 1, 2, 1, 0, 0, 82});
        QCOMPARE(p.enAttenteGagne_[0], 37);
        QCOMPARE(p.enAttenteGagne_[1], 0);
        QCOMPARE(p.getScore(0), 147); // 100 + 10 + 37
        QCOMPARE(result.enAttenteGagne_[0], 37);
        QCOMPARE(result.enAttente_, 0);
        // A failed contract leaves them put aside.
        ZB_PointsBelote q;
        pose(q.pointsCartes_, {60, 92});
        q.enAttente_ = 37;
        q.objectifMise_ = 82;
        ferme(q, result, {1, -1, 1, 2, 1, 0, 0, 82});
        QCOMPARE(q.enAttenteGagne_[0], 0);
        QCOMPARE(q.enAttenteGagne_[1], 0);
        QCOMPARE(q.enAttente_, 37);
    }

    void rounding_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<Paire>("cartes");
        QTest::addColumn<int>("dernier");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<Paire>("ajustements");
        QTest::addColumn<Paire>("scores");
        // 149 + 5 = 154 rounds down to 150; 3 rounds down to 0.
        QTest::newRow("jass 154") << false << Paire{149, 3} << 0 << -1 << 0 << Paire{-4, -3} << Paire{150, 0};
        // A Jass match: 152 + 5 = 157 rounds up to 160, plus the 100.
        QTest::newRow("jass match 157") << false << Paire{152, 0} << 0 << 0 << 0 << Paire{3, 0} << Paire{260, 0};
        // Doubled contract of team 1: 147 + 10 = 157, +3 weighted by 2; team
        // 0's 5 is a half and rounds away from zero, to 10.
        QTest::newRow("belote doubled 157") << true << Paire{5, 147} << 1 << -1 << 3 << Paire{5, 6} << Paire{10, 320};
    }
    void rounding()
    {
        QFETCH(bool, belote);
        QFETCH(Paire, cartes);
        QFETCH(int, dernier);
        QFETCH(int, match);
        QFETCH(int, contrat);
        QFETCH(Paire, ajustements);
        QFETCH(Paire, scores);
        auto p = nouveau(belote);
        pose(p->pointsCartes_, cartes);
        p->objectifMise_ = contrat ? 82 : -1;
        ZB_PointsDonne result;
        ferme(*p, result, {dernier, match, 1, contrat, 10, 0, 0, 82});
        QCOMPARE(p->ajustementArrondi_[0], ajustements[0]);
        QCOMPARE(p->ajustementArrondi_[1], ajustements[1]);
        QCOMPARE(p->getScore(0), scores[0]);
        QCOMPARE(p->getScore(1), scores[1]);
        QCOMPARE(result.ajustementArrondi_[0], ajustements[0]);
        QCOMPARE(result.ajustementArrondi_[1], ajustements[1]);
    }

    // A multiplier or unit below 1 (an unset game type) counts as 1 instead
    // of dividing by zero.
    void multiplierAndUnitBelowOne_data()
    {
        QTest::addColumn<int>("mult");
        QTest::addColumn<int>("unite");
        QTest::newRow("multiplier 0") << 0 << 1;
        QTest::newRow("multiplier -1") << -1 << 1;
        QTest::newRow("unit 0") << 1 << 0;
        QTest::newRow("unit -10") << 1 << -10;
        QTest::newRow("both 0") << 0 << 0;
    }
    void multiplierAndUnitBelowOne()
    {
        QFETCH(int, mult);
        QFETCH(int, unite);
        for (const bool belote : {false, true}) {
            auto reference = nouveau(belote);
            pose(reference->pointsCartes_, {60, 92});
            pose(reference->pointsAnnonces_, {20, 0});
            reference->objectifMise_ = 82;
            std::unique_ptr<ZB_PointsA> p(reference->clone());
            ZB_PointsDonne attendu;
            ZB_PointsDonne result;
            ferme(*reference, attendu, {1, -1, 1, 2, 1, 0, 2, 82});
            ferme(*p, result, {1, -1, mult, 2, unite, 0, 2, 82});
            QCOMPARE(static_cast<const ZB_PointsDonne&>(*p), static_cast<const ZB_PointsDonne&>(*reference));
            QCOMPARE(result, attendu);
            QCOMPARE(p->bonusDernierPli_[1], belote ? 10 : 5);
            QCOMPARE(p->pointsCartesPris_[1], 60);
            QCOMPARE(p->pointsContrat_[1], 82);
        }
    }

    // Without a choosing team there is nobody to hold the contract: the deal
    // closes as one without contract.
    void contractWithoutChooser_data()
    {
        QTest::addColumn<int>("choisi");
        QTest::addColumn<int>("contrat");
        for (const int choisi : {-1, 2}) {
            for (const int contrat : {2, 3, 4, 5, 6, 7, 9})
                QTest::addRow("chooser %d kind %d", choisi, contrat) << choisi << contrat;
        }
    }
    void contractWithoutChooser()
    {
        QFETCH(int, choisi);
        QFETCH(int, contrat);
        for (const int match : {-1, 1}) {
            ZB_PointsBelote p;
            pose(p.pointsCartes_, {match < 0 ? 60 : 0, match < 0 ? 92 : 152});
            pose(p.autresPoints_, {20, 0});
            p.objectifMise_ = 82;
            std::unique_ptr<ZB_PointsA> sansContrat(p.clone());
            ZB_PointsDonne result;
            ZB_PointsDonne attendu;
            ferme(p, result, {1, match, 1, contrat, 1, choisi, 2, 82});
            ferme(*sansContrat, attendu, {1, match, 1, 0, 1, 0, 2, 82});
            QCOMPARE(static_cast<const ZB_PointsDonne&>(p), static_cast<const ZB_PointsDonne&>(*sansContrat));
            QCOMPARE(result, attendu);
            QCOMPARE(p.bonusMatch_[1], match < 0 ? 0 : 100);
            QCOMPARE(p.pointsContrat_[0] + p.pointsContrat_[1], 0);
        }
    }

    void invalidLastTrickTeamIsIgnored()
    {
        for (const int equipe : {-1, 2, 4}) {
            ZB_PointsJass p;
            pose(p.pointsCartes_, {100, 52});
            ZB_PointsDonne result;
            ferme(p, result, {equipe, -1, 1, 0, 1, 0, 0, 82});
            QCOMPARE(p.derniersPlis_[0] + p.derniersPlis_[1], 0);
            QCOMPARE(p.bonusDernierPli_[0] + p.bonusDernierPli_[1], 0);
            QCOMPARE(p.getScore(0), 100);
        }
    }

    void jassDealWithoutContract()
    {
        // A bid target left from an earlier deal but no contract kind: the
        // plain sum of tricks.
        ZB_PointsJass p;
        pose(p.pointsCartes_, {52, 100});
        pose(p.pointsAnnonces_, {0, 50});
        p.objectifMise_ = 82;
        ZB_PointsDonne result;
        pose(result.derniersPlis_, {0, 1});
        pose(result.pointsCartes_, {0, 21});
        ferme(p, result, {1, -1, 1, 0, 1, 0, 0, 82});
        QCOMPARE(p.getScore(0), 52);
        QCOMPARE(p.getScore(1), 155);
        QCOMPARE(int(p.chute_[0] | p.chute_[1] | p.gagne_[0] | p.gagne_[1]), 0);
        QCOMPARE(result.derniersPlis_[1], 2);
        QCOMPARE(result.pointsCartes_[1], 21);
        QCOMPARE(result.bonusDernierPli_[1], 5);
        QCOMPARE(result.getScore(1), 26);
    }

    void cloneAndCopy()
    {
        ZB_PointsBelote b;
        pose(b.pointsCartes_, {90, 62});
        b.facteur_[1] = 4.0f;
        b.gagne_[1] = 1;
        b.enAttente_ = 5;
        b.objectifMise_ = 100;
        std::unique_ptr<ZB_PointsA> c(b.clone());
        QVERIFY(dynamic_cast<ZB_PointsBelote*>(c.get()));
        QCOMPARE(c->getPointsDernierPli(), 10);
        QVERIFY(c->matchRemplaceDernierPli());
        QCOMPARE(static_cast<const ZB_PointsDonne&>(*c), static_cast<const ZB_PointsDonne&>(b));
        QCOMPARE(c->objectifMise_, 100);

        ZB_PointsJass j;
        std::unique_ptr<ZB_PointsA> cj(j.clone());
        QVERIFY(dynamic_cast<ZB_PointsJass*>(cj.get()));
        QCOMPARE(cj->getPointsDernierPli(), 5);
        QVERIFY(!cj->matchRemplaceDernierPli());

        // Copying across classes takes every field but keeps the class.
        j.copie(b);
        QCOMPARE(static_cast<const ZB_PointsDonne&>(j), static_cast<const ZB_PointsDonne&>(b));
        QCOMPARE(j.objectifMise_, 100);
        QCOMPARE(j.getPointsDernierPli(), 5);
        // The body alone leaves the target alone.
        ZB_PointsDonne corps;
        corps.pointsCartes_[0] = 7;
        j.copie(corps);
        QCOMPARE(static_cast<const ZB_PointsDonne&>(j), corps);
        QCOMPARE(j.objectifMise_, 100);
        j.copie(static_cast<const ZB_PointsA&>(j));
        QCOMPARE(static_cast<const ZB_PointsDonne&>(j), corps);
    }
};

ZB_REGISTER_TEST(TestPoints)
#include "TestPoints.moc"
