#pragma once

#include "GM_WidgetAuto.h"

#include <QRegularExpression>

class GM_LineEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRegularExpressionValidator;

// The password-change form of the account tab: the old and the new
// password, "Envoyer" and "Annuler".
//
// Rules: a password is 5 to 20 characters, each a letter of any script, a
// digit or one of the symbols of PasswordPattern; spaces and quotes never
// enter a field, typed or pasted. A field that is not acceptable shows its
// text in red, and "Envoyer" stays disabled until both are acceptable; no
// message is shown. Leaving the form by either button keeps what was typed.
class GM_PassChange : public GM_WidgetAuto
{
    Q_OBJECT

public:
    static constexpr const char* PasswordPattern = R"([\p{L}0-9*.!@#$%^&(){}\[\]:;<>,.?\/~_\+\-\=|]{5,20})";

    explicit GM_PassChange(QWidget* parent = nullptr);
    ~GM_PassChange() override;

    // Puts the validators on the fields, colours them and connects them.
    // Once.
    void init();
    void retranslate();

    GM_LineEdit* oldPassword() const { return m_passwordOldP; }
    GM_LineEdit* newPassword() const { return m_passwordNewP; }
    QPushButton* okButton() const { return pushButtonOk; }
    QPushButton* cancelButton() const { return pushButtonAnnuler; }

signals:
    // true: the user chose to send.
    void signalFinish(bool send);

public slots:
    void OnAnyTextChanged();
    void on_pushButtonAnnuler_clicked();
    void on_pushButtonOk_clicked();

private:
    void construitFormulaire_();
    // Colours the field after its label's palette, red when its text is
    // not acceptable; whether it is.
    static bool verifieChamp_(QLineEdit* champ, const QLabel* etiquette);

    QRegularExpression expressionPasse_;
    QRegularExpressionValidator* validateurAncien_ = nullptr;
    QRegularExpressionValidator* validateurNouveau_ = nullptr;

    QLabel* m_labelPasswordOldP = nullptr;
    GM_LineEdit* m_passwordOldP = nullptr;
    QLabel* m_labelPasswordNewP = nullptr;
    GM_LineEdit* m_passwordNewP = nullptr;
    QPushButton* pushButtonOk = nullptr;
    QPushButton* pushButtonAnnuler = nullptr;
};
