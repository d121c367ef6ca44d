#include "tabs/detail/ListMenuButton.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QPainter>
#include <cmath>

namespace vesk {
namespace {

constexpr double chevronPoints = 8;
constexpr double gap = 4;

QFont labelFont() {
    return Fonts::text(12, FontWeight::medium);
}

} // namespace

ListMenuButton::ListMenuButton(std::function<void(const UUID&)> onPick, QWidget* parent)
    : PaintedControl(parent), onPick_(std::move(onPick)) {
    setAction([this] { open(); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ListMenuButton::setMenu(ListMenu menu) {
    if (menu == menu_) return;
    menu_ = std::move(menu);
    updateGeometry();
    update();
}

QSize ListMenuButton::sizeHint() const {
    const double text = QFontMetricsF(labelFont()).horizontalAdvance(QString::fromStdString(menu_.label));
    const double height = std::max(QFontMetricsF(labelFont()).height(), Symbols::extent(chevronPoints));
    return {int(std::ceil(8 + text + gap + Symbols::extent(chevronPoints) + 8)),
            int(std::ceil(4 + height + 4))};
}

void ListMenuButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Presence::apply(painter, this);
    const QRectF frame(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(isHovered() ? Theme::surfaceHi() : Theme::surface());
    painter.drawRoundedRect(frame, frame.height() / 2, frame.height() / 2);
    const QString name = QString::fromStdString(menu_.label);
    const double textWidth = QFontMetricsF(labelFont()).horizontalAdvance(name);
    painter.setFont(labelFont());
    painter.setPen(Theme::text2());
    painter.drawText(QRectF(8, 0, textWidth, frame.height()), Qt::AlignVCenter | Qt::AlignLeft, name);
    const double side = Symbols::extent(chevronPoints);
    Symbols::draw(painter, QRectF(8 + textWidth + gap, (frame.height() - side) / 2, side, side),
                  "chevron.down", chevronPoints, Theme::text3());
}

void ListMenuButton::open() {
    std::vector<MenuEntry> entries;
    for (const ListMenuEntry& entry : menu_.entries) {
        MenuEntry item = MenuEntry::button(entry.name, [this, id = entry.listID] { onPick_(id); });
        item.enabled = entry.enabled;
        entries.push_back(std::move(item));
    }
    ThemedMenu(entries, this).exec(mapToGlobal(QPoint(0, height())));
}

} // namespace vesk
