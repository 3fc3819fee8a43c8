#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_CompteBits.h"
#include "NomsDeCouleurs.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <random>

namespace {

int totalPoints(const ZB_DeckA& deck, int trump, int mode)
{
    int total = 0;
    for (Carte* c : deck.getCartes())
        total += c->getPoints(trump, mode);
    return total;
}

// Ranks of one suit from strongest to weakest under the given trump.
QList<int> orderFromTop(const ZB_DeckA& deck, int suit, int trump, int belote)
{
    QList<Carte*> cards;
    for (Carte* c : deck.getCartes())
        if (c->getCouleur() == suit)
            cards << c;
    std::sort(cards.begin(), cards.end(),
              [&](Carte* a, Carte* b) { return a->getForce(trump, belote) > b->getForce(trump, belote); });
    QList<int> ranks;
    for (Carte* c : cards)
        ranks << c->getValeur();
    return ranks;
}

} // namespace

class TestCards : public QObject
{
    Q_OBJECT

private slots:
    void indexAndText()
    {
        ZB_DeckJass jass;
        ZB_DeckBelote belote;
        QCOMPARE(jass.getCarte(2, 7)->getIndex(), 10);
        QCOMPARE(belote.getCarte(2, 7)->getIndex(), 10);
        QCOMPARE(jass.getCarte(1, 6)->getIndex(), 0);
        QCOMPARE(jass.getCarte(4, 14)->getIndex(), 35);
        QCOMPARE(jass.getCarte(1, 14)->toString(), QStringLiteral("1_14"));
        QCOMPARE(belote.getCarte(2, 7)->toString(), QStringLiteral("2_7"));
        QVERIFY(belote.getCarte(3, 6) == nullptr);
        QVERIFY(jass.getCarte(0, 6) == nullptr);
        QVERIFY(jass.getCarte(1, 15) == nullptr);
        for (Carte* c : jass.getCartes())
            QCOMPARE(c, jass.getCarteParIndex(Carte::indexDe(c->getCouleur(), c->getValeur())));
    }

    void decks()
    {
        ZB_DeckJass jass;
        ZB_DeckBelote belote;
        QCOMPARE(jass.getNombreDeCartes(), 36);
        QCOMPARE(belote.getNombreDeCartes(), 32);
        QCOMPARE(jass.getCartes().premier(), 0);
        QCOMPARE(belote.getCartes().premier(), 1);
        QCOMPARE(belote.getCartes().getPremierIndex(), 1u);
        int count = 0;
        for (Carte* c : belote.getCartes()) {
            QVERIFY(c->getValeur() >= 7);
            ++count;
        }
        QCOMPARE(count, 32);
    }

    void cardSetInsertRemoveIterate()
    {
        ZB_DeckJass deck;
        EnsembleDeCartes set;
        QCOMPARE(set.getNombreDeCartes(), 0u);
        QCOMPARE(set.premier(), 36);

        Carte* c5 = deck.getCarteParIndex(5);
        Carte* c9 = deck.getCarteParIndex(9);
        Carte* c2 = deck.getCarteParIndex(2);
        set.ajouteCarte(c9);
        QCOMPARE(set.getPremierIndex(), 9u);
        set.ajouteCarte(c5);
        set.ajouteCarte(c2);
        set.ajouteCarte(c5); // already present: nothing changes
        QCOMPARE(set.getNombreDeCartes(), 3u);
        QCOMPARE(set.getPremierIndex(), 2u);

        QList<int> seen;
        for (Carte* c : set)
            seen << c->getIndex();
        QCOMPARE(seen, (QList<int>{2, 5, 9}));

        set.retireCarte(c2);
        QCOMPARE(set.getPremierIndex(), 5u);
        set.retireCarte(c2); // absent: the count must not drift
        QCOMPARE(set.getNombreDeCartes(), 2u);
        set.retireCarte(c9);
        set.retireCarte(c5);
        QCOMPARE(set.getNombreDeCartes(), 0u);
        QCOMPARE(set.getPremierIndex(), 36u);
        QVERIFY(set.begin() == set.end());

        // After emptying, the next card becomes the first again.
        set.ajouteCarte(c9);
        QCOMPARE(set.getPremierIndex(), 9u);
        QVERIFY(set.contientCarte(c9));
        QVERIFY(!set.contientCarte(c5));

        EnsembleDeCartes copy = set;
        copy.ajouteCarte(c2);
        QVERIFY(!set.contientCarte(c2));
        QVERIFY(copy != set);

        // Emptied, a set is a fresh one again, slot by slot.
        copy.vide();
        QVERIFY(copy == EnsembleDeCartes());
        QCOMPARE(copy.getPremierIndex(), 0u);
        for (int i = 0; i < EnsembleDeCartes::TAILLE; ++i)
            QVERIFY(copy.getCarte(i) == nullptr);
    }

