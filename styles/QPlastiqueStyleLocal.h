#pragma once

#include "QWindowsStyleLocal.h"

#include <QIcon>
#include <QLine>
#include <QList>
#include <QSizePolicy>

class QStyleOptionComboBox;
class QStyleOptionSlider;
class QStyleOptionSpinBox;
class QStyleOptionTab;
class QStyleOptionTitleBar;

// The program's Plastique-look widget style: soft grey-blue gradients,
// two-pixel rounded frames and a fixed light palette. It is the base of the
// themed styles and is never installed on its own.
//
// Rules:
// - It keeps no per-widget state and never animates: busyAnimationStep is 1
//   for its whole life and timers do nothing.
// - Its own fixed metrics are divided by the widget's device pixel ratio and
//   truncated; a few (scroll-bar extent, splitter width and the like) are
//   then raised to a share of StyleTools::minimumControlSize, and so are
//   most control sizes.
// - Nested questions go through proxy(), so a theme's metrics and
//   primitives take part in this style's geometry and drawing.
// - Pictures (push-button panels, indicators, tool-bar handles, gradients)
//   are cached in QPixmapCache under keys holding all they depend on, and
//   only for painters that translate or purely scale.
// - What it does not draw or measure itself goes to QWindowsStyleLocal; a
//   missing or mismatched option draws nothing and never crashes.
class QPlastiqueStyleLocal : public QWindowsStyleLocal
{
    Q_OBJECT

public:
    QPlastiqueStyleLocal();
    ~QPlastiqueStyleLocal() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QWindowsStyleLocal::polish;
    using QWindowsStyleLocal::unpolish;

    QPalette standardPalette() const override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option, const QPoint& point,
                                     const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                           const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    // Qt 6 layouts ask this virtual, not the slot: both give the same rule.
    int layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                      Qt::Orientation orientation, const QStyleOption* option = nullptr,
                      const QWidget* widget = nullptr) const override;

    // The slider's tick marks, in the option's coordinates: by the tick
    // interval, else the single step, else the page step, at most one per
    // pixel; the ends one pixel longer.
    QList<QLine> sliderTickLines(const QStyleOptionSlider* option, const QWidget* widget = nullptr) const;

    // How the rounded tab drawing derives its brushes from the palette's:
    // fading the shadow, lightening and darkening the button brush for the
    // inner bevel. A theme passes its own so that its textures stay as they
    // are.
    struct BrushDerivations
    {
        void (*alpha)(QBrush& brush, double factor);
        QBrush (*light)(QBrush brush);
        QBrush (*dark)(QBrush brush, int factor);
    };

    // The step of a busy progress bar: 1, so a busy bar stands still.
    int busyAnimationStep = 1;

    // The push-button size is raised to this share of the minimum control
    // size; the scroll bar's and others' metrics to these shares of its
    // width.
    static constexpr double PUSH_BUTTON_MINIMUM_SHARE = 1.8;
    static constexpr double METRIC_MINIMUM_SHARE = 0.5;
    static constexpr double SMALL_ICON_MINIMUM_SHARE = 2.0;
    // The width a submenu item adds for its arrow.
    static constexpr int SUBMENU_ARROW_PLACE = 12;

public slots:
    QIcon standardIconImplementation(QStyle::StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                                     const QWidget* widget = nullptr) const;
    int layoutSpacingImplementation(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                                    Qt::Orientation orientation, const QStyleOption* option = nullptr,
                                    const QWidget* widget = nullptr) const;

protected:
    static BrushDerivations plastiqueBrushDerivations();
    // A tab of one of the four rounded shapes, with those derivations; the
    // callers pass no other shape.
    void drawRoundedTabShape(const QStyleOptionTab* tab, QPainter* painter, const QWidget* widget,
                             const BrushDerivations& derive) const;

private:
    // The fixed metric in device pixels, or -1 when the base style answers.
    int ownDevicePixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget,
                             bool& known) const;
    QRect scrollBarRect(const QStyleOptionSlider* slider, SubControl subControl, const QWidget* widget) const;
    QRect titleBarRect(const QStyleOptionTitleBar* titleBar, SubControl subControl, const QWidget* widget) const;

    // Primitive drawing of the elements that need more than a few lines.
    void drawPanelLineEdit(const QStyleOption* option, QPainter* painter) const;
    void drawFrameTabWidget(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawFrameTabBarBase(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawFrameWindow(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawPushButtonPanel(const QStyleOption* option, QPainter* painter) const;
    void drawCheckBox(const QStyleOption* option, QPainter* painter) const;
    void drawRadioButton(const QStyleOption* option, QPainter* painter) const;
    void drawToolBarHandle(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    // Control drawing of the elements that need more than a few lines.
    void drawComboBoxLabel(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawMenuBarItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawScrollBarSubLine(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawScrollBarSlider(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawSpinBox(const QStyleOptionSpinBox* option, QPainter* painter, const QWidget* widget) const;
    void drawComboBox(const QStyleOptionComboBox* option, QPainter* painter, const QWidget* widget) const;
    void drawTitleBar(const QStyleOptionTitleBar* option, QPainter* painter, const QWidget* widget) const;
    void drawSlider(const QStyleOptionSlider* option, QPainter* painter, const QWidget* widget) const;
    void drawBranch(const QStyleOption* option, QPainter* painter, const QColor& border, const QColor& corner,
                    const QColor& textBlend) const;
};
