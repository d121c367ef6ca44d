#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/anim/Transition.hpp"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vesk {

// A column of rows keyed by id: task rows, completed rows, garden cards. Showing a new
// sequence of keys keeps the widget of every key already shown, with its hover and running
// animations; builds widgets only for new keys; and takes away the rows whose key is gone with
// the removal transition, destroying them with deleteLater once they have left, so that a row
// removed by its own button is never deleted inside that click. Rows that change place move
// there along the animation of the change. Every row spans the list's width at the height it
// asks for at that width.
class KeyedRowList final : public QWidget {
  public:
    using Key = std::string;
    using Factory = std::function<QWidget*(const Key& key, QWidget* parent)>;

    explicit KeyedRowList(QWidget* parent = nullptr, AnimationManager* manager = nullptr);
    ~KeyedRowList() override;

    void setSpacing(int spacing);
    // Fade both ways unless told otherwise.
    void setTransitions(Transition insertion, Transition removal);

    // Shows one row per key, in this order (a repeated key once); `make` builds the widget of
    // a key not shown yet. Inserts, removals and moves follow the current animation.
    void setKeys(const std::vector<Key>& keys, const Factory& make);
    const std::vector<Key>& keys() const { return keys_; }

    // Shows a row per item, keyed by `keyOf(item)`: `make(item, parent)` builds the row of a
    // new key, `update(row, item)` hands every shown row its item; then the rows are placed
    // at their new heights.
    template <class Item, class KeyOf, class Make, class Update>
    void setRows(const std::vector<Item>& items, KeyOf keyOf, Make make, Update update) {
        std::vector<Key> keys;
        keys.reserve(items.size());
        std::unordered_map<Key, const Item*> byKey;
        for (const Item& item : items) {
            keys.push_back(keyOf(item));
            byKey.emplace(keys.back(), &item);
        }
        setKeys(keys, [&](const Key& key, QWidget* parent) { return make(*byKey.at(key), parent); });
        for (const auto& [key, item] : byKey)
            update(row(key), *item);
        relayout();
    }
    // The row shown for `key`; null when there is none or it is leaving.
    QWidget* row(const Key& key) const;
    // Where `key`'s row is headed, in the list's coordinates.
    int targetTop(const Key& key) const;

    // Places the rows again after rows changed height; rows below a change move along the
    // current animation. setKeys does it by itself.
    void relayout();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Row {
        QWidget* widget = nullptr;
        std::unique_ptr<Animated<double>> top;
        bool placed = false;
    };

    Row makeRow(QWidget* widget);
    void remove(const Key& key);
    void place(Row& row, int top, int height);
    static int heightOf(const QWidget* widget, int width);

    AnimationManager* manager_;
    int spacing_ = 0;
    Transition insertion_ = Transition::fade();
    Transition removal_ = Transition::fade();
    std::vector<Key> keys_;
    std::unordered_map<Key, Row> rows_;
    std::unordered_map<Key, Row> leaving_;
    mutable int measuredWidth_ = -1;
    mutable int measuredHeight_ = 0;
};

} // namespace vesk
