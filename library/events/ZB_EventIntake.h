#pragma once

#include "GM_Exception.h"
#include "ListeDesEvenements.h"

#include <QMutexLocker>
#include <QString>

#include <utility>

// How an event from outside a table's list goes in: the table's own intake,
// the host's socket and the joining machine's socket all take it this way.
// Under the list's mutex the entry runs (it hands the event to the list),
// then the queue runs. The list takes an event off its queue before running
// it, so after a failure the events behind it may still run: the queue is
// run again, up to a number of tries in all, the first counted. The entry
// runs once: after its failure only the queue is tried again.
//
// Nothing throws out of it: each failure is handed to the caller's report,
// under the mutex, and goes no further; an entry whose failure the caller
// must answer otherwise catches it itself. The caller must not hold the
// list's mutex. It is inline and allocates nothing of its own but the text
// of a failure: this is the path of every move.
class ZB_EventIntake
{
public:
    // Tries of the queue in all when it is run until it is empty: the first,
    // and one for each state whose event may fail behind it.
    static constexpr int EssaisJusquAuVide = ListeDesEvenements::NombreEtats + 1;

    // entree(liste) runs once, then the queue; echec(texte) hears of every
    // failure. essais: the tries in all (at least one).
    template <typename Entree, typename Echec>
    static void prend(ListeDesEvenements& liste, int essais, Entree&& entree, Echec&& echec)
    {
        QMutexLocker verrou(liste.getMutex());
        bool aEntrer = true;
        for (int essai = 0; essai < essais; ++essai) {
            const QString erreur = GM_Exception::sansException([&] {
                if (aEntrer) {
                    aEntrer = false;
                    entree(liste);
                }
                liste.flush_unlocked();
            });
            if (erreur.isEmpty())
                return;
            echec(erreur);
        }
    }

    // One try: the failure is returned, empty when there was none, so that
    // the caller reports it once the mutex is released.
    template <typename Entree>
    static QString prend(ListeDesEvenements& liste, Entree&& entree)
    {
        QString derniere;
        prend(liste, 1, std::forward<Entree>(entree), [&derniere](const QString& erreur) { derniere = erreur; });
        return derniere;
    }
};
