#include "AI_Joueur.h"
#include "Carte.h"
#include "NomsDeCouleurs.h"
#include "SceneTextes.h"
#include "StatusAtout.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <array>
#include <memory>

namespace {

// Four computer players with no cards.
struct Joueurs
{
    Joueurs()
    {
        for (auto& joueur : joueurs)
            joueur = std::make_unique<AI_Joueur>();
    }
    Joueur* operator[](int j) const { return joueurs[static_cast<size_t>(j)].get(); }
    std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
};

} // namespace

// The table's words, each from its facts alone.
class TestSceneTextes : public QObject
{
    Q_OBJECT

private slots:
    // One trump mode, two wordings: the status line and the bubbles name
    // the directional modes shortly, the computer's advice spells them out.
    void trumpModeIsNamedForItsReader_data()
    {
        QTest::addColumn<int>("atout");
        QTest::addColumn<QString>("annonce");
        QTest::addColumn<QString>("conseil");
        const QString pique = getNomCouleur(1, 2);
        const QString trefle = getNomCouleur(4, 2);
        const QString erreur = QStringLiteral("ERREUR: Status invalide");
        QTest::newRow("suit 1") << 1 << pique << pique;
        QTest::newRow("suit 4") << 4 << trefle << trefle;
        QTest::newRow("top-down") << int(StatusAtout::HautEnBas) << "Haut en Bas" << "De haut en bas";
        QTest::newRow("bottom-up") << int(StatusAtout::BasEnHaut) << "Bas en Haut" << "De bas en haut";
        QTest::newRow("zigzag from the bottom")
            << int(StatusAtout::ZigZagDepartEnBas) << "ZigZag Depart en Bas" << "Zig-zag avec départ en bas";
        QTest::newRow("zigzag from the top")
            << int(StatusAtout::ZigZagDepartEnHaut) << "ZigZag Depart en Haut" << "Zig-zag avec départ en haut";
        QTest::newRow("all trumps") << int(StatusAtout::ToutAtout) << "Tout atout" << "Tout atout";
        QTest::newRow("no trump") << int(StatusAtout::SansAtout) << "Sans atout" << "Sans atout";
        QTest::newRow("reversed") << int(StatusAtout::Inverse) << "Inverse" << "Inverse";
        QTest::newRow("none") << int(StatusAtout::Aucun) << erreur << erreur;
        QTest::newRow("12") << 12 << erreur << erreur;
        QTest::newRow("-1") << -1 << erreur << erreur;
    }
    void trumpModeIsNamedForItsReader()
    {
        QFETCH(int, atout);
        QFETCH(QString, annonce);
        QFETCH(QString, conseil);
        QCOMPARE(scene_textes::nomAtout(atout, 2, scene_textes::UsageAtout::Annonce), annonce);
        QCOMPARE(scene_textes::nomAtout(atout, 2, scene_textes::UsageAtout::Conseil), conseil);
    }

