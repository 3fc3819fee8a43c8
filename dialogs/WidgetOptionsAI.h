#pragma once

#include "OptionsAI.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// The tuning of one computer player as the options dialog edits it: its
// strength (how many deals its search samples, also offered as a few named
// levels) and the three trust and inference factors.
//
// Rules:
// - Every value shown is in its valid range; a value from saved settings
//   outside it is clamped when shown, and setOptions names each one that was.
// - The record's version is kept as it was given: the widget edits values
//   only, never the format.
class WidgetOptionsAI : public QWidget
{
    Q_OBJECT

public:
    static constexpr int COMBINAISONS_MIN = 100;
    static constexpr int COMBINAISONS_MAX = 100000;
    static constexpr int PAS_COMBINAISONS = 500;
    static constexpr double FACTEUR_MIN = 0.0;
    static constexpr double FACTEUR_MAX = 1.0;
    static constexpr int DECIMALES_FACTEUR = 3;
    // The named levels and their numbers of sampled deals; the default
    // tuning is the "Fort" level.
    static constexpr int NIVEAUX[] = {500, 2000, 5000, 20000};

    explicit WidgetOptionsAI(QWidget* parent = nullptr);
    ~WidgetOptionsAI() override;

    // Shows a record; returns the names of the values that had to be clamped.
    QStringList setOptions(const OptionsAI& options);
    OptionsAI options() const;

    QSpinBox* getForce() const { return force_; }
    QComboBox* getNiveau() const { return niveau_; }
    QDoubleSpinBox* getSecondTour() const { return secondTour_; }
    QDoubleSpinBox* getTroisiemeTour() const { return troisiemeTour_; }
    QDoubleSpinBox* getConnaissance() const { return connaissance_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();
    void niveauSuitForce_(int force);

    // The labels of the rows, top to bottom.
    std::array<QLabel*, 5> etiquettes_{};

    QComboBox* niveau_;
    QSpinBox* force_;
    QDoubleSpinBox* secondTour_;
    QDoubleSpinBox* troisiemeTour_;
    QDoubleSpinBox* connaissance_;
    int version_ = 1;
};
