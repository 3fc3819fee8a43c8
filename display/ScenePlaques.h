#pragma once

#include "SceneGeometrie.h"

#include <QFont>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <array>
#include <optional>

class GL_ObjectSquare;

// The seats' name plates painted on the cloth, a part the table scene owns:
// what each plate said when last painted, the cloth as painted, and the two
// facts of the deal the plates follow (the seat of the standing bid, and
// whether the game attached is this deal's).
//
// Rules:
// - GUI thread only; no locks. No back reference to the scene: the scene
//   gathers the facts (the seated players, their display positions, the
//   game's contract, the colours, the font, the deck's folder, the online
//   flag) and hands them to peint, which paints a fresh copy of the cloth's
//   picture and gives it to the engine unless it shows those very pixels.
// - A game from before the deal on the table names no trump or contract:
//   until the scene says the game is this deal's, the plates name the
//   players only.
// - The contract shows on the plate of the seat that bid it, not the
//   doubler's, whom the game makes the taker; a plate is as long as its
//   text, between the two plates beside it and clear of what the layer
//   draws over the cloth; its text is written smaller
//   when it would not fit, down to 60 % of its size, then the name (not
//   its " (joueur)", nor the contract) loses its end to "…".
// - A cloth without a picture is not painted: the plates keep their texts.
class ScenePlaques
{
public:
    static constexpr int NOMBRE_SIEGES = scene_geometrie::NOMBRE_SIEGES;
    // How far into the cloth's picture, from its left or right edge, the
    // side seats' plates reach.
    static constexpr double BORD_PLAQUES_COTE = 8.0 + 47.0;

    // A seated player, by seat.
    struct Plaque
    {
        bool occupee = false;
        // 0 bottom, 1 right, 2 top, 3 left.
        int position = 0;
        QString nom;
        // The player's Joueur::ModeJeu: a player away, replaced, waiting or
        // offline has the name struck through.
        int mode = 0;
    };
    // The game's facts the plates show.
    struct Contrat
    {
        int multiplicateur = 1;
        // The seats that chose the trump and that led, the game type's
        // contract rule and the bid's kind and points.
        int choisisseur = -1;
        int premier = -1;
        int regle = 0;
        int typeMise = 0;
        int objectif = 0;
    };
    struct Faits
    {
        std::array<Plaque, NOMBRE_SIEGES> plaques;
        // The trump in force (0 none) and the game attached, if any.
        int atout = 0;
        std::optional<Contrat> contrat;
        // The colour scheme (2: light texts on a dark table).
        int schema = 0;
        QFont police;
        // The deck's folder, where the trump signs are.
        QString dossier;
        bool enLigne = false;
        // What the layer draws over the cloth (the slate's corner, seen
        // from some angles), in the cloth picture's pixels: no plate
        // reaches under it.
        QPolygonF couvert;
        // How much larger than the cloth the texts are written: the cloth
        // drawn smaller above the bid band keeps readable names.
        double agrandissement = 1.0;
    };

    ScenePlaques() = default;
    ScenePlaques(const ScenePlaques&) = delete;
    ScenePlaques& operator=(const ScenePlaques&) = delete;

    // Paints the plates on the cloth; false when it has no picture.
    bool peint(GL_ObjectSquare& tapis, const Faits& faits);
    // What the plate at a display position said when last painted (empty
    // for an empty seat or a position outside 0..3).
    QString texte(int position) const;
    // Where that plate lies in the cloth's picture (empty as texte is).
    QRectF zone(int position) const;
    // The cloth as the plates were last painted on it.
    const QImage& image() const { return image_; }

    // --- The deal the plates follow.
    // A new deal, or the end of one: no bid stands, and the game attached
    // is the last deal's.
    void oublieDonne();
    // The game attached is this deal's (from a new game on).
    void setPartieDeLaDonne(bool deLaDonne) { partieDeLaDonne_ = deLaDonne; }
    // The seat of the deal's standing bid (doubles aside), -1 before any.
    void setSiegeMise(int siege) { siegeMise_ = siege; }

    // --- What the plates were last laid out against, kept by the scene:
    // the trump they were painted with and the part of the cloth's picture
    // they kept clear of the slate. The scene paints them again when the
    // slate comes to cover another part (a new window size, the layer
    // framed above the bid band), so that none reaches under it; the
    // outlines on screen last looked at spare the frames where nothing
    // moved, and a repaint already asked is not asked again.
    struct Repere
    {
        int atout = 0;
        QRectF couvert;
        QPolygonF tapisVu;
        QPolygonF ardoiseVu;
        bool aRepeindre = false;
    };
    Repere& repere() { return repere_; }

private:
    std::array<QString, NOMBRE_SIEGES> textes_;
    std::array<QRectF, NOMBRE_SIEGES> zones_;
    QImage image_;
    int siegeMise_ = -1;
    bool partieDeLaDonne_ = false;
    Repere repere_;
};
