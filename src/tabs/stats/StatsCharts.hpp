#pragma once

#include "tabs/stats/StatsFigures.hpp"

#include <QWidget>
#include <functional>
#include <vector>

namespace vesk {

class FittedText;
class TextLabel;

// The heat map's colour of a step: the surface for no focus, else the focus colour.
QColor heatColor(int level);

// One day of the week's bars: the track with the day's bar over it and the weekday letter
// below. The whole column follows the pointer.
class DayColumn final : public QWidget {
  public:
    // Called with the column's day when the pointer enters (true) or leaves (false) the column.
    using OnHover = std::function<void(const WeekDay& day, bool entered)>;

    explicit DayColumn(OnHover onHover, QWidget* parent = nullptr);

    void setDay(const WeekDay& day);
    void setHovered(bool hovered);
    const WeekDay& day() const { return day_; }
    double barHeight() const { return day_.barHeight; }

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    class Bar;

    OnHover onHover_;
    WeekDay day_;
    Bar* bar_;
    TextLabel* letter_;
};

// The weeks of the heat map side by side, each a column of seven square cells, fitted into
// the width it is given.
class HeatGrid final : public QWidget {
  public:
    explicit HeatGrid(QWidget* parent = nullptr);

    void setLevels(std::vector<HeatLevels> levels);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double cellSide(double width, double height) const;

    std::vector<HeatLevels> levels_;
};

// One square of the heat map's legend.
class HeatSwatch final : public QWidget {
  public:
    HeatSwatch(int level, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int level_;
};

// One of the week's top tasks: its title, its share of the longest time as a bar, its time.
class TopTaskRow final : public QWidget {
  public:
    explicit TopTaskRow(QWidget* parent = nullptr);

    void setRow(const TopRow& row);
    const TopRow& row() const { return row_; }

  private:
    class Bar;

    TopRow row_;
    TextLabel* title_;
    Bar* bar_;
    FittedText* time_;
};

} // namespace vesk
