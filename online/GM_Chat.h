#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_TexteDuLobby.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class GM_MessageBoxDisplayerA;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTimer;

// The chat tab: the community chat room that the lobby relays, one room
// per game family (Jass, Belote) and language (French, any other), four
// channels in all; below it a link inviting the user to the community.
//
// Rules:
// - The room is polled with "Fr4" (the channel) every PollShownMs while the
//   tab is shown and every PollHiddenMs while it is hidden, from the
//   client's ready signal until its disconnection. A poll stops the timer;
//   only an answer, a sent line or the ready signal start it again, so that
//   no timed polls pile up while the lobby does not answer. Showing the tab
//   polls at once.
// - An answer is the channel, then pieces of text shown as plain text, one
//   after the other, each bringing its own line break. An answer for
//   another channel (the lobby's announcements come on channel 4), with a
//   channel that is no number, or without text changes nothing.
// - The document keeps about the newest MaxBlocks paragraphs: once it holds
//   TrimSlack more, the oldest go in one step (removing the first paragraph
//   lays the whole document out again, so it is not done line by line).
// - A line of the lobby keeps at most GM_TexteDuLobby::Ligne characters,
//   and an answer its newest MaxLinesPerAnswer lines: a record of a
//   megabyte in one line, or in a million empty ones, costs the document a
//   few hundred lines, never its layout for good.
// - A typed line (at most MaxLineLength characters) is sent with "A4E" and
//   echoed as "<Vous> line"; nothing is sent or echoed while the lobby is
//   not connected, and the line stays typed.
// - A language change that moves the tab to another channel empties it.
class GM_Chat : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    static constexpr int PollShownMs = 2000;
    static constexpr int PollHiddenMs = 30000;
    static constexpr int MaxBlocks = 20000;
    static constexpr int TrimSlack = 1000;
    static constexpr int MaxLineLength = 255;
    static constexpr int MaxLinesPerAnswer = 500;
    static constexpr int ChannelCount = 4;
    // Interface language numbers as the lobby window gives them.
    static constexpr int LanguageFrench = 1;

    explicit GM_Chat(QWidget* parent = nullptr);
    ~GM_Chat() override;

    // Once. language is read through the pointer (null: French).
    void init(GM_ClientSocket* client, GM_MessageBoxDisplayerA* displayer, bool belote, const int* language);
    // language: 1 French, 2 any other (English), 3 German, 4 Italian.
    void retranslate(int language);
    // Empties the chat, as when the lobby connection ends.
    void clearMessages();

    // 0 Jass French, 1 Jass other, 2 Belote French, 3 Belote other.
    static int channelFor(bool belote, int language);
    static QString invitationLink(int channel);
    int channel() const { return channel_; }
    bool isBelote() const { return belote_; }

    QTextEdit* textEdit() const { return textEdit_; }
    QLineEdit* lineEdit() const { return lineEdit_; }
    QPushButton* sendButton() const { return pushButtonSend_; }
    QLabel* invitationLabel() const { return label_; }
    QTimer* refreshTimer() const { return timer_; }

public slots:
    void OnDiscordChat(const QStringList* newData);
    void OnRefresh();
    void OnSocketReady();
    void OnSocketDisconnected();
    void on_pushButtonSend_clicked();
    void on_lineEdit_returnPressed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void construitFormulaire_();
    void retraduitFormulaire_();
    // Appends the pieces after the first (the channel) and restarts the
    // timer.
    void ajoute_(const QStringList& champs);
    bool clientConnecte_() const;
    void borne_();

    QGridLayout* grille_ = nullptr;
    QTextEdit* textEdit_ = nullptr;
    QLineEdit* lineEdit_ = nullptr;
    QPushButton* pushButtonSend_ = nullptr;
    QLabel* label_ = nullptr;
    QPointer<GM_ClientSocket> client_;
    QTimer* timer_ = nullptr;
    bool belote_ = false;
    int channel_ = 0;
};
