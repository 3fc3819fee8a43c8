#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_SocketTCP.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "ZB_BugReport.h"
#include "ZB_DisplayEmpty.h"
#include "PiegesDeFichiers.h"
#include "ZB_SettingsStore.h"
#include "ZbTestRegistry.h"

#include <JlCompress.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>

namespace {

const QByteArray motDePasse = "hunter2-Zubrik";

QByteArray lit(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrit(const QString& chemin, const QByteArray& contenu)
{
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly))
        f.write(contenu);
}

} // namespace

class TestBugReport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir donnees;
    GM_MessageBoxDisplayerHeadless boites;
    ZB_DisplayEmpty display;
    std::unique_ptr<TableClient> salle;

    // A table with a game under way, as the room of the main window holds it.
    void ouvreSalle()
    {
        ZB_Room::Parametres p;
        p.modeSimple = true;
        p.sansDelai = true;
        p.dossierDonnees = donnees.path() + QLatin1Char('/');
        salle = std::make_unique<TableClient>(nullptr, &display, &boites, OptionsDePartie(TypeDePartie::GenreJass), p);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
        OptionsDePartie options(TypeDePartie::GenreJass);
        options.idPreset_ = 4;
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionLocale;
        salle->reponse_Depart(&mode, &session, options, QString(), QString(), 4001, 4002, 4000, 0, false, {}, 0);
        // The game inscription opens every game record.
        QTRY_VERIFY_WITH_TIMEOUT(enregistrement().contains(QLatin1String("{InP!")), 5000);
    }
    QString enregistrement()
    {
        QString texte;
        QTextStream flux(&texte);
        salle->writeToStream(flux);
        flux.flush();
        return texte;
    }

