#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class GM_SocketAbstract;
class ZB_Room;
class ZB_SettingsStore;

// A bug report: one XML document (the program's version, the platform, a
// copy of the settings, the game record of the current table, the sockets'
// recent error lines and the user's answers to the bug questionnaire),
// packed into a zip with the trace logs, the settings copy, the current
// game as a game file (XML readers turn its "\r\n" into "\n", the file
// keeps it byte for byte, so that it opens as it was), the screenshot of
// the bug and the saved games of the data folder. No server receives
// reports: the zip stays in the data folder, named bugReport_<date>.zip.
//
// Rules:
// - The login password never enters the report: the settings copy leaves
//   "Login/pass" out, and the settings store's own file is not packed.
// - At most LIGNES_ERREUR_MAX socket error lines are kept, the latest.
// - Text from anywhere (the game record, peers' error texts, the user's
//   answers) is escaped; characters that XML cannot hold become U+FFFD.
// - At most PARTIES_MAX game files, the newest, and no file larger than
//   TAILLE_FICHIER_MAX are packed, so a report stays small enough to send.
// - The zip appears whole or not at all: it is packed under a temporary
//   name and renamed; a failure leaves no partial file and says why.
class ZB_BugReport
{
public:
    static constexpr int LIGNES_ERREUR_MAX = 100;
    static constexpr int PARTIES_MAX = 20;
    static constexpr qint64 TAILLE_FICHIER_MAX = 8 * 1024 * 1024;
    static constexpr const char* NOM_DOCUMENT = "bugReport.xml";
    static constexpr const char* NOM_REGLAGES = "settings.txt";
    static constexpr const char* NOM_CAPTURE = "bugReportScreenshot.png";
    static constexpr const char* NOM_PARTIE = "currentGame.jss";

    // dossierDonnees: the data folder, where the logs and games are found
    // and the zip is written.
    explicit ZB_BugReport(const QString& dossierDonnees);

    void setVersion(const QString& version) { version_ = version; }
    void setReglages(const ZB_SettingsStore& store);
    void setReglages(const QList<QPair<QString, QString>>& reglages) { reglages_ = reglages; }
    // The current table's game record, as the room writes it.
    void setPartie(ZB_Room& salle);
    void setPartie(const QString& enregistrement) { partie_ = enregistrement; }
    // Adds a socket's recent error lines after those already given.
    void ajouteLignesErreur(const GM_SocketAbstract& socket);
    void ajouteLignesErreur(const QStringList& lignes);
    void setReponses(const QString& reponses) { reponses_ = reponses; }

    QStringList lignesErreur() const { return lignesErreur_; }
    QString document() const;
    // The files packed besides the document and the settings copy.
    QStringList fichiersJoints() const;

    // Writes the zip into the data folder; its path, or an empty text and
    // the reason.
    QString ecrit(QString* erreur = nullptr) const;

private:
    QString dossier_;
    QString version_;
    QList<QPair<QString, QString>> reglages_;
    QString partie_;
    QStringList lignesErreur_;
    QString reponses_;
};
