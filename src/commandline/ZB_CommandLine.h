#pragma once

#include <QString>
#include <QStringList>

struct ZB_Settings;

// Reads the program's command line into the start-up record.
//
// Rules:
// - The first argument is the program itself and is not read.
// - Each option takes exactly the values its usage line names; a value may
//   not begin with "--" (that is the next option, so the value is missing).
//   Numbers are decimal and must lie in their range.
// - An argument that names an existing file (not a folder) opens it, as the
//   file manager and "Open with" pass it; at most one file is opened, by
//   this or by --file.
// - Arguments holding "-ServerName:" or "://run/" are skipped: the shell and
//   the URL protocol add them.
// - "--help" anywhere asks for the usage lines alone: parse answers Aide
//   with them in the message, and the caller prints them on the standard
//   output and exits with status 0 without opening a window.
// - A game file that is not there (named by --file or --mov, or a bare
//   argument ending in .jss or .jst or holding a path) stops the program:
//   parse answers Arret with the path as given and in full, without the
//   usage lines (the line itself was right).
// - Anything else, and the contradiction of --server with --client, stops
//   the program: parse answers Arret with the reason and the usage lines in
//   the message, and the caller exits with CODE_SORTIE_USAGE without opening
//   a window. The record is then left as it was given.
//
// Qt reads "--platform" as its own "-platform" (the windowing plugin) when
// the application object is built, and would fail to start on "ios" or
// "android". The start routine therefore calls cacheOptionsDuProgramme on
// argv before building the application object, then parses
// QCoreApplication::arguments() (Qt's own options taken out) followed by the
// arguments that were hidden from Qt.
class ZB_CommandLine
{
public:
    enum Resultat { Ok = 0, Arret = 1, Aide = 2 };

    static constexpr int CODE_SORTIE_USAGE = 2;
    static constexpr int PORT_MIN = 1;
    static constexpr int PORT_MAX = 65535;
    static constexpr int SCENARIO_MIN = 0;
    static constexpr int SCENARIO_MAX = 3;
    // A game file holds a handful of tables; a movie's table index beyond
    // this is a typing error.
    static constexpr int TABLE_FILM_MAX = 999;
    // Test windows tile a grid of 20 by 4 cells: the last cell's number.
    static constexpr int TUILE_MAX = 79;

    static Resultat parse(const QStringList& arguments, ZB_Settings& settings, QString* message = nullptr);

    // The usage lines, for the given program name.
    static QString usage(const QString& programme);

    // Takes the program's options that Qt would read as its own out of argv
    // (argc shrinks, argv[0] stays) and returns them, decoded as Qt decodes
    // arguments.
    static QStringList cacheOptionsDuProgramme(int& argc, char** argv);
};
