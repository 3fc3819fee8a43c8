#include "GM_SharedFunctions.h"
#include "OptionsPartie.h"
#include "WidgetOptionsAI.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

namespace {

using Champ = std::function<int(const OptionsDePartie&, const OptionsAffichage&)>;

// The fields the button groups set, by a short name for the data rows.
int champ(const QString& nom, const OptionsDePartie& p, const OptionsAffichage& a)
{
    const TypeDePartie& t = p.typeDePartie_;
    const QHash<QString, int> valeurs{
        {QStringLiteral("preset"), p.idPreset_},
        {QStringLiteral("genrePartie"), p.genre_},
        {QStringLiteral("mode"), p.modeDeJeu_},
        {QStringLiteral("atoutAuto"), t.atoutAutomatique_},
        {QStringLiteral("annonces"), t.annonces_},
        {QStringLiteral("roiDame"), t.roiDame_},
        {QStringLiteral("contrat"), t.contrat_},
        {QStringLiteral("genre"), t.genre_},
        {QStringLiteral("distribution"), t.distribution_},
        {QStringLiteral("decompte"), t.decompte_},
        {QStringLiteral("qualite"), a.quality_},
        {QStringLiteral("cartes"), a.cardStyle_},
        {QStringLiteral("theme"), a.appStyle_},
        {QStringLiteral("langue"), a.language_},
    };
    return valeurs.value(nom, std::numeric_limits<int>::min());
}

void coche(OptionsPartie& d, const QString& nom)
{
    auto* bouton = d.findChild<QAbstractButton*>(nom);
    QVERIFY2(bouton != nullptr, qPrintable(nom));
    bouton->setChecked(true);
}

OptionsDePartie personalise()
{
    OptionsDePartie p(TypeDePartie::GenreBelote);
    p.idPreset_ = TypeDePartie::ID_PERSONALISE;
    TypeDePartie& t = p.typeDePartie_;
    t.pointsObjectif_ = 2500;
    t.multiplicateurs_ = {0, 1, 2, -1, 3, -1, 4, -1, -1, 1, 1, -1};
    t.annonces_ = TypeDePartie::AnnoncesManuelles;
    t.roiDame_ = TypeDePartie::RoiDameRebelote;
    t.contrat_ = TypeDePartie::ContratContre;
    t.genre_ = TypeDePartie::GenreBelote;
    t.montantContrat_ = 90;
    t.arrondi_ = 10;
    t.distribution_ = 1;
    t.decompte_ = TypeDePartie::DecompteFaitsPlusAnnonces;
    t.septAnnuleDonne_ = 1;
    p.modeDeJeu_ = OptionsDePartie::ModeCoiffeur;
    p.optionsAIAdversaires_ = OptionsAI(0.3, 0.1, 0.5, 12000);
    p.optionsAIPartenaire_ = OptionsAI(0.2, 0.05, 0.25, 800);
    p.penalites_ = 0;
    p.delaiReponse_ = 30.0;
    p.texte7_ = QStringLiteral("gardé");
    return p;
}

OptionsAffichage affichageChange()
{
    OptionsAffichage a;
    a.noms_ = {QStringLiteral("Ueli"), QStringLiteral("Vreni"), QStringLiteral("Hans")};
    a.helpCard_ = false;
    a.useRightSpace_ = true;
    a.quality_ = 1;
    a.cardStyle_ = 4;
    a.appStyle_ = 3;
    a.language_ = 2;
    a.ramassageAuto_ = false;
    a.ramassageDelay_ = 2350;
    a.sounds_ = false;
    a.facteur1_ = 0.5;
    a.saisons_[OptionsAffichage::Ete] = {false, QStringLiteral("2000-07-01"), QStringLiteral("2000-08-31")};
    a.dealInverted_ = true;
    a.fontSize_ = 1.45;
    a.reserve_ = false;
    a.vibrate_ = false;
    return a;
}

} // namespace

