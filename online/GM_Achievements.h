#pragma once

#include "GM_ClientSocket.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class QLabel;

// The titles tab.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_Achievements : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit GM_Achievements(QWidget* parent = nullptr);
    ~GM_Achievements() override;

    void init(GM_ClientSocket* client);
    void retranslate();
    void requestAchievements() { ++refreshes_; }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;

};
