#pragma once

#include "GM_ClientSocket.h"
#include "GM_RemplissageParTranches.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>
#include <QUrl>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The ranking tab: the lobby's ranking of the player's game family, the
// full ranking page of the web site, and a free query box kept hidden.
//
// Rules:
// - One row per entry of the answer, in the order received (never sorted);
//   an entry's ","-separated parts fill the five columns in order, missing
//   parts leave cells empty and parts past the fifth are kept, not shown.
//   Every answer replaces the whole list; its first LignesMax entries are
//   kept, filled a chunk at a time from the event loop
//   (GM_RemplissageParTranches).
// - The list is emptied by a disconnection and by the lobby window on a
//   language change; the window asks for the ranking ("R7t" Jass, "R6t"
//   Belote) only while the list is empty, so an empty list is the tab's
//   "not loaded" mark.
// - Texts that come from the lobby are shown as plain text.
// - The query box sends its text as one "A3E" and expects no answer; like
//   every request it is dropped while no lobby session is open.
class GM_Scores : public GM_WidgetAuto
{
    Q_OBJECT

public:
    enum Column { ColPosition = 0, ColPseudo, ColPlayed, ColWon, ColPoints, ColumnCount };

    // The operator's web site; the ranking pages are under it.
    static constexpr const char* SiteWeb = "https://www.zubrik.invalid";
    static constexpr const char* PageJass = "/statsgame/stats.shtml";
    static constexpr const char* PageBelote = "/statsgame/stats_belote.shtml";

    explicit GM_Scores(QWidget* parent = nullptr);
    ~GM_Scores() override;

    // gameFamily: 0 Jass, anything else Belote.
    void init(GM_ClientSocket* client, int gameFamily);
    void retranslate();
    int gameFamily() const { return gameFamily_; }
    bool isListEmpty() const;
    void clearList();
    // The full ranking page of the game family.
    QUrl onlineScoresUrl() const;

    QTreeWidget* scoresTree() const { return scores_; }
    const GM_RemplissageParTranches& filler() const { return remplissage_; }
    QPushButton* onlineScoresButton() const { return onlineScores_; }
    QGroupBox* sqlBox() const { return sqlBox_; }
    QLineEdit* sqlEdit() const { return sqlEdit_; }
    QPushButton* sqlButton() const { return sqlButton_; }

public slots:
    void OnScoresReceived(const QStringList* listP);
    void OnDisconnected();
    void OnOnlineScore();
    void OnExecSQL();

private:
    QTreeWidget* scores_;
    QLabel* note_;
    QPushButton* onlineScores_;
    QGroupBox* sqlBox_;
    QLineEdit* sqlEdit_;
    QPushButton* sqlButton_;
    QPointer<GM_ClientSocket> client_;
    int gameFamily_ = 0;
    QStringList entrees_; // the answer being filled
    GM_RemplissageParTranches remplissage_;
};
