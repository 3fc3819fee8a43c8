#pragma once

#include "GM_WidgetAuto.h"

#include <QPointer>

class ListeDesEvenements;
class QLabel;
class QTextEdit;

// The event window of a table: what waits in its list's queue and what the
// list executed, as the list writes them, following the executed events as
// they come (unless the user scrolled back to read).
class Evenements : public GM_WidgetAuto
{
    Q_OBJECT

public:
    // noFenetre places the window in a grid of five columns.
    Evenements(QWidget* parent, ListeDesEvenements* liste, int noFenetre);
    ~Evenements() override;

    static constexpr int Largeur = 400;
    static constexpr int Hauteur = 250;
    static constexpr int Colonnes = 5;

    QTextEdit* getVueEnAttente() const { return enAttente_; }
    QTextEdit* getVueExecutes() const { return executes_; }

private slots:
    void OnExecutesChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    int noTable_ = 0;
    QLabel* labelEnAttente_ = nullptr;
    QLabel* labelExecutes_ = nullptr;
    QTextEdit* enAttente_ = nullptr;
    QTextEdit* executes_ = nullptr;
    bool suitLaFin_ = true;
};
