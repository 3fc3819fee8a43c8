#include "GM_Exception.h"
#include "OptionsAffichage.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

const QString kDefaut = QStringLiteral(
    "{Alphonse!Partenaire!Gertrude!1!1!0!3!2!1!1!0!0!1!1700!1!1!0.026!1!2000-12-21!2000-03-19!1!2000-03-20!"
    "2000-06-19!1!2000-06-20!2000-09-22!1!2000-09-23!2000-12-20!0!1!1!1!}");

// The default text with field n (1-based) replaced.
QString avecChamp(int n, const QString& valeur)
{
    QStringList champs = kDefaut.mid(1, kDefaut.size() - 3).split(QLatin1Char('!'));
    champs[n - 1] = valeur;
    return QLatin1Char('{') + champs.join(QLatin1Char('!')) + QStringLiteral("!}");
}

// The default text cut after its first n fields.
QString premiersChamps(int n)
{
    const QStringList champs = kDefaut.mid(1, kDefaut.size() - 3).split(QLatin1Char('!'));
    return QLatin1Char('{') + champs.mid(0, n).join(QLatin1Char('!')) + QStringLiteral("!}");
}

} // namespace

class TestDisplayOptions : public QObject
{
    Q_OBJECT

private slots:
    void defaultText()
    {
        const OptionsAffichage defaut;
        QCOMPARE(defaut.sauveValeursDansString(), kDefaut);
        OptionsAffichage lu;
        lu.noms_ = QStringList{QStringLiteral("x")};
        lu.facteur1_ = 5;
        lu.fontSize_ = 2;
        lu.chargeValeursDepuisString(kDefaut);
        QCOMPARE(lu, defaut);
        QCOMPARE(lu.facteur1_, 0.026);
        QCOMPARE(lu.fontSize_, 1.0);
    }

    void roundTrip()
    {
        OptionsAffichage o;
        o.noms_ = QStringList{QStringLiteral("Zoé"), QStringLiteral("Ünal"), QString()};
        o.helpCard_ = false;
        o.useRightSpace_ = true;
        o.quality_ = 4;
        o.cardStyle_ = 0;
        o.appStyle_ = 3;
        o.language_ = 2;
        o.ramassageAuto_ = false;
        o.ramassageDelay_ = 250;
        o.facteur1_ = 0.5;
        o.saisons_[OptionsAffichage::Ete] = {false, QStringLiteral("2000-07-01"), QStringLiteral("2000-07-31")};
        o.dealInverted_ = true;
        o.fontSize_ = 1.25;
        o.reserve_ = false;
        o.vibrate_ = false;
        OptionsAffichage lu;
        lu.chargeValeursDepuisString(o.sauveValeursDansString());
        QCOMPARE(lu, o);
    }

    void olderTextsKeepLaterFields_data()
    {
        QTest::addColumn<int>("nombre");
        for (int n : {11, 12, 16, 17, 19, 29, 30, 31, 32})
            QTest::addRow("%d fields", n) << n;
    }
    void olderTextsKeepLaterFields()
    {
        QFETCH(int, nombre);
        // Every field after the text's last one keeps what the record held.
        OptionsAffichage modifie;
        modifie.language_ = 3;
        modifie.ramassageAuto_ = false;
        modifie.ramassageDelay_ = 99;
        modifie.coloredCard_ = false;
        modifie.sounds_ = false;
        modifie.facteur1_ = 0.5;
        for (OptionsAffichage::Periode& p : modifie.saisons_)
            p = {false, QStringLiteral("2000-01-01"), QStringLiteral("2000-01-02")};
        modifie.dealInverted_ = true;
        modifie.fontSize_ = 2.0;
        modifie.reserve_ = false;
        modifie.vibrate_ = false;

        OptionsAffichage lu = modifie;
        lu.chargeValeursDepuisString(premiersChamps(nombre));
        const QString texteLu = lu.sauveValeursDansString();
        const QString texteModifie = modifie.sauveValeursDansString();
        const QStringList champsLus = texteLu.mid(1, texteLu.size() - 3).split(QLatin1Char('!'));
        QCOMPARE(champsLus.mid(0, nombre), kDefaut.mid(1, kDefaut.size() - 3).split(QLatin1Char('!')).mid(0, nombre));
        QCOMPARE(champsLus.mid(nombre), texteModifie.mid(1, texteModifie.size() - 3).split(QLatin1Char('!')).mid(nombre));
    }

