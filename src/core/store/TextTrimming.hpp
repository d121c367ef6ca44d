#pragma once

#include <string>
#include <string_view>

namespace vesk {

// What counts as blank around a typed name: Unicode space separators and tabs, and with
// `spacesAndLineBreaks` also the line and paragraph separators (LF, VT, FF, CR, NEL, U+2028, U+2029).
enum class Blank { spaces, spacesAndLineBreaks };

// The UTF-8 text without the blank characters at both ends. Invalid UTF-8 is kept as it is.
std::string trimmed(std::string_view text, Blank blank);

} // namespace vesk
