#include "TypeDePartie.h"
#include "ZB_Application.h"

#include <QTextStream>

// Until the table window exists the program lists the game types it knows.
int main(int argc, char* argv[])
{
    // No window is opened yet, so a machine without a display (a CI runner,
    // a server) runs the application offscreen rather than failing.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ZB_Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zubrik"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zubrik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZB_VERSION));

    QTextStream out(stdout);
    out << "Zubrik " << QCoreApplication::applicationVersion() << " - Jass & Belote\n\nGame types:\n";
    for (int id = 0; id <= 16; ++id) {
        const TypeDePartie& t = TypeDePartie::getTypeDePartie(id);
        out << qSetFieldWidth(4) << id << qSetFieldWidth(0) << "  "
            << (t.genre_ == TypeDePartie::GenreBelote ? "Belote" : "Jass  ") << "  " << t.nom_ << ", "
            << t.pointsObjectif_ << " points\n";
    }
    return 0;
}
