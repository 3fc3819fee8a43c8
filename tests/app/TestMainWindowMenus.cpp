#include "AppStyleSwitch.h"
#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "OptionsAffichage.h"
#include "TypeDePartie.h"
#include "ZB_MainWidget.h"
#include "ZB_SettingsStore.h"
#include "ZbTestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMultiMap>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

namespace {

// Channels summed: a pixel of text differs at least this much from the
// background of its row.
constexpr int ECART_TEXTE = 90;
// An item's text makes at least this many such pixels (a single short
// word such as "Save" makes well over a hundred).
constexpr int PIXELS_TEXTE_MIN = 40;

int ecart(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// The pixels between the columns de and a that stand out from their row's
// background, read in the column fond, where no text ever lies.
int pixelsDeTexte(const QImage& image, const QRect& rect, int fond, int de, int a)
{
    int n = 0;
    for (int y = rect.top() + 2; y <= rect.bottom() - 2; ++y) {
        const QRgb couleur = image.pixel(fond, y);
        for (int x = de; x <= a; ++x)
            if (ecart(image.pixel(x, y), couleur) >= ECART_TEXTE)
                ++n;
    }
    return n;
}

// A menu item: the background near its right edge, inside any highlight
// frame and right of a submenu's arrow; the text left of the arrow.
int pixelsDeTexte(const QImage& image, const QRect& item)
{
    return pixelsDeTexte(image, item, item.right() - 2, item.left(), item.right() - 20);
}

// The mnemonics of the actions that share a clash: "n: Candy, No theme".
QStringList conflits(const QList<QAction*>& actions)
{
    QMultiMap<QChar, QString> parLettre;
    for (const QAction* a : actions) {
        const QString texte = a->text();
        for (qsizetype i = texte.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < texte.size();
             i = texte.indexOf(QLatin1Char('&'), i + 2))
            if (texte.at(i + 1) != QLatin1Char('&')) {
                parLettre.insert(texte.at(i + 1).toLower(), texte);
                break;
            }
    }
    QStringList faux;
    for (const QChar lettre : parLettre.uniqueKeys())
        if (parLettre.count(lettre) > 1)
            faux << QString(lettre) + QStringLiteral(": ") + QStringList(parLettre.values(lettre)).join(QStringLiteral(", "));
    return faux;
}

// The menu as it stands on screen, in its own logical pixels.
QImage image(QMenu* menu)
{
    return menu->grab().toImage().convertToFormat(QImage::Format_RGB32).scaled(menu->size());
}

} // namespace

// The menus of the real main window, under each theme and with none, in
// each language: every item draws its text, the item under the mouse draws
// it over a highlight, and no two items share an underlined letter. Under
// the themes they once dropped down blank.
class TestMainWindowMenus : public QObject
{
    Q_OBJECT

private slots:
    void menusDessinentLeurTexte_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("langue");
        for (const char* theme :
             {"style_bois", "style_alien", "style_course", "style_bonbon", "style_nature"})
            for (const char* langue : {"langue_fr", "langue_en", "langue_de"})
                QTest::addRow("%s, %s", theme, langue) << QString::fromLatin1(theme) << QString::fromLatin1(langue);
    }
    void menusDessinentLeurTexte()
    {
        QFETCH(QString, theme);
        QFETCH(QString, langue);
        QSettings reglages;
        reglages.remove(QLatin1String(ZB_SettingsStore::GROUPE_STYLE_APPLICATION));
        reglages.setValue(QLatin1String(ZB_SettingsStore::GROUPE_TUTORIEL) + QStringLiteral("/done"), true);
        reglages.sync();
        QTemporaryDir dossier;
        ZB_Settings demarrage;
        demarrage.nowait = true;
        ZB_MainWidget w(demarrage, dossier.path());
        w.vue()->resize(800, 600);
        w.vue()->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.vue()));
        w.action(theme)->trigger();
        w.action(langue)->trigger();
        // The palette reaches the widgets through posted events.
        QTest::qWait(50);
        QVERIFY(AppStyleSwitch::isTheme(QApplication::style()));
        const QString dossierImages = qEnvironmentVariable("ZB_SHOTS_DIR");

        QMenuBar* barre = w.barreMenus();
        QList<QMenu*> menus;
        for (QAction* a : barre->actions())
            if (a->menu() != nullptr)
                menus << a->menu();
        QVERIFY(menus.size() >= 4);
        for (QMenu* sous : barre->findChildren<QMenu*>())
            if (!menus.contains(sous))
                menus << sous;
        // One key, one command: no two items of a menu (or titles of the
        // bar) share their underlined letter.
        QVERIFY2(conflits(barre->actions()).isEmpty(), qPrintable(conflits(barre->actions()).join(QLatin1Char('\n'))));
        for (QMenu* menu : std::as_const(menus)) {
            QVERIFY2(conflits(menu->actions()).isEmpty(), qPrintable(conflits(menu->actions()).join(QLatin1Char('\n'))));
            // A top-level menu opens from the bar, a submenu where it would.
            const bool duHaut = barre->actions().contains(menu->menuAction());
            if (duHaut)
                barre->setActiveAction(menu->menuAction());
            else
                menu->popup(w.vue()->mapToGlobal(QPoint(200, 100)));
            QTRY_VERIFY(menu->isVisible());
            QAction* premiere = nullptr;
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && a->isEnabled() && premiere == nullptr)
                    premiere = a;
            QVERIFY(premiere != nullptr);
            menu->setActiveAction(premiere);
            const QImage vue = image(menu);
            const QString nom = menu->menuAction()->text().remove(QLatin1Char('&'));
            if (!dossierImages.isEmpty())
                vue.save(QDir(dossierImages).filePath(
                    QStringLiteral("menu-%1-%2-%3.png").arg(theme, langue, menu->menuAction()->objectName().isEmpty()
                                                                             ? QString::number(menus.indexOf(menu))
                                                                             : menu->menuAction()->objectName())));
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || a->text().isEmpty())
                    continue;
                const QRect item = menu->actionGeometry(a);
                QVERIFY2(pixelsDeTexte(vue, item) >= PIXELS_TEXTE_MIN,
                         qPrintable(QStringLiteral("%1 > %2 draws no text").arg(nom, a->text())));
            }
            // The highlight: the active item's background is not the menu's.
            const QRect actif = menu->actionGeometry(premiere);
            const QRect autre = menu->actionGeometry(menu->actions().constLast());
            if (autre != actif)
                QVERIFY2(ecart(vue.pixel(actif.right() - 2, actif.center().y()),
                               vue.pixel(autre.right() - 2, autre.center().y()))
                             >= ECART_TEXTE / 3,
                         qPrintable(nom + QStringLiteral(": no highlight")));
            if (duHaut) {
                // The open menu's title in the bar stands out and shows its text.
                const QImage imageBarre = barre->grab().toImage().convertToFormat(QImage::Format_RGB32).scaled(
                    barre->size());
                const QRect titre = barre->actionGeometry(menu->menuAction());
                QVERIFY2(pixelsDeTexte(imageBarre, titre, titre.left() + 1, titre.left() + 2, titre.right() - 2)
                             >= PIXELS_TEXTE_MIN / 2,
                         qPrintable(nom + QStringLiteral(": no title in the bar")));
                barre->setActiveAction(nullptr);
            }
            menu->hide();
            QTRY_VERIFY(!menu->isVisible());
        }
    }

    // One language at a time, whatever the languages before: the game
    // types of the Options menu, the partner's default name on its plate
    // and a damaged file's refusal all read in the language chosen last.
    void uneLangueALaFois()
    {
        QSettings reglages;
        reglages.setValue(QLatin1String(ZB_SettingsStore::GROUPE_TUTORIEL) + QStringLiteral("/done"), true);
        OptionsAffichage affichage;
        affichage.randomNames_ = false;
        affichage.sounds_ = false;
        QVERIFY(ZB_SettingsStore(reglages).ecritOptionsAffichage(affichage));
        reglages.sync();
        QTemporaryDir dossier;
        ZB_Settings demarrage;
        demarrage.nowait = true;
        ZB_MainWidget w(demarrage, dossier.path());
        w.vue()->scene()->setAutoAnswer(false);
        w.OnNouvellePartie();
        // The partner sits at the top of the table.
        QTRY_VERIFY(!w.vue()->scene()->textePlaquePosition(2).isEmpty());
        const QString abime = dossier.filePath(QStringLiteral("abime.jss"));
        {
            QFile f(abime);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Bonjour\r\nCeci n'est pas une partie\r\n");
        }
        struct Etape
        {
            const char* langue;
            const char* suisseAllemand;
            const char* partenaire;
            const char* corrompu;
        };
        const Etape etapes[] = {
            {"langue_de", "Deutschschweizer", "Partner", "Diese Datei ist beschädigt."},
            {"langue_fr", "Suisse allemand", "Partenaire", "Ce fichier est corrompu."},
            {"langue_en", "Swiss German", "Partner", "This file is corrupted."},
        };
        for (const Etape& e : etapes) {
            w.action(QLatin1String(e.langue))->trigger();
            QCOMPARE(w.action(QStringLiteral("type2"))->text(), QString::fromUtf8(e.suisseAllemand));
            for (QAction* a : w.barreMenus()->findChildren<QAction*>())
                if (a->objectName().startsWith(QLatin1String("type")))
                    QCOMPARE(a->text(), TypeDePartie::nomDansListe(a->data().toInt()));
            // The plate may carry the trump chooser's mark before the name,
            // which ends its isolate.
            QTRY_VERIFY2(w.vue()->scene()->textePlaquePosition(2).endsWith(QString::fromUtf8(e.partenaire) + QChar(0x2069)),
                         qPrintable(w.vue()->scene()->textePlaquePosition(2)));
            const qsizetype boites = w.vue()->scene()->historiqueBoites().size();
            QVERIFY(!w.ouvreFichier(abime, ZB_Room::OuvreFichier));
            QTRY_VERIFY(w.vue()->scene()->historiqueBoites().size() > boites);
            const QString refus = w.vue()->scene()->historiqueBoites().constLast();
            QVERIFY2(refus.contains(QString::fromUtf8(e.corrompu)), qPrintable(refus));
            for (const Etape& autre : etapes)
                if (&autre != &e)
                    QVERIFY2(!refus.contains(QString::fromUtf8(autre.corrompu)), qPrintable(refus));
            w.vue()->scene()->OnMessageBoxAccepted();
            QTRY_VERIFY(!w.vue()->scene()->boitePrincipale().proxy->isVisible());
        }
        // The French texts alone reach the settings: the default stays the
        // default in every language.
        QCOMPARE(TypeDePartie::getTypeDePartie(2).nom_, QStringLiteral("Suisse allemand"));
    }
};

ZB_REGISTER_TEST(TestMainWindowMenus)
#include "TestMainWindowMenus.moc"
