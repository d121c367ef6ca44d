#pragma once

#include <QProxyStyle>

namespace vesk {

// How a `ThemedMenu` draws itself: a dark rounded surface with a hairline border, rows
// 24 points high whose hovered row lightens to `surfaceHi`, titles in `text` (`text3` when
// disabled, `danger` for destructive entries), checks in `text`, entry symbols and submenu
// arrows in `text2`. A menu taller than the screen is one column that scrolls, with an arrow
// at either end. Everything that is not a menu is left to the base style.
class MenuStyle final : public QProxyStyle {
  public:
    // One style for every menu, owned by the application object.
    static MenuStyle& shared();

    static constexpr int rowHeight = 24;
    static constexpr int separatorHeight = 9;
    static constexpr double cornerRadius = 8;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

  private:
    MenuStyle();
};

} // namespace vesk
