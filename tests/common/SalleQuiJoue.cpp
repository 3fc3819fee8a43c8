#include "SalleQuiJoue.h"

#include "EtatDeJeu.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "ZB_RoomTable.h"

#include <QTimer>

#include <exception>

bool SalleQuiJoue::cb_executeUnEvenement(EvenementDeJeu& ev)
{
    return table->cb_executeUnEvenement(ev);
}

void SalleQuiJoue::continueLeJeu(int mode, double* delaiMs, int, bool force)
{
    const int etat = liste.getEtatAttendu();
    if (etat >= EtatDeJeu::QuestionNouvellePartie)
        return;
    int suivant = pas_de_salle::etatSuivant(*table, liste, etat, false, entrees);
    if (etat == EtatDeJeu::Tour9_AttendRamasseTas4) {
        ++donnesTerminees;
        table->termineDonne(false);
        liste.clear();
        suivant = EtatDeJeu::InscriptionJoueur0;
    }
    if (suivant == EtatDeJeu::FinDePartie)
        ++finsDeMatch;
    liste.setEtatAttendu(suivant);
    try {
        table->continueLeJeu(mode, delaiMs, false, force);
    } catch (const std::exception& e) {
        erreur = QString::fromUtf8(e.what());
        throw;
    }
    if (temoin)
        temoin(suivant, donnesTerminees);
    if (!repondPourLesClients)
        return;
    QTimer::singleShot(0, this, [this] {
        for (int siege = 0; siege < 4; ++siege) {
            JoueurHumain* joueur = table->getJoueur(siege);
            if (joueur->modeJeu_ == Joueur::ModeHumainDistant)
                joueur->getAide()->forwardPendingRequest();
        }
    });
}

bool SalleQuiJoue::peutContinuer(int&, int)
{
    return !retient || liste.getEtatAttendu() != arret || donnesTerminees != arretDonne;
}
