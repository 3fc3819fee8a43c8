#include "NomsDeCouleurs.h"
#include "GM_WidgetAuto.h"
#include "PanelAtouts.h"
#include "TableDeScene.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QScopeGuard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <algorithm>

namespace {

// Preset ids of the game types the panel meets.
constexpr int SUISSE_ROMAND = 0;
constexpr int PIQUE_DOUBLE = 1;
constexpr int SUISSE_ALLEMAND = 2;
constexpr int ZIG_ZAG = 3;
constexpr int BELOTE_CLASSIQUE = 6;
constexpr int BELOTE_CONTREE = 8;
constexpr int BELOTE_COINCHEE = 9;
constexpr int BELOTE_VACHE = 10;

const QStringList TOUS_LES_BOUTONS = {
    "boutonChibre_left", "boutonChibre_below", "pushButtonPrends", "buttonAtout_Trefle",
    "buttonAtout_Carreau", "buttonAtout_Pique", "buttonAtout_Coeur", "buttonAtout_HautEnBas",
    "buttonAtout_BasEnHaut", "buttonAtout_ZigZag_DepartBas", "buttonAtout_ZigZag_DepartHaut",
    "buttonAtout_ToutAtout", "buttonAtout_SansAtout", "buttonAtout_Inverse", "pushButton_Contre",
    "pushButtonCapot", "widgetBet"};

const QStringList COULEURS = {"buttonAtout_Trefle", "buttonAtout_Carreau", "buttonAtout_Pique",
                              "buttonAtout_Coeur"};

ZB_StatusMise etatMise(int contrat, int tour, bool bloque, int miseur)
{
    ZB_StatusMise m;
    m.typeContrat_ = contrat;
    m.tourMise_ = tour;
    m.montantBloque_ = bloque;
    m.miseur_ = miseur;
    m.pointsMise_ = 82;
    m.miseMin_ = 90;
    m.miseMax_ = 160;
    m.pasMise_ = 10;
    return m;
}

// A panel as the table holds it: in a graphics scene's proxy, shown.
struct Panneau
{
    explicit Panneau(QSize taille = QSize(1280, 130))
        : p(new PanelAtouts(false))
    {
        proxy = scene.addWidget(p);
        proxy->resize(taille);
        p->show();
    }
    template <typename T = QWidget>
    T* w(const QString& nom)
    {
        T* widget = p->findChild<T*>(nom);
        if (!widget)
            qFatal("no child %s", qPrintable(nom));
        return widget;
    }
    QStringList visibles()
    {
        QStringList noms;
        for (const QString& nom : TOUS_LES_BOUTONS)
            if (w(nom)->isVisible())
                noms << nom;
        return noms;
    }
    void montre(int type, bool mise, bool chibre, const ZB_StatusMise& etat, int joueur)
    {
        const TypeDePartie& t = TypeDePartie::getTypeDePartie(type);
        if (mise)
            p->afficheChoixMise(etat, t, joueur);
        else
            p->afficheChoixAtout(t, chibre);
    }
    QGraphicsScene scene;
    PanelAtouts* p;
    QGraphicsProxyWidget* proxy = nullptr;
};

} // namespace

