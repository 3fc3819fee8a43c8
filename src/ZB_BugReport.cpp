#include "ZB_BugReport.h"

#include "GM_FichierRegulier.h"
#include "GM_SocketAbstract.h"
#include "ZB_Room.h"
#include "ZB_SettingsStore.h"

#include <JlCompress.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

const QLatin1String journal("debugLog.txt");
const QLatin1String ancienJournal("debugLog_old.txt");
const QLatin1String prefixeZip("bugReport_");
const QLatin1String extensionZip(".zip");

// XML 1.0 holds tab, line feed, carriage return and the characters from
// U+0020 on, except the surrogates used alone and U+FFFE, U+FFFF.
QString lisible(const QString& texte)
{
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate()) {
            resultat += c;
            resultat += texte.at(++i);
        } else if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || c.isSurrogate() || u == 0xFFFE
                   || u == 0xFFFF) {
            resultat += QChar(QChar::ReplacementCharacter);
        } else {
            resultat += c;
        }
    }
    return resultat;
}

bool ecritFichier(const QString& chemin, const QByteArray& contenu, QString* erreur)
{
    QSaveFile f(chemin);
    if (f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size() && f.commit())
        return true;
    if (erreur != nullptr)
        *erreur = QStringLiteral("Unable to write %1: %2").arg(chemin, f.errorString());
    return false;
}

} // namespace

ZB_BugReport::ZB_BugReport(const QString& dossierDonnees)
    : dossier_(QDir::cleanPath(dossierDonnees))
    , version_(QCoreApplication::applicationVersion())
{
}

void ZB_BugReport::setReglages(const ZB_SettingsStore& store)
{
    reglages_ = store.copieSansSecrets();
}

void ZB_BugReport::setPartie(ZB_Room& salle)
{
    QString texte;
    QTextStream flux(&texte);
    salle.writeToStream(flux);
    flux.flush();
    partie_ = texte;
}

void ZB_BugReport::ajouteLignesErreur(const GM_SocketAbstract& socket)
{
    ajouteLignesErreur(socket.getLignesErreur());
}

void ZB_BugReport::ajouteLignesErreur(const QStringList& lignes)
{
    lignesErreur_ += lignes;
    if (lignesErreur_.size() > LIGNES_ERREUR_MAX)
        lignesErreur_.erase(lignesErreur_.begin(), lignesErreur_.end() - LIGNES_ERREUR_MAX);
}

QString ZB_BugReport::document() const
{
    QString texte;
    QXmlStreamWriter xml(&texte);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("BugReport"));
    xml.writeTextElement(QStringLiteral("Version"), lisible(version_));
    xml.writeTextElement(QStringLiteral("Date"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    xml.writeStartElement(QStringLiteral("Platform"));
    xml.writeTextElement(QStringLiteral("Product"), lisible(QSysInfo::prettyProductName()));
    xml.writeTextElement(QStringLiteral("Kernel"),
                         lisible(QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()));
    xml.writeTextElement(QStringLiteral("Cpu"), lisible(QSysInfo::currentCpuArchitecture()));
    xml.writeTextElement(QStringLiteral("Qt"), QString::fromLatin1(qVersion()));
    xml.writeEndElement();
    xml.writeTextElement(QStringLiteral("UserFeedback"), lisible(reponses_));
    xml.writeStartElement(QStringLiteral("Settings"));
    for (const auto& r : reglages_) {
        if (ZB_SettingsStore::estSecret(r.first))
            continue;
        xml.writeStartElement(QStringLiteral("Setting"));
        xml.writeAttribute(QStringLiteral("key"), lisible(r.first));
        xml.writeCharacters(lisible(r.second));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeTextElement(QStringLiteral("Game"), lisible(partie_));
    xml.writeStartElement(QStringLiteral("SocketErrors"));
    for (const QString& l : lignesErreur_)
        xml.writeTextElement(QStringLiteral("Line"), lisible(l));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return texte;
}

QStringList ZB_BugReport::fichiersJoints() const
{
    const QDir dossier(dossier_);
    QStringList joints;
    auto ajoute = [&joints](const QFileInfo& f) {
        if (f.isFile() && !f.isSymLink() && f.size() <= TAILLE_FICHIER_MAX)
            joints << f.absoluteFilePath();
    };
    for (const QString& nom : {QString(journal), QString(ancienJournal), QString::fromLatin1(NOM_CAPTURE)})
        ajoute(QFileInfo(dossier.filePath(nom)));
    const QFileInfoList parties =
        dossier.entryInfoList({QStringLiteral("*.jss"), QStringLiteral("*.jst")}, QDir::Files, QDir::Time);
    for (qsizetype i = 0; i < parties.size() && i < PARTIES_MAX; ++i)
        ajoute(parties.at(i));
    return joints;
}

QString ZB_BugReport::ecrit(QString* erreur) const
{
    auto echec = [erreur](const QString& raison) {
        if (erreur != nullptr)
            *erreur = raison;
        return QString();
    };
    const QDir dossier(dossier_);
    if (!dossier.exists())
        return echec(QStringLiteral("The data folder %1 does not exist.").arg(dossier_));

    // The document and the settings copy are packed under their own names
    // from a private folder, so that nothing of them is left in the data
    // folder.
    QTemporaryDir travail;
    if (!travail.isValid())
        return echec(QStringLiteral("No temporary folder: %1").arg(travail.errorString()));
    const QString cheminDocument = travail.filePath(QLatin1String(NOM_DOCUMENT));
    const QString cheminReglages = travail.filePath(QLatin1String(NOM_REGLAGES));
    QString reglages;
    for (const auto& r : reglages_)
        if (!ZB_SettingsStore::estSecret(r.first))
            reglages += r.first + QLatin1Char('=') + r.second + QLatin1Char('\n');
    if (!ecritFichier(cheminDocument, document().toUtf8(), erreur)
        || !ecritFichier(cheminReglages, reglages.toUtf8(), erreur))
        return QString();
    QStringList fichiers{cheminDocument, cheminReglages};
    if (!partie_.isEmpty()) {
        const QString cheminPartie = travail.filePath(QLatin1String(NOM_PARTIE));
        if (!ecritFichier(cheminPartie, partie_.toUtf8(), erreur))
            return QString();
        fichiers << cheminPartie;
    }
    fichiers += fichiersJoints();

    const QString horodatage = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    // A name where nothing is: renamed onto a dangling link, the report
    // would go where the link points.
    const QString cible =
        GM_FichierRegulier::nomLibre(dossier.filePath(prefixeZip + horodatage), QString(extensionZip));
    if (cible.isEmpty())
        return echec(QStringLiteral("Too many reports named %1 in %2.").arg(prefixeZip + horodatage, dossier_));

    const QString partiel = travail.filePath(QStringLiteral("report.zip"));
    if (!JlCompress::compressFiles(partiel, fichiers)) {
        QFile::remove(partiel);
        return echec(QStringLiteral("The report could not be packed."));
    }
    // The temporary folder may lie on another disk: copy there under a
    // temporary name, then rename in the data folder.
    const QString enCours = cible + QStringLiteral(".part");
    QFile::remove(enCours);
    if (!QFile::copy(partiel, enCours) || !QFile::rename(enCours, cible)) {
        QFile::remove(enCours);
        return echec(QStringLiteral("The report could not be written to %1.").arg(cible));
    }
    return cible;
}
