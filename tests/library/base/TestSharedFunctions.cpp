#include "GM_SharedFunctions.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestSharedFunctions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dossier_;
    QByteArray ancienHome_;
    QByteArray ancienDataHome_;
    QString ancienNom_;
    QString ancienneOrganisation_;

private slots:
    // The data folder of this run is a temporary one, never the user's.
    void initTestCase()
    {
        dossier_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dossier_->isValid());
        ancienHome_ = qgetenv("HOME");
        ancienDataHome_ = qgetenv("XDG_DATA_HOME");
        ancienNom_ = QCoreApplication::applicationName();
        ancienneOrganisation_ = QCoreApplication::organizationName();
        qputenv("HOME", dossier_->path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (dossier_->path() + QStringLiteral("/data")).toLocal8Bit());
    }

    void cleanupTestCase()
    {
        qputenv("HOME", ancienHome_);
        if (ancienDataHome_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", ancienDataHome_);
        QCoreApplication::setApplicationName(ancienNom_);
        QCoreApplication::setOrganizationName(ancienneOrganisation_);
        resetScaledFontBase();
    }

    void appDataPathCreatesTheFolder_data()
    {
        QTest::addColumn<QString>("application");
        QTest::addColumn<QString>("sousDossier");
        QTest::addColumn<QString>("attendu");

        QTest::newRow("already named") << "Zubrik" << "Zubrik" << "/data/Zubrik/";
        QTest::newRow("named in other case") << "zubrik" << "ZUBRIK" << "/data/zubrik/";
        QTest::newRow("appended") << "Zubrik" << "Parties" << "/data/Zubrik/Parties/";
    }

    void appDataPathCreatesTheFolder()
    {
        QFETCH(QString, application);
        QFETCH(QString, sousDossier);
        QFETCH(QString, attendu);
        QCoreApplication::setOrganizationName(QString());
        QCoreApplication::setApplicationName(application);

        const QString chemin = appDataPath(sousDossier);
        QCOMPARE(chemin, dossier_->path() + attendu);
        QVERIFY(QFileInfo(chemin).isDir());
        // A second call finds the folder there and returns the same text.
        QCOMPARE(appDataPath(sousDossier), chemin);
        QVERIFY(QDir(dossier_->path() + QStringLiteral("/data")).removeRecursively());
    }

    void scaledFontClasses_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("taille");
        QTest::addColumn<int>("pixelsAttendus");
        QTest::addColumn<double>("pointsAttendus");

        QTest::newRow("20 px, class 3") << 20 << 0.0 << 3 << 22 << 0.0;
        QTest::newRow("20 px, class 0") << 20 << 0.0 << 0 << 16 << 0.0;
        QTest::newRow("20 px, class 2") << 20 << 0.0 << 2 << 20 << 0.0;
        QTest::newRow("20 px, class 4") << 20 << 0.0 << 4 << 40 << 0.0;
        QTest::newRow("20 px, class 5") << 20 << 0.0 << 5 << 100 << 0.0;
        QTest::newRow("20 px, unknown class") << 20 << 0.0 << 6 << 20 << 0.0;
        QTest::newRow("20 px, negative class") << 20 << 0.0 << -1 << 20 << 0.0;
        QTest::newRow("15 px, class 1 rounds half up") << 15 << 0.0 << 1 << 14 << 0.0;
        QTest::newRow("5 px, class 3 rounds half up") << 5 << 0.0 << 3 << 6 << 0.0;
        QTest::newRow("1 px, class 0 keeps a pixel") << 1 << 0.0 << 0 << 1 << 0.0;
        QTest::newRow("10 pt, class 1") << 0 << 10.0 << 1 << -1 << 9.0;
        QTest::newRow("10 pt, class 3") << 0 << 10.0 << 3 << -1 << 11.0;
        QTest::newRow("12.5 pt, class 4") << 0 << 12.5 << 4 << -1 << 25.0;
    }

    void scaledFontClasses()
    {
        QFETCH(int, pixels);
        QFETCH(double, points);
        QFETCH(int, taille);
        QFETCH(int, pixelsAttendus);
        QFETCH(double, pointsAttendus);

        QFont base(QStringLiteral("DejaVu Sans"));
        if (pixels > 0)
            base.setPixelSize(pixels);
        else
            base.setPointSizeF(points);
        base.setBold(true);
        setScaledFontBase(base);
        const QFont f = scaledFont(taille);
        QCOMPARE(f.pixelSize(), pixelsAttendus);
        if (pixels == 0)
            QCOMPARE(f.pointSizeF(), pointsAttendus);
        QCOMPARE(f.family(), base.family());
        QVERIFY(f.bold());
        resetScaledFontBase();
    }

    void scaledFontWithoutApplicationFont()
    {
        resetScaledFontBase();
        const QFont defaut;
        QCOMPARE(scaledFont(4).pointSizeF(), defaut.pointSizeF() * 2.0);
        QCOMPARE(scaledFont(2), defaut);
    }

    void hostAddressWithoutScopeId_data()
    {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("texte");

        QTest::newRow("IPv4") << "192.168.1.20" << "192.168.1.20";
        QTest::newRow("IPv6 link-local with scope") << "fe80::1:2%eth0" << "fe80::1:2";
        QTest::newRow("IPv6 numeric scope") << "fe80::abcd%3" << "fe80::abcd";
        QTest::newRow("IPv6 loopback") << "::1" << "::1";
        QTest::newRow("IPv6 global") << "2001:db8::7" << "2001:db8::7";
        QTest::newRow("IPv4 mapped") << "::ffff:10.0.0.1" << "::ffff:10.0.0.1";
        QTest::newRow("null") << "" << "";
    }

    void hostAddressWithoutScopeId()
    {
        QFETCH(QString, adresse);
        QFETCH(QString, texte);
        const QHostAddress a(adresse);
        QCOMPARE(hostAddressToString(a), texte);
    }

    void dateInSeason_data()
    {
        QTest::addColumn<QDate>("jour");
        QTest::addColumn<QString>("debut");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<bool>("dedans");

        const QString noelDebut = QStringLiteral("2000-12-20");
        const QString noelFin = QStringLiteral("2001-01-10");
        QTest::newRow("5 January") << QDate(2024, 1, 5) << noelDebut << noelFin << true;
        QTest::newRow("25 December") << QDate(2024, 12, 25) << noelDebut << noelFin << true;
        QTest::newRow("31 December") << QDate(2023, 12, 31) << noelDebut << noelFin << true;
        QTest::newRow("20 December, bound excluded") << QDate(2024, 12, 20) << noelDebut << noelFin << false;
        QTest::newRow("10 January, bound excluded") << QDate(2024, 1, 10) << noelDebut << noelFin << false;
        QTest::newRow("summer") << QDate(2024, 7, 14) << noelDebut << noelFin << false;
        QTest::newRow("bounds in any year") << QDate(2030, 1, 2) << "1999-12-20" << "1999-01-10" << true;

        const QString ete = QStringLiteral("2020-06-21");
        const QString finEte = QStringLiteral("2020-09-22");
        QTest::newRow("inside a plain period") << QDate(2024, 7, 14) << ete << finEte << true;
        QTest::newRow("before a plain period") << QDate(2024, 3, 1) << ete << finEte << false;
        QTest::newRow("after a plain period") << QDate(2024, 12, 1) << ete << finEte << false;

        QTest::newRow("29 February bound, leap year") << QDate(2024, 2, 28) << "2000-02-01" << "2000-02-29" << true;
        QTest::newRow("29 February bound, common year") << QDate(2023, 2, 28) << "2000-02-01" << "2000-02-29"
                                                        << false;

        QTest::newRow("invalid day") << QDate() << noelDebut << noelFin << false;
        QTest::newRow("unreadable start") << QDate(2024, 1, 5) << "20 December" << noelFin << false;
        QTest::newRow("empty end") << QDate(2024, 1, 5) << noelDebut << "" << false;
    }

    void dateInSeason()
    {
        QFETCH(QDate, jour);
        QFETCH(QString, debut);
        QFETCH(QString, fin);
        QFETCH(bool, dedans);
        QCOMPARE(isDateInSeason(jour, debut, fin), dedans);
    }
};

ZB_REGISTER_TEST(TestSharedFunctions)
#include "TestSharedFunctions.moc"
