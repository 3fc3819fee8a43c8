#include "GM_SharedFunctions.h"
#include "ZB_Application.h"
#include "ZB_TraceLog.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

QStringList lignes(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class Fenetre
{
public:
    explicit Fenetre(ZB_TraceLog* log)
        : log_(log)
    {
    }
    void OnHeberger() { ZB_TRACE_SLOT(log_); }

private:
    ZB_TraceLog* log_;
};

} // namespace

class TestTraceLog : public QObject
{
    Q_OBJECT

private slots:
    void enterAndLeaveLines()
    {
        QTemporaryDir dossier;
        ZB_TraceLog log(dossier.path());
        QVERIFY(!QFile::exists(log.cheminFichier()));
        Fenetre(&log).OnHeberger();
        log.log(QStringLiteral("WARNING socket closed"));
        log.close();
        const QStringList l = lignes(dossier.filePath(QStringLiteral("debugLog.txt")));
        QCOMPARE(l.size(), 3);
        QVERIFY2(l[0].contains(QStringLiteral("Enter ")) && l[0].contains(QStringLiteral("OnHeberger")),
                 qPrintable(l[0]));
        QVERIFY(l[1].contains(QStringLiteral("Leave ")) && l[1].contains(QStringLiteral("OnHeberger")));
        QVERIFY(l[2].endsWith(QStringLiteral("WARNING socket closed")));

        // A closed log opens again, appending.
        log.log(QStringLiteral("again"));
        log.close();
        QCOMPARE(lignes(log.cheminFichier()).size(), 4);
    }

    void rotatesPastTheLimit()
    {
        QTemporaryDir dossier;
        ZB_TraceLog log(dossier.path());
        const QString ligne(1000, QLatin1Char('x'));
        // An old file from an earlier run is replaced, not kept beside.
        {
            QFile ancien(log.cheminAncienFichier());
            QVERIFY(ancien.open(QIODevice::WriteOnly));
            ancien.write("previous run\n");
        }
        int ecrites = 0;
        while (QFileInfo(log.cheminFichier()).size() <= ZB_TraceLog::TAILLE_MAX) {
            log.log(ligne + QString::number(ecrites++));
            QVERIFY(ecrites < 1000);
        }
        const qint64 avantRotation = QFileInfo(log.cheminFichier()).size();
        QVERIFY(avantRotation > ZB_TraceLog::TAILLE_MAX);

        log.log(QStringLiteral("after the turn"));
        log.close();
        QCOMPARE(QFileInfo(log.cheminAncienFichier()).size(), avantRotation);
        const QStringList nouvelles = lignes(log.cheminFichier());
        QCOMPARE(nouvelles.size(), 1);
        QVERIFY(nouvelles.first().endsWith(QStringLiteral("after the turn")));
        QVERIFY(!lignes(log.cheminAncienFichier()).contains(QStringLiteral("previous run")));
    }

    // A file from an earlier run turns at the first line once it is above
    // the limit, not when it only reaches it.
    void anEarlierFileTurnsOnlyAboveTheLimit_data()
    {
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<bool>("tourne");
        QTest::newRow("at the limit") << ZB_TraceLog::TAILLE_MAX << false;
        QTest::newRow("one byte above") << ZB_TraceLog::TAILLE_MAX + 1 << true;
    }

    void anEarlierFileTurnsOnlyAboveTheLimit()
    {
        QFETCH(qint64, taille);
        QFETCH(bool, tourne);
        QTemporaryDir dossier;
        {
            QFile gros(dossier.filePath(QStringLiteral("debugLog.txt")));
            QVERIFY(gros.open(QIODevice::WriteOnly));
            gros.write(QByteArray(taille, 'y'));
        }
        ZB_TraceLog log(dossier.path());
        log.log(QStringLiteral("first"));
        log.close();
        QCOMPARE(QFileInfo::exists(log.cheminAncienFichier()), tourne);
        if (tourne) {
            QCOMPARE(QFileInfo(log.cheminAncienFichier()).size(), taille);
            QCOMPARE(lignes(log.cheminFichier()).size(), 1);
        } else {
            QVERIFY(QFileInfo(log.cheminFichier()).size() > taille);
            QVERIFY(lignes(log.cheminFichier()).last().endsWith(QStringLiteral("first")));
        }
    }

    void linesFromSeveralThreadsStayWhole()
    {
        QTemporaryDir dossier;
        ZB_TraceLog log(dossier.path());
        constexpr int nbThreads = 4;
        constexpr int parThread = 300;
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < nbThreads; ++t)
            threads.emplace_back(QThread::create([&log, t] {
                for (int i = 0; i < parThread; ++i)
                    log.log(QStringLiteral("thread %1 line %2 ").arg(t).arg(i) + QString(200, QLatin1Char('z')));
            }));
        for (auto& thread : threads)
            thread->start();
        for (auto& thread : threads)
            QVERIFY(thread->wait(5000));
        log.close();

        // 1200 lines of some 250 bytes pass the limit once: every line is in
        // one of the two files, whole.
        QStringList toutes = lignes(log.cheminAncienFichier()) + lignes(log.cheminFichier());
        QCOMPARE(toutes.size(), nbThreads * parThread);
        for (const QString& l : toutes)
            QVERIFY2(l.endsWith(QString(200, QLatin1Char('z'))) && l.count(QStringLiteral("thread ")) == 1,
                     qPrintable(l.left(80)));
    }

    void applicationLogLivesInTheDataFolder()
    {
        ZB_Application* app = ZB_Application::instance();
        QVERIFY(app != nullptr);
        ZB_TraceLog* log = app->getTraceLog();
        QCOMPARE(app->getTraceLog(), log);
        QCOMPARE(log->cheminFichier(), appDataPath(app->applicationName()) + QStringLiteral("debugLog.txt"));
        // Never the user's own folder: the run's home is a temporary one.
        QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
        QVERIFY(log->cheminFichier().startsWith(QDir::homePath()));
        log->log(QStringLiteral("test"));
        app->closeTraceLog();
        QVERIFY(QFile::exists(log->cheminFichier()));
    }
};

ZB_REGISTER_TEST(TestTraceLog)
#include "TestTraceLog.moc"
