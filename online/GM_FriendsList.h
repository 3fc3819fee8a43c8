#pragma once

#include "GM_ClientSocket.h"
#include "GM_FusionAmis.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_RemplissageParTranches.h"
#include "GM_WidgetAuto.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

class GM_MessageBoxDisplayerA;
class GM_NativeA;
class GM_SearchFriends;
class QPushButton;
class QSettings;
class QToolBox;
class QTreeWidget;
class QTreeWidgetItem;

// The friends tab: the friend list on a play page (invite online friends to
// a private or to the selected public server), a manage page (confirm or
// remove friends and requests) and the friend search page.
//
// Rules: the list is asked for every 5 s while the lobby is ready; each
// answer is merged into both trees, a friend keeping its tick while its
// status is unchanged or when it changes, and friends no longer listed
// vanish. Only online friends (15) can be ticked on the play page; requests
// the player sent (3) and refusals (4) are not shown there. At most one row
// is ticked on the manage page; "Confirmer" serves requests to confirm (2)
// and refusals (4), "Enlever" the others, and both act on the manage page's
// tick only. An invitation takes at most four friends.
//
// A list keeps its first AmisMax friends, and is merged into the trees a
// chunk at a time from the event loop (GM_RemplissageParTranches): a row
// replaced meanwhile is hidden, and rows that vanish go at the end, when
// the trees are sorted and the online count is told. A new list drops the
// merge in progress and starts from the trees as they are.
class GM_FriendsList : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    enum Column {
        ColTick = GM_FusionAmis::ColTick,
        ColStatus = GM_FusionAmis::ColStatus,
        ColId = GM_FusionAmis::ColId,
        ColPseudo = GM_FusionAmis::ColPseudo,
        ColData = GM_FusionAmis::ColData,
        ColumnCount = GM_FusionAmis::ColumnCount
    };
    enum Page { PagePlay = 0, PageManage, PageSearch };
    enum Status {
        ToConfirmBy = 1,
        ToConfirm = 2,
        SentRequest = 3,
        Declined = 4,
        Offline = 10,
        Online = 15,
        Busy = 16
    };

    static constexpr int RefreshMs = 5000;
    static constexpr int MaxInvited = 4;
    static constexpr int AmisMax = GM_RemplissageParTranches::LignesMax;

    explicit GM_FriendsList(QWidget* parent = nullptr);
    ~GM_FriendsList() override;

    void init(GM_ClientSocket* client, GM_MessageBoxDisplayerA* displayer, GM_NativeA* native,
              QSettings* settings);
    void retranslate();
    // May the user invite friends to a private or a public server now.
    void setPrivatePlayAllowed(bool on) { privatePlay_ = on; }
    void setPublicPlayAllowed(bool on) { publicPlay_ = on; }
    bool isPrivatePlayAllowed() const { return privatePlay_; }
    bool isPublicPlayAllowed() const { return publicPlay_; }
    void disablePlayButtons();
    bool playButtonsEnabled() const;
    // How many times the friend list was asked for.
    int refreshCount() const { return refreshes_; }

    const GM_RemplissageParTranches& filler() const { return remplissage_; }
    QTreeWidget* playTree() const { return playTree_; }
    QTreeWidget* manageTree() const { return manageTree_; }
    QPushButton* confirmButton() const { return confirm_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* playPrivateButton() const { return playPrivate_; }
    QPushButton* playPublicButton() const { return playPublic_; }
    GM_SearchFriends* searchWidget() const { return search_; }
    QToolBox* toolBox() const { return toolBox_; }
    QStringList invitationList() const { return invitation_; }

signals:
    void signalNbrFriendsOnlineChanged(int nbrOnline);
    void displayMyTab();

public slots:
    void OnSelectedServerChanged(qint64 serverId, int port);
    void OnFriendListReceived(const QStringList* list);
    void OnRefresh();
    void OnItemPlayCheckStateChanged();
    void OnItemManageCheckStateChanged(QTreeWidgetItem* item, int column);
    void OnConfirmPressed();
    void OnCancelOrRejectPressed();
    void OnPlayPressed();
    void OnPlayPublicPressed();
    void OnFriendRequestSent();
    void OnSocketReady();
    void OnSocketDisconnected();
    void OnMessageBoxReturnValue(int result);
    void OnSearchFriendsDisplayTab();

private:
    void termineArbre_(GM_FusionAmis& f, QTreeWidget* tree, bool manage);
    QTreeWidgetItem* makeRow_(const QString& line, bool manage, bool* online) const;
    void placeholder_(QTreeWidget* tree, const QString& text);
    void finishTree_(QTreeWidget* tree);
    QStringList checked_(QTreeWidget* tree, int column) const;
    bool invitationAllowed_();

    QToolBox* toolBox_;
    QTreeWidget* playTree_;
    QTreeWidget* manageTree_;
    QPushButton* playPrivate_;
    QPushButton* playPublic_;
    QPushButton* confirm_;
    QPushButton* delete_;
    GM_SearchFriends* search_;
    QPointer<GM_ClientSocket> client_;
    QTimer refreshTimer_;
    QStringList invitation_;
    bool privatePlay_ = true;
    bool publicPlay_ = true;
    qint64 serverId_ = -1;
    int serverPort_ = -1;
    int refreshes_ = 0;
    bool filling_ = false;
    QStringList liste_; // the list being merged
    GM_FusionAmis fusionJouer_;
    GM_FusionAmis fusionGerer_;
    GM_RemplissageParTranches remplissage_;
};