class TestPanelAtouts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<ZB_StatusMise>("ZB_StatusMise const");
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass, true);
    }

    void formHoldsItsWidgets()
    {
        PanelAtouts p(false);
        QVERIFY(p.findChild<QSpinBox*>("spinBoxMise"));
        for (const char* nom : {"labelMise", "labelMiseValue"})
            QVERIFY2(p.findChild<QLabel*>(nom), nom);
        for (const char* nom : {"pushButtonBetMinus", "pushButtonBetPlus", "pushButtonCapot", "groupBoxBet"})
            QVERIFY2(p.findChild<QWidget*>(nom), nom);
        QVERIFY(p.findChild<QPushButton*>("pushButtonCapot")->isCheckable());
        // Every trump button carries its picture of the default style.
        for (const QString& nom : TOUS_LES_BOUTONS)
            if (nom.startsWith("buttonAtout_"))
                QVERIFY2(!p.findChild<QAbstractButton*>(nom)->icon().isNull(), qPrintable(nom));
        // The seat panels connect to the answers by their signatures.
        PanelAtouts relais(false);
        QVERIFY(QObject::connect(&p, SIGNAL(signalAtoutButtonPressed_(int)), &relais,
                                 SIGNAL(signalAtoutButtonPressed_(int))));
        QVERIFY(QObject::connect(&p, SIGNAL(signalBetAnswer_(ZB_StatusMise const)), &relais,
                                 SIGNAL(signalBetAnswer_(ZB_StatusMise const))));
        QCOMPARE(PanelAtouts::dossierStyle(1), QStringLiteral("GerChSvg/"));
        QCOMPARE(PanelAtouts::dossierStyle(99), QStringLiteral("FraSvg/"));
    }

    // Which controls each request offers.
    void buttonsShownPerRequest_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("mise");
        QTest::addColumn<bool>("chibre");
        QTest::addColumn<ZB_StatusMise>("etat");
        QTest::addColumn<int>("joueur");
        QTest::addColumn<QStringList>("attendus");
        QTest::addColumn<bool>("contreActif");
        QTest::addColumn<QString>("texteContre");

        const ZB_StatusMise rien;
        QTest::newRow("Jass, chibre allowed") << SUISSE_ROMAND << false << true << rien << 0
                                              << (QStringList{"boutonChibre_left"} + COULEURS) << false << "";
        QTest::newRow("Jass, partner passed") << SUISSE_ROMAND << false << false << rien << 0 << COULEURS << false
                                              << "";
        QTest::newRow("Jass, zig-zag type") << ZIG_ZAG << false << true << rien << 0
                                            << (QStringList{"boutonChibre_left"} + COULEURS
                                                + QStringList{"buttonAtout_HautEnBas", "buttonAtout_BasEnHaut",
                                                              "buttonAtout_ZigZag_DepartBas",
                                                              "buttonAtout_ZigZag_DepartHaut"})
                                            << false << "";
        QTest::newRow("Belote, first round: take or pass")
            << BELOTE_CLASSIQUE << true << false << etatMise(1, 2, true, -1) << 1
            << QStringList{"boutonChibre_left", "pushButtonPrends"} << false << "";
        QTest::newRow("Vache, second round: a suit or pass")
            << BELOTE_VACHE << true << false << etatMise(1, 5, true, -1) << 1
            << (QStringList{"boutonChibre_left"} + COULEURS) << false << "";
        QTest::newRow("Contree, opening bid")
            << BELOTE_CONTREE << true << false << etatMise(1, 0, false, -1) << 0
            << (QStringList{"boutonChibre_left"} + COULEURS + QStringList{"pushButton_Contre", "pushButtonCapot", "widgetBet"})
            << false << "Contre\nx2";
        QTest::newRow("Contree, opponents bid") << BELOTE_CONTREE << true << false << etatMise(2, 1, false, 1) << 2
                                                << (QStringList{"boutonChibre_left"} + COULEURS
                                                    + QStringList{"pushButton_Contre", "pushButtonCapot", "widgetBet"})
                                                << true << "Contre\nx2";
        QTest::newRow("Contree, partner bid: no double")
            << BELOTE_CONTREE << true << false << etatMise(2, 1, false, 0) << 2
            << (QStringList{"boutonChibre_left"} + COULEURS + QStringList{"pushButton_Contre", "pushButtonCapot", "widgetBet"})
            << false << "Contre\nx2";
        QTest::newRow("Coinchee, opponents bid")
            << BELOTE_COINCHEE << true << false << etatMise(2, 1, false, 3) << 0
            << (QStringList{"boutonChibre_left"} + COULEURS
                + QStringList{"buttonAtout_ToutAtout", "buttonAtout_SansAtout", "pushButton_Contre", "pushButtonCapot",
                              "widgetBet"})
            << true << "Coinche\nx2";
        QTest::newRow("Contree, doubled: redouble or pass")
            << BELOTE_CONTREE << true << false << etatMise(3, 2, false, 2) << 1
            << QStringList{"boutonChibre_left", "pushButton_Contre"} << true << "Surcontre\nx4";
        QTest::newRow("Contree, doubler's partner cannot redouble")
            << BELOTE_CONTREE << true << false << etatMise(3, 2, false, 2) << 0
            << QStringList{"boutonChibre_left", "pushButton_Contre"} << false << "Surcontre\nx4";
        QTest::newRow("Coinchee, capot bid") << BELOTE_COINCHEE << true << false << etatMise(5, 1, false, 1) << 2
                                             << QStringList{"boutonChibre_left", "pushButton_Contre"} << true
                                             << "Coinche\nx2";
        QTest::newRow("Coinchee, capot doubled") << BELOTE_COINCHEE << true << false << etatMise(6, 2, false, 2)
                                                 << 1 << QStringList{"boutonChibre_left", "pushButton_Contre"}
                                                 << true << "Surcoinche\nx4";
        QTest::newRow("Contree, redoubled: pass only") << BELOTE_CONTREE << true << false
                                                       << etatMise(4, 3, false, 1) << 2
                                                       << QStringList{"boutonChibre_left", "pushButton_Contre"}
                                                       << false << "Contre\nx2";
        QTest::newRow("Contree, bidder seat out of range") << BELOTE_CONTREE << true << false
                                                           << etatMise(2, 1, false, 9) << 0
                                                           << (QStringList{"boutonChibre_left"} + COULEURS
                                                               + QStringList{"pushButton_Contre", "pushButtonCapot",
                                                                             "widgetBet"})
                                                           << false << "Contre\nx2";
    }
    void buttonsShownPerRequest()
    {
        QFETCH(int, type);
        QFETCH(bool, mise);
        QFETCH(bool, chibre);
        QFETCH(ZB_StatusMise, etat);
        QFETCH(int, joueur);
        QFETCH(QStringList, attendus);
        QFETCH(bool, contreActif);
        QFETCH(QString, texteContre);
        Panneau t;
        // A bidding shown before leaves nothing behind.
        t.montre(BELOTE_COINCHEE, true, false, etatMise(2, 1, false, 1), 0);
        t.montre(type, mise, chibre, etat, joueur);
        // Laid out before it is painted: nothing moves at a later turn of the loop.
        QMap<QString, QRect> places;
        for (const QString& nom : attendus)
            places[nom] = t.w(nom)->geometry();
        QCoreApplication::sendPostedEvents();
        for (const QString& nom : attendus)
            QVERIFY2(t.w(nom)->geometry() == places[nom], qPrintable(nom));
        QStringList vus = t.visibles();
        std::sort(vus.begin(), vus.end());
        std::sort(attendus.begin(), attendus.end());
        QCOMPARE(vus, attendus);
        QCOMPARE(t.p->modeMise(), mise);
        if (attendus.contains("pushButton_Contre")) {
            QCOMPARE(t.w("pushButton_Contre")->isEnabled(), contreActif);
            QCOMPARE(t.w<QPushButton>("pushButton_Contre")->text(), texteContre);
        }
        const QString passe = t.w<QPushButton>("boutonChibre_left")->text();
        QCOMPARE(passe, mise ? QStringLiteral("&Passe") : QStringLiteral("&Chibre"));
        for (const QString& nom : attendus)
            if (nom.startsWith("buttonAtout_"))
                QVERIFY2(t.w(nom)->isEnabled() && !t.w<QAbstractButton>(nom)->isDown(), qPrintable(nom));
    }

    // The double and the redouble in the words each language's players use,
    // also after a language change with the choice open; Coinche's own
    // words stay French.
    void doubleWordsPerLanguage_data()
    {
        QTest::addColumn<QString>("langue");
        QTest::addColumn<int>("type");
        QTest::addColumn<ZB_StatusMise>("etat");
        QTest::addColumn<int>("joueur");
        QTest::addColumn<QString>("texte");
        const ZB_StatusMise mise = etatMise(2, 1, false, 1);
        const ZB_StatusMise contre = etatMise(3, 2, false, 2);
        QTest::newRow("French double") << "" << BELOTE_CONTREE << mise << 2 << "Contre\nx2";
        QTest::newRow("French redouble") << "" << BELOTE_CONTREE << contre << 1 << "Surcontre\nx4";
        QTest::newRow("English double") << "en" << BELOTE_CONTREE << mise << 2 << "Double\nx2";
        QTest::newRow("English redouble") << "en" << BELOTE_CONTREE << contre << 1 << "Redouble\nx4";
        QTest::newRow("English capot redouble") << "en" << BELOTE_CONTREE << etatMise(6, 2, false, 2) << 1
                                                << "Redouble\nx4";
        QTest::newRow("English coinche") << "en" << BELOTE_COINCHEE << mise << 2 << "Coinche\nx2";
        QTest::newRow("English surcoinche") << "en" << BELOTE_COINCHEE << contre << 1 << "Surcoinche\nx4";
        QTest::newRow("German double") << "de" << BELOTE_CONTREE << mise << 2 << "Kontra\nx2";
        QTest::newRow("German redouble") << "de" << BELOTE_CONTREE << contre << 1 << "Rekontra\nx4";
        QTest::newRow("German surcoinche") << "de" << BELOTE_COINCHEE << contre << 1 << "Surcoinche\nx4";
    }
    void doubleWordsPerLanguage()
    {
        QFETCH(QString, langue);
        QFETCH(int, type);
        QFETCH(ZB_StatusMise, etat);
        QFETCH(int, joueur);
        QFETCH(QString, texte);
        Panneau t;
        t.montre(type, true, false, etat, joueur);
        QTranslator traduction;
        if (!langue.isEmpty()) {
            QVERIFY(traduction.load(QStringLiteral(":/translations/zubrik_%1.qm").arg(langue)));
            QVERIFY(QCoreApplication::installTranslator(&traduction));
        }
        const auto retire = qScopeGuard([&traduction] { QCoreApplication::removeTranslator(&traduction); });
        QTRY_COMPARE(t.w<QPushButton>("pushButton_Contre")->text(), texte);
    }

    // What each answer sends: a trump mode, or the bidding state with the
    // fields the panel fills.
    void answers_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<ZB_StatusMise>("etat");
        QTest::addColumn<int>("joueur");
        QTest::addColumn<int>("valeur");
        QTest::addColumn<bool>("capot");
        QTest::addColumn<QString>("bouton");
        // -1: no trump answer; else the mode sent.
        QTest::addColumn<int>("modeAttendu");
        // Bid answer: made, trump, points, contract kind; made -1 for none.
        QTest::addColumn<int>("faite");
        QTest::addColumn<int>("atout");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("contrat");

        const ZB_StatusMise rien;
        const ZB_StatusMise ouverture = etatMise(1, 0, false, -1);
        QTest::newRow("Jass: spades") << SUISSE_ROMAND << rien << -1 << 0 << false << "buttonAtout_Pique" << 3
                                      << -1 << 0 << 0 << 0;
        QTest::newRow("Jass: bottom-up") << SUISSE_ALLEMAND << rien << -1 << 0 << false << "buttonAtout_BasEnHaut"
                                         << 6 << -1 << 0 << 0 << 0;
        QTest::newRow("Jass: zig-zag from the top") << ZIG_ZAG << rien << -1 << 0 << false
                                                    << "buttonAtout_ZigZag_DepartHaut" << 8 << -1 << 0 << 0 << 0;
        QTest::newRow("Jass: chibre beside") << SUISSE_ROMAND << rien << -1 << 0 << false << "boutonChibre_left"
                                             << 0 << -1 << 0 << 0 << 0;
        QTest::newRow("Jass: chibre below") << SUISSE_ROMAND << rien << -1 << 0 << false << "boutonChibre_below"
                                            << 0 << -1 << 0 << 0 << 0;
        QTest::newRow("take the turned suit") << BELOTE_CLASSIQUE << etatMise(1, 1, true, -1) << 1 << 0 << false
                                              << "pushButtonPrends" << -1 << 1 << 0 << 82 << 9;
        QTest::newRow("take refused once a bid stands")
            << BELOTE_CLASSIQUE << etatMise(2, 1, true, 0) << 1 << 0 << false << "pushButtonPrends" << -1 << -1 << 0
            << 0 << 0;
        QTest::newRow("pass") << BELOTE_CONTREE << etatMise(2, 1, false, 1) << 2 << 0 << false << "boutonChibre_left"
                              << -1 << 0 << 0 << 82 << 2;
        QTest::newRow("bid 120 in hearts") << BELOTE_CONTREE << ouverture << 0 << 120 << false << "buttonAtout_Coeur"
                                           << -1 << 1 << 4 << 120 << 2;
        QTest::newRow("bid all trumps") << BELOTE_COINCHEE << ouverture << 0 << 90 << false
                                        << "buttonAtout_ToutAtout" << -1 << 1 << 9 << 90 << 2;
        QTest::newRow("capot in clubs") << BELOTE_CONTREE << ouverture << 0 << 90 << true << "buttonAtout_Trefle"
                                        << -1 << 1 << 1 << 90 << 5;
        QTest::newRow("double") << BELOTE_CONTREE << etatMise(2, 1, false, 1) << 2 << 0 << false
                                << "pushButton_Contre" << -1 << 1 << 0 << 82 << 3;
        QTest::newRow("redouble") << BELOTE_CONTREE << etatMise(3, 2, false, 2) << 1 << 0 << false
                                  << "pushButton_Contre" << -1 << 1 << 0 << 82 << 4;
        QTest::newRow("double a capot") << BELOTE_COINCHEE << etatMise(5, 1, false, 1) << 2 << 0 << false
                                        << "pushButton_Contre" << -1 << 1 << 0 << 82 << 6;
        QTest::newRow("redouble a capot") << BELOTE_COINCHEE << etatMise(6, 2, false, 2) << 1 << 0 << false
                                          << "pushButton_Contre" << -1 << 1 << 0 << 82 << 7;
        QTest::newRow("nothing to double yet") << BELOTE_CONTREE << ouverture << 0 << 0 << false
                                               << "pushButton_Contre" << -1 << -1 << 0 << 0 << 0;
    }
    void answers()
    {
        QFETCH(int, type);
        QFETCH(ZB_StatusMise, etat);
        QFETCH(int, joueur);
        QFETCH(int, valeur);
        QFETCH(bool, capot);
        QFETCH(QString, bouton);
        QFETCH(int, modeAttendu);
        QFETCH(int, faite);
        QFETCH(int, atout);
        QFETCH(int, points);
        QFETCH(int, contrat);
        Panneau t;
        t.montre(type, joueur >= 0, true, etat, joueur);
        QSignalSpy atouts(t.p, &PanelAtouts::signalAtoutButtonPressed_);
        QSignalSpy mises(t.p, &PanelAtouts::signalBetAnswer_);
        if (valeur)
            t.w<QSpinBox>("spinBoxMise")->setValue(valeur);
        if (capot)
            t.w<QPushButton>("pushButtonCapot")->click();
        QAbstractButton* b = t.w<QAbstractButton>(bouton);
        // A click that bypasses the enabled state still meets the panel's
        // own rules: the slots are driven as the buttons drive them.
        if (bouton == "pushButton_Contre")
            t.p->OnContreButtonPressed_();
        else if (bouton == "pushButtonPrends")
            t.p->OnMiseButtonPressed_();
        else
            b->click();
        // The second half of a double-click sends nothing more.
        b->click();

        QCOMPARE(atouts.size(), modeAttendu >= 0 ? 1 : 0);
        if (modeAttendu >= 0)
            QCOMPARE(atouts.first().first().toInt(), modeAttendu);
        QCOMPARE(mises.size(), faite >= 0 ? 1 : 0);
        if (faite < 0)
            return;
        const auto m = mises.first().first().value<ZB_StatusMise>();
        QCOMPARE(int(m.miseFaite_), faite);
        QCOMPARE(m.atoutMise_, atout);
        QCOMPARE(m.pointsMise_, points);
        QCOMPARE(m.typeContrat_, contrat);
        // The table's own fields come back as they were sent.
        QCOMPARE(m.miseur_, etat.miseur_);
        QCOMPARE(m.tourMise_, etat.tourMise_);
        QCOMPARE(m.miseMin_, etat.miseMin_);
        // The next request answers again.
        t.montre(type, true, true, etat, joueur);
        t.w<QAbstractButton>("boutonChibre_left")->click();
        QCOMPARE(mises.size(), 2);
    }

    // The keyboard reaches the buttons: each showing focuses the first one
    // offered, Tab and the arrows move round the buttons offered, Return,
    // Enter and Space press the focused one.
    void keyboardMovesAndPresses_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("mise");
        QTest::addColumn<QList<int>>("touches");
        QTest::addColumn<QString>("focusAttendu");
        QTest::addColumn<int>("appui");
        QTest::addColumn<int>("atoutAttendu");
        QTest::newRow("trump, right, Return") << SUISSE_ROMAND << false << QList<int>{Qt::Key_Right}
                                              << "buttonAtout_Carreau" << int(Qt::Key_Return) << 2;
        QTest::newRow("trump, left to Chibre, Tab back, Space")
            << SUISSE_ROMAND << false << QList<int>{Qt::Key_Left, Qt::Key_Tab} << "buttonAtout_Trefle"
            << int(Qt::Key_Space) << 1;
        QTest::newRow("trump, left twice wraps to the last")
            << SUISSE_ROMAND << false << QList<int>{Qt::Key_Left, Qt::Key_Left} << "" << int(Qt::Key_Enter) << -1;
        QTest::newRow("trump, Chibre by Return") << SUISSE_ROMAND << false << QList<int>{Qt::Key_Backtab}
                                                 << "boutonChibre_left" << int(Qt::Key_Return) << 0;
        QTest::newRow("bid, down, up, down, Enter")
            << BELOTE_CONTREE << true << QList<int>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Down} << "buttonAtout_Carreau"
            << int(Qt::Key_Enter) << 2;
    }
    void keyboardMovesAndPresses()
    {
        QFETCH(int, type);
        QFETCH(bool, mise);
        QFETCH(QList<int>, touches);
        QFETCH(QString, focusAttendu);
        QFETCH(int, appui);
        QFETCH(int, atoutAttendu);
        Panneau t;
        t.montre(type, mise, true, etatMise(1, 0, false, -1), 0);
        QSignalSpy atouts(t.p, &PanelAtouts::signalAtoutButtonPressed_);
        QSignalSpy mises(t.p, &PanelAtouts::signalBetAnswer_);
        QCOMPARE(t.p->focusWidget(), t.w("buttonAtout_Trefle"));
        for (const int touche : touches)
            QTest::keyClick(t.p->focusWidget(), Qt::Key(touche));
        const QList<QAbstractButton*> offerts = t.p->boutonsOfferts();
        QVERIFY(offerts.size() >= 4);
        QWidget* focus = t.p->focusWidget();
        QCOMPARE(focus, focusAttendu.isEmpty() ? offerts.last() : t.w(focusAttendu));
        QVERIFY(focus->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(focus, Qt::Key(appui));
        const int reponses = atouts.size() + mises.size();
        QCOMPARE(reponses, 1);
        if (atoutAttendu < 0)
            return;
        if (mise)
            QCOMPARE(mises.first().first().value<ZB_StatusMise>().atoutMise_, atoutAttendu);
        else
            QCOMPARE(atouts.first().first().toInt(), atoutAttendu);
    }

    // On the table, the band that opens takes the keyboard from the view:
    // the first trump has the focus, and a key sent to the view reaches it.
    // A window over the table the user types in keeps the keyboard, the
    // band opening or asking again under it.
    void tableGivesTheBandTheKeyboard_data()
    {
        QTest::addColumn<bool>("fenetre");
        QTest::addColumn<bool>("fermee");
        QTest::addColumn<bool>("menu");
        QTest::newRow("table alone") << false << false << false;
        QTest::newRow("typing in a window") << true << false << false;
        // The question came while a window had the keyboard: once that
        // window goes, the keyboard is the question's.
        QTest::newRow("the window closed") << true << true << false;
        // Alt opens the menu bar, which takes the keyboard from the view and
        // gives it back when closed (a language change goes that way).
        QTest::newRow("back from the menu bar") << false << false << true;
    }
    void tableGivesTheBandTheKeyboard()
    {
        QFETCH(bool, fenetre);
        QFETCH(bool, fermee);
        QFETCH(bool, menu);
        scenetest::Reglages r;
        r.automatique = false;
        scenetest::TableDeScene t(r);
        t.vue->show();
        t.vue->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.vue.get()));
        PanelAtouts* p = t.scene->panelAtouts();
        QSignalSpy atouts(p, &PanelAtouts::signalAtoutButtonPressed_);
        auto* dialogue = new GM_WidgetAuto(nullptr);
        auto* saisie = new QLineEdit(dialogue);
        QGraphicsProxyWidget* proxy = t.scene->ajouteDialogue(dialogue, 10, 0, 0);
        if (fenetre) {
            // The band kept the keyboard of an earlier question, on an amount
            // a classic Belote bid then turns off.
            p->findChild<QWidget*>(QStringLiteral("spinBoxMise"))->setFocus();
            proxy->show();
            dialogue->show();
            // As a Tab into a field leaves it: its text chosen whole, so
            // that what is typed replaces it.
            saisie->setText(QStringLiteral("4001"));
            saisie->setFocus(Qt::TabFocusReason);
            saisie->selectAll();
            QTRY_VERIFY(saisie->hasFocus());
            p->afficheChoixMise(etatMise(1, 0, true, -1), TypeDePartie::getTypeDePartie(BELOTE_CLASSIQUE), 0);
        }
        for (int fois = 0; fois < 2; ++fois) {
            p->afficheChoixAtout(TypeDePartie::getTypeDePartie(SUISSE_ROMAND), false);
            t.scene->conteneurAtouts()->show();
        }
        auto* trefle = p->findChild<QAbstractButton*>("buttonAtout_Trefle");
        if (fenetre) {
            // Keys already on their way reach the window: the band never
            // holds the keyboard, not even until the next turn of the loop.
            QVERIFY(saisie->hasFocus());
            QVERIFY(!trefle->hasFocus());
            QTRY_VERIFY(saisie->hasFocus());
            QTest::keyClicks(t.vue->viewport(), QStringLiteral("20378"));
            QTest::keyClick(t.vue->viewport(), Qt::Key_Return);
            QCOMPARE(saisie->text(), QStringLiteral("20378"));
            QVERIFY(!trefle->hasFocus());
            QCOMPARE(atouts.size(), 0);
            if (!fermee)
                return;
            dialogue->hide();
            proxy->hide();
        }
        QTRY_VERIFY(trefle->hasFocus());
        QTest::keyClick(t.vue->viewport(), Qt::Key_Right);
        auto* carreau = p->findChild<QAbstractButton*>("buttonAtout_Carreau");
        QTRY_VERIFY(carreau->hasFocus());
        if (menu) {
            // The menu opens as a popup first, then the bar holds the keyboard
            // until the menu closes.
            QFocusEvent sortie(QEvent::FocusOut, Qt::PopupFocusReason);
            QCoreApplication::sendEvent(t.vue.get(), &sortie);
            auto* barre = new QLineEdit(t.vue.get());
            barre->show();
            barre->setFocus(Qt::MenuBarFocusReason);
            QTRY_VERIFY(barre->hasFocus());
            t.vue->setFocus(Qt::MenuBarFocusReason);
            QTRY_VERIFY(carreau->hasFocus());
        }
        QTest::keyClick(t.vue->viewport(), Qt::Key_Return);
        QCOMPARE(atouts.size(), 1);
        QCOMPARE(atouts.first().first().toInt(), 2);
    }

    void capotLocksTheAmountAndThePass()
    {
        Panneau t;
        t.montre(BELOTE_CONTREE, true, false, etatMise(2, 1, false, 1), 0);
        const QStringList verrouilles = {"spinBoxMise", "pushButtonBetMinus", "pushButtonBetPlus", "boutonChibre_left",
                                         "boutonChibre_below", "pushButton_Contre"};
        // The capot names the points it is scored on: the box's.
        auto* boite = t.w<QSpinBox>("spinBoxMise");
        boite->setValue(boite->minimum() + boite->singleStep());
        QTRY_COMPARE(t.w<QPushButton>("pushButtonCapot")->text(), QStringLiteral("Capot (%1)").arg(boite->value()));
        t.w<QPushButton>("pushButtonCapot")->click();
        for (const QString& nom : verrouilles)
            QVERIFY2(!t.w(nom)->isEnabled(), qPrintable(nom));
        QSignalSpy mises(t.p, &PanelAtouts::signalBetAnswer_);
        t.w<QAbstractButton>("boutonChibre_left")->click();
        QCOMPARE(mises.size(), 0);
        t.w<QPushButton>("pushButtonCapot")->click();
        for (const QString& nom : verrouilles)
            QVERIFY2(t.w(nom)->isEnabled(), qPrintable(nom));
        // A new request starts with Capot off.
        t.w<QPushButton>("pushButtonCapot")->click();
        t.montre(BELOTE_CONTREE, true, false, etatMise(2, 1, false, 1), 0);
        QVERIFY(!t.w<QPushButton>("pushButtonCapot")->isChecked());
        QVERIFY(t.w("spinBoxMise")->isEnabled());
    }

    void spinBoxTakesTheBiddingBounds_data()
    {
        QTest::addColumn<int>("pas");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<bool>("bloque");
        QTest::addColumn<int>("minAttendu");
        QTest::addColumn<int>("maxAttendu");
        QTest::newRow("defaults") << 10 << 80 << 160 << false << 80 << 160;
        QTest::newRow("announcements on") << 10 << 130 << 650 << false << 130 << 650;
        QTest::newRow("crossed bounds") << 10 << 170 << 160 << false << 170 << 170;
        QTest::newRow("negative step") << -10 << 80 << 160 << false << 80 << 160;
        QTest::newRow("locked amount") << 10 << 80 << 160 << true << 80 << 160;
    }
    void spinBoxTakesTheBiddingBounds()
    {
        QFETCH(int, pas);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(bool, bloque);
        QFETCH(int, minAttendu);
        QFETCH(int, maxAttendu);
        Panneau t;
        ZB_StatusMise m = etatMise(1, 0, bloque, -1);
        m.pasMise_ = pas;
        m.miseMin_ = min;
        m.miseMax_ = max;
        t.montre(BELOTE_CONTREE, true, false, m, 0);
        auto* spin = t.w<QSpinBox>("spinBoxMise");
        QCOMPARE(spin->singleStep(), std::max(pas, 0));
        QCOMPARE(spin->minimum(), minAttendu);
        QCOMPARE(spin->maximum(), maxAttendu);
        QCOMPARE(spin->value(), minAttendu);
        QCOMPARE(spin->isVisible(), !bloque);
        QCOMPARE(spin->isEnabled(), !bloque);
        QCOMPARE(t.w("labelMiseValue")->isVisible(), bloque);
        QCOMPARE(t.w<QLabel>("labelMiseValue")->text(), QStringLiteral("82"));
        QVERIFY(t.w("labelMise")->isVisible());
    }

    // Holding plus or minus, driven by the repeat timer's own slot.
    void longPressRepeats_data()
    {
        QTest::addColumn<bool>("plus");
        QTest::addColumn<int>("depart");
        QTest::addColumn<int>("repetitions");
        QTest::addColumn<int>("valeurs");
        QTest::addColumn<bool>("timerApresAppui");
        QTest::newRow("plus, held") << true << 90 << 3 << 130 << true;
        QTest::newRow("minus, held") << false << 150 << 2 << 120 << true;
        QTest::newRow("plus at the maximum") << true << 160 << 0 << 160 << false;
        QTest::newRow("minus at the minimum") << false << 90 << 0 << 90 << false;
        QTest::newRow("plus, held up to the maximum") << true << 130 << 5 << 160 << true;
    }
    void longPressRepeats()
    {
        QFETCH(bool, plus);
        QFETCH(int, depart);
        QFETCH(int, repetitions);
        QFETCH(int, valeurs);
        QFETCH(bool, timerApresAppui);
        Panneau t;
        t.montre(BELOTE_CONTREE, true, false, etatMise(1, 0, false, -1), 0);
        auto* spin = t.w<QSpinBox>("spinBoxMise");
        spin->setValue(depart);
        auto* bouton = t.w<QPushButton>(plus ? "pushButtonBetPlus" : "pushButtonBetMinus");
        auto* timer = t.w<QTimer>(plus ? "timerBetPlus" : "timerBetMinus");
        auto repete = [&] {
            if (plus)
                t.p->OnPushButtonBetPlusLongCheck();
            else
                t.p->OnPushButtonBetMinusLongCheck();
        };

        QTest::mousePress(bouton, Qt::LeftButton);
        QCOMPARE(timer->isActive(), timerApresAppui);
        QCOMPARE(timer->interval(), PanelAtouts::DELAI_APPUI_LONG_MS);
        QVERIFY(timer->isSingleShot());
        for (int i = 0; i < repetitions; ++i) {
            repete();
            if (spin->value() != spin->maximum())
                QCOMPARE(timer->interval(), PanelAtouts::DELAI_REPETITION_MS);
        }
        QCOMPARE(spin->value(), valeurs);
        QTest::mouseRelease(bouton, Qt::LeftButton);
        repete();
        QCOMPARE(spin->value(), valeurs);
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), PanelAtouts::DELAI_APPUI_LONG_MS);

        // A fresh press waits the long pause again, even after a repeat
        // that stopped at a bound while the button was held.
        spin->setValue(depart);
        QTest::mousePress(bouton, Qt::LeftButton);
        QCOMPARE(timer->interval(), PanelAtouts::DELAI_APPUI_LONG_MS);
        QTest::mouseRelease(bouton, Qt::LeftButton);
    }

    // Layout: which Chibre button serves, button sides, and the narrow
    // strip with a single allowed mode (one column, no division by zero).
    void layoutFollowsTheSize_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("mise");
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<QString>("chibre");
        QTest::addColumn<int>("cote");
        QTest::newRow("Jass, wide") << SUISSE_ROMAND << false << QSize(960, 120) << "boutonChibre_left" << 84;
        QTest::newRow("Jass, narrow") << SUISSE_ROMAND << false << QSize(400, 120) << "boutonChibre_below" << 60;
        QTest::newRow("zig-zag, many buttons") << ZIG_ZAG << false << QSize(960, 120) << "boutonChibre_left" << 60;
        QTest::newRow("Contree bid") << BELOTE_CONTREE << true << QSize(1280, 160) << "boutonChibre_left" << 112;
        QTest::newRow("single mode, narrow") << -1 << false << QSize(250, 120) << "boutonChibre_below" << 60;
    }
    void layoutFollowsTheSize()
    {
        QFETCH(int, type);
        QFETCH(bool, mise);
        QFETCH(QSize, taille);
        QFETCH(QString, chibre);
        QFETCH(int, cote);
        Panneau t(taille);
        TypeDePartie unSeul;
        unSeul.multiplicateurs_.fill(-1);
        unSeul.multiplicateurs_[3] = 1;
        const TypeDePartie& tp = type < 0 ? unSeul : TypeDePartie::getTypeDePartie(type);
        if (mise)
            t.p->afficheChoixMise(etatMise(1, 0, false, -1), tp, 0);
        else
            t.p->afficheChoixAtout(tp, true);
        // The proxy keeps the panel at least as large as its content: the
        // band's size is given again once the content is known.
        QCoreApplication::sendPostedEvents();
        t.proxy->resize(taille);
        QVERIFY2(t.w(chibre)->isVisible(), qPrintable(QStringLiteral("%1x%2").arg(t.p->width()).arg(t.p->height())));
        const QString autre = chibre == "boutonChibre_left" ? "boutonChibre_below" : "boutonChibre_left";
        QVERIFY(!t.w(autre)->isVisible());
        auto* pique = t.w<QAbstractButton>("buttonAtout_Pique");
        QCOMPARE(pique->maximumHeight(), cote);
        QVERIFY(pique->minimumWidth() >= 1);
        QVERIFY(pique->iconSize().width() > 0 && pique->iconSize().width() <= cote / 3 + 3);
        QCOMPARE(t.w("boutonChibre_left")->maximumWidth(), 3 * cote);
    }

    // The trump buttons' tooltips name each trump with its factor, in the
    // language shown.
    void tooltipsNameTheTrumpAndItsFactor()
    {
        Panneau t;
        t.montre(PIQUE_DOUBLE, false, true, {}, 0);
        QVERIFY(t.w("buttonAtout_Pique")->toolTip().endsWith(" x2"));
        QVERIFY(t.w("buttonAtout_Coeur")->toolTip().endsWith(" x1"));
        t.montre(SUISSE_ALLEMAND, false, true, {}, 0);
        QVERIFY(t.w("buttonAtout_HautEnBas")->toolTip().contains(" x3, "));
        QVERIFY(!t.w("buttonAtout_Trefle")->toolTip().contains(", "));
        // A language change while the band shows names them again at once.
        const QString francais = t.w("buttonAtout_Trefle")->toolTip();
        QTranslator anglais;
        QVERIFY(anglais.load(QStringLiteral(":/translations/zubrik_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&anglais));
        const QString traduit =
            getNomAtoutLong(1, t.p->styleCartes()) + francais.mid(francais.lastIndexOf(QStringLiteral(" x")));
        QCoreApplication::removeTranslator(&anglais);
        QVERIFY(traduit != francais);
        QVERIFY(QCoreApplication::installTranslator(&anglais));
        QTRY_COMPARE(t.w("buttonAtout_Trefle")->toolTip(), traduit);
        QCoreApplication::removeTranslator(&anglais);
        QTRY_COMPARE(t.w("buttonAtout_Trefle")->toolTip(), francais);
        // In screenshot mode the tooltips stay as they were.
        PanelAtouts captures(true);
        captures.afficheChoixAtout(TypeDePartie::getTypeDePartie(PIQUE_DOUBLE), true);
        QVERIFY(captures.findChild<QWidget*>("buttonAtout_Pique")->toolTip().isEmpty());
    }

    // The table's card style reaches the trump buttons: their signs and
    // the trump names in their tooltips.
    void followsTheTableCardStyle()
    {
        scenetest::Reglages r;
        r.automatique = false;
        r.options.cardStyle_ = 1;
        scenetest::TableDeScene t(r);
        PanelAtouts* p = t.scene->panelAtouts();
        QCOMPARE(p->styleCartes(), 1);
        QCOMPARE(p->findChild<QWidget*>("buttonAtout_Trefle")->toolTip(), getNomAtoutLong(1, 1) + " x1");
        OptionsAffichage options = t.scene->optionsAffichage();
        options.cardStyle_ = 3;
        t.scene->setOptionsAffichage(options);
        t.scene->OnChangeCardStyle();
        QCOMPARE(p->styleCartes(), 3);
        QCOMPARE(p->findChild<QWidget*>("buttonAtout_Trefle")->toolTip(), getNomAtoutLong(1, 3) + " x1");
        QVERIFY(!p->findChild<QAbstractButton*>("buttonAtout_Coeur")->icon().isNull());
    }

    // A language change keeps the texts of the request on show.
    void retranslationKeepsTheRequestTexts()
    {
        Panneau t;
        t.montre(BELOTE_COINCHEE, true, false, etatMise(3, 2, false, 2), 1);
        QEvent changement(QEvent::LanguageChange);
        QCoreApplication::sendEvent(t.p, &changement);
        QCOMPARE(t.w<QPushButton>("boutonChibre_left")->text(), QStringLiteral("&Passe"));
        QCOMPARE(t.w<QPushButton>("pushButton_Contre")->text(), QStringLiteral("Surcoinche\nx4"));
        t.montre(SUISSE_ROMAND, false, true, {}, 0);
        QCoreApplication::sendEvent(t.p, &changement);
        QCOMPARE(t.w<QPushButton>("boutonChibre_below")->text(), QStringLiteral("&Chibre"));
    }
};

ZB_REGISTER_TEST(TestPanelAtouts)
#include "TestPanelAtouts.moc"
