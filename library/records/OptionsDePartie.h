#pragma once

#include "GM_LoadSaveElement.h"
#include "OptionsAI.h"
#include "TypeDePartie.h"
#include "VersionProtocole.h"

#include <QMetaType>
#include <QString>

// The options of a game: which game type (a preset, or the custom type it
// carries), how the match is played, the computer players' tuning and the
// online settings. Its text opens every game file as the game inscription.
class OptionsDePartie : public GM_LoadSaveElement
{
public:
    enum ModeDeJeu {
        ModeStandart = 0,       // to the target score
        ModeConcours = 1,       // eight deals, the last four with the hands exchanged
        ModeCoiffeur = 2,       // twice as many deals as allowed trump modes
        ModeTournoi = 3,        // trump imposed
        ModeNouvelleGraine = 4, // the generator is reseeded for every deal
    };

    // The record's own format number, written after the game mode.
    static constexpr int FORMAT = 2;

    // A Belote game with the custom type, not yet loaded.
    OptionsDePartie();
    // The options of a new game of that kind (0 Jass, 1 Belote).
    explicit OptionsDePartie(int genre);
    ~OptionsDePartie() override;
    OptionsDePartie(const OptionsDePartie&) = default;
    OptionsDePartie& operator=(const OptionsDePartie&) = default;

    // The preset id, value 2 and the game mode are required, the rest
    // optional one by one; absent fields keep their values, except the game
    // type, which then becomes the preset of the read id. Sets loaded.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;
    // Version 1 leaves out value 6, text 7 and the game id, and writes the
    // game type in version 1 too.
    QString sauveValeursDansString(int version) const;

    // The game type only matters for the custom preset; the computer
    // players' versions are not compared.
    bool operator==(const OptionsDePartie& o) const;
    bool operator!=(const OptionsDePartie& o) const { return !(*this == o); }

    int idPreset_ = 6;
    TypeDePartie typeDePartie_;
    int modeDeJeu_ = ModeStandart;
    OptionsAI optionsAIAdversaires_;
    OptionsAI optionsAIPartenaire_;
    int valeur2_ = 0;
    quint8 genre_ = TypeDePartie::GenreBelote;
    quint8 penalites_ = 1;          // report slow or leaving players
    double delaiReponse_ = 15.0;    // seconds per answer in an online game
    int collecteReponses_ = 0;      // 0: the seats' end-of-game answers are combined
    int valeur6_ = -1;
    quint8 charge_ = 0;             // 1 once read or built for a kind
    QString texte7_;
    qint64 idPartie_ = -1;
};

Q_DECLARE_METATYPE(OptionsDePartie)
