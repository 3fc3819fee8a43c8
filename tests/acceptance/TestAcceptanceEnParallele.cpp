#include "EcranVirtuel.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>

// The whole acceptance suite at once: every case of TestAcceptance in a
// process of its own, all started together (each has its own screen), so
// that the suite lasts about as long as its longest case, which spends most
// of its time waiting for the table's pace. Each case's result is one row.
class TestAcceptanceEnParallele : public QObject
{
    Q_OBJECT

    static constexpr int LIMITE_MS = 220000;

    std::map<QString, std::unique_ptr<QProcess>> cas_;
    QElapsedTimer chrono_;

    // The harness needs no screen of its own.
    static QProcessEnvironment environnement()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    static QStringList nomsDesCas()
    {
        // The test functions of TestAcceptance, as QtTest lists them.
        QProcess liste;
        liste.setProcessEnvironment(environnement());
        liste.start(QCoreApplication::applicationFilePath(), {QStringLiteral("TestAcceptance"), QStringLiteral("-functions")});
        liste.waitForFinished(30000);
        QStringList noms;
        for (const QByteArray& ligne : liste.readAllStandardOutput().split('\n')) {
            const QString nom = QString::fromUtf8(ligne).trimmed().remove(QStringLiteral("()"));
            if (!nom.isEmpty() && nom != QLatin1String("initTestCase"))
                noms << nom;
        }
        return noms;
    }

private slots:
    void initTestCase()
    {
        if (!EcranVirtuel::xvfbDisponible())
            QSKIP("Xvfb is not installed: the program cannot be shown on a virtual screen");
        chrono_.start();
        for (const QString& nom : nomsDesCas()) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::MergedChannels);
            p->setProcessEnvironment(environnement());
            p->start(QCoreApplication::applicationFilePath(), {QStringLiteral("TestAcceptance"), nom});
            cas_[nom] = std::move(p);
        }
        QVERIFY2(!cas_.empty(), "no acceptance case found");
    }

    void cas_data()
    {
        QTest::addColumn<QString>("nom");
        for (const auto& [nom, processus] : cas_)
            QTest::newRow(qPrintable(nom)) << nom;
    }

    void cas()
    {
        QFETCH(QString, nom);
        QProcess& p = *cas_.at(nom);
        const int reste = std::max(1000, int(LIMITE_MS - chrono_.elapsed()));
        if (!p.waitForFinished(reste)) {
            p.kill();
            p.waitForFinished(5000);
            QFAIL(qPrintable(QStringLiteral("%1 did not end within %2 s").arg(nom).arg(LIMITE_MS / 1000)));
        }
        const QString sortie = QString::fromUtf8(p.readAll());
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            // The case's own lines tell what it saw.
            QStringList lignes;
            for (const QString& l : sortie.split(QLatin1Char('\n')))
                if (l.startsWith(QLatin1String("FAIL")) || l.contains(QLatin1String("Loc:"))
                    || l.startsWith(QLatin1String("QWARN")) || l.contains(QLatin1String("cloth mismatch")))
                    lignes << l;
            QFAIL(qPrintable(QStringLiteral("%1 failed:\n%2").arg(nom, lignes.join(QLatin1Char('\n')))));
        }
        if (sortie.contains(QLatin1String("SKIP")))
            QSKIP(qPrintable(QStringLiteral("%1 was skipped").arg(nom)));
    }
};

ZB_REGISTER_TEST(TestAcceptanceEnParallele)
#include "TestAcceptanceEnParallele.moc"