class TestOptionsPartie : public QObject
{
    Q_OBJECT

private slots:
    // Every button of every group gives its value to its field, whatever
    // else is checked.
    void eachButtonGivesItsValue_data()
    {
        QTest::addColumn<QStringList>("avant");
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("champ");
        QTest::addColumn<int>("attendu");
        const QStringList rien;
        const auto ligne = [&](const QString& bouton, const QString& champ, int attendu,
                               const QStringList& avant = QStringList()) {
            QTest::addRow("%s", qPrintable(bouton + QLatin1Char(' ') + champ)) << avant << bouton << champ << attendu;
        };
        for (const auto& [bouton, v] : {std::pair{"radioButtonAnnoncesAuto", 0}, {"radioButtonAnnoncesMan", 1},
                                        {"radioButtonAnnoncesDesactive", 2}})
            ligne(QLatin1String(bouton), QStringLiteral("annonces"), v);
        for (const auto& [bouton, v] : {std::pair{"radioButtonRoiDameOff", 0}, {"radioButtonRoiDameStock", 1},
                                        {"radioButtonRoiDameRebelote", 2}})
            ligne(QLatin1String(bouton), QStringLiteral("roiDame"), v);
        for (const auto& [bouton, v] :
             {std::pair{"radioButtonContratChibre", 0}, {"radioButtonContratFixe", 1},
              {"radioButtonContratBeloteCoinchee", 2}, {"radioButtonContratBeloteContree", 3},
              {"radioButtonContratVache", 4}})
            ligne(QLatin1String(bouton), QStringLiteral("contrat"), v);
        for (const auto& [bouton, v] :
             {std::pair{"radioButtonRulesJass_9cards", 0}, {"radioButtonRulesBelote_8cards", 1}})
            ligne(QLatin1String(bouton), QStringLiteral("genre"), v);
        for (const auto& [bouton, v] : {std::pair{"radioButtonDistAleatoire", 0}, {"radioButtonDistCoupePrec", 1}})
            ligne(QLatin1String(bouton), QStringLiteral("distribution"), v);
        for (const auto& [bouton, v] : {std::pair{"radioButtonDecompteFait", 0}, {"radioButtonDecompteAnnonce", 1},
                                        {"radioButtonDecompteFaitPlusAnnonce", 2}})
            ligne(QLatin1String(bouton), QStringLiteral("decompte"), v);
        // The game mode, and the tournament's automatic trump where the
        // seats choose the trump; a trump bid for is never imposed, and the
        // tournament is then the standard game.
        const QStringList chibre{QStringLiteral("radioButtonContratChibre")};
        for (const auto& [bouton, v] : {std::pair{"radioButtonStandard", 0}, {"radioButtonConcours", 1},
                                        {"radioButtonCoiffeur", 2}, {"radioButtonTournament", 3}}) {
            ligne(QLatin1String(bouton), QStringLiteral("mode"), v, chibre);
            ligne(QLatin1String(bouton), QStringLiteral("atoutAuto"), v == 3 ? 1 : 0, chibre);
        }
        ligne(QStringLiteral("radioButtonTournament"), QStringLiteral("mode"), 0);
        ligne(QStringLiteral("radioButtonTournament"), QStringLiteral("atoutAuto"), 0);
        // Presets, and the kind of game they make.
        for (int id = 0; id < OptionsPartie::NOMBRE_PRESETS; ++id)
            ligne(QStringLiteral("radioButtonPreset%1").arg(id), QStringLiteral("preset"), id);
        ligne(QStringLiteral("radioButtonPreset3"), QStringLiteral("genrePartie"), 0,
              {QStringLiteral("radioButtonRulesBelote_8cards")});
        ligne(QStringLiteral("radioButtonPreset9"), QStringLiteral("genrePartie"), 1,
              {QStringLiteral("radioButtonRulesJass_9cards")});
        ligne(QStringLiteral("radioButtonPreset5"), QStringLiteral("genrePartie"), 1,
              {QStringLiteral("radioButtonRulesBelote_8cards")});
        ligne(QStringLiteral("radioButtonPreset5"), QStringLiteral("genrePartie"), 0,
              {QStringLiteral("radioButtonRulesJass_9cards")});
        // Display choices.
        for (const auto& [bouton, v] : {std::pair{"radioButtonQualLow", 1}, {"radioButtonQualMedium", 2},
                                        {"radioButtonQualHigh", 3}, {"radioButtonQualUltra", 4}})
            ligne(QLatin1String(bouton), QStringLiteral("qualite"), v);
        for (const auto& [bouton, v] :
             {std::pair{"radioButtonCardStyleRomand", 0}, {"radioButtonCardStyleSuisseA", 1},
              {"radioButtonCardStyleInt", 2}, {"radioButtonCardStyleNapoli", 3}, {"radioButtonCardStyleFun1", 4}})
            ligne(QLatin1String(bouton), QStringLiteral("cartes"), v);
        for (const auto& [bouton, v] :
             {std::pair{"radioButtonAppStyleWood", 0}, {"radioButtonAppStyleAlien", 1},
              {"radioButtonAppStyleRacing", 2}, {"radioButtonAppStyleCandy", 3}, {"radioButtonAppStyleNature", 4}})
            ligne(QLatin1String(bouton), QStringLiteral("theme"), v);
        for (const auto& [bouton, v] : {std::pair{"radioButtonLangAuto", 0}, {"radioButtonLangFr", 1},
                                        {"radioButtonLangEn", 2}, {"radioButtonLangDe", 3}, {"radioButtonLangIt", 4}})
            ligne(QLatin1String(bouton), QStringLiteral("langue"), v);
        Q_UNUSED(rien);
    }
    void eachButtonGivesItsValue()
    {
        QFETCH(QStringList, avant);
        QFETCH(QString, bouton);
        QFETCH(QString, champ);
        QFETCH(int, attendu);
        // Start from a state where the button is not the one already
        // checked: the other end of each group.
        OptionsPartie d;
        d.setOptions(personalise(), affichageChange());
        for (const QString& b : avant)
            coche(d, b);
        coche(d, bouton);
        OptionsDePartie p;
        OptionsAffichage a;
        QVERIFY(d.construit(p, a));
        QCOMPARE(::champ(champ, p, a), attendu);
    }

