#pragma once

#include "DisplayA.h"
#include "ZB_AnalyseJoueurEmpty.h"
#include "ZB_DisplayEmptyPlayer.h"

// The display of tables without a screen (a hosted server, background
// tables): every operation does nothing, and every seat gets the same empty
// panel and empty analysis sink.
class ZB_DisplayEmpty : public DisplayA
{
public:
    ZB_DisplayEmpty();
    ~ZB_DisplayEmpty() override;

    void setJoueur(int, Joueur*) override {}
    void afficheEtat(const InfoDemande&, Joueur*, Joueur*, int, bool) override {}
    void afficheCarteJouee(int, Carte*) override {}
    void afficheCartesAnnonces(int, int, const std::array<AnnoncesJoueur, 4>&) override {}
    void setPartie(QSharedPointer<Partie>) override {}
    void setOptionsDePartie(const OptionsDePartie&) override {}
    void redessineCartes(int) override {}
    void nouvelleDonne(int, int, int) override {}
    void setModeVue(int) override {}
    void afficheTable() override {}
    void afficheBoutonsAnnuler(bool, bool) override {}
    void effaceBulles(int, const AnnoncesJoueur&) override {}
    void afficheCartesDistribuees(Carte*) override {}
    void afficheBulleJoueur(int, const AnnoncesJoueur&) override {}
    void afficheBulleMise(int, const ZB_StatusMise&, int) override {}
    void appliqueCouleurs(int, const QPalette&) override {}
    void afficheExclusion(bool) override {}
    void afficheRedistribution() override {}
    void setNoJoueurLocal(int) override {}
    void afficheMessageReseau(const QString&) override {}
    void testeMessagesReseau() override {}
    void setPanneauDroitVisible(bool) override {}
    void afficheRejointPartieEnLigne(bool, const QString&) override {}
    void afficheNombreSurBouton(int, int) override {}
    void rafraichit() override {}
    void finDeDonne(bool) override {}
    void afficheArdoise(const ZB_PointsA&, int, int, int, const QList<int>&, int) override {}
    void afficheBulleAnnonce(int) override {}
    QWidget* getWidget() override { return nullptr; }
    ZB_AnalyseJoueurA* getAnalyseJoueur(int) override { return &analyse_; }
    DisplayAPanelDeJoueur* getPanelDeJoueur(int) override { return &panel_; }
    void setCurseur(int) override {}
    void restaureCurseur() override {}
    void gereToucheMedia(int) override {}
    void setTexteAide(const QString&) override {}
    bool estModeVueActif() override { return false; }
    void setFenetreVisible(bool) override {}
    bool estFenetreVisible() override { return false; }

private:
    ZB_DisplayEmptyPlayer panel_;
    ZB_AnalyseJoueurEmpty analyse_;
};
