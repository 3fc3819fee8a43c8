#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_KnuthRandom.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseBelote.h"
#include "ZB_MiseJass.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <limits>

namespace {

constexpr int kSeptDeCarreau = Carte::indexDe(2, Carte::Sept);

QString texteMain(const EnsembleDeCartes& main)
{
    QStringList cartes;
    for (Carte* c : main)
        cartes << c->toString();
    return cartes.join(QLatin1Char(' '));
}

QStringList textes(const QList<Carte*>& cartes)
{
    QStringList out;
    for (Carte* c : cartes)
        out << c->toString();
    return out;
}

GM_KnuthRandom generateur(const QString& texte)
{
    GM_KnuthRandom rng(true);
    rng.chargeValeursDepuisString(texte);
    return rng;
}

void ajoute(EnsembleDeCartes& dans, const EnsembleDeCartes& cartes)
{
    for (Carte* c : cartes)
        dans.ajouteCarte(c);
}

// The previous deal's piles used by the cut tests: suits 1 and 2 from the
// ace down, then suits 3 and 4 from the seven up.
QList<int> pileDescendante()
{
    QList<int> pile;
    for (int couleur : {1, 2})
        for (int valeur = 14; valeur >= 7; --valeur)
            pile << Carte::indexDe(couleur, valeur);
    return pile;
}
QList<int> pileMontante()
{
    QList<int> pile;
    for (int couleur : {3, 4})
        for (int valeur = 7; valeur <= 14; ++valeur)
            pile << Carte::indexDe(couleur, valeur);
    return pile;
}

struct DonneBelote
{
    int premier = -10;
    Carte* retournee = nullptr;
    EnsembleDeCartes mains[4];
};

// A Belote deal as a table runs it: first player, five cards each, the
// turned card, then three cards each except the last seat, who takes the
// turned card with two more: four hands of eight.
DonneBelote donneBelote(ZB_MiseBelote& mise, GM_KnuthRandom& rng, bool coupe)
{
    DonneBelote d;
    d.premier = mise.getJoueurQuiCommence(rng, 4);
    for (int j = 0; j < 4; ++j)
        mise.distribue(d.mains[j], rng, 5, j, coupe);
    d.retournee = mise.getCarteRetournee(rng, coupe);
    for (int j = 0; j < 4; ++j) {
        EnsembleDeCartes suite;
        mise.distribue(suite, rng, j == 3 ? 2 : 3, j, coupe);
        ajoute(d.mains[j], suite);
    }
    d.mains[3].ajouteCarte(d.retournee);
    return d;
}

} // namespace

class TestDealing : public QObject
{
    Q_OBJECT

private slots:
    // A saved generator text replays the same deal on every machine: these
    // deals were checked against an independent implementation of the
    // generator and of the dealing rules.
    void goldenJassDeal()
    {
        ZB_DeckJass deck;
        ZB_MiseJass mise(deck);
        GM_KnuthRandom rng = generateur(QStringLiteral("{0!12345!0!}"));
        QStringList mains;
        for (int j = 0; j < 4; ++j) {
            EnsembleDeCartes main;
            mise.distribue(main, rng, 9, j, false);
            QCOMPARE(main.getNombreDeCartes(), 9u);
            mains << texteMain(main);
        }
        QCOMPARE(mains, (QStringList{
                            "1_8 1_12 2_13 3_7 3_8 4_9 4_10 4_12 4_13",
                            "1_9 1_11 2_7 2_10 2_11 2_14 3_9 3_13 3_14",
                            "1_6 1_10 1_13 2_6 4_6 4_7 4_8 4_11 4_14",
                            "1_7 1_14 2_8 2_9 2_12 3_6 3_10 3_11 3_12",
                        }));
        // Seat 1 holds the seven of suit 2.
        QCOMPARE(mise.getJoueurQuiCommence(rng, 4), 0);
        QCOMPARE(rng.getPosition(), 36);
        QVERIFY(mise.getCartesRestantes().estVide());
    }

    void goldenBeloteDeal()
    {
        ZB_DeckBelote deck;
        ZB_MiseBelote mise(deck);
        GM_KnuthRandom rng = generateur(QStringLiteral("{0!3141592653!0!}"));
        const DonneBelote d = donneBelote(mise, rng, false);
        QCOMPARE(d.premier, 1);
        QVERIFY(d.retournee != nullptr);
        QCOMPARE(d.retournee->toString(), QStringLiteral("2_13"));
        QStringList mains;
        for (const EnsembleDeCartes& m : d.mains)
            mains << texteMain(m);
        QCOMPARE(mains, (QStringList{
                            "1_9 1_12 1_13 2_7 2_8 3_9 3_11 4_11",
                            "1_8 1_10 1_11 1_14 2_9 2_10 3_8 3_12",
                            "1_7 2_11 2_12 3_7 4_7 4_8 4_9 4_10",
                            "2_13 2_14 3_10 3_13 3_14 4_12 4_13 4_14",
                        }));
        QCOMPARE(rng.getPosition(), 33);
    }

