#include "tabs/focus/TaskPicker.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QMenu>

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

void TaskPicker::fill(QMenu& menu, const std::vector<TaskPickerEntry>& entries,
                      const std::function<void(std::optional<UUID>)>& choose) {
    for (const TaskPickerEntry& entry : entries) {
        if (entry.kind == TaskPickerEntry::Kind::divider) {
            menu.addSeparator();
            continue;
        }
        // A title is shown as typed: "&" would otherwise mark a mnemonic.
        QAction* action =
            menu.addAction(QString::fromStdString(entry.text).replace('&', QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(entry.checked);
        QObject::connect(action, &QAction::triggered, action, [choose, id = entry.taskID] { choose(id); });
    }
}

void TaskPicker::open() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fill(*menu, taskPickerEntries(store_),
         [this](std::optional<UUID> id) { withoutAnimation([&] { store_.attach(id); }); });
    menu->popup(mapToGlobal(QPoint(0, height() + 4)));
}

QSize TaskPicker::sizeHint() const {
    return layout()->sizeHint();
}

} // namespace vesk
