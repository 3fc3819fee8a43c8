#include "GM_LigneRafraichir.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QTimer>

GM_LigneRafraichir GM_LigneRafraichir::construit(QWidget* onglet, QGridLayout* grille, int ligne, int pauseMs)
{
    GM_LigneRafraichir resultat;
    grille->addItem(new QSpacerItem(284, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), ligne, 0);
    resultat.bouton = new QPushButton(onglet);
    resultat.bouton->setObjectName(QStringLiteral("m_pushButtonRefreshP"));
    grille->addWidget(resultat.bouton, ligne, 1, 1, 2);
    grille->addItem(new QSpacerItem(281, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), ligne, 3);
    resultat.pause = new QTimer(onglet);
    resultat.pause->setSingleShot(true);
    resultat.pause->setInterval(pauseMs);
    return resultat;
}
