#pragma once

#include "garden/garden/NurseryPicker.hpp"

#include <QString>
#include <QWidget>

namespace vesk {

class SectionTitle;

// The nursery: its heading with the button that offers other seedlings (also while locked),
// above the row of seedlings.
class NurserySection final : public QWidget {
  public:
    NurserySection(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbs,
                   const QString& title, NurseryPicker::Access access, double cardHeight,
                   NurseryPicker::OnPick onPick, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setLocked(bool locked);

    const SectionTitle& title() const { return *title_; }
    NurseryPicker& picker() const { return *picker_; }

  private:
    SectionTitle* title_;
    NurseryPicker* picker_;
};

} // namespace vesk
