#pragma once

#include "GM_ClientSocket.h"
#include "GM_RemplissageParTranches.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>

class GM_ServerPass;
class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

// The servers and tables tab: the lobby's game servers, the free and busy
// tables of the selected one, the players online, and joining a server
// (the lobby answers the address request to the lobby window).
//
// Rules: a server row is one line of the server list (name, "No" when a
// password is asked, host, id); a refresh keeps the current server when it
// is still listed, else makes the public server current. The status answer
// comes in groups of four fields (id, free, busy, places); a list of any
// other length is refused with a warning and changes nothing. A protected
// server's address is asked only once the user confirmed the password
// dialog, with the typed password; the shared dialog answers only the join
// that opened it. A join while the client is busy is retried every 100 ms
// for at most 10 s, and never after the lobby disconnected. Every
// disconnection empties the list (a lost lobby's servers are not offered)
// and "Rejoindre" is enabled only while a row is selected and the lobby is
// connected. Service texts are shown as plain text.
//
// A long list is filled a chunk at a time from the event loop
// (GM_RemplissageParTranches), unsorted until its last row is in; the
// current row is chosen, a status answer that came meanwhile is applied
// and the main server's information is asked once the fill ends. Rows are
// found by id through an index, so that a fill and a status answer take
// time in proportion to their length.
class GM_TablesList : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    enum Column { ColName = 0, ColPublic, ColHost, ColId, ColPlaces, ColumnCount };

    static constexpr int RefreshPauseMs = 10000;
    static constexpr int JoinRetryMs = 100;
    // A join waiting for a busy lobby gives up after this, or when the
    // connection is lost: it would otherwise run for good and join long after
    // the user stopped waiting.
    static constexpr int JoinGiveUpMs = 10000;
    static constexpr int StatusGroup = 4;
    static constexpr int DefaultPlaces = 40;
    static constexpr int DemoPlayersOnline = 79;

    explicit GM_TablesList(QWidget* parent = nullptr);
    ~GM_TablesList() override;

    void init(GM_ClientSocket* client, GM_ServerPass* serverPass, const QString& publicServerName);
    void retranslate();
    // The name of the server last joined, empty when none.
    QString selectedServerName() const { return selectedServerName_; }
    void setSelectedServerName(const QString& nom) { selectedServerName_ = nom; }
    // Demonstration: made-up figures for the lobby window's screenshots.
    bool isScreenshot() const { return screenshot_; }
    void setScreenshot(bool on) { screenshot_ = on; }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

    QTreeWidget* serversTree() const { return servers_; }
    QPushButton* joinButton() const { return join_; }
    QPushButton* refreshButton() const { return refresh_; }
    QCheckBox* showOtherServersBox() const { return showOthers_; }
    QLabel* onlineLabel() const { return onlineNb_; }
    QLabel* statusLabel() const { return status_; }
    // The status text of a server id, as the last status answer gave it.
    QString statusTextOf(qint64 id) const { return statusTexts_.value(id); }
    int statusTextCount() const { return int(statusTexts_.size()); }
    // The state of the lobby connection, in the status line.
    void setConnectionText(const QString& text);
    // A join waits for the busy client.
    bool isJoinPending() const { return joinPending_; }
    // A server list is being filled.
    bool isFilling() const { return filler_.enCours(); }
    const GM_RemplissageParTranches& filler() const { return filler_; }

signals:
    void signalSelectedServerChanged(qint64 serverId, int port);

public slots:
    void OnServerListReceived(qint64 databaseUserId, const QStringList* list);
    void OnMainMainGameServerStatusReceived(const QStringList* list);
    void OnMainGameServerInfoReceived(const QStringList* list);
    void OnItemDoubleClicked(QTreeWidgetItem* item, int column);
    void OnItemSelectionChanged();
    void OnEnableRefresh();
    void OnJoin();
    void OnRefresh();
    void disconnect();
    void on_m_serversP_currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void on_checkBoxShowOtherServers_toggled(bool checked);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void joinRow_(QTreeWidgetItem* row);
    void retryJoin_();
    void onPasswordFinished_(bool accepted, const QString& password);
    void refreshRequest_(const QByteArray& word);
    QString filterWord_() const;
    void addRows_(qsizetype begin, qsizetype end);
    void fillEnded_();
    void applyStatus_(const QStringList& fields);
    void stopFill_();

    QVBoxLayout* layout_;
    QLabel* welcome_;
    QTreeWidget* servers_;
    QPushButton* join_;
    QLabel* onlineNb_;
    QPushButton* refresh_;
    QCheckBox* showOthers_;
    QLabel* status_;
    GM_ServerPass* serverPass_ = nullptr;
    QPointer<GM_ClientSocket> client_;
    QMap<qint64, QString> statusTexts_;
    // The list being filled, the id of the row current before it, the rows
    // of each id text, and a status answer that came during the fill.
    GM_RemplissageParTranches filler_;
    QStringList pendingRows_;
    QString rememberedId_;
    QHash<QString, QList<QTreeWidgetItem*>> rowsById_;
    QStringList pendingStatus_;
    bool statusPending_ = false;
    QString publicServerName_;
    QString selectedServerName_;
    bool screenshot_ = false;
    int refreshes_ = 0;
    // The join waiting for the client to be idle: retries left, and the
    // disconnection count when it began (a disconnection ends it).
    int joinRetriesLeft_ = 0;
    int disconnections_ = 0;
    int joinDisconnections_ = 0;
    bool joinPending_ = false;
    // The password dialog's answer, connected only while this tab asked.
    QMetaObject::Connection passwordConnection_;
    QString passwordServerId_;
};
