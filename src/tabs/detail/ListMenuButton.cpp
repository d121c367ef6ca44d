#include "tabs/detail/ListMenuButton.hpp"

#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>

namespace vesk {

ListMenuButton::ListMenuButton(std::function<void(const UUID&)> onPick, QWidget* parent)
    : MenuButton(parent), onPick_(std::move(onPick)) {
    setFills(Theme::surface(), Theme::surfaceHi());
    setCornerRadius(-1);
    QHBoxLayout* row = labelRow({8, 4, 8, 4}, 4);
    name_ = new TextLabel({}, Fonts::text(12, FontWeight::medium), Theme::text2(), this);
    row->addWidget(name_, 0, Qt::AlignVCenter);
    row->addWidget(new SymbolLabel("chevron.down", 8, Theme::text3(), this), 0, Qt::AlignVCenter);
    setEntries([this] { return entries(); });
}

void ListMenuButton::setMenu(ListMenu menu) {
    if (menu == menu_) return;
    menu_ = std::move(menu);
    name_->setText(QString::fromStdString(menu_.label));
    updateGeometry();
}

std::vector<MenuEntry> ListMenuButton::entries() const {
    std::vector<MenuEntry> entries;
    for (const ListMenuEntry& entry : menu_.entries)
        entries.push_back(MenuEntry::button(entry.name, [pick = onPick_, id = entry.listID] {
                              pick(id);
                          }).disabledUnless(entry.enabled));
    return entries;
}

} // namespace vesk
