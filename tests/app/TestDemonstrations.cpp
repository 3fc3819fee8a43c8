#include "DisplayGL.h"
#include "DisplayGLCapturesMagasin.h"
#include "DisplayGLScene.h"
#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "GM_ClientSocket.h"
#include "GM_ConnectStatus.h"
#include "GM_Login.h"
#include "GM_ServerList.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "StyleTools.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "ZB_MainWidget.h"
#include "ZB_RoomTable.h"
#include "ZB_Translator.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsProxyWidget>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <set>

// The demonstrations that the store screenshots show: each opens its
// embedded sample game with the computer at every seat, in the language
// asked for, and the lobby window when the picture is of the lobby. The
// first picture of each is kept when ZB_SHOTS_DIR names a folder.

namespace {

// The events of a game record (its version line left out).
QStringList evenements(const QString& texte)
{
    QStringList lignes = texte.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    if (!lignes.isEmpty())
        lignes.removeFirst();
    return lignes;
}

QString recordDeLaSalle(ZB_MainWidget& w)
{
    QString texte;
    QTextStream flux(&texte);
    w.salle()->writeToStream(flux);
    flux.flush();
    return texte;
}

// The moves of a game record (deals, trumps, bids, announcements, cards,
// tricks) as "kind seat text", whatever protocol version wrote them.
QStringList coups(const QStringList& lignes)
{
    QStringList resultat;
    for (const QString& ligne : lignes) {
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(ligne, reste))
            continue;
        switch (ev.type_) {
        case EvenementDeJeu::Dis:
        case EvenementDeJeu::Cho:
        case EvenementDeJeu::Chm:
        case EvenementDeJeu::Ann:
        case EvenementDeJeu::Ajo:
        case EvenementDeJeu::Ram:
            resultat << QStringLiteral("%1 %2 %3").arg(EvenementDeJeu::TypeEvenement[ev.type_]).arg(ev.noJoueur_).arg(ev.texte_);
            break;
        default:
            break;
        }
    }
    return resultat;
}

int compte(const QStringList& lignes, int type)
{
    int n = 0;
    for (const QString& ligne : lignes) {
        EvenementDeJeu ev;
        QString reste;
        if (ev.fromString(ligne, reste) && ev.type_ == type)
            ++n;
    }
    return n;
}

// Distinct colours of a picture's lower third, where the user's hand lies:
// a table that drew nothing there has a handful.
int couleursDuBas(const QImage& image)
{
    std::set<QRgb> couleurs;
    for (int y = image.height() * 2 / 3; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            couleurs.insert(image.pixel(x, y));
    return static_cast<int>(couleurs.size());
}

void sansReglages()
{
    QSettings reglages;
    reglages.clear();
    reglages.setValue(QStringLiteral("Tutorial/done"), true);
    reglages.sync();
}

} // namespace

class TestDemonstrations : public QObject
{
    Q_OBJECT

private slots:
    void init() { sansReglages(); }
    // The store pictures' mode sizes the controls for the whole program.
    void cleanup()
    {
        StyleTools::setMinimumControlSize(QSize(0, 0));
        StyleTools::setButtonEdgeScale(1.0);
    }

    void scenarios_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<int>("langue");
        QTest::addColumn<int>("argument");
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("vous");
        QTest::addColumn<int>("onglet"); // the lobby tab in front, -1: no lobby
        QTest::addColumn<int>("typeDernier"); // the kind of the sample's last event

