#pragma once

// A table as the local human sees it, for the status line's and the
// scoreboard's tests: the human at seat 0, answered by hand, three named
// computer players and a deal from a seed, seated on a scene built as the
// table view builds it. Seat 0's panel counts the pending actions the scene
// asks it to perform; no advice search outlives the table or its player.

#include "AI_Joueur.h"
#include "AiTestKit.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "InfoDemande.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "TableDeScene.h"
#include "ZB_DisplayEmpty.h"

#include <QGraphicsSimpleTextItem>
#include <QSharedPointer>
#include <QStringList>

#include <array>
#include <memory>

namespace scenetest {

// No seat: the state names nobody.
inline constexpr int AUCUN = -1;

struct Salon
{
    explicit Salon(bool belote = false, bool suiteAuto = false, quint32 graine = 11, int cartesJouees = 0,
                   bool couleurConseil = true, int styleCartes = 9, int theme = 0, double combinaisons = 30)
        : position(belote, graine, cartesJouees, belote ? 1 : 3, 0)
    {
        Reglages r;
        r.automatique = false;
        r.belote = belote;
        r.options.cardStyle_ = styleCartes; // 9, no pictures: quick
        r.options.quality_ = 1;
        r.options.appStyle_ = theme;
        r.taille = QSize(960, 640);
        r.options.sounds_ = false;
        r.options.ramassageAuto_ = suiteAuto;
        r.options.ramassageDelay_ = 1700;
        r.options.coloredCard_ = couleurConseil;
        table = std::make_unique<TableDeScene>(r);
        OptionsDuJoueur moi = aitest::optionsOrdi(combinaisons);
        moi.ordinateur_ = 0;
        moi.nom_ = QStringLiteral("Moi");
        humain.initialise(moi, &contexte, 0, false, position.partie->typeDePartie_, false, &vide, 30.0);
        humain.getAide()->getSubstitut()->setNombreDeFils(1);
        humain.setPartie(position.partie);
        humain.recoitCartes(position.mains[0]);
        humain.setMode(Joueur::ModeManuel);
        for (int j = 1; j < 4; ++j) {
            OptionsDuJoueur o = aitest::optionsOrdi(30);
            o.nom_ = QStringLiteral("IA%1").arg(j);
            ordis[size_t(j)].initialise(nullptr, o, &contexte, j, position.partie->typeDePartie_, false);
        }
        scene().setNoJoueurLocal(0);
        scene().setPartie(position.partie);
        for (int j = 0; j < 4; ++j)
            scene().setJoueur(j, joueur(j), j == 0 ? QSharedPointer<DisplayGLPanelDeJoueur>(panneau) : nullptr);
    }
    ~Salon()
    {
        // No search may outlive its player.
        if (table)
            scene().attendConseil(-1);
        humain.getAide()->getSubstitut()->attendRecherche(10000);
    }
    DisplayGLScene& scene() { return *table->scene; }
    Joueur* joueur(int j)
    {
        if (j == 0)
            return &humain;
        return j > 0 && j < 4 ? &ordis[size_t(j)] : nullptr;
    }
    void etat(int code, int acteur = AUCUN, int second = AUCUN, int noJoueur = AUCUN, bool impose = false)
    {
        scene().afficheEtat(InfoDemande(code, 0, 1, 0, 0), joueur(acteur), joueur(second), noJoueur, impose);
    }
    // The status lines as one text, line breaks kept.
    QString lignes() const
    {
        QStringList l;
        for (const QGraphicsSimpleTextItem* ligne : table->scene->lignesArdoise())
            if (!ligne->text().isEmpty())
                l << ligne->text();
        return l.join(QLatin1Char('\n'));
    }

    // The panel counts the pending actions it is asked to perform.
    struct Panneau : DisplayGLPanelDeJoueur
    {
        using DisplayGLPanelDeJoueur::DisplayGLPanelDeJoueur;
        bool executeAttente() override
        {
            ++executions;
            return true;
        }
        int executions = 0;
    };

    aitest::Position position;
    ZB_DisplayEmpty vide;
    aitest::TableEnregistreuse destinataire;
    QObject contexte{&destinataire};
    JoueurHumain humain;
    std::array<AI_Joueur, 4> ordis;
    std::unique_ptr<TableDeScene> table;
    QSharedPointer<Panneau> panneau = QSharedPointer<Panneau>::create(
        nullptr, nullptr, nullptr, nullptr, QList<QSharedPointer<DisplayGLHumanCarte>>());
};

} // namespace scenetest
