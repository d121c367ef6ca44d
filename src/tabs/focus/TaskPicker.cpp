#include "tabs/focus/TaskPicker.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>

namespace vesk {

namespace {

constexpr int longestTitle = 240;

} // namespace

TaskPicker::TaskPicker(Store& store, QWidget* parent) : PlainButton(parent), store_(store) {
    // A capsule with no look of its own under the pointer.
    setFills(Theme::surface(), Theme::surface());
    setCornerRadius(-1);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(11, 5, 11, 5);
    row->setSpacing(6);
    icon_ = new SymbolLabel("link", 10, Theme::text3(), this);
    text_ = new TextLabel({}, Fonts::text(12, FontWeight::medium), Theme::text3(), this);
    text_->setMaximumWidth(longestTitle);
    auto* chevron = new SymbolLabel("chevron.down", 8, Theme::text3(), this);
    for (QWidget* part :
         {static_cast<QWidget*>(icon_), static_cast<QWidget*>(text_), static_cast<QWidget*>(chevron)})
        row->addWidget(part, 0, Qt::AlignVCenter);
    setAction([this] { open(); });
}

void TaskPicker::setLabel(const TaskPickerLabel& label) {
    label_ = label;
    icon_->setSymbol(label.icon);
    icon_->setColor(label.attached ? Theme::accent() : Theme::text3());
    text_->setText(QString::fromStdString(label.text));
    text_->setColor(label.attached ? Theme::text() : Theme::text3());
}

std::vector<MenuEntry> TaskPicker::menuEntries(const std::vector<TaskPickerEntry>& entries,
                                               const std::function<void(std::optional<UUID>)>& choose) {
    std::vector<MenuEntry> menu;
    for (const TaskPickerEntry& entry : entries) {
        if (entry.kind == TaskPickerEntry::Kind::divider)
            menu.push_back(MenuEntry::divider());
        else
            menu.push_back(MenuEntry::toggle(entry.text, entry.checked,
                                             [choose, id = entry.taskID](bool) { choose(id); }));
    }
    return menu;
}

void TaskPicker::open() {
    auto* menu = new ThemedMenu(
        menuEntries(taskPickerEntries(store_),
                    [this](std::optional<UUID> id) { withoutAnimation([&] { store_.attach(id); }); }),
        this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(menu->originUnder(*this, 4));
}

QSize TaskPicker::sizeHint() const {
    return layout()->sizeHint();
}

} // namespace vesk
