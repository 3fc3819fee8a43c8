#pragma once

#include "GM.h"

#include <QList>
#include <QMutex>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <typeinfo>

class DisplayGLScene;
class GM_MessageBoxRequest;
class GM_WidgetAuto;
class GM_WidgetAutoRound;
class QGraphicsItem;
class QGraphicsProxyWidget;
class QKeyEvent;
class QObject;
class QWidget;

namespace Ui {
class MessageBoxGl;
}

// The table scene's message boxes and in-scene forms: the main box, which
// shows the displayer's queued requests one at a time, the status box, the
// tutorial form, the in-scene dialogs and the bug windows.
//
// Rules:
// - Owned by the scene, which stays the displayer and the facade: its
//   named members and slots forward here. The back reference serves the
//   scene's queue (copieMessageBox, messageBoxAnswered), its feedback
//   (vibre, joueSon), its layout (zoneTable, stopAnimationsAndCloseDialogs,
//   devicePixelRatio), the tutorial's close (OnTutorialClosed), the
//   signalMessageBoxShown signal, and the graphics scene's items and focus.
// - programme, estPrevue, setAutoReponse, autoReponse and idCourant may be
//   called from any thread; everything else runs on the GUI thread.
//   The current box id is guarded by the mutex, which is never held while
//   the queue is called back (messageBoxAnswered, OnTutorialClosed);
//   the pending display and the auto-answer are atomics, since the queue
//   asks for them with its own mutex held.
// - An answer names the box it was given for: a late answer (a second click,
//   a box already withdrawn) does nothing to the box now on screen.
// - A dialog is added once: a second widget of the same class, or the same
//   widget again, keeps the first one's place.
// - While a box or form is in front, the keys are its own; while a box is,
//   the table under it (the hand's cards, the trump and bid band) takes no
//   click either.
class SceneBoites
{
public:
    // One of the two message-box forms and where it sits in the scene.
    struct Boite
    {
        GM_WidgetAutoRound* widget = nullptr;
        Ui::MessageBoxGl* ui = nullptr;
        QGraphicsProxyWidget* proxy = nullptr;
    };

    explicit SceneBoites(DisplayGLScene& scene);
    SceneBoites(const SceneBoites&) = delete;
    SceneBoites& operator=(const SceneBoites&) = delete;

    // Builds both boxes, hidden, in the scene and wires their buttons and
    // the display timer to the scene's slots.
    void construit();
    // Before the scene clears its items: the buttons no longer call it.
    void deconnecte();
    // After the scene cleared its items (the boxes with them).
    void oublieBoites();

    // --- The queued boxes.
    void programme(uint id);
    bool estPrevue() const { return affichagePrevu_.load(); }
    void afficheCourante();
    void montre(GM_WidgetAutoRound* widget, Ui::MessageBoxGl* form, QGraphicsProxyWidget* proxy, double z,
                const GM_MessageBoxRequest& request);
    // The status box, not queued.
    void montreStatut(const GM_MessageBoxRequest& request);
    // The text of the box on screen changed (request holds the new one).
    void montreMiseAJour(const GM_MessageBoxRequest& request, int id);
    void retire(uint id);
    void fermeStatut();
    // Answers box idVu with a button (NoButton: the box's own accept or
    // reject button). Nothing when that box is no longer the one on screen.
    void repond(qint64 idVu, GM::StandardButton bouton, bool accepte);
    // A box button was clicked (the emitter of the clicked signal).
    void repondBouton(QObject* emetteur, bool accepte);
    // The tutorial of box id was closed: the box on screen is no longer it.
    void fermeTutoriel(uint id);
    void setAutoReponse(bool autoReponse) { autoReponse_.store(autoReponse); }
    bool autoReponse() const { return autoReponse_.load(); }
    qint64 idCourant() const;