    void bidBubbleSaysWhatWasBid_data()
    {
        QTest::addColumn<bool>("faite");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<int>("variante");
        QTest::addColumn<int>("tour");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("effaceRetournee");
        const QString pique = getNomAtout(1, 2);
        QTest::newRow("pass") << false << int(ZB_StatusMise::Simple) << 2 << 1 << "Je passe" << false;
        QTest::newRow("bid, coinche") << true << int(ZB_StatusMise::Simple) << 2 << 1 << "90 " + pique << false;
        QTest::newRow("bid, Jass") << true << int(ZB_StatusMise::Simple) << 0 << 1 << "90 " + pique << false;
        QTest::newRow("take the turned card") << true << int(ZB_StatusMise::PrendCouleurRetournee) << 1 << 1
                                              << "Je prends" << true;
        QTest::newRow("take, second round") << true << int(ZB_StatusMise::Simple) << 1 << 5 << pique << false;
        QTest::newRow("double, contrée") << true << int(ZB_StatusMise::Contre) << 3 << 1 << "Contrée" << false;
        QTest::newRow("double, coinche") << true << int(ZB_StatusMise::CapotContre) << 2 << 1 << "Coinchée"
                                         << false;
        QTest::newRow("redouble, contrée") << true << int(ZB_StatusMise::Surcontre) << 3 << 1 << "Surcontrée"
                                           << false;
        QTest::newRow("redouble, coinche") << true << int(ZB_StatusMise::CapotSurcontre) << 2 << 1 << "Surcoinchée"
                                           << false;
        QTest::newRow("capot") << true << int(ZB_StatusMise::Capot) << 3 << 1 << "Capot en " + pique << false;
        QTest::newRow("forced dealer") << true << int(ZB_StatusMise::DonneurForce) << 1 << 1 << "Meuh!" << false;
        QTest::newRow("unknown kind keeps the text") << true << 42 << 1 << 1 << "avant" << false;
    }
    void bidBubbleSaysWhatWasBid()
    {
        QFETCH(bool, faite);
        QFETCH(int, contrat);
        QFETCH(int, variante);
        QFETCH(int, tour);
        QFETCH(QString, texte);
        QFETCH(bool, effaceRetournee);
        ZB_StatusMise mise;
        mise.miseFaite_ = faite;
        mise.typeContrat_ = contrat;
        mise.pointsMise_ = 90;
        mise.atoutMise_ = 1;
        mise.tourMise_ = tour;
        bool efface = !effaceRetournee;
        QCOMPARE(scene_textes::texteBulleMise(mise, variante, 2, QStringLiteral("avant"), &efface), texte);
        QCOMPARE(efface, effaceRetournee);
        QCOMPARE(scene_textes::texteBulleMise(mise, variante, 2, QStringLiteral("avant"), nullptr), texte);
    }

    void plateNamesTheContract_data()
    {
        QTest::addColumn<bool>("aChoisi");
        QTest::addColumn<bool>("commence");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<int>("typeContrat");
        QTest::addColumn<QString>("texte");
        QTest::newRow("not the chooser") << false << false << 3 << 3 << "Ana";
        QTest::newRow("Jass, chooser leads") << true << true << 0 << 0 << " Ana";
        QTest::newRow("Jass, chooser passed it on") << true << false << 0 << 0 << "² Ana";
        QTest::newRow("bid") << true << false << 3 << 2 << " Ana, Mise 110";
        QTest::newRow("contrée") << true << false << 3 << 3 << " Ana, Contrée 110";
        QTest::newRow("coinchée") << true << false << 2 << 3 << " Ana, Coinchée 110";
        QTest::newRow("surcontrée") << true << false << 3 << 4 << " Ana, Surcontrée 110";
        QTest::newRow("surcoinchée") << true << false << 2 << 4 << " Ana, Surcoinchée 110";
        QTest::newRow("capot") << true << false << 2 << 5 << " Ana, Capot";
        QTest::newRow("capot contré") << true << false << 3 << 6 << " Ana, Capot Contré";
        QTest::newRow("capot coinché") << true << false << 2 << 6 << " Ana, Capot Coinché";
        QTest::newRow("capot surcontré") << true << false << 3 << 7 << " Ana, Capot Surcontré";
        QTest::newRow("capot surcoinché") << true << false << 2 << 7 << " Ana, Capot Surcoinché";
        QTest::newRow("fixed contract") << true << false << 1 << 2 << " Ana";
    }
    void plateNamesTheContract()
    {
        QFETCH(bool, aChoisi);
        QFETCH(bool, commence);
        QFETCH(int, contrat);
        QFETCH(int, typeContrat);
        QFETCH(QString, texte);
        QCOMPARE(scene_textes::textePlaque(QStringLiteral("Ana"), aChoisi, commence, contrat, typeContrat, 110),
                 texte);
    }

