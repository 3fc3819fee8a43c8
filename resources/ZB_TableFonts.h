#pragma once

#include <QString>
#include <QStringList>

// The table draws its speech bubbles, its score slate and the captions of
// promotional screenshots in fonts named "Playtime With Hot Toddies",
// "SF Cartoonist Hand" and "Comic Sans MS", which most systems lack. The
// program embeds Comic Neue (a free cartoon hand) and DejaVu; install()
// registers Comic Neue and makes each of those family names fall back to it,
// then to DejaVu Sans, so that drawing code keeps the names it was written
// with. A system that has a named font keeps using it: a substitute only
// stands in for a family that is missing.
//
// Call install() once a QGuiApplication exists and before the table creates
// its fonts; later calls do nothing. It returns whether the embedded cartoon
// faces could be registered (the substitutions are made either way).
class ZB_TableFonts
{
public:
    static bool install();
    // The family names the table's drawing code asks for.
    static QStringList drawnFamilies();
    // The embedded family that stands in for them.
    static QString cartoonFamily();
};