    void goldenBeloteCutDeal()
    {
        ZB_DeckBelote deck;
        ZB_MiseBelote mise(deck);
        mise.setPileA(pileDescendante());
        mise.setPileB(pileMontante());
        GM_KnuthRandom rng = generateur(QStringLiteral("{17!424242!0!}"));
        const DonneBelote d = donneBelote(mise, rng, true);
        QCOMPARE(d.premier, 3);
        QCOMPARE(textes(mise.getPaquet()).join(QLatin1Char(' ')),
                 QStringLiteral("2_13 2_12 2_11 2_10 2_9 2_8 2_7 3_7 3_8 3_9 3_10 3_11 3_12 3_13 3_14 4_7 "
                                "4_8 4_9 4_10 4_11 4_12 4_13 4_14 1_14 1_13 1_12 1_11 1_10 1_9 1_8 1_7 2_14"));
        QVERIFY(d.retournee != nullptr);
        QCOMPARE(d.retournee->toString(), QStringLiteral("4_12"));
        QStringList mains;
        for (const EnsembleDeCartes& m : d.mains)
            mains << texteMain(m);
        QCOMPARE(mains, (QStringList{
                            "1_14 2_9 2_10 2_11 2_12 2_13 4_13 4_14",
                            "1_11 1_12 1_13 2_7 2_8 3_7 3_8 3_9",
                            "1_8 1_9 1_10 3_10 3_11 3_12 3_13 3_14",
                            "1_7 2_14 4_7 4_8 4_9 4_10 4_11 4_12",
                        }));
        // One draw for the first player, one for the cut.
        QCOMPARE(rng.getPosition(), 19);
    }

    // The table turns the recorded seat into the leader, so the value must
    // be exactly the seat before the holder of the seven of suit 2.
    void jassStarterIsSeatBeforeTheSeven_data()
    {
        QTest::addColumn<int>("holder");
        for (int j = 0; j < 4; ++j)
            QTest::addRow("seat %d", j) << j;
    }
    void jassStarterIsSeatBeforeTheSeven()
    {
        QFETCH(int, holder);
        ZB_DeckJass deck;
        for (quint32 graine = 1; graine < 200; ++graine) {
            GM_KnuthRandom rng(true);
            rng.initialise(graine);
            ZB_MiseJass mise(deck);
            QCOMPARE(mise.getJoueurQuiCommence(rng, 4), -10);
            int detenteur = -1;
            for (int j = 0; j < 4; ++j) {
                EnsembleDeCartes main;
                mise.distribue(main, rng, 9, j, false);
                if (main.contientIndex(kSeptDeCarreau))
                    detenteur = j;
                else if (detenteur < 0)
                    QCOMPARE(mise.getJoueurQuiCommence(rng, 4), -10);
            }
            QVERIFY(detenteur >= 0);
            const int position = rng.getPosition();
            QCOMPARE(mise.getJoueurQuiCommence(rng, 4), detenteur - 1);
            QCOMPARE(rng.getPosition(), position); // asking draws nothing
            if (detenteur == holder)
                return;
        }
        QFAIL("no seed gave the seven of suit 2 to this seat");
    }

    void tireCartesDrawsAndRemoves()
    {
        ZB_DeckJass deck;
        GM_KnuthRandom rng(true);
        rng.initialise(5);
        EnsembleDeCartes source = deck.getCartes();
        const EnsembleDeCartes main = ZB_MiseA::tireCartes(rng, source, 9);
        QCOMPARE(main.getNombreDeCartes(), 9u);
        QCOMPARE(source.getNombreDeCartes(), 27u);
        QCOMPARE(main.getMasque() & source.getMasque(), quint64(0));
        QCOMPARE(main.getMasque() | source.getMasque(), deck.getCartes().getMasque());

        // More than the source holds: what it had, one draw per card.
        const int position = rng.getPosition();
        const EnsembleDeCartes reste = ZB_MiseA::tireCartes(rng, source, 40);
        QCOMPARE(reste.getNombreDeCartes(), 27u);
        QVERIFY(source.estVide());
        QCOMPARE(rng.getPosition(), position + 27);
        // Nothing left, or nothing asked: no draw.
        QVERIFY(ZB_MiseA::tireCartes(rng, source, 3).estVide());
        EnsembleDeCartes plein = deck.getCartes();
        QVERIFY(ZB_MiseA::tireCartes(rng, plein, 0).estVide());
        QVERIFY(ZB_MiseA::tireCartes(rng, plein, -2).estVide());
        QCOMPARE(rng.getPosition(), position + 27);
        QCOMPARE(plein.getNombreDeCartes(), 36u);
    }

