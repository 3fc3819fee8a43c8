#include "GM_Exception.h"
#include "GM_KnuthRandom.h"
#include "GM_SpacesSeparatedString.h"
#include "ZbTestRegistry.h"

#include <QDateTime>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace {

const QString kErreur = QStringLiteral("Chaine incompatible, invalide ou corrompue.");
constexpr int kMM = static_cast<int>(GM_KnuthRandom::MM);
constexpr int kTaille = GM_KnuthRandom::TAILLE_TAMPON;

// The buffer a generator seeded with graine holds, straight from Knuth's
// routines.
std::vector<quint32> tamponDe(quint32 graine)
{
    GM_KnuthRandom::Etat etat{};
    std::vector<quint32> tampon(kTaille);
    GM_KnuthRandom::ran_start(graine, etat);
    GM_KnuthRandom::ran_array(tampon.data(), kTaille, etat);
    return tampon;
}

// Draws with n = 2^30 return the buffer values themselves.
std::vector<int> tirages(GM_KnuthRandom& rng, int count, int n = kMM)
{
    std::vector<int> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out.push_back(rng.tire(n));
    return out;
}

GM_KnuthRandom depuisTexte(const QString& text)
{
    GM_KnuthRandom rng(true);
    rng.chargeValeursDepuisString(text);
    return rng;
}

} // namespace

class TestRandom : public QObject
{
    Q_OBJECT

private slots:
    // The published check of the 1997 routines; the 2002 revision (with
    // warm-up) would give 995235265 instead.
    void knuthCheckValue_data()
    {
        QTest::addColumn<int>("calls");
        QTest::addColumn<int>("length");
        QTest::newRow("2010 x 1009") << 2010 << 1009;
        QTest::newRow("1010 x 2009") << 1010 << 2009;
    }
    void knuthCheckValue()
    {
        QFETCH(int, calls);
        QFETCH(int, length);
        GM_KnuthRandom::Etat etat{};
        std::vector<quint32> a(length);
        GM_KnuthRandom::ran_start(310952, etat);
        for (int m = 0; m < calls; ++m)
            GM_KnuthRandom::ran_array(a.data(), length, etat);
        QCOMPARE(a[0], 461390032u);
    }

