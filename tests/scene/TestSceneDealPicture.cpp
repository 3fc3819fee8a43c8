#include "AI_Joueur.h"
#include "AiTestKit.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintWidget.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "Partie.h"
#include "TableDeScene.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QRegularExpression>
#include <QGraphicsPixmapItem>
#include <QGraphicsTextItem>
#include <QSet>
#include <QTest>

#include <array>
#include <memory>

using namespace scenetest;

namespace {

// The card indexes the table's 3-D layer paints on the cloth at trick
// places now, as the widget engine leaves its items after a frame.
QSet<int> cartesSurLeTapis(DisplayGLScene& s)
{
    s.rafraichitCouche();
    auto* moteur = dynamic_cast<DisplayGLPaintWidget*>(s.moteur());
    QSet<int> cartes;
    if (!moteur)
        return cartes;
    for (int i = 0; i < 36; ++i) {
        const GL_ObjectCube* cube = s.objetCarte(i);
        if (!cube)
            continue;
        const int placement = cube->getPlacement();
        if (placement < DisplayGLPaintA::TrickPlace || placement >= DisplayGLPaintA::TrickPlace + 4)
            continue;
        for (int id : {cube->getFrontId(), cube->getBackId()})
            if (const QGraphicsPixmapItem* item = moteur->item(id); item && item->isVisible())
                cartes.insert(i);
    }
    return cartes;
}

QString nomme(const QSet<int>& cartes)
{
    QList<int> l = cartes.values();
    std::sort(l.begin(), l.end());
    QStringList t;
    for (int i : l)
        t << QString::number(i);
    return t.join(QLatin1Char(' '));
}

// The score items under way (waiting for their turn or flying), by text.
QStringList scoresEnCours(DisplayGLScene& s)
{
    QStringList textes;
    for (const auto& anim : s.animationsScore())
        if (anim->isDelayRunning() || anim->driver()->isRunning() || anim->isVisible())
            textes << anim->texte()->toPlainText();
    textes.sort();
    return textes;
}

// Columns of the cloth where the bottom plate put ink: from the first to
// the last column that differs from the bare cloth in the plate's band.
QPair<int, int> encrePlaqueDuBas(const QImage& plaques, const QImage& nu)
{
    int gauche = -1;
    int droite = -1;
    for (int y = plaques.height() * 9 / 10; y < plaques.height(); ++y)
        for (int x = 0; x < plaques.width(); ++x)
            if (plaques.pixel(x, y) != nu.pixel(x, y)) {
                gauche = gauche < 0 ? x : std::min(gauche, x);
                droite = std::max(droite, x);
            }
    return {gauche, droite};
}

// A table the test deals itself, quickly: no card pictures, no sound.
Reglages tableDeDonne()
{
    Reglages r;
    r.automatique = false;
    r.options.cardStyle_ = 9;
    r.options.sounds_ = false;
    return r;
}

} // namespace

class TestSceneDealPicture : public QObject
{
    Q_OBJECT

private slots:
    // A whole deal told to the scene as the table tells it, card after card
    // and the announcements settled after the first trick: after every event
    // the cloth shows the cards of the trick in play and nothing else (the
    // last trick until the next one begins, the announced cards until then),
    // whatever the flights still under way. The announcing seat plays third
    // in the second trick, behind two cards that must stay.
    void clothHoldsTheTrickInPlay_data()
    {
        QTest::addColumn<int>("modeVue");
        QTest::addColumn<bool>("annonce");
        QTest::addColumn<bool>("partieJointe");
        QTest::addColumn<double>("facteurDurees");
        QTest::addColumn<int>("attenteMs");
        QTest::newRow("animated, no announcement") << 0 << false << true << 1.0 << 0;
        QTest::newRow("animated, an announced card in the first trick") << 0 << true << true << 1.0 << 0;
        QTest::newRow("view mode 1, an announced card") << 1 << true << true << 1.0 << 0;
        QTest::newRow("fast play: flights end between the events") << 0 << true << true << 0.02 << 25;
        QTest::newRow("a deal replayed without its game") << 0 << true << false << 1.0 << 0;
    }
    void clothHoldsTheTrickInPlay()
    {
        QFETCH(int, modeVue);
        QFETCH(bool, annonce);
        QFETCH(bool, partieJointe);
        QFETCH(double, facteurDurees);
        QFETCH(int, attenteMs);
        TableDeScene t(tableDeDonne());
        DisplayGLScene& s = *t.scene;
        s.setFacteurDurees(facteurDurees);
        s.createGLObjects();
        aitest::Position donne(false, 7u, 0);
        Partie& jeu = *donne.partie;
        std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
        s.setNoJoueurLocal(0);
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            joueurs[size_t(j)]->options_.ordinateur_ = 1;
            joueurs[size_t(j)]->main_ = donne.mains[j];
            s.setJoueur(j, joueurs[size_t(j)].get());
        }
        s.setModeVue(modeVue);
        s.nouvelleDonne(9, 1000, 0);
        if (partieJointe)
            s.setPartie(donne.partie);

