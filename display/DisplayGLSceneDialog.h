#pragma once

#include <QGraphicsProxyWidget>
#include <QRectF>
#include <QString>

class DisplayGLSceneDialogButton;
class DisplayRectAnimation;
class QGridLayout;
class QHBoxLayout;
class QPropertyAnimation;
class QSequentialAnimationGroup;

// A collapsible side panel of the table scene (the chat panel, the settings
// panel): a content area with a close button beside it while open, a small
// tab while closed, sliding between the two.
//
// Rules:
// - Side 1 opens towards the left, with its tab on the right edge of the
//   open area; side 0 keeps its tab on the left edge. Focus mode 1 takes
//   the focus on opening and drops it on closing. Whatever the mode, a
//   panel opened from the keyboard gives it to its content, and a panel
//   that closes with the keyboard gives it back to the table.
// - The tab and the close button are a fixed share of the table
//   (DisplayGLSceneDialogButton); the closed rectangle is the tab, halfway
//   down the open area's edge, 25 pixels higher.
// - Opening and closing slide while the panel is shown; a hidden panel
//   switches its look at once.
// - Clicks on the panel stay on the panel: they never reach the table.
// GUI thread only.
class DisplayGLSceneDialog : public QGraphicsProxyWidget
{
    Q_OBJECT
    Q_PROPERTY(int isExpanded READ isExpanded WRITE setIsExpanded)

public:
    static constexpr int COTE_ICONE_INITIAL = 26;
    static constexpr int MARGE_CONTENU = 2;
    static constexpr int DUREE_ETAT_MS = 1;
    static constexpr double DECALAGE_ONGLET = 25.0;
    static constexpr float PART_ICONE_LARGEUR = 0.6315789f;
    static constexpr float PART_ICONE_HAUTEUR = 0.43636364f;

    DisplayGLSceneDialog(int cote, int modeFocus, const QString& icone, QGraphicsItem* parent = nullptr);
    ~DisplayGLSceneDialog() override;

    // The closed rectangle for an open one, a tab size and a pixel ratio.
    static QRectF rectangleReplie(const QRectF& deplie, const QSizeF& onglet, int cote, double ratioPixels);

    QWidget* contenu() const { return contenu_; }
    QGridLayout* layoutContenu() const { return grille_; }
    DisplayGLSceneDialogButton* boutonFermer() const { return fermer_; }
    DisplayGLSceneDialogButton* boutonOnglet() const { return onglet_; }
    QSequentialAnimationGroup* animation() const { return groupe_; }
    int cote() const { return cote_; }

    int isExpanded() const;
    void setIsExpanded(int expanded);
    // Switches the look; nothing when it already matches, unless forced.
    void setExpandedState(bool expanded, bool force);
    void animateTo(bool expanded);
    // Sizes the host widget and the button icons for a rectangle, and
    // places the panel there.
    void applyGeometry(const QRectF& rect);
    void setGeometry(const QRectF& rect) override;
    // Lays the panel out for its open area, in its current state; the tab
    // and the close button are a share of the reference size (the table's),
    // so that a narrow band still has a tab a finger can find.
    void setZone(const QRectF& zone, const QSizeF& reference, double ratioPixels);
    QRectF expandedRect() const { return deplie_; }
    QRectF collapsedRect() const { return replie_; }
    // The close button is checked: the panel is open or opening.
    bool isOpen() const;

public slots:
    void expand();
    void collapse();

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;

private slots:
    void OnExpandedButtonToggled(bool checked);
    void OnCollapsedButtonToggled(bool checked);

private:
    // The open or closed look, without animation.
    void appliqueApparence_(bool expanded);
    // The first widget of the content that takes Tab gets the keyboard.
    void focusPremierDuContenu_();
    void videGroupe_();

    int cote_;
    int modeFocus_;
    QWidget* hote_;
    QHBoxLayout* layoutHote_;
    DisplayGLSceneDialogButton* fermer_;
    DisplayGLSceneDialogButton* onglet_;
    QWidget* contenu_;
    QGridLayout* grille_;
    QRectF deplie_;
    QRectF replie_;
    double ratioPixels_ = 1.0;
    DisplayRectAnimation* animRect_;
    QPropertyAnimation* animEtat_;
    QSequentialAnimationGroup* groupe_;
    // Opened from the keyboard: the content takes it once shown.
    bool focusAuContenu_ = false;
};
