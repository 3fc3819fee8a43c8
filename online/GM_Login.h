#pragma once

#include "GM_WidgetAuto.h"

#include <QRegularExpression>

class GM_LineEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QRegularExpressionValidator;
class QScrollArea;
class QSettings;
class QStackedWidget;

// The lobby's login dialog: log in, ask for a new account, or have a
// forgotten password sent. Every field is checked while it is typed; a
// field that is not acceptable shows its text in red and keeps the buttons
// that need it disabled, with no message. The choice goes to the lobby
// window by signals.
//
// The last e-mail, password and automatic-connection choice are kept in the
// settings group "Login". The password is only zlib-compressed there, not
// encrypted: the settings file is made readable by its owner alone each
// time the dialog writes it, and a stored password that does not
// uncompress, or claims more than PasseStockeMax bytes, reads as empty.
class GM_Login : public GM_WidgetAuto
{
    Q_OBJECT

public:
    static constexpr const char* Groupe = "Login";
    // A stored password is at most this long once uncompressed.
    static constexpr int PasseStockeMax = 1024;

    explicit GM_Login(QWidget* parent = nullptr);
    ~GM_Login() override;

    // Loads the saved values and connects the fields. Once.
    void init(QSettings* settings);
    bool isEmailValid() const;
    // Fills and colours the e-mail and password fields; whether both are
    // acceptable.
    bool setUserAndPass(const QString& email, const QString& password);
    void retranslate();
    void adjustToSize() override;
    // The lobby took a new password: the login field shows it, and a
    // stored password is replaced by it.
    void replaceSavedPassword(const QString& password);

    // The stored form of a password, and back ("pass" of group "Login").
    static QByteArray passeStocke(const QString& passe);
    static QString passeLu(const QVariant& valeur);

    QCheckBox* autoConnect() const { return autoConnect_; }
    GM_LineEdit* email() const { return email_; }
    GM_LineEdit* passwordNormal() const { return passe_; }
    GM_LineEdit* passwordRegister() const { return passeInscription_; }
    GM_LineEdit* passwordRegisterConfirm() const { return confirmation_; }
    GM_LineEdit* pseudo() const { return pseudo_; }
    QCheckBox* forgot() const { return oublie_; }
    QRadioButton* radioNormal() const { return radioNormal_; }
    QRadioButton* radioGetLogin() const { return radioGetLogin_; }
    QStackedWidget* pages() const { return pages_; }
    QPushButton* buttonOk() const { return boutonOk_; }
    QPushButton* buttonGetLogin() const { return boutonEnvoyer_; }
    QPushButton* buttonCancel1() const { return boutonAnnuler1_; }
    QPushButton* buttonCancel2() const { return boutonAnnuler2_; }

signals:
    void signalNewUserAndPass(const QString& email, const QString& pass, const QString& pseudo);
    void signalPasswordForgot(const QString& email);
    // 1 accepted, 0 cancelled.
    void signalLoginUserAnswer(int status);

public slots:
    void OnAnyTextChanged();
    void OnCheckGetLoginP(bool checked);
    void OnCheckForgotPassword(bool checked);
    void OnPushGetLogin();
    void OnOk();
    void OnCancel();
    bool checkUser();
    bool checkPassNormal();
    bool checkPassRegister();
    bool checkPseudo();
    bool checkConfirmOk();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void construitFormulaire_();
    // Colours the field red unless acceptable; whether it is.
    bool checkField_(QLineEdit* champ, const QWidget* sourcePalette, bool acceptable);
    bool valide_(QLineEdit* champ) const;
    void protegeFichier_();

    QRegularExpression expressionEmail_;
    QRegularExpression expressionPasse_;
    QRegularExpression expressionPseudo_;
    QRegularExpressionValidator* validateurEmail_;
    QRegularExpressionValidator* validateurPasse_;
    QRegularExpressionValidator* validateurPseudo_;
    QSettings* settings_ = nullptr;

    QCheckBox* autoConnect_;
    QRadioButton* radioNormal_;
    QRadioButton* radioGetLogin_;
    QLabel* labelEmail_;
    GM_LineEdit* email_;
    QStackedWidget* pages_;
    QLabel* labelPseudo_;
    GM_LineEdit* pseudo_;
    QLabel* labelPasseInscription_;
    GM_LineEdit* passeInscription_;
    QLabel* labelConfirmation_;
    GM_LineEdit* confirmation_;
    QPushButton* boutonEnvoyer_;
    QPushButton* boutonAnnuler1_;
    QScrollArea* defilement_;
    QLabel* avertissement_;
    QCheckBox* oublie_;
    QLabel* labelPasse_;
    GM_LineEdit* passe_;
    QPushButton* boutonOk_;
    QPushButton* boutonAnnuler2_;
    QLabel* texteConnexion_;
};
