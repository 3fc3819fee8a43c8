#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QStyle;

// A window that shows every kind of widget the styles draw, four times:
// enabled and disabled, left to right and right to left. The gallery tool
// writes it to one picture per style for a person to look at; the styles'
// benchmark paints it.
//
// Rules:
// - The gallery uses whatever style the application has; it installs none.
// - Its content is fixed (no clock, no random values), so two pictures of
//   one style are the same.
class StyleGallery : public QWidget
{
public:
    // A style the gallery can be shown in: its file name part and a maker.
    // A theme brings its palette through its own palette polishing; the
    // other styles are shown in their standard palette.
    struct Entry
    {
        QString name;
        std::function<QStyle*()> create;
        bool themed = false;
    };

    explicit StyleGallery(QWidget* parent = nullptr);

    // The program's styles, in the order their pictures are written: the
    // two base styles, then the five themes, then the five themes in
    // screenshot mode.
    static QList<Entry> styles();
    // Installs the entry's style on the application with its palette.
    static void install(const Entry& entry);

    // The whole gallery painted into an image at its own size.
    QImage paintToImage();

private:
    QWidget* createPanel(bool enabled, Qt::LayoutDirection direction);
};
