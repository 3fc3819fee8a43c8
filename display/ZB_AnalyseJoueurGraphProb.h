#pragma once

#include "GM_WidgetAuto.h"

#include <QColor>

// One card's bar group in the analysis window: three bars side by side for
// the player's view, the public view and what is known, each the share of
// the height given by its value (0 to 1).
class ZB_AnalyseJoueurGraphProb : public GM_WidgetAuto
{
    Q_OBJECT

public:
    static constexpr int NOMBRE_TABLES = 3;

    explicit ZB_AnalyseJoueurGraphProb(QWidget* parent = nullptr);
    ~ZB_AnalyseJoueurGraphProb() override;

    // Value number table (0 to 2); schedules a repaint only when it changed.
    // Returns whether it changed; an unknown table or a NaN changes nothing.
    bool setProbabilite(int table, float probabilite);
    // 0 for an unknown table.
    float getProbabilite(int table) const;

    // Colour of the bars of a table, also used by the window's legend.
    static QColor couleurTable(int table);
    // Height in pixels of a bar of that value in a widget of height hauteur;
    // values outside 0 to 1 count as the nearest bound.
    static int hauteurBarre(float probabilite, int hauteur);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float probabilites_[NOMBRE_TABLES] = {1.0f, 1.0f, 1.0f};
};
