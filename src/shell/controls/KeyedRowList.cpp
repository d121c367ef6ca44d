#include "shell/controls/KeyedRowList.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"

#include <QEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace vesk {

namespace {

// How far beyond the shown part rows are built ahead of the scrolling.
constexpr int lookahead = 240;

} // namespace

KeyedRowList::KeyedRowList(QWidget* parent, AnimationManager* manager)
    : QWidget(parent), manager_(manager ? manager : &AnimationManager::shared()) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

// The rows' animated positions go first: they move their widgets, which the base class
// destroys afterwards.
KeyedRowList::~KeyedRowList() = default;

void KeyedRowList::setSpacing(int spacing) {
    spacing_ = spacing;
    relayout();
}

void KeyedRowList::setTransitions(Transition insertion, Transition removal) {
    insertion_ = insertion;
    removal_ = removal;
}

void KeyedRowList::setKeys(const std::vector<Key>& keys, Factory make, Estimate estimate) {
    make_ = std::move(make);
    estimate_ = std::move(estimate);
    if (estimate_ && !watchingAncestors_) watchAncestors();

    const std::unordered_set<Key> wanted(keys.begin(), keys.end());
    std::vector<Key> gone;
    for (const auto& [key, row] : rows_)
        if (!wanted.contains(key)) gone.push_back(key);
    for (const Key& key : gone) {
        auto node = rows_.extract(key);
        if (node.mapped().widget) leaving_.insert(std::move(node));
    }

    // A key given twice shows once, at its first place.
    keys_.clear();
    std::unordered_set<Key> seen;
    for (const Key& key : keys)
        if (seen.insert(key).second) keys_.push_back(key);
    std::vector<QWidget*> returning;
    for (const Key& key : keys_) {
        if (rows_.contains(key)) continue;
        if (auto node = leaving_.extract(key)) {
            // Back before it had left: it turns round where it stands.
            returning.push_back(node.mapped().widget);
            rows_.insert(std::move(node));
            continue;
        }
        rows_[key].arriving = true;
    }
    // Without an estimate every row is built now.
    if (!estimate_)
        for (const Key& key : keys_)
            if (Row& row = rows_.at(key); !row.widget) build(key, row);
    relayout();
    for (QWidget* widget : returning)
        Presence::of(widget)->setPresent(true);
    for (auto& [key, row] : rows_)
        row.arriving = false;
    for (const Key& key : gone)
        if (leaving_.contains(key)) remove(key);
}

void KeyedRowList::watchAncestors() {
    // Scrolling moves an ancestor, and an ancestor that grows may show more of the list.
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget())
        ancestor->installEventFilter(this); // once, however often asked
    watchingAncestors_ = true;
}

void KeyedRowList::build(const Key& key, Row& row) {
    QWidget* widget = make_(key, this);
    row.widget = widget;
    row.top = std::make_unique<Animated<double>>(0.0, std::function<void()>{}, manager_);
    // Set after construction: the callback reads the value it belongs to.
    Animated<double>* top = row.top.get();
    top->setOnChange(
        [widget, top] { widget->move(widget->x(), static_cast<int>(std::lround(top->value()))); });
    widget->hide();
    auto* presence = new Presence(widget, insertion_, removal_, manager_);
    widget->setGeometry(0, row.targetTop, width(), widgetHeight(widget, width()));
    // A row new with this change comes in with it; one that only scrolled into view is simply there.
    if (row.arriving)
        presence->setPresent(true);
    else
        withoutAnimation([presence] { presence->setPresent(true); });
}

void KeyedRowList::remove(const Key& key) {
    QWidget* widget = leaving_.at(key).widget;
    Presence* presence = Presence::of(widget);
    presence->setOnRemoved([this, key, widget] {
        const auto it = leaving_.find(key);
        if (it != leaving_.end() && it->second.widget == widget) leaving_.erase(it);
        // Perhaps still inside the click that removed it.
        widget->deleteLater();
    });
    presence->setPresent(false);
}

QWidget* KeyedRowList::row(const Key& key) const {
    const auto it = rows_.find(key);
    return it == rows_.end() ? nullptr : it->second.widget;
}

int KeyedRowList::targetTop(const Key& key) const {
    const auto it = rows_.find(key);
    return it == rows_.end() ? 0 : it->second.targetTop;
}

