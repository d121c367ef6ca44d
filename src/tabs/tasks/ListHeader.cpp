#include "tabs/tasks/ListHeader.hpp"

#include "core/store/Store.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/MenuButton.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextField.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QKeyEvent>

namespace vesk {

namespace {

constexpr int rowHeight = 26;

QFont titleFont() {
    return Fonts::text(16, FontWeight::semibold);
}

// Ctrl+. is the cancel command, where the Mac has Command-period.
bool isCancel(const QKeyEvent& key) {
    return key.key() == Qt::Key_Period && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

ListHeader::ListHeader(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    setFixedHeight(rowHeight);
    auto* row = rowLayout(this, 6);

    picker_ = new MenuButton(this);
    // Sized to its label, which a very long name elides rather than push the filter away.
    picker_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    QHBoxLayout* label = picker_->labelRow({}, 5);
    star_ = new SymbolLabel("star.fill", 12, Theme::star(), picker_);
    title_ = new TextLabel({}, titleFont(), Theme::text(), picker_);
    auto* chevron = new SymbolLabel("chevron.down", 9, Theme::text3(), picker_);
    // Only the title gives way.
    for (QWidget* symbol : {static_cast<QWidget*>(star_), static_cast<QWidget*>(chevron)})
        symbol->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    label->addWidget(star_, 0, Qt::AlignVCenter);
    label->addWidget(title_, 0, Qt::AlignVCenter);
    label->addWidget(chevron, 0, Qt::AlignVCenter);
    picker_->setEntries([this] {
        return listPickerMenu(store_, [this](ListNameDraft draft) { startNaming(std::move(draft)); });
    });
    row->addWidget(picker_);

    field_ = new TextField("List name", titleFont(), Theme::text(), this);
    field_->hide();
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (draft_) draft_->text = text.toStdString();
    });
    connect(field_, &QLineEdit::returnPressed, this, [this] { commit(); });
    row->addWidget(field_, 1);

    row->addStretch(1);

    filter_ = new MenuButton(this);
    filter_->setSymbol("line.3.horizontal.decrease", 12);
    filter_->setColors(Theme::text2(), Theme::text2());
    filter_->setFixedSize(26, 22);
    filter_->setEntries([this] { return filterMenu(store_); });
    row->addWidget(filter_);

    content_.bind(
        {store_.lists, store_.prefs},
        [this] {
            return Content{listPickerLabel(store_), showsFilterMenu(store_)};
        },
        [this](const ContentChange<Content>& change) {
            star_->setVisible(change.now.label.starred);
            title_->setText(QString::fromStdString(change.now.label.title));
            picker_->updateGeometry();
            filter_->setVisible(change.now.filterShown);
        });
}

void ListHeader::startNaming(ListNameDraft draft) {
    field_->setText(QString::fromStdString(draft.text));
    draft_ = std::move(draft);
    picker_->hide();
    field_->show();
    field_->setFocus(Qt::OtherFocusReason);
}

void ListHeader::commit() {
    if (!draft_) return;
    commitListName(store_, *draft_);
    endNaming();
}

void ListHeader::endNaming() {
    draft_.reset();
    field_->hide();
    picker_->show();
}

bool ListHeader::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress && isCancel(static_cast<QKeyEvent&>(*event))) {
        endNaming();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vesk