    // After a double the engine makes the doubler the taker; the plate
    // still names the bid on the seat that made it.
    void contractStaysOnTheSeatThatBidIt_data()
    {
        QTest::addColumn<int>("preneur");
        QTest::addColumn<int>("typeContrat");
        QTest::addColumn<int>("siegeMise");
        QTest::addColumn<int>("siege");
        QTest::newRow("plain bid") << 1 << int(ZB_StatusMise::Simple) << 3 << 1;
        QTest::newRow("doubled: the doubled bidder") << 1 << int(ZB_StatusMise::Contre) << 0 << 0;
        QTest::newRow("capot doubled") << 1 << int(ZB_StatusMise::CapotContre) << 2 << 2;
        QTest::newRow("doubled, bid of the doubler's side") << 1 << int(ZB_StatusMise::Contre) << 3 << 1;
        QTest::newRow("redoubled: the redoubler's side bid") << 2 << int(ZB_StatusMise::Surcontre) << 0 << 0;
        QTest::newRow("capot redoubled") << 0 << int(ZB_StatusMise::CapotSurcontre) << 2 << 2;
        QTest::newRow("redoubled, bid of the other side") << 2 << int(ZB_StatusMise::Surcontre) << 1 << 2;
        QTest::newRow("doubled, bid seat unknown") << 1 << int(ZB_StatusMise::Contre) << -1 << 1;
        QTest::newRow("doubled, bid seat 4") << 1 << int(ZB_StatusMise::Contre) << 4 << 1;
        QTest::newRow("no taker") << -1 << int(ZB_StatusMise::Contre) << 0 << -1;
    }
    void contractStaysOnTheSeatThatBidIt()
    {
        QFETCH(int, preneur);
        QFETCH(int, typeContrat);
        QFETCH(int, siegeMise);
        QFETCH(int, siege);
        QCOMPARE(scene_textes::siegeDuContrat(preneur, typeContrat, siegeMise), siege);
    }

    void chibreStatusNamesWhoChooses()
    {
        Joueurs j;
        j[0]->options_.nom_.clear();
        j[1]->options_.nom_ = QStringLiteral("Léa");
        j[1]->options_.ordinateur_ = 1;
        j[2]->options_.nom_ = QStringLiteral("Marc");
        j[2]->options_.ordinateur_ = 1;
        QCOMPARE(scene_textes::texteChibre(j[0], j[2]),
                 QStringLiteral("Vous avez chibré. \u2068Marc\u2069 choisit l'atout..."));
        QCOMPARE(scene_textes::texteChibre(j[1], j[2]),
                 QStringLiteral("\u2068Léa\u2069 a chibré. \u2068Marc\u2069 choisit l'atout..."));
        QCOMPARE(scene_textes::texteChibre(nullptr, j[2]), QStringLiteral("Patientez..."));
        QCOMPARE(scene_textes::texteChibre(j[0], nullptr), QStringLiteral("Patientez..."));
        // A user waiting to enter a running game did not choose here.
        j[0]->modeJeu_ = Joueur::ModeEnAttenteDEntree;
        QCOMPARE(scene_textes::texteChibre(j[0], j[2]), QStringLiteral("Vous a chibré. \u2068Marc\u2069 choisit l'atout..."));
    }

    // The online score line's end, for the platform.
    void scoreLineEndsWithTheTarget_data()
    {
        QTest::addColumn<int>("cible");
        QTest::addColumn<int>("tours");
        QTest::addColumn<QString>("suffixe");
        QTest::newRow("no target") << -1 << 0 << QString();
        QTest::newRow("points") << 1000 << 0 << " / 1000";
        QTest::newRow("rounds") << 100000 << 3 << " / 3 Tours Restants";
    }
    void scoreLineEndsWithTheTarget()
    {
        QFETCH(int, cible);
        QFETCH(int, tours);
        QFETCH(QString, suffixe);
        QCOMPARE(scene_textes::suffixeScore(cible, tours), suffixe);
    }
};

ZB_REGISTER_TEST(TestSceneTextes)
#include "TestSceneTextes.moc"
