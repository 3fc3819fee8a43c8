#pragma once

#include <QString>
#include <QStringList>

class Joueur;
class QFontMetrics;
class ZB_StatusMise;

// What the table scene writes: the words of boxes, plates, bubbles, the
// status line and the slate, each a function of its arguments alone.
//
// Rules:
// - Nothing here touches a scene, a widget or a game: the scene gathers the
//   facts and shows the text, so each text can be checked on its own.
// - Translated words keep the scene's translation context
//   ("DisplayGLScene"): the translations already made still apply.
// - Texts from peers and servers are never taken as markup (texteBoite).
namespace scene_textes {

// The slate lines leave this many pixels of their width unused.
inline constexpr int MARGE_LIGNE_ARDOISE = 30;

// A box text as the form shows it: markup escaped, line breaks ("\n" or
// <br>) kept. Names and lines come from peers and servers: taken as markup
// they could draw pictures, links or local files into the box.
QString texteBoite(const QString& texte);

// Where a trump mode's name is read: the status line and the bubbles
// (Annonce) or the computer's advice (Conseil), which spells the four
// directional modes out.
enum class UsageAtout { Annonce, Conseil };
// The name of a trump mode 1..11; any other code gives
// "ERREUR: Status invalide".
QString nomAtout(int atout, int style, UsageAtout usage);

// What a seat's plate says: the name, and for the seat that chose trump the
// contract of the game's kind (contrat, the game type's contract rule) and
// bid (typeContrat, objectif).
QString textePlaque(const QString& nom, bool aChoisi, bool commence, int contrat, int typeContrat, int objectif);
// The seat whose plate shows the contract: the taker's, but for a doubled
// or redoubled contract the seat of the bid that was doubled (siegeMise, -1
// when unknown) on the side the double holds to it.
int siegeDuContrat(int preneur, int typeContrat, int siegeMise);

// What a bid bubble says; *effaceRetournee tells whether a take on the
// turned card clears it (may be null). texteCourant stays for a bid of an
// unknown kind.
QString texteBulleMise(const ZB_StatusMise& mise, int variante, int style, const QString& texteCourant,
                       bool* effaceRetournee);

// The seat that passed the trump choice on is this screen's user (not a
// computer, not a peer, not a user still waiting to enter).
bool estChoisisseurLocal(const Joueur& choisisseur);
// The status line while a seat has passed the trump choice on (chibre) to
// its partner; either missing: "Patientez...".
QString texteChibre(const Joueur* choisisseur, const Joueur* partenaire);

// The help text above the status text, each alone when the other is empty.
QString composeStatut(const QString& statut, const QString& aide);

// Cuts a text into lines that fit a width (less MARGE_LIGNE_ARDOISE), at its
// own line breaks and at the last blank before the overflow; a word longer
// than a line is cut where it overflows, and no character but the blanks
// and breaks cut at is ever dropped.
QStringList coupeLignes(const QString& texte, const QFontMetrics& metriques, double largeur);

// The end of an online score line: the target (-1 none), or for a game by
// rounds (target 100000) the rounds left.
QString suffixeScore(int cible, int toursRestants);

} // namespace scene_textes
