#pragma once

#include "DisplayGLJeuDeCartes.h"
#include "SceneGeometrie.h"

#include <QSharedPointer>

#include <array>
#include <memory>

class DisplayGLPaintA;
class DisplayGLWidget;
class GL_ObjectCube;

// The cards on the cloth, a part the table scene owns: the 36 card objects
// of the 3-D layer, the trick lying on the cloth, the card turned up for the
// bidding and the announced cards shown face up.
//
// Rules:
// - GUI thread only; no locks. No back reference to the scene: the scene
//   passes the paint engine and how the table is looked at (Vue), the
//   display positions and placements, and which cards the announcements
//   hold; the part only moves its own objects.
// - The cloth follows the game's events in order: whatever lies there when
//   a trick begins (after four cards, when the game's trick is empty, or
//   where the seat's place is taken) goes to the leader's pile before the
//   new card lands; cards the announcements leave lying go then too. The
//   caller collects (ramassePli) when commencePli says so, then lays the
//   card (pose).
// - An announced card stays on the cloth when its trick is collected;
//   browsing the undo history sends collected cards back out at their
//   seat's edge, not to a pile. Past the announcements, a collected trick
//   turns the exposed cards that left the cloth back to the other seats'
//   face.
// - The turned card stays face up through the deal and is never hidden
//   with the trick; a card the deal gives to a hand the layer shows stops
//   its flight first (it would hide itself on arrival).
// - Card numbers and positions outside their ranges are ignored.
class SceneTapis
{
public:
    static constexpr int NOMBRE_CARTES = DisplayGLJeuDeCartes::NOMBRE_CARTES;
    static constexpr int NOMBRE_SIEGES = scene_geometrie::NOMBRE_SIEGES;
    // A card's size on the cloth, in table units.
    static constexpr double LARGEUR_CARTE = 0.2;
    static constexpr double HAUTEUR_CARTE = 0.2828;
    // A set of card numbers (0..35).
    using Cartes = std::array<bool, NOMBRE_CARTES>;

    // How the table is looked at while the cards move.
    struct Vue
    {
        // The paint engine, or null once the view deleted it.
        DisplayGLPaintA* moteur = nullptr;
        // Cards fly to their places; else they jump there at once.
        bool anime = true;
        // The user browses the game back and forth (undo).
        bool navigationAnnuler = false;
        // The face other seats' cards show (a GL_ObjectCube face).
        int faceAutres = 0;
        // The announcements have been shown to all.
        bool annoncesVues = false;
    };

    SceneTapis();
    ~SceneTapis();
    SceneTapis(const SceneTapis&) = delete;
    SceneTapis& operator=(const SceneTapis&) = delete;

    // --- The card objects.
    // Builds the objects from the card set's pictures, new ones hidden and
    // moving in dureeMs; objects already built take the set's pictures
    // again (a new card style or context).
    void construit(const QSharedPointer<DisplayGLWidget>& holder, const DisplayGLJeuDeCartes& jeu, int dureeMs);
    void setDureeMouvement(int ms);
    // Frees the objects (and their textures, while the engine is there).
    void libere();
    // The object of a card number, or null.
    GL_ObjectCube* objet(int index) const;
    GL_ObjectCube* surTable(int position) const;
    GL_ObjectCube* retournee() const { return retournee_; }
    bool isExposee(int index) const;
    void arreteAnimations();
    // Draws an object at a placement, that many times its size, and counts
    // it among dessinees.
    void dessine(GL_ObjectCube* cube, int placement, Cartes& dessinees, double agrandissement = 1.0);
    // Draws the trick and the turned card, the latter that many times its
    // size (the card bid on, on a table drawn smaller above the bid band).
    void dessinePli(Cartes& dessinees, double agrandissementRetournee = 1.0);
    // The widget engine keeps what it drew last: every object outside
    // gardees (null: every object) leaves it.
    void retireDuMoteur(DisplayGLPaintA& moteur, const Cartes* gardees = nullptr) const;

    // --- The deal.
    // A new deal clears the trick from the cloth; the turned card stays.
    void videTable();
    // A card dealt: to a hand the layer shows (mainMontree false), at
    // placement, shown after delaiMs (at once without animation); else out
    // of the layer. Either way it shows the other seats' face.
    void donne(int index, bool mainMontree, int placement, int delaiMs, const Vue& vue);
    // The card turned up for the bidding, face up at its place; false when
    // the card has no object.
    bool retourne(int index);
    void oublieRetournee() { retournee_ = nullptr; }
    // A bidder takes the turned card to its pile; efface (without
    // animation) forgets it instead.
    void prendRetournee(int pile, bool efface, const Vue& vue);
    // The game left: cards still flying are stopped and hidden, the cloth
    // holds nothing.
    void oublie();
    // The end of a deal: every object hidden, at rest, showing faceAutres,
    // none exposed.
    void finDeDonne(int faceAutres);

    // --- The trick.
    // A card is played at a position: true when it begins a trick while
    // cards still lie on the cloth, which the caller collects first.
    bool commencePli(int position, bool pliVide);
    // The card lands at the position's place in the trick.
    void pose(int index, int position, const Vue& vue);
    // The cards on the cloth outside annoncees go to the pile of the
    // position pile (-1: they are hidden).
    void ramassePli(int pile, const Cartes& annoncees, const Vue& vue);
    // The table ended the trick: the next card begins one.
    void finitPli() { cartesDuPli_ = NOMBRE_SIEGES; }
    // The cards of an announcement show face up until a trick collected
    // past the announcements turns them back.
    void expose(const Cartes& cartes);

private:
    // The card number of an object, or -1.
    int index_(const GL_ObjectCube* cube) const;

    std::array<std::unique_ptr<GL_ObjectCube>, NOMBRE_CARTES> objets_;
    std::array<GL_ObjectCube*, NOMBRE_SIEGES> surTable_{};
    // Cards played into the trick on the cloth; NOMBRE_SIEGES once the
    // table ended it.
    int cartesDuPli_ = 0;
    GL_ObjectCube* retournee_ = nullptr;
    Cartes exposees_{};
};
