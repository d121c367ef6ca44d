#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QHBoxLayout;

namespace vesk {

class PlainButton;

// The capsule segmented control, by position: a row of capsule buttons, 2 points apart,
// inset 2 points in a `surface` capsule; the selected one in `text` on `surfaceHi`, the
// others in `text3`. A click reports its position; the control does not change its
// selection by itself.
class SegmentedControl : public QWidget {
  public:
    explicit SegmentedControl(QWidget* parent = nullptr);

    void setLabels(const std::vector<QString>& labels);
    // None (or a position out of range) shows every item unselected.
    void setSelectedIndex(std::optional<int> index);
    void setOnSelectIndex(std::function<void(int)> onSelect) { onSelect_ = std::move(onSelect); }

    int count() const { return static_cast<int>(buttons_.size()); }
    PlainButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
    std::optional<int> selectedIndex() const { return selected_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void restyle();

    QHBoxLayout* row_;
    std::vector<PlainButton*> buttons_;
    std::optional<int> selected_;
    std::function<void(int)> onSelect_;
};

// The segmented control over values of any comparable type: items are value and label
// pairs in display order, identified by value.
template <class T> class Segmented final : public SegmentedControl {
  public:
    Segmented(std::vector<std::pair<T, QString>> items, T selection, std::function<void(T)> onSelect,
              QWidget* parent = nullptr)
        : SegmentedControl(parent), onSelect_(std::move(onSelect)) {
        setItems(std::move(items));
        setSelection(std::move(selection));
        setOnSelectIndex([this](int index) {
            if (onSelect_) onSelect_(items_.at(static_cast<std::size_t>(index)).first);
        });
    }

    void setItems(std::vector<std::pair<T, QString>> items) {
        items_ = std::move(items);
        std::vector<QString> labels;
        for (const auto& item : items_)
            labels.push_back(item.second);
        setLabels(labels);
        if (selection_) setSelection(*selection_);
    }

    void setSelection(T selection) {
        selection_ = std::move(selection);
        std::optional<int> index;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].first == *selection_) {
                index = static_cast<int>(i);
                break;
            }
        }
        setSelectedIndex(index);
    }

  private:
    std::vector<std::pair<T, QString>> items_;
    std::optional<T> selection_;
    std::function<void(T)> onSelect_;
};

} // namespace vesk
