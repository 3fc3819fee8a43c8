#pragma once

#include "GM_WidgetAuto.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"

#include <QButtonGroup>
#include <QList>
#include <QPixmap>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

namespace Ui {
class PanelAtouts;
}

class QAbstractButton;

// The strip of buttons at the bottom of the table with which the local user
// chooses trump (Jass) or bids (Belote). The table scene owns the one
// instance and shows it in its bottom band; the seat panels open it and
// receive the user's answers through the two signals.
//
// Rules:
// - The trump buttons and both Chibre/Passe buttons form one button group:
//   id 0 the Chibre button beside the trumps, id 1 the one below them, and
//   id mode + 1 for trump mode 1 to 11. Both Chibre/Passe buttons answer
//   mode 0 (pass the choice to the partner, or pass the bid).
// - A trump mode is offered only when the game type's multiplier for it is
//   1 or more.
// - The "game kind" is the contract field of the game type: 0 trump chosen
//   (Jass), 1 and 4 take or pass on a turned card, 2 (Coinche) and 3
//   (Contre) auctions with a bid value, a double and a capot.
// - One answer per showing: once a choice has been answered, further clicks
//   (the second half of a fast double-click) send nothing until the panel is
//   shown for the next request.
// - Holding plus or minus steps the bid once, then again every 50 ms after a
//   pause of 750 ms; every new press starts with the long pause again.
// - A capot is scored on the bid box's points, like any bid, doubled x2 and
//   redoubled x4: its button names those points and the double's label the
//   factor.
// - Each showing and each new size is laid out before the call returns: a
//   button never moves after the strip was painted for a request.
// - In screenshot mode the tooltips are left as they are.
// - The keyboard reaches every button offered: Tab and the arrow keys move
//   the focus among the visible, enabled buttons in reading order (round
//   the end), Return, Enter and Space press the focused one. Each showing
//   puts the focus on the first button offered (the first trump, else
//   "Prends", else Contre, else Passe); the style marks it.
class PanelAtouts : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit PanelAtouts(bool modeCaptures, QWidget* parent = nullptr);
    ~PanelAtouts() override;

    bool isScreenshotMode() const { return modeCaptures_; }
    // The width the table gives the strip (0: its own); the buttons shrink
    // to it, narrow layout first, rather than run past it.
    void setLargeurOfferte(int largeur);
    // The height the table gives the strip (0: its own): the buttons take
    // their size from it, and the strip itself may be only as high as its
    // rows.
    void setHauteurOfferte(int hauteur);

    // Trump choice for a game type; the Chibre buttons only when the choice
    // may still be passed to the partner.
    void afficheChoixAtout(const TypeDePartie& type, bool chibre);
    // Bid controls for the bidding state, the game type and the bidding seat.
    void afficheChoixMise(const ZB_StatusMise& mise, const TypeDePartie& type, int joueur);

    // The picture of a trump mode's button in a card style; the style is
    // kept for later resizes. An unknown style is taken as style 2.
    void setImageBouton(int mode, int styleCartes);
    // Every trump name with its multiplier (and the type's remark for the
    // modes that are not suits); the type is kept, so that a language
    // change names them again.
    void rafraichitInfobulles(const TypeDePartie& type);

    bool modeMise() const { return modeMise_; }
    bool modePrise() const { return modePrise_; }
    void setModePrise(bool prise) { modePrise_ = prise; }
    bool varianteCoinche() const { return varianteCoinche_; }
    int joueurMiseur() const { return joueurMiseur_; }
    int genrePartie() const { return genrePartie_; }
    int styleCartes() const { return styleCartes_; }
    const ZB_StatusMise& statusMise() const { return mise_; }

    // Folder of a card style's pictures under ":/Cartes/".
    static QString dossierStyle(int styleCartes);

    // The buttons the keyboard moves among, in reading order.
    QList<QAbstractButton*> boutonsOfferts() const;
    // Gives the focus to the first button offered (nothing when none is, or
    // when the keyboard is not to be taken: see setClavierPris).
    void focusPremier();
    // Tells whether the keyboard is another's now (a window the user types
    // in); the panel then leaves it there. None: it always takes it.
    void setClavierPris(std::function<bool()> pris) { clavierPris_ = std::move(pris); }
    bool clavierPris() const { return clavierPris_ && clavierPris_(); }

    static constexpr int NOMBRE_MODES = TypeDePartie::NOMBRE_MODES;
    static constexpr int ID_CHIBRE_COTE = 0;
    static constexpr int ID_CHIBRE_DESSOUS = 1;
    static constexpr int STYLE_PAR_DEFAUT = 2;
    static constexpr int DELAI_APPUI_LONG_MS = 750;
    static constexpr int DELAI_REPETITION_MS = 50;
    static constexpr int MODE_ZIGZAG = 7;

signals:
    // The trump mode chosen (0 chibre, 1 to 11 a trump mode).
    void signalAtoutButtonPressed_(int mode);
    void signalBetAnswer_(ZB_StatusMise const status);

public slots:
    void OnAtoutButtonPressed_(int id);
    void OnMiseButtonPressed_();
    void OnCapotButtonPressed_(bool checked);
    void OnContreButtonPressed_();
    void OnPushButtonBetPlus();
    void OnPushButtonBetMinus();
    void OnPushButtonBetPlusLongCheck();
    void OnPushButtonBetMinusLongCheck();
    void OnSpinBoxValueChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    std::function<bool()> clavierPris_;
    // While a window has the keyboard, the band holds no focus widget.
    void laisseLeClavier_();
    // Moves the focus by pas buttons in reading order, round the end.
    void deplaceFocus_(QAbstractButton* depuis, int pas);
    QAbstractButton* boutonAtout_(int mode) const;
    void permisDepuis_(const TypeDePartie& type);
    void montreAtoutsPermis_();
    void metLibellesContreCapot_();
    void metLibelleCapot_();
    void metTexteChibre_(const QString& texte);
    int nombreVisibles_() const;
    void dispose_(int largeur, int hauteur);
    void disposeAvec_(int largeur, int hauteur, bool largePermis, double part);
    void placeImage_(int mode, int cote);
    // One step of plus (+1) or minus (-1); a fresh press waits long before
    // its first repeat.
    void pas_(int sens, bool appuiNeuf);
    void repete_(int sens);
    bool repondre_();

    std::unique_ptr<Ui::PanelAtouts> ui_;
    QButtonGroup groupe_;
    std::array<QPixmap, NOMBRE_MODES> images_;
    std::array<bool, NOMBRE_MODES> permis_{};
    int styleCartes_ = STYLE_PAR_DEFAUT;
    ZB_StatusMise mise_;
    bool modePrise_ = false;
    bool varianteCoinche_ = false;
    bool modeMise_ = false;
    int largeurOfferte_ = 0;
    int hauteurOfferte_ = 0;
    bool modeCaptures_;
    bool repondu_ = false;
    int joueurMiseur_ = -1;
    int genrePartie_ = TypeDePartie::ContratChibre;
    // The type the tooltips were last written for.
    TypeDePartie typeInfobulles_;
    bool infobulles_ = false;
    QTimer timerPlus_;
    QTimer timerMoins_;
};
