#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class GM_MessageBoxDisplayerA;
class QLabel;

// The chat tab.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_Chat : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    explicit GM_Chat(QWidget* parent = nullptr);
    ~GM_Chat() override;

    void init(GM_ClientSocket* client, GM_MessageBoxDisplayerA* displayer, bool belote, int* language);
    void retranslate();
    void clearMessages() { messages_ = 0; }
    int messageCount() const { return messages_; }
    void retranslate(int language) { Q_UNUSED(language); retranslate(); }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;
    bool belote_ = false;
    int* language_ = nullptr;
    int messages_ = 0;
};
