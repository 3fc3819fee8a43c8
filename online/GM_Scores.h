#pragma once

#include "GM_ClientSocket.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QStringList>

class QLabel;

// The ranking tab.
// The lobby window creates it empty and calls init once; the tab keeps a
// guarded pointer to the lobby client. What it lists comes with its own
// contents; for now it holds the operations the lobby window relies on.
class GM_Scores : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit GM_Scores(QWidget* parent = nullptr);
    ~GM_Scores() override;

    void init(GM_ClientSocket* client, int gameFamily);
    void retranslate();
    // 0 Jass, anything else Belote.
    int gameFamily() const { return gameFamily_; }
    bool isListEmpty() const { return lignes_ == 0; }
    void clearList() { lignes_ = 0; }
    // How many times the window asked for fresh data.
    int refreshCount() const { return refreshes_; }

private:
    QPointer<GM_ClientSocket> client_;
    QLabel* etiquette_;
    int refreshes_ = 0;
    int gameFamily_ = 0;
    int lignes_ = 0;
};
