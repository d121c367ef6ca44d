#include "shell/controls/MenuStyle.hpp"

#include "shell/controls/ThemedMenu.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <algorithm>

namespace vesk {
namespace {

constexpr int panelMargin = 4;
constexpr int markLeft = 6;   // where a check or an entry's symbol starts
constexpr int markSize = 14;  // the square it is drawn in
constexpr int titleLeft = 26; // where titles start
constexpr int arrowZone = 22; // room for a submenu's arrow
constexpr int endPadding = 14;
constexpr double rowRadius = 5;
// Wider titles (a list's long name) end with an ellipsis.
constexpr int maximumTitleWidth = 280;

QPainterPath rounded(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QString visibleTitle(const QStyleOptionMenuItem& item) {
    return item.text.section('\t', 0, 0);
}

constexpr int titleFlags = Qt::TextShowMnemonic | Qt::TextSingleLine;

void drawCheck(QPainter& painter, const QRectF& box, const QColor& color) {
    QPainterPath check;
    check.moveTo(box.left() + box.width() * 0.18, box.top() + box.height() * 0.55);
    check.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.78);
    check.lineTo(box.left() + box.width() * 0.84, box.top() + box.height() * 0.26);
    painter.setPen(QPen(color, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(check);
}

void drawArrow(QPainter& painter, const QPointF& tip, const QColor& color) {
    QPainterPath chevron;
    chevron.moveTo(tip.x() - 3.5, tip.y() - 4);
    chevron.lineTo(tip.x(), tip.y());
    chevron.lineTo(tip.x() - 3.5, tip.y() + 4);
    painter.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(chevron);
}

void drawItem(QPainter& painter, const QStyleOptionMenuItem& item, const QAction* action) {
    const QRectF row = item.rect;
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        const double y = row.center().y();
        painter.fillRect(QRectF(row.left() + 8, y - 0.5, row.width() - 16, 1), Theme::hairline());
        return;
    }
    const bool enabled = item.state & QStyle::State_Enabled;
    if (enabled && (item.state & QStyle::State_Selected)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::surfaceHi());
        painter.drawPath(rounded(row, rowRadius));
    }
    const bool danger = action && ThemedMenu::isDanger(*action);
    const QColor color = !enabled ? Theme::text3() : danger ? Theme::danger() : Theme::text();

    const QRectF mark(row.left() + markLeft, row.center().y() - markSize / 2.0, markSize, markSize);
    const QString symbol = action ? ThemedMenu::symbolOf(*action) : QString();
    if (item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked)
        drawCheck(painter, mark, color);
    else if (symbol == QLatin1String("checkmark"))
        drawCheck(painter, mark, color);
    else if (!symbol.isEmpty())
        Symbols::draw(painter, mark, symbol.toStdString(), 11, enabled ? Theme::text2() : Theme::text3());

    const double right = item.menuItemType == QStyleOptionMenuItem::SubMenu ? arrowZone : endPadding;
    const QRectF title(row.left() + titleLeft, row.top(), row.width() - titleLeft - right, row.height());
    painter.setFont(item.font);
    painter.setPen(color);
    const QString shown = QFontMetricsF(item.font).elidedText(visibleTitle(item), Qt::ElideRight,
                                                              title.width(), Qt::TextShowMnemonic);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter | titleFlags, shown);

    if (item.menuItemType == QStyleOptionMenuItem::SubMenu)
        drawArrow(painter, QPointF(row.right() - 10, row.center().y()),
                  enabled ? Theme::text2() : Theme::text3());
}

} // namespace

MenuStyle::MenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

MenuStyle& MenuStyle::shared() {
    // Dies with the application object, before the toolkit's own teardown.
    static QPointer<MenuStyle> style;
    if (!style) {
        style = new MenuStyle;
        style->setParent(qApp);
    }
    return *style;
}

int MenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    // Without it a long menu (two hundred lists) spreads into columns as wide as the screen.
    if (hint == SH_Menu_Scrollable) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return panelMargin;
    case PM_SubMenuOverlap:
        return 0;
    case PM_MenuDesktopFrameWidth:
        // The toolkit grows a scrolled menu that is shorter than its screen towards the
        // screen's top, over the panel; a frame as high as the screen keeps a shown menu
        // where it was put.
        if (const auto* menu = dynamic_cast<const ThemedMenu*>(widget); menu && menu->isVisible())
            return menu->screen()->geometry().height();
        [[fallthrough]];
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item) return QProxyStyle::sizeFromContents(type, option, size, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) return {size.width(), separatorHeight};
    const int title =
        std::min(QFontMetrics(item->font).size(titleFlags, visibleTitle(*item)).width(), maximumTitleWidth);
    const int right = item->menuItemType == QStyleOptionMenuItem::SubMenu ? arrowZone : endPadding;
    return {titleLeft + title + right, rowHeight};
}

void MenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    const QRectF outline = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (element) {
    case PE_PanelMenu:
        // The surface's tint laid over the tarnel's black, as the panel's own surfaces are.
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(Theme::tarnel());
        painter->drawPath(rounded(outline, cornerRadius));
        painter->setBrush(Theme::surface());
        painter->drawPath(rounded(outline, cornerRadius));
        painter->restore();
        return;
    case PE_FrameMenu:
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(Theme::hairline(), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(rounded(outline, cornerRadius));
        painter->restore();
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuEmptyArea) return; // the panel is already filled
    if (element != CE_MenuItem || !item) return QProxyStyle::drawControl(element, option, painter, widget);
    const auto* menu = qobject_cast<const QMenu*>(widget);
    const QAction* action = menu ? menu->actionAt(item->rect.center()) : nullptr;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    drawItem(*painter, *item, action);
    painter->restore();
}

} // namespace vesk
