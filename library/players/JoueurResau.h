#pragma once

#include "Joueur.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_StatusMise.h"

#include <QSharedPointer>

#include <memory>

class AI_Joueur;
class TypeDePartie;

// The assistant of a seat: receives every request of the seat and, by the
// seat's play mode, has its computer substitute answer at once or keeps the
// request so that the substitute can take it over later (a participant who
// left, a local user who timed out).
class JoueurResau : public Joueur
{
public:
    // The kind of the pending request.
    enum Attente {
        AttenteAtout = 1,
        AttenteAnnonce = 2,
        AttenteCarte = 3,
        AttenteDistribue = 4,
        AttenteRamasser = 5,
        AttenteFinDePartie = 6,
        AttenteMise = 7,
        AttenteAucune = 8
    };

    JoueurResau();
    ~JoueurResau() override;
    // Copies the seat's state and takes over the other substitute's search
    // state.
    JoueurResau& operator=(const JoueurResau& autre);
    JoueurResau(const JoueurResau&) = delete;

    // Seats the assistant and its substitute.
    void initialise(DisplayA* display, const OptionsDuJoueur& options, QObject* destinataire, int noJoueur,
                    const TypeDePartie& typeDePartie, bool modeSimple = false);
    // The table's current game, through which a pending card request checks
    // whose turn it is; null when detached.
    void setContexte(QSharedPointer<Partie> partie) { contexte_ = partie; }
    QSharedPointer<Partie> getContexte() const { return contexte_; }

    ZB_OPERATIONS_DE_JOUEUR

    virtual void reinitialise();
    virtual void demande_ChoisitAtout(const StatusAtout& atout, const InfoDemande& demande);
    virtual void demande_ChoisitMise(const ZB_StatusMise& mise, const InfoDemande& demande);
    virtual void demande_Annonce(const InfoDemande& demande, int modeAtout);
    virtual void demande_Carte(QSharedPointer<Partie> partie, const InfoDemande& demande, const StatusAtout& atout);
    virtual void demande_ActionDistribue(const InfoDemande& demande);
    virtual void demande_ActionRamasser(const InfoDemande& demande);
    virtual void demande_ActionFinDePartie(bool gagne, bool egalite, bool enLigne, bool sansNouvellePartie,
                                           const InfoDemande& demande);

    // Hands the pending request to the substitute.
    void forwardPendingRequest();

    // Whether the substitute answers at once in a play mode.
    static bool substitutJoue(int modeJeu);

    int getDemandeEnAttente() const { return demandeEnAttente_; }
    int getNoTableEnAttente() const { return noTableEnAttente_; }
    AI_Joueur* getSubstitut() const { return substitut_.get(); }

private:
    // The substitute answers with this assistant's request record and hand.
    void prepareSubstitut();
    void garde(int attente, const InfoDemande& demande);

    StatusAtout atoutEnAttente_;
    QSharedPointer<Partie> partieAtout_;
    QSharedPointer<Partie> partieAnnonce_;
    int modeAtoutAnnonce_ = 0;
    QSharedPointer<Partie> partieCarte_;
    int joueurAtoutCarte_ = 4;
    EnsembleDeCartes mainCarte_;
    ZB_StatusMise miseEnAttente_;
    QSharedPointer<Partie> partieMise_;
    bool finGagne_ = false;
    bool finEgalite_ = false;
    bool finEnLigne_ = false;
    int demandeEnAttente_ = AttenteAucune;
    int noTableEnAttente_ = -1;
    std::unique_ptr<AI_Joueur> substitut_;
    QSharedPointer<Partie> contexte_;
};
