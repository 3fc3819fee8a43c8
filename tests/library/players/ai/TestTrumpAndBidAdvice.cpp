#include "AI_BetBelote.h"
#include "AI_Conseil.h"
#include "GM_KnuthRandom.h"
#include "RulesTestKit.h"
#include "ZB_MiseA.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <limits>

namespace {

constexpr int Trefle = 1, Carreau = 2, Pique = 3, Coeur = 4;
constexpr int V = 11, D = 12, R = 13, A = 14;

constexpr int SuisseRomand = 0, SuisseAllemand = 2, BeloteClassique = 6, BeloteContree = 8, BeloteCoinchee = 9,
              BeloteVache = 10;

// The evaluation counters in one comparable text: a b c F1 F2 d colours.
QString compteurs(const AI_BetA::Evaluation& e)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(e.nbrMinorTrumps)
        .arg(e.nbrMajorTrumps)
        .arg(e.nbrStrongestCard)
        .arg(int(e.hasFirstStrongestTrump))
        .arg(int(e.hasSecondStrongestTrump))
        .arg(e.nbrLeadingCards)
        .arg(e.nbrLeadingColors);
}

AI_BetA::Evaluation evaluation(int a, int b, bool f1 = false, bool f2 = false, int d = 0)
{
    AI_BetA::Evaluation e;
    e.nbrMinorTrumps = a;
    e.nbrMajorTrumps = b;
    e.hasFirstStrongestTrump = f1;
    e.hasSecondStrongestTrump = f2;
    e.nbrLeadingCards = d;
    return e;
}

// The auction state of a deal's first bid request, as the table builds it.
ZB_StatusMise premiereDemande(const TypeDePartie& type)
{
    ZB_StatusMise s;
    s.miseFaite_ = false;
    s.tourMise_ = 0;
    s.montantBloque_ = AI_Conseil::parCarteRetournee(type);
    s.pointsMise_ = 80;
    s.atoutMise_ = 0;
    s.miseur_ = -1;
    s.pasMise_ = 10;
    s.miseMin_ = 80;
    s.miseMax_ = 160;
    s.miseMinDepart_ = 80;
    s.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
    return s;
}

// A standing plain bid of the given points and trump.
ZB_StatusMise miseEnCours(int points, int atout, int contrat = ZB_StatusMise::Simple)
{
    ZB_StatusMise s = premiereDemande(TypeDePartie::getTypeDePartie(BeloteContree));
    s.tourMise_ = 2;
    s.pointsMise_ = points;
    s.atoutMise_ = atout;
    s.miseMin_ = points + 10;
    s.typeContrat_ = contrat;
    return s;
}

// The own side's bid as remembered by the player.
ZB_StatusMise miseDeLEquipe(int points, int atout, int miseMinAlors)
{
    ZB_StatusMise t;
    t.miseFaite_ = true;
    t.pointsMise_ = points;
    t.atoutMise_ = atout;
    t.miseMin_ = miseMinAlors;
    t.typeContrat_ = ZB_StatusMise::Simple;
    return t;
}

// Belote hand: strong hearts (jack, nine, ace, ten), ace-ten of spades.
const Cartes kMainCoeur{{Coeur, V}, {Coeur, 9}, {Coeur, A}, {Coeur, 10}, {Pique, A}, {Pique, 10}, {Trefle, R},
                        {Carreau, 7}};
// Jass hand: jack, nine, ace, king of spades; ace-king of hearts.
const Cartes kMainPique{{Pique, V}, {Pique, 9}, {Pique, A}, {Pique, R}, {Coeur, A}, {Coeur, R}, {Carreau, 7},
                        {Trefle, 6}, {Trefle, 8}};
// Jass hand of four suits whose best suit is worth 5 and worst 2.
const Cartes kMainFaibleQuatreCouleurs{{Pique, V}, {Pique, 7}, {Coeur, 6}, {Coeur, 8}, {Carreau, 9},
                                       {Carreau, 6}, {Trefle, 6}, {Trefle, 7}, {Trefle, 8}};

} // namespace

class TestTrumpAndBidAdvice : public QObject
{
    Q_OBJECT

private slots:
    void evaluationRecords_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<Cartes>("main");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("attendu"); // a b c F1 F2 d colours

