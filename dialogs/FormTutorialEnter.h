#pragma once

#include "GM_WidgetAuto.h"

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QKeyEvent;
class QPushButton;

// The welcome form a tutorial request shows: how the user wants to start,
// and whether to see it again. The scene shows it for the request and waits
// for signalTutorialClosed before its next box.
//
// Rules:
// - The request id comes from the id source when one is set (the scene's
//   current tutorial request), else from setEventId.
// - Both buttons answer the request, so the scene's queue never waits on
//   the form; only OK counts as completed and carries the answer. Esc, and
//   the table closing the form, are Skip.
// - Tab goes forward through the checked choice, "do not show again",
//   Skip and OK, round again; Shift+Tab back; the arrows move the check.
class FormTutorialEnter : public GM_WidgetAuto
{
    Q_OBJECT

public:
    // The choices of the form's button group.
    enum Choix { ConnaitLeJeu = 0, Debutant = 1, ExpliqueRegles = 2 };

    explicit FormTutorialEnter(QWidget* parent = nullptr);
    ~FormTutorialEnter() override;

    // Closed by the table, the welcome is skipped.
    void fermeParLaTable() override;

    void setEventId(quint32 id) { eventId_ = id; }
    void setSourceEventId(std::function<quint32()> source) { sourceId_ = std::move(source); }
    quint32 eventId() const { return sourceId_ ? sourceId_() : eventId_; }

    // The checked choice, and the "do not show again" box.
    int choix() const;
    bool nePlusAfficher() const;

    QButtonGroup* getButtonGroup() const { return groupe_; }
    QCheckBox* getCheckBox() const { return nePlusAfficher_; }
    QPushButton* getBoutonOk() const { return ok_; }
    QPushButton* getBoutonPasser() const { return passer_; }

signals:
    void signalTutorialClosed(quint32 eventId, bool isCompleted);
    // The user's answer, for the tutorial receiver: sent before the form
    // closes the request, only when completed.
    void signalTutorialAnswer(int choix, bool nePlusAfficher);

public slots:
    void OnOk();
    void OnPasser();

protected:
    void changeEvent(QEvent* event) override;
    // The arrows move the check between the choices: in the table the
    // choices cannot move the focus among themselves (the application's
    // focus is the table's view), and they would keep the key.
    bool eventFilter(QObject* objet, QEvent* event) override;
    // Tab walks the form round: the checked choice, "do not show again",
    // Skip, OK. The unchecked choices of a group take no Tab, and in the
    // table the walk would otherwise stop on the checked one.
    bool focusNextPrevChild(bool next) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    QLabel* titre_;
    QLabel* question_;
    QButtonGroup* groupe_;
    QCheckBox* nePlusAfficher_;
    QPushButton* ok_;
    QPushButton* passer_;
    quint32 eventId_ = 0;
    std::function<quint32()> sourceId_;
};
