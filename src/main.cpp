#include "GM_MemoireProcessus.h"
#include "ZB_Application.h"
#include "ZB_ArretParSignal.h"
#include "ZB_CommandLine.h"
#include "ZB_HoteSansFenetre.h"
#include "ZB_MainWidget.h"
#include "ZB_Settings.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include <memory>

namespace {

constexpr const char* NOM_PRODUIT = "Zubrik";
constexpr const char* NOM_ORGANISATION = "Zubrik";
// A program ended by a signal reports 128 plus its number, as the shells do.
constexpr int CODE_SORTIE_SIGNAL = 128;

void nommeApplication()
{
    QCoreApplication::setApplicationName(QLatin1String(NOM_PRODUIT));
    QCoreApplication::setOrganizationName(QLatin1String(NOM_ORGANISATION));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZB_VERSION));
}

// The start-up record, when the command line asks for the windowless host.
// Read from argv as it stands: an argument Qt would take for its own makes
// it fail, and the start with a window then says why.
bool demandeHoteSansFenetre(int argc, char** argv, const QStringList& cachees, ZB_Settings& demarrage)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return ZB_CommandLine::parse(arguments + cachees, demarrage) == ZB_CommandLine::Ok
        && ZB_HoteSansFenetre::convient(demarrage);
}

// Hosts one match unattended with no window: no windowing system is needed,
// nor loaded.
int hebergeSansFenetre(int& argc, char** argv, const ZB_Settings& demarrage)
{
    QCoreApplication app(argc, argv);
    nommeApplication();
    ZB_HoteSansFenetre hote(demarrage);
    QObject::connect(&hote, &ZB_HoteSansFenetre::signalQuitter, &app, [](int code) { QCoreApplication::exit(code); },
                     Qt::QueuedConnection);
    // Stopped from its terminal or by its service manager, it tells its
    // players so before it ends, with the status of a program that signal
    // ended.
    ZB_ArretParSignal arret;
    QObject::connect(&arret, &ZB_ArretParSignal::signalArret, &hote,
                     [&hote](int numero) { hote.arrete(CODE_SORTIE_SIGNAL + numero); });
    hote.demarre();
    return QCoreApplication::exec();
}

// Builds the application, reads the start-up record and runs the main
// window until the user quits.
int demarre(int& argc, char** argv)
{
    GM_MemoireProcessus::partageLesTas();
    // Options Qt would take for its own ("--platform") leave argv first.
    const QStringList cachees = ZB_CommandLine::cacheOptionsDuProgramme(argc, argv);
    ZB_Settings hote;
    if (demandeHoteSansFenetre(argc, argv, cachees, hote))
        return hebergeSansFenetre(argc, argv, hote);

    // A machine without a display (a CI runner, a server) runs the window
    // offscreen rather than failing.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Mesa's shader disk cache maps its files: once the disk is full, a
    // write into them kills the window (SIGBUS), taking the game played
    // since the last save with it. The few shaders of a card table compile
    // in no time; the cache is off unless the user set it up.
    if (qEnvironmentVariableIsEmpty("MESA_SHADER_CACHE_DISABLE") && qEnvironmentVariableIsEmpty("MESA_GLSL_CACHE_DISABLE")
        && qEnvironmentVariableIsEmpty("MESA_SHADER_CACHE_DIR") && qEnvironmentVariableIsEmpty("MESA_GLSL_CACHE_DIR"))
        qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    ZB_Application app(argc, argv);
    nommeApplication();

    // A command line that does not read stops here, before any window.
    ZB_Settings demarrage;
    QString message;
    switch (ZB_CommandLine::parse(QCoreApplication::arguments() + cachees, demarrage, &message)) {
    case ZB_CommandLine::Ok:
        break;
    case ZB_CommandLine::Aide:
        std::fprintf(stdout, "%s", qUtf8Printable(message));
        return 0;
    case ZB_CommandLine::Arret:
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        return ZB_CommandLine::CODE_SORTIE_USAGE;
    }

    auto fenetre = std::make_unique<ZB_MainWidget>(demarrage);
    // exit, not quit: quit first asks every window to close, and the table
    // window hands a close request back to the main window.
    QObject::connect(
        fenetre.get(), &ZB_MainWidget::signalQuitter, &app, [&app] { QCoreApplication::exit(app.getCodeDeSortie()); },
        Qt::QueuedConnection);
    fenetre->demarre();
    const int code = ZB_Application::exec();
    fenetre.reset();
    // An error may come after the end was asked for (the host's close
    // arriving as the match ends), or while the window goes: once one was
    // told, the run failed, whatever the status the end was asked with.
    return app.getCodeDeSortie() != 0 ? app.getCodeDeSortie() : code;
}

} // namespace

int main(int argc, char* argv[])
{
    return demarre(argc, argv);
}
