#pragma once

#include <QWidget>

namespace vesk {

class SymbolLabel;
class TextLabel;

// The message of an empty list. Full size, it fills the place of the list and centres a
// symbol, a title and a line; compact, it heads a list whose tasks are all completed.
class EmptyTasks final : public QWidget {
  public:
    // The full size tells of a list with no task yet; the compact one, of tasks all completed.
    enum class Size { full, compact };
    explicit EmptyTasks(Size size, QWidget* parent = nullptr);

    // The full-size form follows the starred view.
    void setStarred(bool starred);
    QString title() const;
    QString line() const;

  private:
    void apply();

    bool starred_ = false;
    bool compact_;
    SymbolLabel* symbol_;
    TextLabel* title_;
    TextLabel* line_;
};

} // namespace vesk