        QTest::newRow("belote hearts trump") << true << kMainCoeur << Coeur << "1 3 1 1 1 2 1";
        QTest::newRow("belote spades trump") << true << kMainCoeur << Pique << "1 1 1 0 0 2 1";
        QTest::newRow("belote clubs trump") << true << kMainCoeur << Trefle << "1 0 2 0 0 4 2";
        // Modes without a trump suit: sure tricks, the first two as minor
        // trumps, the rest as major ones; the tops of the suits are the
        // strongest cards, and no suit leads beside the others.
        QTest::newRow("belote tout atout: jack, nine, ace, ten of hearts") << true << kMainCoeur << 9
                                                                           << "2 2 1 1 1 0 1";
        QTest::newRow("belote sans atout: ace-ten twice, a lone king") << true << kMainCoeur << 10 << "2 2 2 1 1 0 2";
        QTest::newRow("jass spades trump") << false << kMainPique << Pique << "1 3 1 1 1 2 1";
        QTest::newRow("jass haut en bas: ace-king twice") << false << kMainPique << 5 << "2 2 2 1 1 0 2";
        QTest::newRow("jass bas en haut: the six of clubs") << false << kMainPique << 6 << "1 0 1 1 1 0 1";
        // Zig-zag from the bottom: 4 tricks from the top count (the even
        // tricks), the one from the bottom too.
        QTest::newRow("jass zig zag from the bottom") << false << kMainPique << 7 << "2 3 1 1 1 0 1";
        QTest::newRow("broken run leads nothing")
            << true << Cartes{{Pique, A}, {Pique, R}, {Coeur, 10}} << Trefle << "0 0 1 0 0 1 1";
        QTest::newRow("empty hand") << true << Cartes{} << Coeur << "0 0 0 0 0 0 0";
    }
    void evaluationRecords()
    {
        QFETCH(bool, belote);
        QFETCH(Cartes, main);
        QFETCH(int, mode);
        QFETCH(QString, attendu);
        RulesTestKit kit(belote);
        QCOMPARE(compteurs(AI_BetA::evalueMode(kit.ensemble(main), mode, belote)), attendu);
    }

    void onlyAllowedModesAreWeighed()
    {
        RulesTestKit kit(true);
        AI_BetBelote bet;
        bet.evalue(kit.ensemble(kMainCoeur), TypeDePartie::getTypeDePartie(BeloteCoinchee));
        for (int mode = 0; mode < TypeDePartie::NOMBRE_MODES; ++mode)
            QCOMPARE(bet.estEvalue(mode), (mode >= 1 && mode <= 4) || mode == 9 || mode == 10);
        QCOMPARE(compteurs(bet.getEvaluation(Coeur)), QStringLiteral("1 3 1 1 1 2 1"));
        QCOMPARE(bet.getEvaluation(5), AI_BetA::Evaluation());
        QVERIFY(bet.getEvaluation(Coeur).toString().startsWith(QStringLiteral("nbrMinorTrumps=1 nbrMajorTrumps=3")));

        // Weighed together, every record is what it is alone.
        for (const bool belote : {false, true}) {
            RulesTestKit k(belote);
            TypeDePartie tous;
            tous.genre_ = belote ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass;
            tous.multiplicateurs_.fill(1);
            GM_KnuthRandom rng(true);
            AI_BetBelote b;
            for (int essai = 0; essai < 100; ++essai) {
                EnsembleDeCartes paquet = k.deck().getCartes();
                const EnsembleDeCartes hand = ZB_MiseA::tireCartes(rng, paquet, belote ? 8 : 9);
                b.evalue(hand, tous);
                for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode)
                    QCOMPARE(compteurs(b.getEvaluation(mode)), compteurs(AI_BetA::evalueMode(hand, mode, belote)));
            }
        }

        // A copy keeps the records it was given when the original moves on.
        const AI_BetBelote copie = bet;
        bet.evalue(EnsembleDeCartes(), TypeDePartie::getTypeDePartie(BeloteCoinchee));
        QCOMPARE(bet.getEvaluation(Coeur), AI_BetA::Evaluation());
        QCOMPARE(copie.getEvaluation(Coeur).nbrMajorTrumps, 3);
    }

    // Each row: game type, hand, the partner passed already, then the
    // values of modes 1 to 4 (and 5 and 6 where allowed), the lowest value,
    // p (-1: not considered) and the answer (mode, or 0 for a pass).
    void trumpAdvice_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<Cartes>("main");
        QTest::addColumn<bool>("chibre");
        QTest::addColumn<QList<double>>("valeurs");
        QTest::addColumn<double>("plusBasse");
        QTest::addColumn<double>("p");
        QTest::addColumn<int>("mode");

        QTest::newRow("strong spades")
            << SuisseRomand << kMainPique << false << QList<double>{2, 1, 8, 2} << 1.0 << 0.0 << Pique;
        // 1.6 - 5 / 4.3 = 0.4372, times 2.3 for a spread below 4: 1.0056.
        QTest::newRow("four suits, spread 3: pass") << SuisseRomand << kMainFaibleQuatreCouleurs << false
                                                    << QList<double>{3, 3, 5, 2} << 2.0 << 1.00558 << 0;
        QTest::newRow("partner passed: must choose") << SuisseRomand << kMainFaibleQuatreCouleurs << true
                                                     << QList<double>{3, 3, 5, 2} << 2.0 << -1.0 << Pique;
        QTest::newRow("four suits, spread 4: keeps")
            << SuisseRomand
            << Cartes{{Pique, V}, {Pique, 7}, {Coeur, 6}, {Carreau, 9}, {Carreau, 6}, {Carreau, 7}, {Trefle, 6},
                      {Trefle, 7}, {Trefle, 8}}
            << false << QList<double>{3, 4, 5, 1} << 1.0 << 0.43721 << Pique;
        QTest::newRow("four suits below 4.3: pass")
            << SuisseRomand
            << Cartes{{Pique, D}, {Pique, 7}, {Coeur, 6}, {Coeur, 8}, {Carreau, 10}, {Carreau, 6}, {Trefle, 6},
                      {Trefle, 7}, {Trefle, 8}}
            << false << QList<double>{3, 2, 2, 2} << 2.0 << 2.76 << 0;
        // 1.2 x 0.5: a missing suit keeps the choice; of the three equal
        // suits, this hand takes clubs.
        const Cartes sansCarreau{{Pique, D}, {Pique, 7}, {Pique, 8}, {Coeur, 6}, {Coeur, 8}, {Coeur, 10},
                                 {Trefle, 6}, {Trefle, 7}, {Trefle, 10}};
        QTest::newRow("missing suit never passes")
            << SuisseRomand << sansCarreau << false << QList<double>{3, 0, 3, 3} << 0.0 << 0.6 << Trefle;
        // With multipliers a suit worth 3 or less is divided by 1.6; 1.2 x 0.5 x 1.2.
        QTest::newRow("missing suit, multipliers") << SuisseAllemand << sansCarreau << false
                                                   << QList<double>{1.875, 0, 1.875, 1.875, 0} << 0.0 << 0.72
                                                   << Trefle;
        // Spades (x2) worth 5 is divided by 1.2; the zero of Haut en Bas
        // widens the spread to 4.17: 1.2 x 1.0 x 1.0 x 1.2.
        QTest::newRow("multipliers, four suits: pass")
            << SuisseAllemand
            << Cartes{{Pique, V}, {Pique, 7}, {Coeur, 7}, {Coeur, 8}, {Carreau, 9}, {Carreau, 10}, {Trefle, 7},
                      {Trefle, 8}, {Trefle, 9}}
            << false << QList<double>{4 / 1.2, 1.875, 5 / 1.2, 1.25, 0, 0} << 0.0 << 1.44 << 0;
        // Three sixes and the 6-7-8 of clubs: five sure tricks from the
        // bottom, 3 x 1.5 = 4.5; 1.6 - 4.5 / 4.3, spread 4.5: 0.664.
        QTest::newRow("multipliers: a hand for bottom-up")
            << SuisseAllemand << kMainFaibleQuatreCouleurs << false
            << QList<double>{1.875, 1.875, 5 / 1.2, 1.25, 0, 4.5} << 0.0 << 0.66419 << 6;
        QTest::newRow("multipliers, partner passed: undivided")
            << SuisseAllemand << kMainFaibleQuatreCouleurs << true << QList<double>{3, 3, 5, 2, 0} << 0.0 << -1.0
            << Pique;
        // Four jacks (200) under a suit of multiplier 2: factor 4.
        const Cartes quatreValets{{Trefle, V}, {Carreau, V}, {Pique, V}, {Coeur, V}, {Pique, 9},
                                  {Pique, A},  {Pique, R},   {Coeur, 6}, {Coeur, 7}};
        QTest::newRow("four jacks multiply")
            << SuisseAllemand << quatreValets << false << QList<double>{4 / 1.2 * 4, 2.5 * 2, 8 / 1.2 * 4, 7.5, 0}
            << 0.0 << 0.0 << Pique;
        QTest::newRow("four jacks without multipliers")
            << SuisseRomand << quatreValets << false << QList<double>{4, 4, 8, 6} << 4.0 << 0.0 << Pique;
    }
    void trumpAdvice()
    {
        QFETCH(int, type);
        QFETCH(Cartes, main);
        QFETCH(bool, chibre);
        QFETCH(QList<double>, valeurs);
        QFETCH(double, plusBasse);
        QFETCH(double, p);
        QFETCH(int, mode);

        RulesTestKit kit(false);
        AI_BetBelote bet;
        StatusAtout conseil(chibre, false, 0, -1);
        AI_Conseil::DetailAtout detail;
        AI_Conseil::conseilAtout(kit.ensemble(main), TypeDePartie::getTypeDePartie(type), bet, conseil, &detail);

        for (int m = 1; m <= valeurs.size(); ++m)
            QVERIFY2(qAbs(detail.valeurs[m] - valeurs[m - 1]) < 1e-4,
                     qPrintable(QStringLiteral("mode %1: %2").arg(m).arg(detail.valeurs[m])));
        QVERIFY2(qAbs(detail.plusBasse - plusBasse) < 1e-9, qPrintable(QString::number(detail.plusBasse)));
        QCOMPARE(detail.passeEnvisagee, !chibre);
        if (p >= 0)
            QVERIFY2(qAbs(detail.p - p) < 1e-4, qPrintable(QString::number(detail.p)));
        if (mode == 0) {
            QVERIFY(conseil.estPasseAuPartenaire());
        } else {
            QVERIFY(conseil.choisi_);
            QCOMPARE(conseil.atout_, mode);
            QCOMPARE(conseil.chibre_, chibre);
        }
        QCOMPARE(conseil.multiplicateur_, -1); // the caller's job
    }

    // A game that offers only modes without a trump suit, or nothing
    // worth choosing, still gets an answer once the partner has passed.
    void chibreAlwaysChooses()
    {
        RulesTestKit kit(false);
        AI_BetBelote bet;
        TypeDePartie seulementSansCouleur;
        seulementSansCouleur.multiplicateurs_ = {0, -1, -1, -1, -1, 1, 1, -1, -1, -1, -1, -1};
        TypeDePartie rien;
        rien.multiplicateurs_.fill(-1);
        const EnsembleDeCartes main = kit.ensemble(kMainPique);

        StatusAtout s(true, false, 0, -1);
        AI_Conseil::conseilAtout(main, seulementSansCouleur, bet, s);
        QVERIFY(s.choisi_);
        QCOMPARE(s.atout_, 5);

        s = StatusAtout(false, false, 0, -1);
        AI_Conseil::conseilAtout(main, seulementSansCouleur, bet, s);
        QVERIFY(s.estPasseAuPartenaire());

        // An empty hand: every suit is worth nothing, one of them is taken.
        s = StatusAtout(true, false, 0, -1);
        AI_Conseil::conseilAtout(EnsembleDeCartes(), TypeDePartie::getTypeDePartie(SuisseRomand), bet, s);
        QVERIFY(s.choisi_);
        QVERIFY(s.atout_ >= 1 && s.atout_ <= 4);
        s = StatusAtout(false, false, 0, -1);
        AI_Conseil::conseilAtout(EnsembleDeCartes(), TypeDePartie::getTypeDePartie(SuisseRomand), bet, s);
        QVERIFY(s.estPasseAuPartenaire());

        // A game type with no mode at all: nothing to choose, and no crash.
        s = StatusAtout(true, true, 3, 2);
        AI_Conseil::conseilAtout(main, rien, bet, s);
        QVERIFY(!s.choisi_);
        QCOMPARE(s.atout_, 0);
        s = StatusAtout(false, false, 0, -1);
        AI_Conseil::conseilAtout(main, rien, bet, s);
        QVERIFY(s.estPasseAuPartenaire());

        // Whatever the hand and the game, a request after the partner's pass
        // gets an allowed mode; a first request a mode or a clean pass.
        GM_KnuthRandom rng(true);
        for (const int id : {SuisseRomand, 1, SuisseAllemand, 3, 4, 14}) {
            const TypeDePartie& type = TypeDePartie::getTypeDePartie(id);
            for (int k = 0; k < 200; ++k) {
                EnsembleDeCartes paquet = kit.deck().getCartes();
                const EnsembleDeCartes hand = ZB_MiseA::tireCartes(rng, paquet, 9);
                for (const bool chibre : {true, false}) {
                    StatusAtout r(chibre, false, 0, -1);
                    AI_Conseil::conseilAtout(hand, type, bet, r);
                    if (r.choisi_) {
                        QVERIFY(r.atout_ >= 1 && r.atout_ <= 11);
                        QVERIFY(type.multiplicateurs_[r.atout_] > 0);
                        QCOMPARE(r.chibre_, chibre);
                    } else {
                        QVERIFY(!chibre);
                        QVERIFY(r.estPasseAuPartenaire());
                    }
                }
            }
        }
    }

    // Hands made for each mode the presets offer: the advice of the first
    // seat chooses that mode, in both games. Jass top-down and bottom-up
    // come with Suisse allemand, zig-zag with its zig-zag form, Belote
    // all-trump and no-trump with Coinchée.
    void modeMadeForTheHand_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("type");
        QTest::addColumn<Cartes>("main");
        QTest::addColumn<int>("mode");

        QTest::newRow("jass top-down: four aces, three kings, a queen, a ten")
            << false << SuisseAllemand
            << Cartes{{Trefle, A}, {Trefle, R}, {Trefle, D}, {Carreau, A}, {Carreau, R}, {Pique, A}, {Pique, R},
                      {Coeur, A}, {Coeur, 10}}
            << 5;
        QTest::newRow("jass bottom-up: four sixes and their sevens")
            << false << SuisseAllemand
            << Cartes{{Pique, 6}, {Pique, 7}, {Pique, 8}, {Coeur, 6}, {Coeur, 7}, {Carreau, 6}, {Carreau, 7},
                      {Trefle, 6}, {Trefle, R}}
            << 6;
        QTest::newRow("jass suit: jack, nine, ace, king of spades") << false << SuisseAllemand << kMainPique << Pique;
        // Five tricks from the bottom for the odd tricks, four from the top
        // for the even ones, and the other way round.
        QTest::newRow("jass zig-zag from the bottom")
            << false << 3
            << Cartes{{Pique, 6}, {Pique, 7}, {Pique, A}, {Pique, R}, {Coeur, 6}, {Coeur, A}, {Carreau, 6},
                      {Carreau, 7}, {Carreau, A}}
            << 7;
        QTest::newRow("jass zig-zag from the top")
            << false << 3
            << Cartes{{Pique, A}, {Pique, R}, {Pique, D}, {Pique, 6}, {Coeur, A}, {Coeur, R}, {Coeur, 6},
                      {Carreau, A}, {Carreau, 6}}
            << 8;
        QTest::newRow("belote no-trump: four aces, four tens")
            << true << BeloteCoinchee
            << Cartes{{Trefle, A}, {Trefle, 10}, {Carreau, A}, {Carreau, 10}, {Pique, A}, {Pique, 10}, {Coeur, A},
                      {Coeur, 10}}
            << 10;
        QTest::newRow("belote all-trump: the jacks and nines")
            << true << BeloteCoinchee
            << Cartes{{Pique, V}, {Pique, 9}, {Coeur, V}, {Coeur, 9}, {Carreau, V}, {Carreau, 9}, {Trefle, V},
                      {Trefle, 7}}
            << 9;
        QTest::newRow("belote suit: jack, nine, ace, ten of hearts") << true << BeloteCoinchee << kMainCoeur << Coeur;
    }
    void modeMadeForTheHand()
    {
        QFETCH(bool, belote);
        QFETCH(int, type);
        QFETCH(Cartes, main);
        QFETCH(int, mode);
        RulesTestKit kit(belote);
        const TypeDePartie& t = TypeDePartie::getTypeDePartie(type);
        QVERIFY(t.multiplicateurs_[size_t(mode)] >= 1);
        AI_BetBelote bet;
        for (const bool chibre : {false, true}) {
            StatusAtout conseil(chibre, false, 0, -1);
            AI_Conseil::conseilAtout(kit.ensemble(main), t, bet, conseil);
            QVERIFY(conseil.choisi_);
            QCOMPARE(conseil.atout_, mode);
        }
    }

    // Of equal suits the first stays: the trump advice and the best bidding
    // record both take the lowest mode, whatever else the hand holds.
    void tiesGoToTheFirst()
    {
        for (const bool belote : {false, true}) {
            RulesTestKit kit(belote);
            const TypeDePartie& type = TypeDePartie::getTypeDePartie(belote ? BeloteContree : SuisseRomand);
            for (int a = 1; a <= 4; ++a) {
                for (int b = a + 1; b <= 4; ++b) {
                    // A single minor card of a third suit changes the hand,
                    // not the tie.
                    for (int c = 1; c <= 4; ++c) {
                        for (const int rang : {7, 8, D, R}) {
                            if (c == a || c == b)
                                continue;
                            const EnsembleDeCartes main = kit.ensemble(
                                Cartes{{a, V}, {a, 9}, {a, 7}, {b, V}, {b, 9}, {b, 7}, {c, rang}});
                            AI_BetBelote bet;
                            StatusAtout conseil(true, false, 0, -1);
                            AI_Conseil::conseilAtout(main, type, bet, conseil);
                            QCOMPARE(conseil.atout_, a);
                            if (belote)
                                QCOMPARE(bet.meilleurMode(), a);
                        }
                    }
                }
            }
        }
    }

    void levels_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("f1");
        QTest::addColumn<bool>("f2");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("niveau");

        QTest::newRow("three major trumps") << 0 << 3 << false << false << 0 << 2;
        QTest::newRow("jack, one more major, a minor") << 1 << 2 << true << false << 0 << 1;
        QTest::newRow("two majors, two minors, a leader") << 2 << 2 << false << true << 1 << 1;
        QTest::newRow("two majors, two minors") << 2 << 2 << false << false << 0 << 0;
        QTest::newRow("nine and three minors") << 3 << 1 << false << true << 0 << 0;
        QTest::newRow("nine and two minors") << 2 << 1 << false << true << 0 << -1;
        QTest::newRow("jack and two minors") << 2 << 1 << true << false << 0 << 0;
        QTest::newRow("jack and nine") << 0 << 2 << true << true << 0 << 0;
        QTest::newRow("jack and a minor") << 1 << 1 << true << false << 5 << -1;
        QTest::newRow("two majors without the jack, a minor") << 1 << 2 << false << true << 3 << -1;
        QTest::newRow("nothing") << 0 << 0 << false << false << 0 << -1;
    }
    void levels()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, f1);
        QFETCH(bool, f2);
        QFETCH(int, d);
        QFETCH(int, niveau);
        QCOMPARE(AI_BetBelote::niveau(evaluation(a, b, f1, f2, d)), niveau);
        QCOMPARE(AI_BetBelote::bonusMaitres(evaluation(a, b, f1, f2, d)), d > 0 ? d - 1 : -1);
    }

    void bestMode_data()
    {
        QTest::addColumn<Cartes>("main");
        QTest::addColumn<int>("mode");
        QTest::newRow("most major trumps") << kMainCoeur << Coeur;
        QTest::newRow("more minor trumps") << Cartes{{Trefle, 7}, {Carreau, 7}, {Carreau, 8}} << Carreau;
        QTest::newRow("more leading cards")
            << Cartes{{Trefle, A}, {Trefle, 10}, {Carreau, A}, {Carreau, 7}} << Carreau;
        // Clubs: 1 major, 2 minors, 1 leader; diamonds: 1 major, 1 minor, 3
        // leaders (ace, ten, king of clubs): one minor less is made up.
        QTest::newRow("leaders make up a minor trump")
            << Cartes{{Trefle, A}, {Trefle, 10}, {Trefle, R}, {Carreau, A}, {Carreau, 7}} << Carreau;
        QTest::newRow("nothing beats an empty record") << Cartes{} << 0;
    }
    void bestMode()
    {
        QFETCH(Cartes, main);
        QFETCH(int, mode);
        RulesTestKit kit(true);
        AI_BetBelote bet;
        bet.evalue(kit.ensemble(main), TypeDePartie::getTypeDePartie(BeloteContree));
        QCOMPARE(bet.meilleurMode(), mode);
    }

    // Each row: current points, minimum, maximum, opening minimum, contract
    // kind, raise, extra; then whether a bid is made and its points.
    void nextBid_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("depart");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<int>("hausse");
        QTest::addColumn<int>("supplement");
        QTest::addColumn<bool>("faite");
        QTest::addColumn<int>("attendu");

        QTest::newRow("no points yet: the minimum") << -1 << 80 << 160 << 80 << 1 << 0 << 0 << true << 80;
        QTest::newRow("opening at the minimum") << 80 << 80 << 160 << 80 << 1 << 0 << 0 << true << 80;
        QTest::newRow("opening two steps and announcements") << 80 << 80 << 160 << 80 << 1 << 2 << 3 << true << 130;
        QTest::newRow("no raise over a bid: one step more") << 100 << 110 << 160 << 80 << 2 << 0 << 0 << true << 110;
        QTest::newRow("no raise, extra step: two more") << 100 << 110 << 160 << 80 << 2 << 0 << 1 << true << 120;
        QTest::newRow("a raise needs no extra step") << 100 << 110 << 160 << 80 << 2 << 1 << 0 << true << 110;
        QTest::newRow("raised to the minimum") << 100 << 130 << 160 << 80 << 2 << 1 << 0 << true << 130;
        QTest::newRow("clamped to 160") << 150 << 160 << 160 << 80 << 2 << 3 << 0 << true << 160;
        QTest::newRow("nothing above the maximum") << 160 << 170 << 160 << 80 << 2 << 2 << 0 << false << 160;
        QTest::newRow("maximum bid standing") << 160 << 160 << 160 << 80 << 2 << 1 << 0 << false << 160;
        QTest::newRow("maximum equal to the opening minimum") << 80 << 80 << 80 << 80 << 2 << 1 << 0 << true << 80;
        QTest::newRow("huge points stay in bounds")
            << std::numeric_limits<int>::max() << 80 << 160 << 80 << 2 << 9 << 9 << true << 160;
    }
    void nextBid()
    {
        QFETCH(int, points);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, depart);
        QFETCH(int, contrat);
        QFETCH(int, hausse);
        QFETCH(int, supplement);
        QFETCH(bool, faite);
        QFETCH(int, attendu);
        ZB_StatusMise s;
        s.pointsMise_ = points;
        s.miseMin_ = min;
        s.miseMax_ = max;
        s.miseMinDepart_ = depart;
        s.typeContrat_ = contrat;
        s.atoutMise_ = Trefle;
        AI_BetBelote::prochaineMise(s, hausse, supplement, Coeur);
        QCOMPARE(s.miseFaite_, faite);
        if (faite) {
            QCOMPARE(s.pointsMise_, attendu);
            QCOMPARE(s.atoutMise_, Coeur);
            QCOMPARE(s.typeContrat_, int(ZB_StatusMise::Simple));
        } else {
            QCOMPARE(s.pointsMise_, points);
            QCOMPARE(s.atoutMise_, Trefle);
        }
    }

    // Each row: game type, hand, the auction state, the own side's latest
    // bid, the same-suit counter; then the answer: bid made, points, trump,
    // contract kind.
    void bidAdvice_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<Cartes>("main");
        QTest::addColumn<ZB_StatusMise>("etat");
        QTest::addColumn<ZB_StatusMise>("equipe");
        QTest::addColumn<int>("compteur");
        QTest::addColumn<bool>("faite");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("atout");
        QTest::addColumn<int>("contrat");

        const ZB_StatusMise personne;
        const ZB_StatusMise ouverture = premiereDemande(TypeDePartie::getTypeDePartie(BeloteContree));
        // Hearts record: 3 majors (level 2), 2 leaders (bonus 1).
        QTest::newRow("opening with three major trumps: two steps")
            << BeloteContree << kMainCoeur << ouverture << personne << 0 << true << 100 << Coeur << 2;
        // Two runs of three count 40: four steps more where announcements count.
        const Cartes avecAnnonces{{Coeur, V}, {Coeur, 9}, {Coeur, A}, {Coeur, 10},
                                  {Pique, A}, {Pique, R}, {Pique, D}, {Carreau, 7}};
        QTest::newRow("opening with announcements")
            << BeloteCoinchee << avecAnnonces << premiereDemande(TypeDePartie::getTypeDePartie(BeloteCoinchee))
            << personne << 0 << true << 140 << Coeur << 2;
        QTest::newRow("announcements ignored where they do not count")
            << BeloteContree << avecAnnonces << ouverture << personne << 0 << true << 100 << Coeur << 2;
        // A five-card run (100 points): 80 + 20 + 100, clamped. With the
        // jack and nine of two suits the hand bids all-trump, where hearts
        // and spades take five sure tricks (three of them major trumps).
        const Cartes grandeSuite{{Coeur, V}, {Coeur, 9}, {Coeur, A}, {Pique, 7},
                                 {Pique, 8}, {Pique, 9}, {Pique, 10}, {Pique, V}};
        QTest::newRow("opening clamped to 160")
            << BeloteCoinchee << grandeSuite << premiereDemande(TypeDePartie::getTypeDePartie(BeloteCoinchee))
            << personne << 0 << true << 160 << int(StatusAtout::ToutAtout) << 2;
        // Eight sure tricks in no-trump (six as major trumps): two steps,
        // and four aces and four tens announced: clamped.
        QTest::newRow("no-trump opening: four aces, four tens")
            << BeloteCoinchee
            << Cartes{{Trefle, A}, {Trefle, 10}, {Carreau, A}, {Carreau, 10}, {Pique, A}, {Pique, 10}, {Coeur, A},
                      {Coeur, 10}}
            << premiereDemande(TypeDePartie::getTypeDePartie(BeloteCoinchee)) << personne << 0 << true << 160
            << int(StatusAtout::SansAtout) << 2;
        QTest::newRow("all-trump opening: the jacks and nines")
            << BeloteCoinchee
            << Cartes{{Pique, V}, {Pique, 9}, {Coeur, V}, {Coeur, 9}, {Carreau, V}, {Carreau, 9}, {Trefle, V},
                      {Trefle, 7}}
            << premiereDemande(TypeDePartie::getTypeDePartie(BeloteCoinchee)) << personne << 0 << true << 160
            << int(StatusAtout::ToutAtout) << 2;
        QTest::newRow("hearts where all-trump is not offered")
            << BeloteContree << grandeSuite << premiereDemande(TypeDePartie::getTypeDePartie(BeloteContree))
            << personne << 0 << true << 100 << Coeur << 2;
        const Cartes faible{{Coeur, 7}, {Coeur, 8}, {Pique, 7}, {Pique, 8},
                            {Trefle, 7}, {Trefle, 9}, {Carreau, 8}, {Carreau, D}};
        QTest::newRow("weak hand passes") << BeloteContree << faible << ouverture << personne << 0 << false << 80
                                          << 0 << 1;
        QTest::newRow("empty hand passes") << BeloteContree << Cartes{} << ouverture << personne << 0 << false << 80
                                           << 0 << 1;

        // Over the opponents' 90 in spades: cur 1, threshold 1.
        QTest::newRow("overbid") << BeloteContree << kMainCoeur << miseEnCours(90, Pique) << personne << 0 << true
                                 << 100 << Coeur << 2;
        // At 140 hearts (cur 6) overbidding is out of reach, but hearts are
        // ours: 2 + 3 + 1 >= 6, double.
        QTest::newRow("double their trump") << BeloteContree << kMainCoeur << miseEnCours(140, Coeur) << personne
                                            << 0 << true << 140 << Coeur << 3;
        QTest::newRow("too high to double") << BeloteContree << kMainCoeur << miseEnCours(150, Coeur) << personne
                                            << 0 << false << 150 << Coeur << 2;
        QTest::newRow("no double of a suit we lack") << BeloteContree << kMainCoeur << miseEnCours(140, Trefle)
                                                     << personne << 0 << false << 140 << Trefle << 2;

        // The partner bid 100 in spades from 80 (t = 2). Our spades: one
        // major (ace) without jack or nine: raise 0, extra max(2 - 1, 0):
        // 100 + 10, plus a step for not raising.
        const Cartes soutien{{Pique, A}, {Pique, 10}, {Coeur, R}, {Coeur, D},
                             {Trefle, 7}, {Trefle, 8}, {Carreau, 9}, {Carreau, V}};
        QTest::newRow("support the partner") << BeloteContree << soutien << miseEnCours(100, Pique)
                                             << miseDeLEquipe(100, Pique, 80) << 1 << true << 120 << Pique << 2;
        QTest::newRow("no major trump in the partner's suit: pass")
            << BeloteContree << soutien << miseEnCours(100, Trefle) << miseDeLEquipe(100, Trefle, 80) << 1 << false
            << 100 << Trefle << 2;
        // Jack, nine, ace and ten of spades and three aces: capot.
        const Cartes capot{{Pique, V}, {Pique, 9}, {Pique, A}, {Pique, 10},
                           {Coeur, A}, {Carreau, A}, {Trefle, A}, {Trefle, 10}};
        QTest::newRow("capot after two bids in the suit") << BeloteContree << capot << miseEnCours(140, Pique)
                                                          << miseDeLEquipe(140, Pique, 130) << 2 << true << 140
                                                          << Pique << 5;
        const Cartes neufAs{{Pique, 9}, {Pique, A}, {Pique, 10}, {Coeur, A},
                            {Carreau, R}, {Trefle, D}, {Trefle, 8}, {Carreau, 7}};
        QTest::newRow("third bid in the suit with an ace")
            << BeloteContree << neufAs << miseEnCours(110, Pique) << miseDeLEquipe(110, Pique, 100) << 2 << true
            << 120 << Pique << 2;
        QTest::newRow("third bid stops at 141") << BeloteContree << neufAs << miseEnCours(140, Pique)
                                                << miseDeLEquipe(140, Pique, 130) << 2 << false << 140 << Pique << 2;
        QTest::newRow("fifth bid in the suit: pass") << BeloteContree << neufAs << miseEnCours(110, Pique)
                                                     << miseDeLEquipe(110, Pique, 100) << 4 << false << 110 << Pique
                                                     << 2;

        // Doubled contracts: 2 + 1 + 1 > 2 redoubles; 2 + 4 + 1 > 2 and
        // 2 + 5 + 1 > 2 double and redouble a capot.
        QTest::newRow("redouble") << BeloteContree << kMainCoeur << miseEnCours(100, Coeur, 3) << personne << 0
                                  << true << 100 << Coeur << 4;
        QTest::newRow("no redouble once the side bid") << BeloteContree << kMainCoeur << miseEnCours(100, Coeur, 3)
                                                       << miseDeLEquipe(100, Coeur, 80) << 1 << false << 100 << Coeur
                                                       << 3;
        QTest::newRow("nothing after a redouble") << BeloteContree << kMainCoeur << miseEnCours(100, Coeur, 4)
                                                  << personne << 0 << false << 100 << Coeur << 4;
        QTest::newRow("double a capot") << BeloteContree << kMainCoeur << miseEnCours(100, Coeur, 5) << personne
                                        << 0 << true << 100 << Coeur << 6;
        QTest::newRow("redouble a capot") << BeloteContree << kMainCoeur << miseEnCours(100, Coeur, 6) << personne
                                          << 0 << true << 100 << Coeur << 7;
        QTest::newRow("nothing after a capot redoubled") << BeloteContree << kMainCoeur << miseEnCours(100, Coeur, 7)
                                                         << personne << 0 << false << 100 << Coeur << 7;
        QTest::newRow("unknown contract kind") << BeloteContree << kMainCoeur << miseEnCours(100, Coeur, 42)
                                               << personne << 0 << false << 100 << Coeur << 42;
    }
    void bidAdvice()
    {
        QFETCH(int, type);
        QFETCH(Cartes, main);
        QFETCH(ZB_StatusMise, etat);
        QFETCH(ZB_StatusMise, equipe);
        QFETCH(int, compteur);
        QFETCH(bool, faite);
        QFETCH(int, points);
        QFETCH(int, atout);
        QFETCH(int, contrat);

        RulesTestKit kit(true);
        AI_BetBelote bet;
        AI_Conseil::conseilMise(kit.ensemble(main), nullptr, TypeDePartie::getTypeDePartie(type), bet, equipe,
                                compteur, etat);
        QCOMPARE(etat.miseFaite_, faite);
        QCOMPARE(etat.pointsMise_, points);
        QCOMPARE(etat.atoutMise_, atout);
        QCOMPARE(etat.typeContrat_, contrat);
    }

    // Bids on a turned card: in the first round only the turned suit
    // counts, and a bid is a take.
    void turnedCard_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("tour");
        QTest::addColumn<int>("couleurRetournee");
        QTest::addColumn<int>("valeurRetournee");
        QTest::addColumn<QString>("evaluee"); // card texts of the judged hand
        QTest::addColumn<bool>("faite");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("atout");

        // Hand: 9 and 7 of hearts, ace of spades, king of clubs, 8 of diamonds.
        // Jack turned: jack, nine and a minor trump (level 1): 80 + 10.
        QTest::newRow("first round, jack of hearts turned")
            << BeloteClassique << 0 << Coeur << V << "4_7 4_9 4_11" << true << 90 << Coeur;
        QTest::newRow("vache, first round") << BeloteVache << 3 << Coeur << V << "4_7 4_9 4_11" << true << 90 << Coeur;
        QTest::newRow("first round, seven of spades turned")
            << BeloteClassique << 1 << Pique << 7 << "3_7 3_14" << false << 80 << 0;
        QTest::newRow("second round: the whole hand")
            << BeloteClassique << 4 << Pique << 7 << "1_13 2_8 3_7 3_14 4_7 4_9" << false << 80 << 0;
        QTest::newRow("second round, jack of hearts turned")
            << BeloteClassique << 4 << Coeur << V << "1_13 2_8 3_14 4_7 4_9 4_11" << true << 90 << Coeur;
        QTest::newRow("a turned card where bids have amounts")
            << BeloteContree << 0 << Coeur << V << "1_13 2_8 3_14 4_7 4_9 4_11" << true << 90 << Coeur;
    }
    void turnedCard()
    {
        QFETCH(int, type);
        QFETCH(int, tour);
        QFETCH(int, couleurRetournee);
        QFETCH(int, valeurRetournee);
        QFETCH(QString, evaluee);
        QFETCH(bool, faite);
        QFETCH(int, points);
        QFETCH(int, atout);

        RulesTestKit kit(true);
        const TypeDePartie& t = TypeDePartie::getTypeDePartie(type);
        const EnsembleDeCartes main = kit.ensemble({{Coeur, 9}, {Coeur, 7}, {Pique, A}, {Trefle, R}, {Carreau, 8}});
        const Carte* retournee = kit.carte(couleurRetournee, valeurRetournee);
        ZB_StatusMise etat = premiereDemande(t);
        etat.tourMise_ = tour;

        QStringList textes;
        for (const Carte* c : AI_Conseil::mainPourMise(main, retournee, t, etat))
            textes << c->toString();
        QCOMPARE(textes.join(QLatin1Char(' ')), evaluee);

        AI_BetBelote bet;
        AI_Conseil::conseilMise(main, retournee, t, bet, ZB_StatusMise(), 0, etat);
        QCOMPARE(etat.miseFaite_, faite);
        QCOMPARE(etat.pointsMise_, points);
        QCOMPARE(etat.atoutMise_, atout);
        const bool prise = AI_Conseil::parCarteRetournee(t);
        QCOMPARE(etat.typeContrat_, faite ? (prise ? 9 : 2) : 1);
    }

    void withoutTurnedCard()
    {
        RulesTestKit kit(true);
        const TypeDePartie& t = TypeDePartie::getTypeDePartie(BeloteClassique);
        const EnsembleDeCartes main = kit.ensemble(kMainCoeur);
        ZB_StatusMise etat = premiereDemande(t);
        // No card to keep to: the whole hand is judged.
        QVERIFY(AI_Conseil::mainPourMise(main, nullptr, t, etat) == main);
        AI_BetBelote bet;
        AI_Conseil::conseilMise(main, nullptr, t, bet, ZB_StatusMise(), 0, etat);
        QVERIFY(etat.miseFaite_);
        QCOMPARE(etat.typeContrat_, int(ZB_StatusMise::PrendCouleurRetournee));
    }

    // On a turned card the first round can only take the turned suit: a
    // mode without a trump suit, even where the game type offers it, is not
    // weighed on the turned suit's cards alone.
    void firstRoundWeighsOnlyTheTurnedSuit()
    {
        RulesTestKit kit(true);
        TypeDePartie type = TypeDePartie::getTypeDePartie(BeloteClassique);
        type.multiplicateurs_[StatusAtout::ToutAtout] = 1;
        type.multiplicateurs_[StatusAtout::SansAtout] = 1;
        // Ace, ten, king, queen of hearts: four sure no-trump tricks, but
        // hearts as trump hold one major trump only.
        const EnsembleDeCartes main =
            kit.ensemble({{Coeur, 10}, {Coeur, R}, {Coeur, D}, {Pique, 7}, {Trefle, 8}});
        ZB_StatusMise etat = premiereDemande(type);
        AI_BetBelote bet;
        AI_Conseil::conseilMise(main, kit.carte(Coeur, A), type, bet, ZB_StatusMise(), 0, etat);
        QVERIFY(!etat.miseFaite_);
        for (int mode = 0; mode < TypeDePartie::NOMBRE_MODES; ++mode)
            QCOMPARE(bet.estEvalue(mode), mode == Coeur);
    }

    // Auction states that no table sends still get an answer within bounds.
    void oddAuctionStates()
    {
        RulesTestKit kit(true);
        const EnsembleDeCartes main = kit.ensemble(kMainCoeur);
        AI_BetBelote bet;
        const TypeDePartie& t = TypeDePartie::getTypeDePartie(BeloteContree);
        const int extremes[] = {std::numeric_limits<int>::min(), -1000, -1, 0, 79, 1000,
                                std::numeric_limits<int>::max()};
        for (int points : extremes) {
            for (int min : extremes) {
                for (int contrat = -1; contrat <= 10; ++contrat) {
                    ZB_StatusMise s = miseEnCours(100, Coeur, contrat);
                    s.pointsMise_ = points;
                    s.miseMin_ = min;
                    s.miseMinDepart_ = points / -2;
                    AI_Conseil::conseilMise(main, nullptr, t, bet, miseDeLEquipe(points, Pique, min), 2, s);
                    if (s.miseFaite_ && s.typeContrat_ == ZB_StatusMise::Simple && s.pointsMise_ != points) {
                        QVERIFY(s.pointsMise_ <= s.miseMax_);
                        QVERIFY(s.pointsMise_ >= min);
                    }
                }
            }
        }
        ZB_StatusMise inverse = premiereDemande(t);
        inverse.miseMin_ = 170;
        AI_Conseil::conseilMise(main, nullptr, t, bet, ZB_StatusMise(), 0, inverse);
        QVERIFY(!inverse.miseFaite_);
    }
};

ZB_REGISTER_TEST(TestTrumpAndBidAdvice)
#include "TestTrumpAndBidAdvice.moc"
