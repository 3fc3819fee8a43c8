#pragma once

#include <QSize>
#include <QString>
#include <QTemporaryDir>

// The home folder of one acceptance case, prepared as a user who has played
// before would have it: the welcome form answered, English texts, no sound,
// no seasonal decorations, the quickest automatic collect, a short match of
// the chosen game and the window at the chosen size. Everything goes through
// the program's own settings store format, so that the program reads it as
// it reads a user's settings.
//
// Rules:
// - Only what a user can set in the options (or by resizing the window) is
//   set here; no switch or file is made for the tests.
// - The folder and everything in it go with this object, unless it is kept
//   for a person to look at (garde).
class DossierUtilisateur
{
public:
    enum Jeu { Jass, BeloteContree, BeloteClassique };

    struct Reglages
    {
        Jeu jeu = Jass;
        int objectif = 50;          // points that end the match
        QSize fenetre{800, 600};
        int theme = 0;              // 0 wood .. 4 nature
        int combinaisonsIA = 60;    // the computer's search: a weak, quick player
        double delaiTour = 15.0;    // seconds a player has for a move online
        QString nomDeJeu;           // the name kept from an online game, none when empty
        // A first start: the welcome not answered yet, and the help on cards
        // and the lit advice off until its answer turns them on.
        bool accueil = false;
        // With the welcome, the help on cards on already: a welcome skipped
        // keeps the table as it is set.
        bool aideAvecAccueil = false;
        // The game type left as a new user finds it (the first of the list,
        // its own target and announcements): the target above is not used.
        bool typeParDefaut = false;
        // The match type Tournament over the game above, as the options
        // dialog of the version before kept it for any type.
        bool tournoi = false;
    };

    DossierUtilisateur();

    bool valide() const { return dossier_.isValid(); }
    QString racine() const { return dossier_.path(); }
    // The program's data folder: the autosave, the trace log, saved games.
    QString donnees() const;
    QString autosave() const;

    // Writes the settings store; false with the reason.
    bool prepare(const Reglages& reglages, QString* erreur);
    // The settings store the program reads and writes.
    QString reglages() const;
    // The environment variables that send the program to this folder.
    QStringList environnement() const;

    void garde() { dossier_.setAutoRemove(false); }

private:
    QTemporaryDir dossier_;
};
