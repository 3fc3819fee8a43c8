#include "RulesTestKit.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

constexpr int Trefle = 1, Carreau = 2, Pique = 3, Coeur = 4;
constexpr int V = 11, D = 12, R = 13, A = 14;

} // namespace

class TestLegality : public QObject
{
    Q_OBJECT

private slots:
    // Each row: game, trump mode, leader, cards already in the trick (from
    // the leader), the hand of the seat to play, the card tried, the code.
    void codes_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("leader");
        QTest::addColumn<Cartes>("pli");
        QTest::addColumn<Cartes>("main");
        QTest::addColumn<int>("couleur");
        QTest::addColumn<int>("valeur");
        QTest::addColumn<int>("code");

        const Cartes mainJass{{Coeur, 7}, {Coeur, R}, {Pique, 9}, {Carreau, 8}};
        QTest::newRow("lead anything") << false << 3 << 0 << Cartes{} << mainJass << Carreau << 8 << 5;
        QTest::newRow("jass follow") << false << 3 << 0 << Cartes{{Coeur, 10}} << mainJass << Coeur << 7 << 1;
        QTest::newRow("jass plain card while holding led suit")
            << false << 3 << 0 << Cartes{{Coeur, 10}} << mainJass << Carreau << 8 << 9;
        QTest::newRow("jass trump cuts while holding led suit")
            << false << 3 << 0 << Cartes{{Coeur, 10}} << mainJass << Pique << 9 << 2;
        QTest::newRow("jass over-trump") << false << 3 << 0 << Cartes{{Coeur, 10}, {Pique, 8}} << mainJass << Pique
                                         << 9 << 7;
        QTest::newRow("jass under-trump with other cards")
            << false << 3 << 0 << Cartes{{Coeur, 10}, {Pique, V}} << mainJass << Pique << 9 << 10;
        QTest::newRow("jass under-trump with only trumps left")
            << false << 3 << 0 << Cartes{{Coeur, 10}, {Pique, V}} << Cartes{{Pique, 9}, {Pique, 6}} << Pique << 6 << 6;
        QTest::newRow("jass under-trump with the last card")
            << false << 3 << 1 << Cartes{{Coeur, 10}, {Pique, V}} << Cartes{{Pique, 6}} << Pique << 6 << 6;
        // Beating the lower of two trumps is still under-trumping, wherever they sit.
        QTest::newRow("jass two trumps on table")
            << false << 3 << 1 << Cartes{{Coeur, 10}, {Pique, 9}, {Pique, 7}} << mainJass + Cartes{{Pique, 8}}
            << Pique << 8 << 10;
        QTest::newRow("jass two trumps on table, other order")
            << false << 3 << 1 << Cartes{{Coeur, 10}, {Pique, 7}, {Pique, 9}} << mainJass + Cartes{{Pique, 8}}
            << Pique << 8 << 10;
        QTest::newRow("jass cannot follow") << false << 3 << 0 << Cartes{{Trefle, 10}} << mainJass << Carreau << 8
                                            << 3;
        QTest::newRow("jass bour may be kept")
            << false << 3 << 0 << Cartes{{Pique, 10}} << Cartes{{Pique, V}, {Carreau, 8}, {Coeur, 7}} << Carreau << 8
            << 8;
        QTest::newRow("jass bour and another trump")
            << false << 3 << 0 << Cartes{{Pique, 10}} << Cartes{{Pique, V}, {Pique, 6}, {Carreau, 8}} << Carreau << 8
            << 9;
        QTest::newRow("jass jack of plain suit is not the bour")
            << false << 3 << 0 << Cartes{{Coeur, 10}} << Cartes{{Coeur, V}, {Carreau, 8}} << Carreau << 8 << 9;
        QTest::newRow("jass no trump in haut en bas")
            << false << 5 << 0 << Cartes{{Coeur, 10}} << mainJass << Pique << 9 << 9;

