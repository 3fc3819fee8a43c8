#include "Annonce.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_Exception.h"
#include "StatusAtout.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <random>

// Lets QCOMPARE print announcements; found by argument-dependent lookup.
char* toString(const Annonce& a)
{
    return QTest::toString(QStringLiteral("{%1 suit %2 rank %3: %4}").arg(a.type_).arg(a.couleur_).arg(a.valeur_).arg(a.points_));
}

namespace {

const QString kErreur = QStringLiteral("Chaine incompatible, invalide ou corrompue.");

// A hand written as card texts ("suit_rank"), space separated.
EnsembleDeCartes mainDe(const ZB_DeckA& deck, const QString& cartes)
{
    EnsembleDeCartes hand;
    for (const QString& c : cartes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = c.split(QLatin1Char('_'));
        Carte* carte = parts.size() == 2 ? deck.getCarte(parts[0].toInt(), parts[1].toInt()) : nullptr;
        if (carte == nullptr)
            qFatal("bad card %s in a test hand", qPrintable(c));
        hand.ajouteCarte(carte);
    }
    return hand;
}

// The three announcements, the missing ones being none.
QList<Annonce> attendues(QList<Annonce> annonces)
{
    while (annonces.size() < AnnoncesJoueur::NOMBRE)
        annonces << Annonce();
    return annonces;
}

QList<Annonce> liste(const AnnoncesJoueur& a)
{
    return QList<Annonce>(a.annonces_.begin(), a.annonces_.end());
}

// Short constructors for the data tables: kind, suit, rank, points.
Annonce A(int type, int couleur, int valeur, int points)
{
    return Annonce(type, couleur, valeur, points);
}

} // namespace

