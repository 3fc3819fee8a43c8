#pragma once

#include "GM_WidgetAuto.h"

class QGridLayout;
class QLabel;
class ZB_AnalyseJoueurGraphProb;

// The analysis window's page of one suit: a row per seat with a bar group
// per rank (6 to 14) and the seat's name, and a row of rank titles below.
class ZB_AnalyseJoueurGraph : public GM_WidgetAuto
{
    Q_OBJECT

public:
    static constexpr int RANG_MIN = 6;
    static constexpr int RANG_MAX = 14;
    static constexpr int COLONNE_TEXTE = 15;
    static constexpr int LIGNE_TITRES = 4;

    explicit ZB_AnalyseJoueurGraph(QWidget* parent = nullptr);
    ~ZB_AnalyseJoueurGraph() override;

    // The bar group of a seat (0 to 3) and rank (6 to 14), else null.
    ZB_AnalyseJoueurGraphProb* getGraphProb(int joueur, int valeur) const;
    // The name label of a seat's row, else null.
    QLabel* getLabel(int joueur) const;
    void setTexte(int joueur, const QString& texte);

private:
    QGridLayout* grille_ = nullptr;
    ZB_AnalyseJoueurGraphProb* barres_[4][RANG_MAX - RANG_MIN + 1] = {};
    QLabel* labels_[4] = {};
};
