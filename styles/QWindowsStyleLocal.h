#pragma once

#include <QCommonStyle>
#include <QIcon>

class QPalette;

// The program's classic Windows-look widget style, the base of the Plastique
// style and of the themes; it is never installed on its own.
//
// Rules:
// - It keeps no state: every answer depends only on the arguments and, for
//   a few metrics, on the screen's dots per inch.
// - Every pixel metric is worked out in device pixels, then divided by the
//   widget's device pixel ratio (1 without a widget) and truncated; -1 stays
//   -1. This holds for the metrics it takes from QCommonStyle too.
// - Nested questions (metrics, hints, rectangles, primitives) go through
//   proxy(), so a derived style's answers take part in this style's geometry
//   and drawing.
// - Whatever it does not draw or measure itself goes to QCommonStyle; a
//   missing or mismatched option draws nothing of this style's own and never
//   crashes.
// - Arrow pictures are cached in QPixmapCache under keys that hold all they
//   depend on (StyleTools::optionCacheKey plus the arrow's direction).
class QWindowsStyleLocal : public QCommonStyle
{
    Q_OBJECT

public:
    QWindowsStyleLocal();
    ~QWindowsStyleLocal() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    void polish(QPalette& palette) override;
    void polish(QApplication* application) override;
    void polish(QWidget* widget) override;
    void unpolish(QApplication* application) override;
    void unpolish(QWidget* widget) override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    // The common style's places, with a scroll bar's range brought within
    // the sums its geometry takes.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                           const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QPixmap standardPixmap(StandardPixmap standardPixmap, const QStyleOption* option = nullptr,
                           const QWidget* widget = nullptr) const override;

    // Design sizes of a push button, scaled by the screen's dots per inch.
    static constexpr double PUSH_BUTTON_MIN_WIDTH = 75.0;
    static constexpr double PUSH_BUTTON_MIN_HEIGHT = 23.0;
    // What a tool button adds around its contents.
    static constexpr int TOOL_BUTTON_EXTRA_WIDTH = 7;
    static constexpr int TOOL_BUTTON_EXTRA_HEIGHT = 6;
    // Design sizes of a slider handle and a tool-bar handle.
    static constexpr double SLIDER_LENGTH = 11.0;
    static constexpr double TOOL_BAR_HANDLE_EXTENT = 10.0;
    // The drag distance is this share of the screen's dots per inch.
    static constexpr double MAXIMUM_DRAG_DISTANCE_PER_DPI = 1.375;

public slots:
    // Listed twice in the meta-object (with and without the widget).
    QIcon standardIconImplementation(QStyle::StandardPixmap standardIcon, const QStyleOption* option,
                                     const QWidget* widget = nullptr) const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    // The metric in device pixels, before the division by the ratio.
    int devicePixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget,
                          double ratio) const;
    int sliderControlThickness(const QStyleOption* option, const QWidget* widget, double ratio) const;

    // Drawing of the elements that need more than a few lines.
    void drawArrow(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const;
    void drawBranch(const QStyleOption* option, QPainter* painter) const;
    void drawRadioButton(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawToolButtonPanel(PrimitiveElement element, const QStyleOption* option, QPainter* painter) const;
    void drawTabShape(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawToolBar(const QStyleOption* option, QPainter* painter) const;
    void drawScrollBarLine(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const;
    void drawSlider(const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const;
    void drawComboBox(const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const;
    void drawSpinBox(const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const;
};