class TestAnnouncements : public QObject
{
    Q_OBJECT

private slots:
    void detection_data()
    {
        QTest::addColumn<QString>("hand");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<Annonce>>("expected");

        QTest::newRow("nothing") << "1_6 1_8 1_10 2_7 2_9 3_11 3_13 4_6 4_14" << 1 << QList<Annonce>{};
        QTest::newRow("too few cards") << "1_6 1_7" << 1 << QList<Annonce>{};
        QTest::newRow("three cards") << "2_12 2_13 2_14" << 1 << QList<Annonce>{A(1, 2, 14, 20)};
        QTest::newRow("four cards") << "3_6 3_7 3_8 3_9 1_14" << 1 << QList<Annonce>{A(2, 3, 9, 50)};
        QTest::newRow("five cards, nothing else") << "1_6 1_7 1_8 1_9 1_10" << 1 << QList<Annonce>{A(3, 1, 10, 100)};
        // A long run counts as five cards: the five top ones are taken and
        // the rest may still form a run of its own.
        QTest::newRow("nine cards") << "2_6 2_7 2_8 2_9 2_10 2_11 2_12 2_13 2_14" << 1
                                    << QList<Annonce>{A(3, 2, 14, 100), A(2, 2, 9, 50)};
        QTest::newRow("seven cards") << "4_6 4_7 4_8 4_9 4_10 4_11 4_12 1_6 2_6" << 1
                                     << QList<Annonce>{A(3, 4, 12, 100)};
        // Runs stop at the end of a suit: the ace and the next suit's six
        // are not consecutive.
        QTest::newRow("no run across suits") << "1_13 1_14 2_6 2_7 3_9 3_11 4_6 4_8 4_10" << 1 << QList<Annonce>{};
        QTest::newRow("run at the very end") << "1_6 2_8 3_10 4_12 4_13 4_14" << 1 << QList<Annonce>{A(1, 4, 14, 20)};
        QTest::newRow("best first") << "1_6 1_7 1_8 3_9 3_10 3_11 3_12 4_6 4_8" << 1
                                    << QList<Annonce>{A(2, 3, 12, 50), A(1, 1, 8, 20)};
        QTest::newRow("three announcements") << "1_6 1_7 1_8 2_6 2_7 2_8 3_6 3_7 3_8" << 1
                                             << QList<Annonce>{A(1, 1, 8, 20), A(1, 2, 8, 20), A(1, 3, 8, 20)};
        QTest::newRow("higher rank first") << "1_6 1_7 1_8 2_12 2_13 2_14" << 1
                                           << QList<Annonce>{A(1, 2, 14, 20), A(1, 1, 8, 20)};
        QTest::newRow("bas en haut: lower rank first") << "1_6 1_7 1_8 2_12 2_13 2_14" << 6
                                                       << QList<Annonce>{A(1, 1, 8, 20), A(1, 2, 14, 20)};
        // Same points, count and rank: the earlier suit stays first.
        QTest::newRow("exact tie keeps the first") << "3_7 3_8 3_9 1_7 1_8 1_9" << 1
                                                   << QList<Annonce>{A(1, 1, 9, 20), A(1, 3, 9, 20)};
        QTest::newRow("exact tie in bas en haut") << "3_7 3_8 3_9 1_7 1_8 1_9" << 6
                                                  << QList<Annonce>{A(1, 1, 9, 20), A(1, 3, 9, 20)};
        // At 100 points the five-card run outranks the four cards.
        QTest::newRow("count before kind") << "1_6 1_7 1_8 1_9 1_10 1_12 2_12 3_12 4_12" << 1
                                           << QList<Annonce>{A(3, 1, 10, 100), A(4, 4, 12, 100)};
        QTest::newRow("four of a kind beats a run") << "1_11 2_11 3_11 4_11 2_12 2_13 3_6 3_7 3_8" << 1
                                                    << QList<Annonce>{A(4, 4, 11, 200), A(1, 3, 8, 20)};
        QTest::newRow("four nines with a suit trump") << "1_9 2_9 3_9 4_9 1_6" << 3 << QList<Annonce>{A(4, 4, 9, 150)};
        QTest::newRow("four nines in sans atout") << "1_9 2_9 3_9 4_9 1_6" << 10 << QList<Annonce>{A(4, 4, 9, 100)};
        QTest::newRow("four sixes with a suit trump") << "1_6 2_6 3_6 4_6" << 1 << QList<Annonce>{};
        QTest::newRow("four sixes in haut en bas") << "1_6 2_6 3_6 4_6" << 5 << QList<Annonce>{A(4, 4, 6, 100)};
        QTest::newRow("two fours") << "1_14 2_14 3_14 4_14 1_11 2_11 3_11 4_11 2_6" << 10
                                   << QList<Annonce>{A(4, 4, 14, 200), A(4, 4, 11, 100)};
        // The run is closed (by the 1_11) before the fourth nine is reached,
        // so it leaves the candidates; the nines take the seven and eight
        // nothing to form a run with.
        QTest::newRow("run dropped for the four nines") << "1_7 1_8 1_9 1_11 2_9 3_9 4_9 2_6 3_13" << 1
                                                        << QList<Annonce>{A(4, 4, 9, 150)};
        // The four jacks go first; the queen and king left over are no run.
        QTest::newRow("four jacks take the run's jack") << "1_11 2_11 3_11 4_11 2_12 2_13 1_6 3_8 4_14" << 1
                                                        << QList<Annonce>{A(4, 4, 11, 200)};
        // Without the drop, the five-card run (more cards) would win.
        QTest::newRow("drop decides against a longer run") << "1_10 1_11 1_12 1_13 1_14 2_12 3_12 4_12 2_6" << 1
                                                           << QList<Annonce>{A(4, 4, 12, 100)};
        // Only the first run holding the rank is dropped: the second one wins
        // the first round; once it has taken a queen there is no four left
        // and the first run comes back.
        QTest::newRow("only the first holder is dropped")
            << "1_10 1_11 1_12 1_13 1_14 2_10 2_11 2_12 2_13 2_14 3_12 4_12" << 1
            << QList<Annonce>{A(3, 2, 14, 100), A(3, 1, 14, 100)};
        // A run becomes a candidate when a later card closes it; the fourth
        // queen itself closes this one, so it is found after the four and is
        // not dropped.
        QTest::newRow("run closed by the fourth card stays") << "3_10 3_11 3_12 3_13 3_14 1_12 2_12 4_12" << 1
                                                             << QList<Annonce>{A(3, 3, 14, 100)};
        // A four of a kind that is worth nothing in the mode drops nothing.
        QTest::newRow("worthless four drops nothing") << "1_6 1_7 1_8 2_8 3_8 4_8 2_13" << 1
                                                      << QList<Annonce>{A(1, 1, 8, 20)};
        QTest::newRow("worth four drops the run") << "1_6 1_7 1_8 2_8 3_8 4_8 2_13" << 7
                                                  << QList<Annonce>{A(4, 4, 8, 100)};
    }
    void detection()
    {
        QFETCH(QString, hand);
        QFETCH(int, mode);
        QFETCH(QList<Annonce>, expected);
        ZB_DeckJass deck;
        const EnsembleDeCartes cartes = mainDe(deck, hand);
        const AnnoncesJoueur annonces(cartes, mode);
        QCOMPARE(liste(annonces), attendues(expected));
        QCOMPARE(annonces.actif_, 1);
        int total = 0;
        for (const Annonce& a : expected)
            total += a.points_;
        QCOMPARE(annonces.getTotalPoints(), total);
    }

