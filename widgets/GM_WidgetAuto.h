#pragma once

#include <QLabel>
#include <QLayout>
#include <QList>
#include <QMap>
#include <QMargins>
#include <QPair>
#include <QPointer>
#include <QSwipeGesture>
#include <QWidget>

#include <initializer_list>

class QAbstractButton;
class QIcon;
class QKeyEvent;

// Base of dialogs, tool windows and in-scene panels: a form designed at one
// size is rescaled with the widget, so that it looks right on small phones
// and large screens alike. Layout margins and spacings follow the widget's
// size (the designed values, collected on the first adjustment, are kept so
// that repeated resizes do not compound), and registered labels show their
// image at a size that follows the widget.
//
// A form of a few lines can take its content's size instead of the whole
// area it is given (setTailleAuContenu): it is then centred in the area,
// never larger than it, and fits itself again in that area when it is
// shown and when its texts, font or style change.
//
// Keys, as in a dialog window (a form in the table is no dialog window, and
// gets only the keys its widgets leave): Return and Enter press the push
// button the user moved to, else the form's default (a shown push button
// set default, else the accept button of its button box); Esc presses the
// first shown of its cancel buttons, else its button box's reject button
// (Cancel, Close). A form without such a button lets the key go on. The
// arrows move between the choices of an exclusive group, checking the one
// they reach.
class GM_WidgetAuto : public QWidget
{
    Q_OBJECT

public:
    explicit GM_WidgetAuto(QWidget* parent = nullptr);
    ~GM_WidgetAuto() override;

    // Fixes the size to the rectangle's, then places the widget there; a
    // widget sized to its content takes the rectangle as its area.
    virtual void setGeometryFixed(const QRect& rect);
    virtual void adjustToSize();
    // The palette of the widget and of every widget inside it.
    virtual void setPaletteAll(const QPalette& palette);
    // A swipe gesture on the widget; true when handled.
    virtual bool swipeTriggered(const QSwipeGesture::SwipeDirection& direction);
    // The program brings it up by itself, not at the user's request (a
    // status window): while it covers the table, the user's turn waits.
    virtual bool estOuverteParLeProgramme() const { return false; }
    // The table closes the form on its own (a window opened over it, a new
    // game, Esc pressed over the table): it closes. A form whose closing is
    // an answer (the welcome's skip) gives that answer instead, so that what
    // waits for it does not wait for ever.
    virtual void fermeParLaTable() { close(); }

    // Keeps label's pixmap in step with the widget size, drawn from the
    // image at chemin; sets it at once.
    void setLabelPixmap(QLabel* label, const QString& chemin);

    // Gives label a square pixmap of side (min(largeur, hauteur) / diviseur +
    // decalage) device-independent pixels, rendered for ratioPixels. Nothing
    // for a null label or icon, or a size below one pixel.
    static void setLabelPixmapScaled(QLabel* label, double largeur, double hauteur, const QIcon& icone,
                                     double ratioPixels, double diviseur, double decalage);

    void setTailleAuContenu(bool auContenu);
    bool isTailleAuContenu() const { return tailleAuContenu_; }
    // The widget's content size (its width's height when the height follows
    // the width), centred in zone and cut to it.
    static QRect geometrieAuContenu(const QWidget& widget, const QRect& zone);
    // Fits a widget sized to its content again in the last area it was
    // given, after its content changed; nothing before it was given one.
    void ajusteAuContenu();

    // The button Return (or Enter) or Esc presses now; null when none.
    QAbstractButton* boutonPourTouche(int touche) const;
    // The choice an arrow key moves to from the one that has the keyboard,
    // in its exclusive group: the nearest shown that way; null when none.
    QAbstractButton* boutonVoisin(int touche) const;

    // Scale factor of a designed margin or spacing per pixel of widget size.
    static constexpr double FACTEUR_ECHELLE = 0.0019;

protected:
    // The buttons Esc presses, the first one shown: Cancel while a thing
    // runs, Close once it is over.
    void setBoutonsAnnuler(std::initializer_list<QAbstractButton*> boutons);
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void collecteValeursInitiales_();

    QMap<QLayout*, QMargins> margesInitiales_;
    QMap<QLayout*, int> espacementsInitiaux_;
    bool premiereFois_ = true;
    QList<QPair<QPointer<QLabel>, QString>> images_;
    bool tailleAuContenu_ = false;
    // The area last given, for a widget sized to its content.
    QRect zone_;
    bool ajustementPrevu_ = false;
    QList<QPointer<QAbstractButton>> boutonsAnnuler_;
};
