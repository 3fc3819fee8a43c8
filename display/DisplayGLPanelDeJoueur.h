#pragma once

#include "DisplayAPanelDeJoueur.h"
#include "InfoDemande.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QTimer>

#include <functional>

class Carte;
class DisplayGLHumanCarte;
class EnsembleDeCartes;
class PanelAtouts;
class QPlainTextEdit;
class QWidget;

// One seat's panel on the table: the seat's player drives it through
// DisplayAPanelDeJoueur; it marks which hand cards may be played, opens and
// closes the trump and bid choices on the scene's single PanelAtouts and
// turns the user's answers into the player's calls.
//
// Rules:
// - Every pointer handed at construction belongs to the scene and outlives
//   the panel (the view deletes its panels before the scene). The player is
//   watched: a player deleted under the panel turns every call into nothing.
// - The panel shows and moves anything only while its player answers by
//   hand or sits at the local user's seat (the visibility rule); the four
//   panels share one trump panel and one set of card sprites, so a panel
//   that fails the rule never hides the shared container nor shows another
//   seat's cards. Flags and the pending request are kept whatever the rule.
// - One answer per request: a trump or bid choice answers once, through a
//   single connection to the trump panel, and is closed before the player
//   is called; a card is sent only while a card request is pending. A fast
//   double click, a click after a time-out or after the match ended sends
//   nothing more.
// - The pending action 2 and 4 are kept but never performed. A card request
//   ends any pending deal or collect: the table asks a seat one thing at a time.
// - The trump and bid band shows no earlier than the hand it asks about has
//   been dealt on the screen; hidden before that, it does not come.
// - While the user only watches (a replay, a returning player's catch-up),
//   the panel offers nothing: no band, no playable card. The table asks the
//   seat again once it is the user's to play.
class DisplayGLPanelDeJoueur : public QObject, public DisplayAPanelDeJoueur
{
    Q_OBJECT

public:
    enum Attente {
        AttenteAucune = 0,
        AttenteDistribue = 1,
        AttenteAction2 = 2,
        AttenteRamasser = 3,
        AttenteAction4 = 4
    };
    // Trump modes a trump button may answer: 0 passes the choice to the
    // partner (chibre), 1 to 11 choose.
    static constexpr int MODE_CHIBRE = 0;
    static constexpr int DERNIER_MODE_ATOUT = 11;

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

    // Answers the pending card request with the card and hides its sprite;
    // nothing without a pending request.
    virtual void joueCarteChoisie(Carte* carte);
    // Explains whether the card may be played, with its points in the trump
    // in force (atoutEnCours, of the chosen mode modeChoisi) when it may;
    // nothing without a pending card request or when the seat may not play.
    void afficheAideCarte(Carte* carte, int modeChoisi, int atoutEnCours);
    // The last card explanation again, in the language now shown; nothing
    // once its card has left the hand or a card was played since.
    void retraduitAideCarte();

    // The visibility rule.
    bool estAffiche() const;
    int attente() const { return attente_; }
    bool isCarteDemandee() const { return carteDemandee_; }
    const InfoDemande& demande() const { return demande_; }
    Joueur* joueur() const { return joueur_.data(); }
    QString nom() const { return nom_; }
    const TypeDePartie& typeDePartie() const { return type_; }
    const ZB_StatusMise& derniereMise() const { return mise_; }
    bool isChoixAtoutOuvert() const { return choixAtoutOuvert_; }
    bool isChoixMiseOuvert() const { return choixMiseOuvert_; }
    bool isChibreOffert() const { return chibreOffert_; }

    // How long, in milliseconds, the hand still takes to be dealt on the
    // screen: the trump and bid band waits for it (none: it shows at once).
    void setAttenteMain(std::function<int()> attente) { attenteMain_ = std::move(attente); }
    // Whether the user only watches the table now.
    void setSpectateur(std::function<bool()> spectateur) { spectateur_ = std::move(spectateur); }

signals:
    void signalSetHelpText(const QString& texte);

public slots:
    void OnAtoutButtonPressed_(int mode);
    void OnBetAnswer_(ZB_StatusMise const status);

protected:
    PanelAtouts* panelAtouts_;
    QWidget* conteneur_;
    QPlainTextEdit* journal_;
    QList<QSharedPointer<DisplayGLHumanCarte>> cartes_;

private:
    // The visibility rule, and the user may answer here now.
    bool estOffert_() const;
    // The sprite of a card number, or null.
    DisplayGLHumanCarte* sprite_(int index) const;
    // Every card of the player's hand to a sprite state.
    void mainEnEtat_(int etat, bool anime);
    // The trump panel's own show operations for this seat's game type.
    void montreAtouts_(bool chibre);
    void montreMises_(const ZB_StatusMise& mise);
    void montreConteneur_();
    void cacheConteneur_();
    void connecteAtout_();
    void connecteMise_();
    void fermeChoix_();

    std::function<int()> attenteMain_;
    std::function<bool()> spectateur_;
    // Shows the band once the hand is dealt; stopped when the band goes.
    QTimer montreApresDonne_;
    int attente_ = AttenteAucune;
    QPointer<Joueur> joueur_;
    TypeDePartie type_;
    QString nom_;
    InfoDemande demande_;
    bool carteDemandee_ = false;
    ZB_StatusMise mise_;
    bool choixAtoutOuvert_ = false;
    bool choixMiseOuvert_ = false;
    bool chibreOffert_ = false;
    QMetaObject::Connection connexionAtout_;
    QMetaObject::Connection connexionMise_;
    // The card the last explanation was about (-1: none shown) and the
    // trump it was counted in.
    int carteAide_ = -1;
    int modeAide_ = 0;
    int atoutAide_ = 0;
};