    // The Belote deck has no sixes but the same card numbering.
    void detectionInBeloteDeck()
    {
        ZB_DeckBelote deck;
        const AnnoncesJoueur annonces(mainDe(deck, "1_7 1_8 1_9 2_11 3_11 4_11 1_11 3_14"), 9);
        QCOMPARE(liste(annonces), attendues({A(4, 4, 11, 200), A(1, 1, 9, 20)}));
    }

    void fourOfAKindValues_data()
    {
        QTest::addColumn<int>("rank");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("points");
        // Per rank 6 to ace: no-trump modes 5 to 8, Sans atout, any other mode.
        const int sansCouleur[] = {100, 100, 100, 150, 100, 200, 100, 100, 100};
        const int sansAtout[] = {0, 0, 0, 100, 150, 100, 100, 100, 200};
        const int autres[] = {0, 0, 0, 150, 100, 200, 100, 100, 100};
        for (int rank = 6; rank <= 14; ++rank) {
            for (int mode = 1; mode <= 11; ++mode) {
                const int points = (mode >= 5 && mode <= 8) ? sansCouleur[rank - 6]
                                 : mode == 10                ? sansAtout[rank - 6]
                                                             : autres[rank - 6];
                QTest::addRow("rank %d mode %d", rank, mode) << rank << mode << points;
            }
        }
    }
    void fourOfAKindValues()
    {
        QFETCH(int, rank);
        QFETCH(int, mode);
        QFETCH(int, points);
        ZB_DeckJass deck;
        const QString hand = QStringLiteral("1_%1 2_%1 3_%1 4_%1").arg(rank);
        const AnnoncesJoueur annonces(mainDe(deck, hand), mode);
        QCOMPARE(annonces.annonces_[0], points ? A(4, 4, rank, points) : Annonce());
        QCOMPARE(Annonce::valeurCarre(rank, mode), points);
    }

