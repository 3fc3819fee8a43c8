#pragma once

#include "GM_ClientSocket.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class QPushButton;
class QLabel;

// The statistics tab.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_Stats : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit GM_Stats(QWidget* parent = nullptr);
    ~GM_Stats() override;

    void init(GM_ClientSocket* client, int gameFamily);
    void retranslate();
    int gameFamily() const { return gameFamily_; }
    QPushButton* refreshButton() const { return refresh_; }
    void requestStats() { ++refreshes_; }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

public slots:
    void OnStatsReceived(const QStringList* list);
    void OnDisconnected();
    void OnPushButtonRefresh();

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;
    int gameFamily_ = 0;
    QPushButton* refresh_;
};
