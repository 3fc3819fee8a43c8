#pragma once

#include "EnsembleDeCartes.h"
#include "InfoDemande.h"
#include "OptionsDuJoueur.h"

#include <QDateTime>
#include <QObject>
#include <QSharedPointer>

class AnnoncesJoueur;
class Carte;
class DisplayA;
class DisplayAPanelDeJoueur;
class Partie;
class StatusAtout;
class ZB_StatusMise;

// The player of a seat. The table asks through the subclasses' requests;
// every answer is an event posted to the table, never a call into it, so
// that answers from the user, the computer and the network all enter the
// game the same way, on the table's thread.
class Joueur : public QObject
{
public:
    // Who answers the seat's requests.
    enum ModeJeu {
        ModeAucun = 0,          // nobody yet: requests are only kept
        ModeManuel = 1,         // the local user, by hand
        ModeOrdinateur = 2,     // this machine's computer
        ModeOrdinateurAbsent = 3,
        ModeRemplacant = 4,     // this machine's computer, for a participant who left
        ModeHumainDistant = 5,  // a human elsewhere
        ModeOrdinateurDistant = 6,
        ModeEnAttenteDEntree = 7, // the local user waits to enter a running game
        ModeHorsLigne = 8,      // the participant went offline; answered elsewhere
        ModeOrdinateurPartout = 9
    };

    // Receives the result of a card-advice computation.
    class Cb_CarteConseil
    {
    public:
        virtual ~Cb_CarteConseil() = default;
        virtual void carteConseillee(Carte* carte, bool erreur) = 0;
    };

    Joueur();
    ~Joueur() override;

    // The legality code of the card (1 to 8 and 13 playable), 0 when the
    // seat may not play now.
    virtual int peutJouerCarte(const Carte& carte) = 0;
    virtual bool estJoueurManuel() = 0;
    virtual void annuleDemande() = 0;
    virtual void demandeConseilCarte(QSharedPointer<Partie> partie, const EnsembleDeCartes* main, int joueurAtout,
                                     Cb_CarteConseil* callback) = 0;
    virtual void annuleConseilCarte() = 0;
    virtual void conseilAtout(const EnsembleDeCartes& main, StatusAtout& conseil) = 0;
    virtual void conseilMise(const EnsembleDeCartes& main, ZB_StatusMise& conseil) = 0;
    virtual void envoyeMessage(const QString& texte, int source, int noTable);
    virtual void choisitAtout(StatusAtout& atout) = 0;
    virtual void choisitMise(ZB_StatusMise& mise) = 0;
    virtual void actionDistribue() = 0;
    virtual void actionRamasser() = 0;
    virtual void afficheAnalyse() = 0;
    virtual void cacheAnalyse() = 0;
    virtual void metAJourProbabilites(QSharedPointer<Partie> partie, const Carte* carte) = 0;
    virtual void recoitAnnonces(int noJoueur, const AnnoncesJoueur& annonces) = 0;
    virtual void attribueCarte(int noJoueur, const Carte& carte) = 0;
    virtual void marqueCartesConnues(int noJoueur, const EnsembleDeCartes& cartes) = 0;
    virtual void attribueCartes(int noJoueur, const EnsembleDeCartes& cartes) = 0;
    virtual void miseAnnoncee(int noJoueur, const ZB_StatusMise& mise) = 0;
    virtual void cartesRecues(const EnsembleDeCartes& cartes) = 0;
    virtual void setCarteRetournee(const Carte& carte) = 0;

    void copieEtat(const Joueur& autre);
    // Adds the dealt cards to the hand, then tells the subclass.
    void recoitCartes(const EnsembleDeCartes& cartes);

    // Answers: each posts one checked event to the table; an event that fails
    // its check throws GM_ExceptionEventCorrupted and nothing is posted.
    void reponse_ChoisitAtout(int noDemande, const StatusAtout& atout, int etat, int source, int noTable,
                              const int& version);
    void reponse_ChoisitMise(int noDemande, const ZB_StatusMise& mise, int etat, int source, int noTable,
                             const int& version);
    void reponse_Annonce(int noDemande, const AnnoncesJoueur& annonces, int etat, int source, int noTable);
    void reponse_Carte(int noDemande, const Carte& carte, int etat, int source, int noTable);
    void reponse_ActionDistribue(int noDemande, int etat, int source, int noTable);
    void reponse_ActionRamasser(int noDemande, int etat, int source, int noTable);
    void reponse_ActionFinDePartie(int noDemande, bool continuer, int etat, int source, int noTable);

    static bool estPresent(int modeJeu);
    // The seat's name as every screen shows it. In an online game every copy
    // names a seat alike (but for its own user's " (vous)"): a computer's
    // seat, and one the computer plays in place of its participant (left,
    // excluded), carry " (ordi)" at the host as at its guests, where the
    // record alone would name them after who sat down.
    QString nomAffiche() const;

    DisplayA* display_ = nullptr;
    int noJoueur_ = -1;
    OptionsDuJoueur options_;
    InfoDemande demande_;
    quint8 cartesVisibles_ = 0;
    EnsembleDeCartes main_;
    QObject* destinataire_ = nullptr;
    int modeJeu_ = ModeAucun;
    QDateTime horodatage_;
    int compteurMises_ = 0;
    // The seat belongs to an online game (hosted or joined); set with the
    // seat's record.
    bool partieEnLigne_ = false;

protected:
    DisplayAPanelDeJoueur* panel() const;
    // Builds, checks and posts one answer.
    void poste(int type, const QString& texte, int noDemande, int etat, int source, int noTable,
               const char* fonction);
};

// The seat operations of Joueur, as each player declares them: the local
// human, the network seat and the computer implement every one, and one list
// keeps the three in step with the base.
#define ZB_OPERATIONS_DE_JOUEUR                                                                                        \
    int peutJouerCarte(const Carte& carte) override;                                                                   \
    bool estJoueurManuel() override;                                                                                   \
    void annuleDemande() override;                                                                                     \
    void demandeConseilCarte(QSharedPointer<Partie> partie, const EnsembleDeCartes* main, int joueurAtout,             \
                             Joueur::Cb_CarteConseil* callback) override;                                              \
    void annuleConseilCarte() override;                                                                                \
    void conseilAtout(const EnsembleDeCartes& main, StatusAtout& conseil) override;                                    \
    void conseilMise(const EnsembleDeCartes& main, ZB_StatusMise& conseil) override;                                   \
    void choisitAtout(StatusAtout& atout) override;                                                                    \
    void choisitMise(ZB_StatusMise& mise) override;                                                                    \
    void actionDistribue() override;                                                                                   \
    void actionRamasser() override;                                                                                    \
    void afficheAnalyse() override;                                                                                    \
    void cacheAnalyse() override;                                                                                      \
    void metAJourProbabilites(QSharedPointer<Partie> partie, const Carte* carte) override;                             \
    void recoitAnnonces(int noJoueur, const AnnoncesJoueur& annonces) override;                                        \
    void attribueCarte(int noJoueur, const Carte& carte) override;                                                     \
    void marqueCartesConnues(int noJoueur, const EnsembleDeCartes& cartes) override;                                   \
    void attribueCartes(int noJoueur, const EnsembleDeCartes& cartes) override;                                        \
    void miseAnnoncee(int noJoueur, const ZB_StatusMise& mise) override;                                               \
    void cartesRecues(const EnsembleDeCartes& cartes) override;                                                        \
    void setCarteRetournee(const Carte& carte) override;
