#include "TableEnPlace.h"

#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "ZB_RoomTable.h"

TableEnPlace TableEnPlace::quatreDistants(int modeReseau, int debut)
{
    TableEnPlace place;
    place.modeReseau = modeReseau;
    place.options = OptionsDePartie(TypeDePartie::GenreJass);
    place.debut = debut;
    for (int siege = 0; siege < 4; ++siege) {
        place.joueurs[size_t(siege)].id_ = 100 + siege;
        place.joueurs[size_t(siege)].distant_ = 1;
        place.modes[size_t(siege)] = Joueur::ModeHumainDistant;
    }
    return place;
}

void TableEnPlace::installe(ZB_RoomTable& table) const
{
    table.nouvellePartie(modeReseau, options);
    for (int siege = 0; siege < 4; ++siege)
        table.inscritJoueur(siege, joueurs[size_t(siege)], modes[size_t(siege)], false);
    table.settingsPartie().joueurQuiCommenceLaProchainePartie = debut;
}

void TableEnPlace::remetEnPlace(ZB_RoomTable& table, ListeDesEvenements& liste) const
{
    liste.clear();
    table.reinitialise(true);
    table.oublieSessionEnLigne();
    table.nouvellePartie(modeReseau, options);
    for (int siege = 0; siege < 4; ++siege) {
        JoueurHumain* joueur = table.getJoueur(siege);
        const OptionsDuJoueur& prevu = joueurs[size_t(siege)];
        const bool inchange = joueur != nullptr && joueur->noJoueur_ == siege
                           && joueur->modeJeu_ == modes[size_t(siege)]
                           && joueur->options_.sauveValeursDansString() == prevu.sauveValeursDansString();
        if (!inchange) {
            table.inscritJoueur(siege, prevu, modes[size_t(siege)], false);
            continue;
        }
        // What the seat held of the last run goes; the seat stays inscribed.
        joueur->reinitialise();
        joueur->setContexteDeJeu(&table);
        liste.joueurDistant_[size_t(siege)] =
            joueur->options_.distant_ != 0 || joueur->modeJeu_ == Joueur::ModeEnAttenteDEntree;
    }
    table.settingsPartie().joueurQuiCommenceLaProchainePartie = debut;
    liste.setEtatAttendu(EtatDeJeu::Aucun);
}