    void elevenFieldsIntoDefault()
    {
        OptionsAffichage lu;
        lu.chargeValeursDepuisString(premiersChamps(11));
        QCOMPARE(lu, OptionsAffichage());
        QVERIFY_THROWS_EXCEPTION(GM_Exception, lu.chargeValeursDepuisString(premiersChamps(10)));
    }

    void clamping_data()
    {
        QTest::addColumn<int>("champ");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("quality 0") << 7 << "0" << "1";
        QTest::newRow("quality 9") << 7 << "9" << "4";
        QTest::newRow("quality 2") << 7 << "2" << "2";
        QTest::newRow("card style -3") << 8 << "-3" << "0";
        QTest::newRow("card style 7") << 8 << "7" << "4";
        QTest::newRow("app style 5") << 11 << "5" << "4";
        QTest::newRow("app style -1") << 11 << "-1" << "0";
        QTest::newRow("language -1") << 12 << "-1" << "0";
        QTest::newRow("language 9") << 12 << "9" << "4";
        QTest::newRow("delay -5") << 14 << "-5" << "0";
        QTest::newRow("delay huge") << 14 << "2000000000" << "10000";
        QTest::newRow("delay 10000") << 14 << "10000" << "10000";
        QTest::newRow("font scale 0.1") << 31 << "0.1" << "0.5";
        QTest::newRow("font scale -2") << 31 << "-2" << "0.5";
        QTest::newRow("font scale 10") << 31 << "10" << "3";
        QTest::newRow("font scale 1.5") << 31 << "1.5" << "1.5";
        QTest::newRow("switch 2 is true") << 4 << "2" << "1";
        QTest::newRow("name with a bang") << 2 << "{a!b}" << "(a.b)";
        QTest::newRow("date with a brace") << 19 << "{2000-12-21}" << "(2000-12-21)";
    }
    void clamping()
    {
        QFETCH(int, champ);
        QFETCH(QString, valeur);
        QFETCH(QString, attendu);
        OptionsAffichage lu;
        lu.chargeValeursDepuisString(avecChamp(champ, valeur));
        QCOMPARE(lu.sauveValeursDansString(), avecChamp(champ, attendu));
    }

    void badNumbers_data()
    {
        QTest::addColumn<int>("champ");
        QTest::addColumn<QString>("valeur");
        QTest::newRow("quality") << 7 << "high";
        QTest::newRow("switch") << 5 << "";
        QTest::newRow("optional language") << 12 << "x";
        QTest::newRow("delay") << 14 << "1.7";
        QTest::newRow("factor nan") << 17 << "nan";
        QTest::newRow("factor inf") << 17 << "inf";
        QTest::newRow("font scale nan") << 31 << "nan";
        QTest::newRow("font scale -inf") << 31 << "-inf";
        QTest::newRow("vibrate") << 33 << "oui";
    }
    void badNumbers()
    {
        QFETCH(int, champ);
        QFETCH(QString, valeur);
        OptionsAffichage lu;
        try {
            lu.chargeValeursDepuisString(avecChamp(champ, valeur));
            QFAIL("no exception");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Chaine incompatible, invalide ou corrompue."));
        }
    }

    void namesCannotBreakTheRecord()
    {
        OptionsAffichage o;
        o.noms_ = QStringList{QStringLiteral("Bang!"), QStringLiteral("{x}"), QStringLiteral("a\nb")};
        const QString texte = o.sauveValeursDansString();
        QVERIFY(texte.startsWith(QStringLiteral("{Bang.!(x)!a b!1!")));
        OptionsAffichage lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu.noms_, (QStringList{QStringLiteral("Bang."), QStringLiteral("(x)"), QStringLiteral("a b")}));
        QCOMPARE(lu.quality_, 3);

        // Always three names, whatever the list holds.
        o.noms_ = QStringList{QStringLiteral("Seul")};
        QVERIFY(o.sauveValeursDansString().startsWith(QStringLiteral("{Seul!!!1!")));
        o.noms_ << QStringLiteral("b") << QStringLiteral("c") << QStringLiteral("d");
        lu.chargeValeursDepuisString(o.sauveValeursDansString());
        QCOMPARE(lu.noms_, (QStringList{QStringLiteral("Seul"), QStringLiteral("b"), QStringLiteral("c")}));
    }
};

ZB_REGISTER_TEST(TestDisplayOptions)
#include "TestDisplayOptions.moc"
