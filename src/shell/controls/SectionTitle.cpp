#include "shell/controls/SectionTitle.hpp"

#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

namespace vesk {
namespace {

QFont titleFont() {
    QFont font = Fonts::text(9.5, FontWeight::semibold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    return font;
}

} // namespace

SectionTitle::SectionTitle(const QString& text, QWidget* parent)
    : TextLabel(shown(text), titleFont(), Theme::text3(), parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString SectionTitle::shown(const QString& text) {
    return text.toUpper();
}

} // namespace vesk