    // The numbers, switches and multipliers, then the custom type's fixed
    // fields.
    void numbersAndSwitchesMap()
    {
        OptionsPartie d;
        d.setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
        d.findChild<QSpinBox*>(QStringLiteral("spinBoxNbrPoints"))->setValue(1500);
        d.findChild<QSpinBox*>(QStringLiteral("spinBoxContratAmount"))->setValue(82);
        d.findChild<QSpinBox*>(QStringLiteral("spinBoxArrondi"))->setValue(10);
        d.findChild<QCheckBox*>(QStringLiteral("checkBoxAnnonce7AnnuleDonne"))->setChecked(true);
        d.findChild<QCheckBox*>(QStringLiteral("checkBoxAnnonce8AnnuleAnnonce"))->setChecked(true);
        d.findChild<QCheckBox*>(QStringLiteral("checkBoxAtout2"))->setChecked(false);
        d.findChild<QSpinBox*>(QStringLiteral("spinBoxAtout2"))->setValue(7);
        d.findChild<QCheckBox*>(QStringLiteral("checkBoxAtout7"))->setChecked(true);
        d.findChild<QSpinBox*>(QStringLiteral("spinBoxAtout7"))->setValue(5);
        d.findChild<QDoubleSpinBox*>(QStringLiteral("doubleSpinBoxRamassageDelay"))->setValue(2.35);
        d.findChild<QDoubleSpinBox*>(QStringLiteral("doubleSpinBoxFontSize"))->setValue(150);
        d.findChild<QCheckBox*>(QStringLiteral("checkBoxVibrate"))->setChecked(false);
        d.findChild<QCheckBox*>(QStringLiteral("checkBoxWinter"))->setChecked(false);
        d.findChild<QDateEdit*>(QStringLiteral("dateEditSpringStart"))->setDate(QDate(2000, 4, 1));
        auto* ai = d.findChild<WidgetOptionsAI*>(QStringLiteral("widgetOptionAIOpponents"));
        QVERIFY(ai != nullptr);
        // A named level sets the strength; a strength of no level shows as
        // made to measure.
        QCOMPARE(ai->getNiveau()->currentText(), QStringLiteral("Fort"));
        ai->getForce()->setValue(1234);
        QCOMPARE(ai->getNiveau()->currentIndex(), ai->getNiveau()->count() - 1);
        ai->getNiveau()->activated(3);
        QCOMPARE(ai->getForce()->value(), 20000);
        QCOMPARE(ai->getNiveau()->currentText(), QStringLiteral("Expert"));
        QVERIFY(d.findChild<WidgetOptionsAI*>(QStringLiteral("widgetOptionAIPartner")) != nullptr);
        d.findChild<WidgetOptionsAI*>(QStringLiteral("widgetOptionAIPartner"))->getConnaissance()->setValue(0.6);

        OptionsDePartie p;
        OptionsAffichage a;
        QVERIFY(d.construit(p, a));
        const TypeDePartie& t = p.typeDePartie_;
        QVERIFY(t.defini_);
        QCOMPARE(t.nom_, QStringLiteral("Personalisé"));
        QCOMPARE(t.pointsObjectif_, 1500);
        QCOMPARE(t.montantContrat_, 82);
        QCOMPARE(t.arrondi_, 10);
        QCOMPARE(t.septAnnuleDonne_, 1);
        QCOMPARE(t.huitAnnuleAnnonces_, 1);
        QCOMPARE(t.multiplicateurs_, (std::array<int, 12>{0, 1, -1, 1, 1, -1, -1, 5, -1, -1, -1, -1}));
        QCOMPARE(t.atoutImpose_, false);
        QCOMPARE(p.charge_, quint8(1));
        QCOMPARE(p.optionsAIAdversaires_.nbrCombinations_, 20000.0);
        QCOMPARE(p.optionsAIPartenaire_.knowledgeOpponents_, 0.6);
        QCOMPARE(a.ramassageDelay_, 2350);
        QCOMPARE(a.fontSize_, 1.5);
        QCOMPARE(a.vibrate_, false);
        QCOMPARE(a.saisons_[OptionsAffichage::Hiver].actif, false);
        QCOMPARE(a.saisons_[OptionsAffichage::Printemps].debut, QStringLiteral("2000-04-01"));
        // Refilled from what it made, the dialog makes it again.
        d.setOptions(p, a);
        OptionsDePartie p2;
        OptionsAffichage a2;
        QVERIFY(d.construit(p2, a2));
        QCOMPARE(p2.typeDePartie_, p.typeDePartie_);
        QVERIFY(p2 == p);
        QVERIFY(a2 == a);
    }

