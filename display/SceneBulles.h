#pragma once

#include "SceneGeometrie.h"
#include "ZB_StatusMise.h"

#include <QFont>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class GL_ObjectSquare;
class QFont;

// The players' speech bubbles, a part the table scene owns: one bubble
// object of the 3-D layer per display position, what each says, the bid it
// says (so that its words follow a language change), the announcements that
// wait for their seat's card, and the position of the last seat that bid.
//
// Rules:
// - GUI thread only; no locks. No back reference to the scene: the scene
//   hands in the bubble objects it builds, the font the texts are written
//   in, the card style of the bid words and whether to animate; the part
//   keeps the texts and objects in step.
// - A bubble's text is plain text, drawn bold in the body above the tail,
//   smaller when wider than the bubble. A text set other than by a bid
//   (dit) is not said again on a language change.
// - A pass hides its seat's bubble; a bid hides the next seat's, unless
//   that seat holds the standing bid and this one bid nothing.
// - Positions outside 0..3 are ignored; a position without an object (the
//   layer not built yet) keeps what it says, undrawn, until redessine.
class SceneBulles
{
public:
    static constexpr int NOMBRE_SIEGES = scene_geometrie::NOMBRE_SIEGES;
    // A text's usual size, as a part of its bubble's width.
    static constexpr double PART_POLICE = 0.11;

    // Where a bubble's words go in its picture (the body, above the tail),
    // and the bold font, from the scene's, that writes a text within that
    // width: the usual size, or smaller for long words.
    static QRectF boiteTexte(const QSize& image);
    static QFont policeQuiTient(const QString& texte, const QFont& police, int largeurImage);

    SceneBulles();
    ~SceneBulles();
    SceneBulles(const SceneBulles&) = delete;
    SceneBulles& operator=(const SceneBulles&) = delete;

    // --- The objects.
    // Takes a position's bubble object, hidden, without a kept picture.
    void setObjet(int position, std::unique_ptr<GL_ObjectSquare> objet);
    GL_ObjectSquare* objet(int position) const;
    // Frees the objects (and their textures, while the engine is there).
    void libere();
    void rechargeTheme(int theme);
    void setDureeAnimation(int ms);
    // Draws every bubble that says something again (its picture came back
    // bare).
    void redessine(const QFont& police);

    // --- What they say.
    QString texte(int position) const;
    bool isPendante(int position) const;
    // The seat holds announcements to show with its card.
    void setPendante(int position, bool pendante);
    // The bubble says what texte composes (not a bid), composed again at
    // every language change.
    using Texte = std::function<QString()>;
    void dit(int position, Texte texte, const QFont& police);
    // What composes a position's text (empty for a bid or nothing).
    Texte source(int position) const;
    // A seat's bid; false for a pass (no contract), whose bubble goes.
    // effaceRetournee tells whether the take clears the turned card.
    bool ditMise(int position, const ZB_StatusMise& mise, int variante, int style, bool anime, const QFont& police,
                 bool& effaceRetournee);
    // The bids and texts said again in the language shown.
    void retraduit(int style, const QFont& police);
    void montre(int position, bool montre, bool anime);
    // The bubble of a seat with announcements comes with its card.
    void montreSiPendante(int position, bool anime);
    void cache(bool anime);
    // A trick ended: no announcement waits any more.
    void oubliePendantes() { pendantes_.fill(false); }
    // Every bubble hidden and silent, no bidder.
    void vide();

private:
    // Not the object-text box of the slate and notices: see the source.
    void dessine_(int position, const QFont& police);

    // The bid a bubble says; variante < 0 when it says something else.
    struct MiseDeBulle
    {
        ZB_StatusMise mise;
        int variante = -1;
    };

    std::array<std::unique_ptr<GL_ObjectSquare>, NOMBRE_SIEGES> objets_;
    std::array<QString, NOMBRE_SIEGES> textes_;
    std::array<Texte, NOMBRE_SIEGES> sources_;
    std::array<MiseDeBulle, NOMBRE_SIEGES> mises_{};
    std::array<bool, NOMBRE_SIEGES> pendantes_{};
    int dernierMiseur_ = -1;
};
