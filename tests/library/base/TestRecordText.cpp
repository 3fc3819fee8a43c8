#include "GM_Exception.h"
#include "GM_ExceptionEventCorrupted.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "GM_LoadSaveElement.h"
#include "GM_SpacesSeparatedString.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

const QString kErreur = QStringLiteral("Chaine incompatible, invalide ou corrompue.");

QStringList tokens(const QString& text, int count)
{
    GM_SpacesSeparatedString s(text);
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << s.getNext();
    return out;
}

// A record with one field of each encoding and a nested record, to check
// that a whole record survives the round trip.
struct Inner : GM_LoadSaveElement
{
    int a = 0;
    int b = 0;
    void chargeValeursDepuisString(const QString& text) override
    {
        GM_SpacesSeparatedString s(text);
        a = s.nextInt();
        b = s.nextInt();
    }
    QString sauveValeursDansString() const override
    {
        GM_SpacesSeparatedString s;
        s.addInt(a);
        s.addInt(b);
        return s.getString();
    }
};

struct Outer : GM_LoadSaveElement
{
    int i = 0;
    qint64 id = 0;
    bool flag = false;
    double d = 0;
    QString text;
    Inner inner;
    int optional = 7; // a field added in a later version
    void chargeValeursDepuisString(const QString& t) override
    {
        GM_SpacesSeparatedString s(t);
        i = s.nextInt();
        id = s.nextLongLong();
        flag = s.nextBool();
        d = s.nextDouble();
        text = s.nextString();
        s.nextRecord(inner);
        if (s.hasOptionalField())
            optional = s.nextInt();
    }
    QString sauveValeursDansString() const override
    {
        GM_SpacesSeparatedString s;
        s.addInt(i);
        s.addLongLong(id);
        s.addBool(flag);
        s.addDouble(d);
        s.addString(text);
        s.addRecord(inner);
        s.addInt(optional);
        return s.getString();
    }
};

int readOneInt(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    return s.nextInt();
}

} // namespace

