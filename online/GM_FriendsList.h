#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class GM_MessageBoxDisplayerA;
class GM_NativeA;
class QSettings;
class QLabel;

// The friends tab: friends, invitations to play, the friend search.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_FriendsList : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
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
    void disablePlayButtons() { playButtons_ = false; }
    bool playButtonsEnabled() const { return playButtons_; }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

public slots:
    void OnRefresh();
    void OnItemPlayCheckStateChanged();
    void OnSelectedServerChanged(qint64 serverId, int port);

signals:
    void signalNbrFriendsOnlineChanged(int nbrOnline);
    void displayMyTab();

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;
    GM_NativeA* native_ = nullptr;
    QSettings* settings_ = nullptr;
    bool privatePlay_ = true;
    bool publicPlay_ = true;
    bool playButtons_ = true;
};