    // First deal of a game: the table asks for the cut but there is nothing
    // to cut, nor anything usable in piles of fewer than three cards.
    void impossibleCutDealsAtRandom_data()
    {
        QTest::addColumn<QList<int>>("pileA");
        QTest::addColumn<QList<int>>("pileB");
        QTest::newRow("no piles") << QList<int>{} << QList<int>{};
        QTest::newRow("two cards") << QList<int>{3} << QList<int>{20};
        QTest::newRow("two usable cards") << QList<int>{0, -1, 36, 3} << QList<int>{3, 20, 9};
    }
    void impossibleCutDealsAtRandom()
    {
        QFETCH(QList<int>, pileA);
        QFETCH(QList<int>, pileB);
        ZB_DeckBelote deck;
        ZB_MiseBelote coupee(deck);
        ZB_MiseBelote hasard(deck);
        coupee.setPileA(pileA);
        coupee.setPileB(pileB);
        GM_KnuthRandom r1 = generateur(QStringLiteral("{0!99!0!}"));
        GM_KnuthRandom r2(r1);
        const DonneBelote a = donneBelote(coupee, r1, true);
        const DonneBelote b = donneBelote(hasard, r2, false);
        QVERIFY(coupee.getPaquet().isEmpty());
        QCOMPARE(a.premier, b.premier);
        QCOMPARE(a.retournee, b.retournee);
        for (int j = 0; j < 4; ++j)
            QCOMPARE(a.mains[j], b.mains[j]);
        QCOMPARE(r1.getPosition(), r2.getPosition());
    }

    // The top c+1 cards go under the pack, c drawn in 0 to size-3: every
    // cut moves between 1 and size-2 cards, and all of them occur.
    void cutMovesBetweenOneAndSizeMinusTwo_data()
    {
        QTest::addColumn<int>("taille");
        QTest::newRow("32 cards") << 32;
        QTest::newRow("3 cards") << 3;
        QTest::newRow("5 cards") << 5;
    }
    void cutMovesBetweenOneAndSizeMinusTwo()
    {
        QFETCH(int, taille);
        ZB_DeckBelote deck;
        const QList<int> tas = (pileDescendante() + pileMontante()).mid(0, taille);
        QList<int> vus;
        for (quint32 graine = 0; graine < 600; ++graine) {
            ZB_MiseBelote mise(deck);
            mise.setPileA(tas.mid(0, taille / 2));
            mise.setPileB(tas.mid(taille / 2));
            GM_KnuthRandom rng(true);
            rng.initialise(graine);
            EnsembleDeCartes main;
            mise.distribue(main, rng, 1, 0, true);
            QCOMPARE(rng.getPosition(), 1);
            const QList<Carte*> paquet = mise.getPaquet();
            QCOMPARE(paquet.size(), taille);
            const int deplaces = tas.indexOf(paquet.first()->getIndex());
            QVERIFY2(deplaces >= 1 && deplaces <= taille - 2, qPrintable(QString::number(deplaces)));
            for (int i = 0; i < taille; ++i)
                QCOMPARE(paquet[i]->getIndex(), tas[(i + deplaces) % taille]);
            QCOMPARE(main.getCarte(main.premier()), paquet.first());
            QCOMPARE(mise.getCurseur(), 1);
            if (!vus.contains(deplaces))
                vus << deplaces;
        }
        QCOMPARE(vus.size(), taille - 2);
    }

    // Piles come from saved or remote tables: unknown indices, cards of
    // another deck and repeated indices must neither crash the cut nor deal
    // a card twice.
    void corruptedPilesAreSkipped()
    {
        ZB_DeckBelote deck;
        ZB_MiseBelote mise(deck);
        QList<int> pileA = pileDescendante();
        pileA.insert(3, -1);
        pileA.insert(0, 99);
        const int repete = pileA[5];
        pileA << Carte::indexDe(1, 6) << repete << 36 << std::numeric_limits<int>::min();
        QList<int> pileB = pileMontante();
        pileB << pileDescendante().first() << 64 << 63;
        mise.setPileA(pileA);
        mise.setPileB(pileB);
        GM_KnuthRandom rng = generateur(QStringLiteral("{0!1!0!}"));
        const DonneBelote d = donneBelote(mise, rng, true);
        QCOMPARE(mise.getPaquet().size(), 32);
        EnsembleDeCartes toutes;
        for (const EnsembleDeCartes& m : d.mains) {
            QCOMPARE(m.getMasque() & toutes.getMasque(), quint64(0));
            ajoute(toutes, m);
        }
        QCOMPARE(toutes.getNombreDeCartes(), 32u);
        QVERIFY(toutes.contientCarte(d.retournee));
    }

