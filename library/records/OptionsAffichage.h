#pragma once

#include "GM_LoadSaveElement.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <array>

// The user's display preferences: the other seats' names, display switches,
// graphics quality, deck style, theme and language, the automatic collect,
// the font scale and the four periods of seasonal decorations. Kept in the
// settings store as its text, where a user may edit it: reading brings every
// choice back into its valid range.
class OptionsAffichage : public GM_LoadSaveElement
{
public:
    static constexpr int NOMBRE_NOMS = 3;

    enum Saison { Hiver = 0, Printemps = 1, Ete = 2, Automne = 3 };

    // Valid ranges that reading clamps to. The choices are the options
    // dialog's buttons; the collect delay stays below ten seconds, beyond
    // which the table looks stuck; the font scale between half and three
    // times the normal size, beyond which the table's texts no longer fit.
    static constexpr int QUALITE_MIN = 1;
    static constexpr int QUALITE_MAX = 4;
    static constexpr int STYLE_CARTES_MAX = 4;
    static constexpr int STYLE_APPLICATION_MAX = 4;
    static constexpr int LANGUE_MAX = 4;
    static constexpr int DELAI_RAMASSAGE_MAX = 10000;
    static constexpr double TAILLE_POLICE_MIN = 0.5;
    static constexpr double TAILLE_POLICE_MAX = 3.0;

    struct Periode
    {
        bool actif = true;
        QString debut; // ISO dates; the year is ignored
        QString fin;
        bool operator==(const Periode& o) const { return actif == o.actif && debut == o.debut && fin == o.fin; }
        bool operator!=(const Periode& o) const { return !(*this == o); }
    };

    OptionsAffichage();
    ~OptionsAffichage() override;
    OptionsAffichage(const OptionsAffichage&) = default;
    OptionsAffichage& operator=(const OptionsAffichage&) = default;

    // The names and the first eight switches and choices are required; the
    // later fields are optional one by one and keep their values when
    // absent. A number that does not convert, or a factor that is not a
    // finite number, throws the record error; choices out of range are
    // clamped.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    bool operator==(const OptionsAffichage& o) const;
    bool operator!=(const OptionsAffichage& o) const { return !(*this == o); }

    QStringList noms_;            // first opponent, partner, second opponent
    bool helpCard_ = true;
    bool animatedScores_ = true;
    bool useRightSpace_ = false;
    int quality_ = 3;             // 1 low, 2 medium, 3 high, 4 ultra
    int cardStyle_ = 2;           // deck face style
    bool debug_ = true;
    bool randomNames_ = true;
    int appStyle_ = 0;            // 0 wood, 1 alien, 2 racing, 3 candy, 4 nature
    int language_ = 0;            // 0 automatic, 1 French, 2 English, 3 German, 4 Italian
    bool ramassageAuto_ = true;
    int ramassageDelay_ = 1700;   // milliseconds
    bool coloredCard_ = true;
    bool sounds_ = true;
    double facteur1_ = 0.026;
    std::array<Periode, 4> saisons_;
    bool dealInverted_ = false;
    double fontSize_ = 1.0;
    bool reserve_ = true;         // kept for older versions, which read it
    bool vibrate_ = true;
};

Q_DECLARE_METATYPE(OptionsAffichage)
