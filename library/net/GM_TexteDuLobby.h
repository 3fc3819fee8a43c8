#pragma once

#include <QString>
#include <QStringList>

// What one lobby field may make of a widget. The lobby's record may carry a
// megabyte in one field; shown whole in a row, a label, a box or a chat
// line, such a field costs the window seconds of layout and the memory a
// copy per widget. Every text of the lobby that a widget shows goes through
// here first, cut to a length no real one comes near, with an ellipsis
// telling that it was cut.
//
// Rules:
// - A text of at most max characters is returned as it is; a longer one
//   keeps its first max - 1 characters (never half of a surrogate pair) and
//   ends with "…".
// - champs splits one list entry at "," (empty fields kept), keeps its
//   first maxChamps fields (the caller's layout has no column for more) and
//   bounds each one.
class GM_TexteDuLobby
{
public:
    // A name, an id, a date or a number in a row of a list.
    static constexpr int Champ = 64;
    // A status line, a chat line, a tournament's results link.
    static constexpr int Ligne = 512;
    // A service text in a message box.
    static constexpr int Boite = 2000;

    static QString borne(const QString& texte, int max);
    static QStringList champs(const QString& entree, int maxChamps, int max = Champ);
};