    void comparison_data()
    {
        QTest::addColumn<Annonce>("a");
        QTest::addColumn<Annonce>("b");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("trumpSuit");
        QTest::addColumn<int>("aBeatsB");
        QTest::addColumn<int>("bBeatsA");
        QTest::newRow("more points") << A(4, 4, 11, 200) << A(3, 1, 14, 100) << 1 << 1 << 1 << 0;
        QTest::newRow("points before rank") << A(2, 1, 9, 50) << A(1, 2, 14, 20) << 1 << 2 << 1 << 0;
        QTest::newRow("more cards at equal points") << A(3, 1, 10, 100) << A(4, 4, 14, 100) << 1 << 4 << 1 << 0;
        QTest::newRow("higher rank") << A(1, 1, 9, 20) << A(1, 2, 8, 20) << 1 << 2 << 1 << 0;
        QTest::newRow("bas en haut: lower rank") << A(1, 1, 8, 20) << A(1, 2, 14, 20) << 6 << 0 << 1 << 0;
        QTest::newRow("haut en bas: higher rank") << A(1, 1, 8, 20) << A(1, 2, 14, 20) << 5 << 0 << 0 << 1;
        QTest::newRow("bas en haut: points still first") << A(2, 1, 14, 50) << A(1, 2, 8, 20) << 6 << 0 << 1 << 0;
        QTest::newRow("trump suit breaks the tie") << A(1, 2, 9, 20) << A(1, 3, 9, 20) << 2 << 2 << 1 << 0;
        QTest::newRow("plain tie") << A(1, 2, 9, 20) << A(1, 3, 9, 20) << 1 << 1 << 0 << 0;
        QTest::newRow("plain tie in tout atout") << A(2, 1, 12, 50) << A(2, 4, 12, 50) << 9 << 0 << 0 << 0;
        QTest::newRow("same announcement") << A(1, 2, 9, 20) << A(1, 2, 9, 20) << 2 << 2 << 0 << 0;
        QTest::newRow("anything beats none") << A(1, 1, 8, 20) << Annonce() << 1 << 1 << 1 << 0;
        QTest::newRow("none against none") << Annonce() << Annonce() << 1 << 1 << 0 << 0;
    }
    void comparison()
    {
        QFETCH(Annonce, a);
        QFETCH(Annonce, b);
        QFETCH(int, mode);
        QFETCH(int, trumpSuit);
        QFETCH(int, aBeatsB);
        QFETCH(int, bBeatsA);
        QCOMPARE(compareAnnonces(a, mode, trumpSuit, b), aBeatsB);
        QCOMPARE(compareAnnonces(b, mode, trumpSuit, a), bBeatsA);
    }

    void cardsOfAnnouncements()
    {
        ZB_DeckJass deck;
        AnnoncesJoueur annonces;
        annonces.annonces_ = {A(4, 4, 12, 100), A(1, 2, 9, 20), A(3, 1, 12, 100)};
        // A run of seven counts five cards: 1_6 and 1_7 are not shown.
        const QString covered = "1_12 2_12 3_12 4_12 2_7 2_8 2_9 1_8 1_9 1_10 1_11";
        const EnsembleDeCartes expected = mainDe(deck, covered);
        for (Carte* c : deck.getCartes())
            QVERIFY2(annonces.contientCarte(c) == expected.contientCarte(c), qPrintable(c->toString()));
        QCOMPARE(annonces.getMasque(), expected.getMasque());
        QVERIFY(!annonces.contientCarte(nullptr));
        QVERIFY(!AnnoncesJoueur().contientCarte(deck.getCarte(1, 6)));
    }

    // The fields are public; whatever they hold, no card outside the deck is
    // named and nothing reaches outside the 36 slots.
    void invalidAnnouncementCoversNothing_data()
    {
        QTest::addColumn<Annonce>("a");
        QTest::newRow("run below the six") << A(1, 1, 7, 20);
        QTest::newRow("five below the six") << A(3, 2, 9, 100);
        QTest::newRow("rank above the ace") << A(1, 1, 16, 20);
        QTest::newRow("rank far out") << A(2, 3, -40000, 50);
        QTest::newRow("suit 0") << A(1, 0, 9, 20);
        QTest::newRow("suit 5") << A(1, 5, 9, 20);
        QTest::newRow("four of rank 5") << A(4, 4, 5, 100);
        QTest::newRow("four of rank 15") << A(4, 4, 15, 100);
        QTest::newRow("unknown kind") << A(7, 1, 12, 100);
        QTest::newRow("negative kind") << A(-1, 1, 12, 100);
    }
    void invalidAnnouncementCoversNothing()
    {
        QFETCH(Annonce, a);
        ZB_DeckJass deck;
        AnnoncesJoueur annonces;
        annonces.annonces_[1] = a;
        QVERIFY(!a.estValide());
        QCOMPARE(a.getMasque(), quint64(0));
        for (Carte* c : deck.getCartes())
            QVERIFY(!annonces.contientCarte(c));
    }

