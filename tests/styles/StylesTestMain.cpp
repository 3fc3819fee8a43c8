#include "ZbTestRegistry.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return zbtest::runAll(argc, argv);
}
