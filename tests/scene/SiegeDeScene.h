#pragma once

// One seat of a shown table for the seat-panel and mouse tests: a deal
// position from a seed (the seat to play holds cards it may play and cards
// it may not), the local user's JoueurHumain seated there with the view's
// four panels, and a recording table that receives whatever the seat
// answers.

#include "AffichageDeScene.h"
#include "AiTestKit.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "HeadlessMatch.h"
#include "JoueurHumain.h"
#include "TableDeScene.h"

#include <QGraphicsView>
#include <QPropertyAnimation>
#include <QTest>

#include <array>
#include <initializer_list>
#include <memory>

namespace scenetest {

// A person's double click: press, release, the double click, release.
// QTest's own sends the double click alone and leaves the button down, so
// the item that took it would keep the mouse.
inline void doubleClic(QWidget* ecran, const QPoint& ici)
{
    QTest::mouseClick(ecran, Qt::LeftButton, {}, ici);
    QTest::mouseDClick(ecran, Qt::LeftButton, {}, ici);
    QTest::mouseRelease(ecran, Qt::LeftButton, {}, ici);
}

inline Reglages tableAJouer()
{
    Reglages r;
    r.automatique = false;
    r.options.quality_ = 1;
    r.options.cardStyle_ = 2;
    r.options.sounds_ = false;
    r.taille = QSize(960, 640);
    return r;
}

// A seed, from 1 on, whose position (one card led) leaves the seat to play
// two cards or more it may play and cards it may not.
inline quint32 graineMelangee(bool belote)
{
    for (quint32 graine = 1;; ++graine) {
        aitest::Position p(belote, graine, 1, 1);
        const int legales = p.nombreDeCoupsLegaux();
        if (legales > 1 && legales < int(p.mainAJouer().getNombreDeCartes()))
            return graine;
    }
}

struct SiegeDeScene
{
    explicit SiegeDeScene(bool belote = false)
        : t(tableAJouer())
        , affichage(*t.scene)
        , position(belote, graineMelangee(belote), 1, 1)
        , siege(position.aJouer())
    {
        affichage.creePanneaux();
        // Shown, so that moves without a button reach the scene.
        t.vue->show();
        t.scene->createGLObjects();
    }
    ~SiegeDeScene() { t.scene->setPartie({}); }
    SiegeDeScene(const SiegeDeScene&) = delete;
    SiegeDeScene& operator=(const SiegeDeScene&) = delete;

    // Seats the player in a play mode; local: the seat is the local user's
    // on this display.
    void assied(int modeJeu, bool local)
    {
        DisplayGLScene& s = *t.scene;
        joueur.initialise(match_sans_tete::humain(siege), &table, siege, false, position.partie->typeDePartie_, false,
                          &affichage);
        joueur.setMode(modeJeu);
        joueur.main_ = position.mains[siege];
        joueur.setPartie(position.partie);
        s.setPartie(position.partie);
        if (local)
            s.setNoJoueurLocal(siege);
        affichage.setJoueur(siege, &joueur);
        panneau()->afficheCartes(joueur.main_, false);
        finitAnimations();
    }
    // The other three seats, computers holding their hands, and the deal
    // shown as a table shows it (the led card on the cloth), before the
    // seat is asked anything.
    void distribue()
    {
        DisplayGLScene& s = *t.scene;
        donne(false);
        const int leader = position.partie->joueurQuiDebuteTour_;
        s.afficheCarteJouee(leader, position.partie->getCarteDuPli(leader));
        s.redessineCartes(position.partie->atoutEnCours_);
        s.setModeVue(0);
    }
    // The other three seats seated and the cards dealt, packet by packet as
    // a new deal shows them when anime, at once as a replay does otherwise
    // (the view mode is left so).
    void donne(bool anime)
    {
        DisplayGLScene& s = *t.scene;
        for (int j = 0; j < 4; ++j) {
            if (j == siege)
                continue;
            auto& autre = autres[size_t(j)];
            autre = std::make_unique<AI_Joueur>();
            autre->options_.nom_ = QStringLiteral("IA%1").arg(j);
            autre->options_.ordinateur_ = 1;
            autre->noJoueur_ = j;
            autre->main_ = position.mains[j];
            s.setJoueur(j, autre.get());
        }
        // A new deal comes to an empty hand, as after the last deal.
        if (anime)
            for (Carte* c : joueur.main_)
                if (DisplayGLHumanCarte* carte = sprite(c))
                    carte->setState(DisplayGLHumanCarte::Cachee, false, 0);
        s.setModeVue(anime ? 0 : 1);
        s.nouvelleDonne(9, 1000, 0);
    }
    // The table asks the seat for a card, and tells the screen so.
    void demandeCarte()
    {
        const InfoDemande demande(EtatDeJeu::Tour1_AttendCarte1 + position.partie->carteNo_, 0, 17, 0, 0);
        joueur.demande_Carte(position.partie, demande);
        t.scene->afficheEtat(demande, &joueur, nullptr, siege, false);
        finitAnimations();
    }
    DisplayGLPanelDeJoueur* panneau() const { return affichage.panneaux[size_t(siege)].data(); }
    DisplayGLHumanCarte* sprite(const Carte* carte) const
    {
        return carte ? t.scene->jeuDeCartes().getCarte(carte->getIndex()) : nullptr;
    }
    // The first card of the hand that may, or may not, be played now (the
    // second one with rang 1).
    Carte* carte(bool jouable, int rang = 0) const
    {
        for (Carte* c : joueur.main_)
            if (position.estLegale(c) == jouable && rang-- == 0)
                return c;
        return nullptr;
    }
    // The hand's moves end at once: the mouse finds cards where they rest.
    void finitAnimations()
    {
        for (Carte* c : joueur.main_)
            if (DisplayGLHumanCarte* s = sprite(c))
                if (QPropertyAnimation* a = s->getMoveAnimation(); a && a->state() == QAbstractAnimation::Running)
                    a->setCurrentTime(a->totalDuration());
    }
    // A scene point where the card shows on top (its left strip, above the
    // lowest part that never answers hovering); null point when hidden.
    QPointF pointSur(const DisplayGLHumanCarte* s, std::initializer_list<double> hauteurs = {0.3, 0.5, 0.2}) const
    {
        const QRectF r = s->sceneBoundingRect();
        for (double fy : hauteurs)
            for (double fx : {0.15, 0.3, 0.08, 0.5, 0.8}) {
                const QPointF p(r.left() + fx * r.width(), r.top() + fy * r.height());
                if (t.scene->carteSous(p) == s)
                    return p;
            }
        return QPointF();
    }
    QPoint versVue(const QPointF& p) const { return t.vue->mapFromScene(p); }
    QWidget* ecran() const { return t.vue->viewport(); }
    // Answers the table has received so far of one kind.
    int recus(int type)
    {
        table.recoit();
        return table.compte(type);
    }

    TableDeScene t;
    AffichageDeScene affichage;
    aitest::Position position;
    int siege;
    aitest::TableEnregistreuse table;
    std::array<std::unique_ptr<AI_Joueur>, 4> autres;
    JoueurHumain joueur;
};

} // namespace scenetest