    // A dealer moves a whole hand at once: the two sets end as a card by
    // card move leaves them, first index and count included.
    void movingAHandMatchesCardByCard()
    {
        ZB_DeckJass deck;
        std::mt19937_64 rng(11);
        for (int essai = 0; essai < 500; ++essai) {
            EnsembleDeCartes source;
            EnsembleDeCartes destination;
            const quint64 dansSource = essai == 0 ? 0 : rng();
            const quint64 dansDestination = rng() & rng() & ~dansSource;
            for (int i = 0; i < EnsembleDeCartes::TAILLE; ++i) {
                if ((dansSource >> i) & 1)
                    source.ajouteCarte(deck.getCarteParIndex(i));
                if ((dansDestination >> i) & 1)
                    destination.ajouteCarte(deck.getCarteParIndex(i));
            }
            // Some cards leave first, so that the first index may be stale.
            if (essai % 4 == 1)
                source.retireCarte(source.getCarte(source.premier()));
            const quint64 masque = essai % 5 == 0 ? ~quint64(0) : rng();
            EnsembleDeCartes sourceAttendue = source;
            EnsembleDeCartes destinationAttendue = destination;
            for (int i = 0; i < EnsembleDeCartes::TAILLE; ++i) {
                Carte* c = sourceAttendue.getCarte(i);
                if (c != nullptr && ((masque >> i) & 1) && !destinationAttendue.contientIndex(i)) {
                    sourceAttendue.retireCarte(c);
                    destinationAttendue.ajouteCarte(c);
                }
            }
            source.deplaceVers(masque, destination);
            for (const auto& [obtenu, attendu] : {std::make_pair(&source, &sourceAttendue),
                                                  std::make_pair(&destination, &destinationAttendue)}) {
                QVERIFY(*obtenu == *attendu);
                QCOMPARE(obtenu->getNombreDeCartes(), attendu->getNombreDeCartes());
                QCOMPARE(obtenu->getPremierIndex(), attendu->getPremierIndex());
                QCOMPARE(obtenu->premier(), attendu->premier());
            }
        }
    }

    // The search's bit helpers against their plain definitions, on full,
    // deck-sized and sparse masks, in every set of operations this
    // processor runs.
    void bitHelpers()
    {
        const GM_CompteBits::Jeu jeu = GM_CompteBits::jeuProcesseur();
        Q_UNUSED(jeu);
        std::mt19937_64 rng(7);
        for (int essai = 0; essai < 3000; ++essai) {
            quint64 m = rng();
            if (essai % 3 == 1)
                m &= (quint64(1) << EnsembleDeCartes::TAILLE) - 1;
            else if (essai % 3 == 2)
                m &= rng() & rng();
            if (essai == 0)
                m = ~quint64(0);
            const int n = __builtin_popcountll(m);
            QCOMPARE(GM_CompteBits::Portable::compte(m), n);
#if GM_AVEC_DISPATCH_BITS
            if (jeu >= GM_CompteBits::JeuPopcnt)
                QCOMPARE(GM_CompteBits::Popcnt::compte(m), n);
            if (jeu >= GM_CompteBits::JeuBmi2)
                QCOMPARE(GM_CompteBits::Bmi2::compte(m), n);
#endif
            quint64 reste = m;
            for (int k = 0; k < n; ++k) {
                const int attendu = __builtin_ctzll(reste);
                bool juste = GM_CompteBits::Portable::kiemeBit(m, k) == attendu;
#if GM_AVEC_DISPATCH_BITS
                if (jeu >= GM_CompteBits::JeuBmi2)
                    juste = juste && GM_CompteBits::Bmi2::kiemeBit(m, k) == attendu;
#endif
                if (!juste)
                    QFAIL(qPrintable(QStringLiteral("bit %1 of %2").arg(k).arg(m, 0, 16)));
                reste &= reste - 1;
            }
        }
    }

