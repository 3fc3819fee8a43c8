#include "GM_ServerPass.h"
#include "ZbTestRegistry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

// The server password form in the area the table gives its dialogs: it takes
// the size of what it asks for, centred, so that the table stays in view;
// the teammate list, when asked, gets room; nothing is cut.
class TestServerPassWindow : public QObject
{
    Q_OBJECT

private slots:
    void takesTheSizeOfWhatItAsks_data()
    {
        QTest::addColumn<QRect>("zone");
        QTest::addColumn<bool>("motDePasse");
        QTest::addColumn<int>("mode");
        // The table's dialog inset at 800 x 600 and at 1920 x 1080.
        const QList<QPair<const char*, QRect>> zones{{"800x600", QRect(72, 101, 656, 394)},
                                                     {"1920x1080", QRect(173, 183, 1574, 711)}};
        for (const auto& [nom, zone] : zones) {
            QTest::addRow("%s, password only", nom) << zone << true << int(GM_ServerPass::NoTeammate);
            QTest::addRow("%s, password, optional teammate", nom)
                << zone << true << int(GM_ServerPass::TeammateOptional);
            QTest::addRow("%s, required teammate only", nom) << zone << false << int(GM_ServerPass::TeammateRequired);
        }
    }
    void takesTheSizeOfWhatItAsks()
    {
        QFETCH(QRect, zone);
        QFETCH(bool, motDePasse);
        QFETCH(int, mode);
        GM_ServerPass passe;
        passe.setGeometryFixed(zone);
        // The form is placed once and configured at each use.
        passe.configure(true, GM_ServerPass::NoTeammate);
        passe.show();
        const int hauteurSeule = passe.height();
        passe.hide();
        passe.configure(motDePasse, mode);
        passe.show();
        const QRect place = passe.geometry();
        const QString decrit = QStringLiteral("%1x%2 at %3,%4")
                                   .arg(place.width())
                                   .arg(place.height())
                                   .arg(place.x())
                                   .arg(place.y());
        QVERIFY2(zone.contains(place), qPrintable(decrit));
        QVERIFY2(std::abs(place.center().x() - zone.center().x()) <= 1
                     && std::abs(place.center().y() - zone.center().y()) <= 1,
                 qPrintable(decrit));
        const QSize minimum = passe.minimumSizeHint();
        QVERIFY2(minimum.width() <= place.width() && minimum.height() <= place.height(), qPrintable(decrit));
        QCOMPARE(passe.passwordEdit()->isVisible(), motDePasse);
        QCOMPARE(passe.teammateTree()->isVisible(), mode != GM_ServerPass::NoTeammate);
        if (mode == GM_ServerPass::NoTeammate) {
            QCOMPARE(place.height(), hauteurSeule);
            QVERIFY2(double(place.width()) * place.height() <= 0.25 * zone.width() * zone.height(),
                     qPrintable(decrit));
        } else {
            // Room for the list: taller than the password alone, and the
            // list at least its own minimum.
            QVERIFY2(place.height() > hauteurSeule, qPrintable(decrit));
            QVERIFY(passe.teammateTree()->height() >= passe.teammateTree()->minimumSizeHint().height());
        }
    }
};

ZB_REGISTER_TEST(TestServerPassWindow)
#include "TestServerPassWindow.moc"
