#include "ZB_Room.h"

#include "GM_FichierRegulier.h"
#include "GM_GamePenalty.h"
#include "GM_GameStats.h"
#include "JoueurHumain.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZB_VerrouEvenements.h"

#include <QMutexLocker>
#include <QTextStream>

#include <exception>

// ZB_Room: saving, the autosave, and the settings every table shares.

// ---- Saving and settings. ----

void ZB_Room::enregistreTypesDesSignaux()
{
    GM_GameStats::registerMetaType();
    GM_GamePenalty::registerMetaType();
}

void ZB_Room::saveAs(const QString& chemin)
{
    ListeDesEvenements* liste = getListe(-1);
    if (liste == nullptr)
        return;
    QMutexLocker verrou(liste->getMutex());
    ZB_FichierDePartie::ecritFichier(chemin, *liste, this);
}

void ZB_Room::writeToStream(QTextStream& out)
{
    out.setEncoding(QStringConverter::Utf8);
    ListeDesEvenements* liste = getListe(-1);
    if (liste == nullptr)
        return;
    QMutexLocker verrou(liste->getMutex());
    liste->ecritTexte(out);
}

void ZB_Room::saveToFile()
{
    ListeDesEvenements* liste = events_->getListe(-1);
    if (liste == nullptr)
        return;
    QMutexLocker verrou(liste->getMutex());
    autosauvegarde_(*liste);
}

bool ZB_Room::sauveAvantDeQuitter(QObject* destinataire, const char* slot)
{
    ListeDesEvenements* liste = events_->getListe(-1);
    if (liste == nullptr)
        return true;
    QString erreur;
    {
        QMutexLocker verrou(liste->getMutex());
        GM_FichierRegulier::ecarte(cheminSauvegarde_);
        if (ZB_FichierDePartie::ecritFichier(cheminSauvegarde_, *liste, erreur)) {
            echecAutosauvegarde_ = false;
            return true;
        }
    }
    if (echecAutosauvegarde_)
        return true;
    echecAutosauvegarde_ = true;
    messageBoxQuestion(GM::Critical, tr("Partie non enregistrée"),
                       tr("La partie n'a pas pu être enregistrée: ce qui a été joué depuis le dernier enregistrement "
                          "est perdu.")
                           + QLatin1Char('\n') + erreur,
                       GM::Ok, destinataire, slot != nullptr ? nomDeMethode(slot).constData() : nullptr);
    return false;
}

void ZB_Room::autosauvegarde_(const ListeDesEvenements& liste)
{
    // The autosave runs at every turn of the user: a disk that stays full
    // is told once, and again only after a save has succeeded.
    GM_MessageBoxEmitter* emetteur = echecAutosauvegarde_ ? nullptr : this;
    // The save path is the program's: what took its name and is no regular
    // file (a link above all, which would be written through) goes aside.
    GM_FichierRegulier::ecarte(cheminSauvegarde_);
    echecAutosauvegarde_ = !ZB_FichierDePartie::ecritFichier(cheminSauvegarde_, liste, emetteur);
}

void ZB_Room::setProtocolVersion(int version)
{
    version_ = version;
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->setVersion(version);
    events_->setVersion(version);
    if (server_)
        server_->setVersion(version);
}

bool ZB_Room::setNombreDeTables(int nombre, int tableAffichee)
{
    if (nombre == tables_.size())
        return true;
    if (nombre < 0 || nombre > ZB_FichierDePartie::NombreMaximalDeTables)
        return false;
    {
        ZB_VerrouEvenements<ZB_EventsGroup> verrou(*events_);
        supprimeTables_();
    }
    events_->initialise(nombre);
    events_->setSansDelai(sansDelai_);
    events_->setVersion(version_);
    try {
        for (int i = 0; i < nombre; ++i)
            creeTable_(i, i == tableAffichee);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void ZB_Room::setDatabaseUserId(qint64 id)
{
    idUtilisateur_ = id;
    for (ZB_RoomTable* table : std::as_const(tables_)) {
        table->setDatabaseUserId(id);
        for (int siege = 0; siege < ZB_RoomTable::NombreDeSieges; ++siege) {
            JoueurHumain* joueur = table->getJoueur(siege);
            if (joueur != nullptr && joueur->estJoueurManuel())
                joueur->options_.idCompte_ = id;
        }
    }
}

bool ZB_Room::needsSave() const
{
    for (const ZB_RoomTable* table : tables_)
        if (table->estPartieEnCours())
            return true;
    return false;
}

void ZB_Room::clearNeedsSave()
{
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->effacePartieEnCours();
}