    void constructionAndDrawsFollowTheBuffer()
    {
        GM_KnuthRandom fixe(true, true);
        QCOMPARE(fixe.getGraine(), 0u);
        QCOMPARE(fixe.getPosition(), 0);
        QVERIFY(fixe.estGraineFixe());
        QVERIFY(fixe.getDrapeauA());
        QCOMPARE(fixe.getExtra(), 0);
        const std::vector<quint32> ref0 = tamponDe(0);
        const std::vector<int> tires = tirages(fixe, 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(quint32(tires[i]), ref0[i]);
        QCOMPARE(fixe.getPosition(), 5);

        const quint32 avant = quint32(QDateTime::currentMSecsSinceEpoch());
        GM_KnuthRandom horloge;
        const quint32 apres = quint32(QDateTime::currentMSecsSinceEpoch());
        QVERIFY(horloge.getGraine() - avant <= apres - avant);
        QCOMPARE(quint32(horloge.tire(kMM)), tamponDe(horloge.getGraine())[0]);

        // Modulo of the buffer value, as the saved deals expect.
        GM_KnuthRandom g(true);
        g.initialise(12345);
        const std::vector<quint32> ref = tamponDe(12345);
        for (int n : {1, 2, 4, 9, 32, 36, 1000, kMM}) {
            const int position = g.getPosition();
            QCOMPARE(quint32(g.tire(n)), ref[position] % quint32(n));
        }
    }

    // The remainder of every buffer value for every bound a deal or a
    // play-out uses, one draw at a time or a hand's draws at once: saved
    // deals must draw the same cards however the remainder is computed.
    void smallBoundsAndHandDraws()
    {
        const std::vector<quint32> ref = tamponDe(4242);
        GM_KnuthRandom g(true);
        g.initialise(4242);
        int position = 0;
        for (int tour = 0; tour < 40; ++tour) {
            for (int n = 1; n <= 70; ++n) {
                QCOMPARE(quint32(g.tire(n)), ref[size_t(position)] % quint32(n));
                ++position;
            }
        }
        QCOMPARE(quint32(g.tire(std::numeric_limits<int>::max())),
                 ref[size_t(position)] % quint32(std::numeric_limits<int>::max()));

        GM_KnuthRandom un(true);
        GM_KnuthRandom lot(true);
        for (GM_KnuthRandom* r : {&un, &lot})
            r->initialise(77);
        // 38 draws over 36 cards: the last two have nothing to draw from.
        int valeurs[38];
        lot.tireSuite(36, 38, valeurs);
        for (int i = 0; i < 38; ++i)
            QCOMPARE(valeurs[i], un.tire(36 - i));
        QCOMPARE(lot.getPosition(), 36);
        QCOMPARE(lot.sauveValeursDansString(), un.sauveValeursDansString());

        // A hand whose draws cross the end of the buffer and its refill.
        while (un.getPosition() < kTaille - 4) {
            un.tire(2);
            lot.tire(2);
        }
        lot.tireSuite(9, 9, valeurs);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(valeurs[i], un.tire(9 - i));
        QCOMPARE(lot.getPosition(), 5);
        QCOMPARE(lot.getGraine(), un.getGraine());
    }

    // Nothing to draw from: no division by zero, and the sequence does not move.
    void tireBelowOne()
    {
        GM_KnuthRandom g(true);
        g.initialise(99);
        QCOMPARE(g.tire(0), 0);
        QCOMPARE(g.tire(-7), 0);
        QCOMPARE(g.getPosition(), 0);
        QCOMPARE(quint32(g.tire(kMM)), tamponDe(99)[0]);
    }

    void textReadAndWrite()
    {
        GM_KnuthRandom g = depuisTexte(QStringLiteral("{3!12345!0!}"));
        QCOMPARE(g.getPosition(), 3);
        QCOMPARE(g.getGraine(), 12345u);
        QCOMPARE(g.sauveValeursDansString(), QStringLiteral("{3!12345!0!}"));
        const std::vector<quint32> ref = tamponDe(12345);
        QCOMPARE(quint32(g.tire(kMM)), ref[3]);
        QCOMPARE(g.sauveValeursDansString(), QStringLiteral("{4!12345!0!}"));
        g.setExtra(-42);
        QCOMPARE(g.sauveValeursDansString(), QStringLiteral("{4!12345!-42!}"));
        QCOMPARE(depuisTexte(g.sauveValeursDansString()).getExtra(), -42);
        // The last field may lack its separator, like every record.
        QCOMPARE(depuisTexte(QStringLiteral("{7!5!1}")).getExtra(), 1);
    }

    // Seeds come from the clock and from earlier buffers, so any 32-bit
    // value must survive a save. Seeds are written in the signed form that
    // every record reader (peers too) takes; files written with the unsigned
    // form must still load to the same generator.
    void seedForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("written");
        QTest::newRow("max unsigned") << "{65534!4294967295!0!}" << 4294967295u << "{65534!-1!0!}";
        QTest::newRow("signed -1") << "{65534!-1!0!}" << 4294967295u << "{65534!-1!0!}";
        QTest::newRow("2^31") << "{0!2147483648!0!}" << 2147483648u << "{0!-2147483648!0!}";
        QTest::newRow("signed min") << "{0!-2147483648!0!}" << 2147483648u << "{0!-2147483648!0!}";
        QTest::newRow("2^31 - 1") << "{9!2147483647!0!}" << 2147483647u << "{9!2147483647!0!}";
        QTest::newRow("zero") << "{0!0!0!}" << 0u << "{0!0!0!}";
    }
    void seedForms()
    {
        QFETCH(QString, text);
        QFETCH(quint32, seed);
        QFETCH(QString, written);
        GM_KnuthRandom g = depuisTexte(text);
        QCOMPARE(g.getGraine(), seed);
        QCOMPARE(g.sauveValeursDansString(), written);
        GM_SpacesSeparatedString champs(written);
        for (int i = 0; i < 3; ++i)
            champs.nextInt();
        GM_KnuthRandom direct(true);
        direct.initialise(seed);
        GM_KnuthRandom relu = depuisTexte(written);
        const int position = g.getPosition();
        tirages(direct, position);
        const std::vector<int> suite = tirages(g, 3);
        QCOMPARE(tirages(relu, 3), suite);
        QCOMPARE(tirages(direct, 3), suite);
    }

