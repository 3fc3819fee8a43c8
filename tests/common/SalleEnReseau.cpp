#include "SalleEnReseau.h"

#include "ZB_RoomTable.h"

#include <QCoreApplication>

SalleEnReseau::SalleEnReseau(int nombreDeListes)
{
    groupe.initialise(nombreDeListes);
    table = new ZB_RoomTable(this, true, false);
    table->setSalle(this);
    table->initialise(nullptr, nullptr, 0, &display, groupe.getListe(0), false, QString(), QString(), false);
    serveur = new ZB_ServerSocket(this, this, {}, &groupe, QString());
}

SalleEnReseau::~SalleEnReseau()
{
    delete serveur;
    delete table;
}

void SalleEnReseau::suitLesDeconnexions()
{
    connect(serveur, &ZB_ServerSocket::signalSetClientOffline, this,
            [this](qlonglong id, bool envoie, bool tous) { table->setClientOffline(id, envoie, tous); });
}

bool SalleEnReseau::cb_executeUnEvenement(EvenementDeJeu& ev)
{
    const bool applique = table->cb_executeUnEvenement(ev);
    if (applique && avanceParUn) {
        ListeDesEvenements* liste = groupe.getListe(0);
        if (ev.etat_ == liste->getEtatAttendu() && ev.etat_ < ListeDesEvenements::NombreEtats - 1)
            liste->setEtatAttendu(ev.etat_ + 1);
    }
    return applique;
}

void SalleEnReseau::envoieEvenement(const EvenementDeJeu& ev)
{
    serveur->envoieEvenement(ev);
}

void SalleEnReseau::continueLeJeu(int mode, double* delaiMs, int, bool force)
{
    if (!continueLaTable)
        return;
    table->continueLeJeu(mode, delaiMs, false, force);
    if (sansPause && delaiMs != nullptr)
        *delaiMs = 0.0;
}

bool SalleEnReseau::cb_setClientInGameReconnect(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur)
{
    return table->setClientInGameReconnect(connection, serveur, joueur);
}

bool SalleEnReseau::cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection,
                                                      const OptionsDuJoueur& joueur)
{
    return table->setClientInGameOnTheFly_Random(connection, joueur);
}

bool SalleEnReseau::cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int, int siege,
                                                           bool echange, const OptionsDuJoueur& joueur)
{
    return table->setClientInGameOnTheFly_SpecificPos(connection, siege, echange, joueur);
}

void SalleEnReseau::posteEvenementDeTable(EvenementDeJeu* ev)
{
    QCoreApplication::postEvent(this, ev);
}

void SalleEnReseau::customEvent(QEvent* event)
{
    auto* ev = dynamic_cast<EvenementDeJeu*>(event);
    if (ev == nullptr) {
        QObject::customEvent(event);
        return;
    }
    EvenementDeJeu copie(*ev);
    QCoreApplication::sendEvent(table, &copie);
    event->accept();
}
