#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_NativeA.h"
#include "GM_RemplissageParTranches.h"
#include "GM_WidgetAuto.h"

#include <QMutex>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRegularExpressionValidator;
class QSettings;
class QTreeWidget;
class QTreeWidgetItem;

// The friend search page of the friends tab: a pseudo search, friend
// requests for the players found, and the import of the device's address
// book (its e-mail addresses go to the lobby, which answers with the
// players it knows).
//
// Rules: a pseudo is 4 to 20 letters, digits, "^", "[", "]" or "_"; a
// search may follow the last one after 3 s. The native hooks deliver
// contacts from any thread: the callback only stores them under the
// callback mutex, and the GUI thread shows and sends them on its 500 ms
// timer. An unchanged contact list (by its hash in the settings, group
// "Friends") is not offered again; a list that changed is offered with a
// question, unless the user pressed the import button, which imports at
// once. Requests are sent only while the lobby client exists.
//
// An answer keeps its first GM_RemplissageParTranches::LignesMax players,
// filled a chunk at a time from the event loop; a new answer, a search or
// anything that empties the results drops the fill in progress.
class GM_SearchFriends : public GM_WidgetAuto,
                         public GM_MessageBoxEmitter,
                         public GM_NativeA::CallBackContactEmail
{
    Q_OBJECT

public:
    static constexpr int SearchPauseMs = 3000;
    static constexpr int CallBackPeriodMs = 500;
    static constexpr int OkButton = 1024;
    enum Column { ColPseudo = 0, ColId, ColumnCount };

    explicit GM_SearchFriends(QWidget* parent = nullptr);
    ~GM_SearchFriends() override;

    void init(GM_MessageBoxDisplayerA* displayer, GM_NativeA* native, GM_ClientSocket* client, QSettings* settings);
    void retranslate();

    // From the native hooks, any thread.
    void contactEmails(bool refused, const QStringList& emails) override;

    // The hash of a contact list as kept in the settings.
    static QString contactHash(const QStringList& contacts);

    QLineEdit* searchEdit() const { return name_; }
    QPushButton* searchButton() const { return search_; }
    QPushButton* inviteButton() const { return invite_; }
    QPushButton* importButton() const { return import_; }
    QTreeWidget* resultTree() const { return tree_; }
    const GM_RemplissageParTranches& filler() const { return remplissage_; }

signals:
    void signalFriendsRequestSent();
    void displayMyTab();

public slots:
    void OnSearchClicked();
    void OnTextChanged();
    void OnSearchFriendsListReceived(const QStringList* list);
    void OnItemCheckStateChanged();
    void OnRequestAddChecked();
    void OnItemDoubleClicked(QTreeWidgetItem* item);
    void OnRequestImportFriendsFromCacheClicked();
    void OnRequestImportFriends();
    void OnSocketReady();
    void OnDisconnected();
    void OnImportSetEnabled();
    void OnContactsPermissionDenied();
    void OnContactsPermissionNeeded(int result);
    void OnExecuteCallBack();

private:
    void placeholder_(const QString& text);
    void send_(const QByteArray& word, const QStringList& fields);
    void requestFriends_(const QStringList& ids);

    QPushButton* import_;
    QFrame* line_;
    QLabel* etiquette_;
    QLineEdit* name_;
    QPushButton* search_;
    QTreeWidget* tree_;
    QPushButton* invite_;
    QRegularExpression pseudo_;
    QRegularExpressionValidator* validator_;
    QPointer<GM_ClientSocket> client_;
    GM_NativeA* native_ = nullptr;
    QStringList contacts_;
    bool contactsRefused_ = false;
    bool askBeforeImport_ = true;
    QTimer callBackTimer_;
    QMutex callBackMutex_;
    bool callBackPending_ = false;
    QSettings* settings_ = nullptr;
    QStringList resultats_; // the answer being filled
    GM_RemplissageParTranches remplissage_;
};