    // Shown and accepted unchanged, the records come back as they were,
    // fields the dialog does not edit included.
    void acceptingUnchangedKeepsTheRecords_data()
    {
        QTest::addColumn<OptionsDePartie>("partie");
        QTest::addColumn<OptionsAffichage>("affichage");
        QTest::newRow("Jass defaults") << OptionsDePartie(TypeDePartie::GenreJass) << OptionsAffichage();
        QTest::newRow("Belote defaults") << OptionsDePartie(TypeDePartie::GenreBelote) << OptionsAffichage();
        QTest::newRow("custom type, all changed") << personalise() << affichageChange();
        OptionsDePartie graine(TypeDePartie::GenreJass);
        graine.modeDeJeu_ = OptionsDePartie::ModeNouvelleGraine;
        QTest::newRow("a mode the dialog does not offer") << graine << OptionsAffichage();
    }
    void acceptingUnchangedKeepsTheRecords()
    {
        QFETCH(OptionsDePartie, partie);
        QFETCH(OptionsAffichage, affichage);
        OptionsPartie d;
        d.setOptions(partie, affichage);
        QCOMPARE(d.message(), QString());
        QSignalSpy acceptes(&d, &OptionsPartie::signalOptionsAccepted);
        d.OnAccepte();
        QCOMPARE(acceptes.size(), 1);
        const auto p = acceptes.at(0).at(0).value<OptionsDePartie>();
        const auto a = acceptes.at(0).at(1).value<OptionsAffichage>();
        QVERIFY(p == partie);
        QCOMPARE(p.typeDePartie_.sauveValeursDansString(), partie.typeDePartie_.sauveValeursDansString());
        QCOMPARE(p.texte7_, partie.texte7_);
        QCOMPARE(a.sauveValeursDansString(), affichage.sauveValeursDansString());
    }

