#pragma once

#include <QList>
#include <QSharedPointer>
#include <QString>

#include <array>

class AnnoncesJoueur;
class Carte;
class DisplayACloseCallback;
class DisplayAPanelDeJoueur;
class InfoDemande;
class Joueur;
class OptionsDePartie;
class OptionsDuJoueur;
class Partie;
class QPalette;
class QWidget;
class ZB_AnalyseJoueurA;
class ZB_PointsA;
class ZB_StatusMise;

// The only way the rules reach a screen: tables, players and rooms call
// these operations; the table view draws, the empty display ignores them so
// that tables run headless.
class DisplayA
{
public:
    DisplayA(DisplayACloseCallback* fermeture, int modeAffichage)
        : fermeture_(fermeture)
        , modeAffichage_(modeAffichage)
    {
    }
    DisplayA(const DisplayA&) = delete;
    DisplayA& operator=(const DisplayA&) = delete;
    virtual ~DisplayA() = default;

    virtual void setJoueur(int noJoueur, Joueur* joueur) = 0;
    // etat: the request record, whose first value is the game-state code;
    // acteur: the player to act; second: the partner who must then choose.
    virtual void afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int noJoueur, bool atoutImpose) = 0;
    virtual void afficheCarteJouee(int noJoueur, Carte* carte) = 0;
    virtual void afficheCartesAnnonces(int inutilise, int gagnant, const std::array<AnnoncesJoueur, 4>& annonces) = 0;
    virtual void setPartie(QSharedPointer<Partie> partie) = 0;
    virtual void setOptionsDePartie(const OptionsDePartie& options) = 0;
    virtual void redessineCartes(int atoutEnCours) = 0;
    virtual void nouvelleDonne(int cartesParJoueur, int objectif, int donnesRestantes) = 0;
    virtual void setModeVue(int mode) = 0;
    virtual void afficheTable() = 0;
    virtual void afficheBoutonsAnnuler(bool arriere, bool avant) = 0;
    virtual void effaceBulles(int inutilise, const AnnoncesJoueur& annonces) = 0;
    virtual void afficheCartesDistribuees(Carte* carteRetournee) = 0;
    // A turned-card deal's bidding ended and the rest of the cards went to
    // the hands, the turned card to its taker's: they are shown there.
    virtual void afficheResteDistribue() {}
    virtual void afficheBulleJoueur(int noJoueur, const AnnoncesJoueur& annonces) = 0;
    virtual void afficheBulleMise(int noJoueur, const ZB_StatusMise& mise, int variante) = 0;
    virtual void appliqueCouleurs(int schema, const QPalette& palette) = 0;
    virtual void afficheExclusion(bool autreJoueur) = 0;
    virtual void afficheRedistribution() = 0;
    virtual void setNoJoueurLocal(int noJoueur) = 0;
    virtual void afficheMessageReseau(const QString& texte) = 0;
    virtual void testeMessagesReseau() = 0;
    virtual void setPanneauDroitVisible(bool visible) = 0;
    virtual void afficheRejointPartieEnLigne(bool enLigne, const QString& nomTable) = 0;
    virtual void afficheNombreSurBouton(int bouton, int nombre) = 0;
    virtual void rafraichit() = 0;
    virtual void finDeDonne(bool garderGenerateur = false) = 0;
    // The two totals are the match scores before this deal; struckTeam, 0 or
    // 1, is the side whose deal line is struck through.
    virtual void afficheArdoise(const ZB_PointsA& points, int totalEquipe0, int totalEquipe1, int multiplicateur,
                                const QList<int>& siegesStock, int equipeBarree) = 0;
    virtual void afficheBulleAnnonce(int noJoueur) = 0;
    virtual QWidget* getWidget() = 0;
    virtual ZB_AnalyseJoueurA* getAnalyseJoueur(int noJoueur) = 0;
    virtual DisplayAPanelDeJoueur* getPanelDeJoueur(int noJoueur) = 0;
    virtual void setCurseur(int forme) = 0;
    virtual void restaureCurseur() = 0;
    virtual void gereToucheMedia(int touche) = 0;
    virtual void setTexteAide(const QString& texte) = 0;
    virtual bool estModeVueActif() = 0;
    virtual void setFenetreVisible(bool visible) = 0;
    virtual bool estFenetreVisible() = 0;
    // The name this machine's user goes by at an online table it comes
    // back to or joins while the game runs: until the user's own
    // inscription seats it, the local seat's plate names the user, not the
    // player the table shows there meanwhile. Null: the seat's own name.
    // The record is copied; its name is composed in the language shown.
    virtual void setNomJoueurLocal(const OptionsDuJoueur* joueur) { Q_UNUSED(joueur); }
    // The user joined a table and waits for its host: nothing is asked of
    // it, whatever the game left on the screen asked.
    virtual void afficheAttenteDuJeu() {}
    virtual void setModeAffichage(int mode, bool drapeau)
    {
        Q_UNUSED(drapeau);
        modeAffichage_ = mode;
    }

    DisplayACloseCallback* getFermeture() const { return fermeture_; }
    int getModeAffichage() const { return modeAffichage_; }

protected:
    DisplayACloseCallback* fermeture_;
    int modeAffichage_; // 0 ordinary play; 1 demonstrations; 2 the computer plays every seat
};
