#pragma once

#include "GM_ClientSocket.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class QPushButton;
class QTableWidget;
class QTimer;

// The statistics tab: the player's counters of the game family (total,
// average and maximum) beside the lobby's averages and maxima, one row per
// counter.
//
// Rules:
// - The answer holds five ","-separated lists, one value per counter: the
//   player's totals, averages and maxima, the global averages and maxima.
//   A value " " means "none"; a value the answer does not hold counts as
//   none too. The first list gives the number of rows, at most RowCount,
//   whatever the lobby sends.
// - "Vous" shows "total (average, maximum)", or the total alone when both
//   others are none; "Global" shows "(average, maximum)", or nothing.
// - An answer writes over the rows without emptying the table first; the
//   refresh button and a disconnection empty it. The button is off for
//   RefreshPauseMs after each press, whatever the answer.
// - The row names are translated on the first answer after construction
//   or after a language change (retranslate forgets them).
class GM_Stats : public GM_WidgetAuto
{
    Q_OBJECT

public:
    enum Column { ColName = 0, ColYou, ColGlobal, ColumnCount };
    enum Field { FieldTotal = 0, FieldAverage, FieldMaximum, FieldGlobalAverage, FieldGlobalMaximum, FieldCount };

    static constexpr int RowCount = 21;
    static constexpr int RefreshPauseMs = 10000;
    // The lobby's "no value".
    static constexpr const char* NoValue = " ";

    explicit GM_Stats(QWidget* parent = nullptr);
    ~GM_Stats() override;

    // gameFamily: 0 Jass, anything else Belote.
    void init(GM_ClientSocket* client, int gameFamily);
    void retranslate();
    int gameFamily() const { return gameFamily_; }
    // Asks for the statistics ("H2q" Jass, "H3q" Belote) while a session is
    // open; neither empties the table nor turns the button off.
    void requestStats();
    // The counters' names in row order, translated now.
    static QStringList rowNames();

    QTableWidget* statsTable() const { return table_; }
    QPushButton* refreshButton() const { return refresh_; }
    QTimer* refreshTimer() const { return refreshTimer_; }

public slots:
    void OnStatsReceived(const QStringList* listP);
    void OnDisconnected();
    void OnPushButtonRefresh();
    void OnEnableRefresh();

private:
    QTableWidget* table_;
    QPushButton* refresh_;
    QTimer* refreshTimer_;
    QPointer<GM_ClientSocket> client_;
    int gameFamily_ = 0;
    QStringList names_;
};
