#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/anim/Transition.hpp"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
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
//
// Given an estimate of row heights, the list builds a row only when it comes near the part
// of the list its scroll area shows, so that a long list opens at the cost of a screenful;
// until then the row takes the estimated height. A built row stays built.
class KeyedRowList final : public QWidget {
  public:
    using Key = std::string;
    using Factory = std::function<QWidget*(const Key& key, QWidget* parent)>;
    using Estimate = std::function<int(const Key& key, int width)>;

    explicit KeyedRowList(QWidget* parent = nullptr, AnimationManager* manager = nullptr);
    ~KeyedRowList() override;

    void setSpacing(int spacing);
    // Fade both ways unless told otherwise.
    void setTransitions(Transition insertion, Transition removal);

    // Shows one row per key, in this order (a repeated key once). `make` builds the widget of
    // a key not built yet: at once, or, with an `estimate`, when the row comes into view, so
    // it is kept until the next call. Inserts, removals and moves follow the current animation.
    void setKeys(const std::vector<Key>& keys, Factory make, Estimate estimate = {});
    const std::vector<Key>& keys() const { return keys_; }

    // Shows a row per item, keyed by `keyOf(item)`: `make(item, parent)` builds the row of a
    // key, `update(row, item)` hands every built row its item; then the rows are placed at
    // their new heights. With `estimate(item, width)`, rows are built as they come into view.
    template <class Item, class KeyOf, class Make, class Update>
    void setRows(const std::vector<Item>& items, KeyOf keyOf, Make make, Update update,
                 std::type_identity_t<std::function<int(const Item&, int)>> estimate = {}) {
        auto byKey = std::make_shared<std::unordered_map<Key, Item>>();
        std::vector<Key> keys;
        keys.reserve(items.size());
        for (const Item& item : items) {
            keys.push_back(keyOf(item));
            byKey->emplace(keys.back(), item);
        }
        Estimate guess;
        if (estimate)
            guess = [byKey, estimate](const Key& key, int width) { return estimate(byKey->at(key), width); };
        setKeys(
            keys, [byKey, make](const Key& key, QWidget* parent) { return make(byKey->at(key), parent); },
            std::move(guess));
        for (const auto& [key, item] : *byKey)
            if (QWidget* widget = row(key)) update(widget, item);
        relayout();
    }

    // The row shown for `key`; null when there is none, it is not built yet, or it is leaving.
    QWidget* row(const Key& key) const;
    // Where `key`'s row is headed, in the list's coordinates, and its height there (its
    // estimate while not built; 0 for a key not shown).
    int targetTop(const Key& key) const;
    int targetHeight(const Key& key) const;

    // Places the rows again after rows changed height; rows below a change move along the
    // current animation. setKeys does it by itself.
    void relayout();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    struct Row {
        QWidget* widget = nullptr; // null until built
        std::unique_ptr<Animated<double>> top;
        int targetTop = 0;
        int height = 0;
        bool placed = false;
        // Its key came with the change being shown: it enters with the insertion transition.
        bool arriving = false;
    };

    void watchAncestors();
    void build(const Key& key, Row& row);
    void buildShownRows();
    // The part of the list its ancestors show, in its own coordinates.
    QRect shownArea() const;
    void remove(const Key& key);
    void place(Row& row, int top, int height);
    int heightOf(const Key& key, const Row& row, int width) const;
    static int widgetHeight(const QWidget* widget, int width);

    AnimationManager* manager_;
    int spacing_ = 0;
    Transition insertion_ = Transition::fade();
    Transition removal_ = Transition::fade();
    Factory make_;
    Estimate estimate_;
    bool watchingAncestors_ = false;
    bool building_ = false;
    std::vector<Key> keys_;
    std::unordered_map<Key, Row> rows_;
    std::unordered_map<Key, Row> leaving_;
    mutable int measuredWidth_ = -1;
    mutable int measuredHeight_ = 0;
};

} // namespace vesk
