#include "GM_ClientSocket.h"
#include "GM_Download.h"
#include "GM_Login.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_Progress.h"
#include "GM_ServerList.h"
#include "FenetreDeSalon.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int Delai = 5000;
constexpr int TailleCorps = 200000;
constexpr int MorceauLent = 4096;
constexpr int PauseLenteMs = 5;

// An HTTP server on 127.0.0.1 that answers GET by path:
//   /known      200 with its length          /unknown  200, length untold, closes
//   /slow       200, small pieces in time    /missing  404
//   /moved      302 to /known                /broken   closes a third of the way
//   /stalled    sends a third, then waits    /script   a shell script
class ServeurHttp : public QObject
{
public:
    QByteArray corps;
    QByteArray script;
    QStringList chemins;

    ServeurHttp()
    {
        for (int i = 0; i < TailleCorps; ++i)
            corps.append(char('a' + i % 26));
        connect(&serveur_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = serveur_.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { lit_(s); });
        });
        serveur_.listen(QHostAddress::LocalHost, 0);
    }
    QString url(const char* chemin) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serveur_.serverPort()).arg(QLatin1String(chemin));
    }

private:
    void lit_(QTcpSocket* s)
    {
        QByteArray& tampon = tampons_[s];
        tampon += s->readAll();
        const qsizetype fin = tampon.indexOf("\r\n\r\n");
        if (fin < 0)
            return;
        const QList<QByteArray> ligne = tampon.left(tampon.indexOf("\r\n")).split(' ');
        tampons_.remove(s);
        const QByteArray chemin = ligne.value(1);
        chemins << QString::fromLatin1(chemin);
        const QByteArray longueur = "Content-Length: " + QByteArray::number(corps.size()) + "\r\n";
        if (chemin == "/known") {
            s->write("HTTP/1.1 200 OK\r\n" + longueur + "\r\n" + corps);
        } else if (chemin == "/script") {
            s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(script.size()) + "\r\n\r\n" + script);
        } else if (chemin == "/unknown") {
            s->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + corps);
            s->disconnectFromHost();
        } else if (chemin == "/missing") {
            s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
        } else if (chemin == "/moved") {
            s->write("HTTP/1.1 302 Found\r\nLocation: " + url("/known").toLatin1()
                     + "\r\nContent-Length: 5\r\n\r\nmoved");
        } else if (chemin == "/broken") {
            s->write("HTTP/1.1 200 OK\r\n" + longueur + "\r\n" + corps.left(corps.size() / 3));
            s->flush();
            s->disconnectFromHost();
        } else if (chemin == "/stalled") {
            s->write("HTTP/1.1 200 OK\r\n" + longueur + "\r\n" + corps.left(corps.size() / 3));
        } else if (chemin == "/slow") {
            s->write("HTTP/1.1 200 OK\r\n" + longueur + "\r\n");
            envoieLent_(s, 0);
        }
    }
    void envoieLent_(QPointer<QTcpSocket> s, qsizetype position)
    {
        if (s == nullptr || position >= corps.size())
            return;
        s->write(corps.mid(position, MorceauLent));
        QTimer::singleShot(PauseLenteMs, this, [this, s, position] { envoieLent_(s, position + MorceauLent); });
    }

    QTcpServer serveur_;
    QHash<QTcpSocket*, QByteArray> tampons_;
};

// Counts the percentage updates of the download box.
class AfficheurDeTest : public GM_MessageBoxDisplayerHeadless
{
public:
    QStringList textes;
    void updateMessageBox(const GM_MessageBoxRequest& request, int id) override
    {
        textes << request.texte_;
        GM_MessageBoxDisplayerHeadless::updateMessageBox(request, id);
    }
};

// The temporary directory of the process points into a folder of the
// test while it lives.
struct TemporaireDeTest {
    QTemporaryDir dossier;
    QByteArray avant = qgetenv("TMPDIR");
    TemporaireDeTest() { qputenv("TMPDIR", dossier.path().toLocal8Bit()); }
    ~TemporaireDeTest()
    {
        if (avant.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", avant);
    }
    TemporaireDeTest(const TemporaireDeTest&) = delete;
    TemporaireDeTest& operator=(const TemporaireDeTest&) = delete;
};

struct Telechargement {
    ServeurHttp http;
    AfficheurDeTest afficheur;
    QTemporaryDir dossier;
    GM_Download download{&afficheur};
    QSignalSpy fini{&download, &GM_Download::signalDownloadCompletedSuccefully};
    QString fichier = dossier.filePath(QStringLiteral("setup.bin"));

