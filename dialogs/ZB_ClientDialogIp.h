#pragma once

#include "GM_WidgetAuto.h"

#include <QString>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks the user for the address of the machine that hosts a game and the
// port it listens on, and the name the user will play under. It is an
// in-scene window, not a modal dialog: the answer comes as a signal, and the
// window puts itself away either way. The port is asked because a host
// may listen on another port than the usual one, and the name because
// outside the lobby nothing else names the player on the other screens. A
// port that is no port (empty, 0, above 65535) is not accepted: the window
// stays until it is mended or cancelled; so does an empty address or name.
// The window then says, under the fields, what is missing, and takes the
// keyboard to that field.
class ZB_ClientDialogIp : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit ZB_ClientDialogIp(QWidget* parent = nullptr);
    ~ZB_ClientDialogIp() override;

    // The address typed, without surrounding blanks.
    QString getIp() const;
    void setIp(const QString& ip);
    // The port typed, 0 when it is no port.
    quint16 getPort() const;
    void setPort(quint16 port);
    // The name typed, without surrounding blanks.
    QString getNom() const;
    void setNom(const QString& nom);

    QLineEdit* getLineEdit() const { return lineEditIp_; }
    QLineEdit* getLineEditPort() const { return lineEditPort_; }
    QLineEdit* getLineEditNom() const { return lineEditNom_; }
    QDialogButtonBox* getButtonBox() const { return boutons_; }
    // What OK found missing, empty before OK or once all is there.
    QString getManque() const;

signals:
    // OK, with the address and the port typed.
    void accepted(const QString& ip, quint16 port);
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
    QLabel* labelPort_;
    QLineEdit* lineEditPort_;
    QLabel* labelNom_;
    QLineEdit* lineEditNom_;
    QLabel* manque_;
    QDialogButtonBox* boutons_;
};
