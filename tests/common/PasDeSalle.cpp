#include "PasDeSalle.h"

#include "EtatDeJeu.h"
#include "ListeDesEvenements.h"
#include "TypeDePartie.h"
#include "ZB_RoomTable.h"

namespace pas_de_salle {

int etatSuivant(const ZB_RoomTable& table, ListeDesEvenements& liste, int etat, bool avecMises, Entrees entrees)
{
    const TypeDePartie& type = table.getTypeDePartie();
    int suivant = etat + 1;
    if (etat == EtatDeJeu::AttendDistribue4) {
        suivant = !avecMises || type.contrat_ == TypeDePartie::ContratChibre ? EtatDeJeu::AttendAtout
                                                                           : EtatDeJeu::AttendMise1_1;
    } else if (etat == EtatDeJeu::AttendMise4_4 && avecMises) {
        suivant = EtatDeJeu::EnregistrementSettingsPartie;
        liste.setEtatExecute(EtatDeJeu::InscriptionJoueur3);
    } else if (etat == EtatDeJeu::AttendAtoutChibre) {
        suivant = type.annonces_ == TypeDePartie::AnnoncesDesactivees ? EtatDeJeu::Tour1_NouveauJoueur1
                                                                      : EtatDeJeu::AttendAnnonce1;
    } else if (etat == EtatDeJeu::Tour1_AttendRamasseTas4 && !table.estConfirmationAnnoncesEnAttente()) {
        suivant = EtatDeJeu::Tour2_NouveauJoueur1;
    } else if (etat == EtatDeJeu::Tour7_AttendRamasseTas4 && type.genre_ == TypeDePartie::GenreBelote) {
        suivant = EtatDeJeu::Tour9_AttendCarte1;
    } else if (etat == EtatDeJeu::Tour9_AttendRamasseTas4) {
        return etat;
    }
    const int groupe = EtatDeJeu::premierNouveauJoueur(suivant);
    if (groupe < 0)
        return suivant;
    if (entrees == Entrees::Sautees)
        return groupe + 4;
    while (suivant < groupe + 4 && !table.getEntreesProchainPli().contains(suivant - groupe)
           && (entrees == Entrees::SiAttendues || liste.getEnQueue(suivant).isEmpty()))
        ++suivant;
    return suivant;
}

} // namespace pas_de_salle