    // Piles that miss cards make a short pack: the hands still get their
    // cards, the rest drawn from the cards that were in no pile, and never a
    // card twice. With nothing left, hands are short and no card is turned.
    void requestsBeyondThePack()
    {
        ZB_DeckBelote deck;
        ZB_MiseBelote mise(deck);
        mise.setPileA(pileDescendante().mid(0, 12));
        mise.setPileB(pileMontante().mid(0, 8));
        GM_KnuthRandom rng = generateur(QStringLiteral("{0!2!0!}"));
        EnsembleDeCartes toutes;
        for (int j = 0; j < 4; ++j) {
            EnsembleDeCartes main;
            mise.distribue(main, rng, 8, j, true);
            QCOMPARE(main.getNombreDeCartes(), 8u);
            QCOMPARE(main.getMasque() & toutes.getMasque(), quint64(0));
            ajoute(toutes, main);
        }
        QCOMPARE(mise.getPaquet().size(), 20);
        QCOMPARE(toutes, deck.getCartes());
        QVERIFY(mise.getCartesRestantes().estVide());

        EnsembleDeCartes encore;
        mise.distribue(encore, rng, 8, 0, true);
        QVERIFY(encore.estVide());
        mise.distribue(encore, rng, 8, 0, false);
        QVERIFY(encore.estVide());
        QVERIFY(mise.getCarteRetournee(rng, true) == nullptr);
        QVERIFY(mise.getCarteRetournee(rng, false) == nullptr);
    }

    // A table that drops the cut for one hand: the random hand must not take
    // cards that the pack hands out later.
    void cutAndRandomHandsNeverShareACard()
    {
        ZB_DeckBelote deck;
        for (quint32 graine = 0; graine < 50; ++graine) {
            ZB_MiseBelote mise(deck);
            mise.setPileA(pileMontante());
            mise.setPileB(pileDescendante());
            GM_KnuthRandom rng(true);
            rng.initialise(graine);
            EnsembleDeCartes toutes;
            for (int j = 0; j < 4; ++j) {
                EnsembleDeCartes main;
                mise.distribue(main, rng, 8, j, j != 1);
                QCOMPARE(main.getNombreDeCartes(), 8u);
                QCOMPARE(main.getMasque() & toutes.getMasque(), quint64(0));
                ajoute(toutes, main);
            }
            QCOMPARE(toutes.getNombreDeCartes(), 32u);
        }
    }

    void beloteFirstPlayerAndTurnedCardAreKept()
    {
        ZB_DeckBelote deck;
        ZB_MiseBelote mise(deck);
        GM_KnuthRandom rng = generateur(QStringLiteral("{0!8!0!}"));
        const int premier = mise.getJoueurQuiCommence(rng, 4);
        QVERIFY(premier >= 0 && premier < 4);
        QCOMPARE(rng.getPosition(), 1);
        QCOMPARE(mise.getJoueurQuiCommence(rng, 4), premier);
        QCOMPARE(rng.getPosition(), 1);

        Carte* retournee = mise.getCarteRetournee(rng, false);
        QVERIFY(retournee != nullptr);
        QVERIFY(!mise.getCartesRestantes().contientCarte(retournee));
        QCOMPARE(mise.getCartesRestantes().getNombreDeCartes(), 31u);
        QCOMPARE(mise.getCarteRetournee(rng, false), retournee);
        QCOMPARE(rng.getPosition(), 2);

        // No players to draw from: nothing is drawn and nothing is kept.
        ZB_MiseBelote vide(deck);
        QCOMPARE(vide.getJoueurQuiCommence(rng, 0), -10);
        QCOMPARE(rng.getPosition(), 2);
        const int tire = vide.getJoueurQuiCommence(rng, 4);
        QVERIFY(tire >= 0 && tire < 4);
        QCOMPARE(rng.getPosition(), 3);
    }
};

ZB_REGISTER_TEST(TestDealing)
#include "TestDealing.moc"
