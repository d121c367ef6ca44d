#include "tabs/tasks/CompletedRow.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/OverhangStrip.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/tasks/RowBackground.hpp"

#include <QHBoxLayout>

namespace vesk {

namespace {

constexpr int lineHeight = 22;
constexpr int paddingY = 5;

QFont struckThrough() {
    QFont font = Fonts::text(13);
    font.setStrikeOut(true);
    return font;
}

} // namespace

CompletedRow::CompletedRow(Store& store, TarnelUI& ui, const CompletedRowContent& content, QWidget* parent)
    : PaintedControl(parent), store_(store), ui_(ui), content_(content) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, paddingY, 8, paddingY);
    row->setSpacing(10);
    check_ = new CheckCircle(
        true, 16,
        [this] { withAnimation(Animation::tarnelFast, [this] { store_.toggleDone(content_.id); }); }, this);
    title_ = new TextLabel(QString::fromStdString(content.title), struckThrough(), Theme::text3(), this);
    buttons_ = new OverhangStrip(lineHeight, this);
    row->addWidget(check_);
    row->addWidget(title_, 1);
    row->addWidget(buttons_);
    setFixedHeight(fixedHeight());
    setAction([this] { ui_.openDetail(content_.id); });
}

int CompletedRow::fixedHeight() {
    return lineHeight + 2 * paddingY;
}

void CompletedRow::setContent(const CompletedRowContent& content) {
    if (content == content_) return;
    content_ = content;
    title_->setText(QString::fromStdString(content.title));
}

void CompletedRow::interactionChanged() {
    const bool hover = isHovered();
    if (hover && !delete_) {
        delete_ = new IconButton(
            "trash", 10.5, Theme::text3(), "Delete",
            [this] { withAnimation(Animation::tarnelFast, [this] { store_.deleteTask(content_.id); }); },
            this);
        buttons_->addControl(delete_);
    }
    if (delete_) delete_->setVisible(hover);
    update();
}

void CompletedRow::paintEvent(QPaintEvent*) {
    paintRowBackground(*this, isHovered());
}

} // namespace vesk
