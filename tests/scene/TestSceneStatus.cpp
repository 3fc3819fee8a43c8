#include "AI_Joueur.h"
#include "AiTestKit.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectSquare.h"
#include "GM_WidgetAutoRound.h"
#include "InfoDemande.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "TableDeScene.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZbTestRegistry.h"
#include "ui_MessageBoxGl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QGraphicsSimpleTextItem>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include <array>
#include <memory>

using namespace aitest;
using namespace scenetest;

// Points of a deal for the scoreboard.
struct DonneArdoise
{
    int cartes[2] = {0, 0};
    int annonces[2] = {0, 0};
    int der[2] = {0, 0};
    int contrat[2] = {0, 0};
};
Q_DECLARE_METATYPE(DonneArdoise)

namespace {

constexpr int AUCUN = -1;

// A table as the local human sees it: the human at seat 0, answered by hand,
// three named computer players, and a deal from a seed.
struct Salon
{
    explicit Salon(bool belote = false, bool suiteAuto = false, quint32 graine = 11, int cartesJouees = 0,
                   bool couleurConseil = true, int styleCartes = 9, int theme = 0, double combinaisons = 30)
        : position(belote, graine, cartesJouees, belote ? 1 : 3, 0)
    {
        Reglages r;
        r.automatique = false;
        r.belote = belote;
        r.options.cardStyle_ = styleCartes; // 9, no pictures: quick
        r.options.quality_ = 1;
        r.options.appStyle_ = theme;
        r.taille = QSize(960, 640);
        r.options.sounds_ = false;
        r.options.ramassageAuto_ = suiteAuto;
        r.options.ramassageDelay_ = 1700;
        r.options.coloredCard_ = couleurConseil;
        table = std::make_unique<TableDeScene>(r);
        OptionsDuJoueur moi = optionsOrdi(combinaisons);
        moi.ordinateur_ = 0;
        moi.nom_ = QStringLiteral("Moi");
        humain.initialise(moi, &contexte, 0, false, position.partie->typeDePartie_, false, &vide, 30.0);
        humain.getAide()->getSubstitut()->setNombreDeFils(1);
        humain.setPartie(position.partie);
        humain.recoitCartes(position.mains[0]);
        humain.setMode(Joueur::ModeManuel);
        for (int j = 1; j < 4; ++j) {
            OptionsDuJoueur o = optionsOrdi(30);
            o.nom_ = QStringLiteral("IA%1").arg(j);
            ordis[size_t(j)].initialise(nullptr, o, &contexte, j, position.partie->typeDePartie_, false);
        }
        scene().setNoJoueurLocal(0);
        scene().setPartie(position.partie);
        for (int j = 0; j < 4; ++j)
            scene().setJoueur(j, joueur(j), j == 0 ? QSharedPointer<DisplayGLPanelDeJoueur>(panneau) : nullptr);
    }
    ~Salon()
    {
        // No search may outlive its player.
        if (table)
            scene().attendConseil(-1);
        humain.getAide()->getSubstitut()->attendRecherche(10000);
    }
    DisplayGLScene& scene() { return *table->scene; }
    Joueur* joueur(int j)
    {
        if (j == 0)
            return &humain;
        return j > 0 && j < 4 ? &ordis[size_t(j)] : nullptr;
    }
    void etat(int code, int acteur = AUCUN, int second = AUCUN, int noJoueur = AUCUN, bool impose = false)
    {
        scene().afficheEtat(InfoDemande(code, 0, 1, 0, 0), joueur(acteur), joueur(second), noJoueur, impose);
    }
    // The status lines as one text, line breaks kept.
    QString lignes() const
    {
        QStringList l;
        for (const QGraphicsSimpleTextItem* ligne : table->scene->lignesArdoise())
            if (!ligne->text().isEmpty())
                l << ligne->text();
        return l.join(QLatin1Char('\n'));
    }

    // The panel counts the pending actions it is asked to perform.
    struct Panneau : DisplayGLPanelDeJoueur
    {
        using DisplayGLPanelDeJoueur::DisplayGLPanelDeJoueur;
        bool executeAttente() override
        {
            ++executions;
            return true;
        }
        int executions = 0;
    };

    Position position;
    ZB_DisplayEmpty vide;
    TableEnregistreuse destinataire;
    QObject contexte{&destinataire};
    JoueurHumain humain;
    std::array<AI_Joueur, 4> ordis;
    std::unique_ptr<TableDeScene> table;
    QSharedPointer<Panneau> panneau = QSharedPointer<Panneau>::create(
        nullptr, nullptr, nullptr, nullptr, QList<QSharedPointer<DisplayGLHumanCarte>>());
};


ZB_PointsJass points(const DonneArdoise& d)
{
    ZB_PointsJass p;
    for (int e = 0; e < 2; ++e) {
        p.pointsCartes_[e] = d.cartes[e];
        p.pointsAnnonces_[e] = d.annonces[e];
        p.bonusDernierPli_[e] = d.der[e];
        p.pointsContrat_[e] = d.contrat[e];
    }
    return p;
}

// The score items started by the last update: text and start delay.
QStringList scoresLances(DisplayGLScene& s)
{
    QStringList lances;
    for (const auto& anim : s.animationsScore()) {
        if (!anim->isDelayRunning() && !anim->driver()->isRunning())
            continue;
        lances << QStringLiteral("%1@%2").arg(anim->texte()->toPlainText()).arg(std::max(0, anim->delaiMs()));
    }
    lances.sort();
    return lances;
}

// Stops every score item, so that the next update's items stand alone.
void arreteScores(DisplayGLScene& s)
{
    for (const auto& anim : s.animationsScore())
        anim->stop();
}

// With ZB_DISPLAY_PNG_DIR=<folder> the pictures are left there for a look.
void garde(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_DISPLAY_PNG_DIR");
    if (!dossier.isEmpty() && QDir().mkpath(dossier))
        image.save(dossier + QLatin1Char('/') + nom);
}

int pixelsRouges(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 200 && c.green() < 60 && c.blue() < 60 && c.alpha() > 200;
        }
    return n;
}

} // namespace

