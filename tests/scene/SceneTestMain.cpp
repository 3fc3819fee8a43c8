#include "ZB_TableFonts.h"
#include "ZbTestRegistry.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ZB_TableFonts::install();
    return zbtest::runAll(argc, argv);
}
