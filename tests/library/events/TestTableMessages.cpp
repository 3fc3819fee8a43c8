#include "ZB_MessageDeTable.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

// The table's messages travel in French and each machine reads them in its
// own language: a host with an English user writes the same record as a
// French one, and a French player reads an English host's words in French.
class TestTableMessages : public QObject
{
    Q_OBJECT

private slots:
    void chaqueLecteurSaLangue_data()
    {
        QTest::addColumn<QString>("envoye");
        QTest::addColumn<QString>("anglais");
        QTest::addColumn<QString>("allemand");
        using M = ZB_MessageDeTable;
        // Names read in their own isolates.
        const auto i = [](const char* nom) -> QString {
            return QChar(0x2068) + QString::fromUtf8(nom) + QChar(0x2069);
        };
        const QString connexion = M::texte(M::ConnecteALaPlace, QStringLiteral("Carla"), QStringLiteral("Hôte"));
        QTest::newRow("connected in a seat, next deal")
            << M::texte(M::EntreeProchaineDonne, connexion)
            << QStringLiteral("The player '%1' connected in place of '%2' and will play from the next deal.")
                   .arg(i("Carla"), i("Hôte"))
            << QString();
        QTest::newRow("back, this deal")
            << M::texte(M::EntreeCetteDonne, M::texte(M::Reconnecte, QStringLiteral("Bob")))
            << QStringLiteral("The player '%1' reconnected and will join the game during this deal.").arg(i("Bob"))
            << QString();
        QTest::newRow("an override in a name")
            << M::texte(M::Reconnecte, QStringLiteral("Bob\u202E"))
            << QStringLiteral("The player '%1' reconnected").arg(i("Bob\u202E"))
            << QStringLiteral("Der Spieler '%1' ist wieder verbunden").arg(i("Bob\u202E"));
        QTest::newRow("left") << M::texte(M::Deconnecte) << QString() << QString();
        QTest::newRow("excluded") << M::texte(M::ExcluPourLenteur) << QString() << QString();
        QTest::newRow("penalty") << M::texte(M::JoueAvecPenalite) << QString() << QString();
        // A name is not a text to translate, even one that reads like one.
        QTest::newRow("name holding an argument")
            << M::texte(M::Reconnecte, QStringLiteral("%2 et %1"))
            << QString(QStringLiteral("The player '") + i("%2 et %1") + QStringLiteral("' reconnected"))
            << QString(QStringLiteral("Der Spieler '") + i("%2 et %1") + QStringLiteral("' ist wieder verbunden"));
        // A player's chat line, or an older host's English text, as it came.
        const QString chat = QStringLiteral("Le joueur 'x' joue bien");
        QTest::newRow("chat line") << chat << chat << chat;
        // A line far longer than any of the table's (an older host's, with
        // a name written whole) is shown as it came.
        const QString longue = QStringLiteral("Le joueur '%1' s'est reconnecté").arg(QString(600, QLatin1Char('\'')));
        QTest::newRow("long line") << longue << longue << longue;
        // A peer's endless name is written as the table shows it, and the
        // line is read in every language.
        QTest::newRow("endless name")
            << M::texte(M::ConnecteALaPlace, QString(5000, QLatin1Char('x')), QStringLiteral("Hôte"))
            << QStringLiteral("The player '%1' connected in place of '%2'")
                   .arg(QChar(0x2068) + QString(31, QLatin1Char('x')) + QChar(0x2026) + QChar(0x2069), i("Hôte"))
            << QString();
        QTest::newRow("older host in English")
            << QStringLiteral("The player 'Bob' reconnected") << QStringLiteral("The player 'Bob' reconnected")
            << QStringLiteral("The player 'Bob' reconnected");
    }
    void chaqueLecteurSaLangue()
    {
        QFETCH(QString, envoye);
        QFETCH(QString, anglais);
        QFETCH(QString, allemand);
        // Without a translator the French text reads as it was sent, its
        // names isolated.
        QCOMPARE(ZB_MessageDeTable::traduit(envoye).remove(QChar(0x2068)).remove(QChar(0x2069)), envoye);
        for (const QString& langue : {QStringLiteral("en"), QStringLiteral("de")}) {
            QTranslator traducteur;
            QVERIFY(traducteur.load(QStringLiteral(":/translations/zubrik_%1.qm").arg(langue)));
            QVERIFY(QCoreApplication::installTranslator(&traducteur));
            const QString lu = ZB_MessageDeTable::traduit(envoye);
            QCoreApplication::removeTranslator(&traducteur);
            const QString attendu = langue == QLatin1String("en") ? anglais : allemand;
            if (!attendu.isEmpty())
                QCOMPARE(lu, attendu);
            else
                QVERIFY2(lu != envoye && !lu.contains(QLatin1String("joueur")) && !lu.contains(QLatin1String("%")),
                         qPrintable(lu));
        }
    }
};

ZB_REGISTER_TEST(TestTableMessages)
#include "TestTableMessages.moc"
