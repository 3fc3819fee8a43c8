#pragma once

// What the event list's tests share: a replay requester that keeps what it
// is asked, event builders, a list run through an executor, and a log
// that swallows and counts its lines.

#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_ExceptionFileCorrupted.h"
#include "ListeDesEvenements.h"
#include "OptionsDuJoueur.h"
#include "ZB_EventsGroup.h"
#include "ExecuteurTemoin.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextStream>

#include <stdexcept>

namespace listetest {

class FauxDemandeur : public ListeDesEvenements::ReplayRequester
{
public:
    int termine = 0;
    void cb_replayTermine() override { ++termine; }
};

inline EvenementDeJeu evenement(int genre, const QString& texte, int siege, int etat, int noDemande, int mode = 0,
                         int source = EvenementDeJeu::Local_AI, qint64 id = 77, int noTable = 0)
{
    return EvenementDeJeu(genre, texte, siege, etat, source, id, mode, noDemande, noTable, ZB_ICI);
}

inline QString joueur(const QString& nom, qint64 id, int distant)
{
    OptionsDuJoueur j;
    j.nom_ = nom;
    j.id_ = id;
    j.distant_ = distant;
    return j.sauveValeursDansString();
}

// One short deal as a table plays it: inscriptions, deal, trump, two tricks
// and the end of the game.
inline QList<EvenementDeJeu> partie()
{
    QList<EvenementDeJeu> evs;
    evs << evenement(EvenementDeJeu::InP, QStringLiteral("{options!}"), 4, 1, -1, 0, EvenementDeJeu::Local_Table, -1);
    for (int siege = 0; siege < 4; ++siege)
        evs << evenement(EvenementDeJeu::InJ, joueur(QStringLiteral("J%1").arg(siege), 100 + siege, siege != 0), 4,
                         siege + 2, -1, 0, EvenementDeJeu::Local_Table, 100 + siege);
    evs << evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
    evs << evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!9!2!}"), 1, 20, 2);
    for (int i = 0; i < 4; ++i)
        evs << evenement(EvenementDeJeu::Ajo, QStringLiteral("%1_%2").arg(i + 1).arg(6 + i), i, 37 + i, 3 + i);
    evs << evenement(EvenementDeJeu::Ram, QStringLiteral("Ok"), 3, 41, 7);
    for (int i = 0; i < 4; ++i)
        evs << evenement(EvenementDeJeu::Ajo, QStringLiteral("%1_%2").arg(i + 1).arg(10 + i), i, 53 + i, 8 + i);
    evs << evenement(EvenementDeJeu::Ram, QStringLiteral("Ok"), 0, 57, 12);
    evs << evenement(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, 134, 13);
    return evs;
}

inline QList<int> etatsDe(const QList<EvenementDeJeu>& evs)
{
    QList<int> etats;
    for (const EvenementDeJeu& ev : evs)
        etats << ev.etat_;
    return etats;
}

inline QString texteDuRecord(const ListeDesEvenements& liste)
{
    QString texte;
    QTextStream out(&texte);
    liste.ecritTexte(out);
    return texte;
}

inline QStringList blocs(const QTextDocument& doc)
{
    QStringList textes;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        textes << b.text();
    return textes;
}

inline QStringList blocsNonVides(const QTextDocument& doc)
{
    QStringList textes = blocs(doc);
    textes.removeAll(QString());
    return textes;
}

// The warning of a skipped event as the list logs it.
inline QString avertissement(const QString& texte, qint64 id, const QString& source)
{
    return QStringLiteral("ListeDesEvenements::ajoute event '%1', from player '%2', source '%3' (, line: -1, ), has "
                          "been SKIPPED.")
        .arg(texte, QString::number(id), source);
}

// Plays a whole game through a list, live, with no animation time.
inline void joue(ListeDesEvenements& liste, ExecuteurTemoin& exec, const QList<EvenementDeJeu>& evs)
{
    exec.ordre = etatsDe(evs);
    liste.setEtatAttendu(evs.first().etat_);
    for (EvenementDeJeu ev : evs) {
        liste.execute_unlocked(-1, ev, true);
        liste.flush_unlocked();
    }
}

struct Silence
{
    static inline int compte = 0;
    static void gestionnaire(QtMsgType, const QMessageLogContext&, const QString&) { ++compte; }
    QtMessageHandler avant;
    Silence() : avant(qInstallMessageHandler(&Silence::gestionnaire)) { compte = 0; }
    ~Silence() { qInstallMessageHandler(avant); }
};

} // namespace listetest
