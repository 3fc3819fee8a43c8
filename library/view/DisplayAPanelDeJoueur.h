#pragma once

#include <QString>

class EnsembleDeCartes;
class InfoDemande;
class Joueur;
class TypeDePartie;
class ZB_StatusMise;
class AnnoncesJoueur;

// One seat's panel on the screen, driven by the seat's player: its hand,
// its choices and the action it waits for (0 none, 1 deal, 3 collect).
class DisplayAPanelDeJoueur
{
public:
    virtual ~DisplayAPanelDeJoueur() = default;
    virtual void initialise(QString nomAffiche, int noJoueur, bool drapeau1, bool drapeau2, Joueur* joueur,
                            const TypeDePartie& type, int valeur1, int valeur2) = 0;
    virtual void afficheCartes(const EnsembleDeCartes& cartes, bool cachees) = 0;
    virtual void ajouteTexte(const QString& texte) = 0;
    virtual void afficheChoix() = 0;
    virtual void afficheChoixAtout(bool chibre, bool anime, int inutilise) = 0;
    virtual void finChoixAtout() = 0;
    virtual void cacheChoixAtout() = 0;
    virtual void afficheChoixPourMise() = 0;
    virtual void afficheChoixMise(const ZB_StatusMise& mise, bool anime, int inutilise) = 0;
    virtual void finChoixMise() = 0;
    virtual void cacheChoixMise() = 0;
    virtual void cacheChoix() = 0;
    virtual void demandeCarte(const InfoDemande& demande) = 0;
    virtual void finDemandeCarte() = 0;
    virtual void attendDistribue() = 0;
    virtual void effaceAttente() = 0;
    virtual void attendRamasser() = 0;
    virtual void effaceAttenteRamasser() = 0;
    virtual void attendAction2() = 0;
    virtual void effaceAttente2() = 0;
    virtual void attendAction4() = 0;
    virtual void effaceAttente4() = 0;
    virtual void montreAnnonce(const AnnoncesJoueur& annonces) = 0;
    virtual void cacheCartes() = 0;
    // Performs the pending deal or collect for the user; true when it did.
    virtual bool executeAttente() = 0;
};