class TestRecordText : public QObject
{
    Q_OBJECT

private slots:
    void tokenizing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("trailing separator") << "{5!}" << QStringList{"5", ""};
        QTest::newRow("no trailing separator") << "{5}" << QStringList{"5", ""};
        QTest::newRow("nested record") << "{1!{2!3!}!4!}" << QStringList{"1", "{2!3!}", "4", ""};
        QTest::newRow("nested last without separator") << "{1!{2!3!}}" << QStringList{"1", "{2!3!}", ""};
        QTest::newRow("deep nesting") << "{{a!{b!}!}!c!}" << QStringList{"{a!{b!}!}", "c", ""};
        QTest::newRow("empty field kept") << "{a!!b!}" << QStringList{"a", "", "b", ""};
        QTest::newRow("empty record") << "{}" << QStringList{"", ""};
        QTest::newRow("unbalanced brace") << "{{1!2!}" << QStringList{"{", "", "2", ""};
        QTest::newRow("bang in text splits") << "{Hi!there!}" << QStringList{"Hi", "there", ""};
        QTest::newRow("too short") << "{" << QStringList{"", ""};
    }
    void tokenizing()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(tokens(text, expected.size()), expected);
    }

    void readingNumbers()
    {
        QCOMPARE(readOneInt("{5!}"), 5);
        QCOMPARE(readOneInt("{5}"), 5);
        QCOMPARE(readOneInt("{-12!}"), -12);
        GM_SpacesSeparatedString s("{2!0!-3!}");
        QCOMPARE(s.nextBool(), true);
        QCOMPARE(s.nextBool(), false);
        QCOMPARE(s.nextBool(), true);
    }

    void badTextThrowsRecordError_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty record") << "{}";
        QTest::newRow("not a number") << "{abc!}";
        QTest::newRow("empty token") << "{!}";
        QTest::newRow("unbalanced") << "{{5!}";
        QTest::newRow("overflow") << "{99999999999!}";
        QTest::newRow("empty text") << "";
    }
    void badTextThrowsRecordError()
    {
        QFETCH(QString, text);
        try {
            readOneInt(text);
            QFAIL("no exception");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), kErreur);
        }
    }

    void writingEncodings()
    {
        GM_SpacesSeparatedString s;
        s.addDouble(0.41);
        s.addDouble(1e-7);
        s.addDouble(0.25);
        s.addDouble(5000);
        s.addBool(true);
        s.addString(QString());
        s.addLongLong(Q_INT64_C(-9000000000));
        QCOMPARE(s.getString(), QStringLiteral("{0.41!1e-07!0.25!5000!1!!-9000000000!}"));
    }

    void recordRoundTripAndOptionalField()
    {
        Outer o;
        o.i = -4;
        o.id = Q_INT64_C(123456789012);
        o.flag = true;
        o.d = 0.41;
        o.text = QStringLiteral("Zoé");
        o.inner.a = 2;
        o.inner.b = 3;
        o.optional = 9;
        const QString text = o.sauveValeursDansString();
        QCOMPARE(text, QStringLiteral("{-4!123456789012!1!0.41!Zoé!{2!3!}!9!}"));

        Outer back;
        back.chargeValeursDepuisString(text);
        QCOMPARE(back.sauveValeursDansString(), text);

        // An older writer without the last field: the default stays.
        Outer old;
        old.chargeValeursDepuisString(QStringLiteral("{1!2!0!0.5!x!{4!5!}!}"));
        QCOMPARE(old.inner.b, 5);
        QCOMPARE(old.optional, 7);
        // Text after the last known field is ignored.
        old.chargeValeursDepuisString(QStringLiteral("{1!2!0!0.5!x!{4!5!}!8!extra!more!}"));
        QCOMPARE(old.optional, 8);
    }

    void failureLeavesEarlierFieldsReplaced()
    {
        Outer o;
        try {
            o.chargeValeursDepuisString(QStringLiteral("{11!22!zz!}"));
            QFAIL("no exception");
        } catch (const GM_Exception&) {
        }
        QCOMPARE(o.i, 11);
        QCOMPARE(o.id, Q_INT64_C(22));
        QCOMPARE(o.flag, false);
    }

    void freeTextIsMadeSafeForRecords()
    {
        const QString name = QStringLiteral("Bob!{x}\r\nZoé");
        const QString safe = GM_SpacesSeparatedString::sanitizeFreeText(name);
        QVERIFY(!safe.contains('!') && !safe.contains('{') && !safe.contains('}'));
        QVERIFY(!safe.contains('\n') && !safe.contains('\r'));
        QVERIFY(safe.contains(QStringLiteral("Zoé")));

        // The sanitised text keeps a record readable and its fields in place.
        Outer o;
        o.text = safe;
        o.optional = 3;
        Outer back;
        back.chargeValeursDepuisString(o.sauveValeursDansString());
        QCOMPARE(back.text, safe);
        QCOMPARE(back.optional, 3);
        QCOMPARE(GM_SpacesSeparatedString::sanitizeFreeText(QStringLiteral("plain")), QStringLiteral("plain"));
    }

    void exceptionsCarryTheirMessages()
    {
        try {
            throw GM_ExceptionFileCorrupted(QStringLiteral("game.jss: line 3"));
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Ce fichier est corrompu."));
            const auto* corrupted = dynamic_cast<const GM_ExceptionFileCorrupted*>(&e);
            QVERIFY(corrupted);
            QCOMPARE(corrupted->getDetail(), QStringLiteral("game.jss: line 3"));
        }
        try {
            throw GM_ExceptionFileTooOld();
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Ce fichier n'est pas compatible avec votre version du jeu."));
        }
        try {
            throw GM_ExceptionEventCorrupted(QStringLiteral("bad event"));
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("bad event"));
        }
    }
};

ZB_REGISTER_TEST(TestRecordText)
#include "TestRecordText.moc"
