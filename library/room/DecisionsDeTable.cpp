#include "DecisionsDeTable.h"

#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "TypeDePartie.h"
#include "ZB_RoomTableOutils.h"
#include "ZB_StatusMise.h"

namespace decisions_de_table {

using ZB_RoomTableOutils::modulo4;

int siegeQuiDoitJouer(int etat, int debut, int prochainDuPli)
{
    if (EtatDeJeu::estAttenteMise(etat))
        return modulo4(debut + (etat - EtatDeJeu::AttendMise1_1) % 4);
    if (EtatDeJeu::estAttenteAnnonce(etat))
        return modulo4(debut + (etat - EtatDeJeu::AttendAnnonce1));
    switch (etat) {
    case EtatDeJeu::MatchTermineEnFinDeDonne:
    case EtatDeJeu::FinDePartie:
        return 0;
    case EtatDeJeu::FinDePartieSiege2:
        return 2;
    case EtatDeJeu::FinDePartieSiege1:
        return 1;
    case EtatDeJeu::FinDePartieSiege3:
        return 3;
    default:
        break;
    }
    if (EtatDeJeu::estEtatDePli(etat))
        return prochainDuPli;
    return 0;
}

int siegeDeLaDecision(int genre, int etat, int debut)
{
    switch (genre) {
    case EvenementDeJeu::Cho:
        if (etat == EtatDeJeu::AttendAtout)
            return modulo4(debut);
        if (etat == EtatDeJeu::AttendAtoutChibre)
            return modulo4(debut + 2);
        return -1;
    case EvenementDeJeu::Chm:
        return EtatDeJeu::estAttenteMise(etat) ? siegeQuiDoitJouer(etat, debut, -1) : -1;
    case EvenementDeJeu::Ann:
        return EtatDeJeu::estAttenteAnnonce(etat) ? siegeQuiDoitJouer(etat, debut, -1) : -1;
    default:
        return -1;
    }
}

int siegeDuGroupe(int etat)
{
    // The groups whose four states are the four seats in order.
    int debut = EtatDeJeu::premierNouveauJoueur(etat);
    if (debut < 0)
        debut = EtatDeJeu::debutDeGroupe(EtatDeJeu::PremierRamasseTas, EtatDeJeu::NombreDeTours + 1, etat);
    if (debut < 0 && EtatDeJeu::estConfirmationAnnonces(etat))
        debut = EtatDeJeu::Tour1_AttendConfirmationAnnonces1;
    return debut < 0 ? -1 : etat - debut;
}

int etatDuPliPrecedent(int etat, int genre)
{
    if (etat >= EtatDeJeu::Tour9_AttendCarte1) {
        // Eight-trick games skip the states of trick 8: their last trick
        // follows trick 7.
        return genre == TypeDePartie::GenreBelote ? EtatDeJeu::Tour7_AttendCarte1 : EtatDeJeu::Tour8_AttendCarte1;
    }
    for (int tour = EtatDeJeu::NombreDeTours - 2; tour >= 1; --tour)
        if (etat >= EtatDeJeu::PremiereAttenteDeCarte[tour])
            return EtatDeJeu::PremiereAttenteDeCarte[tour - 1];
    if (etat >= EtatDeJeu::Tour1_AttendCarte1)
        return EtatDeJeu::AttendAtout;
    return etat;
}

QString raisonRefusMise(const ZB_StatusMise& mise, const TypeDePartie& type, const ZB_StatusMise& enCours)
{
    if (!mise.miseFaite_)
        return QString();
    if (mise.atoutMise_ < 0 || mise.atoutMise_ >= TypeDePartie::NOMBRE_MODES)
        return QStringLiteral("trump mode outside the game");
    if (mise.atoutMise_ != 0 && type.multiplicateurs_[size_t(mise.atoutMise_)] < 1)
        return QStringLiteral("trump mode not allowed by the game type");
    const int contrat = type.contrat_;
    if (contrat != TypeDePartie::ContratCoinche && contrat != TypeDePartie::ContratContre)
        return QString();
    if ((mise.estContre() || mise.estSurcontre()) && enCours.miseur_ < 0)
        return QStringLiteral("double without a contract");
    if (mise.typeContrat_ == ZB_StatusMise::Simple && mise.pointsMise_ < enCours.miseMin_)
        return QStringLiteral("bid below the minimum");
    return QString();
}

int pasDeMise(const TypeDePartie& type)
{
    switch (type.contrat_) {
    case TypeDePartie::ContratCoinche:
        return type.genre_ == TypeDePartie::GenreJass ? 10 : 5;
    case TypeDePartie::ContratContre:
        return 10;
    default:
        return 1;
    }
}

} // namespace decisions_de_table