    // --- Layout and language.
    // A box in the table area: full width, centred vertically, as high as
    // its kind asks (hauteurBoite).
    void place(QWidget* widget, QGraphicsProxyWidget* proxy, const QRectF& rect) const;
    // The box's height for the table height and the last box shown.
    double hauteurBoite(double hauteurTable) const;
    // The boxes on screen follow a new table area.
    void replace(const QRectF& table);
    // The main box on screen takes the scene's box font.
    void appliquePolice(const QRectF& table);
    // The main box's own words in the language shown; it keeps its text.
    void retraduit(const QRectF& table);
    void setLienRegles(const QString& texte);
    // The main box's window, through which a language change comes.
    bool estFenetreBoite(const QObject* objet) const;

    // --- The keys.
    bool touche(QKeyEvent* evenement);
    // Gives the keyboard to the box or form in front; false when none is.
    bool clavierAuDevant();
    // A box (the main box, the status box, a box's tutorial form) is in
    // front: the table under it takes no click until it goes. The in-scene
    // windows (the connection window) hold the keys alone.
    bool uneBoiteDevant() const;

    // --- In-scene dialogs.
    QGraphicsProxyWidget* dialogueDeClasse(const std::type_info& classe) const;
    QGraphicsProxyWidget* ajouteDialogue(GM_WidgetAuto* widget, double z, int placement, int mode,
                                         const QRectF& table);
    // Closes the open dialogs (except those of the right strip when
    // gardeBandeDroite) and the boxes; true when one was closed.
    bool fermeDialogues(bool gardeBandeDroite);
    void placeDialogues(const QRectF& table);
    // The right strip's windows take the strip's width.
    void ajusteBandeDroite(const QRectF& table);
    // The open dialog that holds that item (or is it), null when none.
    QGraphicsProxyWidget* dialogueDe(const QGraphicsItem* item) const;
    QList<QGraphicsProxyWidget*> dialogues() const;

    // --- The bug button's windows (owned by the main window).
    void setFenetresBug(QWidget* formulaireDebug, QWidget* questionnaireBug);
    void montreFormulaireDebug();
    void montreQuestionnaireBug();
    void cacheFenetresBug();

    // --- For the facade and the tests.
    const Boite& boitePrincipale() const { return boite1_; }
    const Boite& boiteStatut() const { return boite2_; }
    QStringList historique() const { return historique_; }
    int dernierGenre() const { return dernierGenre_; }
    void setFormulaireTutoriel(GM_WidgetAuto* formulaire);
    uint idTutoriel() const { return idTutoriel_; }
    QTimer& timer() { return timerBoite_; }

private:
    struct Dialogue
    {
        QGraphicsProxyWidget* proxy = nullptr;
        // 1: the strip right of the table.
        int placement = 0;
        // 1: inset in the table.
        int mode = 0;
    };

    void construitBoite_(Boite& boite, bool gardeOptionStyle, double z);
    void placeDialogue_(const Dialogue& dialogue, const QRectF& table);
    // The proxy of the box or form in front of the table (null when none),
    // and the message-box form it holds, if it is one.
    QGraphicsProxyWidget* proxyDevant_(const Boite** boite) const;
    // Moves the keyboard focus into that box, on its default button (for a
    // box shown anew, never the button the last box left focused).
    void focusDansBoite_(QGraphicsProxyWidget* proxy, const Boite* boite, bool neuve = false);
    GM::StandardButton boutonDuSignal_(QObject* emetteur, bool* dansStatut) const;
    void cacheBoite1_();
    void montreAvecClavier_(QWidget* fenetre);

    DisplayGLScene& scene_;
    mutable QMutex mutexBoites_;
    qint64 idBoiteCourante_ = -1;
    std::atomic<bool> affichagePrevu_{false};
    std::atomic<bool> autoReponse_{false};
    int dernierGenre_ = 0;
    QStringList historique_;
    QPointer<GM_WidgetAuto> formulaireTutoriel_;
    uint idTutoriel_ = 0;
    QTimer timerBoite_;
    Boite boite1_;
    Boite boite2_;
    // In creation order.
    QList<Dialogue> dialogues_;
    QPointer<QWidget> formulaireDebug_;
    QPointer<QWidget> questionnaireBug_;
};
