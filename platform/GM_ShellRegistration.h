#pragma once

#include <QString>

#include <memory>

class QSettings;

// Tells the desktop which program opens the program's URL protocol and its
// ".jss" and ".jst" game files, for the current user.
//
// On Windows the entries are the shell's classes in the registry, under
// WINDOWS_ROOT. Elsewhere the desktop is not told: the same keys and values
// go to STORE_FILE_NAME in the program's configuration folder, so that they
// can be read and checked, and never to a file of the working directory.
// Every registration overwrites the entries; a failed write is not reported,
// since the program runs the same without them. The store and its lock file
// are regular files of their own (GM_FichierRegulier): what took their names
// (a link, a pipe, a device) is moved aside first, and when it cannot be,
// nothing is registered.
class GM_ShellRegistration
{
public:
    static constexpr const char* WINDOWS_ROOT = "HKEY_CURRENT_USER\\Software\\Classes";
    static constexpr const char* STORE_FILE_NAME = "ShellClasses.ini";
    static constexpr const char* GAME_FILE_TYPES[] = {".jss", ".jst"};

    // The store the entries go to; null where there is none (no writable
    // configuration folder, or an entry in the way that cannot be moved).
    static std::unique_ptr<QSettings> openStore();
    // The file the entries go to outside Windows (empty on Windows, or when
    // there is no configuration folder).
    static QString storePath();

    // Classes the protocol and the game files under scheme, opened by
    // programPath. An empty scheme registers nothing.
    static void registerProgram(const QString& scheme, const QString& programPath);
};
