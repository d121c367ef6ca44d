#pragma once

#include "core/runtime/Lifetime.hpp"
#include "shell/state/ViewServices.hpp"

#include <QWidget>

class QLineEdit;

namespace vesk {

class Store;

// The rounded field under the list's header in which the user types a new task's title:
// Return adds it to the list shown, empties the field and keeps the focus there. A click
// anywhere on the row focuses the field. It also plays scripted typing.
class AddTaskRow final : public QWidget {
  public:
    AddTaskRow(Store& store, ViewServices services, QWidget* parent = nullptr);

    QLineEdit* field() const { return field_; }
    void focusField();
    // Types `text` into the field one character at a time, then adds it as Return would; the
    // user's own typing in between mixes in. Nothing stops it but the row going away.
    void typeOut(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Adds the field's text as a task (a blank one adds nothing) and empties the field.
    void add();

    Store& store_;
    ViewServices services_;
    QLineEdit* field_;
    Lifetime lifetime_; // the typing steps outlive nothing
};

} // namespace vesk
