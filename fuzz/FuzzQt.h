#pragma once

// Shared by the fuzz targets that need Qt's event machinery: one
// application object for the whole run, and logging silenced, since the
// refusals and drops that bad input causes are logged on every input and
// printing them would slow the fuzzer to a crawl.

#include <QCoreApplication>

inline void fuzzDemarreQt()
{
    static int argc = 1;
    static char nom[] = "fuzz";
    static char* argv[] = {nom, nullptr};
    static QCoreApplication* app = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return new QCoreApplication(argc, argv);
    }();
    (void)app;
}
