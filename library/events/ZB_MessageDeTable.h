#pragma once

#include <QString>
#include <QStringList>

// The table's own messages ("Mes" events the table or a seat's timer
// states): who left, came back or entered, who was replaced for slowness.
// They travel in French, the program's source language, filled with their
// arguments, and each machine shows them in its own user's language.
//
// Rules:
// - texte() writes the French form: what the record keeps and what a peer
//   of an older version shows as it stands.
// - traduit() recognises a text written by texte() (a whole text only, its
//   arguments as sent) and gives it in the current language, its names
//   isolated, its other arguments recognised and translated in turn (an
//   entry notice holds a connection text); any other text, a player's chat line or a message an older host
//   wrote in another language, comes back unchanged.
// - Names are the names the players go by, without the suffixes each
//   screen adds: what " (vous)" means depends on who reads; a long one is
//   cut as the table shows it (OptionsDuJoueur::nomBorne).
// - A seat's line holds at most LONGUEUR_MAX characters, as a line of the
//   lobby's chat does: borne() keeps the first LONGUEUR_MAX - 1 (never half
//   a surrogate pair) and ends with "…". Every bubble lays its whole text
//   out, on every frame it moves: a megabyte from a peer would stop the
//   window for seconds.
// - ligne() is what every screen shows of a seat's line: the name and the
//   translated, bounded text, each in its own bidirectional isolate
//   (OptionsDuJoueur::isole), so that an override in a peer's words turns
//   neither the name nor anything around them; traduit() isolates the
//   names a table message holds in the same way.
// Pure functions of their arguments and the installed translators; any
// thread.
class ZB_MessageDeTable
{
public:
    enum Modele {
        Deconnecte,            // a player left, the computer plays on
        Reconnecte,            // %1 came back
        ConnecteALaPlace,      // %1 took %2's seat
        EntreeCetteDonne,      // %1 (a connection text) plays from this deal
        EntreeProchaineDonne,  // %1 (a connection text) plays from the next deal
        ExcluPourLenteur,      // the player was too slow twice
        JoueAvecPenalite,      // the computer played once, with a penalty
        NombreDeModeles
    };

    // The French text, filled with the model's arguments in order.
    static QString texte(Modele modele, const QString& premier = QString(), const QString& second = QString());
    static QString traduit(const QString& texte);
    static QString borne(const QString& texte);
    static QString ligne(const QString& nom, const QString& texte);
    // Longer texts are no table message: traduit gives them back as they are.
    static constexpr int LONGUEUR_MAX = 512;

private:
    static QString remplit_(const QString& modele, const QStringList& arguments);
};