class TestSceneStatus : public QObject
{
    Q_OBJECT

private slots:
    // What the status line asks, state by state; prompts to the local human
    // also enable help where there is help and vibrate.
    void statusFollowsTheState_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<bool>("suiteAuto");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("acteur");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("noJoueur");
        QTest::addColumn<bool>("impose");
        QTest::addColumn<int>("prochain");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<bool>("aide");
        QTest::addColumn<bool>("vibre");
        QTest::addColumn<bool>("timerAuto");
        const QString patientez = QStringLiteral("Patientez...");
        // belote, auto, code, actor, second, seat, imposed, next to play
        QTest::newRow("inscription") << false << false << 2 << AUCUN << AUCUN << AUCUN << false << 0 << QString()
                                     << false << false << false;
        QTest::newRow("deal, click") << false << false << 7 << AUCUN << AUCUN << AUCUN << false << 0
                                     << QStringLiteral("Cliquez pour distribuer.") << true << true << false;
        QTest::newRow("deal, automatic") << false << true << 8 << AUCUN << AUCUN << AUCUN << false << 0 << QString()
                                         << true << false << true;
        QTest::newRow("bid, here") << true << false << 11 << AUCUN << AUCUN << 0 << false << 0
                                   << QStringLiteral("Choisissez la mise.") << true << true << false;
        QTest::newRow("bid, other seat") << true << false << 16 << AUCUN << AUCUN << 1 << false << 0
                                         << QStringLiteral("IA1 choisit la mise...") << false << false << false;
        QTest::newRow("bid, seat outside the table") << true << false << 12 << AUCUN << AUCUN << 7 << false << 0
                                                     << patientez << false << false << false;
        QTest::newRow("bid, no seat") << true << false << 12 << AUCUN << AUCUN << -1 << false << 0 << patientez
                                      << false << false << false;
        QTest::newRow("trump, here") << false << false << 27 << 0 << AUCUN << 0 << false << 0
                                     << QStringLiteral("Choisissez l'atout.") << true << true << false;
        QTest::newRow("trump, imposed") << false << false << 27 << 0 << AUCUN << 0 << true << 0 << patientez << false
                                        << false << false;
        QTest::newRow("trump, other seat") << false << false << 27 << 1 << AUCUN << 1 << false << 0
                                           << QStringLiteral("IA1 choisit l'atout...") << false << false << false;
        QTest::newRow("trump, nobody") << false << false << 27 << AUCUN << AUCUN << 1 << false << 0 << patientez
                                       << false << false << false;
        QTest::newRow("chibre, partner chooses here")
            << false << false << 28 << 2 << 0 << 2 << false << 0 << QStringLiteral("IA2 a chibré. Choisissez l'atout.")
            << true << true << false;
        QTest::newRow("chibre, no actor") << false << false << 28 << AUCUN << 0 << 2 << false << 0
                                          << QStringLiteral("Choisissez l'atout.") << true << true << false;
        QTest::newRow("chibre, here passed") << false << false << 28 << 0 << 2 << 0 << false << 0
                                             << QStringLiteral("Vous avez chibré. IA2 choisit l'atout...") << false
                                             << false << false;
        QTest::newRow("chibre, others") << false << false << 28 << 1 << 3 << 1 << false << 0
                                        << QStringLiteral("IA1 a chibré. IA3 choisit l'atout...") << false << false
                                        << false;
        QTest::newRow("chibre, partner missing") << false << false << 28 << 1 << AUCUN << 1 << false << 0
                                                 << patientez << false << false << false;
        QTest::newRow("announcements") << false << false << 29 << 1 << AUCUN << 1 << false << 0 << QString() << false
                                       << false << false;
        QTest::newRow("new player") << false << false << 49 << 1 << AUCUN << 1 << false << 0 << patientez << false
                                    << false << false;
        QTest::newRow("card, other seat") << false << false << 54 << 1 << AUCUN << 1 << false << 1
                                          << QStringLiteral("Au tour de IA1...") << false << false << false;
        QTest::newRow("card, nobody named") << true << false << 54 << AUCUN << AUCUN << 1 << false << 1 << patientez
                                            << false << false << false;
        QTest::newRow("card, here") << false << false << 54 << 0 << AUCUN << 0 << false << 0
                                    << QStringLiteral("Choisissez une carte.") << true << true << false;
        QTest::newRow("card, here, belote") << true << false << 122 << 0 << AUCUN << 0 << false << 0
                                            << QStringLiteral("Choisissez une carte.") << true << true << false;
        QTest::newRow("collect, click") << false << false << 41 << 1 << AUCUN << 1 << false << 0
                                        << QStringLiteral("Cliquez pour continuer.") << false << true << false;
        QTest::newRow("collect, automatic") << true << true << 128 << 1 << AUCUN << 1 << false << 0 << QString()
                                            << false << false << true;
        QTest::newRow("confirm announcements") << false << false << 46 << 1 << AUCUN << 1 << false << 0
                                               << QStringLiteral("Cliquez pour confirmer les annonces.") << true
                                               << true << false;
        QTest::newRow("pair decides the match") << true << false << 129 << 1 << AUCUN << 1 << false << 0 << QString()
                                                << false << false << false;
        QTest::newRow("pair's collect") << true << false << 131 << 1 << AUCUN << 1 << false << 0
                                        << QStringLiteral("Cliquez pour terminer la partie.") << false << true
                                        << false;
        QTest::newRow("match over") << false << false << 134 << AUCUN << AUCUN << AUCUN << false << 0
                                    << QStringLiteral("Fin du Jeu!") << false << false << false;
        QTest::newRow("end of game") << true << false << 137 << AUCUN << AUCUN << AUCUN << false << 0
                                     << QStringLiteral("Cliquez pour continuer.") << false << true << false;
        QTest::newRow("new game question") << false << false << 139 << AUCUN << AUCUN << AUCUN << false << 0
                                           << QString() << false << false << false;
        QTest::newRow("unknown code") << false << false << 5000 << AUCUN << AUCUN << AUCUN << false << 0 << QString()
                                      << false << false << false;
    }
    void statusFollowsTheState()
    {
        QFETCH(bool, belote);
        QFETCH(bool, suiteAuto);
        QFETCH(int, code);
        QFETCH(int, acteur);
        QFETCH(int, second);
        QFETCH(int, noJoueur);
        QFETCH(bool, impose);
        QFETCH(int, prochain);
        QFETCH(QString, attendu);
        QFETCH(bool, aide);
        QFETCH(bool, vibre);
        QFETCH(bool, timerAuto);
        Salon salon(belote, suiteAuto);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = prochain;
        salon.etat(code, acteur, second, noJoueur, impose);
        QCOMPARE(s.texteStatut(), attendu);
        QCOMPARE(salon.lignes(), attendu);
        QCOMPARE(s.boutonAide()->isEnabled(), aide);
        QCOMPARE(salon.table->natif.vibrations, vibre ? QList<int>{50} : QList<int>());
        QCOMPARE(s.timerSuiteAuto().isActive(), timerAuto);
        QCOMPARE(s.isMainJouable(), attendu == QStringLiteral("Choisissez une carte."));
        QCOMPARE(s.etatCourant(), code);
        if (timerAuto) {
            // The pending action is performed when the timer fires.
            QTRY_COMPARE(salon.panneau->executions, 1);
        }
    }

    // Whoever does not play here by hand reads why nothing is asked.
    void onlookersAreToldToWait_data()
    {
        QTest::addColumn<int>("cas");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("nobody at the bottom seat") << 0 << QStringLiteral("Patientez...");
        QTest::newRow("watching") << 1 << QStringLiteral("Vous êtes spectateur, merci de patienter...");
        QTest::newRow("the computer plays the seat") << 2 << QStringLiteral("Vous êtes spectateur.");
    }
    void onlookersAreToldToWait()
    {
        QFETCH(int, cas);
        QFETCH(QString, attendu);
        Salon salon;
        DisplayGLScene& s = salon.scene();
        if (cas == 0)
            s.setJoueur(0, nullptr);
        else if (cas == 1)
            s.setModeVue(2);
        else
            salon.humain.setMode(Joueur::ModeOrdinateur);
        for (int code : {7, 11, 27, 37, 41, 134}) {
            salon.etat(code, 0, AUCUN, 0);
            QCOMPARE(s.texteStatut(), attendu);
            QVERIFY(!s.boutonAide()->isEnabled());
        }
        QVERIFY(salon.table->natif.vibrations.isEmpty());
    }

    // The first card of a deal names the trump; only Jass's first deal
    // says who opens it.
    void firstCardNamesTheTrump_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("impose");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("quiCommence");
        QTest::newRow("jass, first deal") << false << 0 << false << QStringLiteral("L'atout est %1.") << true;
        QTest::newRow("jass, later deal") << false << 120 << false << QStringLiteral("L'atout est %1.") << false;
        QTest::newRow("jass, imposed") << false << 0 << true << QStringLiteral("L'atout imposé est %1.") << true;
        QTest::newRow("belote, first deal") << true << 0 << false << QStringLiteral("L'atout est %1.") << false;
    }
    void firstCardNamesTheTrump()
    {
        QFETCH(bool, belote);
        QFETCH(int, total);
        QFETCH(bool, impose);
        QFETCH(QString, message);
        QFETCH(bool, quiCommence);
        Salon salon(belote);
        DisplayGLScene& s = salon.scene();
        s.afficheArdoise(ZB_PointsJass(), total, 0, 1, {}, -1);
        salon.position.partie->noDuProchainAJouer_ = 1;
        salon.etat(37, 1, AUCUN, 1, impose);
        const QString atout =
            scene_textes::nomAtout(salon.position.partie->atoutEnCours_, s.jeuDeCartes().getStyle(),
                                   scene_textes::UsageAtout::Annonce);
        QVERIFY(!atout.startsWith(QStringLiteral("ERREUR")));
        QCOMPARE(s.animationsMessage().front()->texte()->toPlainText(), message.arg(atout));
        QCOMPARE(salon.lignes().startsWith(QStringLiteral("Le joueur avec '")), quiCommence);
        QCOMPARE(s.timerAide().isActive(), quiCommence);
        // The temporary text gives way to the status.
        s.OnHelpTimeout();
        QCOMPARE(salon.lignes(), QStringLiteral("Au tour de IA1..."));
    }

    // The seat panel's help text shows above the status, each alone when
    // the other is empty.
    void helpTextGoesAboveTheStatus()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = 1;
        salon.etat(38, 1, AUCUN, 1);
        s.setTexteAide(QStringLiteral("Aide du panneau"));
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nAu tour de IA1..."));
        s.setStatusText(QStringLiteral("Un instant"));
        QCOMPARE(salon.lignes(), QStringLiteral("Un instant"));
        s.OnHelpTimeout();
        QVERIFY(!s.timerAide().isActive());
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nAu tour de IA1..."));
        // Cut short by a box or a reset, the temporary text still leaves.
        s.setStatusText(QStringLiteral("Un instant"));
        s.stopAnimationsAndCloseDialogs();
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nAu tour de IA1..."));
        // The human's card is played: the table is waited for.
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(38, 0, AUCUN, 0);
        QVERIFY(s.isMainJouable() && s.boutonAide()->isEnabled());
        s.statutAttente();
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nPatientez..."));
        QVERIFY(!s.isMainJouable() && !s.boutonAide()->isEnabled());
        salon.etat(134);
        s.setTexteAide(QString());
        QCOMPARE(salon.lignes(), QStringLiteral("Fin du Jeu!"));
        QCOMPARE(scene_textes::composeStatut(QString(), QStringLiteral("h")), QStringLiteral("h"));
        QCOMPARE(scene_textes::composeStatut(QString(), QString()), QString());
    }

    // The scoreboard: match totals, the deal's line divided by its
    // multiplier, the target or the rounds left; "Vous" is the viewer's team.
    void scoreboardLines_data()
    {
        QTest::addColumn<DonneArdoise>("donne");
        QTest::addColumn<int>("bas");
        QTest::addColumn<int>("multiplicateur");
        QTest::addColumn<int>("objectif");
        QTest::addColumn<QStringList>("attendu");
        DonneArdoise d;
        d.cartes[0] = 100;
        d.cartes[1] = 52;
        d.der[1] = 5;
        QTest::newRow("viewer in team 0") << d << 0 << 1 << 1000
                                          << QStringList{"Vous: 300", "Tour: 100x1", "--- 1000 ---", "Eux: 200",
                                                         "Tour: 57x1"};
        QTest::newRow("viewer in team 1") << d << 1 << 1 << -1
                                          << QStringList{"Eux: 300", "Tour: 100x1", "---", "Vous: 200", "Tour: 57x1"};
        DonneArdoise double_;
        double_.cartes[0] = 157;
        QTest::newRow("multiplier 2") << double_ << 0 << 2 << 100000
                                      << QStringList{"Vous: 300", "Tour: 78x2", "--- 4 ---", "Eux: 200", "Tour: 0x2"};
        // Between a reset and the seating (a file being opened) the user's
        // side stays on top.
        QTest::newRow("no seat yet") << d << -1 << 1 << 1000
                                     << QStringList{"Vous: 300", "Tour: 100x1", "--- 1000 ---", "Eux: 200",
                                                    "Tour: 57x1"};
        QTest::newRow("multiplier 0 counts as 1")
            << double_ << 2 << 0 << 1500
            << QStringList{"Vous: 300", "Tour: 157x1", "--- 1500 ---", "Eux: 200", "Tour: 0x1"};
    }
    void scoreboardLines()
    {
        QFETCH(DonneArdoise, donne);
        QFETCH(int, bas);
        QFETCH(int, multiplicateur);
        QFETCH(int, objectif);
        QFETCH(QStringList, attendu);
        Salon salon;
        DisplayGLScene& s = salon.scene();
        if (bas < 0) {
            s.finDeDonne();
        } else if (bas != 0) {
            salon.humain.setMode(Joueur::ModeOrdinateur);
            s.setNoJoueurLocal(bas);
            s.setJoueur(bas, salon.joueur(bas));
            QCOMPARE(s.siegeBas(), bas);
        }
        s.nouvelleDonne(9, objectif, 4);
        s.setPartieEnLigne(true);
        s.afficheArdoise(points(donne), 300, 200, multiplicateur, {}, -1);
        const DisplayGLScene::LignesArdoise l = s.lignesArdoise(points(donne), multiplicateur);
        QCOMPARE(QStringList(l.textes.begin(), l.textes.end()), attendu);
        QVERIFY(!s.imageArdoise().isNull());
        // The online score goes to the platform: viewer's team first.
        QCOMPARE(salon.table->natif.scores.size(), 1);
        const int t = l.equipeVue;
        QCOMPARE(salon.table->natif.scores[0].points, points(donne).getScore(t) + (t == 0 ? 300 : 200));
        QCOMPARE(salon.table->natif.scores[0].adversaire, points(donne).getScore(1 - t) + (t == 0 ? 200 : 300));
    }

    // The struck team's deal line is drawn in red.
    void struckTeamIsDrawnInRed()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        DonneArdoise d;
        d.cartes[0] = 80;
        d.contrat[1] = 160;
        s.afficheArdoise(points(d), 0, 0, 1, {}, -1);
        const int sansBarre = pixelsRouges(s.imageArdoise());
        s.afficheArdoise(points(d), 0, 0, 1, {}, 1);
        QVERIFY2(pixelsRouges(s.imageArdoise()) > sansBarre + 50, "the struck line is red");
    }

    // Each changed counter floats its own difference, 600 ms after the
    // previous one; the first match or capot adds its banner.
    void scoreChangesFloat_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("bas");
        QTest::addColumn<bool>("match");
        QTest::addColumn<QStringList>("attendu");
        // In start order, each one step after the one before.
        QTest::newRow("announcement only") << false << 0 << false << QStringList{"+20 Annonce"};
        QTest::newRow("seen from the other team") << false << 1 << false << QStringList{"-20 Annonce"};
        QTest::newRow("five counters") << false << 0 << true
                                       << QStringList{"+157", "+20 Annonce", "+5 Der", "+20 Stöck", "+100 Mise",
                                                      "Match"};
        QTest::newRow("belote capot") << true << 0 << true
                                      << QStringList{"+157", "+20 Annonce", "+5 Der", "+20 Belote", "+100 Mise",
                                                     "Capot"};
    }
    void scoreChangesFloat()
    {
        QFETCH(bool, belote);
        QFETCH(int, bas);
        QFETCH(bool, match);
        QFETCH(QStringList, attendu);
        Salon salon(belote);
        DisplayGLScene& s = salon.scene();
        if (bas != 0) {
            salon.humain.setMode(Joueur::ModeOrdinateur);
            s.setNoJoueurLocal(bas);
            s.setJoueur(bas, salon.joueur(bas));
        }
        ZB_PointsJass p;
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        arreteScores(s);
        p.pointsAnnonces_[0] = 20;
        if (match) {
            p.pointsCartes_[0] = 157;
            p.bonusDernierPli_[0] = 5;
            p.autresPoints_[0] = 20;
            p.pointsContrat_[0] = 100;
            p.match_[0] = 1;
        }
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        // A step lets a score leave its height before the next one starts
        // from the same place, and is never shorter than 600 ms.
        const int pas = std::max(600, DisplayGLScoreAnimText::intervalleScoresMs(s.zoneTable()));
        QStringList attenduAvecDelais;
        for (int i = 0; i < attendu.size(); ++i)
            attenduAvecDelais << QStringLiteral("%1@%2").arg(attendu[i]).arg(i * pas);
        attenduAvecDelais.sort();
        QCOMPARE(scoresLances(s), attenduAvecDelais);
        // The same record again changes nothing.
        arreteScores(s);
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        QVERIFY(scoresLances(s).isEmpty());
    }

    // Updates in quick succession, as tricks end: the floating scores all
    // leave from the middle of the table, yet none covers another at any
    // moment, and every one is gone once its flight ends.
    void floatingScoresNeverOverlap()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        ZB_PointsJass p;
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        arreteScores(s);
        const int gains[][2] = {{14, 0}, {14, 0}, {0, 30}, {25, 0}};
        for (size_t i = 0; i < std::size(gains); ++i) {
            p.pointsCartes_[0] += gains[i][0];
            p.pointsCartes_[1] += gains[i][1];
            if (i == 1)
                p.pointsAnnonces_[0] = 20;
            s.afficheArdoise(p, 0, 0, 1, {}, -1);
            QTest::qWait(100);
        }
        auto enAttente = [&] {
            for (const auto& anim : s.animationsScore())
                if (anim->isDelayRunning() || anim->driver()->isRunning())
                    return true;
            return false;
        };
        int vusEnsemble = 0;
        QElapsedTimer horloge;
        horloge.start();
        while (enAttente() && horloge.elapsed() < 30000) {
            QList<QRectF> vivants;
            for (const auto& anim : s.animationsScore())
                if (anim->isVisible())
                    vivants << anim->item()->sceneBoundingRect();
            for (int a = 0; a < vivants.size(); ++a)
                for (int b = a + 1; b < vivants.size(); ++b) {
                    QVERIFY2(!vivants[a].intersects(vivants[b]),
                             qPrintable(QStringLiteral("%1 scores at once, two of them overlap").arg(vivants.size())));
                }
            vusEnsemble = std::max(vusEnsemble, static_cast<int>(vivants.size()));
            QTest::qWait(50);
        }
        QVERIFY(!enAttente());
        QVERIFY2(vusEnsemble >= 2, "the scores were shown together");
        for (const auto& anim : s.animationsScore())
            QVERIFY(!anim->isVisible());
    }

    // While the undo history is browsed the board only records; the next
    // ordinary update floats only the change since that record.
    void undoBrowsingOnlyRecords()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        ZB_PointsJass p;
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        const QImage avant = s.imageArdoise();
        arreteScores(s);
        s.OnAnnulerBackwards();
        p.pointsCartes_[0] = 40;
        s.afficheArdoise(p, 10, 0, 1, {}, -1);
        QVERIFY(scoresLances(s).isEmpty());
        QCOMPARE(s.imageArdoise(), avant);
        s.finDeDonne();
        p.pointsCartes_[0] = 60;
        s.afficheArdoise(p, 10, 0, 1, {}, -1);
        QCOMPARE(scoresLances(s), QStringList{"+60@0"});
    }

    // Stöck seats raise their bubble with the game type's word.
    void stockShowsInTheBubble()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.afficheArdoise(ZB_PointsJass(), 0, 0, 1, {1, 9, -3}, -1);
        const int p = s.positionAffichage(1);
        QCOMPARE(s.texteBulle(p), QStringLiteral("Stöck"));
        QVERIFY(s.bulle(p)->isShown());
    }

    // The advice arrives in the background; its card is tinted no earlier
    // than 3 s after the request, and never with tinting off.
    void advisedCardIsTintedAfterAPause_data()
    {
        QTest::addColumn<bool>("couleur");
        QTest::newRow("tinting on") << true;
        QTest::newRow("tinting off") << false;
    }
    void advisedCardIsTintedAfterAPause()
    {
        QFETCH(bool, couleur);
        Salon salon(false, false, 11, 0, couleur);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = 0;
        QElapsedTimer depuis;
        depuis.start();
        salon.etat(37, 0, AUCUN, 0);
        QVERIFY(s.attendConseil(-1));
        const Carte* conseil = s.carteConseil();
        QVERIFY(conseil);
        QVERIFY(salon.humain.main_.contientCarte(conseil));
        DisplayGLHumanCarte* sprite = s.cartes().at(conseil->getIndex()).data();
        QVERIFY(sprite);
        if (depuis.elapsed() < 2900) {
            s.OnHelpCardHightlight();
            QVERIFY(!sprite->isTinted());
        }
        const bool teinte = QTest::qWaitFor([&] { return sprite->isTinted(); }, 4500);
        QCOMPARE(teinte, couleur);
        if (teinte)
            QVERIFY(depuis.elapsed() >= 3000);
        // The next status forgets the advice and its tint.
        salon.etat(41, 0, AUCUN, 0);
        QVERIFY(!sprite->isTinted());
        QVERIFY(!s.carteConseil());
    }

    // The help button does not freeze the window while the advice is
    // searched: its box comes, once, with the advised card.
    void helpButtonWaitsOnTheEventLoop()
    {
        quint32 graine = 5;
        while (graine < 2000) {
            const Position p(false, graine, 2, 3, 0);
            if (p.aJouer() == 0 && p.nombreDeCoupsLegaux() >= 5)
                break;
            ++graine;
        }
        Salon salon(false, false, graine, 2, true, 9, 0, 1e7);
        DisplayGLScene& s = salon.scene();
        salon.etat(39, 0, AUCUN, 0);
        QVERIFY(s.isAdviceRunning());
        QElapsedTimer appui;
        appui.start();
        s.boutonAide()->click();
        s.boutonAide()->click();
        QVERIFY2(appui.elapsed() < 500, "the press returned at once");
        QVERIFY(s.isAideEnAttente());
        QTRY_VERIFY_WITH_TIMEOUT(s.boitePrincipale().widget->isVisible(), 15000);
        QVERIFY(!s.isAdviceRunning());
        QVERIFY(s.historiqueBoites().last().contains(QStringLiteral("L'ordinateur vous conseille de")));
        QCOMPARE(s.historiqueBoites().size(), 1);
    }

    // A search still running when the table moves on advises nothing:
    // its late answer names no card in the states that follow.
    void lateAdviceAdvisesNothing()
    {
        // A deal in which seat 0 plays third with a real choice: a long
        // search.
        quint32 graine = 5;
        while (graine < 2000) {
            const Position p(false, graine, 2, 3, 0);
            if (p.aJouer() == 0 && p.nombreDeCoupsLegaux() >= 5)
                break;
            ++graine;
        }
        QVERIFY(graine < 2000);
        Salon salon(false, false, graine, 2, true, 9, 0, 1e7);
        DisplayGLScene& s = salon.scene();
        salon.etat(39, 0, AUCUN, 0);
        QVERIFY(s.isAdviceRunning());
        QTest::qWait(50);
        QVERIFY2(s.isAdviceRunning(), "the search outlasts the state");
        salon.position.partie->noDuProchainAJouer_ = 1;
        salon.etat(40, 1, AUCUN, 1);
        // The search ends by itself (nobody stopped it).
        QVERIFY(salon.humain.getAide()->getSubstitut()->attendRecherche(60000));
        QVERIFY(s.attendConseil(1000));
        QVERIFY(!s.carteConseil());
        QVERIFY(!s.texteAideSituation().contains(QStringLiteral("L'ordinateur vous conseille")));
    }

    // The help box names what the computer would do and the rules of the
    // situation.
    void helpExplainsTheSituation_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("contient");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("before the deal") << false << 7 << QStringList{"pas d'aide disponible"}
                                         << QStringList{"conseille"};
        QTest::newRow("trump") << false << 27 << QStringList{"L'ordinateur vous conseille de choisir", "'Chibrer'"}
                               << QStringList{};
        QTest::newRow("trump passed on") << false << 28 << QStringList{"Vous devez choisir l'atout"}
                                         << QStringList{"'Chibrer'"};
        QTest::newRow("announcements") << false << 45 << QStringList{"les annonces sont gérées"} << QStringList{};
        QTest::newRow("pair ends the deal") << false << 130 << QStringList{"exceptionnellement"} << QStringList{};
        QTest::newRow("first card") << false << 37
                                    << QStringList{"L'ordinateur vous conseille de jouer", "Il reste 9 atout(s)",
                                                   "Vous commencez le tour"}
                                    << QStringList{"'Couper'"};
        QTest::newRow("first bid") << true << 11
                                   << QStringList{"Vous devez choisir la mise", "L'ordinateur vous conseille de"}
                                   << QStringList{"'Chibrer'"};
        QTest::newRow("later bid") << true << 17 << QStringList{"Vous pouvez 'Passer' ou choisir l'atout"}
                                   << QStringList{"Vous devez choisir la mise"};
    }
    void helpExplainsTheSituation()
    {
        QFETCH(bool, belote);
        QFETCH(int, code);
        QFETCH(QStringList, contient);
        QFETCH(QStringList, absent);
        Salon salon(belote);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(code, 0, code == 28 ? 0 : AUCUN, 0);
        // Asked at once: the help waits for the running search.
        const QString aide = s.texteAideSituation();
        for (const QString& texte : contient)
            QVERIFY2(aide.contains(texte), qPrintable(aide));
        for (const QString& texte : absent)
            QVERIFY2(!aide.contains(texte), qPrintable(aide));
        if (code == 37) {
            const Carte* c = s.carteConseil();
            QVERIFY(c);
            QVERIFY(aide.contains(getNomValeur(c->getValeur(), s.jeuDeCartes().getStyle())));
        }
    }

    // An advised bid is named with its amount and trump.
    void helpNamesTheAdvisedBid()
    {
        Salon salon(true, false, 11, 0, true, 2);
        DisplayGLScene& s = salon.scene();
        // A contract game, whose auction has amounts; the seat before
        // passed.
        OptionsDuJoueur moi = salon.humain.options_;
        salon.humain.initialise(moi, &salon.contexte, 0, false, TypeDePartie::getTypeDePartie(8), false, &salon.vide);
        salon.humain.setMode(Joueur::ModeManuel);
        ZB_StatusMise passe;
        passe.montantBloque_ = false;
        passe.miseFaite_ = false;
        passe.tourMise_ = 1;
        passe.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
        s.afficheBulleMise(3, passe, 3);
        salon.etat(12, AUCUN, AUCUN, 0);
        static const QRegularExpression enchere(QStringLiteral("conseille de choisir '(\\d+) ([^']+)'"));
        QRegularExpressionMatch m;
        for (quint32 graine = 1; graine < 300 && !m.hasMatch(); ++graine) {
            salon.humain.main_ = Position(true, graine, 0).mains[0];
            m = enchere.match(s.texteAideSituation());
        }
        QVERIFY2(m.hasMatch(), "some hand is advised to bid");
        QVERIFY(m.captured(1).toInt() >= 80);
        QVERIFY(!m.captured(2).isEmpty());
    }

    // The all-tricks paragraphs read teams 0 and 1 by number, whatever the
    // local seat: a seat of team 1 is warned while only its own side has
    // cards, and told to go for all tricks while only team 0 has some.
    void allTricksParagraphsFollowTheTeamNumbers_data()
    {
        QTest::addColumn<int>("local");
        QTest::addColumn<int>("preneur");
        QTest::addColumn<int>("equipeVide");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<QString>("absent");
        const QString risque = QStringLiteral("Actuellement, vous risquez le 'Match'");
        const QString tente = QStringLiteral("Comme c'est encore possible, vous devriez tentez le 'Match'");
        QTest::newRow("seat 0, team 0 has nothing") << 0 << 1 << 0 << risque << tente;
        QTest::newRow("seat 0 made trump, team 1 has nothing") << 0 << 0 << 1 << tente << risque;
        QTest::newRow("seat 1, only its own side has cards") << 1 << 0 << 0 << risque << tente;
        QTest::newRow("seat 1 made trump, only team 0 has cards") << 1 << 1 << 1 << tente << risque;
    }
    void allTricksParagraphsFollowTheTeamNumbers()
    {
        QFETCH(int, local);
        QFETCH(int, preneur);
        QFETCH(int, equipeVide);
        QFETCH(QString, attendu);
        QFETCH(QString, absent);
        // A deal after one trick, won by the side that is not to be empty.
        quint32 graine = 1;
        while (graine < 1000 && Position(false, graine, 5, 3, 0).partie->getNombreCartesRamassees(equipeVide) != 0)
            ++graine;
        QVERIFY(graine < 1000);
        Salon salon(false, false, graine, 5);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->joueurQuiAChoisiAtout_ = preneur;
        if (local != 0) {
            s.setNoJoueurLocal(local);
            s.setJoueur(local, salon.joueur(local));
            QCOMPARE(s.siegeBas(), local);
        }
        salon.position.partie->noDuProchainAJouer_ = (local + 1) % 4;
        salon.etat(54, (local + 1) % 4, AUCUN, (local + 1) % 4);
        const QString aide = s.texteAideSituation();
        QVERIFY2(aide.contains(attendu), qPrintable(aide));
        QVERIFY2(!aide.contains(absent), qPrintable(aide));
    }

    // A language change reaches the status line, the action word, the slate
    // and the plates: the program's English catalogue, then French again.
    void languageChangeRetranslates()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.createGLObjects();
        s.setTexteAide(QStringLiteral("Aide"));
        salon.etat(7);
        s.afficheArdoise(ZB_PointsJass(), 10, 20, 1, {}, -1);
        s.redessineCartes(0);
        QCOMPARE(salon.lignes(), QStringLiteral("Aide\nCliquez pour distribuer."));
        QCOMPARE(s.textePlaquePosition(0), QStringLiteral("Moi (vous)"));
        QTranslator anglais;
        QVERIFY(anglais.load(QStringLiteral(":/translations/zubrik_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&anglais));
        QTRY_COMPARE(salon.lignes(), QStringLiteral("Aide\nClick to deal."));
        QCOMPARE(s.motAction(), QStringLiteral("Click"));
        // The slate speaks the table's language too.
        const auto ardoise = s.lignesArdoise(ZB_PointsJass(), 1).textes;
        QCOMPARE(ardoise[0], QStringLiteral("You: 10"));
        QCOMPARE(ardoise[1], QStringLiteral("Deal: 0x1"));
        QCOMPARE(ardoise[3], QStringLiteral("Them: 20"));
        // So do the plates, without waiting for the next deal.
        QVERIFY2(s.textePlaquePosition(0).endsWith(QStringLiteral("Moi (you)")), qPrintable(s.textePlaquePosition(0)));
        QCoreApplication::removeTranslator(&anglais);
        QTRY_COMPARE(salon.lignes(), QStringLiteral("Aide\nCliquez pour distribuer."));
    }

    // The table after a deal, then while the human chooses a card, then
    // with the help box: the board is drawn on the slate, the status line
    // and the box show over the table.
    void picturesOfTheBoardTheStatusAndTheHelp_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("theme");
        QTest::newRow("jass") << false << 0;
        QTest::newRow("belote") << true << 0;
        QTest::newRow("jass_racing") << false << 2;
        QTest::newRow("belote_candy") << true << 3;
    }
    void picturesOfTheBoardTheStatusAndTheHelp()
    {
        QFETCH(bool, belote);
        QFETCH(int, theme);
        const QString jeu = QString::fromLatin1(QTest::currentDataTag());
        Salon salon(belote, false, 11, 0, true, 2, theme);
        DisplayGLScene& s = salon.scene();
        s.createGLObjects();
        // As the main window gives the table its colours.
        s.appliqueCouleurs(0, QGuiApplication::palette());
        s.nouvelleDonne(belote ? 8 : 9, belote ? 1000 : 1500, 0);
        DonneArdoise d;
        d.cartes[0] = 97;
        d.cartes[1] = 55;
        d.annonces[0] = 50;
        d.der[0] = belote ? 10 : 5;
        s.afficheArdoise(points(d), 812, 655, 1, {2}, belote ? 1 : -1);
        arreteScores(s);
        s.showNotify();
        QTRY_COMPARE(s.notification()->getRatio(), 1.0f);
        const QImage tableau = salon.table->image();
        garde(tableau, QStringLiteral("board_%1.png").arg(jeu));
        // The slate's picture now differs from its bare theme picture.
        QVERIFY(s.imageArdoise() != QImage());

        salon.position.partie->noDuProchainAJouer_ = 0;
        s.setTexteAide(QStringLiteral("Double-cliquez sur une carte pour la jouer."));
        salon.etat(54, 0, AUCUN, 0);
        const QImage statut = salon.table->image();
        garde(statut, QStringLiteral("status_card_choice_%1.png").arg(jeu));
        const QRectF ligne = s.lignesArdoise()[1]->sceneBoundingRect();
        QVERIFY(!ligne.isEmpty());
        QVERIFY(s.zoneTable().contains(ligne));

        s.OnHelpPressed();
        QTRY_VERIFY(s.boitePrincipale().widget->isVisible());
        QVERIFY(s.boitePrincipale().ui->labelWiki->isVisible());
        garde(salon.table->image(), QStringLiteral("help_box_%1.png").arg(jeu));
        QVERIFY(s.historiqueBoites().last().contains(QStringLiteral("L'ordinateur vous conseille de")));
        // With a real deck every card and suit has its name.
        QVERIFY2(!s.historiqueBoites().last().contains(QStringLiteral("''")), qPrintable(s.historiqueBoites().last()));
        QVERIFY(!s.historiqueBoites().last().contains(QStringLiteral(" de '")));
    }

    // Joining an online game says so once, hides the help and locks the
    // connect button; the button's icon may carry a number.
    void onlineMarks()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        const QImage horsLigne = s.imageTapis();
        QVERIFY(!horsLigne.isNull());
        s.afficheRejointPartieEnLigne(true, QStringLiteral("Table <b>9</b>"));
        // The online sign lies on the cloth, centred left of its middle.
        const QImage enLigne = s.imageTapis();
        const QImage sansSigne = horsLigne.convertToFormat(enLigne.format());
        const QPoint signe(horsLigne.width() / 2 - 34, horsLigne.height() / 2);
        const auto differe = [&](const QPoint& p, int rayon) {
            for (int y = p.y() - rayon; y <= p.y() + rayon; ++y)
                for (int x = p.x() - rayon; x <= p.x() + rayon; ++x)
                    if (enLigne.pixel(x, y) != sansSigne.pixel(x, y))
                        return true;
            return false;
        };
        QVERIFY(differe(signe, 58));
        QVERIFY(!differe(signe + QPoint(0, 80), 10));
        s.afficheRejointPartieEnLigne(true, QStringLiteral("Table 9"));
        QCOMPARE(s.animationsMessage().front()->texte()->toPlainText(),
                 QStringLiteral("Vous avez rejoint la partie en ligne 'Table <b>9</b>'."));
        QVERIFY(!s.animationsMessage()[1]->isDelayRunning() && !s.animationsMessage()[1]->driver()->isRunning());
        QVERIFY(!s.proxyAide()->isVisible());
        QVERIFY(!s.boutonConnexion()->isEnabled());
        // Online, a card asked of the human starts no advice.
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(38, 0, AUCUN, 0);
        QVERIFY(!s.isAdviceRunning());
        QVERIFY(!s.boutonAide()->isEnabled());
        s.afficheRejointPartieEnLigne(false, QString());
        QVERIFY(s.boutonConnexion()->isEnabled());
        QCOMPARE(s.imageTapis(), horsLigne.convertToFormat(s.imageTapis().format()));

        const qint64 avant = s.boutonConnexion()->icon().cacheKey();
        s.afficheNombreSurBouton(3, 5);
        QCOMPARE(s.boutonConnexion()->icon().cacheKey(), avant);
        s.afficheNombreSurBouton(2, 5);
        const QImage avecNombre = s.boutonConnexion()->icon().pixmap(48, 48).toImage();
        s.afficheNombreSurBouton(2, 7);
        QVERIFY(s.boutonConnexion()->icon().pixmap(48, 48).toImage() != avecNombre);
        // The number sits in the bottom-right quarter only.
        const QImage nu = QIcon(QStringLiteral(":/images/connected.png")).pixmap(48, 48).toImage();
        QCOMPARE(avecNombre.copy(0, 0, 48, 24), nu.convertToFormat(avecNombre.format()).copy(0, 0, 48, 24));
    }

    // A friend's notice grows in with a whistle and leaves after 2 s.
    void friendNoticeComesAndGoes()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.createGLObjects();
        s.showNotify();
        QVERIFY(s.timerNotification().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!s.timerNotification().isActive(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!s.notification()->isShown(), 2000);
    }

    // Closing the table while the advice is searched waits for the search.
    void closingDuringTheAdviceSearch()
    {
        auto salon = std::make_unique<Salon>(false, false, 11, 0);
        salon->position.partie->noDuProchainAJouer_ = 0;
        salon->etat(37, 0, AUCUN, 0);
        salon->table.reset();
        QVERIFY(salon->humain.getAide()->getSubstitut()->attendRecherche(10000));
    }
};

ZB_REGISTER_TEST(TestSceneStatus)
#include "TestSceneStatus.moc"
