#include "EvenementDeJeu.h"
#include "GM_GameStats.h"
#include "HeadlessMatch.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ListeDesEvenements.h"
#include "OptionsPartie.h"
#include "SalleSansInterface.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <array>
#include <memory>

namespace {

// The engine's room with the end-of-game answer counted.
class SalleDeMatch : public SalleSansInterface
{
public:
    using SalleSansInterface::SalleSansInterface;
    int reponsesNouvellePartie = 0;
    void answerNextGame(bool) override { ++reponsesNouvellePartie; }
};

// The executed events of a list, as events.
QList<EvenementDeJeu> executes(const ListeDesEvenements& liste)
{
    QList<EvenementDeJeu> evs;
    for (QTextBlock b = liste.getExecutes().begin(); b.isValid(); b = b.next()) {
        EvenementDeJeu ev;
        QString reste;
        if (ev.fromString(b.text(), reste))
            evs << ev;
    }
    return evs;
}

// Four computers play the options the dialog built through the engine's
// room, to the end-of-game answers; what the match left behind is read
// afterwards.
struct MatchJoue {
    QTemporaryDir dossier;
    ZB_DisplayEmpty display;
    std::unique_ptr<SalleDeMatch> salle;
    ZB_RoomTable* table = nullptr;
    ListeDesEvenements* liste = nullptr;
    std::unique_ptr<QSignalSpy> statistiques;
    QList<int> imposes;       // trumps the table imposed, in order
    bool paire = false;       // the trump pair closed the last deal
    int distributions = 0;    // deals dealt, redeals included
    int reponsesFin = 0;      // seats' end-of-game answers

    // False, with the reason in QTest's failure, when it stalls or goes on
    // past the bound of deals.
    bool joue(const OptionsDePartie& options, quint32 graine, int donnesMax)
    {
        ZB_Room::Parametres p;
        p.sansSauvegarde = true;
        p.modeSimple = true;
        p.sansDelai = true;
        p.dossierDonnees = dossier.path() + QLatin1Char('/');
        salle = std::make_unique<SalleDeMatch>(nullptr, &display, nullptr, OptionsDePartie(options.genre_), p);
        statistiques = std::make_unique<QSignalSpy>(salle.get(), &ZB_Room::signalSendStatsGameCompleted);
        int depart = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionLocale;
        salle->reponse_Depart(&depart, &session, options, QString(), QString(), 4001, 4002, 4000, 0, false, {}, -1);
        table = salle->getTable(0);
        table->settingsPartie().random_.initialise(graine);
        for (int siege = 0; siege < 4; ++siege)
            salle->inscritJoueur(match_sans_tete::ordinateur(siege), 2 + siege, 0);

        liste = salle->getListe(0);
        int executes0 = -1;
        QElapsedTimer inactif;
        inactif.start();
        while (!liste->attend(EtatDeJeu::QuestionNouvellePartie)) {
            QTest::qWait(2);
            const int n = liste->getExecutes().blockCount();
            if (n != executes0) {
                executes0 = n;
                inactif.restart();
            }
            if (inactif.elapsed() >= 10000 || table->getSettingsPartie().donnesJouees_ > donnesMax) {
                QTest::qFail(qPrintable(QStringLiteral("no end: state %1 after %2 deals")
                                            .arg(liste->getEtatAttendu())
                                            .arg(table->getSettingsPartie().donnesJouees_)),
                             __FILE__, __LINE__);
                return false;
            }
        }
        for (const EvenementDeJeu& ev : executes(*liste)) {
            if (ev.type_ == EvenementDeJeu::Cho && ev.noJoueur_ == int(ZB_RoomTable::SiegeTable)) {
                StatusAtout atout;
                atout.chargeValeursDepuisString(ev.texte_);
                imposes << (atout.choisi_ ? atout.atout_ : -1);
            }
            paire = paire || (ev.type_ == EvenementDeJeu::Ram && ev.etat_ == EtatDeJeu::PaireBelote_AttendRamasseTas4);
            if (ev.type_ == EvenementDeJeu::Dis && ev.etat_ == EtatDeJeu::AttendDistribue4)
                ++distributions;
            if (ev.type_ == EvenementDeJeu::Fin)
                ++reponsesFin;
        }
        return true;
    }

    int total(int equipe) const
    {
        return table->getSettingsPartie().scores_[size_t(equipe)] + table->totalDonne(equipe);
    }