private slots:
    void cleanup() { salle.reset(); }

    void reportHoldsEverythingButThePassword()
    {
        ouvreSalle();
        if (QTest::currentTestFailed())
            return;
        // What the data folder holds when the user reports a bug.
        ecrit(donnees.filePath(QStringLiteral("debugLog.txt")), "Enter OnNouvellePartie\n");
        ecrit(donnees.filePath(QStringLiteral("debugLog_old.txt")), "older lines\n");
        ecrit(donnees.filePath(QStringLiteral("bugReportScreenshot.png")), "png bytes");
        ecrit(donnees.filePath(QStringLiteral("default.jss")), "3\r\n");
        ecrit(donnees.filePath(QStringLiteral("notes.txt")), "not a game");
        QVERIFY(QDir(donnees.path()).mkdir(QStringLiteral("sub.jss")));

        QSettings settings(donnees.filePath(QStringLiteral("zubrik.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Login/email"), QStringLiteral("anna@example.ch"));
        settings.setValue(QStringLiteral("Login/pass"), qCompress(motDePasse));
        settings.setValue(QStringLiteral("Login/PASS"), QString::fromLatin1(motDePasse));
        settings.setValue(QStringLiteral("Display/options"), QStringLiteral("{Ueli!<Vreni>!Röbi!}"));
        settings.sync();
        const ZB_SettingsStore store(settings);

        GM_SocketTCP socket;
        for (int i = 0; i < 3; ++i)
            socket.ajouteLigneErreur(QStringLiteral("socket line %1 <&>").arg(i));

        ZB_BugReport rapport(donnees.path());
        rapport.setVersion(QStringLiteral("1.2.3"));
        rapport.setReglages(store);
        rapport.setPartie(*salle);
        for (int i = 0; i < 120; ++i)
            rapport.ajouteLignesErreur(QStringList{QStringLiteral("old line %1").arg(i)});
        rapport.ajouteLignesErreur(socket);
        rapport.setReponses(QStringLiteral("Les cartes ont disparu\x01 après l'annonce </UserFeedback>"));
        QString erreur;
        const QString zip = rapport.ecrit(&erreur);
        QVERIFY2(!zip.isEmpty(), qPrintable(erreur));
        QCOMPARE(QFileInfo(zip).absolutePath(), QFileInfo(donnees.path()).absoluteFilePath());
        QVERIFY(QFileInfo(zip).fileName().startsWith(QLatin1String("bugReport_")));
        QVERIFY(zip.endsWith(QLatin1String(".zip")));

        QStringList contenu = JlCompress::getFileList(zip);
        contenu.sort();
        QCOMPARE(contenu, (QStringList{QStringLiteral("bugReport.xml"), QStringLiteral("bugReportScreenshot.png"),
                                       QStringLiteral("currentGame.jss"), QStringLiteral("debugLog.txt"),
                                       QStringLiteral("debugLog_old.txt"), QStringLiteral("default.jss"),
                                       QStringLiteral("settings.txt")}));
        QTemporaryDir sortie;
        QCOMPARE(JlCompress::extractDir(zip, sortie.path()).size(), 7);

        // Neither the password nor its compressed form appears anywhere.
        for (const QString& nom : contenu) {
            const QByteArray octets = lit(sortie.filePath(nom));
            QVERIFY2(!octets.contains(motDePasse), qPrintable(nom));
            QVERIFY2(!octets.contains(qCompress(motDePasse).toBase64()), qPrintable(nom));
            QVERIFY2(!octets.contains(qCompress(motDePasse).toHex()), qPrintable(nom));
        }
        QVERIFY(!lit(zip).contains(motDePasse));

        // The document is well-formed and holds each part.
        const QByteArray document = lit(sortie.filePath(QStringLiteral("bugReport.xml")));
        QXmlStreamReader xml(document);
        QString version, retour, partie, reglages;
        QStringList lignes;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString nom = xml.name().toString();
            if (nom == QLatin1String("Version"))
                version = xml.readElementText();
            else if (nom == QLatin1String("UserFeedback"))
                retour = xml.readElementText();
            else if (nom == QLatin1String("Game"))
                partie = xml.readElementText();
            else if (nom == QLatin1String("Line"))
                lignes << xml.readElementText();
            else if (nom == QLatin1String("Setting")) {
                const QString cle = xml.attributes().value(QLatin1String("key")).toString();
                reglages += cle + QLatin1Char('=') + xml.readElementText() + QLatin1Char(';');
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(version, QStringLiteral("1.2.3"));
        QCOMPARE(retour, QStringLiteral("Les cartes ont disparu\uFFFD après l'annonce </UserFeedback>"));
        QCOMPARE(reglages, QStringLiteral("Display/options={Ueli!<Vreni>!Röbi!};Login/email=anna@example.ch;"));
        // The latest hundred lines, the socket's last.
        QCOMPARE(lignes.size(), ZB_BugReport::LIGNES_ERREUR_MAX);
        QCOMPARE(lignes.first(), QStringLiteral("old line 23"));
        QCOMPARE(lignes.last(), QStringLiteral("socket line 2 <&>"));
        // The game record is the table's: in the document with its line ends
        // read as XML reads them, and byte for byte as a game file.
        const QString attendu = enregistrement();
        QVERIFY(!attendu.isEmpty());
        QCOMPARE(partie, QString(attendu).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        QCOMPARE(lit(sortie.filePath(QStringLiteral("currentGame.jss"))), attendu.toUtf8());
        QCOMPARE(lit(sortie.filePath(QStringLiteral("settings.txt"))).count('\n'), 2);

        // Nothing else is left in the data folder, and a second report
        // does not overwrite the first.
        const QString deuxieme = rapport.ecrit(&erreur);
        QVERIFY2(!deuxieme.isEmpty(), qPrintable(erreur));
        QVERIFY(deuxieme != zip);
        QVERIFY(QFile::exists(zip));
        const QStringList restes = QDir(donnees.path()).entryList({QStringLiteral("*.part"), QStringLiteral("*.xml")});
        QVERIFY2(restes.isEmpty(), qPrintable(restes.join(',')));
        // Earlier reports are not packed into later ones.
        QVERIFY(!JlCompress::getFileList(deuxieme).contains(QFileInfo(zip).fileName()));
    }

    // The report goes under a name where nothing is: a link to nothing in
    // its place would take the report where it points.
    void reportNeverGoesThroughALink()
    {
        QTemporaryDir dossier;
        QTemporaryDir ailleurs;
        QVERIFY(liensPendants(dossier.path(), QStringLiteral("'bugReport_'yyyyMMdd-hhmmss'.zip'"), ailleurs.path()));
        ZB_BugReport rapport(dossier.path());
        QString erreur;
        const QString zip = rapport.ecrit(&erreur);
        QVERIFY2(!zip.isEmpty(), qPrintable(erreur));
        QVERIFY(QFileInfo(zip).isFile() && !QFileInfo(zip).isSymLink());
        QCOMPARE(QDir(ailleurs.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void missingFolderIsReported()
    {
        ZB_BugReport rapport(donnees.filePath(QStringLiteral("nowhere")));
        QString erreur;
        QVERIFY(rapport.ecrit(&erreur).isEmpty());
        QVERIFY2(erreur.contains(QLatin1String("nowhere")), qPrintable(erreur));
    }
};

ZB_REGISTER_TEST(TestBugReport)
#include "TestBugReport.moc"
