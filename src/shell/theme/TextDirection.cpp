#include "shell/theme/TextDirection.hpp"

namespace vesk::TextDirection {

Qt::Alignment aligned(const QString& text, Qt::Alignment alignment) {
    if (!text.isRightToLeft() || !(alignment & Qt::AlignLeft)) return alignment;
    return (alignment & ~Qt::AlignLeft) | Qt::AlignRight;
}

int drawFlags(const QString& text, Qt::Alignment alignment) {
    const int direction = text.isRightToLeft() ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight;
    return static_cast<int>(aligned(text, alignment) | Qt::AlignAbsolute) | direction;
}

} // namespace vesk::TextDirection