    QStringList boites() const
    {
        QStringList b;
        for (const auto& a : afficheur.historique())
            b << a.requete.titre_ + QLatin1String(": ") + a.requete.texte_;
        return b;
    }
    bool attendFin()
    {
        QElapsedTimer attente;
        attente.start();
        while (download.isDownloading() && attente.elapsed() < Delai)
            QTest::qWait(10);
        QTest::qWait(50);
        return !download.isDownloading();
    }
};

mode_t mode(const QString& chemin)
{
    struct stat etat {};
    return ::lstat(QFile::encodeName(chemin).constData(), &etat) == 0 ? etat.st_mode : 0;
}

} // namespace

class TestUpdateDownload : public QObject
{
    Q_OBJECT

private slots:
    // What the server answers and what the user gets: a complete file
    // announced, or no file and the box that says why. A redirection is
    // not followed.
    void issues_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<bool>("complet");
        QTest::addColumn<QString>("boite");
        QTest::newRow("known length") << "/known" << true << "";
        QTest::newRow("unknown length") << "/unknown" << true << "";
        QTest::newRow("slow pieces") << "/slow" << true << "";
        QTest::newRow("not found") << "/missing" << false << "Mise à jour: Echec du téléchargement: ";
        QTest::newRow("redirection") << "/moved" << false
                                     << "Mise à jour: Echec du téléchargement: Redirection innatendue.";
        QTest::newRow("server closes mid-way") << "/broken" << false << "Mise à jour: Echec du téléchargement: ";
    }
    void issues()
    {
        QFETCH(QString, chemin);
        QFETCH(bool, complet);
        QFETCH(QString, boite);
        Telechargement t;
        QFile(t.fichier).open(QIODevice::WriteOnly); // an older download is replaced
        // Nobody answers the boxes: the one saying why the download failed
        // is shown all the same, the percentage box having gone.
        t.download.download(QUrl(t.http.url(chemin.toLatin1().constData())), t.fichier);
        QVERIFY(t.download.isDownloading());
        QVERIFY(t.attendFin());
        QCOMPARE(t.http.chemins, QStringList{chemin});
        QCOMPARE(t.fini.size(), complet ? 1 : 0);
        QCOMPARE(QFileInfo::exists(t.fichier), complet);
        QTRY_VERIFY_WITH_TIMEOUT(!t.boites().isEmpty(), Delai);
        QVERIFY(t.boites().first().startsWith(QStringLiteral("Téléchargement en cours: Pourcentage ")));
        if (complet) {
            QCOMPARE(t.fini.first().first().toString(), t.fichier);
            QFile f(t.fichier);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), t.http.corps);
            QCOMPARE(mode(t.fichier) & 0777, mode_t(0700));
            QTest::qWait(100);
            QCOMPARE(t.boites().size(), 1);
            QVERIFY(!t.afficheur.aUneBoiteAffichee());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(t.boites().size(), 2, Delai);
            QVERIFY2(t.boites().last().startsWith(boite), qPrintable(t.boites().last()));
            if (!boite.endsWith(QLatin1String(".")))
                QVERIFY(t.boites().last().size() > boite.size() + 1);
        }
        if (chemin == QLatin1String("/slow")) {
            // Rising, by more than two points a step, up to the end.
            int precedent = 0;
            for (const QString& texte : std::as_const(t.afficheur.textes)) {
                const int p = texte.section(QLatin1Char(' '), 1).section(QLatin1Char('%'), 0, 0).toInt();
                QVERIFY2(p > precedent + 1, qPrintable(texte));
                precedent = p;
            }
            QVERIFY(precedent >= 100 - int(GM_Download::PercentStep));
        }
    }

    // The box follows the percentage only when it moved by more than two
    // points, and never while the total is unknown.
    void pourcentages_data()
    {
        QTest::addColumn<QList<qint64>>("lus");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QStringList>("textes");
        QTest::newRow("steps") << QList<qint64>{0, 1, 26, 30, 60, 61, 1000} << qint64(1000)
                               << QStringList{"Pourcentage 3%...", "Pourcentage 6%...", "Pourcentage 100%..."};
        QTest::newRow("unknown total") << QList<qint64>{0, 500, 5000} << qint64(-1) << QStringList{};
        QTest::newRow("total zero") << QList<qint64>{0, 500} << qint64(0) << QStringList{};
        QTest::newRow("more than told") << QList<qint64>{50, 500} << qint64(100)
                                        << QStringList{"Pourcentage 50%...", "Pourcentage 100%..."};
    }
    void pourcentages()
    {
        QFETCH(QList<qint64>, lus);
        QFETCH(qint64, total);
        QFETCH(QStringList, textes);
        Telechargement t;
        t.download.download(QUrl(t.http.url("/stalled")), t.fichier);
        GM_MessageBoxRequest boite;
        QVERIFY(t.afficheur.copieMessageBox(uint(t.download.boxId()), boite));
        QCOMPARE(boite.texte_, QStringLiteral("Pourcentage 0%..."));
        for (const qint64 l : lus)
            t.download.updateDataReadProgress(l, total);
        QCOMPARE(t.afficheur.textes, textes);
        t.download.cancelDownload();
    }

    // Cancel stops the transfer and leaves no file and no announcement; a
    // second download asked meanwhile is ignored; the next one runs.
    void annulation()
    {
        Telechargement t;
        const QString autre = t.dossier.filePath(QStringLiteral("autre.bin"));
        t.download.download(QUrl(t.http.url("/stalled")), t.fichier);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(t.fichier).size() > 0, Delai);
        t.download.download(QUrl(t.http.url("/known")), autre);
        QVERIFY(!QFileInfo::exists(autre));
        QTRY_VERIFY_WITH_TIMEOUT(t.afficheur.aUneBoiteAffichee(), Delai);
        QVERIFY(t.afficheur.repond(GM::Cancel));
        QVERIFY(t.attendFin());
        QVERIFY(!QFileInfo::exists(t.fichier));
        QCOMPARE(t.fini.size(), 0);
        QCOMPARE(t.boites().size(), 1);
        QCOMPARE(t.http.chemins, QStringList{"/stalled"});
        t.afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::NoButton; });
        t.download.download(QUrl(t.http.url("/known")), autre);
        QVERIFY(t.attendFin());
        QCOMPARE(t.fini.size(), 1);
    }

    // A file that cannot be written: the box says so and nothing is asked
    // of the server; a write that fails half-way (the disk is full) stops
    // the download and removes what was written.
    void ecriture()
    {
        Telechargement t;
        t.afficheur.setRepondeur([](uint, const GM_MessageBoxRequest& r) {
            return r.titre_ == QStringLiteral("Téléchargement en cours") ? GM::NoButton : GM::Ok;
        });
        t.download.download(QUrl(t.http.url("/known")), t.dossier.path());
        QVERIFY(!t.download.isDownloading());
        QTRY_COMPARE_WITH_TIMEOUT(t.boites().size(), 1, Delai);
        QVERIFY(t.boites().first().startsWith(QStringLiteral("Mise à jour: Erreur lors de l'écriture du fichier '%1': ")
                                                  .arg(QDir::toNativeSeparators(t.dossier.path()))));
        QTest::qWait(100);
        QVERIFY(t.http.chemins.isEmpty());

        // Files of this process may not grow past a few kilobytes.
        t.afficheur.effaceHistorique();
        struct rlimit avant {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &avant) == 0);
        const auto signalAvant = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit petite = avant;
        petite.rlim_cur = TailleCorps / 4;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &petite) == 0);
        t.download.download(QUrl(t.http.url("/slow")), t.fichier);
        const bool finie = t.attendFin();
        ::setrlimit(RLIMIT_FSIZE, &avant);
        std::signal(SIGXFSZ, signalAvant);
        QVERIFY(finie);
        QCOMPARE(t.fini.size(), 0);
        QVERIFY(!QFileInfo::exists(t.fichier));
        QTRY_COMPARE_WITH_TIMEOUT(t.boites().size(), 2, Delai);
        QVERIFY2(t.boites().last().startsWith(QStringLiteral("Mise à jour: Erreur lors de l'écriture du fichier '%1': ")
                                                  .arg(QDir::toNativeSeparators(t.fichier))),
                 qPrintable(t.boites().last()));
    }

    // The update folder is the user's own: made owner-only when missing,
    // closed when others could enter it, and replaced by a new private
    // folder when it is a link or belongs to someone else.
    void dossierPrive_data()
    {
        QTest::addColumn<QString>("existant");
        QTest::addColumn<bool>("garde");
        QTest::newRow("missing") << "" << true;
        QTest::newRow("open to all") << "0777" << true;
        QTest::newRow("a link") << "link" << false;
        QTest::newRow("someone else's") << "other" << false;
        QTest::newRow("a file") << "file" << false;
    }
    void dossierPrive()
    {
        QFETCH(QString, existant);
        QFETCH(bool, garde);
        TemporaireDeTest temporaire;
        const QString attendu = QDir(QDir::tempPath()).filePath(QLatin1String(GM_Download::FolderName));
        QCOMPARE(QDir::tempPath(), temporaire.dossier.path());
        const QString ailleurs = temporaire.dossier.filePath(QStringLiteral("ailleurs"));
        QVERIFY(QDir().mkdir(ailleurs));
        if (existant == QLatin1String("0777")) {
            QVERIFY(QDir().mkdir(attendu));
            QVERIFY(::chmod(QFile::encodeName(attendu).constData(), 0777) == 0);
        } else if (existant == QLatin1String("link")) {
            QVERIFY(QFile::link(ailleurs, attendu));
        } else if (existant == QLatin1String("other")) {
            QVERIFY(QDir().mkdir(attendu));
            if (::geteuid() != 0)
                QSKIP("giving a folder away needs root");
            QVERIFY(::chown(QFile::encodeName(attendu).constData(), 65534, 65534) == 0);
        } else if (existant == QLatin1String("file")) {
            QFile f(attendu);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString dossier = GM_Download::updateFolder();
        QVERIFY(!dossier.isEmpty());
        QCOMPARE(dossier == attendu, garde);
        QVERIFY(dossier.startsWith(attendu));
        QCOMPARE(mode(dossier) & 07777, mode_t(0700));
        QVERIFY(S_ISDIR(mode(dossier)));
        QCOMPARE(QFileInfo(dossier).ownerId(), uint(::geteuid()));
        QVERIFY(QDir(ailleurs).isEmpty());
    }

    // From the lobby's refusal to the installer: the question, the
    // download into the private folder, the installer started as a program,
    // and the program's end; no second question while it downloads.
    void miseAJour()
    {
        TemporaireDeTest temporaire;
        ServeurHttp http;
        const QString marque = temporaire.dossier.filePath(QStringLiteral("installe"));
        http.script = "#!/bin/sh\necho ok > '" + QFile::encodeName(marque) + "'\n";
        FenetreDeSalon::Reglages reglages;
        reglages.fichierMiseAJour = QStringLiteral("script");
        reglages.adresseMiseAJour = http.url("/") + QLatin1Char('/');
        FenetreDeSalon salon(reglages);
        QVERIFY(salon.enEcoute);
        salon.lobby.serveur.setVersionMinimale(QStringLiteral("9.0"));
        GM_MessageBoxDisplayerHeadless& afficheur = salon.afficheur;
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest& r) {
            return r.titre_ == QLatin1String("Server Message") ? GM::Ok : GM::NoButton;
        });
        GM_ServerList& fenetre = salon.fenetre;
        QList<int> fins;
        fenetre.setFinDuProgramme([&fins](int code) { fins << code; });
        QStringList ouverts;
        fenetre.setOuvertureBureau([&ouverts](const QString& f) {
            ouverts << f;
            return true;
        });
        fenetre.showLogin(QString::fromLatin1(LobbyDeTest::EmailAlice), QString::fromLatin1(LobbyDeTest::PasseAlice),
                          5);
        QTRY_COMPARE_WITH_TIMEOUT(fins, QList<int>{0}, Delai);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marque), Delai);
        QVERIFY(ouverts.isEmpty());
        QCOMPARE(http.chemins, QStringList{"/script"});
        QCOMPARE(salon.titres(), (QStringList{"Server Message", "Téléchargement en cours"}));
        QVERIFY(afficheur.historique().first().requete.texte_.startsWith(
            QStringLiteral("Vous devez mettre à jour votre application")));
        const QString installateur =
            QDir(QDir(QDir::tempPath()).filePath(QLatin1String(GM_Download::FolderName))).filePath("script");
        QVERIFY(QFileInfo::exists(installateur));
    }

    // The lobby may refuse the version again while the update downloads:
    // neither the question nor a second download follows.
    void uneSeuleQuestion()
    {
        TemporaireDeTest temporaire;
        ServeurHttp http;
        GM_MessageBoxDisplayerHeadless afficheur;
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest& r) {
            return r.titre_ == QLatin1String("Server Message") ? GM::Ok : GM::NoButton;
        });
        GM_ServerList fenetre;
        int langue = 1;
        fenetre.init(nullptr, nullptr, &afficheur, nullptr, nullptr, QString(), QStringLiteral("stalled"),
                     http.url(""), QString(), nullptr, true, false, false, &langue, nullptr);
        fenetre.OnUpdateNeeded();
        QTRY_COMPARE_WITH_TIMEOUT(http.chemins, QStringList{"/stalled"}, Delai);
        fenetre.OnUpdateNeeded();
        fenetre.OnUpdateDownload();
        QTest::qWait(200);
        QCOMPARE(http.chemins, QStringList{"/stalled"});
        QStringList titres;
        for (const auto& a : afficheur.historique())
            titres << a.requete.titre_;
        QCOMPARE(titres, (QStringList{"Server Message", "Téléchargement en cours"}));
        fenetre.download()->cancelDownload();
        QTRY_VERIFY_WITH_TIMEOUT(!fenetre.download()->isDownloading(), Delai);
    }

    // An installer that is not a program goes to the desktop; when the
    // desktop cannot open it either, the user is sent to the web site and
    // the program keeps running.
    void installateur_data()
    {
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("bureau");
        QTest::addColumn<QStringList>("ouverts");
        QTest::addColumn<bool>("fin");
        QTest::newRow("a program") << true << true << QStringList{} << true;
        QTest::newRow("opened by the desktop") << false << true << QStringList{"setup"} << true;
        QTest::newRow("nothing opens it") << false << false << QStringList{"setup"} << false;
    }
    void installateur()
    {
        QFETCH(bool, executable);
        QFETCH(bool, bureau);
        QFETCH(QStringList, ouverts);
        QFETCH(bool, fin);
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("setup"));
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nexit 0\n");
        f.close();
        f.setPermissions(executable ? QFileDevice::ReadOwner | QFileDevice::ExeOwner : QFileDevice::ReadOwner);
        GM_MessageBoxDisplayerHeadless afficheur;
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        GM_ServerList fenetre;
        int langue = 1;
        fenetre.init(nullptr, nullptr, &afficheur, nullptr, nullptr, QString(), QString(), QString(), QString(),
                     nullptr, true, false, false, &langue, nullptr);
        QList<int> fins;
        fenetre.setFinDuProgramme([&fins](int code) { fins << code; });
        QStringList vus;
        fenetre.setOuvertureBureau([&vus, bureau](const QString& chemin) {
            vus << QFileInfo(chemin).fileName();
            return bureau;
        });
        fenetre.OnUpdateExecuteInstall(fichier);
        QCOMPARE(vus, ouverts);
        QCOMPARE(fins, fin ? QList<int>{0} : QList<int>{});
        QTest::qWait(100);
        QStringList boites;
        for (const auto& a : afficheur.historique())
            boites << a.requete.titre_ + QLatin1String(": ") + a.requete.texte_;
        QCOMPARE(boites, fin ? QStringList{}
                             : QStringList{QStringLiteral("Erreur: Le fichier requis n'a pas pu être ouvert "
                                                          "automatiquement. Merci de vous rendre sur '%1' à la "
                                                          "section 'Télécharger' et d'installer la nouvelle version "
                                                          "depuis cet endroit.")
                                               .arg(QLatin1String(GM_ServerList::SiteWeb))});
    }
};

ZB_REGISTER_TEST(TestUpdateDownload)
#include "TestUpdateDownload.moc"