    void names_data()
    {
        QTest::addColumn<Annonce>("a");
        QTest::addColumn<QString>("name");
        QTest::newRow("none") << Annonce() << "Pas d'annonce";
        QTest::newRow("three cards") << A(1, 1, 8, 20) << "Trois cartes";
        QTest::newRow("four cards") << A(2, 1, 9, 50) << "50";
        QTest::newRow("five cards") << A(3, 1, 10, 100) << "100";
        QTest::newRow("four nines") << A(4, 4, 9, 150) << "150";
        QTest::newRow("four jacks") << A(4, 4, 11, 200) << "200";
        QTest::newRow("unknown kind") << A(5, 1, 10, 100) << "";
        QTest::newRow("negative kind") << A(-1, 1, 10, 100) << "";
    }
    void names()
    {
        QFETCH(Annonce, a);
        QFETCH(QString, name);
        QCOMPARE(a.getNom(), name);
    }

    void textForms()
    {
        QCOMPARE(Annonce().sauveValeursDansString(), QStringLiteral("{0!1!6!0!}"));
        QCOMPARE(AnnoncesJoueur().sauveValeursDansString(), QStringLiteral("{{0!1!6!0!}!{0!1!6!0!}!{0!1!6!0!}!}"));

        const QString text = QStringLiteral("{{4!4!11!200!}!{3!1!14!100!}!{1!2!8!20!}!}");
        const AnnoncesJoueur read(text);
        QCOMPARE(liste(read), attendues({A(4, 4, 11, 200), A(3, 1, 14, 100), A(1, 2, 8, 20)}));
        QCOMPARE(read.sauveValeursDansString(), text);
        QCOMPARE(read.getTotalPoints(), 320);

        // The flag is not part of the text: reading leaves it alone.
        AnnoncesJoueur kept;
        kept.actif_ = 0;
        QCOMPARE(kept.sauveValeursDansString(), AnnoncesJoueur().sauveValeursDansString());
        kept.chargeValeursDepuisString(text);
        QCOMPARE(kept.actif_, 0);
        QCOMPARE(kept.annonces_, read.annonces_);
        QVERIFY(kept != read);
        kept.actif_ = 1;
        QVERIFY(kept == read);

        // The boundaries of the checks are accepted.
        for (const char* ok : {"{1!1!8!20!}", "{2!4!9!50!}", "{3!1!10!100!}", "{4!4!6!100!}", "{3!4!14!100!}", "{0!4!14!0!}",
                               "{4!1!14!1000!}"}) {
            Annonce a;
            a.chargeValeursDepuisString(QString::fromLatin1(ok));
            QCOMPARE(a.sauveValeursDansString(), QString::fromLatin1(ok));
        }
    }

