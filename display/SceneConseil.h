#pragma once

#include "Joueur.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QPointer>
#include <QSemaphore>
#include <QSharedPointer>
#include <QTimer>

#include <atomic>

class Carte;
class DisplayGLScene;
class Partie;
class ZB_StatusMise;

namespace scene_aide {
struct Situation;
}

// The computer's advice for the local human at a table, a part of the table
// scene: the card search run for the user's turn, the advised card tinted
// once the user had time to think, and the help box that waits for the
// search.
//
// Rules:
// - repond runs on the search thread; everything else on the GUI thread.
//   The search itself never runs on the GUI thread, and the GUI thread never
//   waits for it longer than ATTENTE_CONSEIL_MAX_MS (the help box waits on
//   the event loop instead).
// - One search at a time: the advice place is a one-place semaphore, taken
//   by demande and given back by the answer of the search that took it. A
//   new request while a search runs stops that search and waits for its
//   answer; a search that does not answer in time costs that request its
//   advice, never the window.
// - enCours_ (atomic) is set under the mutex when the place is taken and
//   cleared, under the mutex, by the answer that gives it back; the GUI
//   thread reads it without the lock.
// - The mutex guards the advised card and the ignore flag: the answer of a
//   search whose request was forgotten (efface) advises nothing, and so does
//   an answer with its error flag.
// - arrete, before the scene dies, stops a running search and waits for its
//   answer: the search answers the scene, which must outlive it.
// - Back reference to the scene for three services only: the answer's
//   receiver (the scene is the Joueur::Cb_CarteConseil the player answers,
//   and forwards here), the help box's text (texteAideSituation) and the
//   box itself (messageBox); the scene is also the context of the help
//   box's wait and of the highlight timer's slot (OnHelpCardHightlight).
class SceneConseil
{
public:
    explicit SceneConseil(DisplayGLScene& scene);
    SceneConseil(const SceneConseil&) = delete;
    SceneConseil& operator=(const SceneConseil&) = delete;

    // Takes the advice place (stopping and waiting for a search still
    // running) and asks the player for advice; false when the player is
    // missing or the running search does not answer.
    bool demande(Joueur* joueur, QSharedPointer<Partie> partie, int joueurAtout);
    // The search's answer (search thread).
    void repond(Carte* carte, bool erreur);
    bool enCours() const { return enCours_.load(); }
    // Waits until no search runs, at most delaiMs (-1: no limit); true when
    // none runs.
    bool attend(int delaiMs);
    Carte* carte() const;
    // Forgets the advised card; the answer of a search still running will
    // advise nothing.
    void efface();
    // The advised card once it may be tinted: the tint is wanted (the
    // user's option, the help button enabled), no search runs and the user
    // had DELAI_TEINTE_CONSEIL_MS since the request; else null.
    const Carte* carteATeinter(bool teinteVoulue) const;
    // The help button: the box comes once the search has answered, or when
    // it has waited ATTENTE_CONSEIL_MAX_MS; a press while it waits adds
    // nothing.
    void aidePressee();
    bool isAideEnAttente() const { return aideEnAttente_; }
    // The player's advice for the help box: the card (when the situation
    // has a game), the trump in the trump states, the bid in the bid states
    // (from the table's bid status). Reads the card as it is: the caller
    // waits for the search first.
    void completeSituation(scene_aide::Situation& situation, Joueur* joueur, const ZB_StatusMise& statusMise) const;
    // Fires OnHelpCardHightlight on the scene every DELAI_SURLIGNAGE_MS from
    // construction on.
    QTimer& timerSurlignage() { return timerSurlignage_; }
    // Stops the highlight and a running search, waiting for its answer.
    void arrete();

    static constexpr qint64 DELAI_TEINTE_CONSEIL_MS = 3000;
    static constexpr int PAS_ATTENTE_AIDE_MS = 50;

private:
    void montreAide_();

    DisplayGLScene& scene_;
    QSemaphore place_{1};
    std::atomic<bool> enCours_{false};
    QPointer<Joueur> joueur_;
    mutable QMutex mutex_;
    Carte* carte_ = nullptr;
    bool ignore_ = false;
    QElapsedTimer chrono_;
    QTimer timerSurlignage_;
    bool aideEnAttente_ = false;
    QElapsedTimer attenteAide_;
};
