#pragma once

#include "PiloteDePartie.h"

#include <QImage>
#include <QString>

class SessionDeJeu;

// The steps a case plays inside a local match, beside the pilot that plays
// its turns: the welcome of a first start, the settings panel, a language
// change, a tournament made in the options, the end-of-match box's totals.
//
// Rules:
// - A step is called on a running session, at the point of the game it
//   says: the welcome steps before the welcome has come up (they wait for
//   it), the others in a match, where they play on with the pilot to the
//   turn they need; the end box's totals once that box is up.
// - A step acts as a person does, by the keyboard alone, and waits on the
//   screen (or the record) for each of its effects, within limits stretched
//   for a slow machine.
// - A step returns true with the match still in progress, or false once
//   the session has failed (SessionDeJeu::echoue, by the step or by a wait
//   of the session or the pilot), echec() saying why; the case then fails
//   with that message.
class EtapesDeMatch
{
public:
    // A first start: the welcome holds the first deal. Tab walks it round
    // (Space on "do not show again" on the way); Down, Down, Return asks for
    // the rules, which come in a box of their own before the deal; the deal
    // starts once that box is closed, with the help on cards on.
    static bool accueilAvecLesRegles(SessionDeJeu& s, PiloteDePartie&);
    // A first start left by a key (Esc, or Ctrl+N for a new game): the
    // welcome goes as by Skip, the deal goes ahead on the table as it is
    // set, and the welcome is kept for the next start.
    static bool accueilPasse(SessionDeJeu& s, PiloteDePartie& pilote, const QString& touche);
    // At the user's turn, the settings panel by the keyboard: Tab reaches
    // its tab, Space opens it, Esc closes it, and the keyboard is the
    // table's again: Space then opens nothing. Each step is waited for on
    // the screen: a busy machine may take its time.
    static bool reglagesAuClavier(SessionDeJeu& s, PiloteDePartie& pilote);
    // After the change to German, French is chosen from the menu: the
    // game types' menu, read in German before, lists them in French, not
    // in the language before.
    static bool allemandPuisFrancais(SessionDeJeu& s, PiloteDePartie& pilote);
    // The user makes a tournament of the game type the options show, by the
    // keyboard alone: "Tournament" as the match type, nothing else; then a
    // new game (Ctrl+N), waited for in the autosave.
    static bool tournoiParLesOptions(SessionDeJeu& s, PiloteDePartie& pilote);
    // The end-of-match box's totals (each team's announcements and tricks,
    // as the program traced the match's statistics) are its final score:
    // the winner's is the winning score, and neither is below the score the
    // last deal began with in the record.
    static bool totauxDeLaBoite(SessionDeJeu& s, const RecordDePartie& record);

private:
    using Vue = PiloteDePartie::Vue;
    // The counters of a team's statistics that the end-of-match box adds up:
    // its announcements and its tricks.
    static constexpr int COMPTEUR_ANNONCES = 1;
    static constexpr int COMPTEUR_PLIS = 2;

    // Mid-deal, at a bid of the user with another seat's bid on the table,
    // the language goes to German by the menu (Options > Language >
    // Deutsch): the status line, the bid buttons and the bubbles already on
    // the table are written again, at the same point of the game, and the
    // keyboard still answers the bid.
    static bool langueEnCoursDeDonne(SessionDeJeu& s, PiloteDePartie& pilote);
    // Options > game types dropped down by the keyboard (the submenu's
    // underlined letter given), its picture, then closed; null when no menu
    // dropped down.
    static QImage menuDesTypes(SessionDeJeu& s, const QString& lettre, const QString& nom);
};
