#pragma once

#include <QString>

// The program writes in its own folders (the autosave, the settings, the
// player's keys, the trace log, bug reports, the card cache) only into
// regular files whose name it holds: never through a symbolic link, which
// would write wherever the link points, nor into a pipe, a device or a
// folder that took a file's name.
//
// Rules:
// - An entry that is not a regular file is moved aside under a name of its
//   own in the same folder (the entry itself, a link never followed), and
//   the move is told to the log; the caller then writes a new regular file.
// - A missing entry and a regular file are left as they are.
// - When such an entry cannot be moved, the caller must not write: the
//   answer is false.
class GM_FichierRegulier
{
public:
    // True when the caller may write a regular file at chemin.
    static bool ecarte(const QString& chemin);
};
