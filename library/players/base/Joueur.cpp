#include "Joueur.h"

#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayA.h"
#include "DisplayAPanelDeJoueur.h"
#include "EvenementDeJeu.h"
#include "StatusAtout.h"
#include "ZB_StatusMise.h"

#include <QCoreApplication>

#include <memory>

Joueur::Joueur() = default;

Joueur::~Joueur() = default;

DisplayAPanelDeJoueur* Joueur::panel() const
{
    return display_ != nullptr ? display_->getPanelDeJoueur(noJoueur_) : nullptr;
}

void Joueur::poste(int type, const QString& texte, int noDemande, int etat, int source, int noTable,
                   const char* fonction)
{
    auto evenement = std::make_unique<EvenementDeJeu>(type, texte, noJoueur_, etat, source, options_.id_,
                                                      EvenementDeJeu::ModeEnDirect, noDemande, noTable, __FILE__,
                                                      __LINE__, fonction);
    if (destinataire_ != nullptr)
        QCoreApplication::postEvent(destinataire_, evenement.release());
}

QString Joueur::nomAffiche() const
{
    if (!partieEnLigne_)
        return options_.getNomAffiche();
    const bool remplace =
        modeJeu_ == ModeOrdinateurAbsent || modeJeu_ == ModeRemplacant || modeJeu_ == ModeHorsLigne;
    if (!remplace)
        return options_.getNomAffiche(true);
    OptionsDuJoueur ordinateur = options_;
    ordinateur.ordinateur_ = 1;
    return ordinateur.getNomAffiche(true);
}

void Joueur::envoyeMessage(const QString& texte, int source, int noTable)
{
    poste(EvenementDeJeu::Mes, texte, -1, EtatDeJeu::HorsDeroulement, source, noTable, "Joueur::envoyeMessage");
}

void Joueur::copieEtat(const Joueur& autre)
{
    demande_ = autre.demande_;
    cartesVisibles_ = autre.cartesVisibles_;
    main_ = autre.main_;
    modeJeu_ = autre.modeJeu_;
}

void Joueur::recoitCartes(const EnsembleDeCartes& cartes)
{
    for (Carte* carte : cartes)
        main_.ajouteCarte(carte);
    cartesRecues(cartes);
}

void Joueur::reponse_ChoisitAtout(int noDemande, const StatusAtout& atout, int etat, int source, int noTable,
                                  const int& version)
{
    Q_UNUSED(version); // the trump record has a single text form
    if (estJoueurManuel() && panel() != nullptr)
        panel()->cacheChoixAtout();
    poste(EvenementDeJeu::Cho, atout.sauveValeursDansString(), noDemande, etat, source, noTable,
          "Joueur::reponse_ChoisitAtout");
}

void Joueur::reponse_ChoisitMise(int noDemande, const ZB_StatusMise& mise, int etat, int source, int noTable,
                                 const int& version)
{
    Q_UNUSED(version); // the bid record has a single text form
    if (estJoueurManuel() && panel() != nullptr)
        panel()->cacheChoixMise();
    poste(EvenementDeJeu::Chm, mise.sauveValeursDansString(), noDemande, etat, source, noTable,
          "Joueur::reponse_ChoisitMise");
}

void Joueur::reponse_Annonce(int noDemande, const AnnoncesJoueur& annonces, int etat, int source, int noTable)
{
    poste(EvenementDeJeu::Ann, annonces.sauveValeursDansString(), noDemande, etat, source, noTable,
          "Joueur::reponse_Annonce");
    if (!estJoueurManuel() && display_ != nullptr)
        display_->restaureCurseur();
}

void Joueur::reponse_Carte(int noDemande, const Carte& carte, int etat, int source, int noTable)
{
    if (estJoueurManuel() && panel() != nullptr)
        panel()->finDemandeCarte();
    poste(EvenementDeJeu::Ajo, carte.toString(), noDemande, etat, source, noTable, "Joueur::reponse_Carte");
}

void Joueur::reponse_ActionDistribue(int noDemande, int etat, int source, int noTable)
{
    if (estJoueurManuel() && panel() != nullptr)
        panel()->effaceAttente();
    poste(EvenementDeJeu::Dis, QStringLiteral("Ok"), noDemande, etat, source, noTable,
          "Joueur::reponse_ActionDistribue");
}

void Joueur::reponse_ActionRamasser(int noDemande, int etat, int source, int noTable)
{
    if (estJoueurManuel() && panel() != nullptr)
        panel()->effaceAttenteRamasser();
    poste(EvenementDeJeu::Ram, QStringLiteral("Ok"), noDemande, etat, source, noTable,
          "Joueur::reponse_ActionRamasser");
}

void Joueur::reponse_ActionFinDePartie(int noDemande, bool continuer, int etat, int source, int noTable)
{
    if (estJoueurManuel() && panel() != nullptr)
        panel()->afficheCartes(EnsembleDeCartes(), true);
    poste(EvenementDeJeu::Fin, continuer ? QStringLiteral("Ok") : QStringLiteral("No"), noDemande, etat, source,
          noTable, "Joueur::reponse_ActionFinDePartie");
    demande_ = InfoDemande(-1, 3, -1, noTable, 0);
}

bool Joueur::estPresent(int modeJeu)
{
    switch (modeJeu) {
    case ModeManuel:
    case ModeOrdinateur:
    case ModeHumainDistant:
    case ModeOrdinateurDistant:
    case ModeEnAttenteDEntree:
    case ModeOrdinateurPartout:
        return true;
    default:
        return false;
    }
}
