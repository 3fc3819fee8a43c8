#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_RemplissageParTranches.h"
#include "GM_WidgetAuto.h"

#include <QMap>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class GM_ServerPass;
class GM_MessageBoxDisplayerA;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// The tournaments tab: current and planned tournaments above, finished
// ones below; registering (with a password and a teammate through the
// shared password dialog when the tournament asks), leaving, and playing a
// running one, whose game-server address the lobby answers to the lobby
// window.
//
// Rules: a tournament line has exactly 9 fields (id, team mode, UTC start
// "yyyy-MM-dd hh:mm:ss", participation, port, state, results, password
// flag, rule); other lines are ignored. State 0 or 1 goes above, anything
// else below. While a tournament the player registered for runs, the tab
// asks once whether to join it and queues its id for the main window; once
// it no longer runs, a later run asks again. A registration the lobby did
// not take shows "Echec". The password dialog answers this tab only for
// the registration that opened it. While the lobby is not connected the
// rows stay but registering, leaving and playing are off. Results open in the browser only when
// they are an http or https link. The list is asked for every 60 s while
// the lobby is ready, not while a request or the dialog is pending. An
// answer's first GM_RemplissageParTranches::LignesMax lines are kept and
// filled into both tables a chunk at a time from the event loop; the
// tables are sorted, sized and their selection restored once the last one
// is in. A field keeps GM_TexteDuLobby::Champ characters (the results link
// GM_TexteDuLobby::Ligne), and at most StartedQuestionsMax started
// questions wait at once, whatever the list holds.
class GM_TournamentClient : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    enum Column {
        ColId = 0,
        ColTeams,
        ColDate,
        ColPart,
        ColPort,
        ColStateRaw,
        ColState,
        ColPassword,
        ColRule,
        ColResults,
        ColumnCount
    };
    static constexpr int FieldCount = 9;
    // The results link, the one field that may be longer than a name.
    static constexpr int FieldResults = 6;
    // Started questions waiting at once; the others are asked once these
    // are answered, at a later list.
    static constexpr int StartedQuestionsMax = 3;
    static constexpr int RefreshMs = 60000;
    static constexpr int CommandTries = 10;
    static constexpr int CommandWaitMs = 1000;
    static constexpr int SelectTries = 480;
    static constexpr int SelectWaitMs = 500;
    static constexpr const char* DateFormat = "yyyy-MM-dd hh:mm:ss";

    explicit GM_TournamentClient(QWidget* parent = nullptr);
    ~GM_TournamentClient() override;

    void init(GM_ClientSocket* client, GM_ServerPass* serverPass, GM_MessageBoxDisplayerA* displayer,
              const QString& publicServerName);
    void retranslate();
    // The tournament last played, empty when none.
    QString currentTournamentName() const { return lastPlayed_; }
    void setCurrentTournamentName(const QString& nom) { lastPlayed_ = nom; }
    // How many times the list was asked for.
    int refreshCount() const { return refreshes_; }

    // Asks the lobby for the tournament's game-server address.
    void joinTournament(const QString& id);
    // Start-up options: register for a tournament given by id.
    void executeCommand(const QString& command, const QString& id);
    bool selectTournament(const QString& id);
    // The ids whose "started" question was asked, oldest first; the main
    // window takes the first one on signalPlayTournament.
    QStringList& startedQueue() { return started_; }
    bool isJoined(const QString& id) const { return joined_.value(id, false); }
    bool isKnown(const QString& id) const { return joined_.contains(id); }
    // How long the start-up options wait for the list (tests shorten it).
    void setCommandWait(int tries, int ms)
    {
        commandTries_ = tries;
        commandWaitMs_ = ms;
    }

    QTableWidget* currentTable() const { return future_; }
    QTableWidget* pastTable() const { return past_; }
    QPushButton* playButton() const { return play_; }
    QPushButton* quitButton() const { return quit_; }
    QPushButton* joinButton() const { return join_; }
    QCheckBox* showOtherServersBox() const { return showOthers_; }
    QTimer* refreshTimer() { return &refreshTimer_; }
    const GM_RemplissageParTranches& filler() const { return remplissage_; }

    // A UTC date of the list in local time, empty when it does not read.
    static QString localDate(const QString& utc);
    // Whether a results text may be opened in the browser.
    static bool isResultsLink(const QString& text);

signals:
    void signalPlayTournament();

public slots:
    void OnJoinPressed();
    void OnLeavePressed();
    void OnTournamentListReceived(const QStringList* list);
    void OnSocketReady();
    void OnSocketDisconnected();
    void OnRefresh();
    void OnItemSelectionFutureChanged();
    void OnItemSelectionPastChanged();
    void OnTournPlay();
    void OnTournDeny();
    void OnPlayPressed();
    void on_tableWidgetTournPast_itemClicked(QTableWidgetItem* item);
    void OnPasswordEntered(bool isAccepted, const QString& password, const QString& currentTeammate);
    void on_checkBoxShowOtherServers_toggled(bool checked);

private:
    // A table's fill: started, a chunk of lines, ended.
    int debuteTable_(QTableWidget* table);
    void ajouteLignes_(QTableWidget* table, qsizetype debut, qsizetype fin, bool current);
    void termineTable_(QTableWidget* table, bool current, int rangChoisi);
    void termineListe_();
    void register_(QTableWidgetItem* item, bool direct);
    void disableButtons_();
    QTableWidgetItem* findItem_(const QString& id) const;
    QTableWidgetItem* waitForItem_(const QString& id, int tries, int waitMs);
    QTableWidgetItem* firstSelected_() const;

    QMap<QString, bool> joined_;
    QLabel* labelCurrent_;
    QTableWidget* future_;
    QPushButton* play_;
    QPushButton* quit_;
    QPushButton* join_;
    QLabel* labelPast_;
    QTableWidget* past_;
    QCheckBox* showOthers_;
    QPointer<GM_ClientSocket> client_;
    QTimer refreshTimer_;
    QList<QStringList> lignes_; // the answer being filled
    int rangFutur_ = 0;         // the rows selected before it
    int rangPasse_ = 0;
    GM_RemplissageParTranches remplissage_;
    QStringList started_;
    GM_ServerPass* serverPass_ = nullptr;
    QMetaObject::Connection passwordConnection_;
    QString pending_;
    QString lastPlayed_;
    int lastRow_ = -1;
    int lastColumn_ = -1;
    QString publicServerName_;
    int refreshes_ = 0;
    int commandTries_ = CommandTries;
    int commandWaitMs_ = CommandWaitMs;
};
