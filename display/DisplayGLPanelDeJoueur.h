#pragma once

#include "DisplayAPanelDeJoueur.h"

#include <QList>
#include <QObject>
#include <QSharedPointer>
#include <QString>

class Carte;
class DisplayGLHumanCarte;
class PanelAtouts;
class QPlainTextEdit;
class QWidget;

// One seat's panel on the table: the seat's player drives it through
// DisplayAPanelDeJoueur; it marks which hand cards may be played, opens and
// closes the trump and bid choices on the scene's single PanelAtouts and
// turns the user's answers into the player's calls.
//
// Rules: every pointer handed at construction belongs to the scene and
// outlives the panel (the view deletes its panels before the scene).
class DisplayGLPanelDeJoueur : public QObject, public DisplayAPanelDeJoueur
{
    Q_OBJECT

public:
    DisplayGLPanelDeJoueur(QObject* parent, PanelAtouts* panelAtouts, QWidget* conteneur, QPlainTextEdit* journal,
                           const QList<QSharedPointer<DisplayGLHumanCarte>>& cartes);
    ~DisplayGLPanelDeJoueur() override;

    void initialise(QString nomAffiche, int noJoueur, bool drapeau1, bool drapeau2, Joueur* joueur,
                    const TypeDePartie& type, int valeur1, int valeur2) override;
    void afficheCartes(const EnsembleDeCartes& cartes, bool cachees) override;
    void ajouteTexte(const QString& texte) override;
    void afficheChoix() override;
    void afficheChoixAtout(bool chibre, bool anime, int inutilise) override;
    void finChoixAtout() override;
    void cacheChoixAtout() override;
    void afficheChoixPourMise() override;
    void afficheChoixMise(const ZB_StatusMise& mise, bool anime, int inutilise) override;
    void finChoixMise() override;
    void cacheChoixMise() override;
    void cacheChoix() override;
    void demandeCarte(const InfoDemande& demande) override;
    void finDemandeCarte() override;
    void attendDistribue() override;
    void effaceAttente() override;
    void attendRamasser() override;
    void effaceAttenteRamasser() override;
    void attendAction2() override;
    void effaceAttente2() override;
    void attendAction4() override;
    void effaceAttente4() override;
    void montreAnnonce(const AnnoncesJoueur& annonces) override;
    void cacheCartes() override;
    bool executeAttente() override;

    virtual void joueCarteChoisie(Carte* carte);
    void afficheAideCarte(Carte* carte, int atout, int etat);

signals:
    void signalSetHelpText(const QString& texte);

protected:
    PanelAtouts* panelAtouts_;
    QWidget* conteneur_;
    QPlainTextEdit* journal_;
    QList<QSharedPointer<DisplayGLHumanCarte>> cartes_;
};
