// Preview of the card faces: renders a hand of nine cards of every deck style
// (number cards, court cards and an ace of all four suits) at the card sizes
// the table uses, fanned and side by side, so that a person can check that
// rank and suit read at the smallest size.
//
//   render_hand OUTPUT_FOLDER [CARD_ROOT]
//
// CARD_ROOT defaults to the embedded decks (":/Cartes/"); a folder laid out
// the same way (style folder, suit, rank.svg) can be given instead.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

const char* const styleFolders[] = {"FraChSvg", "GerChSvg", "FraSvg", "NapSvg", "Fun1Svg"};
constexpr int styleCount = 5;
// Suit and rank of the nine cards shown.
constexpr int hand[9][2] = {{1, 6}, {1, 10}, {2, 7}, {2, 11}, {3, 9}, {3, 12}, {4, 8}, {4, 13}, {4, 14}};
// Card sizes of the table: the smallest quality on a small screen, quality 0
// and the default quality 2 on a 1920 x 1040 screen.
constexpr int sizes[][2] = {{27, 38}, {54, 76}, {108, 151}};
const QColor cloth(40, 110, 55);

QImage renderCard(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    return image;
}

// One row of the nine cards side by side and, below it, the same cards
// overlapping as in a fanned hand (each card shows a third of its width).
QImage handSheet(const QString& root, const QString& folder, int width, int height)
{
    const int gap = qMax(2, width / 10);
    const int step = qMax(1, width * 36 / 100);
    const int sheetWidth = qMax(9 * (width + gap) + gap, 8 * step + width + 2 * gap);
    QImage sheet(sheetWidth, 2 * height + 3 * gap, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(cloth);
    QPainter painter(&sheet);
    for (int i = 0; i < 9; ++i) {
        const QString path = QStringLiteral("%1%2/%3/%4.svg").arg(root, folder).arg(hand[i][0]).arg(hand[i][1]);
        const QImage card = renderCard(path, width, height);
        painter.drawImage(gap + i * (width + gap), gap, card);
        painter.drawImage(gap + i * step, 2 * gap + height, card);
    }
    return sheet;
}

QImage deckSheet(const QString& root, const QString& folder, int width, int height)
{
    const int gap = 4;
    QImage sheet(9 * (width + gap) + gap, 4 * (height + gap) + gap, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(cloth);
    QPainter painter(&sheet);
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 6; rank <= 14; ++rank) {
            const QString path = QStringLiteral("%1%2/%3/%4.svg").arg(root, folder).arg(suit).arg(rank);
            painter.drawImage(gap + (rank - 6) * (width + gap), gap + (suit - 1) * (height + gap),
                              renderCard(path, width, height));
        }
    return sheet;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_hand OUTPUT_FOLDER [CARD_ROOT]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(":/Cartes/");
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int style = 0; style < styleCount; ++style) {
        const QString folder = QString::fromLatin1(styleFolders[style]);
        for (const auto& size : sizes) {
            const QString name = QStringLiteral("%1/hand_%2_%3_%4x%5.png")
                                     .arg(output).arg(style).arg(folder).arg(size[0]).arg(size[1]);
            const QImage sheet = handSheet(root, folder, size[0], size[1]);
            ok = sheet.save(name) && ok;
            // Small sheets are also written four times larger, pixel for
            // pixel, to judge them on a screen of any density.
            if (size[0] < 60) {
                QString zoomed = name;
                zoomed.replace(QStringLiteral(".png"), QStringLiteral("_zoom4.png"));
                ok = sheet.scaled(sheet.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(zoomed) && ok;
            }
        }
        const QString deck = QStringLiteral("%1/deck_%2_%3.png").arg(output).arg(style).arg(folder);
        ok = deckSheet(root, folder, 108, 151).save(deck) && ok;
    }
    if (!ok)
        std::fprintf(stderr, "some pictures could not be written to %s\n", argv[1]);
    return ok ? 0 : 1;
}
