#include "ZB_CleDeJoueur.h"
#include "ZB_FicheIdentification.h"
#include "ZB_IdentiteReseau.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The ids the user carries at hosted tables outlive the program, belong
// to one running program at a time, are never lost to a bad file, and each
// host gets its own, which only its key proves.
class TestIdentiteReseau : public QObject
{
    Q_OBJECT

private slots:
    // What the folder holds when a program starts, and whether it gets the
    // id it had before.
    void idDuDossier_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<bool>("verrouMort"); // a lock left by a program that is gone
        QTest::addColumn<bool>("memeId");
        QTest::newRow("kept id") << QByteArray() << false << true;
        QTest::newRow("crashed program's lock") << QByteArray() << true << true;
        QTest::newRow("not a key") << QByteArray("abc\n") << false << false;
        QTest::newRow("upper-case key") << QByteArray("0123456789ABCDEF0123456789ABCDEF\n") << false << false;
    }

    void idDuDossier()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(bool, verrouMort);
        QFETCH(bool, memeId);
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        const QString hote = QStringLiteral("192.0.2.7");
        qint64 avant = -1;
        {
            ZB_IdentiteReseau premier(dossier.path());
            avant = premier.id(hote);
            QVERIFY(avant >= 0);
            QCOMPARE(premier.id(hote), avant);
            QVERIFY(premier.estIdDuDossier());
            // The key proves the id; another host's id is another, and its
            // key proves nothing here.
            QCOMPARE(ZB_CleDeJoueur::idDePublique(premier.signataire(hote).publique()), avant);
            QVERIFY(ZB_CleDeJoueur::estIdSigne(avant));
            QVERIFY(premier.id(QStringLiteral("192.0.2.8")) != avant);
            QVERIFY(ZB_CleDeJoueur::idDePublique(premier.signataire(QStringLiteral("192.0.2.8")).publique()) != avant);
        }
        const QString cheminId = QDir(dossier.path()).filePath(QLatin1String(ZB_IdentiteReseau::FICHIER_SECRET));
        // The user's alone.
        QCOMPARE(QFileInfo(cheminId).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
        if (!fichier.isEmpty()) {
            QFile f(cheminId);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(fichier);
        }
        if (verrouMort) {
            // A lock as this program writes it, under the number of a
            // process that has ended.
            QTemporaryDir ailleurs;
            QLockFile modele(QDir(ailleurs.path()).filePath(QStringLiteral("modele.lock")));
            QVERIFY(modele.tryLock(0));
            QFile lu(QDir(ailleurs.path()).filePath(QStringLiteral("modele.lock")));
            QVERIFY(lu.open(QIODevice::ReadOnly));
            QByteArray contenu = lu.readAll();
            QProcess fini;
            fini.start(QStringLiteral("true"), {});
            QVERIFY(fini.waitForStarted(5000));
            const qint64 pid = fini.processId();
            QVERIFY(fini.waitForFinished(5000));
            contenu = QByteArray::number(pid) + contenu.mid(contenu.indexOf('\n'));
            QFile verrou(QDir(dossier.path()).filePath(QLatin1String(ZB_IdentiteReseau::FICHIER_VERROU)));
            QVERIFY(verrou.open(QIODevice::WriteOnly));
            verrou.write(contenu);
        }
        ZB_IdentiteReseau apres(dossier.path());
        QCOMPARE(apres.id(hote) == avant, memeId);
        QVERIFY(apres.id(hote) >= 0);
        QVERIFY(apres.estIdDuDossier());
        // A bad file is replaced by the secret now in use.
        QFile relu(cheminId);
        QVERIFY(relu.open(QIODevice::ReadOnly));
        QVERIFY(ZB_FicheIdentification::estCle(QString::fromLatin1(relu.readAll().trimmed())));
    }

    // The seat key a host gave the folder's id outlives the program, for
    // that host and that id only; a program that does not own the folder
    // keeps its key for its run.
    void cleDuDossier_data()
    {
        QTest::addColumn<QString>("hote");
        QTest::addColumn<bool>("memeId");
        QTest::addColumn<bool>("dossierPris"); // a second program holds the folder
        QTest::addColumn<bool>("retrouvee");
        QTest::newRow("same host, same id") << QStringLiteral("192.0.2.7") << true << false << true;
        QTest::newRow("another host") << QStringLiteral("192.0.2.8") << true << false << false;
        QTest::newRow("another id") << QStringLiteral("192.0.2.7") << false << false << false;
        QTest::newRow("folder held by another program") << QStringLiteral("192.0.2.7") << true << true << false;
    }
    void cleDuDossier()
    {
        QFETCH(QString, hote);
        QFETCH(bool, memeId);
        QFETCH(bool, dossierPris);
        QFETCH(bool, retrouvee);
        const QString cle = QStringLiteral("0123456789abcdef0123456789abcdef");
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        auto occupant = std::make_unique<ZB_IdentiteReseau>(dossier.path());
        if (dossierPris)
            occupant->id(QStringLiteral("192.0.2.7"));
        qint64 id = -1;
        {
            ZB_IdentiteReseau premier(dossier.path());
            id = premier.id(QStringLiteral("192.0.2.7"));
            QVERIFY(premier.cle(QStringLiteral("192.0.2.7"), id).isEmpty());
            premier.setCle(QStringLiteral("192.0.2.7"), id, QStringLiteral("not a key"));
            QVERIFY(premier.cle(QStringLiteral("192.0.2.7"), id).isEmpty());
            premier.setCle(QStringLiteral("192.0.2.7"), id, cle);
            // For the run, whoever owns the folder.
            QCOMPARE(premier.cle(QStringLiteral("192.0.2.7"), id), cle);
        }
        // Kept for the user alone.
        if (!dossierPris) {
            const QFileInfo f(QDir(dossier.path()).filePath(QLatin1String(ZB_IdentiteReseau::FICHIER_CLE)));
            QVERIFY(f.isFile());
            QCOMPARE(f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        }
        occupant.reset();
        // The program started again.
        ZB_IdentiteReseau apres(dossier.path());
        const qint64 idApres = apres.id(QStringLiteral("192.0.2.7"));
        // A second program on the folder had the folder's id all along.
        QCOMPARE(idApres, id);
        QCOMPARE(apres.cle(hote, memeId ? idApres : idApres + 1) == cle, retrouvee);
    }

    // Two programs on one folder at the same time are one user: the second,
    // most often started again while the first hangs, has the same id, so
    // that the host gives her own seat back to it.
    void deuxProgrammesSurUnDossier()
    {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        ZB_IdentiteReseau premier(dossier.path());
        ZB_IdentiteReseau second(dossier.path());
        const qint64 id = premier.id(QStringLiteral("192.0.2.7"));
        QCOMPARE(second.id(QStringLiteral("192.0.2.7")), id);
        QVERIFY(second.estIdDuDossier());
        // Without a folder every run has its own.
        ZB_IdentiteReseau sansDossier{QString()};
        QVERIFY(sansDossier.id(QStringLiteral("192.0.2.7")) >= 0);
        QVERIFY(!sansDossier.estIdDuDossier());
    }
};

ZB_REGISTER_TEST(TestIdentiteReseau)
#include "TestIdentiteReseau.moc"
