#include "Descendance.h"
#include "EcranVirtuel.h"
#include "Lenteur.h"
#include "ManqueSousCI.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// The acceptance suite leaves nothing running behind it: the runner or a
// case killed in the middle of a network case (the windowless host, its
// guest and their virtual screens up) takes every program it started along.
// This process adopts whatever its children leave orphaned, so that a
// program left running shows here as a child of its own.
class TestFinDesProgrammes : public QObject
{
    Q_OBJECT

    static constexpr const char* CAS = "hoteSansFenetreArrete";

    struct Processus
    {
        qint64 parent = 0;
        QString nom;
        bool zombie = false;
        bool serveur = false; // the program started with --server
    };

    static QMap<qint64, Processus> processus()
    {
        QMap<qint64, Processus> tous;
        for (const QString& entree : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            bool ok = false;
            const qint64 pid = entree.toLongLong(&ok);
            if (!ok)
                continue;
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid ...": the name may hold spaces.
            const QByteArray ligne = stat.readAll();
            const qsizetype fin = ligne.lastIndexOf(')');
            if (fin < 0)
                continue;
            const QList<QByteArray> suite = ligne.mid(fin + 2).split(' ');
            if (suite.size() < 2)
                continue;
            Processus p;
            p.nom = QString::fromUtf8(ligne.mid(ligne.indexOf('(') + 1, fin - ligne.indexOf('(') - 1));
            p.zombie = suite.at(0) == "Z";
            p.parent = suite.at(1).toLongLong();
            QFile commande(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (commande.open(QIODevice::ReadOnly))
                p.serveur = commande.readAll().split('\0').contains("--server");
            tous.insert(pid, p);
        }
        return tous;
    }

    // The living processes below that one.
    static QMap<qint64, Processus> descendants(qint64 racine)
    {
        const QMap<qint64, Processus> tous = processus();
        QMap<qint64, Processus> trouves;
        QList<qint64> aVoir{racine};
        while (!aVoir.isEmpty()) {
            const qint64 parent = aVoir.takeFirst();
            for (auto it = tous.cbegin(); it != tous.cend(); ++it)
                if (it->parent == parent && !it->zombie && !trouves.contains(it.key())) {
                    trouves.insert(it.key(), *it);
                    aVoir << it.key();
                }
        }
        return trouves;
    }

    static QString liste(const QMap<qint64, Processus>& p)
    {
        QStringList noms;
        for (auto it = p.cbegin(); it != p.cend(); ++it)
            noms << QStringLiteral("%1 (%2)").arg(it->nom).arg(it.key());
        return noms.join(QStringLiteral(", "));
    }

private slots:
    void initTestCase()
    {
        if (!EcranVirtuel::xvfbDisponible())
            ZB_MANQUE("Xvfb is not installed: no case can start its programs");
        QVERIFY(prctl(PR_SET_CHILD_SUBREAPER, 1) == 0);
    }

    void rienNeResteApresUnArret_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("signal");
        // CTest's limit ends the runner so; the runner ends a case past its
        // time so.
        QTest::newRow("runner killed") << QStringList{QStringLiteral("TestAcceptanceEnParallele")} << int(SIGKILL);
        QTest::newRow("case killed") << QStringList{QStringLiteral("TestAcceptance"), QLatin1String(CAS)}
                                     << int(SIGKILL);
    }

    void rienNeResteApresUnArret()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, signal);
        // The killed case's home folders and pictures go with this one.
        QTemporaryDir dossier;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZUBRIK_ACCEPTANCE_CASES"), QLatin1String(CAS));
        env.insert(QStringLiteral("ZUBRIK_ACCEPTANCE_PICTURES"), dossier.path());
        env.insert(QStringLiteral("TMPDIR"), dossier.path());
        QProcess lance;
        lance.setProcessEnvironment(env);
        lance.setStandardOutputFile(QProcess::nullDevice());
        lance.setStandardErrorFile(QProcess::nullDevice());
        lance.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(lance.waitForStarted(10000));
        const qint64 pid = lance.processId();

        // Killed once the windowless host and its guest both run.
        QMap<qint64, Processus> vus;
        QElapsedTimer attente;
        attente.start();
        for (;;) {
            vus = descendants(pid);
            int programmes = 0;
            int serveurs = 0;
            for (const Processus& p : std::as_const(vus)) {
                programmes += p.nom == QLatin1String("zubrik");
                serveurs += p.nom == QLatin1String("zubrik") && p.serveur;
            }
            if (programmes >= 2 && serveurs >= 1)
                break;
            QVERIFY2(lance.state() != QProcess::NotRunning, "the case ended before its programs ran");
            QVERIFY2(attente.elapsed() < lenteur::limite(60000),
                     qPrintable(QStringLiteral("the case's programs did not start: %1").arg(liste(vus))));
            QTest::qWait(100);
        }
        ::kill(pid_t(pid), signal);
        QVERIFY(lance.waitForFinished(10000));

        // Whatever is left is adopted here: it must end by itself, soon.
        QMap<qint64, Processus> restants;
        attente.restart();
        do {
            QTest::qWait(100);
            restants.clear();
            const QMap<qint64, Processus> tous = processus();
            for (auto it = tous.cbegin(); it != tous.cend(); ++it) {
                if (it->parent != QCoreApplication::applicationPid())
                    continue;
                if (it->zombie)
                    waitpid(pid_t(it.key()), nullptr, WNOHANG);
                else
                    restants.insert(it.key(), *it);
            }
        } while (!restants.isEmpty() && attente.elapsed() < lenteur::limite(10000));
        for (auto it = restants.cbegin(); it != restants.cend(); ++it) {
            ::kill(pid_t(it.key()), SIGKILL);
            waitpid(pid_t(it.key()), nullptr, 0);
        }
        QVERIFY2(restants.isEmpty(),
                 qPrintable(QStringLiteral("left running after %1: %2").arg(liste(vus), liste(restants))));
    }
};

ZB_REGISTER_TEST(TestFinDesProgrammes)
#include "TestFinDesProgrammes.moc"
