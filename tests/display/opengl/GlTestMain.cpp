#include "ZbTestRegistry.h"

#include <QApplication>

// The OpenGL engine's tests: run under Xvfb with Mesa's software renderer
// (CTest label "opengl"), so that a real OpenGL context exists.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return zbtest::runAll(argc, argv);
}
