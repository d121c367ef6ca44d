#include "core/store/TextTrimming.hpp"

#include <cstdint>
#include <optional>

namespace vesk {

namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;
};

// The code point starting at `at`, when the bytes there form one.
std::optional<CodePoint> decodeAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) return CodePoint{lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else {
        // Four-byte sequences hold no blank characters.
        return std::nullopt;
    }
    if (at + length > text.size()) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    return CodePoint{value, length};
}

bool isLineBreak(char32_t c) {
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isSpace(char32_t c) {
    return c == 0x09 || c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isBlank(char32_t c, Blank blank) {
    return isSpace(c) || (blank == Blank::spacesAndLineBreaks && isLineBreak(c));
}

// Start of the code point that ends just before `end`.
std::size_t previousStart(std::string_view text, std::size_t end) {
    std::size_t start = end - 1;
    while (start > 0 && end - start < 3 && (static_cast<std::uint8_t>(text[start]) & 0xC0) == 0x80)
        --start;
    return start;
}

} // namespace

std::string trimmed(std::string_view text, Blank blank) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        const auto c = decodeAt(text, begin);
        if (!c || !isBlank(c->value, blank)) break;
        begin += c->length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        const std::size_t start = previousStart(text, end);
        const auto c = decodeAt(text, start);
        if (!c || start + c->length != end || !isBlank(c->value, blank)) break;
        end = start;
    }
    return std::string(text.substr(begin, end - begin));
}

} // namespace vesk
