#pragma once

#include "core/runtime/Observations.hpp"

#include <QWidget>

class QFontMetricsF;

namespace vesk {

class PlainButton;
class Store;
class TextLabel;

// The pill's label cut to `width` with an ellipsis where its name ends, keeping the opening
// words, the start of the name and its closing quote, so that "Undo" always has room.
QString fittedUndoLabel(const QString& label, const QFontMetricsF& metrics, double width);

// The floating capsule that offers to take back the last deletion while the store keeps it:
// the store's label and "Undo". It slides up from the bottom edge and fades in when the
// deletion was animated, and leaves the same way. It floats over its parent's bottom edge.
class UndoPill final : public QWidget {
  public:
    explicit UndoPill(Store& store, QWidget* parent = nullptr);

    const QString& label() const;
    PlainButton* undoButton() const { return undo_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow();
    // The label shortened to the parent's width, centred on its bottom edge.
    void fit();

    Store& store_;
    QString text_;
    TextLabel* label_;
    PlainButton* undo_;
    Observations observations_;
};

} // namespace vesk
