#pragma once

#include "GM_ClientSocket.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class GM_ServerPass;
class QLabel;

// The servers and tables tab: the lobby's game servers and their tables.
// The window tells it when to refresh and reads the server the user chose.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_TablesList : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit GM_TablesList(QWidget* parent = nullptr);
    ~GM_TablesList() override;

    void init(GM_ClientSocket* client, GM_ServerPass* serverPass, const QString& publicServerName);
    void retranslate();
    // The name of the server chosen for the game under way, empty when none.
    QString selectedServerName() const { return selectedServerName_; }
    void setSelectedServerName(const QString& nom) { selectedServerName_ = nom; }
    bool isScreenshot() const { return screenshot_; }
    void setScreenshot(bool on) { screenshot_ = on; }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

public slots:
    void OnRefresh();

signals:
    void signalSelectedServerChanged(qint64 serverId, int port);

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;
    GM_ServerPass* serverPass_ = nullptr;
    QString publicServerName_;
    QString selectedServerName_;
    bool screenshot_ = false;
};
