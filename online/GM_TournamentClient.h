#pragma once

#include "GM_ClientSocket.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class GM_ServerPass;
class GM_MessageBoxDisplayerA;
class QLabel;

// The tournaments tab.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_TournamentClient : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    explicit GM_TournamentClient(QWidget* parent = nullptr);
    ~GM_TournamentClient() override;

    void init(GM_ClientSocket* client, GM_ServerPass* serverPass, GM_MessageBoxDisplayerA* displayer,
              const QString& publicServerName);
    void retranslate();
    // The tournament of the game under way, empty when none.
    QString currentTournamentName() const { return tournamentName_; }
    void setCurrentTournamentName(const QString& nom) { tournamentName_ = nom; }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

public slots:
    void OnRefresh();

signals:
    void signalPlayTournament();

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;
    GM_ServerPass* serverPass_ = nullptr;
    QString publicServerName_;
    QString tournamentName_;
};
