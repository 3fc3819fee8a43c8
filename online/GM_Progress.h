#pragma once

#include "GM_ProgressA.h"
#include "GM_WidgetAuto.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The small window that shows a lobby connection's progress: a text, a bar
// and a cancel button. The lobby client drives it through GM_ProgressA and
// installs itself as the cancel callback; until then Cancel does nothing.
class GM_Progress : public GM_WidgetAuto, public GM_ProgressA
{
    Q_OBJECT

public:
    explicit GM_Progress(QWidget* parent = nullptr);
    ~GM_Progress() override;

    void setProgress(const QString& texte, int valeur) override;
    void activateWindow() override;
    void show() override;
    void hide() override;
    // The form's texts again: the label shows "<Progress>" until the next
    // setProgress.
    void retranslate() override;
    void updateScaling() override;
    void setCancelCallback(Cancel_cb* callback) override { annulation_ = callback; }

    QLabel* getLabel() const { return label_; }
    QProgressBar* getProgressBar() const { return barre_; }
    QPushButton* getCancelButton() const { return boutonAnnuler_; }

private slots:
    void OnCancelled();

private:
    QLabel* label_;
    QProgressBar* barre_;
    QPushButton* boutonAnnuler_;
    Cancel_cb* annulation_ = nullptr;
};
