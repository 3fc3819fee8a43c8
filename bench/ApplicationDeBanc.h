#pragma once

#include "ZB_TableFonts.h"

#include <QApplication>
#include <QByteArray>

#include <cstdio>

// The one application object of a benchmark binary.
//
// Rules:
// - Never destroyed: a QApplication torn down among the static destructors
//   at exit outlives the platform plugin and the per-thread storage it
//   needs, and the table's fonts would be removed after them: a crash.
// - Debug and info lines are dropped so that the figures stay readable.
// - The first call decides the name, the platform and the fonts.
enum class PlateformeBanc {
    Telle,                  // whatever QT_QPA_PLATFORM and the display say
    HorsEcranSansAffichage, // offscreen when no display is there
    HorsEcran               // offscreen unless QT_QPA_PLATFORM names another
};

inline void messagesDeBanc(QtMsgType type, const QMessageLogContext&, const QString& texte)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !texte.contains(QLatin1String("propagateSizeHints")))
        fprintf(stderr, "%s\n", qPrintable(texte));
}

inline QApplication& applicationDeBanc(const char* nom, PlateformeBanc plateforme, bool policesDeTable)
{
    static QApplication* app = [&] {
        const bool sansPlateforme = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
        if ((plateforme == PlateformeBanc::HorsEcran && sansPlateforme)
            || (plateforme == PlateformeBanc::HorsEcranSansAffichage && sansPlateforme
                && qEnvironmentVariableIsEmpty("DISPLAY")))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(&messagesDeBanc);
        static QByteArray nomProgramme(nom);
        static int argc = 1;
        static char* argv[] = {nomProgramme.data(), nullptr};
        auto* a = new QApplication(argc, argv);
        if (policesDeTable)
            ZB_TableFonts::install();
        return a;
    }();
    return *app;
}
