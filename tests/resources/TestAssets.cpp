#include "ZbTestRegistry.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <utility>

// The display loads these resources by path; a missing, broken or unreadable
// one shows as a blank card, a dead icon or a silent table.
class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void cardFaces_data();
    void cardFaces();
    void pictures_data();
    void pictures();
    void textOnPictures_data();
    void textOnPictures();
    void sounds_data();
    void sounds();
};

namespace {

const char* const deckFolders[] = {"FraChSvg", "GerChSvg", "FraSvg", "NapSvg", "Fun1Svg"};
const char* const themeFolders[] = {"wood", "alien", "racing", "candy", "nature"};
constexpr double cardAspect = 1.4144;
// The smallest card the table renders (quality 0 on a small screen, halved).
const QSize smallestCard(27, 38);

bool isInk(QRgb pixel)
{
    if (qAlpha(pixel) < 200)
        return false;
    const QColor colour = QColor::fromRgb(pixel);
    return colour.value() < 170 || colour.hsvSaturation() > 90;
}

int inkIn(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(image.pixel(x, y)))
                ++count;
    return count;
}

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Mean colour of an area, over its opaque pixels; invalid when none is.
QColor meanColour(const QImage& image, const QRect& area)
{
    double r = 0, g = 0, b = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) != 255)
                continue;
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
            ++count;
        }
    if (count < area.width() * area.height())
        return QColor();
    return QColor(qRound(r / count), qRound(g / count), qRound(b / count));
}

} // namespace

void TestAssets::cardFaces_data()
{
    QTest::addColumn<QString>("path");
    for (const char* folder : deckFolders)
        for (int suit = 1; suit <= 4; ++suit)
            for (int rank = 6; rank <= 14; ++rank) {
                const QString path = QStringLiteral(":/Cartes/%1/%2/%3.svg").arg(QLatin1String(folder)).arg(suit).arg(rank);
                QTest::newRow(qPrintable(path.mid(9))) << path;
            }
}

// Every card of every style exists, has the card's shape and, even at the
// smallest size, shows a white face with its rank in two opposite corners.
void TestAssets::cardFaces()
{
    QFETCH(QString, path);
    QSvgRenderer renderer(path);
    QVERIFY2(renderer.isValid(), qPrintable(path));
    const QRectF box = renderer.viewBoxF();
    QVERIFY(qAbs(box.height() / box.width() - cardAspect) < 0.01);

    QImage image(smallestCard, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    // Within its anti-aliased outline the face is opaque but for the
    // rounded corners.
    const QRect face = image.rect().adjusted(1, 1, -1, -1);
    int opaque = 0;
    for (int y = face.top(); y <= face.bottom(); ++y)
        for (int x = face.left(); x <= face.right(); ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    QVERIFY2(opaque > face.width() * face.height() * 95 / 100, "the face is not filled");
    // The inside, without the border, carries the pips or the figure.
    const QRect inside = image.rect().adjusted(2, 2, -2, -2);
    QVERIFY(inkIn(image, inside) > inside.width() * inside.height() / 16);
    const QRect topLeft(2, 2, 5, 6);
    const QRect bottomRight(image.width() - 7, image.height() - 8, 5, 6);
    QVERIFY2(inkIn(image, topLeft) >= 4, "no rank in the top left corner");
    QVERIFY2(inkIn(image, bottomRight) >= 4, "no rank in the bottom right corner");
}

void TestAssets::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const char* folder : deckFolders) {
        const QString deck = QStringLiteral(":/Cartes/%1/").arg(QLatin1String(folder));
        QTest::newRow(qPrintable(deck + QStringLiteral("back.png"))) << deck + QStringLiteral("back.png") << QSize(256, 362);
        for (int mode = 1; mode <= 11; ++mode) {
            const QString button = deck + QStringLiteral("%1_btn.png").arg(mode);
            QTest::newRow(qPrintable(button)) << button << QSize(128, 128);
        }
    }
    const char* const icons[] = {"back", "forward", "right", "question", "settings", "bug", "connected",
                                 "disconnected", "inprogress", "cup", "tomato", "achievement",
                                 "flocon1", "flower1", "sun1", "leaf1"};
    for (const char* name : icons) {
        const QString icon = QStringLiteral(":/images/%1.png").arg(QLatin1String(name));
        QTest::newRow(qPrintable(icon)) << icon << QSize(128, 128);
    }
    QTest::newRow("connected_carpet") << QStringLiteral(":/images/connected_carpet.png") << QSize(256, 256);
    for (const char* theme : themeFolders) {
        const QString folder = QStringLiteral(":/images/%1/").arg(QLatin1String(theme));
        const std::pair<const char*, QSize> files[] = {{"background.png", QSize(1024, 1024)},
                                                       {"tapis.png", QSize(1024, 1024)},
                                                       {"ardoise.png", QSize(512, 576)},
                                                       {"cartoon_bulle.png", QSize(512, 205)},
                                                       {"network_bulle.png", QSize(512, 205)}};
        for (const auto& [name, size] : files)
            QTest::newRow(qPrintable(folder + QLatin1String(name))) << folder + QLatin1String(name) << size;
    }
}

