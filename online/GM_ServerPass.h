#pragma once

#include "GM_ClientSocket.h"
#include "GM_FusionAmis.h"
#include "GM_RemplissageParTranches.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QString>
#include <QStringList>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Asks for a protected server's or tournament's password and, for a table
// played in teams, a teammate among the player's friends. One instance
// serves the whole program; each use is configure, show, then exactly one
// signalFinished. The dialog never hides itself: the receiver does.
//
// Rules: at most one friend is ticked; "Ok" needs a password of at least
// three characters (unless the password is not asked) and, in the required
// teammate mode, a ticked friend. The teammate list follows every friend
// list the lobby client receives, whoever asked for it, and keeps a friend's
// tick across answers. Only entries with at least three fields whose status
// is a number of at least 10 become rows.
//
// A list keeps its first AmisMax friends and is merged a chunk at a time
// from the event loop (GM_RemplissageParTranches, GM_FusionAmis), as the
// friends tab merges the same answer: the dialog never holds the window,
// whatever the lobby sends. A new list drops the merge in progress.
class GM_ServerPass : public GM_WidgetAuto
{
    Q_OBJECT

public:
    enum TeammateMode { NoTeammate = 0, TeammateOptional = 1, TeammateRequired = 2 };
    enum Column {
        ColTick = GM_FusionAmis::ColTick,
        ColStatus = GM_FusionAmis::ColStatus,
        ColId = GM_FusionAmis::ColId,
        ColPseudo = GM_FusionAmis::ColPseudo,
        ColData = GM_FusionAmis::ColData,
        ColumnCount = GM_FusionAmis::ColumnCount
    };

    static constexpr int MinPasswordLength = 3;
    static constexpr int FirstFriendStatus = 10;
    static constexpr int FontSizeClass = 2;
    static constexpr int AmisMax = GM_RemplissageParTranches::LignesMax;

    explicit GM_ServerPass(QWidget* parent = nullptr);
    ~GM_ServerPass() override;

    void init(GM_ClientSocket* client);
    // Out-of-range modes read as no teammate.
    void configure(bool showPassword, int teammateMode);
    void retranslate();

    QString password() const;
    QString teammate() const { return teammate_; }
    int teammateMode() const { return mode_; }
    QTreeWidget* teammateTree() const { return tree_; }
    QPushButton* okButton() const { return ok_; }
    QLineEdit* passwordEdit() const { return password_; }

    // Merges a friend list into tree (shared with the friends tab's rules):
    // rows keep their tick when their status changes, vanish when their
    // friend is no longer listed; placeholder rows go. A list of more than
    // a chunk ends on later turns of the event loop.
    void mergeFriendList(const QStringList& list);
    const GM_RemplissageParTranches& filler() const { return remplissage_; }
    // A row from one friend entry, or null when the entry gives none.
    static QTreeWidgetItem* friendItemFromEntry(const QString& entry);
    // Text and icon of a friend status of at least 10.
    static QString statusText(int status);
    static QString statusIcon(int status);

signals:
    void signalFinished(bool isAccepted, const QString& password, const QString& teammate);

public slots:
    void OnOkPressed();
    void OnCancelPressed();
    void OnFriendListReceived(const QStringList* list);
    void OnSocketReady();
    void OnSocketDisconnected();
    void OnAnySelectionChanged();
    void OnItemManageCheckStateChanged(QTreeWidgetItem* item, int column);

    void adjustToSize() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void placeholder_(const QString& text);
    void finishTree_();

    QGridLayout* grid_;
    QLabel* label_;
    QLineEdit* password_;
    QGroupBox* group_;
    QTreeWidget* tree_;
    QPushButton* ok_;
    QPushButton* cancel_;
    int mode_ = NoTeammate;
    QPointer<GM_ClientSocket> client_;
    QString teammate_;
    QStringList liste_; // the list being merged
    GM_FusionAmis fusion_;
    GM_RemplissageParTranches remplissage_;
};