        const Cartes mainBelote{{Coeur, 8}, {Pique, 9}, {Pique, 7}, {Carreau, 8}};
        QTest::newRow("belote follow") << true << 3 << 0 << Cartes{{Coeur, 10}} << mainBelote << Coeur << 8 << 1;
        QTest::newRow("belote must follow before trumping")
            << true << 3 << 0 << Cartes{{Coeur, 10}} << mainBelote << Pique << 9 << 9;
        const Cartes sansCoeur{{Pique, 9}, {Pique, 7}, {Carreau, 8}};
        // Seat 0 leads; seat 2 is the partner of seat 0's opponent... the
        // player is seat 3, whose partner seat 1 played the ace.
        QTest::newRow("belote partner master, discard")
            << true << 3 << 0 << Cartes{{Coeur, 10}, {Coeur, A}, {Coeur, 7}} << sansCoeur << Carreau << 8 << 4;
        QTest::newRow("belote opponents master, must trump")
            << true << 3 << 0 << Cartes{{Coeur, A}, {Coeur, 10}, {Coeur, 7}} << sansCoeur << Carreau << 8 << 11;
        QTest::newRow("belote cut") << true << 3 << 0 << Cartes{{Coeur, A}} << sansCoeur << Pique << 7 << 2;
        QTest::newRow("belote over-cut") << true << 3 << 0 << Cartes{{Coeur, A}, {Pique, 8}} << sansCoeur << Pique
                                         << 9 << 7;
        QTest::newRow("belote under-cut when able to over-cut")
            << true << 3 << 0 << Cartes{{Coeur, A}, {Pique, 8}} << Cartes{{Pique, 9}, {Pique, 7}} << Pique << 7 << 10;
        QTest::newRow("belote under-cut, nothing better")
            << true << 3 << 0 << Cartes{{Coeur, A}, {Pique, A}} << Cartes{{Pique, 8}, {Pique, 7}} << Pique << 7 << 6;
        QTest::newRow("belote no trump and no led suit") << true << 3 << 0 << Cartes{{Coeur, A}}
                                                        << Cartes{{Carreau, 8}, {Trefle, 9}} << Trefle << 9 << 3;
        QTest::newRow("belote trumps led, must rise")
            << true << 3 << 0 << Cartes{{Pique, A}} << Cartes{{Pique, 9}, {Pique, 8}, {Coeur, 8}} << Pique << 8 << 12;
        QTest::newRow("belote trumps led, rising") << true << 3 << 0 << Cartes{{Pique, A}}
                                                   << Cartes{{Pique, 9}, {Pique, 8}, {Coeur, 8}} << Pique << 9 << 1;
        QTest::newRow("belote trumps led, cannot rise")
            << true << 3 << 0 << Cartes{{Pique, V}} << Cartes{{Pique, 9}, {Pique, 8}} << Pique << 8 << 13;
        QTest::newRow("belote trumps led, plain card while holding trumps")
            << true << 3 << 0 << Cartes{{Pique, V}} << Cartes{{Pique, 8}, {Coeur, 8}} << Coeur << 8 << 9;
        QTest::newRow("belote tout atout has no trump suit")
            << true << 9 << 0 << Cartes{{Coeur, 10}} << mainBelote << Pique << 9 << 9;
        QTest::newRow("belote sans atout discard") << true << 10 << 0 << Cartes{{Trefle, 10}} << mainBelote << Pique
                                                   << 9 << 3;
    }
    void codes()
    {
        QFETCH(bool, belote);
        QFETCH(int, mode);
        QFETCH(int, leader);
        QFETCH(Cartes, pli);
        QFETCH(Cartes, main);
        QFETCH(int, couleur);
        QFETCH(int, valeur);
        QFETCH(int, code);
        RulesTestKit kit(belote);
        const auto partie = kit.position(mode, leader, pli);
        const int joueur = (leader + pli.size()) % 4;
        const EnsembleDeCartes hand = kit.ensemble(main);
        Carte* carte = kit.carte(couleur, valeur);
        QCOMPARE(partie->estCarteValide(carte, joueur, hand), code);

        // The search's bit-mask answer agrees for every card of the hand.
        const quint64 jouables = partie->getMasqueCartesJouables(joueur, hand.getMasque());
        for (Carte* c : hand) {
            const bool attendu = Partie::estCodeJouable(partie->estCarteValide(c, joueur, hand));
            QVERIFY2(attendu == bool((jouables >> c->getIndex()) & 1), qPrintable(c->toString()));
        }
    }

    void partnerMaster()
    {
        RulesTestKit kit(true);
        // Seat 1 leads the ace, seat 2 plays low: seat 3's partner is master.
        auto partie = kit.position(Pique, 1, Cartes{{Coeur, A}, {Coeur, 7}});
        QVERIFY(partie->partenaireEstMaitre(3));
        QVERIFY(!partie->partenaireEstMaitre(0)); // partner (2) played low
        // A cut by seat 2 takes the mastery from seat 1.
        partie = kit.position(Pique, 1, Cartes{{Coeur, A}, {Pique, 7}});
        QVERIFY(!partie->partenaireEstMaitre(3));
        QVERIFY(partie->partenaireEstMaitre(0));
        // A discard never masters.
        partie = kit.position(Pique, 1, Cartes{{Coeur, 8}, {Carreau, A}});
        QVERIFY(!partie->partenaireEstMaitre(0));
        // Nothing on the table.
        partie = kit.position(Pique, 1, Cartes{});
        QVERIFY(!partie->partenaireEstMaitre(3));
    }

    void explanations()
    {
        QCOMPARE(texteValiditeCarte(8),
                 QStringLiteral("Cette carte peut être jouée car vous n'êtes pas obligé de 'servir' la couleur "
                                "demandée. En effet le 'bour' (valet d'atout) peut être conservé."));
        QCOMPARE(texteValiditeCarte(11),
                 QStringLiteral("Vous ne pouvez pas jouer cette carte, car vous avez encore un atout en main."));
        QCOMPARE(texteValiditeCarte(0), QStringLiteral("ERREUR: Status invalide"));
        QCOMPARE(texteValiditeCarte(14), QStringLiteral("ERREUR: Status invalide"));
        for (int code = 1; code <= 13; ++code) {
            const QString texte = texteValiditeCarte(code);
            QVERIFY(!texte.isEmpty());
            QCOMPARE(texte.startsWith(QStringLiteral("Vous ne pouvez pas")), !Partie::estCodeJouable(code));
        }
    }
};

ZB_REGISTER_TEST(TestLegality)
#include "TestLegality.moc"
