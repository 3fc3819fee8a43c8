#pragma once

#include <QString>

#include <vector>

// The store-screenshot presets: for each store format, the size of the
// picture, its caption, the sample table shown and how it is drawn.
//
// Rules: the captions are rows of five texts (empty, French, English,
// German, empty), indexed by the start-up language 1 to 3 (4 the empty
// last column); caption row 0 is no caption. The tables are constant.
class DisplayGLCapturesMagasin
{
public:
    struct Preset
    {
        int largeur;
        int hauteur;
        int legende;     // caption row, 0 none
        int scenario;    // the main window's sample game (0 to 3)
        int argument;    // 0 the table; 4, 5, 6 the lobby window over it with its
                         // ranking, servers or titles tab in front
        int jeuBelote;   // deck flag: 1 the Belote pair of faces
        int ajuste;      // 1: shrink to fit the screen
        double echellePolice;
        const char* couleur1;
        const char* couleur2;
    };

    static constexpr int COLONNES_LEGENDES = 5;
    static constexpr int LANGUE_ANGLAIS = 2;
    // The one caption the English iOS store shows in other words.
    static constexpr int LEGENDE_REMPLACEE_IOS = 3;

    // Empty for a platform other than "ios" or "android".
    static const std::vector<Preset>& presets(const QString& plateforme);
    static int nombreLegendes();
    // The caption of a row in a language column; "" out of range.
    static QString legende(int ligne, int langue, const QString& plateforme);
};