    // The totals catch a typo in any row of the point table.
    void deckPointTotals_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("trump");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("total");
        for (int suit = 1; suit <= 4; ++suit) {
            QTest::addRow("jass suit %d", suit) << false << suit << suit << 152;
            QTest::addRow("belote suit %d", suit) << true << suit << suit << 152;
        }
        const struct { int mode; int jass; int belote; } modes[] = {
            {5, 152, 152}, {6, 152, 108}, {9, 152, 152}, {10, 152, 152}, {11, 248, 248}};
        for (const auto& m : modes) {
            QTest::addRow("jass mode %d", m.mode) << false << m.mode << m.mode << m.jass;
            QTest::addRow("belote mode %d", m.mode) << true << m.mode << m.mode << m.belote;
        }
        // Zig-zag deals keep the values of their starting direction whatever
        // the trick's direction.
        for (int trick : {5, 6}) {
            QTest::addRow("jass zigzag bottom trick %d", trick) << false << trick << 7 << 152;
            QTest::addRow("belote zigzag bottom trick %d", trick) << true << trick << 7 << 108;
            QTest::addRow("belote zigzag top trick %d", trick) << true << trick << 8 << 152;
        }
    }
    void deckPointTotals()
    {
        QFETCH(bool, belote);
        QFETCH(int, trump);
        QFETCH(int, mode);
        QFETCH(int, total);
        ZB_DeckJass jass;
        ZB_DeckBelote bel;
        QCOMPARE(totalPoints(belote ? static_cast<ZB_DeckA&>(bel) : jass, trump, mode), total);
    }

    void pointsOfSingleCards()
    {
        ZB_DeckJass d;
        QCOMPARE(d.getCarte(3, 6)->getPoints(6, 6), 11);   // Bas en Haut: the six is worth 11
        QCOMPARE(d.getCarte(3, 14)->getPoints(6, 6), 0);   // ... the ace nothing
        QCOMPARE(d.getCarte(3, 14)->getPoints(10, 10), 19); // Sans atout ace
        QCOMPARE(d.getCarte(3, 8)->getPoints(10, 10), 0);
        QCOMPARE(d.getCarte(3, 8)->getPoints(5, 5), 8);    // Haut en Bas eight
        QCOMPARE(d.getCarte(2, 11)->getPoints(2, 2), 20);  // trump jack
        QCOMPARE(d.getCarte(2, 9)->getPoints(2, 2), 14);   // trump nine
        QCOMPARE(d.getCarte(1, 11)->getPoints(2, 2), 2);   // plain jack
        QCOMPARE(d.getCarte(1, 6)->getPoints(5, 7), 11);   // zig-zag from the bottom on a top-down trick
    }

    void strengthOrders_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("trump");
        QTest::addColumn<int>("suit");
        QTest::addColumn<QList<int>>("fromTop");
        const QList<int> natural{14, 13, 12, 11, 10, 9, 8, 7, 6};
        const QList<int> reversed{6, 7, 8, 9, 10, 11, 12, 13, 14};
        QTest::newRow("jass trump suit") << false << 1 << 1 << QList<int>{11, 9, 14, 13, 12, 10, 8, 7, 6};
        QTest::newRow("jass plain suit") << false << 1 << 2 << natural;
        QTest::newRow("jass haut en bas") << false << 5 << 3 << natural;
        QTest::newRow("jass bas en haut") << false << 6 << 3 << reversed;
        QTest::newRow("jass zigzag bottom trick") << false << 7 << 3 << reversed;
        QTest::newRow("jass tout atout") << false << 9 << 4 << natural;
        QTest::newRow("jass sans atout") << false << 10 << 4 << natural;
        QTest::newRow("jass inverse") << false << 11 << 4 << natural;
        QTest::newRow("belote trump suit") << true << 2 << 2 << QList<int>{11, 9, 14, 10, 13, 12, 8, 7};
        QTest::newRow("belote plain suit") << true << 2 << 1 << QList<int>{14, 10, 13, 12, 11, 9, 8, 7};
        QTest::newRow("belote tout atout") << true << 9 << 3 << QList<int>{11, 9, 14, 10, 13, 12, 8, 7};
        QTest::newRow("belote sans atout") << true << 10 << 3 << QList<int>{14, 10, 13, 12, 11, 9, 8, 7};
        QTest::newRow("belote bas en haut") << true << 6 << 3 << QList<int>{7, 8, 9, 11, 12, 13, 10, 14};
    }
    void strengthOrders()
    {
        QFETCH(bool, belote);
        QFETCH(int, trump);
        QFETCH(int, suit);
        QFETCH(QList<int>, fromTop);
        ZB_DeckJass jass;
        ZB_DeckBelote bel;
        const ZB_DeckA& deck = belote ? static_cast<const ZB_DeckA&>(bel) : jass;
        QCOMPARE(orderFromTop(deck, suit, trump, belote ? 1 : 0), fromTop);
    }

    void trumpWeights()
    {
        ZB_DeckJass d;
        const auto weight = [&](const QList<QPair<int, int>>& hand, int mode) {
            int w = 0;
            for (const auto& c : hand)
                w += d.getCarte(c.first, c.second)->getPoidsPourAtout(mode);
            return w;
        };
        const QList<QPair<int, int>> hand{{1, 11}, {1, 9}, {1, 6}, {2, 14}, {2, 13}, {3, 6}, {3, 7}, {4, 10}, {4, 14}};
        QCOMPARE(weight(hand, 1), 4 + 2 + 1);
        QCOMPARE(weight(hand, 2), 2);
        QCOMPARE(weight(hand, 5), 3 + 1 + 3);
        QCOMPARE(weight(hand, 6), 3 + 3 + 1);
        QCOMPARE(weight(hand, 7), 3 + 2 + 1 + 3 + 1 + 2);
        QCOMPARE(weight(hand, 8), 2 + 3 + 1 + 2 + 1 + 3);
        QCOMPARE(weight(hand, 9), 4 + 2 + 7);
        QCOMPARE(weight(hand, 10), 4 + 4 + 2 + 6);
        QCOMPARE(weight(hand, 11), 5 + 4 + 7);
        QCOMPARE(weight(hand, 0), 0);
        QCOMPARE(weight(hand, 12), 0);
    }

    void names()
    {
        QCOMPARE(getNomValeur(10, 0), QStringLiteral("Le Dix"));
        QCOMPARE(getNomValeur(10, 1), QStringLiteral("Le Drapeau"));
        QCOMPARE(getNomValeur(10, 3), QStringLiteral("Le Sept"));
        QCOMPARE(getNomValeur(12, 1), QStringLiteral("L'Oberst"));
        QCOMPARE(getNomValeur(11, 3), QStringLiteral("Le Sota"));
        QCOMPARE(getNomValeur(6, 3), QStringLiteral("Le Trois"));
        QCOMPARE(getNomValeur(14, 3), QStringLiteral("L'As"));
        QCOMPARE(getNomValeur(12, 7), QStringLiteral("La Dame"));
        QCOMPARE(getNomValeur(5, 0), QStringLiteral("ERREUR: Status invalide"));

        QCOMPARE(getNomCouleur(2, 3), QStringLiteral("Coupe"));
        QCOMPARE(getNomCouleur(1, 0), QStringLiteral("Trèfle"));
        QCOMPARE(getNomCouleur(4, 4), QStringLiteral("Coeur"));
        QCOMPARE(getNomCouleur(3, 1), QStringLiteral("Cloche"));
        QCOMPARE(getNomCouleur(5, 0), QString());
        QCOMPARE(getNomCouleur(1, 7), QString());

        QCOMPARE(getNomAtout(3, 2), QStringLiteral("Pique"));
        QCOMPARE(getNomAtout(7, 0), QStringLiteral("ZigZag Depart en Bas"));
        QCOMPARE(getNomAtout(0, 0), QStringLiteral("ERREUR: Status invalide"));
        QCOMPARE(getNomAtoutLong(4, 1), QStringLiteral("Gland"));
        QCOMPARE(getNomAtoutLong(8, 0), QStringLiteral("Zig-zag avec départ en haut"));
        QCOMPARE(getNomAtoutLong(12, 0), QStringLiteral("ERREUR: Status invalide"));
    }
};

ZB_REGISTER_TEST(TestCards)
#include "TestCards.moc"
