#pragma once

#include "GM_WidgetAuto.h"

#include <QString>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks the user for the address of the machine that hosts a game. It is an
// in-scene window, not a modal dialog: the answer comes as a signal, and the
// window puts itself away either way.
class ZB_ClientDialogIp : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit ZB_ClientDialogIp(QWidget* parent = nullptr);
    ~ZB_ClientDialogIp() override;

    // The address typed, without surrounding blanks.
    QString getIp() const;
    void setIp(const QString& ip);

    QLineEdit* getLineEdit() const { return lineEditIp_; }
    QDialogButtonBox* getButtonBox() const { return boutons_; }

signals:
    // OK, with the address typed.
    void accepted(const QString& ip);
    void rejected();

private slots:
    void OnAccepte();
    void OnRefuse();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    QLabel* label_;
    QLineEdit* lineEditIp_;
    QDialogButtonBox* boutons_;
};
