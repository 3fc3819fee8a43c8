#include "ZB_IdentiteReseau.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The id the user carries at hosted tables outlives the program, belongs
// to one running program at a time, and is never lost to a bad file.
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
        QTest::newRow("not a number") << QByteArray("abc\n") << false << false;
        QTest::newRow("no player") << QByteArray("-1\n") << false << false;
    }

    void idDuDossier()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(bool, verrouMort);
        QFETCH(bool, memeId);
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        qint64 avant = -1;
        {
            ZB_IdentiteReseau premier(dossier.path());
            avant = premier.id();
            QVERIFY(avant >= 0);
            QCOMPARE(premier.id(), avant);
            QVERIFY(premier.estIdDuDossier());
        }
        const QString cheminId = QDir(dossier.path()).filePath(QLatin1String(ZB_IdentiteReseau::FICHIER_ID));
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
        QCOMPARE(apres.id() == avant, memeId);
        QVERIFY(apres.id() >= 0);
        QVERIFY(apres.estIdDuDossier());
        // A bad file is replaced by the id now in use.
        ZB_IdentiteReseau troisieme(dossier.path());
        Q_UNUSED(troisieme);
        QFile relu(cheminId);
        QVERIFY(relu.open(QIODevice::ReadOnly));
        QCOMPARE(relu.readAll().trimmed().toLongLong(), apres.id());
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
            occupant->id();
        qint64 id = -1;
        {
            ZB_IdentiteReseau premier(dossier.path());
            id = premier.id();
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
        const qint64 idApres = apres.id();
        QCOMPARE(idApres == id, !dossierPris);
        QCOMPARE(apres.cle(hote, memeId ? idApres : idApres + 1) == cle, retrouvee);
    }

    // Two programs on one folder at the same time: the host must not take
    // the second for the first, so the second gets an id of its own.
    void deuxProgrammesSurUnDossier()
    {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        ZB_IdentiteReseau premier(dossier.path());
        ZB_IdentiteReseau second(dossier.path());
        const qint64 id = premier.id();
        QVERIFY(second.id() != id);
        QVERIFY(!second.estIdDuDossier());
        // Without a folder every run has its own.
        ZB_IdentiteReseau sansDossier{QString()};
        QVERIFY(sansDossier.id() >= 0);
        QVERIFY(!sansDossier.estIdDuDossier());
    }
};

ZB_REGISTER_TEST(TestIdentiteReseau)
#include "TestIdentiteReseau.moc"
