#pragma once

#include "shell/controls/TextLabel.hpp"

namespace vesk {

// The heading of a section (statistics, garden, nursery): the caller's text in small spaced
// capitals, at its natural width.
class SectionTitle final : public TextLabel {
  public:
    explicit SectionTitle(const QString& text, QWidget* parent = nullptr);

    // The whole text upper-cased by Unicode's rules ("ß" becomes "SS"), not only ASCII.
    static QString shown(const QString& text);
};

} // namespace vesk
