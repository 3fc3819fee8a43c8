#include "ZB_TableFonts.h"
#include "ZbTestRegistry.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

// The table's drawing code names fonts that few systems have; each must
// resolve to the embedded cartoon hand rather than to an arbitrary default.
class TestTableFonts : public QObject
{
    Q_OBJECT

private slots:
    void namedFamiliesResolveToTheEmbeddedFace();
};

void TestTableFonts::namedFamiliesResolveToTheEmbeddedFace()
{
    QVERIFY(ZB_TableFonts::install());
    QVERIFY(ZB_TableFonts::install());
    QVERIFY(QFontDatabase::families().contains(ZB_TableFonts::cartoonFamily()));
    for (const QString& family : ZB_TableFonts::drawnFamilies()) {
        QFont font(family);
        font.setPixelSize(40);
        const QString resolved = QFontInfo(font).family();
        if (QFontDatabase::hasFamily(family))
            QCOMPARE(resolved, family);
        else
            QCOMPARE(resolved, ZB_TableFonts::cartoonFamily());
        font.setBold(true);
        if (!QFontDatabase::hasFamily(family))
            QCOMPARE(QFontInfo(font).family(), ZB_TableFonts::cartoonFamily());
    }
}

ZB_REGISTER_TEST(TestTableFonts)
#include "TestTableFonts.moc"
