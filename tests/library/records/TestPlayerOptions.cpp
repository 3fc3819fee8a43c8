#include "GM_Exception.h"
#include "OptionsAI.h"
#include "OptionsDuJoueur.h"
#include "ZbTestRegistry.h"

#include <QSet>
#include <QTest>

class TestPlayerOptions : public QObject
{
    Q_OBJECT

private slots:
    void aiOptionsText()
    {
        const OptionsAI defaults;
        QCOMPARE(defaults.sauveValeursDansString(), QStringLiteral("{0.25!0.08!0.41!5000!1!}"));

        // Older records without a version carried 0.5, now 0.41.
        OptionsAI ancien;
        ancien.chargeValeursDepuisString(QStringLiteral("{0.25!0.08!0.5!5000!}"));
        QCOMPARE(ancien.knowledgeOpponents_, 0.41);
        QCOMPARE(ancien.version_, 1);
        OptionsAI versionZero;
        versionZero.chargeValeursDepuisString(QStringLiteral("{0.25!0.08!0.5!5000!0!}"));
        QCOMPARE(versionZero.knowledgeOpponents_, 0.41);
        QCOMPARE(versionZero.version_, 1);

        OptionsAI actuel;
        actuel.chargeValeursDepuisString(QStringLiteral("{0.25!0.08!0.5!5000!1!}"));
        QCOMPARE(actuel.knowledgeOpponents_, 0.5);
        OptionsAI autre;
        autre.chargeValeursDepuisString(QStringLiteral("{0.3!0.1!0.5!250!2!}"));
        QCOMPARE(autre.sauveValeursDansString(), QStringLiteral("{0.3!0.1!0.5!250!2!}"));
        QVERIFY(autre.memesReglages(OptionsAI(0.3, 0.1, 0.5, 250, 7)));

        QVERIFY_THROWS_EXCEPTION(GM_Exception, autre.chargeValeursDepuisString(QStringLiteral("{0.25!0.08!}")));
        QVERIFY_THROWS_EXCEPTION(GM_Exception, autre.chargeValeursDepuisString(QStringLiteral("{0.25!x!0.5!1!}")));
    }

    void playerRecordText()
    {
        OptionsDuJoueur joueur;
        joueur.nom_ = QStringLiteral("Zoé");
        joueur.distant_ = 1;
        joueur.id_ = Q_INT64_C(1234567890123);
        joueur.idCompte_ = 42;
        const QString texte = joueur.sauveValeursDansString();
        QCOMPARE(texte, QStringLiteral("{Zoé!1!1!0!1!1234567890123!42!{0.25!0.08!0.41!5000!1!}!}"));
        OptionsDuJoueur lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu, joueur);

        // The AI record is optional.
        OptionsDuJoueur court;
        court.optionsAI_.nbrCombinations_ = 10;
        court.chargeValeursDepuisString(QStringLiteral("{Bob!1!0!1!1!77!-1!}"));
        QCOMPARE(court.id_, Q_INT64_C(77));
        QCOMPARE(court.ordinateur_, 1);
        QCOMPARE(court.optionsAI_.nbrCombinations_, 10.0);

        QVERIFY_THROWS_EXCEPTION(GM_Exception, court.chargeValeursDepuisString(QStringLiteral("{Bob!1!0!1!1!}")));
        QVERIFY_THROWS_EXCEPTION(GM_Exception,
                                 court.chargeValeursDepuisString(QStringLiteral("{Bob!1!0!1!1!77!-1!{0.2!}!}")));
    }

    void nameCannotBreakTheRecord()
    {
        OptionsDuJoueur joueur;
        joueur.nom_ = QStringLiteral("Bang!{x}");
        joueur.idCompte_ = 9;
        OptionsDuJoueur lu;
        lu.chargeValeursDepuisString(joueur.sauveValeursDansString());
        QCOMPARE(lu.idCompte_, Q_INT64_C(9));
        QCOMPARE(lu.id_, joueur.id_);
        QVERIFY(lu.nom_.startsWith(QStringLiteral("Bang")));
    }

    void displayNames()
    {
        OptionsDuJoueur joueur;
        QCOMPARE(joueur.getNomAffiche(), QStringLiteral("Vous"));
        joueur.nom_ = QStringLiteral("Partenaire");
        const QString isole = QStringLiteral("\u2068Partenaire\u2069");
        QCOMPARE(joueur.getNomAffiche(), isole + QStringLiteral(" (vous)"));
        joueur.distant_ = 1;
        QCOMPARE(joueur.getNomAffiche(), isole + QStringLiteral(" (joueur)"));
        joueur.ordinateur_ = 1;
        QCOMPARE(joueur.getNomAffiche(), isole + QStringLiteral(" (ordi)"));
        joueur.distant_ = 0;
        QCOMPARE(joueur.getNomAffiche(), isole);
        QCOMPARE(joueur.getNomAffiche(true), isole + QStringLiteral(" (ordi)"));
    }

    // However long the name a peer or the lobby sends, what the table shows
    // is bounded, in an isolate that an override or a peer's own isolate
    // marks cannot leave; the record keeps the name whole.
    void displayNameIsBounded_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("affiche");
        const QString w24(24, QLatin1Char('W'));
        const QString w32(32, QLatin1Char('W'));
        QTest::newRow("a name field's longest") << w24 << w24;
        QTest::newRow("at the bound") << w32 << w32;
        QTest::newRow("a peer's 300 characters") << QString(300, QLatin1Char('x'))
                                                 << QString(31, QLatin1Char('x')) + QStringLiteral("\u2026");
        // An emoji across the cut goes whole.
        QTest::newRow("a surrogate pair at the cut")
            << QString(30, QLatin1Char('a')) + QStringLiteral("\U0001F0CF\U0001F0CF")
            << QString(30, QLatin1Char('a')) + QStringLiteral("\u2026");
        QTest::newRow("a right-to-left override") << QStringLiteral("Bob\u202E)retupmoc(")
                                                  << QStringLiteral("Bob\u202E)retupmoc(");
        QTest::newRow("isolate marks of its own")
            << QStringLiteral("a\u2069b\u2067c") << QStringLiteral("ab\u2067c\u2069");
    }
    void displayNameIsBounded()
    {
        QFETCH(QString, nom);
        QFETCH(QString, affiche);
        OptionsDuJoueur joueur;
        joueur.nom_ = nom;
        joueur.distant_ = 1;
        QCOMPARE(joueur.getNomAffiche(), QChar(0x2068) + affiche + QChar(0x2069) + QStringLiteral(" (joueur)"));
        OptionsDuJoueur lu;
        lu.chargeValeursDepuisString(joueur.sauveValeursDansString());
        QCOMPARE(lu.nom_, nom);
    }

    void idsAreUnique()
    {
        QSet<qint64> ids;
        for (int i = 0; i < 1000; ++i)
            ids.insert(OptionsDuJoueur::genereId());
        QCOMPARE(ids.size(), 1000);
        QVERIFY(OptionsDuJoueur().id_ != OptionsDuJoueur().id_);
    }
};

ZB_REGISTER_TEST(TestPlayerOptions)
#include "TestPlayerOptions.moc"
