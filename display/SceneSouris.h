#pragma once

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

#include <functional>

class DisplayGLHumanCarte;

// The mouse on the table, a part the table scene owns: the card a press
// lifted and the drag that moves it, the card marked for the click, the
// card under the pointer, and where and when the press began (for the
// swipe).
//
// Rules:
// - GUI thread only; no locks. No back reference to the scene: the scene
//   decides whether a card may be lifted, hovered or played (the player's
//   own legality code) and passes the answer and the table's measures in;
//   the part only keeps the cards' states and positions in step.
// - A card the table has since played, hidden or dealt again is not the
//   mouse's to move: the part neither moves nor puts down a card that is
//   no longer resting, marked or lifted in the hand.
// - Putting the dragged card back always ends the drag and forgets the
//   marked card, whether or not the card could be moved.
class SceneSouris
{
public:
    // The clock of presses, in milliseconds; null: the process's own.
    using Horloge = std::function<qint64()>;

    SceneSouris() = default;
    SceneSouris(const SceneSouris&) = delete;
    SceneSouris& operator=(const SceneSouris&) = delete;

    void setHorloge(Horloge horloge) { horloge_ = std::move(horloge); }
    qint64 maintenant() const;

    DisplayGLHumanCarte* carteGlissee() const { return carteGlissee_; }
    DisplayGLHumanCarte* carteSelectionnee() const { return carteSelectionnee_; }
    DisplayGLHumanCarte* carteSurvolee() const { return carteSurvolee_; }
    // A press with the left button lifted a card: moves drag the view and
    // the card.
    bool glisse() const { return glisse_; }

    // --- The press.
    // Where and when the press began.
    void appuie(const QPointF& point);
    // A card pressed while another one is still up puts that one back.
    void appuieSur(DisplayGLHumanCarte* carte);
    // Lifts a card the player may play; the left button starts a drag.
    void leve(DisplayGLHumanCarte* carte, bool boutonGauche);
    // The dragged card goes back where the press found it; the drag is over.
    void reposeCarteGlissee();

    // --- The move.
    // The pointer is at point: how far it went since the last point.
    QPointF suit(const QPointF& point);
    // Moves the dragged card by ecart, faster upwards: a short upward
    // stroke is enough to play it.
    void deplaceCarteGlissee(const QPointF& ecart);

    // --- The release.
    // The dragged card when it now lies higher than its start by more than
    // montee and closer than ecart to the table's middle milieuX; else null.
    DisplayGLHumanCarte* carteAuJeu(double montee, double milieuX, double ecart) const;
    // A card dropped and not played (too low, too far aside, or refused)
    // goes back where it was pressed, at rest, and so does the marked one.
    void relache(DisplayGLHumanCarte* carte);
    // The press that began a swipe, and how long ago, when there was one.
    bool aUnAppui() const { return appuiMs_ >= 0; }
    QPointF pointAppui() const { return pointAppui_; }
    qint64 dureeAppui() const { return maintenant() - appuiMs_; }
    // The next swipe starts where the pointer is.
    void repartDuDernierPoint() { pointAppui_ = dernierPoint_; }
    // The end of every click: the marked card is put down when the hand is
    // offered, and the drag ends.
    void finDeClic(bool mainOfferte);

    // --- The pointer over the hand.
    // The card under the pointer changes: the previous one, if marked by
    // the pointer, is put down; the new one is marked when playable and
    // not the card the click marked.
    void survole(DisplayGLHumanCarte* carte, bool jouable);
    // The card is played: the mouse holds nothing any more.
    void oublie(DisplayGLHumanCarte* carte);

private:
    DisplayGLHumanCarte* carteGlissee_ = nullptr;
    DisplayGLHumanCarte* carteSelectionnee_ = nullptr;
    DisplayGLHumanCarte* carteSurvolee_ = nullptr;
    // The dragged card's place when pressed; null when it has none to go
    // back to.
    QRectF rectDepart_;
    QPointF pointAppui_;
    QPointF dernierPoint_;
    Horloge horloge_;
    qint64 appuiMs_ = -1;
    bool glisse_ = false;
};