    void badTextsAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* t : {"", "{", "}", "{}", "{!}", "{0!}", "{0!12!}", "{x!1!0!}", "{0!abc!0!}", "{0!1!z!}",
                              "{-1!1!0!}", "{65535!1!0!}", "{2147483648!1!0!}", "{0!4294967296!0!}",
                              "{0!-2147483649!0!}", "{0!99999999999999999999!0!}", "{{!1!0!}", "{0!{1!}!0!}",
                              "{1.5!1!0!}", "{0!1e3!0!}"})
            QTest::newRow(t[0] ? t : "empty") << QString::fromLatin1(t);
    }
    void badTextsAreRefused()
    {
        QFETCH(QString, text);
        GM_KnuthRandom g(true);
        g.initialise(777);
        tirages(g, 10);
        g.setExtra(5);
        const GM_KnuthRandom avant(g);
        bool refused = false;
        try {
            g.chargeValeursDepuisString(text);
        } catch (const GM_Exception& e) {
            refused = true;
            QCOMPARE(e.getMessage(), kErreur);
        }
        QVERIFY(refused);
        // Nothing of the refused text is kept.
        QCOMPARE(g.sauveValeursDansString(), avant.sauveValeursDansString());
        GM_KnuthRandom copie(avant);
        QCOMPARE(tirages(g, 5), tirages(copie, 5));
    }

    void wrapAtEndOfBuffer()
    {
        GM_KnuthRandom g(true);
        g.initialise(2024);
        const std::vector<quint32> ref = tamponDe(2024);
        const std::vector<int> debut = tirages(g, kTaille - 1);
        QVERIFY(std::equal(debut.begin(), debut.end(), ref.begin(),
                           [](int a, quint32 b) { return quint32(a) == b; }));
        QCOMPARE(g.getPosition(), kTaille - 1);
        QCOMPARE(g.getGraine(), 2024u);

        QCOMPARE(quint32(g.tire(kMM)), ref[kTaille - 1]);
        QCOMPARE(g.getPosition(), 0);
        QCOMPARE(g.getGraine(), ref[0]);
        QCOMPARE(quint32(g.tire(kMM)), tamponDe(ref[0])[0]);
    }

    // A saved table continues with exactly the draws the running one makes,
    // whatever the position, including across the reseed at the buffer's end.
    void restoredGeneratorContinues_data()
    {
        QTest::addColumn<int>("before");
        for (int n : {0, 1, 100, kTaille - 2, kTaille - 1, kTaille, kTaille + 1, 3 * kTaille + 17})
            QTest::addRow("%d draws", n) << n;
    }
    void restoredGeneratorContinues()
    {
        QFETCH(int, before);
        GM_KnuthRandom g(true);
        g.initialise(4000000000u);
        tirages(g, before, 36);
        GM_KnuthRandom relu = depuisTexte(g.sauveValeursDansString());
        QCOMPARE(relu.sauveValeursDansString(), g.sauveValeursDansString());
        QCOMPARE(tirages(relu, kTaille + 10), tirages(g, kTaille + 10));
    }

    void reseedFromTime()
    {
        QCOMPARE(GM_KnuthRandom::graineDepuisTemps(Q_INT64_C(0x0102030405060708)), 0x08070605u);

        GM_KnuthRandom g(true);
        g.initialise(1);
        g.setExtra(3);
        tirages(g, 1234);
        const quint32 avant = quint32(QDateTime::currentMSecsSinceEpoch());
        g.reseedFromTime();
        const quint32 apres = quint32(QDateTime::currentMSecsSinceEpoch());
        QCOMPARE(g.getPosition(), 1234);
        QCOMPARE(g.getExtra(), 3);
        QVERIFY(qbswap(g.getGraine()) - avant <= apres - avant);
        // The position is kept: the next value is taken from the new buffer
        // where the old one was left.
        QCOMPARE(quint32(g.tire(kMM)), tamponDe(g.getGraine())[1234]);
    }

    void copyCopiesEverything()
    {
        GM_KnuthRandom g(true, true);
        g.initialise(31337);
        g.setExtra(9);
        tirages(g, kTaille + 50);

        GM_KnuthRandom copie(g);
        GM_KnuthRandom affecte(false, false);
        affecte = g;
        for (GM_KnuthRandom* c : {&copie, &affecte}) {
            QCOMPARE(c->getGraine(), g.getGraine());
            QCOMPARE(c->getPosition(), g.getPosition());
            QCOMPARE(c->getExtra(), 9);
            QVERIFY(c->estGraineFixe());
            QVERIFY(c->getDrapeauA());
        }
        const std::vector<int> suite = tirages(g, kTaille);
        QCOMPARE(tirages(copie, kTaille), suite);
        QCOMPARE(tirages(affecte, kTaille), suite);

        // Copies are independent.
        const int position = copie.getPosition();
        tirages(affecte, 10);
        QCOMPARE(copie.getPosition(), position);
        GM_KnuthRandom& meme = affecte;
        affecte = meme; // self-assignment must neither deadlock nor change it
        QCOMPARE(affecte.getPosition(), (position + 10) % kTaille);
    }

    // Tables and network threads share a generator: concurrent draws must
    // hand out each value of the sequence exactly once.
    void concurrentDrawsShareOneSequence()
    {
        constexpr int parThread = 40000;
        GM_KnuthRandom g(true);
        g.initialise(8);
        GM_KnuthRandom sequentiel(g);
        std::vector<int> a;
        std::vector<int> b;
        std::unique_ptr<QThread> ta(QThread::create([&] { a = tirages(g, parThread); }));
        std::unique_ptr<QThread> tb(QThread::create([&] { b = tirages(g, parThread); }));
        ta->start();
        tb->start();
        QVERIFY(ta->wait(60000));
        QVERIFY(tb->wait(60000));
        std::vector<int> tous = a;
        tous.insert(tous.end(), b.begin(), b.end());
        std::vector<int> attendu = tirages(sequentiel, 2 * parThread);
        std::sort(tous.begin(), tous.end());
        std::sort(attendu.begin(), attendu.end());
        QCOMPARE(tous, attendu);
        QCOMPARE(g.getPosition(), sequentiel.getPosition());
        QCOMPARE(g.getGraine(), sequentiel.getGraine());
    }
};

ZB_REGISTER_TEST(TestRandom)
#include "TestRandom.moc"
