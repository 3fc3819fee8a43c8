#include "ZbTestRegistry.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The lobby is told the program's version at login.
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.0"));
    return zbtest::runAll(argc, argv);
}
