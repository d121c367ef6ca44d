#pragma once

#include "core/model/Date.hpp"
#include "core/runtime/Calendar.hpp"

#include <QColor>
#include <QWidget>

namespace vesk {

// A due-date badge: a calendar symbol and the date's text in an outlined capsule, red for a
// day before today, green for today, grey for later. "Today" comes from `now` on the user's
// calendar, which the caller passes so that the badge stays a pure function of its inputs.
class DueChip final : public QWidget {
  public:
    DueChip(Date date, Date now, const Calendar& calendar, QWidget* parent = nullptr);

    void setDate(Date date, Date now);
    const QString& text() const { return text_; }
    const QColor& color() const { return color_; }

    // The colour of a due date seen at `now`: the comparison is against the start of today,
    // so a time earlier today is still today.
    static const QColor& colorFor(Date date, Date now, const Calendar& calendar);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Calendar calendar_;
    QString text_;
    QColor color_;
};

} // namespace vesk