    // Values from settings that the widgets cannot show are clamped and
    // named; what the user then accepts is in range.
    void outOfRangeValuesAreClampedAndNamed_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("mot");
        QTest::newRow("target") << QStringLiteral("points") << QStringLiteral("points");
        QTest::newRow("rounding") << QStringLiteral("arrondi") << QStringLiteral("arrondi");
        QTest::newRow("multiplier") << QStringLiteral("multiplicateur") << QStringLiteral("Sans atout");
        QTest::newRow("contract kind") << QStringLiteral("contrat") << QStringLiteral("contrat");
        QTest::newRow("preset") << QStringLiteral("preset") << QStringLiteral("type de jeu");
        QTest::newRow("search strength") << QStringLiteral("force") << QStringLiteral("force");
        QTest::newRow("tuning not a number") << QStringLiteral("nan") << QStringLiteral("déduction");
        QTest::newRow("collect delay") << QStringLiteral("delai") << QStringLiteral("ramassage");
        QTest::newRow("font scale") << QStringLiteral("police") << QStringLiteral("taille");
        QTest::newRow("quality") << QStringLiteral("qualite") << QStringLiteral("qualité");
        QTest::newRow("no theme") << QStringLiteral("theme") << QStringLiteral("thème");
        QTest::newRow("unreadable date") << QStringLiteral("date") << QStringLiteral("Automne");
        QTest::newRow("long name") << QStringLiteral("nom") << QStringLiteral("nom 2");
    }
    void outOfRangeValuesAreClampedAndNamed()
    {
        QFETCH(QString, nom);
        QFETCH(QString, mot);
        OptionsDePartie p(TypeDePartie::GenreJass);
        p.idPreset_ = TypeDePartie::ID_PERSONALISE;
        OptionsAffichage a;
        if (nom == QLatin1String("points"))
            p.typeDePartie_.pointsObjectif_ = -1;
        else if (nom == QLatin1String("arrondi"))
            p.typeDePartie_.arrondi_ = 0;
        else if (nom == QLatin1String("multiplicateur"))
            p.typeDePartie_.multiplicateurs_[10] = 99;
        else if (nom == QLatin1String("contrat"))
            p.typeDePartie_.contrat_ = 7;
        else if (nom == QLatin1String("preset"))
            p.idPreset_ = 42;
        else if (nom == QLatin1String("force"))
            p.optionsAIAdversaires_.nbrCombinations_ = 1e9;
        else if (nom == QLatin1String("nan"))
            p.optionsAIPartenaire_.knowledgeOpponents_ = std::nan("");
        else if (nom == QLatin1String("delai"))
            a.ramassageDelay_ = -300;
        else if (nom == QLatin1String("police"))
            a.fontSize_ = 12.0;
        else if (nom == QLatin1String("qualite"))
            a.quality_ = 9;
        else if (nom == QLatin1String("theme"))
            a.appStyle_ = -1;
        else if (nom == QLatin1String("date"))
            a.saisons_[OptionsAffichage::Automne].fin = QStringLiteral("31 décembre");
        else if (nom == QLatin1String("nom"))
            a.noms_[1] = QString(60, QLatin1Char('x'));
        OptionsPartie d;
        d.setOptions(p, a);
        QVERIFY2(d.message().contains(mot), qPrintable(d.message()));
        OptionsDePartie p2;
        OptionsAffichage a2;
        QVERIFY(d.construit(p2, a2));
        const TypeDePartie& t = p2.typeDePartie_;
        QVERIFY(t.pointsObjectif_ >= OptionsPartie::POINTS_MIN && t.arrondi_ >= OptionsPartie::ARRONDI_MIN);
        for (int m = 1; m < TypeDePartie::NOMBRE_MODES; ++m)
            QVERIFY(t.multiplicateurs_[size_t(m)] == -1 || t.multiplicateurs_[size_t(m)] <= OptionsPartie::MULTIPLICATEUR_MAX);
        QVERIFY(t.contrat_ >= 0 && t.contrat_ <= TypeDePartie::ContratVache);
        QVERIFY(p2.idPreset_ >= 0 && p2.idPreset_ < OptionsPartie::NOMBRE_PRESETS);
        QVERIFY(p2.optionsAIAdversaires_.nbrCombinations_ <= WidgetOptionsAI::COMBINAISONS_MAX);
        QVERIFY(std::isfinite(p2.optionsAIPartenaire_.knowledgeOpponents_));
        QVERIFY(a2.ramassageDelay_ >= 0 && a2.ramassageDelay_ <= OptionsAffichage::DELAI_RAMASSAGE_MAX);
        QVERIFY(a2.fontSize_ <= OptionsAffichage::TAILLE_POLICE_MAX);
        QVERIFY(a2.quality_ >= OptionsAffichage::QUALITE_MIN && a2.quality_ <= OptionsAffichage::QUALITE_MAX);
        QVERIFY(a2.appStyle_ >= 0 && a2.appStyle_ <= OptionsAffichage::STYLE_APPLICATION_MAX);
        QVERIFY(QDate::fromString(a2.saisons_[OptionsAffichage::Automne].fin, Qt::ISODate).isValid());
        QVERIFY(a2.noms_[1].size() <= OptionsPartie::NOM_LONGUEUR_MAX);
        // What is accepted reads back as written.
        OptionsAffichage relu;
        relu.chargeValeursDepuisString(a2.sauveValeursDansString());
        QVERIFY(relu == a2);
    }

    // Refused input says why and emits nothing: neither record is handed on
    // alone, and the dialog still holds what it was given.
    void badInputIsRefusedWhole_data()
    {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<QString>("nomAttendu");
        QTest::newRow("empty name") << QStringLiteral("lineEditNameBuddy") << QString() << false << QString();
        QTest::newRow("blank name") << QStringLiteral("lineEditNameOpponent2") << QStringLiteral("   ") << false
                                    << QString();
        QTest::newRow("framing characters") << QStringLiteral("lineEditNameOpponent1")
                                            << QStringLiteral("Al!ce {la} }") << true
                                            << QStringLiteral("Al.ce (la) )");
        QTest::newRow("inner blanks") << QStringLiteral("lineEditNameOpponent1") << QStringLiteral("  Jean   Paul ")
                                      << true << QStringLiteral("Jean Paul");
        QTest::newRow("season of no day") << QStringLiteral("summer") << QString() << false << QString();
        QTest::newRow("disabled season of no day") << QStringLiteral("summer off") << QString() << true
                                                   << QStringLiteral("Alphonse");
        QTest::newRow("winter over the new year") << QStringLiteral("winter") << QString() << true
                                                  << QStringLiteral("Alphonse");
    }
    void badInputIsRefusedWhole()
    {
        QFETCH(QString, champ);
        QFETCH(QString, texte);
        QFETCH(bool, accepte);
        QFETCH(QString, nomAttendu);
        OptionsPartie d;
        d.setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
        if (champ.startsWith(QLatin1String("lineEdit"))) {
            d.findChild<QLineEdit*>(champ)->setText(texte);
        } else if (champ.startsWith(QLatin1String("summer"))) {
            d.findChild<QDateEdit*>(QStringLiteral("dateEditSummerEnd"))->setDate(QDate(2000, 6, 20));
            d.findChild<QCheckBox*>(QStringLiteral("checkBoxSummer"))->setChecked(champ == QLatin1String("summer"));
        } else {
            d.findChild<QDateEdit*>(QStringLiteral("dateEditWinterStart"))->setDate(QDate(2000, 11, 25));
            d.findChild<QDateEdit*>(QStringLiteral("dateEditWinterEnd"))->setDate(QDate(2000, 1, 6));
        }
        QSignalSpy acceptes(&d, &OptionsPartie::signalOptionsAccepted);
        d.show();
        d.OnAccepte();
        QCOMPARE(acceptes.size(), accepte ? 1 : 0);
        QCOMPARE(d.isVisible(), !accepte);
        if (!accepte) {
            QVERIFY(!d.message().isEmpty());
            // Cancel brings back what was given.
            d.OnRefuse();
            OptionsDePartie p;
            OptionsAffichage a;
            QVERIFY(d.construit(p, a));
            QVERIFY(a == OptionsAffichage());
            return;
        }
        const auto a = acceptes.at(0).at(1).value<OptionsAffichage>();
        QVERIFY(a.noms_.contains(nomAttendu));
        OptionsAffichage relu;
        relu.chargeValeursDepuisString(a.sauveValeursDansString());
        QVERIFY(relu == a);
        if (champ == QLatin1String("winter")) {
            QVERIFY(isDateInSeason(QDate(2026, 12, 24), a.saisons_[0].debut, a.saisons_[0].fin));
            QVERIFY(isDateInSeason(QDate(2027, 1, 3), a.saisons_[0].debut, a.saisons_[0].fin));
        }
    }

    // The rules only apply to the custom preset: their box follows it.
    void rulesFollowTheCustomPreset()
    {
        OptionsPartie d;
        d.setOptions(OptionsDePartie(TypeDePartie::GenreBelote), OptionsAffichage());
        auto* regles = d.findChild<QWidget*>(QStringLiteral("groupBoxPersonalise"));
        QVERIFY(!regles->isEnabled());
        d.findChild<QAbstractButton*>(QStringLiteral("radioButtonPreset5"))->click();
        QVERIFY(regles->isEnabled());
        d.findChild<QAbstractButton*>(QStringLiteral("radioButtonPreset8"))->click();
        QVERIFY(!regles->isEnabled());
    }
};

ZB_REGISTER_TEST(TestOptionsPartie)
#include "TestOptionsPartie.moc"
