#pragma once

#include "DisplayAPanelDeJoueur.h"

// The player panel of a table without a screen: it ignores everything and
// never has an action to perform.
class ZB_DisplayEmptyPlayer : public DisplayAPanelDeJoueur
{
public:
    void initialise(QString, int, bool, bool, Joueur*, const TypeDePartie&, int, int) override {}
    void afficheCartes(const EnsembleDeCartes&, bool) override {}
    void ajouteTexte(const QString&) override {}
    void afficheChoix() override {}
    void afficheChoixAtout(bool, bool, int) override {}
    void finChoixAtout() override {}
    void cacheChoixAtout() override {}
    void afficheChoixPourMise() override {}
    void afficheChoixMise(const ZB_StatusMise&, bool, int) override {}
    void finChoixMise() override {}
    void cacheChoixMise() override {}
    void cacheChoix() override {}
    void demandeCarte(const InfoDemande&) override {}
    void finDemandeCarte() override {}
    void attendDistribue() override {}
    void effaceAttente() override {}
    void attendRamasser() override {}
    void effaceAttenteRamasser() override {}
    void attendAction2() override {}
    void effaceAttente2() override {}
    void attendAction4() override {}
    void effaceAttente4() override {}
    void montreAnnonce(const AnnoncesJoueur&) override {}
    void cacheCartes() override {}
    bool executeAttente() override { return false; }
};
