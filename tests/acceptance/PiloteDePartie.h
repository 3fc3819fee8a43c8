#pragma once

#include "LectureEcran.h"
#include "RecordDePartie.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QStringList>

#include <functional>

class SessionDeJeu;

// Plays the user's seat as a person does, with the mouse (and a key for a
// box when the case asks): a trump or a
// pass on the trump and bid panel, a double click on a card that stands
// ready, a button of each message box. At every card the user is asked for,
// the cards lying on the cloth are compared with the game record: the trick
// in progress, each card on its seat's side, nothing more.
//
// Rules:
// - The user is asked when the autosave changes (it is written at every
//   request to the user, and at times between) and the window shows the
//   help lit: the pilot acts once per change, and only once the window has
//   stopped moving.
// - A trump is the last suit of the panel's row; a bid is a pass (the first
//   button of the row, or the one below it), or when the case says so a
//   take (the row's last button: the take, or a suit), or, when the case
//   asks for doubles, the double (the panel's rightmost button) of an
//   opponent's plain bid; a message box is answered with its first or last
//   button, as the case chooses.
// - A cloth that does not show the record's trick is noted (with a
//   picture) and the game is played on, so that one run shows every fault.
// - The game must move on: when neither the record nor the window shows any
//   progress for the limit, the pilot fails the session saying what it was
//   waiting for.
// - Without a record (an online game writes none on either machine), the
//   window alone tells the user's turn: the hand stands raised with the
//   help lit. A card is then played once the hand has been seen at rest
//   since the last one, and the cloth is not compared.
class PiloteDePartie
{
public:
    // What the pilot sees at each look, for the case's stop condition.
    struct Vue
    {
        RecordDePartie record;
        QImage image;
        QList<QRect> boutons;      // a message box's buttons (one or two)
        bool demandeCarte = false; // the user is asked a card (before acting)
    };
    using Condition = std::function<bool(const Vue&)>;

    explicit PiloteDePartie(SessionDeJeu& session);

    // Plays from the window alone, without the record.
    void setSansRecord(bool sansRecord) { sansRecord_ = sansRecord; }
    // The program hides its help button in an online game the user joined:
    // the user's turn is then told by the hand raised alone.
    void setSansAide(bool sansAide) { sansAide_ = sansAide; }
    // Cards the user played (trump choices and bids not counted).
    int cartesJouees() const { return cartes_; }
    // The user doubles every plain bid of an opponent (else passes).
    void setContre(bool contre) { contre_ = contre; }
    int contres() const { return contres_; }
    // The user takes at every bid the panel offers, instead of passing.
    void setPrend(bool prend) { prend_ = prend; }
    // The hand as read before each card the user played: the deal, the
    // cards the user had played in it, the hand's width in pixels.
    struct MainLue
    {
        int donne = 0;
        int cartesAvant = 0;
        int largeur = 0;
    };
    const QList<MainLue>& mainsLues() const { return mainsLues_; }
    // Which button of a message box the user presses.
    void setReponseBoites(bool premier) { premierBouton_ = premier; }
    // The next message box is answered by that key (an X key name, such as
    // "Return" or "Escape") instead of a click; the ones after by clicks.
    void setToucheProchaineBoite(const QString& touche) { toucheBoite_ = touche; }
    // No card is played before n boxes are answered (a replay the user
    // watches ends with a box; until then the user only looks on).
    void attendsBoites(int n) { boitesAvantDeJouer_ = boites_ + n; }
    // Plays until the condition holds (true) or the session fails (false).
    bool joue(const Condition& fini, int sansProgresMs = 25000);
    // After the user acted outside the pilot (undo, a restart), the record
    // as it is now is a new request again.
    void oublieDernierCoup() { dernierCoup_.clear(); }
    // The record that the last card or choice answered.
    const QStringList& dernierCoup() const { return dernierCoup_; }
    int coupsJoues() const { return coups_; }
    // Every time the cloth did not show the record's trick, with its
    // picture; the game is played on after each.
    const QStringList& ecartsDuTapis() const { return ecarts_; }
    // Checks the cloth and double-clicks a card that stands ready in that
    // view of the user's turn (false with the session failed).
    bool joueCarte(const Vue& vue);
    int boitesVues() const { return boites_; }
    // Waits until the window shows the user's turn the record asks, at
    // rest: the record's trick alone on the cloth (the last one collected;
    // in Jass, an announced card of the first trick may lie there until the
    // second trick's first card), the help lit, no panel or box, and the
    // picture still; that picture.
    // A null picture with the session failed, saying what was seen.
    QImage tourAuRepos();

    // The trump and bid panel's buttons in that picture (empty when none)
    // or else a message box's (one or two, else none).
    static void litBoutons(const QImage& image, QList<QRect>& panneau, QList<QRect>& boite);

private:
    void eloigneSouris_();
    bool stable_(const QImage& avant, QImage& apres, const QRect& zone);
    // The cloth of that picture, within the bounds last read whole.
    LectureEcran::Tapis litTapis_(const QImage& image);
    bool verifieTapis_(const RecordDePartie& record, const QImage& image);
    // The cloth shows the record's trick: its cards, each at its seat's
    // side, and in Jass's second trick an announced card of the first too.
    bool tapisDuRecord_(const RecordDePartie& record, const QList<int>& vus, const QList<int>& attendus) const;
    // A cloth that held more than a record written before its last cards,
    // judged by the first record that holds the user's card of that trick.
    void verifieTapisEnRetard_(const RecordDePartie& record);
    bool choisitDansPanneau_(const QList<QRect>& panneau, const RecordDePartie& record);
    bool repondBoite_(const QList<QRect>& boutons);
    bool clique_(const QRect& bouton, const QString& quoi);
    // Waits until the button has gone once the user acted on it.
    // The button went within the limit (nothing else is done when not).
    bool disparait_(const QRect& bouton);
    bool attendsDisparition_(const QRect& bouton, const QString& quoi);

    SessionDeJeu& session_;
    QStringList dernierCoup_;
    bool aDejaJoue_ = false;
    bool premierBouton_ = false;
    bool contre_ = false;
    int contres_ = 0;
    bool prend_ = false;
    QList<MainLue> mainsLues_;
    QString toucheBoite_;
    int coups_ = 0;
    int cartes_ = 0;
    bool sansRecord_ = false;
    bool sansAide_ = false;
    bool mainBaissee_ = true;
    QImage dernierRegard_;
    int boites_ = 0;
    int boitesAvantDeJouer_ = 0;
    int plisVerifies_ = 0;
    int refus_ = 0;
    QStringList requeteRefusee_;
    QStringList ecarts_;
    struct TapisEnRetard
    {
        int donne = 0;
        int pli = -1;
        int cartesDeLUtilisateur = 0;
        QList<int> vus;
    };
    TapisEnRetard tapisEnRetard_;
    // The cloth's bounds as last read whole: the window keeps its size.
    QRect zoneTapis_;
};
