#include "Descendance.h"
#include "ZB_HoteSansFenetre.h"
#include "ZB_MultiServer.h"
#include "ZB_SalleHote.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "ZB_Settings.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The program itself, started unattended in a home folder of its own.
struct Programme
{
    static constexpr int ATTENTE_MS = 180000;

    QTemporaryDir maison;
    QProcess processus;

    // sansEcran: no display, and no windowing plugin named either. The
    // room's trace goes to the standard error, which nobody reads unless
    // litErreurs.
    void demarre(const QStringList& arguments, bool sansEcran = false, bool litErreurs = false)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.insert(QLatin1String(variable), maison.path());
        if (sansEcran) {
            for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                env.remove(QLatin1String(variable));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        processus.setProcessEnvironment(env);
        if (!litErreurs)
            processus.setStandardErrorFile(QProcess::nullDevice());
        descendance::finitAvecLeParent(processus);
        processus.start(QStringLiteral(ZB_PROGRAMME), arguments);
    }
    // Waits for the end; false, the program killed, when it did not end in
    // time.
    bool attendFin()
    {
        if (processus.waitForFinished(ATTENTE_MS))
            return true;
        processus.kill();
        processus.waitForFinished();
        return false;
    }
    // Waits for the end, this test's event loop running meanwhile (a host
    // of the test answers from it), and checks that the program ended with
    // status 1 and a line "ERROR <motif>" (a regular expression) on its
    // standard error.
    void finitEnErreur(const QString& motif, int attenteMs = ATTENTE_MS)
    {
        const bool fini = QTest::qWaitFor([this] { return processus.state() == QProcess::NotRunning; }, attenteMs);
        if (!fini)
            attendFin();
        QVERIFY2(fini, "still running");
        QCOMPARE(processus.exitStatus(), QProcess::NormalExit);
        QCOMPARE(processus.exitCode(), 1);
        const QString erreur = QString::fromUtf8(processus.readAllStandardError());
        QVERIFY2(QRegularExpression(QStringLiteral("^ERROR ") + motif, QRegularExpression::MultilineOption)
                     .match(erreur)
                     .hasMatch(),
                 qPrintable(erreur.right(2000)));
    }
    // Waits for the end; the standard output, or "" when the program did
    // not end in time or ended with an error.
    QString sortie()
    {
        if (!attendFin())
            return QString();
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

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ecrit(const QString& chemin, const QByteArray& octets)
{
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
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

    // A record of a whole match, as the program writes it.
    QByteArray match_;

    QByteArray match()
    {
        if (match_.isEmpty()) {
            Programme joue;
            joue.demarre({QStringLiteral("--autotest")});
            QString fichier;
            int a = 0;
            int b = 0;
            if (lisScores(joue.sortie(), QStringLiteral("MATCH"), a, b, fichier))
                match_ = contenu(fichier.remove(QRegularExpression(QStringLiteral("^file "))));
        }
        return match_;
    }

    // Damaged files of every kind the program refuses.
    // The unattended run also gets a file that is refused only once its
    // deal under way is replayed (the window first asks whether to watch
    // the replay).
    static void fichiersRefuses(const QByteArray& partie, bool refusAuRejeu = false)
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << QByteArray("12\r\n");
        QTest::newRow("cut inside a UTF-8 character") << partie.left(partie.indexOf("\xc3") + 1);
        QString negatifs = QString::fromUtf8(partie);
        negatifs.replace(QRegularExpression(QStringLiteral("(?<=!)(\\d+)(?=!)")), QStringLiteral("-\\1"));
        QTest::newRow("numbers negated") << negatifs.toUtf8();
        QTest::newRow("one huge line") << QByteArray("12\r\n{Ajo!" + QByteArray(200000, 'x') + "!0!37!0!1!0!5!0!}\r\n");
        if (!refusAuRejeu)
            return;
        // A game in progress whose deal under way is dealt from another
        // generator: its seats play cards they do not hold, which shows once
        // the table replays the deal.
        QString generateur;
        const QList<QByteArray> lignes = partie.split('\n');
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            generateur += QString::fromUtf8(lignes.at(i)) + QLatin1Char('\n');
            if (i >= 150 && lignes.at(i).startsWith("{Ram!"))
                break;
        }
        const QRegularExpression graine(QStringLiteral("(\\{Enr!\\{-?\\d+!\\{\\d+!)(-?\\d+)"));
        const qsizetype dernier = generateur.lastIndexOf(QLatin1String("{Enr!"));
        const QRegularExpressionMatch m = graine.match(generateur, qMax<qsizetype>(0, dernier));
        if (m.hasMatch())
            generateur.replace(m.capturedStart(2), m.capturedLength(2), QString::number(m.captured(2).toLongLong() + 1));
        QTest::newRow("a changed generator") << generateur.toUtf8();
    }

private slots:
    // A command line that does not read stops the program before any
    // window: the reason and the usage lines, and exit status 2. A game file
    // that is not there is named, path in full, before the usage lines.
    // "--help" prints the usage lines alone on the standard output, status 0.
    void ligneDeCommandeSansFenetre_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        // What the standard error holds; "@" stands for the home folder.
        QTest::addColumn<QString>("raison");
        QTest::addColumn<bool>("usage");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--nonsense")} << 2
                                        << "Unknown option '--nonsense'." << true;
        QTest::newRow("missing value") << QStringList{QStringLiteral("--port")} << 2 << "--port: a value is missing."
                                       << true;
        QTest::newRow("port out of range") << QStringList{QStringLiteral("--port"), QStringLiteral("70000")} << 2
                                           << "'70000' is not a number from 1 to 65535." << true;
        QTest::newRow("host and client") << QStringList{QStringLiteral("--server"), QStringLiteral("--client")} << 2
                                         << "--server and --client cannot be given together." << true;
        QTest::newRow("missing file") << QStringList{QStringLiteral("--file"), QStringLiteral("/nonexistent/x.jss")} << 2
                                      << "--file: Game file not found: '/nonexistent/x.jss' (/nonexistent/x.jss)."
                                      << true;
        QTest::newRow("missing file named alone") << QStringList{QStringLiteral("nofile.jss")} << 2
                                                  << "Game file not found: 'nofile.jss' (@/nofile.jss)." << true;
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QString() << true;
    }
    void ligneDeCommandeSansFenetre()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, raison);
        QFETCH(bool, usage);
        QTemporaryDir maison;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            env.insert(QLatin1String(variable), maison.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(maison.path());
        p.start(QStringLiteral(ZB_PROGRAMME), arguments);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        const QString sortie = QString::fromUtf8(p.readAllStandardOutput());
        const QString erreurs = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE((code == 0 ? sortie : erreurs).contains(QStringLiteral("Usage: zubrik")), usage);
        const QString attendu = QString(raison).replace(QLatin1Char('@'), QDir(maison.path()).canonicalPath());
        QVERIFY2(erreurs.contains(attendu), qPrintable(erreurs));
        if (code == 0)
            QVERIFY2(sortie.startsWith(QStringLiteral("Usage: zubrik")) && !erreurs.contains(QStringLiteral("Usage")), qPrintable(erreurs));
        // No window, so no game and no trace were written.
        QDirIterator fichiers(maison.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QVERIFY2(!fichiers.hasNext(), qPrintable(fichiers.hasNext() ? fichiers.next() : QString()));
    }

    // The program plays a whole Jass match unattended, writes it to a file,
    // and reads that file back to the same scores. The file is the data
    // folder's own: a link in its place goes aside, and what it led to is
    // not written.
    void matchSansSurveillance()
    {
        Programme joue;
        QTemporaryDir ailleurs;
        const QString cible = ailleurs.filePath(QStringLiteral("autre.jss"));
        QVERIFY(ecrit(cible, "x"));
        const QString donnees = joue.maison.filePath(QStringLiteral("Zubrik/Zubrik/"));
        QVERIFY(QDir().mkpath(donnees));
        QVERIFY(QFile::link(cible, donnees + QStringLiteral("automatic.jss")));
        joue.demarre({QStringLiteral("--autotest")});
        const QString sortie = joue.sortie();
        int a = 0;
        int b = 0;
        QString fichier;
        QVERIFY2(lisScores(sortie, QStringLiteral("MATCH"), a, b, fichier), qPrintable(sortie));
        QVERIFY(a >= 1000 || b >= 1000);
        fichier.remove(QRegularExpression(QStringLiteral("^file ")));
        QVERIFY2(QFileInfo(fichier).isFile() && !QFileInfo(fichier).isSymLink(), qPrintable(fichier));
        QCOMPARE(contenu(cible), QByteArray("x"));

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

    // An unattended run given a file it cannot open says which and why, and
    // ends with status 1 instead of staying open.
    void fichierRefuseSansSurveillance_data() { fichiersRefuses(match(), true); }
    void fichierRefuseSansSurveillance()
    {
        QFETCH(QByteArray, octets);
        Programme p;
        const QString fichier = p.maison.filePath(QStringLiteral("abime.jss"));
        QVERIFY(ecrit(fichier, octets));
        p.demarre({QStringLiteral("--auto"), QStringLiteral("--file"), fichier}, false, true);
        QVERIFY2(p.attendFin(), "still open after the error");
        QCOMPARE(p.processus.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.processus.exitCode(), 1);
        const QString erreur = QString::fromUtf8(p.processus.readAllStandardError());
        const QRegularExpression ligne(QStringLiteral("^ERROR .*abime\\.jss.*\\n.+"), QRegularExpression::MultilineOption);
        QVERIFY2(ligne.match(erreur).hasMatch(), qPrintable(erreur.right(2000)));
    }

    // An unattended run opening a file that stops at the user's own move
    // (unreadable from there, or simply ending there, as a quit leaves it)
    // reports what it read and ends, rather than letting the computer play
    // on at the table's pace; a damaged file says so and ends with status 1.
    void fichierArreteAuCoupDeLUtilisateur_data()
    {
        QTest::addColumn<bool>("abime");
        // --autotest plays the user's seat by the computer, as --auto does
        // not: the file's user is a seat played by hand all the same.
        QTest::addColumn<QString>("option");
        for (const QString& option : {QStringLiteral("--auto"), QStringLiteral("--autotest")}) {
            QTest::addRow("unreadable from the user's move, %s", qPrintable(option)) << true << option;
            QTest::addRow("ending at the user's move, %s", qPrintable(option)) << false << option;
        }
    }
    void fichierArreteAuCoupDeLUtilisateur()
    {
        QFETCH(bool, abime);
        QFETCH(QString, option);
        const QList<QByteArray> lignes = match().split('\n');
        QVERIFY(lignes.size() > 100);
        // The user's first card after the first deal (the user is seat 0).
        qsizetype coup = 60;
        while (coup < lignes.size() && !QRegularExpression(QStringLiteral("^\\{Ajo![^!]*!0!"))
                                            .match(QString::fromUtf8(lignes.at(coup)))
                                            .hasMatch())
            ++coup;
        QVERIFY(coup < lignes.size());
        QByteArray octets;
        for (qsizetype i = 0; i < coup; ++i)
            octets += lignes.at(i) + '\n';
        if (abime)
            octets += "{Ajo!illisible\n" + lignes.mid(coup + 1).join('\n');
        Programme p;
        const QString fichier = p.maison.filePath(QStringLiteral("coup.jss"));
        QVERIFY(ecrit(fichier, octets));
        p.demarre({option, QStringLiteral("--file"), fichier}, false, true);
        QVERIFY2(p.attendFin(), "still playing after the file was read");
        QCOMPARE(p.processus.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.processus.exitCode(), abime ? 1 : 0);
        int a = -1;
        int b = -1;
        QString reste;
        const QString sortie = QString::fromUtf8(p.processus.readAllStandardOutput());
        QVERIFY2(lisScores(sortie, QStringLiteral("OPENED"), a, b, reste), qPrintable(sortie));
        // What the file holds, not a match played on.
        QVERIFY2(a < 1000 && b < 1000, qPrintable(sortie));
        const QString erreur = QString::fromUtf8(p.processus.readAllStandardError());
        const QRegularExpression ligne(QStringLiteral("^ERROR .*coup\\.jss.*%1").arg(coup + 1),
                                       QRegularExpression::MultilineOption);
        QCOMPARE(ligne.match(erreur).hasMatch(), abime);
    }

    // A file given at start that cannot be opened leaves the game in
    // progress: its autosave is resumed, and not a byte of it changes.
    void fichierRefuseGardeLaPartie_data() { fichiersRefuses(match()); }
    void fichierRefuseGardeLaPartie()
    {
        QFETCH(QByteArray, octets);
        QVERIFY(!match().isEmpty());
        Programme p;
        const QString donnees = p.maison.filePath(QStringLiteral("Zubrik/Zubrik/"));
        const QString autosave = donnees + QStringLiteral("autosave.jss");
        const QString trace = donnees + QStringLiteral("debugLog.txt");
        // A game in progress: the first deals of the match, left as a quit
        // leaves it while the computers collect a trick (after the first
        // collect of a trick from the 150th line on), resumed once so that
        // its autosave is in the form the program writes at the user's turn.
        const QList<QByteArray> lignes = match().split('\n');
        QByteArray debut;
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            debut += lignes.at(i) + '\n';
            if (i >= 150 && lignes.at(i).startsWith("{Ram!"))
                break;
        }
        QVERIFY(ecrit(autosave, debut));
        auto demarre = [&p](const QStringList& arguments) {
            // Nobody reads it while it runs: a full pipe would stop it.
            p.processus.setStandardOutputFile(QProcess::nullDevice());
            p.demarre(arguments);
        };
        auto arrete = [&p] {
            p.processus.kill();
            p.processus.waitForFinished();
        };
        demarre({QStringLiteral("--nowait")});
        const bool reecrite = QTest::qWaitFor([&] { return contenu(autosave) != debut; }, 60000);
        arrete();
        // A resumed game that never reaches its user's turn hangs (it did
        // when the record ended among the computers' collects of a trick).
        QVERIFY2(reecrite, "the resumed game was never saved again: it did not go on");
        const QByteArray avant = contenu(autosave);

        const QString fichier = p.maison.filePath(QStringLiteral("abime.jss"));
        QVERIFY(ecrit(fichier, octets));
        QFile::remove(trace);
        demarre({QStringLiteral("--nowait"), QStringLiteral("--file"), fichier});
        // The error is told; the game that goes on then reaches the user's
        // turn, when a new game would have been saved over the old one.
        const bool dit = QTest::qWaitFor([&] { return contenu(trace).contains("Error: "); }, 60000);
        const bool changee = QTest::qWaitFor([&] { return contenu(autosave) != avant; }, 5000);
        arrete();
        QVERIFY(!changee);
        QVERIFY(dit);
        QVERIFY2(contenu(trace).contains("abime.jss"), contenu(trace).constData());
        QCOMPARE(contenu(autosave), avant);
    }

    // What took the names of the program's files and is no regular file
    // (a link to a file elsewhere, to a pipe, to a device-like entry; a
    // pipe itself) is moved aside, and the program writes files of its own
    // there: the link's target is never written, nor the pipe opened. The
    // device-like entry is a local socket in a temporary folder, never a
    // real device: a program that wrote through links would replace it,
    // and as root a real one would be lost to the whole machine.
    void fichiersQuiNenSontPas_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::newRow("link to a file outside") << QStringLiteral("fichier");
        QTest::newRow("link to a pipe") << QStringLiteral("tube");
        QTest::newRow("link to a device-like entry") << QStringLiteral("appareil");
        QTest::newRow("pipe") << QStringLiteral("tube nu");
    }
    void fichiersQuiNenSontPas()
    {
        QFETCH(QString, genre);
        Programme p;
        QTemporaryDir ailleurs;
        QVERIFY(ailleurs.isValid());
        const QString donnees = p.maison.filePath(QStringLiteral("Zubrik/Zubrik/"));
        QVERIFY(QDir().mkpath(donnees));
        // The desktop's registration (the configuration folder is the data
        // folder here) is written at start, as the autosave and the trace;
        // the settings are written at the quit, the locks only for a moment.
        const QStringList noms{donnees + QStringLiteral("autosave.jss"), donnees + QStringLiteral("debugLog.txt"),
                               donnees + QStringLiteral("ShellClasses.ini"),
                               donnees + QStringLiteral("ShellClasses.ini.lock"),
                               p.maison.filePath(QStringLiteral("Zubrik/Zubrik.conf"))};
        const qsizetype ecritsAuDepart = 3;
        QStringList cibles;
        std::vector<std::unique_ptr<QLocalServer>> appareils;
        for (const QString& nom : noms) {
            const QString cible = ailleurs.filePath(QFileInfo(nom).fileName());
            if (genre == QLatin1String("appareil")) {
                appareils.push_back(std::make_unique<QLocalServer>());
                appareils.back()->setSocketOptions(QLocalServer::UserAccessOption);
                QVERIFY(appareils.back()->listen(cible));
            } else if (genre == QLatin1String("fichier")) {
                QVERIFY(ecrit(cible, "x"));
            } else {
                QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"),
                                           {genre == QLatin1String("tube nu") ? nom : cible}),
                         0);
            }
            if (genre != QLatin1String("tube nu"))
                QVERIFY(QFile::link(cible, nom));
            cibles << cible;
        }
        // The program's own settings file is one of the entries under test,
        // so the welcome is answered in the organisation's file, which the
        // settings fall back on: without it the first deal waits for the
        // welcome and no autosave comes.
        QVERIFY(ecrit(p.maison.filePath(QStringLiteral("Zubrik.conf")), "[Tutorial]\ndone=true\n"));
        p.processus.setStandardOutputFile(QProcess::nullDevice());
        p.demarre({QStringLiteral("--nowait")});
        // The settings are written at the quit, which a kill skips: their
        // entry is only moved aside.
        const bool ecrits = QTest::qWaitFor([&] {
            for (qsizetype i = 0; i < noms.size(); ++i) {
                const QFileInfo f(noms.at(i));
                if (f.isSymLink() || (i < ecritsAuDepart ? !f.isFile() || f.size() == 0 : f.exists() && !f.isFile()))
                    return false;
            }
            return true;
        }, 60000);
        p.processus.kill();
        p.processus.waitForFinished();
        QVERIFY2(ecrits, "the program's own files were not written");
        for (const QString& nom : noms) {
            // Moved aside, not lost: a resume file that does not read is
            // kept aside as a damaged game.
            const QFileInfo f(nom);
            const QStringList cote = QDir(f.absolutePath())
                                         .entryList({f.fileName() + QStringLiteral(".not-a-file-*"),
                                                     f.completeBaseName() + QStringLiteral("-abime-*")},
                                                    QDir::AllEntries | QDir::System | QDir::Hidden);
            QVERIFY2(cote.size() == 1, qPrintable(nom + QLatin1Char(' ') + cote.join(QLatin1Char(' '))));
        }
        for (const QString& cible : cibles) {
            const QFileInfo f(cible);
            if (genre == QLatin1String("fichier"))
                QCOMPARE(contenu(cible), QByteArray("x"));
            else if (genre == QLatin1String("appareil"))
                QVERIFY(!f.isFile() && !f.isSymLink() && f.exists());
        }
        if (genre == QLatin1String("tube"))
            for (const QString& cible : cibles)
                QVERIFY(!QFileInfo(cible).isFile());
    }

    // An unattended client whose join comes to nothing ends: refused by
    // the host, with nobody at the port, or at a port that takes the
    // connection and never says a word, it says why on a line of its own
    // and ends with status 1, instead of waiting for ever.
    void clientSansPartie_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("muet");
        QTest::addColumn<QString>("dit");
        QTest::newRow("refused by the host") << true << false << QStringLiteral("\\S");
        QTest::newRow("nobody at the port") << false << false << QStringLiteral("\\S");
        QTest::newRow("a port that never speaks") << false << true << QStringLiteral("[\\s\\S]*aucun serveur de jeu");
    }
    void clientSansPartie()
    {
        QFETCH(bool, refuse);
        QFETCH(bool, muet);
        QFETCH(QString, dit);
        QTcpServer hote;
        QVERIFY(hote.listen(QHostAddress::LocalHost, 0));
        const quint16 port = hote.serverPort();
        // Takes every connection and holds it, reading nothing.
        QList<QTcpSocket*> tenues;
        if (muet) {
            connect(&hote, &QTcpServer::newConnection, &hote, [&hote, &tenues] {
                while (QTcpSocket* c = hote.nextPendingConnection())
                    tenues << c;
            });
        } else if (refuse) {
            // A table that is full says so and closes, whatever comes.
            connect(&hote, &QTcpServer::newConnection, &hote, [&hote] {
                while (QTcpSocket* c = hote.nextPendingConnection()) {
                    c->write("{Ref!}\r\n{Ref!Complet!}\r\n");
                    c->disconnectFromHost();
                }
            });
        } else {
            hote.close();
        }
        Programme client;
        client.demarre({QStringLiteral("--client"), QStringLiteral("--autotest"), QStringLiteral("--tcpsockets"),
                        QStringLiteral("--port"), QString::number(port)},
                       false, true);
        // Nobody at the port: every transport and each try after a pause.
        // The loop runs meanwhile: the table above answers from it.
        client.finitEnErreur(dit);
    }

    // An unattended client that loses its seat while it plays ends: removed
    // by the host, or displaced by another copy of the same player (its
    // secret, so its id, proven at the same host), it says why on a line of
    // its own and ends with status 1. The host runs here: it may remove a
    // player, which the windowless program never does.
    void clientDeloge_data()
    {
        QTest::addColumn<bool>("parUneCopie");
        // Seen from the client, a copy that takes the seat closes its old
        // socket as a stale one, without a word.
        QTest::addColumn<QString>("raison");
        QTest::newRow("removed by the host") << false << QStringLiteral("L'hôte vous a retiré de la partie.");
        QTest::newRow("displaced by another copy")
            << true << QStringLiteral("La connection avec le serveur a été interrompue.");
    }
    void clientDeloge()
    {
        QFETCH(bool, parUneCopie);
        QFETCH(QString, raison);
        QTemporaryDir dossierHote;
        ZB_Settings demarrage;
        demarrage.server = true;
        demarrage.automatique = 1;
        demarrage.port = 0;
        ZB_HoteSansFenetre hote(demarrage, dossierHote.path());
        hote.demarre();
        const quint16 port = hote.serveur()->getPortTcp();
        QVERIFY(port != 0);
        ZB_ServerSocket* serveur = hote.salle()->getServer();
        const QStringList arguments{QStringLiteral("--client"), QStringLiteral("--auto"),
                                    QStringLiteral("--tcpsockets"), QStringLiteral("--port"), QString::number(port)};
        // The connection that plays at the table under an id, or none.
        const auto assis = [serveur](qint64 id) -> ZB_ServerSocketConnection* {
            for (ZB_ServerSocketConnection* c : serveur->getJoueurs())
                if ((id < 0 || c->getPlayerId() == id) && c->getTableId() == 0)
                    return c;
            return nullptr;
        };
        Programme client;
        client.demarre(arguments, false, true);
        QVERIFY(QTest::qWaitFor([&] { return assis(-1) != nullptr; }, 30000));
        const qint64 id = assis(-1)->getPlayerId();
        Programme copie;
        if (parUneCopie) {
            const QString secret = QStringLiteral("Zubrik/Zubrik/network-player.secret");
            QVERIFY(ecrit(copie.maison.filePath(secret), contenu(client.maison.filePath(secret))));
            copie.processus.setStandardOutputFile(QProcess::nullDevice());
            copie.demarre(arguments);
        } else {
            serveur->retireJoueur(assis(id));
        }
        client.finitEnErreur(QRegularExpression::escape(raison), 60000);
        if (QTest::currentTestFailed())
            return;
        // The copy keeps the seat it took.
        if (parUneCopie)
            QVERIFY(assis(id) != nullptr && copie.processus.state() == QProcess::Running);
    }

    // One program hosts on loopback, another joins it: both play the match
    // to its end and agree on the scores. The unattended host needs no
    // display: it never loads a windowing plugin, and keeps its match. It
    // plays under the name its user keeps, on both tables. The joining
    // program finds pipes where its player's secret, key and lock go: it
    // reads none of them, and plays under an id of its own.
    void heberger()
    {
        const quint16 port = portLibre();
        QVERIFY(port != 0);
        const QStringList communs = {QStringLiteral("--autotest"), QStringLiteral("--tcpsockets"),
                                     QStringLiteral("--port"), QString::number(port)};
        Programme hote;
        QVERIFY(ecrit(hote.maison.filePath(QStringLiteral("Zubrik/Zubrik.conf")), "[Game]\nplayerName=Anna\n"));
        hote.demarre(communs + QStringList{QStringLiteral("--server")}, true);
        // The client gives up after a while when nobody listens: it starts
        // once the host does.
        QVERIFY(QTest::qWaitFor([&] {
            QTcpSocket essai;
            essai.connectToHost(QHostAddress::LocalHost, port);
            const bool ouvert = essai.waitForConnected(100);
            essai.abort();
            return ouvert;
        }, 20000));
        // Listening, the program has long built its application object,
        // which is when a windowing plugin loads.
        const QByteArray bibliotheques =
            contenu(QStringLiteral("/proc/%1/maps").arg(hote.processus.processId()));
        QVERIFY(!bibliotheques.isEmpty());
        QVERIFY2(!bibliotheques.contains("/platforms/"), bibliotheques.constData());
        Programme client;
        const QString donneesClient = client.maison.filePath(QStringLiteral("Zubrik/Zubrik/"));
        QVERIFY(QDir().mkpath(donneesClient));
        for (const char* nom : {"network-player.secret", "network-player.key", "network-player.lock"})
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {donneesClient + QLatin1String(nom)}), 0);
        client.demarre(communs + QStringList{QStringLiteral("--client")});
        const QString duClient = client.sortie();
        const QString deLHote = hote.sortie();
        int ha = 0;
        int hb = 0;
        int ca = -1;
        int cb = -1;
        QString reste;
        QVERIFY2(lisScores(deLHote, QStringLiteral("MATCH"), ha, hb, reste), qPrintable(deLHote));
        // It told where to join: its addresses and the ports of its three
        // transports, the TCP one as asked.
        const QRegularExpressionMatch ports =
            QRegularExpression(QStringLiteral("^HOST \\S+ secure-websocket (\\d+) websocket (\\d+) tcp (\\d+)$"),
                               QRegularExpression::MultilineOption)
                .match(deLHote);
        QVERIFY2(ports.hasMatch(), qPrintable(deLHote));
        QVERIFY(ports.captured(1).toInt() > 0 && ports.captured(2).toInt() > 0);
        QCOMPARE(ports.captured(3).toInt(), int(port));
        QVERIFY2(QFile::exists(reste.remove(QRegularExpression(QStringLiteral("^file ")))), qPrintable(reste));
        const QString fichierHote = reste;
        QVERIFY2(lisScores(duClient, QStringLiteral("MATCH"), ca, cb, reste), qPrintable(duClient));
        QCOMPARE(ca, ha);
        QCOMPARE(cb, hb);
        QVERIFY(ha >= 1000 || hb >= 1000);
        // The first seat enrolled is the host's.
        const QRegularExpression inscrit(QStringLiteral("\\{InJ!\\{([^!]*)!"));
        for (const QString& fichier : {fichierHote, reste.remove(QRegularExpression(QStringLiteral("^file ")))})
            QCOMPARE(inscrit.match(QString::fromUtf8(contenu(fichier))).captured(1), QStringLiteral("Anna"));
    }
};

ZB_REGISTER_TEST(TestProgram)
#include "TestProgram.moc"
