#include "Descendance.h"
#include "EcranVirtuel.h"
#include "Lenteur.h"
#include "ManqueSousCI.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <map>
#include <memory>

// The whole acceptance suite side by side: every case of TestAcceptance in
// a process of its own (each has its own screen), so that the suite lasts
// about as long as its longest cases, which spend most of their time
// waiting for the table's pace. Each case's result is one row.
//
// Rules:
// - At most one case more than the processors runs at once: each is a
//   program drawing with a software renderer, and nine of them on two
//   processors slowed every table past what a person would wait for (a
//   card taking seconds to leave the hand). The others wait their turn, in
//   the order QtTest lists them.
// - A case has LIMITE_MS from its own start; past it, it is killed.
// - Every case ends with the runner, and every program a case started with
//   the case, however either ends (Descendance.h).
// - ZUBRIK_ACCEPTANCE_CASES=<case>,<case> runs only those cases.
namespace {

// QtTest ends a test function past five minutes, and a case's row waits for
// its case, which may first wait its turn, and a case's own function lasts
// up to its time limit: the runner's limits and CTest's own time-out rule
// instead. Set before QtTest reads it, for the runner and the cases it
// starts.
const bool delaiDesFonctions = [] {
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(24 * 3600 * 1000));
    return true;
}();

} // namespace

class TestAcceptanceEnParallele : public QObject
{
    Q_OBJECT

    // The longest case (a player's return, which waits out online turns
    // under a box left open) takes about 195 s on a quiet machine; the
    // longest limit a case sets itself (the Belote lead's four deals) is
    // 400 s, and it must be the one that speaks.
    static constexpr int LIMITE_MS = 420000;
    static constexpr int REGARD_MS = 100;

    struct Cas
    {
        std::unique_ptr<QProcess> processus;
        QElapsedTimer chrono; // from the case's start
        bool tue = false;     // killed past its time
    };
    std::map<QString, Cas> cas_;
    QStringList enAttente_;
    int enMemeTemps_ = 1;

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
        descendance::finitAvecLeParent(liste);
        liste.start(QCoreApplication::applicationFilePath(), {QStringLiteral("TestAcceptance"), QStringLiteral("-functions")});
        liste.waitForFinished(30000);
        const QStringList choisis =
            qEnvironmentVariable("ZUBRIK_ACCEPTANCE_CASES").split(QLatin1Char(','), Qt::SkipEmptyParts);
        QStringList noms;
        for (const QByteArray& ligne : liste.readAllStandardOutput().split('\n')) {
            const QString nom = QString::fromUtf8(ligne).trimmed().remove(QStringLiteral("()"));
            if (!nom.isEmpty() && nom != QLatin1String("initTestCase") && (choisis.isEmpty() || choisis.contains(nom)))
                noms << nom;
        }
        return noms;
    }

    static bool enCours(const Cas& c) { return c.processus && c.processus->state() != QProcess::NotRunning; }

    // Kills the cases past their time and starts waiting ones while there
    // is room.
    void avance_()
    {
        int actifs = 0;
        for (auto& [nom, c] : cas_) {
            if (!enCours(c))
                continue;
            if (c.chrono.elapsed() > lenteur::limite(LIMITE_MS)) {
                c.processus->kill();
                c.processus->waitForFinished(5000);
                c.tue = true;
                continue;
            }
            ++actifs;
        }
        while (actifs < enMemeTemps_ && !enAttente_.isEmpty()) {
            const QString nom = enAttente_.takeFirst();
            Cas& c = cas_[nom];
            c.processus = std::make_unique<QProcess>();
            c.processus->setProcessChannelMode(QProcess::MergedChannels);
            c.processus->setProcessEnvironment(environnement());
            // A case killed with the runner takes its own programs along.
            descendance::finitAvecLeParent(*c.processus);
            c.processus->start(QCoreApplication::applicationFilePath(), {QStringLiteral("TestAcceptance"), nom});
            c.chrono.start();
            ++actifs;
        }
    }

private slots:
    void initTestCase()
    {
        if (!EcranVirtuel::xvfbDisponible())
            ZB_MANQUE("Xvfb is not installed: the program cannot be shown on a virtual screen");
        enMemeTemps_ = std::max(2, QThread::idealThreadCount() + 1);
        enAttente_ = nomsDesCas();
        for (const QString& nom : std::as_const(enAttente_))
            cas_[nom];
        QVERIFY2(!cas_.empty(), "no acceptance case found");
        avance_();
    }

    void cas_data()
    {
        QTest::addColumn<QString>("nom");
        for (const auto& [nom, c] : cas_)
            QTest::newRow(qPrintable(nom)) << nom;
    }

    void cas()
    {
        QFETCH(QString, nom);
        const Cas& c = cas_.at(nom);
        while (!c.processus || enCours(c)) {
            avance_();
            // The event loop reads the cases' output as it comes, so that
            // none stops on a full pipe.
            QTest::qWait(REGARD_MS);
        }
        if (c.tue)
            QFAIL(qPrintable(QStringLiteral("%1 did not end within %2 s").arg(nom).arg(lenteur::limite(LIMITE_MS) / 1000)));
        const QString sortie = QString::fromUtf8(c.processus->readAll());
        if (c.processus->exitStatus() != QProcess::NormalExit || c.processus->exitCode() != 0) {
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
