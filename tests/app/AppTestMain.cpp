#include "ZB_Application.h"
#include "ZbTestRegistry.h"

#include <QStandardPaths>
#include <QTemporaryDir>

// The data folder, where the trace log goes, must not be the user's: HOME
// and the XDG folders point into a temporary folder for the whole run.
int main(int argc, char* argv[])
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    ZB_Application app(argc, argv);
    ZB_Application::setApplicationName(QStringLiteral("ZubrikTests"));
    ZB_Application::setOrganizationName(QStringLiteral("Zubrik"));
    return zbtest::runAll(argc, argv);
}
