#include "ZB_CommandLine.h"
#include "ZB_HoteSansFenetre.h"
#include "ZB_Settings.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

// The fields that differ from a fresh record, as "name=value" in a fixed
// order, so that a row states everything a command line changed.
QString differences(const ZB_Settings& s)
{
    const ZB_Settings d;
    QStringList l;
    auto texte = [&l](const char* nom, const QString& valeur, const QString& defaut) {
        if (valeur != defaut)
            l << QLatin1String(nom) + QLatin1Char('=') + valeur;
    };
    auto nombre = [&texte](const char* nom, qint64 valeur, qint64 defaut) {
        texte(nom, QString::number(valeur), QString::number(defaut));
    };
    nombre("screenshotMode", s.screenshotMode, d.screenshotMode);
    nombre("automatique", s.automatique, d.automatique);
    nombre("testTileNb", s.testTileNb, d.testTileNb);
    texte("screenshotPlatform", s.screenshotPlatform, d.screenshotPlatform);
    nombre("screenshotLanguage", s.screenshotLanguage, d.screenshotLanguage);
    nombre("port", s.port, d.port);
    texte("loginEmail", s.loginEmail, d.loginEmail);
    texte("loginPass", s.loginPass, d.loginPass);
    texte("tournamentCmd", s.tournamentCmd, d.tournamentCmd);
    texte("tournamentId", s.tournamentId, d.tournamentId);
    texte("file", QFileInfo(s.file).fileName(), d.file);
    texte("movFile", QFileInfo(s.movFile).fileName(), d.movFile);
    nombre("movTable", s.movTable, d.movTable);
    nombre("testScenario", s.testScenario, d.testScenario);
    nombre("nowait", s.nowait, d.nowait);
    nombre("nossl", s.nossl, d.nossl);
    nombre("tcpsockets", s.tcpsockets, d.tcpsockets);
    nombre("server", s.server, d.server);
    nombre("client", s.client, d.client);
    nombre("autotest", s.autotest, d.autotest);
    nombre("noai", s.noai, d.noai);
    nombre("english", s.english, d.english);
    nombre("showdebug", s.showdebug, d.showdebug);
    nombre("testTournament", s.testTournament, d.testTournament);
    return l.join(QLatin1Char(' '));
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dossier;

    // "@jss" and "@jst" stand for two existing game files, "@dir" for a
    // folder.
    QStringList arguments(const QString& ligne) const
    {
        QStringList l{QStringLiteral("/opt/zubrik/zubrik")};
        for (QString a : ligne.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            a.replace(QLatin1String("@jss"), dossier.filePath(QStringLiteral("partie.jss")));
            a.replace(QLatin1String("@jst"), dossier.filePath(QStringLiteral("tournoi.jst")));
            a.replace(QLatin1String("@dir"), dossier.path());
            l << (a == QLatin1String("<empty>") ? QString() : a);
        }
        return l;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dossier.isValid());
        for (const char* nom : {"partie.jss", "tournoi.jst"}) {
            QFile f(dossier.filePath(QLatin1String(nom)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("3\r\n");
        }
    }

    // Arguments are separated by "|".
    void goodLines_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("nothing") << "" << "";
        QTest::newRow("port") << "--port|4100" << "port=4100";
        QTest::newRow("port bounds") << "--port|1|--port|65535" << "port=65535";
        QTest::newRow("login pass with dashes inside") << "--login|a@b.ch|p-a-s-s"
                                                       << "loginEmail=a@b.ch loginPass=p-a-s-s";
        QTest::newRow("tournament") << "--tournamentcmd|register|T17|--testtournament"
                                    << "tournamentCmd=register tournamentId=T17 testTournament=1";
        QTest::newRow("file option") << "--file|@jss" << "file=partie.jss";
        QTest::newRow("bare file") << "@jst" << "file=tournoi.jst";
        QTest::newRow("movie") << "--mov|@jss|2" << "movFile=partie.jss movTable=2";
        QTest::newRow("scenario 0") << "--testscenario|0" << "testScenario=0";
        QTest::newRow("scenario 3") << "--testscenario|3" << "testScenario=3";
        QTest::newRow("sessions") << "--server|--nossl|--tcpsockets|--nowait|--port|4010"
                                  << "port=4010 nowait=1 nossl=1 tcpsockets=1 server=1";
        QTest::newRow("client") << "--client" << "client=1";
        QTest::newRow("auto") << "--auto" << "automatique=1";
        QTest::newRow("autotest is unattended") << "--autotest|--noai" << "automatique=1 autotest=1 noai=1";
        QTest::newRow("debug") << "--showdebug" << "showdebug=1";
        QTest::newRow("english") << "--english" << "english=1";
        QTest::newRow("screenshots french")
            << "--screenshots|--platform|ios" << "screenshotMode=1 screenshotPlatform=ios screenshotLanguage=1";
        QTest::newRow("screenshots english")
            << "--platform|android|--screenshots|--english"
            << "screenshotMode=1 screenshotPlatform=android screenshotLanguage=2 english=1";
        QTest::newRow("tile") << "--testscreentilenb|5" << "testTileNb=5";
        QTest::newRow("last tile of the grid") << "--testscreentilenb|79" << "testTileNb=79";
        QTest::newRow("shell arguments skipped")
            << "-ServerName:Zubrik.App|zubrik://run/join?id=3|--client" << "client=1";
        QTest::newRow("url argument skipped alone") << "zubrik://run/" << "";
    }

    void goodLines()
    {
        QFETCH(QString, ligne);
        QFETCH(QString, attendu);
        ZB_Settings s;
        QString message = QStringLiteral("stale");
        QCOMPARE(ZB_CommandLine::parse(arguments(ligne), s, &message), ZB_CommandLine::Ok);
        QVERIFY(message.isEmpty());
        QCOMPARE(differences(s), attendu);
    }

    // Hosting unattended runs with no window; whatever a window shows, or
    // an attended host, keeps it.
    void windowlessHost_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<bool>("sansFenetre");
        QTest::newRow("attended host") << "--server" << false;
        QTest::newRow("unattended local game") << "--auto" << false;
        QTest::newRow("unattended client") << "--client|--autotest" << false;
        QTest::newRow("unattended host") << "--server|--auto" << true;
        QTest::newRow("self-test host") << "--autotest|--tcpsockets|--port|4010|--server|--english" << true;
        QTest::newRow("host opening a file") << "--server|--auto|@jss" << false;
        QTest::newRow("host playing a movie") << "--server|--auto|--mov|@jss|0" << false;
        QTest::newRow("host taking screenshots") << "--server|--auto|--screenshots" << false;
        QTest::newRow("host logging in") << "--server|--auto|--login|a@b.ch|pw" << false;
        QTest::newRow("host in a tournament") << "--server|--auto|--tournamentcmd|register|T17" << false;
    }

    void windowlessHost()
    {
        QFETCH(QString, ligne);
        QFETCH(bool, sansFenetre);
        ZB_Settings s;
        QCOMPARE(ZB_CommandLine::parse(arguments(ligne), s), ZB_CommandLine::Ok);
        QCOMPARE(ZB_HoteSansFenetre::convient(s), sansFenetre);
    }

    void badLines_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("raison");
        // A game file that is not there is named in full, before the usage.
        QTest::addColumn<bool>("usage");
        QTest::newRow("unknown option") << "--foo" << "Unknown option '--foo'" << true;
        QTest::newRow("single dash") << "-port|4000" << "Unexpected argument '-port'" << true;
        QTest::newRow("missing file") << "/nowhere/partie.jss"
                                      << "Game file not found: '/nowhere/partie.jss' (/nowhere/partie.jss)." << true;
        QTest::newRow("missing file, relative") << "nofile.jss" << "Game file not found: 'nofile.jss' ("
                                                   + QDir::current().absoluteFilePath(QStringLiteral("nofile.jss"))
                                                   + ")." << true;
        QTest::newRow("missing file, other type") << "Partie.JST" << "Game file not found: 'Partie.JST'" << true;
        QTest::newRow("a folder is no file") << "@dir" << "Unexpected argument" << true;
        QTest::newRow("empty argument") << "<empty>" << "Unexpected argument ''" << true;
        QTest::newRow("port missing") << "--port" << "--port: a value is missing" << true;
        QTest::newRow("port followed by option") << "--port|--nowait" << "--port: a value is missing" << true;
        QTest::newRow("port zero") << "--port|0" << "from 1 to 65535" << true;
        QTest::newRow("port too big") << "--port|65536" << "from 1 to 65535" << true;
        QTest::newRow("port huge") << "--port|99999999999999999999" << "is not a number" << true;
        QTest::newRow("port negative") << "--port|-1" << "is not a number" << true;
        QTest::newRow("port signed") << "--port|+4000" << "is not a number" << true;
        QTest::newRow("port hex") << "--port|0x10" << "is not a number" << true;
        QTest::newRow("port spaced") << "--port| 4000" << "is not a number" << true;
        QTest::newRow("port blank") << "--port|  " << "the value is empty" << true;
        QTest::newRow("login one value") << "--login|a@b.ch" << "--login: a value is missing" << true;
        QTest::newRow("login pass is an option") << "--login|a@b.ch|--secret" << "--login: a value is missing" << true;
        QTest::newRow("login not an address") << "--login|anna|pw" << "not an e-mail address" << true;
        QTest::newRow("login two at") << "--login|a@b@c|pw" << "not an e-mail address" << true;
        QTest::newRow("login spaced") << "--login|a @b.ch|pw" << "not an e-mail address" << true;
        QTest::newRow("tournament one value") << "--tournamentcmd|register" << "a value is missing" << true;
        QTest::newRow("file missing value") << "--file" << "--file: a value is missing" << true;
        QTest::newRow("file absent") << "--file|/nowhere.jss" << "--file: Game file not found: '/nowhere.jss'" << true;
        QTest::newRow("two files") << "@jss|@jst" << "Only one file" << true;
        QTest::newRow("file twice") << "--file|@jss|@jss" << "Only one file" << true;
        QTest::newRow("movie no table") << "--mov|@jss" << "--mov: a value is missing" << true;
        QTest::newRow("movie bad table") << "--mov|@jss|x" << "is not a number" << true;
        QTest::newRow("movie table too big") << "--mov|@jss|1000" << "from 0 to 999" << true;
        QTest::newRow("movie absent file") << "--mov|/nowhere.jss|0" << "--mov: Game file not found" << true;
        QTest::newRow("scenario 4") << "--testscenario|4" << "from 0 to 3" << true;
        QTest::newRow("scenario missing") << "--testscenario" << "a value is missing" << true;
        QTest::newRow("platform other") << "--platform|windows" << "neither ios nor android" << true;
        QTest::newRow("platform case") << "--platform|IOS" << "neither ios nor android" << true;
        QTest::newRow("platform missing") << "--platform" << "a value is missing" << true;
        QTest::newRow("tile too big") << "--testscreentilenb|80" << "from 0 to 79" << true;
        QTest::newRow("tile negative") << "--testscreentilenb|-2" << "is not a number" << true;
        QTest::newRow("server and client") << "--server|--client" << "cannot be given together" << true;
        QTest::newRow("flag with value") << "--nowait|1" << "Unexpected argument '1'" << true;
        QTest::newRow("option glued value") << "--port=4000" << "Unknown option '--port=4000'" << true;
    }

    void badLines()
    {
        QFETCH(QString, ligne);
        QFETCH(QString, raison);
        QFETCH(bool, usage);
        ZB_Settings s;
        s.port = 4321;
        s.english = true;
        const ZB_Settings avant = s;
        QString message;
        QCOMPARE(ZB_CommandLine::parse(arguments(ligne) + QStringList{QStringLiteral("--server")}, s, &message),
                 ZB_CommandLine::Arret);
        QVERIFY2(message.contains(raison), qPrintable(message));
        // The usage lines follow a mistaken line, named after the program.
        QCOMPARE(message.contains(QLatin1String("Usage: zubrik [options] [game file]")), usage);
        QCOMPARE(message.contains(QLatin1String("--testscreentilenb <n>")), usage);
        QVERIFY(!message.contains(QLatin1String("Unexpected argument")) || usage);
        // Nothing half read reaches the record.
        QCOMPARE(differences(s), differences(avant));
        QVERIFY(!s.server);
        QVERIFY(ZB_CommandLine::CODE_SORTIE_USAGE != 0);
    }

    // "--help" wins over anything else on the line, even a mistake.
    void helpAsksForTheUsageAlone_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::newRow("alone") << "--help";
        QTest::newRow("after options") << "--port|4000|--help";
        QTest::newRow("after a mistake") << "--foo|--help";
    }
    void helpAsksForTheUsageAlone()
    {
        QFETCH(QString, ligne);
        ZB_Settings s;
        QString message;
        QCOMPARE(ZB_CommandLine::parse(arguments(ligne), s, &message), ZB_CommandLine::Aide);
        QCOMPARE(message, ZB_CommandLine::usage(QStringLiteral("zubrik")));
        QCOMPARE(differences(s), QString());
    }

    void usageNamesEveryOption()
    {
        const QString u = ZB_CommandLine::usage(QStringLiteral("zubrik"));
        for (const char* option :
             {"--port <n>", "--login <email> <pass>", "--tournamentcmd <cmd> <id>", "--file <file>",
              "--mov <file> <table>", "--testscenario <n>", "--nowait", "--nossl", "--tcpsockets", "--server",
              "--client", "--auto ", "--autotest", "--noai", "--english", "--showdebug", "--screenshots",
              "--platform <ios|android>", "--testscreentilenb <n>", "--testtournament", "--help"})
            QVERIFY2(u.contains(QLatin1String(option)), option);
    }

    // Qt would take "--platform ios" for its windowing plugin; the option
    // and its value leave argv, Qt's own "-platform" stays.
    void platformIsHiddenFromQt_data()
    {
        QTest::addColumn<QStringList>("avant");
        QTest::addColumn<QStringList>("apres");
        QTest::addColumn<QStringList>("cachees");
        const QString p = QStringLiteral("zubrik");
        QTest::newRow("none") << QStringList{p, QStringLiteral("--nowait")}
                              << QStringList{p, QStringLiteral("--nowait")} << QStringList{};
        QTest::newRow("ios") << QStringList{p, QStringLiteral("--platform"), QStringLiteral("ios"), QStringLiteral("--screenshots")}
                             << QStringList{p, QStringLiteral("--screenshots")}
                             << QStringList{QStringLiteral("--platform"), QStringLiteral("ios")};
        QTest::newRow("qt's own") << QStringList{p, QStringLiteral("-platform"), QStringLiteral("offscreen")}
                                  << QStringList{p, QStringLiteral("-platform"), QStringLiteral("offscreen")}
                                  << QStringList{};
        QTest::newRow("last without value") << QStringList{p, QStringLiteral("--platform")} << QStringList{p}
                                            << QStringList{QStringLiteral("--platform")};
    }

    void platformIsHiddenFromQt()
    {
        QFETCH(QStringList, avant);
        QFETCH(QStringList, apres);
        QFETCH(QStringList, cachees);
        std::vector<QByteArray> octets;
        for (const QString& a : avant)
            octets.push_back(a.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& o : octets)
            argv.push_back(o.data());
        argv.push_back(nullptr);
        int argc = static_cast<int>(avant.size());
        QCOMPARE(ZB_CommandLine::cacheOptionsDuProgramme(argc, argv.data()), cachees);
        QStringList reste;
        for (int i = 0; i < argc; ++i)
            reste << QString::fromLocal8Bit(argv[static_cast<size_t>(i)]);
        QCOMPARE(reste, apres);
        QCOMPARE(argv[static_cast<size_t>(argc)], nullptr);
        // What was hidden still parses, after what Qt leaves.
        ZB_Settings s;
        const bool complet = cachees.size() != 1;
        QCOMPARE(ZB_CommandLine::parse(QStringList{avant.first()} + cachees, s),
                 complet ? ZB_CommandLine::Ok : ZB_CommandLine::Arret);
    }
};

ZB_REGISTER_TEST(TestCommandLine)
#include "TestCommandLine.moc"