    // The end: the statistics went out once with the winner's total, the
    // end box's totals are the match's, every seat answered and the room
    // was handed the next-game answer.
    void verifieLaFin() const
    {
        QCOMPARE(reponsesFin, 4);
        QCOMPARE(statistiques->count(), 1);
        GM_GameStats stats;
        stats.chargeValeursDepuisString(statistiques->first().at(1).toString());
        QCOMPARE(stats.valeurs_[1], qMax(total(0), total(1)));
        for (int equipe = 0; equipe < 2; ++equipe) {
            const auto& c = stats.equipes_[size_t(equipe)].compteurs_;
            QCOMPARE(c[JoueurHumain::StatsPointsAnnonces] + c[JoueurHumain::StatsPointsPlis], total(equipe));
        }
        QCOMPARE(stats.m_statsPlayer.size(), 4);
        QTRY_COMPARE(salle->reponsesNouvellePartie, 1);
    }
};

// The trumps a match by automatic trumps imposes, in the table's order:
// each allowed mode once, or four times each under the second rule.
QList<int> ordreImpose(const TypeDePartie& type)
{
    std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
    type.getAtoutsPermis(permis);
    const int fois = type.atoutAutomatique_ == 2 ? 4 : 1;
    QList<int> ordre;
    for (int mode : {4, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11})
        if (permis[size_t(mode)])
            for (int i = 0; i < fois; ++i)
                ordre << mode;
    return ordre;
}

} // namespace

