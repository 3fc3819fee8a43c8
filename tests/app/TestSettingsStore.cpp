#include "OptionsAI.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"
#include "ZB_SettingsStore.h"
#include "ZbTestRegistry.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

#include <memory>

namespace {

// A settings file nothing can make sense of. It begins with a NUL byte, so
// its length is the literal's, its terminating NUL left out.
QByteArray fichierIllisible()
{
    static constexpr char texte[] = "\x00\xff\xfe garbage [[[ = =\n[Display\nx=\"unterminated\n";
    return QByteArray(texte, sizeof(texte) - 1);
}

// A store in a file of its own, never the user's.
class StoreTemporaire
{
public:
    StoreTemporaire()
        : chemin_(dossier_.filePath(QStringLiteral("zubrik.ini")))
    {
    }
    QString chemin() const { return chemin_; }
    // Writes the raw text of the file, as a person editing it would.
    void ecritBrut(const QByteArray& contenu) const
    {
        QFile f(chemin_);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(contenu);
    }
    std::unique_ptr<QSettings> ouvre() const { return std::make_unique<QSettings>(chemin_, QSettings::IniFormat); }

private:
    QTemporaryDir dossier_;
    QString chemin_;
};

// A window's geometry as QWidget::saveGeometry writes it (version 3.0).
QByteArray geometrieSauvee(const QRect& dedans, const QRect& normale, bool maximisee)
{
    QByteArray octets;
    QDataStream out(&octets, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_0);
    out << quint32(0x1D9D0CB) << quint16(3) << quint16(0) << dedans.adjusted(0, -20, 0, 0) << normale << qint32(0)
        << quint8(maximisee ? 1 : 0) << quint8(0) << qint32(1920) << dedans;
    return octets;
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass); }

    // What one run saves, the next run reads, through a new store object.
    void savedOptionsComeBack()
    {
        StoreTemporaire t;
        OptionsAffichage affichage;
        affichage.noms_ = QStringList{QStringLiteral("Ueli"), QStringLiteral("Vreni, \"la\" partenaire"),
                                      QStringLiteral("Röbi")};
        affichage.quality_ = 2;
        affichage.cardStyle_ = 1;
        affichage.appStyle_ = 4;
        affichage.language_ = 3;
        affichage.fontSize_ = 1.25;
        OptionsDePartie partie(TypeDePartie::GenreJass);
        partie.idPreset_ = 2;
        partie.modeDeJeu_ = OptionsDePartie::ModeCoiffeur;
        partie.delaiReponse_ = 30.0;
        {
            auto s = t.ouvre();
            ZB_SettingsStore store(*s);
            QString erreur;
            QVERIFY2(store.ecritOptionsAffichage(affichage, &erreur), qPrintable(erreur));
            QVERIFY2(store.ecritOptionsDePartie(partie, &erreur), qPrintable(erreur));
            store.setGeometrie(QByteArray("\x01\x00\xffgeo", 6));
            store.setTutoriel(true, 2);
            store.setStyleWidgets(QStringLiteral("Plastique"));
            store.setContactRapport(QStringLiteral("anna@example.ch"));
            store.noteRapport(QStringLiteral("/data/bugReport_1.zip"));
            store.noteRapport(QStringLiteral("/data/bugReport_2.zip"));
            QVERIFY(store.synchronise());
        }
        auto s = t.ouvre();
        const ZB_SettingsStore store(*s);
        OptionsAffichage lu;
        QVERIFY(store.litOptionsAffichage(lu));
        QCOMPARE(lu, affichage);
        OptionsDePartie luePartie(TypeDePartie::GenreJass);
        QVERIFY(store.litOptionsDePartie(luePartie));
        QCOMPARE(luePartie, partie);
        QCOMPARE(store.geometrie(), QByteArray("\x01\x00\xffgeo", 6));
        QVERIFY(store.tutorielTermine());
        QCOMPARE(store.choixTutoriel(), 2);
        QCOMPARE(store.styleWidgets(), QStringLiteral("Plastique"));
        QCOMPARE(store.styleCartes(0), 1);
        QCOMPARE(store.theme(0), 4);
        QCOMPARE(store.contactRapport(), QStringLiteral("anna@example.ch"));
        QCOMPARE(store.dernierRapport(), QStringLiteral("/data/bugReport_2.zip"));
        QCOMPARE(store.nombreDeRapports(), 2);
        // Every group lands under its own name.
        const QStringList groupes = s->childGroups();
        for (const char* g : {"Display", "Game", "CardStyle", "AppStyle", "Tutorial", "ErrorReports"})
            QVERIFY2(groupes.contains(QLatin1String(g)), g);
    }

    // The program's own store (under the test run's temporary home).
    void platformStoreSaves()
    {
        QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
        auto s = ZB_SettingsStore::ouvreStore();
        QVERIFY(s->fileName().startsWith(QDir::homePath()));
        ZB_SettingsStore store(*s);
        OptionsAffichage a;
        a.quality_ = 2;
        QString erreur;
        QVERIFY2(store.ecritOptionsAffichage(a, &erreur), qPrintable(erreur));
        OptionsAffichage lu;
        QVERIFY(ZB_SettingsStore(*ZB_SettingsStore::ouvreStore()).litOptionsAffichage(lu));
        QCOMPARE(lu.quality_, 2);
        s->clear();
    }

    // The saved window comes back inside the free area of the screen, at
    // its own inner place (not moved by its frame, as at each start
    // before), no larger than the area; a geometry that cannot be read
    // gives the default size, centred.
    void windowGeometryFitsTheScreen_data()
    {
        QTest::addColumn<QByteArray>("geometrie");
        QTest::addColumn<QRect>("libre");
        QTest::addColumn<QRect>("attendue");
        QTest::addColumn<bool>("maximisee");
        const QRect ecran(0, 0, 1920, 1080);
        const QRect normale(200, 100, 1000, 700);
        QTest::newRow("fits, kept where it was") << geometrieSauvee(QRect(100, 80, 800, 600), normale, false) << ecran
                                                 << QRect(100, 80, 800, 600) << false;
        QTest::newRow("larger than the screen") << geometrieSauvee(QRect(0, 0, 2400, 1500), normale, false)
                                                << QRect(0, 0, 1920, 1040) << QRect(0, 0, 1920, 1040) << false;
        QTest::newRow("bottom off the screen") << geometrieSauvee(QRect(100, 900, 800, 600), normale, false) << ecran
                                               << QRect(100, 480, 800, 600) << false;
        QTest::newRow("above and left of it") << geometrieSauvee(QRect(-300, -50, 800, 600), normale, false) << ecran
                                              << QRect(0, 0, 800, 600) << false;
        QTest::newRow("under a top panel") << geometrieSauvee(QRect(100, 0, 800, 600), normale, false)
                                           << QRect(0, 32, 1920, 1048) << QRect(100, 32, 800, 600) << false;
        QTest::newRow("maximised, its normal place") << geometrieSauvee(QRect(0, 0, 1920, 1080), normale, true)
                                                     << ecran << normale << true;
        QTest::newRow("unreadable, default centred") << QByteArray("\x01\x00\xffgeo", 6) << ecran
                                                     << QRect(560, 240, 800, 600) << false;
        QTest::newRow("none, default on a small screen") << QByteArray() << QRect(0, 0, 640, 480)
                                                         << QRect(0, 0, 640, 480) << false;
        // Never smaller than a window the table can be used in.
        QTest::newRow("one pixel") << geometrieSauvee(QRect(300, 200, 1, 1), normale, false) << ecran
                                   << QRect(300, 200, 640, 480) << false;
        QTest::newRow("maximised, a sliver") << geometrieSauvee(QRect(0, 0, 1920, 1080), QRect(5, 5, 1, 6), true)
                                             << ecran << QRect(5, 5, 640, 480) << true;
        QTest::newRow("the whole int range")
            << geometrieSauvee(QRect(QPoint(INT_MIN / 2, INT_MIN / 2), QPoint(INT_MAX / 2, INT_MAX / 2)), normale,
                               false)
            << ecran << QRect(560, 240, 800, 600) << false;
        QTest::newRow("one pixel on a screen below the minimum")
            << geometrieSauvee(QRect(0, 0, 1, 1), normale, false) << QRect(0, 0, 320, 240) << QRect(0, 0, 320, 240)
            << false;
    }
    void windowGeometryFitsTheScreen()
    {
        QFETCH(QByteArray, geometrie);
        QFETCH(QRect, libre);
        QFETCH(QRect, attendue);
        QFETCH(bool, maximisee);
        bool agrandie = !maximisee;
        const QRect r = ZB_SettingsStore::fenetreDansEcran(geometrie, libre, QSize(800, 600), &agrandie);
        QCOMPARE(r, attendue);
        QCOMPARE(agrandie, maximisee);
        QVERIFY(libre.contains(r));
        // Saved again and read again, the window stays where it is.
        QCOMPARE(ZB_SettingsStore::fenetreDansEcran(geometrieSauvee(r, r, false), libre, QSize(800, 600)), r);
    }

    void emptyStoreKeepsDefaults()
    {
        StoreTemporaire t;
        auto s = t.ouvre();
        const ZB_SettingsStore store(*s);
        OptionsAffichage a;
        QVERIFY(store.litOptionsAffichage(a));
        QCOMPARE(a, OptionsAffichage());
        OptionsDePartie p(TypeDePartie::GenreBelote);
        QVERIFY(store.litOptionsDePartie(p));
        QCOMPARE(p, OptionsDePartie(TypeDePartie::GenreBelote));
        QVERIFY(!store.tutorielTermine());
        QCOMPARE(store.choixTutoriel(), -1);
        QCOMPARE(store.nombreDeRapports(), 0);
        QVERIFY(store.geometrie().isEmpty());
    }

    // Hand-edited or foreign files: each row is the file's text and what
    // reading makes of it.
    void badStoredValues_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<bool>("affichageAccepte");
        QTest::addColumn<bool>("partieAcceptee");
        QTest::addColumn<QString>("resultat");
        const QByteArray bonAffichage = OptionsAffichage().sauveValeursDansString().toUtf8();
        QTest::newRow("display text corrupt")
            << QByteArray("[Display]\noptions={Alphonse!Partenaire!Gertrude!x!}\n") << false << true << "";
        QTest::newRow("display a list")
            << QByteArray("[Display]\noptions=a, b, c\n") << false << true << "";
        QTest::newRow("display choices clamped")
            << QByteArray("[Display]\noptions=\"{A!B!C!1!1!0!99!-4!1!1!77!}\"\n") << true << true
            << "quality=4 cards=0 theme=4";
        QTest::newRow("styles' groups clamped and winning")
            << QByteArray("[Display]\noptions=\"" + bonAffichage + "\"\n[CardStyle]\nstyle=12\n[AppStyle]\ntheme=-3\n")
            << true << true << "quality=3 cards=4 theme=0";
        QTest::newRow("styles survive a refused record")
            << QByteArray("[Display]\noptions={broken\n[CardStyle]\nstyle=3\n[AppStyle]\ntheme=banana\n") << false << true
            << "quality=3 cards=3 theme=0";
        QTest::newRow("game text corrupt") << QByteArray("[Game]\noptions={x!y!}\n") << true << false << "";
        QTest::newRow("game unknown preset") << QByteArray("[Game]\noptions={999!0!0!2!}\n") << true << false << "";
        QTest::newRow("game negative preset") << QByteArray("[Game]\noptions={-1!0!0!2!}\n") << true << false << "";
        QTest::newRow("game unknown mode") << QByteArray("[Game]\noptions={2!0!9!2!}\n") << true << false << "";
        // A whole game options text with the given kind, penalties, answer
        // time and collection fields.
        auto partie = [](const char* fin) -> QByteArray {
            const QByteArray ai = OptionsAI().sauveValeursDansString().toUtf8();
            return QByteArray("[Game]\noptions=\"{2!0!0!2!") + ai + '!'
                + TypeDePartie::getTypeDePartie(2).sauveValeursDansString().toUtf8() + '!' + ai + '!' + fin
                + QByteArray("}\"\n");
        };
        QTest::newRow("game whole text") << partie("0!1!15!0!") << true << true << "delay=15";
        QTest::newRow("game unknown kind") << partie("7!1!15!0!") << true << false << "";
        QTest::newRow("game answer time clamped") << partie("0!1!-5!0!") << true << true << "delay=1";
        QTest::newRow("game answer time huge") << partie("0!1!1e300!0!") << true << true << "delay=600";
        QTest::newRow("not an ini file at all") << QByteArray("\x00\xff\xfe garbage [[[ = =\n", 18) << true << true << "";
        QTest::newRow("tutorial and reports of the wrong kind")
            << QByteArray("[Tutorial]\ndone=perhaps\nchoice=-7\n[ErrorReports]\ncount=lots\ncontact=a, b\n") << true << true
            << "";
    }

    void badStoredValues()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(bool, affichageAccepte);
        QFETCH(bool, partieAcceptee);
        QFETCH(QString, resultat);
        StoreTemporaire t;
        t.ecritBrut(fichier);
        auto s = t.ouvre();
        const ZB_SettingsStore store(*s);

        OptionsAffichage a;
        a.noms_[0] = QStringLiteral("Avant");
        QString erreur;
        QCOMPARE(store.litOptionsAffichage(a, &erreur), affichageAccepte);
        if (!affichageAccepte) {
            QVERIFY(!erreur.isEmpty());
            // A refused record leaves the caller's record as it was.
            QCOMPARE(a.noms_[0], QStringLiteral("Avant"));
        }
        OptionsDePartie p(TypeDePartie::GenreJass);
        p.idPreset_ = 1;
        erreur.clear();
        QCOMPARE(store.litOptionsDePartie(p, &erreur), partieAcceptee);
        if (!partieAcceptee) {
            QVERIFY(!erreur.isEmpty());
            QCOMPARE(p.idPreset_, 1);
            QCOMPARE(p.genre_, quint8(TypeDePartie::GenreJass));
        }
        QStringList vu;
        if (resultat.contains(QLatin1String("quality")))
            vu << QStringLiteral("quality=%1 cards=%2 theme=%3").arg(a.quality_).arg(a.cardStyle_).arg(a.appStyle_);
        if (resultat.contains(QLatin1String("delay")))
            vu << QStringLiteral("delay=%1").arg(p.delaiReponse_);
        QCOMPARE(vu.join(QLatin1Char(' ')), resultat);
        // Whatever the file held, the small values read as their defaults.
        QVERIFY(!store.tutorielTermine() || fichier.contains("done=true"));
        QVERIFY(store.choixTutoriel() >= -1);
        QVERIFY(store.nombreDeRapports() >= 0);
        QVERIFY(store.contactRapport().isEmpty() || !fichier.contains("contact=a, b"));
    }

    // A record that could not be read back is not saved: the good text
    // already stored stays.
    void unsavableRecordKeepsTheStoredOne()
    {
        StoreTemporaire t;
        auto s = t.ouvre();
        ZB_SettingsStore store(*s);
        OptionsDePartie bonne(TypeDePartie::GenreJass);
        bonne.idPreset_ = 3;
        QVERIFY(store.ecritOptionsDePartie(bonne));
        OptionsDePartie mauvaise(TypeDePartie::GenreJass);
        mauvaise.idPreset_ = 999;
        QString erreur;
        QVERIFY(!store.ecritOptionsDePartie(mauvaise, &erreur));
        QVERIFY(erreur.contains(QLatin1String("999")));
        auto relu = t.ouvre();
        OptionsDePartie lue(TypeDePartie::GenreJass);
        QVERIFY(ZB_SettingsStore(*relu).litOptionsDePartie(lue));
        QCOMPARE(lue.idPreset_, 3);
    }

    // A file too damaged to read is replaced by the first save, which says
    // it succeeded.
    void damagedStoreIsWrittenAfresh()
    {
        StoreTemporaire t;
        t.ecritBrut(fichierIllisible());
        {
            auto s = t.ouvre();
            ZB_SettingsStore store(*s);
            OptionsAffichage a;
            a.quality_ = 1;
            QString erreur;
            QVERIFY2(store.ecritOptionsAffichage(a, &erreur), qPrintable(erreur));
        }
        auto s = t.ouvre();
        OptionsAffichage lu;
        QVERIFY(ZB_SettingsStore(*s).litOptionsAffichage(lu));
        QCOMPARE(lu.quality_, 1);
    }

    // A damaged store keeps its first error whatever follows, so a save that
    // fails afterwards must be found out otherwise.
    void damagedStoreThatCannotBeWrittenSaysSo()
    {
        QTemporaryDir racine;
        const QString dossier = racine.filePath(QStringLiteral("config"));
        QVERIFY(QDir().mkpath(dossier));
        const QString chemin = dossier + QStringLiteral("/zubrik.ini");
        {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(fichierIllisible());
        }
        QSettings s(chemin, QSettings::IniFormat);
        QCOMPARE(s.status(), QSettings::FormatError);
        // The folder goes, and a file takes its name: nothing can be written.
        QVERIFY(QDir(dossier).removeRecursively());
        {
            QFile bloque(dossier);
            QVERIFY(bloque.open(QIODevice::WriteOnly));
        }
        ZB_SettingsStore store(s);
        QString erreur;
        QVERIFY(!store.ecritOptionsAffichage(OptionsAffichage(), &erreur));
        QVERIFY2(erreur.contains(chemin), qPrintable(erreur));
    }

    // The store's folder is a file: no rights can make the store writable.
    void unwritableStoreSaysSo()
    {
        QTemporaryDir dossier;
        const QString bloque = dossier.filePath(QStringLiteral("file"));
        {
            QFile f(bloque);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString chemin = bloque + QStringLiteral("/zubrik.ini");
        QSettings s(chemin, QSettings::IniFormat);
        ZB_SettingsStore store(s);
        QString erreur;
        QVERIFY(!store.ecritOptionsAffichage(OptionsAffichage(), &erreur));
        QVERIFY2(erreur.contains(chemin), qPrintable(erreur));
    }

    void secretsAreNotCopied()
    {
        StoreTemporaire t;
        auto s = t.ouvre();
        s->setValue(QStringLiteral("Login/email"), QStringLiteral("anna@example.ch"));
        s->setValue(QStringLiteral("Login/pass"), qCompress(QByteArray("hunter2")));
        s->setValue(QStringLiteral("login/Password"), QStringLiteral("hunter3"));
        s->setValue(QStringLiteral("Login/old/pass"), QStringLiteral("hunter4"));
        s->setValue(QStringLiteral("Friends/lastContactHash"), QStringLiteral("abc"));
        s->setValue(QStringLiteral("Display/pass"), QStringLiteral("not a secret"));
        const auto copie = ZB_SettingsStore(*s).copieSansSecrets();
        QStringList cles;
        for (const auto& c : copie)
            cles << c.first;
        QCOMPARE(cles, (QStringList{QStringLiteral("Display/pass"), QStringLiteral("Friends/lastContactHash"),
                                    QStringLiteral("Login/email")}));
    }
};

ZB_REGISTER_TEST(TestSettingsStore)
#include "TestSettingsStore.moc"
