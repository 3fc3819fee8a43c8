#pragma once

#include "GM_ClientSocket.h"
#include "GM_RemplissageParTranches.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>
#include <QTableWidgetItem>

class QPushButton;
class QTableWidget;
class QTimer;

// The titles tab: the player's achievements with their titles (see
// GM_AchievementTitle), the count each was reached at, when, and the count
// of the next level.
//
// Rules:
// - An entry of the answer is "number,yyyy-MM-dd hh:mm:ss", the date in
//   UTC; it is shown in local time. An entry of another shape, a number
//   that does not read as an int, or -1 is left out; a date of another
//   form leaves "Le" empty.
// - Rows are sorted by the column the user chose, newest first at the
//   start; "Atteint" and "Prochain" sort by value, not by text.
// - The refresh button empties the table and is off for RefreshPauseMs;
//   a disconnection and a language change empty it too.
// - An answer's first GM_RemplissageParTranches::LignesMax entries are
//   kept, filled a chunk at a time from the event loop; the rows are sorted
//   and sized once the last one is in.
class GM_Achievements : public GM_WidgetAuto
{
    Q_OBJECT

public:
    enum Column { ColTitle = 0, ColReached, ColDate, ColNext, ColumnCount };

    static constexpr int RefreshPauseMs = 10000;
    static constexpr const char* DateFormat = "yyyy-MM-dd hh:mm:ss";

    // A cell that sorts by its text read as a decimal integer (a text that
    // is not one counts as 0).
    class WidgetItemIntSorted : public QTableWidgetItem
    {
    public:
        explicit WidgetItemIntSorted(const QString& text);
        bool operator<(const QTableWidgetItem& other) const override;
    };

    explicit GM_Achievements(QWidget* parent = nullptr);
    ~GM_Achievements() override;

    void init(GM_ClientSocket* client);
    // Empties the rows and applies the texts of the language now installed.
    void retranslate();
    // Asks for the achievements ("Awq") while a session is open; neither
    // empties the table nor turns the button off.
    void requestAchievements();
    // The UTC date of an entry in local time, empty when it is not one.
    static QString localDate(const QString& utc);

    QTableWidget* achievementsTable() const { return table_; }
    const GM_RemplissageParTranches& filler() const { return remplissage_; }
    QPushButton* refreshButton() const { return refresh_; }
    QTimer* refreshTimer() const { return refreshTimer_; }

public slots:
    void OnAchievementsReceived(const QStringList* listP);
    void OnDisconnected();
    void OnPushButtonRefresh();
    void OnEnableRefresh();

private:
    void ajouteLignes_(qsizetype debut, qsizetype fin);
    void vide_();

    QTableWidget* table_;
    QStringList entrees_; // the answer being filled
    GM_RemplissageParTranches remplissage_;
    QPushButton* refresh_;
    QTimer* refreshTimer_;
    QPointer<GM_ClientSocket> client_;
};