        auto verifie = [&](const QSet<int>& attendues, const QString& evenement) {
            if (attenteMs > 0)
                QTest::qWait(attenteMs);
            const QSet<int> vues = cartesSurLeTapis(s);
            QVERIFY2(vues == attendues, qPrintable(QStringLiteral("after %1: the cloth shows [%2], the trick is [%3]")
                                                       .arg(evenement, nomme(vues), nomme(attendues))));
        };
        std::array<Carte*, 4> premierPli{};
        for (int n = 0; n < 36; ++n) {
            const int siege = jeu.noDuProchainAJouer_;
            const quint64 jouables = jeu.getMasqueCartesJouables(siege, donne.mains[siege].getMasque());
            Carte* carte = donne.mains[siege].getCarte(__builtin_ctzll(jouables));
            QSet<int> pli{carte->getIndex()};
            for (int j = 0; j < 4; ++j)
                if (const Carte* c = jeu.getCarteDuPli(j))
                    pli.insert(c->getIndex());
            if (n < 4)
                premierPli[size_t(siege)] = carte;
            // The table shows the card, then takes it from the hands and
            // hands it to the game.
            s.afficheCarteJouee(siege, carte);
            donne.mains[siege].retireCarte(carte);
            joueurs[size_t(siege)]->main_.retireCarte(carte);
            ZB_PointsDonne part;
            jeu.joueCarte(part, carte, siege);
            verifie(pli, QStringLiteral("card %1 (%2 of seat %3)").arg(n).arg(carte->getIndex()).arg(siege));
            if (QTest::currentTestFailed())
                return;
            if (n != 3 || !annonce)
                continue;
            // The first trick is over; the seat that plays third in the next
            // one announced a run holding its card of this trick.
            const int annonceur = (jeu.joueurQuiDebuteTour_ + 2) % 4;
            const int index = premierPli[size_t(annonceur)]->getIndex();
            const int debut = index / 9 * 9 + std::min(index % 9, 6);
            EnsembleDeCartes suite;
            for (int i = debut; i < debut + 3; ++i)
                suite.ajouteCarte(donne.deck->getCarteParIndex(i));
            std::array<AnnoncesJoueur, 4> annonces{};
            annonces[0] = AnnoncesJoueur(suite, 0);
            QVERIFY(annonces[0].contientCarte(premierPli[size_t(annonceur)]));
            s.effaceBulles(annonceur, annonces[0]);
            s.afficheCartesAnnonces(0, jeu.joueurQuiDebuteTour_ % 2, annonces);
            verifie({index}, QStringLiteral("the announcements"));
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(jeu.donneTerminee_);
        s.finDeDonne();
        verifie({}, QStringLiteral("the end of the deal"));
        s.setPartie({});
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, nullptr);
    }

    // A deal shows in the user's hand its cards alone: a joining copy, which
    // knows no other hand, leaves none of the last deal's cards there.
    void dealLeavesOnlyTheNewHand()
    {
        TableDeScene t(tableDeDonne());
        DisplayGLScene& s = *t.scene;
        s.createGLObjects();
        aitest::Position donne(false, 7u, 0);
        std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
        s.setNoJoueurLocal(0);
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            joueurs[size_t(j)]->main_ = donne.mains[j];
            s.setJoueur(j, joueurs[size_t(j)].get());
        }
        s.setModeVue(1);
        const auto enMain = [&s] {
            QSet<int> vues;
            for (const QSharedPointer<DisplayGLHumanCarte>& c : s.cartes())
                if (c && c->getState() != DisplayGLHumanCarte::Cachee && c->getCarte() != nullptr)
                    vues.insert(c->getCarte()->getIndex());
            return vues;
        };
        const auto indexDe = [](const EnsembleDeCartes& main) {
            QSet<int> indexes;
            for (const Carte* c : main)
                if (c != nullptr)
                    indexes.insert(c->getIndex());
            return indexes;
        };
        s.nouvelleDonne(9, 1000, 0);
        QCOMPARE(enMain(), indexDe(joueurs[0]->main_));
        // The next deal as a joining copy knows it: its own hand only.
        joueurs[0]->main_ = donne.mains[1];
        for (int j = 1; j < 4; ++j)
            joueurs[size_t(j)]->main_ = EnsembleDeCartes();
        s.nouvelleDonne(9, 1000, 0);
        QCOMPARE(enMain(), indexDe(joueurs[0]->main_));
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, nullptr);
    }

    // With the view's second flag the user's plate reads the screen it is
    // drawn for instead of "Vous"; the other plates keep their names.
    void secondFlagPlateReadsTheScreen()
    {
        Reglages r;
        r.automatique = false;
        r.options.sounds_ = false;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.createGLObjects();
        s.finDeDonne();
        s.setNoJoueurLocal(0);
        std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            joueurs[size_t(j)]->options_.nom_ = j == 0 ? QString() : QStringLiteral("IA%1").arg(j);
            joueurs[size_t(j)]->options_.ordinateur_ = j != 0;
            s.setJoueur(j, joueurs[size_t(j)].get());
        }
        for (bool second : {true, false}) {
            s.setModeAffichage2(false, second);
            s.nouvelleDonne(9, 1000, 0);
            const QString vous = s.textePlaquePosition(s.positionAffichage(0));
            if (second)
                QVERIFY2(QRegularExpression(QStringLiteral("^R:[0-9.]+, X:[0-9.]+, Y:[0-9.]+$")).match(vous).hasMatch(),
                         qPrintable(vous));
            else
                QCOMPARE(vous, QStringLiteral("Vous"));
            QCOMPARE(s.textePlaquePosition(s.positionAffichage(1)), joueurs[1]->options_.getNomAffiche());
        }
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, nullptr);
    }

    // The next deal is not dealt and bid under the last deal's floating
    // scores: the deal ends them, and the table's clearing of its record
    // (before the deal or after it) floats nothing back. A redeal's banner
    // is no deal score and stays.
    void nextDealEndsTheFloatingScores_data()
    {
        QTest::addColumn<bool>("effaceAvant");
        QTest::addColumn<bool>("redistribution");
        QTest::newRow("record cleared after the deal") << false << false;
        QTest::newRow("record cleared before the deal") << true << false;
        QTest::newRow("a redeal announced") << false << true;
    }
    void nextDealEndsTheFloatingScores()
    {
        QFETCH(bool, effaceAvant);
        QFETCH(bool, redistribution);
        TableDeScene t(tableDeDonne());
        DisplayGLScene& s = *t.scene;
        s.createGLObjects();
        std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
        s.setNoJoueurLocal(0);
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            s.setJoueur(j, joueurs[size_t(j)].get());
        }
        s.nouvelleDonne(9, 1000, 0);
        // The last trick of a deal: cards, last trick, a lost bid.
        ZB_PointsJass fin;
        fin.pointsCartes_[0] = 102;
        fin.pointsCartes_[1] = 50;
        fin.bonusDernierPli_[1] = 10;
        fin.pointsContrat_[1] = 100;
        s.afficheArdoise(fin, 0, 0, 1, {}, -1);
        QVERIFY(scoresEnCours(s).size() >= 3);
        if (effaceAvant)
            s.afficheArdoise(ZB_PointsJass(), 102, 160, 1, {}, -1);
        if (redistribution)
            s.afficheRedistribution();
        s.nouvelleDonne(9, 1000, 0);
        s.afficheArdoise(ZB_PointsJass(), 102, 160, 1, {}, -1);
        const QStringList attendus = redistribution ? QStringList{QStringLiteral("Redistribution")} : QStringList();
        QCOMPARE(scoresEnCours(s), attendus);
        // The bidding's updates of the new deal float nothing either.
        s.afficheArdoise(ZB_PointsJass(), 102, 160, 1, {}, -1);
        QCOMPARE(scoresEnCours(s), attendus);
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, nullptr);
    }

    // The plates of a Belote table: the players' names from the first
    // auction on; once the bidding ends the contract on the plate of the
    // seat that bid it, a double or a redouble naming the doubled contract
    // there (the engine makes the doubler the taker); the next deal's
    // auction without the last contract.
    void platesFollowTheBidding_data()
    {
        QTest::addColumn<QList<int>>("sieges");
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<int>("plaque");
        QTest::addColumn<QString>("texte");
        using M = ZB_StatusMise;
        QTest::newRow("a bid") << QList<int>{3} << QList<int>{M::Simple} << 3 << " \u2068Zoé\u2069, Mise 100";
        QTest::newRow("doubled by the user") << QList<int>{3, 0} << QList<int>{M::Simple, M::Contre} << 3
                                             << " \u2068Zoé\u2069, Contrée 100";
        QTest::newRow("outbid, then doubled") << QList<int>{3, 1, 2} << QList<int>{M::Simple, M::Simple, M::Contre}
                                              << 1 << " \u2068Léa\u2069, Contrée 100";
        QTest::newRow("redoubled by the bidder's partner")
            << QList<int>{3, 0, 1} << QList<int>{M::Simple, M::Contre, M::Surcontre} << 3 << " \u2068Zoé\u2069, Surcontrée 100";
        QTest::newRow("a capot doubled") << QList<int>{1, 2} << QList<int>{M::Capot, M::CapotContre} << 1
                                         << " \u2068Léa\u2069, Capot Contré";
    }
    void platesFollowTheBidding()
    {
        QFETCH(QList<int>, sieges);
        QFETCH(QList<int>, types);
        QFETCH(int, plaque);
        QFETCH(QString, texte);
        Reglages r;
        r.automatique = false;
        r.belote = true;
        r.options.cardStyle_ = 2;
        r.options.sounds_ = false;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.setModeVue(1);
        const QStringList noms{QString(), QStringLiteral("Léa"), QStringLiteral("Marc"), QStringLiteral("Zoé")};
        std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
        // A new match: the table is reset (its seats let go), then seated.
        s.createGLObjects();
        s.finDeDonne();
        s.setNoJoueurLocal(0);
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            joueurs[size_t(j)]->options_.nom_ = noms[j];
            joueurs[size_t(j)]->options_.ordinateur_ = j != 0;
            s.setJoueur(j, joueurs[size_t(j)].get());
        }
        auto nomsSeuls = [&](const QString& quand) {
            for (int j = 0; j < 4; ++j)
                QVERIFY2(s.textePlaquePosition(s.positionAffichage(j)) == joueurs[size_t(j)]->options_.getNomAffiche(),
                         qPrintable(quand + QStringLiteral(": ") + s.textePlaquePosition(s.positionAffichage(j))));
        };
        // The first deal of the match: no game yet.
        s.nouvelleDonne(8, 2000, 0);
        nomsSeuls(QStringLiteral("first auction"));
        ZB_StatusMise mise;
        mise.pointsMise_ = 100;
        mise.atoutMise_ = 1;
        for (int i = 0; i < sieges.size(); ++i) {
            mise.miseFaite_ = true;
            mise.typeContrat_ = types[i];
            mise.miseur_ = sieges[i];
            s.afficheBulleMise(sieges[i], mise, 3);
            nomsSeuls(QStringLiteral("bid %1").arg(i));
        }
        // Three passes end it: the table makes the last speaker the taker.
        ZB_StatusMise passe = mise;
        passe.miseFaite_ = false;
        for (int k = 1; k <= 3; ++k)
            s.afficheBulleMise((sieges.last() + k) % 4, passe, 3);
        ZB_DeckBelote deck;
        TypeDePartie type;
        type.genre_ = TypeDePartie::GenreBelote;
        type.contrat_ = TypeDePartie::ContratContre;
        auto jeu = QSharedPointer<Partie>::create(StatusAtout(false, true, 1, 1), deck.getCartes(), 0, sieges.last(), 1,
                                                  type, mise, nullptr);
        s.setPartie(jeu);
        s.redessineCartes(jeu->atoutEnCours_);
        for (int j = 0; j < 4; ++j)
            QCOMPARE(s.textePlaquePosition(s.positionAffichage(j)),
                     j == plaque ? texte : joueurs[size_t(j)]->options_.getNomAffiche());
        // The next deal: the last contract has gone from the plates, though
        // its game stays attached until the bidding ends.
        s.nouvelleDonne(8, 2000, 0);
        nomsSeuls(QStringLiteral("next auction"));
        s.redessineCartes(jeu->atoutEnCours_);
        nomsSeuls(QStringLiteral("a repaint in the next auction"));
        s.setPartie({});
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, nullptr);
    }

    // A plate is as long as its text: a long name and contract are written
    // whole, inside the cloth, however long.
    void platesTakeTheirTextsLength_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::newRow("longer than the plate") << QStringLiteral("Maximilian-Alexander von Tumasch");
        QTest::newRow("longer than the cloth") << QString(80, QLatin1Char('W'));
    }
    void platesTakeTheirTextsLength()
    {
        QFETCH(QString, nom);
        TableDeScene t(tableDeDonne());
        DisplayGLScene& s = *t.scene;
        s.createGLObjects();
        s.redessineCartes(0);
        const QImage nu = s.imageTapis();
        AI_Joueur joueur;
        joueur.options_.nom_ = nom;
        joueur.options_.ordinateur_ = 1;
        s.setNoJoueurLocal(0);
        s.setJoueur(0, &joueur);
        s.redessineCartes(0);
        const auto [gauche, droite] = encrePlaqueDuBas(s.imageTapis(), nu);
        QVERIFY(gauche >= 0);
        // Wider than the 500-pixel plate it once was cut to, and inside the
        // cloth with its margins.
        QVERIFY2(droite - gauche > 520, qPrintable(QStringLiteral("ink from %1 to %2").arg(gauche).arg(droite)));
        QVERIFY(gauche >= 8);
        QVERIFY(droite < nu.width() - 8);
        s.setJoueur(0, nullptr);
    }

    // The cloth and the slate are painted anew at every card and trick; the
    // engine gets them again only when their pixels changed, and always
    // once their bare theme picture went in (a colour scheme applied again,
    // a new context).
    void clothAndSlateGoToTheEngineOnlyChanged_data()
    {
        QTest::addColumn<bool>("ardoise");
        QTest::addColumn<int>("etape");
        QTest::addColumn<bool>("envoi");
        QTest::newRow("same plates") << false << 0 << false;
        QTest::newRow("a new name") << false << 1 << true;
        QTest::newRow("scheme applied again, cloth") << false << 2 << true;
        QTest::newRow("same score") << true << 3 << false;
        QTest::newRow("a new score") << true << 4 << true;
        QTest::newRow("scheme applied again, slate") << true << 2 << true;
        QTest::newRow("a new context, cloth") << false << 5 << true;
        QTest::newRow("a new context, slate") << true << 5 << true;
    }
    void clothAndSlateGoToTheEngineOnlyChanged()
    {
        QFETCH(bool, ardoise);
        QFETCH(int, etape);
        QFETCH(bool, envoi);
        Reglages r = tableDeDonne();
        r.options.animatedScores_ = false;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.createGLObjects();
        auto* moteur = dynamic_cast<DisplayGLPaintWidget*>(s.moteur());
        QVERIFY(moteur);
        const GL_ObjectSquare* objet = ardoise ? s.ardoise() : s.tapis();
        QVERIFY(objet);
        const auto montre = [&] { return moteur->item(objet->getId())->pixmap(); };
        const QImage nu = montre().toImage();
        AI_Joueur joueur;
        joueur.options_.nom_ = QStringLiteral("Ana");
        joueur.options_.ordinateur_ = 1;
        s.setNoJoueurLocal(0);
        s.setJoueur(0, &joueur);
        s.redessineCartes(0);
        ZB_PointsJass points;
        points.pointsCartes_[0] = 40;
        s.afficheArdoise(points, 0, 0, 1, {}, -1);
        const QPixmap avant = montre();
        QVERIFY(avant.toImage() != nu);
        switch (etape) {
        case 0:
            s.redessineCartes(0);
            break;
        case 1:
            joueur.options_.nom_ = QStringLiteral("Bea");
            s.redessineCartes(0);
            break;
        case 2:
            s.appliqueCouleurs(s.schemaCouleurs(), QPalette());
            break;
        case 3:
            s.afficheArdoise(points, 0, 0, 1, {}, -1);
            break;
        case 5:
            // The engine asks for every picture again, as after a lost
            // context.
            s.createGLObjects();
            break;
        default:
            points.pointsCartes_[0] = 60;
            s.afficheArdoise(points, 0, 0, 1, {}, -1);
            break;
        }
        QCOMPARE(montre().cacheKey() != avant.cacheKey(), envoi);
        // Whatever went in last, the engine shows the painted picture.
        const QImage apres = montre().toImage();
        QVERIFY(apres != nu);
        QCOMPARE(apres == avant.toImage(), etape != 1 && etape != 4);
        s.setJoueur(0, nullptr);
    }
};

ZB_REGISTER_TEST(TestSceneDealPicture)
#include "TestSceneDealPicture.moc"
