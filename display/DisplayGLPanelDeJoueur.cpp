#include "DisplayGLPanelDeJoueur.h"

#include "DisplayGLHumanCarte.h"
#include "PanelAtouts.h"

#include <QPlainTextEdit>

// The first form of the seat panel: it answers nothing yet; the seat's
// player still drives the table through its own calls.
DisplayGLPanelDeJoueur::DisplayGLPanelDeJoueur(QObject* parent, PanelAtouts* panelAtouts, QWidget* conteneur,
                                               QPlainTextEdit* journal,
                                               const QList<QSharedPointer<DisplayGLHumanCarte>>& cartes)
    : QObject(parent)
    , panelAtouts_(panelAtouts)
    , conteneur_(conteneur)
    , journal_(journal)
    , cartes_(cartes)
{
}

DisplayGLPanelDeJoueur::~DisplayGLPanelDeJoueur() = default;

void DisplayGLPanelDeJoueur::initialise(QString, int, bool, bool, Joueur*, const TypeDePartie&, int, int) {}
void DisplayGLPanelDeJoueur::afficheCartes(const EnsembleDeCartes&, bool) {}
void DisplayGLPanelDeJoueur::ajouteTexte(const QString&) {}
void DisplayGLPanelDeJoueur::afficheChoix() {}
void DisplayGLPanelDeJoueur::afficheChoixAtout(bool, bool, int) {}
void DisplayGLPanelDeJoueur::finChoixAtout() {}
void DisplayGLPanelDeJoueur::cacheChoixAtout() {}
void DisplayGLPanelDeJoueur::afficheChoixPourMise() {}
void DisplayGLPanelDeJoueur::afficheChoixMise(const ZB_StatusMise&, bool, int) {}
void DisplayGLPanelDeJoueur::finChoixMise() {}
void DisplayGLPanelDeJoueur::cacheChoixMise() {}
void DisplayGLPanelDeJoueur::cacheChoix() {}
void DisplayGLPanelDeJoueur::demandeCarte(const InfoDemande&) {}
void DisplayGLPanelDeJoueur::finDemandeCarte() {}
void DisplayGLPanelDeJoueur::attendDistribue() {}
void DisplayGLPanelDeJoueur::effaceAttente() {}
void DisplayGLPanelDeJoueur::attendRamasser() {}
void DisplayGLPanelDeJoueur::effaceAttenteRamasser() {}
void DisplayGLPanelDeJoueur::attendAction2() {}
void DisplayGLPanelDeJoueur::effaceAttente2() {}
void DisplayGLPanelDeJoueur::attendAction4() {}
void DisplayGLPanelDeJoueur::effaceAttente4() {}
void DisplayGLPanelDeJoueur::montreAnnonce(const AnnoncesJoueur&) {}
void DisplayGLPanelDeJoueur::cacheCartes() {}
bool DisplayGLPanelDeJoueur::executeAttente()
{
    return false;
}
void DisplayGLPanelDeJoueur::joueCarteChoisie(Carte*) {}
void DisplayGLPanelDeJoueur::afficheAideCarte(Carte*, int, int) {}