// Every picture the display loads by name is there and decodes at the size
// its drawing was laid out for.
void TestAssets::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
}

void TestAssets::textOnPictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QColor>("pen");
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    for (const char* theme : themeFolders) {
        const QString folder = QStringLiteral(":/images/%1/").arg(QLatin1String(theme));
        const QString name = QLatin1String(theme);
        // Score lines from x 78, baselines from y 120 to 436; white chalk,
        // red on the racing slate, the default black on the candy one.
        const QColor slatePen = name == QLatin1String("racing") ? QColor(0xF4, 0x4D, 0x49)
                                : name == QLatin1String("candy") ? black
                                                                 : white;
        QTest::newRow(qPrintable(name + QStringLiteral(" slate"))) << folder + QStringLiteral("ardoise.png")
                                                                  << QRect(78, 60, 360, 390) << slatePen;
        // Name plates: 500 x 47 boxes 8 pixels inside each edge of the
        // cloth; white on the racing cloth, black elsewhere.
        const QColor platePen = name == QLatin1String("racing") ? white : black;
        const QString cloth = folder + QStringLiteral("tapis.png");
        QTest::newRow(qPrintable(name + QStringLiteral(" bottom plate"))) << cloth << QRect(262, 969, 500, 47) << platePen;
        QTest::newRow(qPrintable(name + QStringLiteral(" top plate"))) << cloth << QRect(262, 8, 500, 47) << platePen;
        QTest::newRow(qPrintable(name + QStringLiteral(" left plate"))) << cloth << QRect(8, 262, 47, 500) << platePen;
        // Bubble text: dark, centred in the band y 15..115.
        QTest::newRow(qPrintable(name + QStringLiteral(" bubble"))) << folder + QStringLiteral("cartoon_bulle.png")
                                                                   << QRect(60, 20, 380, 90) << black;
        QTest::newRow(qPrintable(name + QStringLiteral(" notice"))) << folder + QStringLiteral("network_bulle.png")
                                                                   << QRect(60, 20, 340, 90) << black;
    }
}

// Where the table writes on a picture, the picture is opaque and its colour
// stands apart from the pen's (a contrast ratio of at least 3 to 1).
void TestAssets::textOnPictures()
{
    QFETCH(QString, path);
    QFETCH(QRect, area);
    QFETCH(QColor, pen);
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!image.isNull());
    const QColor background = meanColour(image, area);
    QVERIFY2(background.isValid(), "the text area is not opaque");
    const double a = luminance(background) + 0.05;
    const double b = luminance(pen) + 0.05;
    const double contrast = qMax(a, b) / qMin(a, b);
    QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("contrast %1 on %2").arg(contrast).arg(background.name())));
}

void TestAssets::sounds_data()
{
    QTest::addColumn<QString>("path");
    for (const char* name : {"cards/shuffling", "cards/drop", "event/whistle", "event/ding_dong_low", "event/drum",
                             "event/blop"})
        QTest::newRow(name) << QStringLiteral(":/sound/%1").arg(QLatin1String(name));
}

// Each effect is a short 16-bit PCM mono wave at 44.1 kHz, reached by the
// extension-less name the sound player uses.
void TestAssets::sounds()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray data = file.readAll();
    QVERIFY(data.size() > 44);
    QCOMPARE(data.left(4), QByteArray("RIFF"));
    QCOMPARE(data.mid(8, 4), QByteArray("WAVE"));
    QCOMPARE(qFromLittleEndian<quint32>(data.constData() + 4), quint32(data.size() - 8));
    bool formatSeen = false;
    qint64 dataBytes = -1;
    for (int offset = 12; offset + 8 <= data.size();) {
        const QByteArray id = data.mid(offset, 4);
        const quint32 length = qFromLittleEndian<quint32>(data.constData() + offset + 4);
        QVERIFY(offset + 8 + qint64(length) <= data.size());
        const char* body = data.constData() + offset + 8;
        if (id == "fmt ") {
            QCOMPARE(qFromLittleEndian<quint16>(body), quint16(1));      // PCM
            QCOMPARE(qFromLittleEndian<quint16>(body + 2), quint16(1));  // mono
            QCOMPARE(qFromLittleEndian<quint32>(body + 4), quint32(44100));
            QCOMPARE(qFromLittleEndian<quint16>(body + 14), quint16(16));
            formatSeen = true;
        } else if (id == "data") {
            dataBytes = length;
        }
        offset += 8 + int(length) + int(length % 2);
    }
    QVERIFY(formatSeen);
    const double seconds = double(dataBytes) / (2 * 44100);
    QVERIFY2(seconds > 0.05 && seconds < 1.0, qPrintable(QString::number(seconds)));
}

ZB_REGISTER_TEST(TestAssets)
#include "TestAssets.moc"
