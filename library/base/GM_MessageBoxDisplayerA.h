#pragma once

#include "GM.h"
#include "GM_MessageBoxRequest.h"

#include <QMap>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

class GM_MessageBoxEmitter;

// The queue of message boxes and the interface of whatever shows them (the
// table scene, or the headless displayer of tables without a screen).
// Requests arrive from any thread through GM_MessageBoxEmitter, are numbered
// program-wide and shown one at a time, smallest id first; each is shown
// only after the previous one was answered.
//
// Lock order: emitter mutex, program-wide id mutex, then this mutex. The
// displayer's own operations are never called with this mutex held, except
// isMessageBoxPending, which therefore must not take it.
class GM_MessageBoxDisplayerA
{
public:
    // Waits on a thread of its own until a display that is still scheduled
    // has run, so that a new box never replaces it, then shows the next box.
    class ThreadDelay : public QThread
    {
    public:
        explicit ThreadDelay(GM_MessageBoxDisplayerA* displayer);
        ~ThreadDelay() override;

    protected:
        void run() override;

    private:
        GM_MessageBoxDisplayerA* displayer_;
    };

    // How long the delay thread waits between two looks at the pending display.
    static constexpr int DELAI_ATTENTE_MS = 500;

    GM_MessageBoxDisplayerA();
    GM_MessageBoxDisplayerA(const GM_MessageBoxDisplayerA&) = delete;
    GM_MessageBoxDisplayerA& operator=(const GM_MessageBoxDisplayerA&) = delete;
    virtual ~GM_MessageBoxDisplayerA();

    // id -1: show the request in the status box; otherwise replace the text
    // of the queued box id. Called at once, from the emitter's thread.
    virtual void updateMessageBox(const GM_MessageBoxRequest& request, int id) = 0;
    virtual void closeStatusBox() = 0;
    // Makes box id current and schedules its display on the GUI thread. May
    // be called from any thread, never with the queue's mutex held.
    virtual void execMessageBox(uint id) = 0;
    // True while a scheduled display has not run yet. Called with the queue's
    // mutex held.
    virtual bool isMessageBoxPending() = 0;

    // Shows the smallest queued box unless one is already on screen.
    void showNextMessageBox();
    // The queued request id, or null. The pointer stays valid until that box
    // is answered; only the displayer's own thread should keep it.
    GM_MessageBoxRequest* findMessageBox(uint id);
    // Copies the queued request id under the queue's mutex; false when absent.
    bool copieMessageBox(uint id, GM_MessageBoxRequest& copie);
    // Called by the displayer when the user closed box id: the answer goes to
    // the request's receiver, the request leaves the queue, and the next box
    // (if any) is shown.
    void messageBoxAnswered(uint id, const GM::StandardButton& bouton);

    // Box id leaves the queue unanswered, as when what it waited for is
    // over; a box on screen is taken down first (hideWithdrawnBox) and the
    // next one follows. Nothing for an id that is not queued.
    void withdrawMessageBox(uint id);

    int nombreEnAttente();

protected:
    // Replaces title and text of a queued box under the queue's mutex; false
    // when there is no such box.
    bool remplaceTexte(uint id, const QString& titre, const QString& texte);
    // Stops the delay thread and refuses to show anything more. Subclasses
    // call it first thing in their destructor, since the delay thread calls
    // their overrides.
    void arreteFileDAttente();
    // The box on screen, id, was withdrawn: stop showing it. Nothing by
    // default.
    virtual void hideWithdrawnBox(uint id);

private:
    friend class GM_MessageBoxEmitter;

    // Called by the emitter with the id mutex held. Returns true when the
    // caller must call execMessageBox(*aAfficher) once it holds no lock.
    bool ajouteMessageBox_(const GM_MessageBoxRequest& requete, uint id, uint* aAfficher);
    // The emitter is going away: queued requests forget it.
    void oublieEmetteur_(const GM_MessageBoxEmitter* emetteur);
    // Queue mutex held, nothing on screen: either hands the delay thread the
    // job, or marks the smallest id current and returns true for its display.
    bool prendSuivant_unlocked(uint* aAfficher);
    void demarreDelai_unlocked();
    // The smallest queued id; the queue must not be empty.
    uint plusPetitId_unlocked() const;
    void delai_();

    QMap<uint, GM_MessageBoxRequest> messageBoxes_;
    QMutex mutex_;
    bool occupe_ = false;   // a box is on screen or its display has been asked for
    uint courant_ = 0;      // that box, when occupe_
    bool arret_ = false;
    // The delay thread runs and will still look at the queue. Cleared by the
    // thread itself in its last locked step, so a thread seen running while
    // this is false is only returning.
    bool delaiActif_ = false;
    bool delaiRedemande_ = false;
    QWaitCondition reveilDelai_;
    ThreadDelay threadDelay_;
};
