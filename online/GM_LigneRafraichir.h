#pragma once

class QGridLayout;
class QPushButton;
class QTimer;
class QWidget;

// The bottom row of the lobby's list tabs: a centred refresh button, and the
// single-shot timer that ends the pause during which it stays off. The tab
// owns both (they are its children) and connects the timer itself.
struct GM_LigneRafraichir
{
    QPushButton* bouton = nullptr;
    QTimer* pause = nullptr;

    static GM_LigneRafraichir construit(QWidget* onglet, QGridLayout* grille, int ligne, int pauseMs);
};
