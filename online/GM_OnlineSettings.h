#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class GM_MessageBoxDisplayerA;
class GM_PassChange;
class QPushButton;
class QStackedWidget;

// The account tab: change the password (page 1, the password form), ask
// for an e-mail with the account's data, ask for the account's deletion.
// Each is one lobby request ("pCH", "Dld", "Dli"); the lobby's result code,
// the answer's first field, becomes a message box.
//
// Rules:
// - Data and deletion are asked only after the user confirmed a box; the
//   password form returns to the buttons page whichever way it is left.
// - Codes 0, 1 and 2 have their boxes (the password answer only 0 and 1);
//   any other code, a code that is no number and an answer without fields
//   show nothing.
// - Requests are made only while the lobby is connected; none is kept for
//   later. The tab keeps no pending state but the new passwords sent, in
//   order, so that a success can name the password now in force
//   (signalPasswordChanged); they are forgotten when the session ends.
class GM_OnlineSettings : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    enum Page { PageButtons = 0, PagePassword = 1 };

    explicit GM_OnlineSettings(QWidget* parent = nullptr);
    ~GM_OnlineSettings() override;

    void init(GM_MessageBoxDisplayerA* displayer, GM_ClientSocket* client);
    void retranslate();

    QStackedWidget* pages() const { return stackedWidget; }
    GM_PassChange* passChange() const { return m_passChangeP; }
    QPushButton* changePasswordButton() const { return pushButtonChangePassword; }
    QPushButton* deleteAccountButton() const { return pushButtonDeleteAccount; }
    QPushButton* seeDataButton() const { return pushButtonSeeData; }

signals:
    // The lobby took the new password: whoever keeps the login's password
    // replaces it.
    void signalPasswordChanged(const QString& password);

public slots:
    void on_pushButtonDeleteAccount_clicked();
    void on_pushButtonSeeData_clicked();
    void OnDeleteAccountConfirmed();
    void OnSeeDataConfirmed();
    void OnRequestAccountDeleteAnswerReceived(const QStringList* listP);
    void OnRequestAccountDataAnswerReceived(const QStringList* listP);
    void OnPasswordChangeAnswerReceived(const QStringList* listP);
    void on_pushButtonChangePassword_clicked();
    void OnPassChangeFinish(bool send);

private:
    void construitFormulaire_();
    // Queues the Idle message of word with its fields; false when the
    // lobby is not connected.
    bool envoie_(const char* mot, const QStringList& champs);
    // The answer's result code; false when there is none or it is no
    // number.
    static bool code_(const QStringList* liste, int& code);
    // The boxes of the data and deletion answers, which differ on code 1.
    void boiteDemande_(int code, const QString& texteCode1);
    void oubliePasses_();

    QStackedWidget* stackedWidget = nullptr;
    QPushButton* pushButtonChangePassword = nullptr;
    QPushButton* pushButtonDeleteAccount = nullptr;
    QPushButton* pushButtonSeeData = nullptr;
    GM_PassChange* m_passChangeP = nullptr;
    QPointer<GM_ClientSocket> client_;
    QStringList passesEnvoyes_;
};
