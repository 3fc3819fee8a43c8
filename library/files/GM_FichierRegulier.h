#pragma once

#include <QString>

class QFile;

// The program writes in its own folders (the autosave, the settings, the
// player's keys, the trace log, bug reports, screenshots, the desktop
// registration, the card cache) only into regular files whose name it
// holds: never through a symbolic link, which would write wherever the link
// points, nor into a pipe or a device that took a file's name. Qt Core
// only, so that every layer and area may keep to it.
//
// Rules:
// - A link (whatever it points to), a pipe, a device or a socket is moved
//   aside under a name of its own in the same folder (the entry itself, a
//   link never followed), and the move is told to the log; the caller then
//   writes a new regular file.
// - A missing entry, a regular file and a folder are left as they are
//   (nothing can be written into a folder: the caller's write fails and
//   says so).
// - When such an entry cannot be moved, the caller must not write: the
//   answer is false.
//
// Reading: ouvreEnLecture opens only a regular file, and never waits in the
// opening: a pipe or a device that took a file's name would hold the
// thread in open() until someone writes to it, for good. The entry is
// looked at before (lstat, or stat when a link may be followed) and the
// opened file checked after (fstat: the same regular file), the opening
// itself not waiting (O_NONBLOCK); anything else is no file to read, and
// is left where it is.
//
// A new name (nomLibre) is one where nothing is, not even a link to
// nothing: a rename or a copy to a name that holds a dangling link writes
// where the link points.
class GM_FichierRegulier
{
public:
    enum Liens { SansLien, SuitLesLiens };
    static constexpr int ESSAIS_NOM_MAX = 100;

    // True when the caller may write a regular file at chemin.
    static bool ecarte(const QString& chemin);
    // Opens chemin read-only into fichier when it is a regular file (through
    // a link only with SuitLesLiens); false, fichier closed, otherwise.
    static bool ouvreEnLecture(QFile& fichier, const QString& chemin, Liens liens = SansLien);
    // base + suffixe, else base + "-2" + suffixe, "-3" ... up to
    // ESSAIS_NOM_MAX: the first name where nothing is; empty when every one
    // is taken.
    static QString nomLibre(const QString& base, const QString& suffixe = QString());
};
