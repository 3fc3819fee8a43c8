#include "ZbTestRegistry.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    return zbtest::runAll(argc, argv);
}