    void badAnnouncementText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("empty record") << "{}";
        QTest::newRow("truncated") << "{1!1!8!}";
        QTest::newRow("not a number") << "{1!x!8!20!}";
        QTest::newRow("points not a number") << "{1!1!8!vingt!}";
        QTest::newRow("kind 5") << "{5!1!8!20!}";
        QTest::newRow("kind -1") << "{-1!1!8!20!}";
        QTest::newRow("suit 0") << "{1!0!8!20!}";
        QTest::newRow("suit 5") << "{1!5!8!20!}";
        QTest::newRow("rank 5") << "{0!1!5!0!}";
        QTest::newRow("rank 15") << "{4!4!15!100!}";
        QTest::newRow("rank overflow") << "{4!4!99999999999!100!}";
        QTest::newRow("three below the six") << "{1!1!7!20!}";
        QTest::newRow("four below the six") << "{2!1!8!50!}";
        QTest::newRow("five below the six") << "{3!1!9!100!}";
        QTest::newRow("negative points") << "{1!1!8!-20!}";
        QTest::newRow("points too high") << "{1!1!8!1001!}";
        QTest::newRow("nested instead of a field") << "{{1!1!8!20!}!1!8!20!}";
    }
    void badAnnouncementText()
    {
        QFETCH(QString, text);
        Annonce a(1, 3, 12, 20);
        const Annonce before = a;
        try {
            a.chargeValeursDepuisString(text);
            QFAIL("the text was accepted");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), kErreur);
        }
        QCOMPARE(a, before);

        // The same text as one of a player's announcements.
        const QString nested = QStringLiteral("{{1!1!8!20!}!%1!{0!1!6!0!}!}").arg(text);
        AnnoncesJoueur annonces;
        annonces.annonces_[0] = before;
        const AnnoncesJoueur unchanged = annonces;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, annonces.chargeValeursDepuisString(nested));
        QCOMPARE(annonces, unchanged);
    }

    void badPlayerAnnouncementsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("empty record") << "{}";
        QTest::newRow("two announcements") << "{{1!1!8!20!}!{0!1!6!0!}!}";
        QTest::newRow("flat fields") << "{1!1!8!20!}";
        QTest::newRow("unbalanced") << "{{1!1!8!20!}!{0!1!6!0!}!{0!1!6!0!";
        QTest::newRow("lone brace") << "{{!{!{!}";
        QTest::newRow("garbage") << "hello";
        QTest::newRow("run below the six") << "{{0!1!6!0!}!{0!1!6!0!}!{3!2!8!100!}!}";
    }
    void badPlayerAnnouncementsText()
    {
        QFETCH(QString, text);
        try {
            const AnnoncesJoueur a(text);
            QFAIL("the text was accepted");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), kErreur);
        }
    }

    // Whatever the hand and mode: announcements are made of the hand's own
    // cards, never share a card, cover exactly their masks, and survive
    // their text.
    void randomHandsInvariants()
    {
        ZB_DeckJass deck;
        std::mt19937 rng(20240611u);
        int found = 0;
        for (int round = 0; round < 3000; ++round) {
            const int mode = 1 + round % 11;
            EnsembleDeCartes hand;
            const int size = 9 + round % 10; // also larger sets than a hand
            while (static_cast<int>(hand.getNombreDeCartes()) < size)
                hand.ajouteCarte(deck.getCarteParIndex(static_cast<int>(rng() % 36)));

            const AnnoncesJoueur annonces(hand, mode);
            quint64 used = 0;
            bool none = false;
            for (const Annonce& a : annonces.annonces_) {
                QVERIFY(a.estValide());
                if (a.type_ == Annonce::Aucune) {
                    none = true;
                    QCOMPARE(a, Annonce());
                    continue;
                }
                QVERIFY2(!none, "an announcement after a none");
                ++found;
                const quint64 m = a.getMasque();
                QCOMPARE(__builtin_popcountll(m), a.getNombreDeCartes());
                QCOMPARE(m & ~hand.getMasque(), quint64(0));
                QCOMPARE(m & used, quint64(0));
                used |= m;
            }
            QCOMPARE(annonces.getMasque(), used);
            for (Carte* c : deck.getCartes())
                QCOMPARE(annonces.contientCarte(c), ((used >> c->getIndex()) & 1u) != 0);
            QCOMPARE(AnnoncesJoueur(annonces.sauveValeursDansString()), annonces);
            QCOMPARE(AnnoncesJoueur::meilleureAnnonce(hand.getMasque(), mode), annonces.annonces_[0]);
        }
        QVERIFY(found > 1000);
    }
};

ZB_REGISTER_TEST(TestAnnouncements)
#include "TestAnnouncements.moc"
