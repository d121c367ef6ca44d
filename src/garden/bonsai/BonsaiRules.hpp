#pragma once

#include <QWidget>

namespace vesk {

// The four growth rules: what earns cubes, which tree grows and when seedlings unlock, each
// with its badge. Compact, the rules stand closer together.
class BonsaiRules final : public QWidget {
  public:
    explicit BonsaiRules(QWidget* parent = nullptr);
};

} // namespace vesk
