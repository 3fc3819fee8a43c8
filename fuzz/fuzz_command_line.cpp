// Feeds arbitrary command lines to the start-up parser: the shell, desktop
// shortcuts and the URL protocol hand the program text nobody checked. The
// input is split at line feeds into arguments (after the program's own
// name). A line the parser accepts must leave every number of the record in
// its range; a refused one must leave the record untouched and carry the
// usage lines. Hiding Qt's look-alike options from argv may only shrink it
// and must end it with a null pointer.
#include "ZB_CommandLine.h"
#include "ZB_Settings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

bool memes(const ZB_Settings& a, const ZB_Settings& b)
{
    return a.screenshotMode == b.screenshotMode && a.automatique == b.automatique && a.testTileNb == b.testTileNb
        && a.screenshotPlatform == b.screenshotPlatform && a.screenshotLanguage == b.screenshotLanguage
        && a.port == b.port && a.loginEmail == b.loginEmail && a.loginPass == b.loginPass
        && a.tournamentCmd == b.tournamentCmd && a.tournamentId == b.tournamentId && a.file == b.file
        && a.movFile == b.movFile && a.movTable == b.movTable && a.testScenario == b.testScenario
        && a.nowait == b.nowait && a.nossl == b.nossl && a.tcpsockets == b.tcpsockets && a.server == b.server
        && a.client == b.client && a.autotest == b.autotest && a.noai == b.noai && a.english == b.english
        && a.showdebug == b.showdebug && a.testTournament == b.testTournament;
}

void verifieArgv(const QList<QByteArray>& morceaux)
{
    QList<QByteArray> copies{QByteArrayLiteral("zubrik")};
    copies += morceaux;
    std::vector<char*> argv;
    for (QByteArray& c : copies)
        argv.push_back(c.data());
    argv.push_back(nullptr);
    const int avant = static_cast<int>(copies.size());
    int argc = avant;
    const QStringList cachees = ZB_CommandLine::cacheOptionsDuProgramme(argc, argv.data());
    if (argc < 1 || argc > avant || argv[static_cast<size_t>(argc)] != nullptr || argc + cachees.size() != avant)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray octets(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> morceaux = octets.split('\n');
    QStringList arguments{QStringLiteral("zubrik")};
    for (const QByteArray& m : morceaux)
        arguments << QString::fromUtf8(m);

    ZB_Settings s;
    const ZB_Settings avant = s;
    QString message;
    if (ZB_CommandLine::parse(arguments, s, &message) == ZB_CommandLine::Ok) {
        if (!message.isEmpty())
            std::abort();
        if (s.port < ZB_CommandLine::PORT_MIN || s.port > ZB_CommandLine::PORT_MAX)
            std::abort();
        if (s.testScenario != ZB_Settings::AUCUN_SCENARIO
            && (s.testScenario < ZB_CommandLine::SCENARIO_MIN || s.testScenario > ZB_CommandLine::SCENARIO_MAX))
            std::abort();
        if (s.testTileNb != ZB_Settings::AUCUNE_TUILE && (s.testTileNb < 0 || s.testTileNb > ZB_CommandLine::TUILE_MAX))
            std::abort();
        if (s.movTable < 0 || s.movTable > ZB_CommandLine::TABLE_FILM_MAX)
            std::abort();
        if (!s.screenshotPlatform.isEmpty() && s.screenshotPlatform != QLatin1String("ios")
            && s.screenshotPlatform != QLatin1String("android"))
            std::abort();
        if (s.server && s.client)
            std::abort();
    } else if (!memes(s, avant)
               || (!message.contains(QLatin1String("Usage: zubrik"))
                   && !message.contains(QLatin1String("Game file not found: ")))) {
        // A refused line says why with the usage, or names the game file
        // that is not there (its own clear line, without the usage).
        std::abort();
    }
    verifieArgv(morceaux);
    return 0;
}
