#include "shell/controls/KeyedRowList.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"

#include <QEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace vesk {

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

KeyedRowList::Row KeyedRowList::makeRow(QWidget* widget) {
    Row row;
    row.widget = widget;
    row.top = std::make_unique<Animated<double>>(0.0, std::function<void()>{}, manager_);
    // Set after construction: the callback reads the value it belongs to.
    Animated<double>* top = row.top.get();
    top->setOnChange(
        [widget, top] { widget->move(widget->x(), static_cast<int>(std::lround(top->value()))); });
    widget->hide();
    new Presence(widget, insertion_, removal_, manager_);
    return row;
}

void KeyedRowList::setKeys(const std::vector<Key>& keys, const Factory& make) {
    const std::unordered_set<Key> wanted(keys.begin(), keys.end());
    std::vector<Key> gone;
    for (const auto& [key, row] : rows_)
        if (!wanted.contains(key)) gone.push_back(key);
    for (const Key& key : gone) {
        auto node = rows_.extract(key);
        leaving_.insert(std::move(node));
    }

    // A key given twice shows once, at its first place.
    keys_.clear();
    std::unordered_set<Key> seen;
    for (const Key& key : keys)
        if (seen.insert(key).second) keys_.push_back(key);
    std::vector<QWidget*> arriving;
    for (const Key& key : keys_) {
        if (rows_.contains(key)) continue;
        if (auto node = leaving_.extract(key)) {
            // Back before it had left: it turns round where it stands.
            arriving.push_back(node.mapped().widget);
            rows_.insert(std::move(node));
            continue;
        }
        QWidget* widget = make(key, this);
        rows_.emplace(key, makeRow(widget));
        arriving.push_back(widget);
    }
    relayout();
    for (QWidget* widget : arriving)
        Presence::of(widget)->setPresent(true);
    for (const Key& key : gone)
        remove(key);
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
    return it == rows_.end() ? 0 : static_cast<int>(std::lround(it->second.top->target()));
}

int KeyedRowList::heightOf(const QWidget* widget, int width) {
    int height = widget->hasHeightForWidth() ? widget->heightForWidth(width) : -1;
    if (height < 0) height = widget->sizeHint().height();
    return std::clamp(height, widget->minimumHeight(), widget->maximumHeight());
}

void KeyedRowList::place(Row& row, int top, int height) {
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
        const int height = heightOf(row.widget, width);
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
}

int KeyedRowList::heightForWidth(int width) const {
    if (width == measuredWidth_) return measuredHeight_;
    int total = 0;
    for (const Key& key : keys_)
        total += heightOf(rows_.at(key).widget, width);
    if (!keys_.empty()) total += spacing_ * static_cast<int>(keys_.size() - 1);
    return total;
}

QSize KeyedRowList::sizeHint() const {
    return {0, heightForWidth(width())};
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
    return QWidget::event(event);
}

void KeyedRowList::resizeEvent(QResizeEvent* event) {
    if (event->oldSize().width() != width()) {
        measuredWidth_ = -1;
        withoutAnimation([this] { relayout(); });
    }
    QWidget::resizeEvent(event);
}

} // namespace vesk
