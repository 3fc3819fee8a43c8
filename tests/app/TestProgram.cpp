#include "ZbTestRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The program itself, started unattended in a home folder of its own.
struct Programme
{
    static constexpr int ATTENTE_MS = 180000;

    QTemporaryDir maison;
    QProcess processus;

    void demarre(const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.insert(QLatin1String(variable), maison.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        processus.setProcessEnvironment(env);
        // The room's trace goes to standard error: nobody reads it here.
        processus.setStandardErrorFile(QProcess::nullDevice());
        processus.start(QStringLiteral(ZB_PROGRAMME), arguments);
    }
    // Waits for the end; the standard output, or "" when the program did
    // not end in time or ended with an error.
    QString sortie()
    {
        if (!processus.waitForFinished(ATTENTE_MS)) {
            processus.kill();
            processus.waitForFinished();
            return QString();
        }
        if (processus.exitStatus() != QProcess::NormalExit || processus.exitCode() != 0)
            return QString();
        return QString::fromUtf8(processus.readAllStandardOutput());
    }
};

// "MATCH a b file path" or "OPENED a b events n": the two scores and the
// rest of the line.
bool lisScores(const QString& sortie, const QString& mot, int& a, int& b, QString& reste)
{
    const QRegularExpression re(QStringLiteral("^%1 (\\d+) (\\d+) (.*)$").arg(mot),
                                QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = re.match(sortie);
    if (!m.hasMatch())
        return false;
    a = m.captured(1).toInt();
    b = m.captured(2).toInt();
    reste = m.captured(3).trimmed();
    return true;
}

quint16 portLibre()
{
    QTcpServer temporaire;
    if (!temporaire.listen(QHostAddress::LocalHost, 0))
        return 0;
    return temporaire.serverPort();
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    // A command line that does not read stops the program before any
    // window: the reason and the usage lines, and exit status 2.
    void ligneDeCommandeRefusee_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--nonsense")};
        QTest::newRow("missing value") << QStringList{QStringLiteral("--port")};
        QTest::newRow("port out of range") << QStringList{QStringLiteral("--port"), QStringLiteral("70000")};
        QTest::newRow("host and client") << QStringList{QStringLiteral("--server"), QStringLiteral("--client")};
        QTest::newRow("missing file") << QStringList{QStringLiteral("--file"), QStringLiteral("/nonexistent/x.jss")};
    }
    void ligneDeCommandeRefusee()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir maison;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            env.insert(QLatin1String(variable), maison.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZB_PROGRAMME), arguments);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("Usage: zubrik")));
        // No window, so no game and no trace were written.
        QDirIterator fichiers(maison.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QVERIFY2(!fichiers.hasNext(), qPrintable(fichiers.hasNext() ? fichiers.next() : QString()));
    }

    // The program plays a whole Jass match unattended, writes it to a file,
    // and reads that file back to the same scores.
    void matchSansSurveillance()
    {
        Programme joue;
        joue.demarre({QStringLiteral("--autotest")});
        const QString sortie = joue.sortie();
        int a = 0;
        int b = 0;
        QString fichier;
        QVERIFY2(lisScores(sortie, QStringLiteral("MATCH"), a, b, fichier), qPrintable(sortie));
        QVERIFY(a >= 1000 || b >= 1000);
        fichier.remove(QRegularExpression(QStringLiteral("^file ")));
        QVERIFY2(QFile::exists(fichier), qPrintable(fichier));

        Programme relit;
        relit.demarre({QStringLiteral("--autotest"), QStringLiteral("--file"), fichier});
        const QString relu = relit.sortie();
        int a2 = -1;
        int b2 = -1;
        QString reste;
        QVERIFY2(lisScores(relu, QStringLiteral("OPENED"), a2, b2, reste), qPrintable(relu));
        QCOMPARE(a2, a);
        QCOMPARE(b2, b);
    }

    // One program hosts on loopback, another joins it: both play the match
    // to its end and agree on the scores.
    void heberger()
    {
        const quint16 port = portLibre();
        QVERIFY(port != 0);
        const QStringList communs = {QStringLiteral("--autotest"), QStringLiteral("--tcpsockets"),
                                     QStringLiteral("--port"), QString::number(port)};
        Programme hote;
        hote.demarre(communs + QStringList{QStringLiteral("--server")});
        // The client gives up after a while when nobody listens: it starts
        // once the host does.
        QVERIFY(QTest::qWaitFor([&] {
            QTcpSocket essai;
            essai.connectToHost(QHostAddress::LocalHost, port);
            const bool ouvert = essai.waitForConnected(100);
            essai.abort();
            return ouvert;
        }, 20000));
        Programme client;
        client.demarre(communs + QStringList{QStringLiteral("--client")});
        const QString duClient = client.sortie();
        const QString deLHote = hote.sortie();
        int ha = 0;
        int hb = 0;
        int ca = -1;
        int cb = -1;
        QString reste;
        QVERIFY2(lisScores(deLHote, QStringLiteral("MATCH"), ha, hb, reste), qPrintable(deLHote));
        QVERIFY2(lisScores(duClient, QStringLiteral("MATCH"), ca, cb, reste), qPrintable(duClient));
        QCOMPARE(ca, ha);
        QCOMPARE(cb, hb);
        QVERIFY(ha >= 1000 || hb >= 1000);
    }
};

ZB_REGISTER_TEST(TestProgram)
#include "TestProgram.moc"
