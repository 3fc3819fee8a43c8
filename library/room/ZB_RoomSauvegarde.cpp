#include "ZB_Room.h"

#include "GM_FichierRegulier.h"
#include "GM_GamePenalty.h"
#include "GM_GameStats.h"
#include "JoueurHumain.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZB_VerrouEvenements.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    bool nouvelEcart = false;
    {
        QMutexLocker verrou(liste->getMutex());
        if (ecritAutosave_(destinationAutosave_(nouvelEcart), *liste, erreur)) {
            echecAutosauvegarde_ = false;
            if (!nouvelEcart)
                return true;
        }
    }
    const QByteArray nom = slot != nullptr ? nomDeMethode(slot) : QByteArray();
    const char* methode = slot != nullptr ? nom.constData() : nullptr;
    if (nouvelEcart && erreur.isEmpty()) {
        ditEcart_(destinataire, methode);
        return false;
    }
    if (echecAutosauvegarde_)
        return true;
    echecAutosauvegarde_ = true;
    messageBoxQuestion(GM::Critical, tr("Partie non enregistrée"),
                       tr("La partie n'a pas pu être enregistrée: ce qui a été joué depuis le dernier enregistrement "
                          "est perdu.")
                           + QLatin1Char('\n') + erreur,
                       GM::Ok, destinataire, methode);
    return false;
}

void ZB_Room::autosauvegarde_(const ListeDesEvenements& liste)
{
    // The autosave runs at every turn of the user: a disk that stays full
    // is told once, and again only after a save has succeeded.
    const bool taire = echecAutosauvegarde_;
    bool nouvelEcart = false;
    QString erreur;
    echecAutosauvegarde_ = !ecritAutosave_(destinationAutosave_(nouvelEcart), liste, erreur);
    if (echecAutosauvegarde_ && !taire)
        messageBox(GM::Information, QStringLiteral("File Error"), erreur, GM::Ok);
    else if (!echecAutosauvegarde_ && nouvelEcart)
        ditEcart_(nullptr, nullptr);
}

QString ZB_Room::destinationAutosave_(bool& nouvelEcart)
{
    nouvelEcart = false;
    if (!cheminALEcart_.isEmpty())
        return cheminALEcart_;
    // The save path is the program's: what took its name and is no regular
    // file (a link above all, which would be written through) goes aside.
    GM_FichierRegulier::ecarte(cheminSauvegarde_);
    const QByteArray trouvee = empreinteDe_(cheminSauvegarde_);
    if (trouvee.isEmpty() || trouvee == empreinteAutosave_)
        return cheminSauvegarde_;
    // Another copy wrote it since: its game is the newer, and stays.
    cheminALEcart_ = nomDateACote(cheminSauvegarde_, QStringLiteral("-"));
    nouvelEcart = true;
    return cheminALEcart_;
}

bool ZB_Room::ecritAutosave_(const QString& chemin, const ListeDesEvenements& liste, QString& erreur)
{
    GM_FichierRegulier::ecarte(chemin);
    if (!ZB_FichierDePartie::ecritFichier(chemin, liste, erreur))
        return false;
    if (chemin == cheminSauvegarde_)
        empreinteAutosave_ = empreinteDe_(chemin);
    return true;
}

void ZB_Room::ditEcart_(QObject* destinataire, const char* methode)
{
    messageBoxQuestion(GM::Information, tr("Partie enregistrée à part"),
                       tr("Une autre copie du programme a enregistré une partie plus récente dans %1: le prochain "
                          "démarrage la reprendra. Pour ne pas la remplacer, cette partie-ci est enregistrée dans %2.")
                           .arg(QDir::toNativeSeparators(cheminSauvegarde_), QDir::toNativeSeparators(cheminALEcart_)),
                       GM::Ok, destinataire, methode);
}

QByteArray ZB_Room::empreinteDe_(const QString& chemin)
{
    QFile fichier;
    return GM_FichierRegulier::ouvreEnLecture(fichier, chemin) ? empreinteDe_(fichier) : QByteArray();
}

QByteArray ZB_Room::empreinteDe_(QIODevice& octets)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&octets);
    return hash.result();
}

QString ZB_Room::nomDateACote(const QString& chemin, const QString& marque)
{
    const QFileInfo info(chemin);
    // A name where nothing is: moved or written onto a dangling link, the
    // game would go where the link points.
    return GM_FichierRegulier::nomLibre(
        info.dir().filePath(info.completeBaseName() + marque
                            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))),
        QStringLiteral(".jss"));
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