        QTest::newRow("Jass, French") << 0 << 1 << 0 << int(TypeDePartie::GenreJass) << 0 << "Vous" << -1
                                      << int(EvenementDeJeu::Ajo);
        QTest::newRow("Belote, English") << 1 << 2 << 0 << int(TypeDePartie::GenreBelote) << 6 << "You" << -1
                                         << int(EvenementDeJeu::Ajo);
        QTest::newRow("zig-zag, German") << 2 << 3 << 0 << int(TypeDePartie::GenreJass) << 3 << "Sie" << -1
                                         << int(EvenementDeJeu::Ajo);
        QTest::newRow("Contrée, English") << 3 << 2 << 0 << int(TypeDePartie::GenreBelote) << 8 << "You" << -1
                                          << int(EvenementDeJeu::Chm);
        QTest::newRow("ranking, French") << 0 << 1 << int(GM::ScreenshotRanking) << int(TypeDePartie::GenreJass) << 0
                                         << "Vous" << int(GM_ServerList::Classement) << int(EvenementDeJeu::Ajo);
        QTest::newRow("servers, English") << 1 << 2 << int(GM::ScreenshotServers) << int(TypeDePartie::GenreBelote)
                                          << 6 << "You" << int(GM_ServerList::Serveurs) << int(EvenementDeJeu::Ajo);
        QTest::newRow("titles, German") << 2 << 3 << int(GM::ScreenshotTitles) << int(TypeDePartie::GenreJass) << 3
                                        << "Sie" << int(GM_ServerList::Titres) << int(EvenementDeJeu::Ajo);
    }

    // The scenario's first picture: its sample game replayed on the table,
    // the computer at every seat, the user's plate in the language asked
    // for, the lobby tab in front; the user's own game and language are
    // left as they were.
    void scenarios()
    {
        QFETCH(int, scenario);
        QFETCH(int, langue);
        QFETCH(int, argument);
        QFETCH(int, genre);
        QFETCH(int, preset);
        QFETCH(QString, vous);
        QFETCH(int, onglet);
        QFETCH(int, typeDernier);

        QFile sample(ZB_MainWidget::fichierScenario(scenario));
        QVERIFY2(sample.open(QIODevice::ReadOnly), qPrintable(sample.fileName()));
        const QStringList attendus = evenements(QString::fromUtf8(sample.readAll()));
        QVERIFY(attendus.size() > 10);
        {
            EvenementDeJeu dernier;
            QString reste;
            QVERIFY(dernier.fromString(attendus.last(), reste));
            QCOMPARE(dernier.type_, typeDernier);
        }

        QTemporaryDir dossier;
        ZB_Settings d;
        d.screenshotMode = 1;
        {
            ZB_MainWidget w(d, dossier.path());
            const OptionsDePartie optionsUtilisateur = w.optionsDePartie();
            const int langueUtilisateur = w.optionsAffichage().language_;
            // As the store sequence: no item cached, the scenario, then the
            // picture's size.
            w.vue()->scene()->setCacheModeAll(QGraphicsItem::NoCache);
            w.startMarketingScenario(scenario, langue, argument);
            w.vue()->resize(1080 / 2, 1920 / 2);

            QCOMPARE(w.vue()->getModeAffichage(), int(ZB_MainWidget::MODE_AFFICHAGE_DEMONSTRATION));
            QVERIFY(w.estDemonstration());
            // The whole sample is replayed, then the game goes on.
            QTRY_VERIFY_WITH_TIMEOUT(!w.salle()->getListe(-1)->estReplayEnCours(), 20000);
            const QStringList joues = evenements(recordDeLaSalle(w));
            const QStringList coupsAttendus = coups(attendus);
            const QStringList coupsJoues = coups(joues);
            QVERIFY(coupsJoues.size() >= coupsAttendus.size());
            QCOMPARE(coupsJoues.mid(0, coupsAttendus.size()), coupsAttendus);
            ZB_RoomTable* table = w.tableAffichee();
            QVERIFY(table != nullptr);
            QCOMPARE(int(table->getOptionsDePartie().genre_), genre);
            QCOMPARE(table->getOptionsDePartie().idPreset_, preset);
            for (int siege = 0; siege < 4; ++siege) {
                const JoueurHumain* joueur = table->getJoueur(siege);
                QVERIFY(joueur != nullptr);
                QVERIFY(joueur->modeJeu_ == Joueur::ModeOrdinateurPartout || joueur->modeJeu_ == Joueur::ModeOrdinateur);
            }
            QCOMPARE(table->getJoueur(0)->modeJeu_, int(Joueur::ModeOrdinateurPartout));
            // The picture the store sequence takes, a moment after the
            // scenario opened.
            QTest::qWait(DisplayGL::DELAI_CAPTURE_MS);
            QTRY_VERIFY(w.vue()->scene()->textePlaquePosition(0).contains(vous));
            GM_ServerList* salon = w.lobby();
            QVERIFY(salon != nullptr);
            if (onglet >= 0) {
                QVERIFY(salon->isVisible());
                QCOMPARE(salon->tabs()->currentIndex(), onglet);
            } else {
                QVERIFY(!salon->isVisible());
            }
            // Still the sample's moment: at most the rest of its trick played.
            const int cartesDuSample = compte(attendus, EvenementDeJeu::Ajo);
            QVERIFY(compte(evenements(recordDeLaSalle(w)), EvenementDeJeu::Ajo) - cartesDuSample < 4);
            w.vue()->scene()->rafraichitCouche();
            w.vue()->viewport()->repaint();
            const QImage image = w.vue()->screen()->grabWindow(w.vue()->winId()).toImage();
            QVERIFY(couleursDuBas(image) > 50);
            if (onglet >= 0) {
                // The lobby window is in the picture, whole, over the table.
                const QImage fenetre = salon->grab().toImage();
                const QPointF origine = salon->graphicsProxyWidget()->scenePos();
                for (const QPoint& p : {QPoint(fenetre.width() / 2, fenetre.height() / 2),
                                        QPoint(fenetre.width() / 2, 5), QPoint(5, fenetre.height() - 5)})
                    QCOMPARE(QColor(image.pixel(origine.toPoint() + p)), QColor(fenetre.pixel(p)));
            }
            const QString dossierImages = qEnvironmentVariable("ZB_SHOTS_DIR");
            if (!dossierImages.isEmpty())
                QVERIFY(image.save(QDir(dossierImages).filePath(
                    QStringLiteral("scenario-%1-%2-%3.png").arg(scenario).arg(langue).arg(argument))));

            // The computer plays the user's seat too: the game goes on.
            const int cartes = compte(joues, EvenementDeJeu::Ajo);
            QTRY_VERIFY_WITH_TIMEOUT(compte(evenements(recordDeLaSalle(w)), EvenementDeJeu::Ajo) >= cartes + 4, 60000);

            // What the user chose is kept for the next game: the rules, the
            // language, and the seat, which is the user's again.
            QCOMPARE(w.optionsDePartie(), optionsUtilisateur);
            QCOMPARE(w.optionsAffichage().language_, langueUtilisateur);
            w.OnNouvellePartie();
            QCOMPARE(w.vue()->getModeAffichage(), int(ZB_MainWidget::MODE_AFFICHAGE_NORMAL));
            QVERIFY(!w.estDemonstration());
            w.startMarketingScenario(scenario, langue, argument);
            QVERIFY(w.estDemonstration());
        }
        // A demonstration is never saved over the user's game.
        QVERIFY(!QFileInfo::exists(QDir(dossier.path()).filePath(QLatin1String(ZB_MainWidget::FICHIER_AUTOSAUVEGARDE))));
    }

    // The store sequence's own pictures: the first presets' scenarios at
    // their sizes, each with its caption on a band of its colour, 7.5 % of
    // the picture high.
    void sequenceDesCaptures()
    {
        QTemporaryDir dossier;
        ZB_Settings d;
        d.screenshotMode = 1;
        d.screenshotPlatform = QStringLiteral("android");
        d.screenshotLanguage = 2;
        ZB_MainWidget w(d, dossier.path());
        QStringList fichiers;
        connect(w.vue()->scene(), &DisplayGLScene::signalScreenshotCompleted, this,
                [&] { fichiers << w.vue()->scene()->dernierFichierCapture(); });
        w.vue()->OnScreenShotToSave();
        constexpr int NOMBRE = 5;
        QTRY_VERIFY_WITH_TIMEOUT(fichiers.size() >= NOMBRE, 60000);
        const std::vector<DisplayGLCapturesMagasin::Preset>& presets = DisplayGLCapturesMagasin::presets(d.screenshotPlatform);
        const QString dossierImages = qEnvironmentVariable("ZB_SHOTS_DIR");
        for (int i = 0; i < NOMBRE; ++i) {
            const QImage image(fichiers.at(i));
            QVERIFY(!image.isNull());
            const DisplayGLCapturesMagasin::Preset& p = presets[size_t(i)];
            QVERIFY(qAbs(double(image.width()) / image.height() - double(p.largeur + 4) / (p.hauteur + 4)) < 0.01);
            const QColor bande(QLatin1String(p.couleur1));
            const int h = image.height();
            QCOMPARE(QColor(image.pixel(2, h - 2)), bande);
            QCOMPARE(QColor(image.pixel(2, h - int(0.075 * h * 0.8))), bande);
            QVERIFY(QColor(image.pixel(2, h - int(0.075 * h * 1.3))) != bande);
            if (!dossierImages.isEmpty())
                QVERIFY(image.save(QDir(dossierImages).filePath(QStringLiteral("sequence-%1.png").arg(i + 1))));
        }
        // The fonts back as the end of the sequence leaves them.
        w.OnFontChange(100.0);
    }

    // A scenario the program does not have changes nothing.
    void scenarioInconnu_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::newRow("below") << -1;
        QTest::newRow("above") << ZB_MainWidget::nombreDeScenarios();
    }

    void scenarioInconnu()
    {
        QFETCH(int, scenario);
        QTemporaryDir dossier;
        ZB_Settings d;
        d.screenshotMode = 1;
        ZB_MainWidget w(d, dossier.path());
        QVERIFY(ZB_MainWidget::fichierScenario(scenario).isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no demonstration")));
        w.startMarketingScenario(scenario, 2, 0);
        QCOMPARE(w.vue()->getModeAffichage(), int(ZB_MainWidget::MODE_AFFICHAGE_NORMAL));
        QVERIFY(w.tableAffichee() == nullptr || w.salle()->getListe(-1)->getExecutes().blockCount() <= 1);
    }

    // The wide layout's right strip holds the lobby: it is embedded (no way
    // back from it, the login in its place while not connected) as long as
    // the strip is shown, and put away when the strip goes.
    void lobbyDansLePanneauDroit()
    {
        QTemporaryDir dossier;
        ZB_Settings d;
        ZB_MainWidget w(d, dossier.path());
        OptionsAffichage options = w.optionsAffichage();
        options.useRightSpace_ = true;
        w.setNouvellesOptions(options);
        GM_ServerList* salon = w.lobby();
        GM_Login* login = w.loginLobby();
        QVERIFY(salon != nullptr && login != nullptr);

        w.vue()->resize(1600, 600);
        QTRY_VERIFY(w.vue()->scene()->isPanneauDroitAffiche());
        QTRY_VERIFY(salon->isEmbedded());
        QVERIFY(login->isVisible());
        QVERIFY(!login->buttonCancel1()->isVisibleTo(login));

        w.vue()->resize(800, 600);
        QTRY_VERIFY(!w.vue()->scene()->isPanneauDroitAffiche());
        QTRY_VERIFY(!salon->isEmbedded());
        QVERIFY(!login->isVisible());
        QVERIFY(!salon->isVisible());
    }
};

ZB_REGISTER_TEST(TestDemonstrations)
#include "TestDemonstrations.moc"
