#include "ZB_Application.h"
#include "ZB_MainWidget.h"
#include "ZB_Settings.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <memory>

namespace {

constexpr const char* NOM_PRODUIT = "Zubrik";
constexpr const char* NOM_ORGANISATION = "Zubrik";

// Stand-in until the command-line reader lands: it knows only the switches
// of unattended runs and network sessions, and a file to open; everything
// else is left alone. The whole function goes when the reader's call takes
// its place below.
ZB_Settings lisDemarrageProvisoire(const QStringList& arguments)
{
    ZB_Settings d;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool suivant = i + 1 < arguments.size();
        if (a == QLatin1String("--auto"))
            d.automatique = 1;
        else if (a == QLatin1String("--autotest"))
            d.autotest = true;
        else if (a == QLatin1String("--server"))
            d.server = true;
        else if (a == QLatin1String("--client"))
            d.client = true;
        else if (a == QLatin1String("--tcpsockets"))
            d.tcpsockets = true;
        else if (a == QLatin1String("--nowait"))
            d.nowait = true;
        else if (a == QLatin1String("--port") && suivant)
            d.port = arguments[++i].toInt();
        else if (a == QLatin1String("--file") && suivant)
            d.file = arguments[++i];
        else if (!a.startsWith(QLatin1String("--")) && QFileInfo(a).isFile())
            d.file = a;
    }
    return d;
}

// Builds the application, reads the start-up record and runs the main
// window until the user quits.
int demarre(int& argc, char** argv)
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    ZB_Application app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(NOM_PRODUIT));
    QCoreApplication::setOrganizationName(QLatin1String(NOM_ORGANISATION));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZB_VERSION));

    // ===== The parsed command line goes in here (ZB_CommandLine). =====
    const ZB_Settings demarrage = lisDemarrageProvisoire(QCoreApplication::arguments());
    // ===================================================================

    auto fenetre = std::make_unique<ZB_MainWidget>(demarrage);
    // exit, not quit: quit first asks every window to close, and the table
    // window hands a close request back to the main window.
    QObject::connect(
        fenetre.get(), &ZB_MainWidget::signalQuitter, &app, [] { QCoreApplication::exit(0); },
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
    return demarre(argc, argv);
}
