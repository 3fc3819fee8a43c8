#include "GM_Exception.h"
#include "TypeDePartie.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <array>

namespace {

using Modes = QList<int>;

Modes allowedModes(const TypeDePartie& t, int* count = nullptr)
{
    std::array<bool, TypeDePartie::NOMBRE_MODES> flags{};
    const int n = t.getAtoutsPermis(flags);
    if (count)
        *count = n;
    Modes modes;
    for (int i = 0; i < TypeDePartie::NOMBRE_MODES; ++i)
        if (flags[i])
            modes << i;
    return modes;
}

} // namespace

class TestGameTypes : public QObject
{
    Q_OBJECT

private slots:
    void init() { TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass, true); }

    void presets_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("target");
        QTest::addColumn<Modes>("modes");
        QTest::addColumn<QList<int>>("rules"); // announcements, king and queen, contract, kind, amount, unit, distribution, scoring
        QTest::addColumn<QList<int>>("other");  // automatic trump, trump imposed
        const Modes suits{1, 2, 3, 4};
        const Modes suitsTs{1, 2, 3, 4, 9, 10};
        const QList<int> jassChibre{0, 1, 0, 0, -1, 1, 0, 0};
        const QList<int> none{0, 0};
        QTest::newRow("0") << 0 << "Suisse romand" << 1000 << suits << jassChibre << none;
        QTest::newRow("1") << 1 << "Suisse romand pique double" << 1500 << suits << jassChibre << none;
        QTest::newRow("2") << 2 << "Suisse allemand" << 3000 << Modes{1, 2, 3, 4, 5, 6} << jassChibre << none;
        QTest::newRow("3") << 3 << "Suisse allemand zig zag" << 4000 << Modes{1, 2, 3, 4, 5, 6, 7, 8} << jassChibre << none;
        QTest::newRow("4") << 4 << "Suisse romand online" << 500 << suits << QList<int>{2, 0, 0, 0, -1, 1, 0, 0} << none;
        QTest::newRow("5") << 5 << "Personalisé" << 1000 << suits << jassChibre << none;
        QTest::newRow("6") << 6 << "Belote Classique" << 1000 << suits << QList<int>{2, 2, 1, 1, 82, 1, 1, 0} << none;
        QTest::newRow("7") << 7 << "Belote Classique Online" << 500 << suits << QList<int>{2, 0, 1, 1, 82, 1, 0, 0} << none;
        QTest::newRow("8") << 8 << "Belote Contrée" << 2000 << suits << QList<int>{2, 2, 3, 1, 82, 10, 0, 2} << none;
        QTest::newRow("9") << 9 << "Belote Coinchée" << 3000 << suitsTs << QList<int>{0, 2, 2, 1, 82, 10, 0, 2} << none;
        QTest::newRow("10") << 10 << "Belote Vache" << 1000 << suits << QList<int>{2, 2, 4, 1, 82, 10, 0, 0} << none;
        QTest::newRow("11") << 11 << "Belote Vache Online" << 500 << suits << QList<int>{2, 0, 4, 1, 82, 1, 0, 0} << none;
        QTest::newRow("12") << 12 << "Belote Contrée Online" << 1000 << suits << QList<int>{2, 0, 3, 1, 82, 1, 0, 2} << none;
        QTest::newRow("13") << 13 << "Belote Coinchée Online" << 1500 << suitsTs << QList<int>{2, 0, 2, 1, 82, 1, 0, 2} << none;
        QTest::newRow("14") << 14 << "Suisse romand tournoi court" << 100000 << suits << QList<int>{2, 0, 0, 0, -1, 1, 0, 0} << QList<int>{1, 1};
        QTest::newRow("15") << 15 << "Suisse romand tournoi long" << 100000 << suits << QList<int>{2, 0, 0, 0, -1, 1, 0, 0} << QList<int>{2, 1};
        QTest::newRow("16") << 16 << "Belote Vache Online" << 500 << suits << QList<int>{2, 0, 4, 1, 82, 1, 0, 0} << QList<int>{0, 1};
    }
    void presets()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(int, target);
        QFETCH(Modes, modes);
        QFETCH(QList<int>, rules);
        QFETCH(QList<int>, other);
        const TypeDePartie& t = TypeDePartie::getTypeDePartie(id);
        QVERIFY(t.defini_);
        QCOMPARE(t.nom_, name);
        QCOMPARE(t.pointsObjectif_, target);
        int count = 0;
        QCOMPARE(allowedModes(t, &count), modes);
        QCOMPARE(count, modes.size());
        QCOMPARE(t.multiplicateurs_[0], 0);
        for (int m = 1; m < TypeDePartie::NOMBRE_MODES; ++m)
            QVERIFY(modes.contains(m) ? t.multiplicateurs_[m] >= 1 : t.multiplicateurs_[m] == -1);
        QCOMPARE((QList<int>{t.annonces_, t.roiDame_, t.contrat_, t.genre_, t.montantContrat_, t.arrondi_,
                             t.distribution_, t.decompte_}),
                 rules);
        QCOMPARE((QList<int>{t.atoutAutomatique_, t.atoutImpose_ ? 1 : 0}), other);
        QCOMPARE(t.septAnnuleDonne_, 0);
        QCOMPARE(t.huitAnnuleAnnonces_, 0);
    }

    void multipliersAndDescriptions()
    {
        const TypeDePartie& pique = TypeDePartie::getTypeDePartie(1);
        QCOMPARE(pique.multiplicateurs_[3], 2);
        QCOMPARE(pique.multiplicateurs_[4], 1);
        const TypeDePartie& zz = TypeDePartie::getTypeDePartie(3);
        QCOMPARE((QList<int>(zz.multiplicateurs_.begin(), zz.multiplicateurs_.end())),
                 (QList<int>{0, 2, 1, 2, 1, 3, 4, 5, 5, -1, -1, -1}));
        QCOMPARE(zz.description_, QStringLiteral("chaque huit vaut huit points"));
        QCOMPARE(TypeDePartie::getTypeDePartie(14).description_, QStringLiteral("l'atout est imposé"));
        QVERIFY(TypeDePartie::getTypeDePartie(0).description_.isEmpty());
    }

    void customPresetFollowsTheKind()
    {
        TypeDePartie& custom = TypeDePartie::getTypeDePartie(TypeDePartie::ID_PERSONALISE);
        const TypeDePartie* address = &custom;
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreBelote);
        // Rebuilt in place: the reference handed out earlier still holds.
        QCOMPARE(&TypeDePartie::getTypeDePartie(TypeDePartie::ID_PERSONALISE), address);
        QCOMPARE(custom.nom_, QStringLiteral("Personalisé"));
        QCOMPARE(custom.pointsObjectif_, 3000);
        QCOMPARE(allowedModes(custom), (Modes{1, 2, 3, 4, 9, 10}));
        QCOMPARE((QList<int>{custom.annonces_, custom.roiDame_, custom.contrat_, custom.genre_, custom.montantContrat_,
                             custom.arrondi_, custom.distribution_, custom.decompte_}),
                 (QList<int>{0, 2, 1, 1, 82, 1, 1, 0}));

        // Same kind without force: a user's edit survives.
        custom.pointsObjectif_ = 1234;
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreBelote);
        QCOMPARE(custom.pointsObjectif_, 1234);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreBelote, true);
        QCOMPARE(custom.pointsObjectif_, 3000);
    }

    void unknownIdGivesAKeptDefault()
    {
        TypeDePartie& unknown = TypeDePartie::getTypeDePartie(99);
        QVERIFY(!unknown.defini_);
        QCOMPARE(unknown.pointsObjectif_, -1);
        QCOMPARE(unknown.multiplicateurs_[0], 0);
        QCOMPARE(unknown.multiplicateurs_[11], 1);
        unknown.nom_ = QStringLiteral("kept");
        QCOMPARE(&TypeDePartie::getTypeDePartie(99), &unknown);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreBelote, true);
        QCOMPARE(TypeDePartie::getTypeDePartie(99).nom_, QStringLiteral("kept"));
    }

    void textFormPerVersion()
    {
        const TypeDePartie& court = TypeDePartie::getTypeDePartie(14);
        const QString v3 = court.sauveValeursDansString(3);
        const QString v1 = court.sauveValeursDansString(1);
        QCOMPARE(v3, QStringLiteral("{1!Suisse romand tournoi court!100000!0!1!1!1!1!-1!-1!-1!-1!-1!-1!-1!"
                                    "l'atout est imposé!2!0!0!0!-1!1!0!0!0!0!1!1!}"));
        QCOMPARE(v1, QStringLiteral("{1!Suisse romand tournoi court!100000!0!1!1!1!1!-1!-1!-1!-1!-1!-1!-1!"
                                    "l'atout est imposé!2!0!0!0!-1!1!0!0!0!0!}"));
        QCOMPARE(court.sauveValeursDansString(), v3);

        TypeDePartie fromNew;
        fromNew.chargeValeursDepuisString(v3);
        QCOMPARE(fromNew, court);

        // The older text leaves the later fields as the record held them.
        TypeDePartie fromOld;
        fromOld.chargeValeursDepuisString(v1);
        QCOMPARE(fromOld.atoutAutomatique_, 0);
        QVERIFY(!fromOld.atoutImpose_);
        QVERIFY(fromOld != court);
        TypeDePartie held = court;
        held.chargeValeursDepuisString(v1);
        QCOMPARE(held, court);
    }

    void freeTextCannotBreakTheRecord()
    {
        TypeDePartie t = TypeDePartie::getTypeDePartie(5);
        t.nom_ = QStringLiteral("Mon {jeu}!\r\nà moi");
        t.description_ = QStringLiteral("a!b");
        t.atoutAutomatique_ = 2;
        const QString texte = t.sauveValeursDansString();
        QVERIFY(!texte.contains('\n') && !texte.contains('\r'));
        TypeDePartie lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu.atoutAutomatique_, 2);
        QCOMPARE(lu.pointsObjectif_, t.pointsObjectif_);
        QVERIFY(lu.nom_.endsWith(QStringLiteral("à moi")));
    }

    void badTextFails()
    {
        TypeDePartie t;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, t.chargeValeursDepuisString(QStringLiteral("{1!name!1000!}")));
        QVERIFY_THROWS_EXCEPTION(GM_Exception, t.chargeValeursDepuisString(QString()));
    }

    void equalityCoversEveryField()
    {
        const TypeDePartie base = TypeDePartie::getTypeDePartie(9);
        TypeDePartie t = base;
        QCOMPARE(t, base);
        t.multiplicateurs_[10] = 2;
        QVERIFY(t != base);
        t = base;
        t.huitAnnuleAnnonces_ = 1;
        QVERIFY(t != base);
        t = base;
        t.description_ = QStringLiteral("x");
        QVERIFY(t != base);
    }
};

ZB_REGISTER_TEST(TestGameTypes)
#include "TestGameTypes.moc"
