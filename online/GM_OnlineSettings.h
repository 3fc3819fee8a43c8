#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class GM_MessageBoxDisplayerA;
class QLabel;

// The account options tab.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_OnlineSettings : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    explicit GM_OnlineSettings(QWidget* parent = nullptr);
    ~GM_OnlineSettings() override;

    void init(GM_MessageBoxDisplayerA* displayer, GM_ClientSocket* client);
    void retranslate();

    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;

};
