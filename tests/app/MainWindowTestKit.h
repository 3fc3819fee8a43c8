#pragma once

// What the main window's tests share: the cards of a game record, a wait
// on a condition that keeps the event loop running, the two kinds of run a
// test starts (unattended, or a person's with its settings and autosave),
// a store emptied of what an earlier test chose and a window whose every
// seat the computer plays at once.

#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "EvenementDeJeu.h"
#include "TableClient.h"
#include "ZB_MainWidget.h"
#include "ZB_SettingsStore.h"

#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QTest>
#include <QTextStream>

#include <functional>

namespace fenetretest {

// The cards played, in order, as "seat:card", from a game record's text.
inline QStringList cartesJouees(const QString& record)
{
    QStringList cartes;
    for (const QString& ligne : record.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        EvenementDeJeu ev;
        QString reste;
        if (ev.fromString(ligne.trimmed(), reste) && ev.type_ == EvenementDeJeu::Ajo)
            cartes << QStringLiteral("%1:%2").arg(ev.noJoueur_).arg(ev.texte_);
    }
    return cartes;
}

inline QString record(ZB_MainWidget& w)
{
    QString texte;
    QTextStream flux(&texte);
    w.salle()->writeToStream(flux);
    flux.flush();
    return texte;
}

inline bool attend(const std::function<bool()>& condition, int ms)
{
    return QTest::qWaitFor(condition, ms);
}

// A run where the computer plays every seat at once, in a folder of its own.
inline ZB_Settings sansSurveillance()
{
    ZB_Settings d;
    d.automatique = 1;
    d.nowait = true;
    return d;
}

// A run of a person (settings, autosave), where the computer plays every
// seat at once and every box is answered.
inline ZB_Settings accompagne()
{
    ZB_Settings d;
    d.nowait = true;
    return d;
}
inline void ordinateurPartout(ZB_MainWidget& w)
{
    w.vue()->setModeAffichage(ZB_MainWidget::MODE_AFFICHAGE_ORDINATEUR, false);
    w.vue()->scene()->setAutoAnswer(true);
    w.vue()->scene()->setFacteurDurees(0.1);
    w.userChoseGameType(0);
}

// An attended run's store with neither a theme choice nor a tutorial to
// show: what one test leaves there must not decide another.
inline void videReglages()
{
    QSettings reglages;
    reglages.remove(QLatin1String(ZB_SettingsStore::GROUPE_STYLE_APPLICATION));
    reglages.remove(QLatin1String(ZB_SettingsStore::GROUPE_AFFICHAGE));
    reglages.remove(QLatin1String(ZB_SettingsStore::GROUPE_PARTIE));
    reglages.setValue(QLatin1String(ZB_SettingsStore::GROUPE_TUTORIEL) + QStringLiteral("/done"), true);
    reglages.sync();
}

// The whole window as a person sees it, the menu bar and the table, now
// (not at the next pass of the event loop, when the match has moved on):
// the screen's own picture of the window, with OpenGL what the window
// system shows, not a second rendering.
inline QImage imageDeLaFenetre(ZB_MainWidget& w)
{
    w.vue()->scene()->rafraichitCouche();
    w.vue()->viewport()->repaint();
    return w.vue()->screen()->grabWindow(w.vue()->winId()).toImage();
}

} // namespace fenetretest
