#pragma once

#include <QWidget>

namespace vesk {

class SymbolLabel;
class TextLabel;

// The message of an empty list. Full size, it fills the place of the list and centres a
// symbol, a title and a line; compact, it heads a list whose tasks are all completed.
class EmptyTasks final : public QWidget {
  public:
    EmptyTasks(bool starred, bool fresh, bool compact, QWidget* parent = nullptr);

    // The full-size form follows the starred view.
    void setStarred(bool starred);
    QString title() const;
    QString line() const;

  private:
    void apply();

    bool starred_;
    bool fresh_;
    bool compact_;
    SymbolLabel* symbol_;
    TextLabel* title_;
    TextLabel* line_;
};

} // namespace vesk
