#pragma once

#include "StatusAtout.h"
#include "ZB_StatusMise.h"

#include <QString>

#include <optional>

class Carte;
class Partie;

// The words of the table's help box: what the computer advises and what the
// rules say at this moment of the game, from facts the scene gathers.
//
// Rules:
// - Nothing here waits for a search, asks a player or reads the scene: the
//   scene takes the advice first (DisplayGLScene::texteAideSituation) and
//   hands the answers in, so the texts are a function of their facts.
// - The texts keep the scene's translation context ("DisplayGLScene").
// - Paragraphs are separated by "<br><br>"; the box shows them as markup,
//   and no text from a peer ever reaches them.
namespace scene_aide {

// What the help box is told of the moment.
struct Situation
{
    int etat = 0;
    // The deck's naming style and the game type's contract rule (2: the
    // help says "Coincher", any other value "Contrer").
    int style = 0;
    int styleContre = 0;
    // The deal (null before its trump) and the bottom seat's number.
    const Partie* jeu = nullptr;
    int siegeLocal = -1;
    // The computer's card for the bottom seat, null when none.
    const Carte* carteConseillee = nullptr;
    // The computer's trump and bid for the bottom seat, when asked (in the
    // trump and the bid states).
    std::optional<StatusAtout> conseilAtout;
    std::optional<ZB_StatusMise> conseilMise;
    // The names of the chosen trump suit's jack and nine, for the advice of
    // the first lead.
    QString nomBour;
    QString nomNel;
};

// The help box's whole text.
QString texteAide(const Situation& situation);

// The rules in short, for a player new to the game kind (Jass, or Belote);
// the help box that shows it adds the link to the whole rules.
QString texteRegles(bool belote);

// The advice for a bid the computer would make (conseil), in the contract
// rule's words.
QString texteConseilMise(const ZB_StatusMise& conseil, int styleContre, int style);

// The advice for a card state of the deal: leading or following, the team
// that chose trump, the trumps still in play, the tricks each team took.
QString texteConseilPli(const Partie& jeu, int etat, int siegeLocal, int atoutsEnJeu, int style);

} // namespace scene_aide
