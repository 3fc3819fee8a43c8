#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

// One friend list merged into one tree, a chunk of entries at a time, as
// the friends tab and the server password dialog show it. The tree's
// columns are the friend trees' own: the tick, the status text, the user
// id, the pseudo and the whole entry.
//
// Rules:
// - debute takes the tree as it is: placeholder rows (text in the tick
//   column) and rows hidden by a dropped merge go; the others are indexed
//   by id, so that a chunk never searches the tree.
// - A friend listed twice counts and shows once, by its first entry. A row
//   whose status text is unchanged stays as it is (tick included); a row
//   whose status changed is hidden and replaced by the new one, which
//   keeps its tick when both can be ticked.
// - termine deletes the replaced rows and the friends no longer listed,
//   and, when asked, keeps one tick at most. It leaves an empty tree empty:
//   the caller says so in its own words.
// - The tree's signals are blocked while it changes. GUI thread only.
class GM_FusionAmis
{
public:
    enum Column { ColTick = 0, ColStatus, ColId, ColPseudo, ColData, ColumnCount };

    // The row of one entry, or null when the entry gives none; enLigne
    // tells whether the friend counts as online.
    using FaitLigne = std::function<QTreeWidgetItem*(const QString& entree, bool* enLigne)>;

    void debute(QTreeWidget* arbre, FaitLigne faitLigne);
    // Entries [debut, fin) of the list.
    void fusionne(const QStringList& liste, qsizetype debut, qsizetype fin);
    void termine(bool uneCocheAuPlus);

    // Friends online among those merged so far.
    int enLigne() const { return enLigne_; }
    // A row the user can tick (placeholders cannot).
    static bool cochable(const QTreeWidgetItem* ligne);

private:
    QTreeWidget* arbre_ = nullptr;
    FaitLigne faitLigne_;
    QHash<QString, QTreeWidgetItem*> parId_; // the rows before the merge
    QSet<QString> anciens_;                  // their ids not listed yet
    QSet<QTreeWidgetItem*> remplacees_;
    QSet<QString> vus_;
    int enLigne_ = 0;
};
