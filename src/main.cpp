#include "GM_MemoireProcessus.h"
#include "ZB_Application.h"
#include "ZB_CommandLine.h"
#include "ZB_MainWidget.h"
#include "ZB_Settings.h"

#include <QStringList>

#include <cstdio>

#include <memory>

namespace {

constexpr const char* NOM_PRODUIT = "Zubrik";
constexpr const char* NOM_ORGANISATION = "Zubrik";

// Builds the application, reads the start-up record and runs the main
// window until the user quits.
int demarre(int& argc, char** argv)
{
    // Options Qt would take for its own ("--platform") leave argv first.
    const QStringList cachees = ZB_CommandLine::cacheOptionsDuProgramme(argc, argv);
    ZB_Application app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(NOM_PRODUIT));
    QCoreApplication::setOrganizationName(QLatin1String(NOM_ORGANISATION));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZB_VERSION));

    // A command line that does not read stops here, before any window.
    ZB_Settings demarrage;
    QString message;
    if (ZB_CommandLine::parse(QCoreApplication::arguments() + cachees, demarrage, &message) != ZB_CommandLine::Ok) {
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
    return code;
}

} // namespace

int main(int argc, char* argv[])
{
    // A machine without a display (a CI runner, a server) runs the window
    // offscreen rather than failing.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GM_MemoireProcessus::regleAllocateur();
    return demarre(argc, argv);
}