int KeyedRowList::targetHeight(const Key& key) const {
    const auto it = rows_.find(key);
    return it == rows_.end() ? 0 : it->second.height;
}

int KeyedRowList::widgetHeight(const QWidget* widget, int width) {
    int height = widget->hasHeightForWidth() ? widget->heightForWidth(width) : -1;
    if (height < 0) height = widget->sizeHint().height();
    return std::clamp(height, widget->minimumHeight(), widget->maximumHeight());
}

int KeyedRowList::heightOf(const Key& key, const Row& row, int width) const {
    return row.widget ? widgetHeight(row.widget, width) : estimate_(key, width);
}

void KeyedRowList::place(Row& row, int top, int height) {
    row.targetTop = top;
    row.height = height;
    if (!row.widget) return;
    if (!row.placed) {
        row.top->jump(top);
        row.placed = true;
    } else if (row.top->target() != top) {
        row.top->set(top);
    }
    row.widget->setGeometry(0, static_cast<int>(std::lround(row.top->value())), width(), height);
}

void KeyedRowList::relayout() {
    const int width = this->width();
    int top = 0;
    for (const Key& key : keys_) {
        Row& row = rows_.at(key);
        const int height = heightOf(key, row, width);
        place(row, top, height);
        top += height + spacing_;
    }
    for (auto& [key, row] : leaving_)
        row.widget->resize(width, row.widget->height());
    const int total = keys_.empty() ? 0 : top - spacing_;
    if (measuredWidth_ != width || measuredHeight_ != total) {
        measuredWidth_ = width;
        measuredHeight_ = total;
        updateGeometry();
    }
    buildShownRows();
}

QRect KeyedRowList::shownArea() const {
    QRect area = rect();
    QPoint offset; // of this list within the ancestor looked at
    for (const QWidget* widget = this; widget->parentWidget() && !widget->isWindow();
         widget = widget->parentWidget()) {
        offset += widget->pos();
        area &= widget->parentWidget()->rect().translated(-offset);
    }
    return area;
}

void KeyedRowList::buildShownRows() {
    if (!estimate_ || building_) return;
    building_ = true;
    // A built row takes its real height, which may bring more rows into view: a few rounds.
    for (int round = 0; round < 8; ++round) {
        const QRect shown = shownArea();
        if (shown.isEmpty()) break;
        const int from = shown.top() - lookahead;
        const int to = shown.bottom() + lookahead;
        bool built = false;
        for (const Key& key : keys_) {
            Row& row = rows_.at(key);
            if (row.targetTop > to) break;
            if (row.widget || row.targetTop + row.height < from) continue;
            build(key, row);
            built = true;
        }
        if (!built) break;
        relayout();
    }
    building_ = false;
}

int KeyedRowList::heightForWidth(int width) const {
    if (width == measuredWidth_) return measuredHeight_;
    int total = 0;
    for (const Key& key : keys_)
        total += heightOf(key, rows_.at(key), width);
    if (!keys_.empty()) total += spacing_ * static_cast<int>(keys_.size() - 1);
    return total;
}

QSize KeyedRowList::sizeHint() const {
    // The width it has: a layout then asks for the height at the width already measured,
    // not at a hinted width that would have every row measured again.
    return {width(), heightForWidth(width())};
}

QSize KeyedRowList::minimumSizeHint() const {
    return {0, 0};
}

bool KeyedRowList::event(QEvent* event) {
    // A row asked for another height, or rows changed while the list was hidden.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show) {
        measuredWidth_ = -1;
        relayout();
    }
    if (event->type() == QEvent::ParentChange && watchingAncestors_) watchAncestors();
    return QWidget::event(event);
}

bool KeyedRowList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) buildShownRows();
    // Put into another parent: the new ancestors are watched too.
    if (event->type() == QEvent::ParentChange && watchingAncestors_) watchAncestors();
    return QWidget::eventFilter(watched, event);
}

void KeyedRowList::moveEvent(QMoveEvent* event) {
    // Scrolled, when it is the scroll area's own content.
    buildShownRows();
    QWidget::moveEvent(event);
}

void KeyedRowList::resizeEvent(QResizeEvent* event) {
    if (event->oldSize().width() != width()) {
        measuredWidth_ = -1;
        withoutAnimation([this] { relayout(); });
    } else {
        buildShownRows();
    }
    QWidget::resizeEvent(event);
}

} // namespace vesk
