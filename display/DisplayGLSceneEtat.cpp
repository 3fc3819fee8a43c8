#include "DisplayGLScene.h"

#include "InfoDemande.h"
#include "ZB_PointsA.h"

// The status line and the scoreboard: first form, filled in with the
// prompts and the slate of the running match.
void DisplayGLScene::afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int noJoueur,
                                 bool atoutImpose)
{
    Q_UNUSED(etat);
    Q_UNUSED(acteur);
    Q_UNUSED(second);
    Q_UNUSED(noJoueur);
    Q_UNUSED(atoutImpose);
}

void DisplayGLScene::afficheArdoise(const ZB_PointsA& points, int totalEquipe0, int totalEquipe1, int multiplicateur,
                                    const QList<int>& siegesStock, int equipeBarree)
{
    Q_UNUSED(points);
    Q_UNUSED(totalEquipe0);
    Q_UNUSED(totalEquipe1);
    Q_UNUSED(multiplicateur);
    Q_UNUSED(siegesStock);
    Q_UNUSED(equipeBarree);
}

void DisplayGLScene::setTexteAide(const QString& texte)
{
    Q_UNUSED(texte);
}