// Every game mode a person picks in the options dialog for the custom type
// plays to its end, through the engine's room, with four computers, to the
// end-of-game answers: the standard game to the target, the eight rounds,
// the trump rounds, and the tournament, which imposes each allowed trump
// once in the table's order and ends when none is left, under both card
// counts, also when the last deal's trump pair closes it, and also of the
// game type the dialog shows first. The end box's totals are the match's.
class TestMatchModes : public QObject
{
    Q_OBJECT

private slots:
    void everyModeEnds_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("regles");
        QTest::addColumn<quint32>("graine");
        QTest::addColumn<int>("donnes");     // -1: played to the target
        QTest::addColumn<bool>("finParLaPaire");
        QTest::addColumn<QList<int>>("atouts"); // imposed, in order; empty: chosen by the seats
        QTest::addColumn<QString>("preset");
        const QString perso = QStringLiteral("radioButtonPreset5");
        const QList<int> couleurs = {4, 1, 2, 3};
        const QString jass = QStringLiteral("radioButtonRulesJass_9cards");
        const QString belote = QStringLiteral("radioButtonRulesBelote_8cards");
        const QString tournoi = QStringLiteral("radioButtonTournament");
        QTest::newRow("standard") << QStringLiteral("radioButtonStandard") << jass << quint32(1) << -1 << false
                                  << QList<int>() << perso;
        QTest::newRow("eight rounds") << QStringLiteral("radioButtonConcours") << jass << quint32(1) << 8 << false
                                      << QList<int>() << perso;
        // Twice the four allowed suits.
        QTest::newRow("trump rounds") << QStringLiteral("radioButtonCoiffeur") << belote << quint32(1) << 8 << false
                                      << QList<int>() << perso;
        QTest::newRow("tournament, jass") << tournoi << jass << quint32(1) << 4 << false << couleurs << perso;
        QTest::newRow("tournament, belote") << tournoi << belote << quint32(1) << 4 << false << couleurs << perso;
        // The game type the dialog shows first: its rules, trumps imposed.
        QTest::newRow("tournament of the type shown") << tournoi << jass << quint32(1) << 4 << false << couleurs
                                                      << QStringLiteral("radioButtonPreset0");
        // The last deal's trump King and Queen complete before its last
        // trick: the pair closes the match there.
        QTest::newRow("tournament, jass, ended by the last deal's pair")
            << tournoi << jass << quint32(6) << 4 << true << couleurs << perso;
        QTest::newRow("tournament, belote, ended by the last deal's pair")
            << tournoi << belote << quint32(2) << 4 << true << couleurs << perso;
    }
    void everyModeEnds()
    {
        QFETCH(QString, mode);
        QFETCH(QString, regles);
        QFETCH(quint32, graine);
        QFETCH(int, donnes);
        QFETCH(bool, finParLaPaire);
        QFETCH(QList<int>, atouts);
        QFETCH(QString, preset);

        OptionsPartie dialogue;
        dialogue.setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
        for (const QString& bouton : {preset, regles,
                                      QStringLiteral("radioButtonContratChibre"),
                                      QStringLiteral("radioButtonRoiDameStock"), mode}) {
            auto* b = dialogue.findChild<QAbstractButton*>(bouton);
            QVERIFY2(b != nullptr, qPrintable(bouton));
            b->setChecked(true);
        }
        OptionsDePartie options;
        OptionsAffichage affichage;
        QVERIFY(dialogue.construit(options, affichage));

        MatchJoue match;
        if (!match.joue(options, graine, 100))
            return;
        ZB_RoomTable* table = match.table;

        // How the deals went: the trumps the table imposed (a tournament
        // reads its automatic trump from the inscription), whether the pair
        // closed the last deal.
        QCOMPARE(table->getTypeDePartie().atoutAutomatique_, atouts.isEmpty() ? 0 : 1);
        QCOMPARE(match.imposes, atouts);
        QCOMPARE(match.paire, finParLaPaire);

        const int t0 = match.total(0);
        const int t1 = match.total(1);
        if (donnes < 0) {
            QVERIFY(qMax(t0, t1) >= table->getScoreObjectif());
        } else {
            QCOMPARE(match.distributions, donnes);
            // The eight and trump rounds have no points target; a
            // tournament keeps its type's (the one of the type shown counts
            // its deals by a target no score reaches).
            const bool parDonnes = table->getSettingsPartie().huitTours_ || table->getSettingsPartie().toursAtout_;
            QCOMPARE(table->getScoreObjectif(),
                     parDonnes ? int(ZB_RoomTable::ScoreSansFin) : table->getTypeDePartie().pointsObjectif_);
            QVERIFY(t0 < table->getScoreObjectif() && t1 < table->getScoreObjectif());
        }
        if (finParLaPaire) {
            // The pair's bonus is in its team's total; the pair card itself
            // ended the play.
            int equipe = -1;
            for (int siege = 0; siege < 4; ++siege)
                if (table->getEtatsBelote()[size_t(siege)] == 2)
                    equipe = siege % 2;
            QVERIFY(equipe >= 0);
            QVERIFY(!table->getPartie().isNull());
            QVERIFY(table->getPartie()->getPoints()->autresPoints_[equipe] >= 20);
        }
        match.verifieLaFin();
    }

    // Every game type the dialog lists under every match type it offers for
    // it ends by its rule within a bound of deals: the target, the eight
    // rounds, the trump rounds, or the trump order running out, whichever
    // comes first. A type whose trump is bid for offers no tournament: the
    // table could never impose a trump there.
    void everyTypeAndModeTheDialogOffers_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("mode");
        for (int preset = 0; preset < OptionsPartie::NOMBRE_PRESETS; ++preset)
            for (int mode = OptionsDePartie::ModeStandart; mode <= OptionsDePartie::ModeTournoi; ++mode)
                QTest::addRow("type %d, mode %d", preset, mode) << preset << mode;
    }
    void everyTypeAndModeTheDialogOffers()
    {
        QFETCH(int, preset);
        QFETCH(int, mode);

        OptionsPartie dialogue;
        dialogue.setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
        // A tournament chosen first (the first type has one) stays only where
        // the type's trump is chosen; elsewhere the message line says so.
        QButtonGroup* modes = dialogue.findChild<QButtonGroup*>(QStringLiteral("buttonGroupModeDeJeu"));
        modes->button(OptionsDePartie::ModeTournoi)->click();
        dialogue.findChild<QAbstractButton*>(QStringLiteral("radioButtonPreset%1").arg(preset))->click();
        const bool tournoiPossible = TypeDePartie::getTypeDePartie(preset).contrat_ == TypeDePartie::ContratChibre;
        QCOMPARE(modes->checkedId(), tournoiPossible ? int(OptionsDePartie::ModeTournoi) : 0);
        QCOMPARE(dialogue.message().isEmpty(), tournoiPossible);
        QAbstractButton* choix = modes->button(mode);
        QCOMPARE(choix->isEnabled(), mode != OptionsDePartie::ModeTournoi || tournoiPossible);
        if (!choix->isEnabled())
            return;
        choix->click();
        OptionsDePartie options;
        OptionsAffichage affichage;
        QVERIFY(dialogue.construit(options, affichage));
        QCOMPARE(options.modeDeJeu_, mode);

        MatchJoue match;
        if (!match.joue(options, 1, 200))
            return;
        const ZB_RoomTable& table = *match.table;
        const TypeDePartie& type = table.getTypeDePartie();
        const ZB_SettingsPartie& settings = table.getSettingsPartie();
        QCOMPARE(settings.huitTours_, mode == OptionsDePartie::ModeConcours);
        QCOMPARE(settings.toursAtout_, mode == OptionsDePartie::ModeCoiffeur);
        QCOMPARE(type.atoutAutomatique_ != 0, mode == OptionsDePartie::ModeTournoi || preset == 14 || preset == 15);

        // How it ended; a trump order also tells which trumps came.
        const bool cible = qMax(match.total(0), match.total(1)) >= table.getScoreObjectif();
        std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
        const int nombrePermis = type.getAtoutsPermis(permis);
        bool longueur = false;
        if (settings.huitTours_)
            longueur = settings.toursJoues_ >= 8;
        else if (settings.toursAtout_)
            longueur = settings.donnesJouees_ >= 2 * nombrePermis;
        if (type.atoutAutomatique_ != 0) {
            const QList<int> ordre = ordreImpose(type);
            QCOMPARE(match.imposes, ordre.mid(0, match.imposes.size()));
            longueur = longueur || match.imposes.size() == ordre.size();
        }
        QVERIFY2(cible || longueur, qPrintable(QStringLiteral("scores %1 : %2, target %3, %4 deals")
                                                  .arg(match.total(0))
                                                  .arg(match.total(1))
                                                  .arg(table.getScoreObjectif())
                                                  .arg(settings.donnesJouees_)));
        match.verifieLaFin();
    }
};

ZB_REGISTER_TEST(TestMatchModes)
#include "TestMatchModes.moc"
