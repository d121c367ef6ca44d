#include "core/model/DocumentStreamReader.hpp"

#include "core/model/CaseNames.hpp"
#include "core/model/DocumentReader.hpp"
#include "core/model/IsoDate.hpp"
#include "core/model/Utf8.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <system_error>
#include <type_traits>
#include <vector>

namespace vesk {
namespace {

// Thrown where the bytes stop being JSON, or nest deeper than a document may, and turned into
// "no document" at the top.
struct NotJson {};
struct TooDeep {};

[[noreturn]] void notJson() {
    throw NotJson{};
}

[[noreturn]] void fail(const char* what) {
    throw DocumentError(what);
}

// A JSON number as nlohmann keeps it: an integer that fits 64 bits stays one (unsigned unless
// written with a minus), every other number is a double.
struct Number {
    enum class Kind { unsigned_, integer, floating } kind = Kind::floating;
    std::uint64_t unsignedValue = 0;
    std::int64_t integerValue = 0;
    double floatingValue = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Whether none of the eight bytes in `word` ends or escapes a string, is a control character or
// starts a UTF-8 sequence.
bool allPlain(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    const auto zeroByte = [](std::uint64_t value) { return (value - ones) & ~value & highs; };
    const std::uint64_t below0x20 = (word - ones * 0x20) & ~word & highs;
    return (zeroByte(word ^ (ones * '"')) | zeroByte(word ^ (ones * '\\')) | below0x20 | (word & highs)) == 0;
}

void appendCodePoint(std::string& out, std::uint32_t point) {
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

// The bytes being read, token by token, with nlohmann's lexical rules.
class Cursor {
  public:
    static constexpr int end = -1;

    explicit Cursor(std::string_view bytes) : bytes_(bytes) {
        // A leading byte order mark is skipped, as nlohmann does.
        if (bytes_.starts_with("\xEF\xBB\xBF")) at_ = 3;
    }

    // The next byte after white space, not taken; `end` when there is none. nlohmann takes a
    // NUL byte between tokens for the end of the text, and so ignores what follows it.
    int peek() {
        while (at_ < bytes_.size()) {
            const char c = bytes_[at_];
            if (c == '\0') return end;
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t') return static_cast<unsigned char>(c);
            ++at_;
        }
        return end;
    }

    void take() { ++at_; }

    // Around the reading of an array or an object of the model's.
    void enter() {
        if (++depth_ > maximumNesting) throw TooDeep{};
    }
    void leave() { --depth_; }
    std::size_t offset() const { return at_; }
    // The bytes from `start` to here.
    std::string_view since(std::size_t start) const { return bytes_.substr(start, at_ - start); }

    bool consume(char c) {
        if (peek() != static_cast<unsigned char>(c)) return false;
        ++at_;
        return true;
    }

    void expect(char c) {
        if (!consume(c)) notJson();
    }

    // Takes a null when one comes next.
    bool null() {
        if (peek() != 'n') return false;
        literal("null");
        return true;
    }

    bool boolean() {
        if (peek() == 't') {
            literal("true");
            return true;
        }
        if (peek() == 'f') {
            literal("false");
            return false;
        }
        fail("expected true or false");
    }

    // The text of the string that comes next: a view of the bytes when it has no escape, else
    // of a copy that lasts until the next string.
    std::string_view string() {
        if (peek() != '"') fail("expected a string");
        const std::size_t start = ++at_;
        // Eight plain bytes at a time: titles and notes make up most of a document.
        while (bytes_.size() - at_ >= sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes_.data() + at_, sizeof word);
            if (!allPlain(word)) break;
            at_ += sizeof word;
        }
        while (at_ < bytes_.size()) {
            const auto c = static_cast<unsigned char>(bytes_[at_]);
            if (c == '"') return bytes_.substr(start, at_++ - start);
            if (c == '\\' || c < 0x20 || c >= 0x80) return unusualString(start);
            ++at_;
        }
        notJson();
    }

    Number number() {
        const std::size_t start = at_;
        const bool negative = at_ < bytes_.size() && bytes_[at_] == '-';
        if (negative) ++at_;
        if (at_ < bytes_.size() && bytes_[at_] == '0') {
            ++at_;
        } else if (!digits()) {
            notJson();
        }
        bool integral = true;
        if (at_ < bytes_.size() && bytes_[at_] == '.') {
            ++at_;
            if (!digits()) notJson();
            integral = false;
        }
        if (at_ < bytes_.size() && (bytes_[at_] == 'e' || bytes_[at_] == 'E')) {
            ++at_;
            if (at_ < bytes_.size() && (bytes_[at_] == '+' || bytes_[at_] == '-')) ++at_;
            if (!digits()) notJson();
            integral = false;
        }
        const char* first = bytes_.data() + start;
        const char* last = bytes_.data() + at_;
        Number number;
        // From here on the token is known to be a number, so only a failure to fit stops a reading.
        if (integral && !negative && std::from_chars(first, last, number.unsignedValue).ec == std::errc{}) {
            number.kind = Number::Kind::unsigned_;
            return number;
        }
        if (integral && negative && std::from_chars(first, last, number.integerValue).ec == std::errc{}) {
            number.kind = Number::Kind::integer;
            return number;
        }
        const auto [ptr, error] = std::from_chars(first, last, number.floatingValue);
        // Beyond the range of a double either way: nlohmann's own reading, which refuses an
        // overflow and takes an underflow as zero.
        if (error != std::errc{} || ptr != last) number.floatingValue = treeNumber(first, last);
        if (!std::isfinite(number.floatingValue)) notJson();
        return number;
    }

    // Takes the next value, whatever it is, after checking that it is JSON and nests no deeper
    // than a document may.
    void skipValue() {
        std::string open; // the closing bracket of each container the value is inside
        for (;;) {
            const int next = peek();
            if ((next == '{' || next == '[') && depth_ + open.size() >= maximumNesting) throw TooDeep{};
            switch (next) {
            case '{':
                take();
                if (consume('}')) break;
                open.push_back('}');
                key();
                continue;
            case '[':
                take();
                if (consume(']')) break;
                open.push_back(']');
                continue;
            case '"':
                string();
                break;
            case 't':
                literal("true");
                break;
            case 'f':
                literal("false");
                break;
            case 'n':
                literal("null");
                break;
            default:
                number();
                break;
            }
            // A whole value is read: close what it ended, or go on to the next element.
            for (;;) {
                if (open.empty()) return;
                if (consume(',')) {
                    if (open.back() == '}') key();
                    break;
                }
                expect(open.back());
                open.pop_back();
            }
        }
    }

    // A member's key and its colon.
    std::string_view key() {
        if (peek() != '"') notJson();
        const std::string_view name = string();
        expect(':');
        return name;
    }

  private:
    void literal(std::string_view word) {
        if (bytes_.substr(at_, word.size()) != word) notJson();
        at_ += word.size();
    }

    bool digits() {
        const std::size_t start = at_;
        while (at_ < bytes_.size() && isDigit(bytes_[at_]))
            ++at_;
        return at_ > start;
    }

    static double treeNumber(const char* first, const char* last) {
        const auto value = nlohmann::json::parse(first, last, nullptr, /*allow_exceptions=*/false);
        if (!value.is_number()) notJson();
        return value.get<double>();
    }

    // A string with escapes, control characters or bytes beyond ASCII, from `start` (after the
    // quote) and checked from `at_`.
    std::string_view unusualString(std::size_t start) {
        bool copied = false;
        while (at_ < bytes_.size()) {
            const auto c = static_cast<unsigned char>(bytes_[at_]);
            if (c == '"') {
                const std::string_view text = bytes_.substr(start, at_ - start);
                ++at_;
                return copied ? std::string_view(scratch_) : text;
            }
            if (c < 0x20) notJson();
            if (c == '\\') {
                if (!copied) scratch_.assign(bytes_.substr(start, at_ - start));
                copied = true;
                ++at_;
                escape();
                continue;
            }
            const std::size_t length = c < 0x80 ? 1 : wellFormedSequence(bytes_, at_);
            if (length == 0) notJson();
            if (copied) scratch_.append(bytes_.substr(at_, length));
            at_ += length;
        }
        notJson();
    }

    // The escape after a backslash, onto the copy.
    void escape() {
        if (at_ >= bytes_.size()) notJson();
        const char c = bytes_[at_++];
        constexpr std::string_view letters = "\"\\/bfnrt";
        constexpr std::string_view named = "\"\\/\b\f\n\r\t";
        if (const auto at = letters.find(c); at != std::string_view::npos) {
            scratch_.push_back(named[at]);
            return;
        }
        if (c != 'u') notJson();
        std::uint32_t point = hex4();
        if (point >= 0xD800 && point <= 0xDBFF) {
            // A high surrogate takes the low one that must follow it.
            if (bytes_.substr(at_, 2) != "\\u") notJson();
            at_ += 2;
            const std::uint32_t low = hex4();
            if (low < 0xDC00 || low > 0xDFFF) notJson();
            point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
        } else if (point >= 0xDC00 && point <= 0xDFFF) {
            notJson();
        }
        appendCodePoint(scratch_, point);
    }

    std::uint32_t hex4() {
        if (bytes_.size() - at_ < 4) notJson();
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexDigit(bytes_[at_++]);
            if (digit < 0) notJson();
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return value;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    // How many arrays and objects of the model's the cursor is inside.
    std::size_t depth_ = 0;
    std::string scratch_;
};

// Inside one array or object of the model's for the life of the object.
class Nested {
  public:
    explicit Nested(Cursor& in) : in_(in) { in_.enter(); }
    ~Nested() { in_.leave(); }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

  private:
    Cursor& in_;
};

void read(Cursor& in, std::string& out, const ReadContext&) {
    out.assign(in.string());
}

void read(Cursor& in, bool& out, const ReadContext&) {
    out = in.boolean();
}

Number numberValue(Cursor& in, const char* expected) {
    const int c = in.peek();
    if (c != '-' && !isDigit(static_cast<char>(c))) fail(expected);
    return in.number();
}

// A JSON integer that fits; a fraction, an exponent form or a number beyond the range rejects.
void read(Cursor& in, std::int64_t& out, const ReadContext&) {
    const Number number = numberValue(in, "expected an integer");
    if (number.kind == Number::Kind::integer) {
        out = number.integerValue;
    } else if (number.kind == Number::Kind::unsigned_ &&
               number.unsignedValue <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        out = static_cast<std::int64_t>(number.unsignedValue);
    } else {
        fail("expected an integer that fits");
    }
}

void read(Cursor& in, std::uint64_t& out, const ReadContext&) {
    const Number number = numberValue(in, "expected a non-negative integer");
    if (number.kind == Number::Kind::unsigned_) {
        out = number.unsignedValue;
    } else if (number.kind == Number::Kind::integer && number.integerValue == 0) {
        out = 0; // written as -0
    } else {
        fail("expected a non-negative integer");
    }
}

void read(Cursor& in, double& out, const ReadContext&) {
    const Number number = numberValue(in, "expected a number");
    switch (number.kind) {
    case Number::Kind::unsigned_:
        out = static_cast<double>(number.unsignedValue);
        break;
    case Number::Kind::integer:
        out = static_cast<double>(number.integerValue); // -0 reads as 0, as in the tree
        break;
    case Number::Kind::floating:
        out = number.floatingValue;
        break;
    }
}

void read(Cursor& in, Date& out, const ReadContext&) {
    const auto date = IsoDate::parse(in.string());
    if (!date) fail("malformed date");
    out = *date;
}

void read(Cursor& in, UUID& out, const ReadContext&) {
    const auto id = UUID::parse(in.string());
    if (!id) fail("malformed UUID");
    out = *id;
}

template <class Enum>
requires std::is_enum_v<Enum>
void read(Cursor& in, Enum& out, const ReadContext&) {
    const auto found = caseNamed<Enum>(in.string());
    if (!found) fail("unknown enumeration case");
    out = *found;
}

template <class T> void read(Cursor& in, std::optional<T>& out, const ReadContext& context);
template <class T> void read(Cursor& in, std::vector<T>& out, const ReadContext& context);
template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
void read(Cursor& in, Model& out, const ReadContext& context);

constexpr std::size_t maximumFields = 16;

// The keys of a type's layout, listed once, with the way through them that the writer's
// sorted keys take, so that a member written by it is found at the first look.
template <class Model> class Keys {
  public:
    Keys() {
        Model model{};
        DocumentLayout<Model>::visit(*this, model);
        std::array<std::size_t, maximumFields> sorted{};
        for (std::size_t i = 0; i < count_; ++i)
            sorted[i] = i;
        std::sort(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(count_),
                  [this](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
        first_ = sorted[0];
        for (std::size_t i = 0; i + 1 < count_; ++i)
            after_[sorted[i]] = sorted[i + 1];
        after_[sorted[count_ - 1]] = sorted[0];
    }

    template <class T> void required(const char* key, T&) { keys_[count_++] = key; }
    template <class T> void lenient(const char* key, T&) { keys_[count_++] = key; }
    template <class T, class Fallback> void lenient(const char* key, T&, Fallback) { keys_[count_++] = key; }

    std::size_t first() const { return first_; }

    // The field of `key`, tried first at `guess`; `count` when the type has no such key.
    std::size_t find(std::string_view key, std::size_t guess) const {
        if (keys_[guess] == key) return guess;
        for (std::size_t i = 0; i < count_; ++i)
            if (keys_[i] == key) return i;
        return count_;
    }

    std::size_t after(std::size_t field) const { return after_[field]; }
    std::size_t count() const { return count_; }

  private:
    std::array<std::string_view, maximumFields> keys_{};
    std::array<std::size_t, maximumFields> after_{};
    std::size_t first_ = 0;
    std::size_t count_ = 0;
};

template <class Model> const Keys<Model>& keysOf() {
    static const Keys<Model> keys;
    return keys;
}

// Where each field of one object is and how to read it, in declared order.
class Slots {
  public:
    using Reader = void (*)(Cursor&, void*, const ReadContext&);

    template <class T> void required(const char*, T& field) {
        at_[count_] = &field;
        readers_[count_++] = [](Cursor& in, void* at, const ReadContext& context) {
            read(in, *static_cast<T*>(at), context);
        };
    }
    template <class T> void lenient(const char* key, T& field) { required(key, field); }
    template <class T, class Fallback> void lenient(const char* key, T& field, Fallback) {
        required(key, field);
    }

    void readField(std::size_t field, Cursor& in, const ReadContext& context) const {
        readers_[field](in, at_[field], context);
    }

  private:
    std::array<void*, maximumFields> at_{};
    std::array<Reader, maximumFields> readers_{};
    std::size_t count_ = 0;
};

// After the members: a required key that was not there rejects, a missing lenient one with a
// fallback takes it. Declared order, as in the tree reader, so fallbacks see what they need.
class Completion {
  public:
    Completion(std::uint32_t present, const ReadContext& context) : present_(present), context_(context) {}

    template <class T> void required(const char*, T&) {
        if (!next()) fail("a required key is missing");
    }
    template <class T> void lenient(const char*, T&) { next(); }
    template <class T, class Fallback> void lenient(const char*, T& field, Fallback fallback) {
        if (!next()) field = fallback(context_);
    }

  private:
    bool next() { return (present_ >> index_++) & 1u; }

    std::uint32_t present_;
    const ReadContext& context_;
    int index_ = 0;
};

template <class T> void read(Cursor& in, std::optional<T>& out, const ReadContext& context) {
    T inner{};
    read(in, inner, context);
    out = std::move(inner);
}

template <class T> void read(Cursor& in, std::vector<T>& out, const ReadContext& context) {
    if (in.peek() != '[') fail("expected an array");
    const Nested nested(in);
    in.take();
    out.clear();
    if (in.consume(']')) return;
    do
        read(in, out.emplace_back(), context);
    while (in.consume(','));
    in.expect(']');
}

// A member whose key the model does not know, kept as the tree reader keeps it.
void keepMember(Cursor& in, UnknownMembers& kept, std::string_view key) {
    std::string name(key); // before the value's strings reuse the copy the key may be in
    in.peek();
    const std::size_t start = in.offset();
    in.skipValue();
    kept[std::move(name)] = compactJson(in.since(start));
}

// A member whose key the model does not know: checked and passed over, and kept where the model
// has room for such members.
template <class Model> void unknownMember(Cursor& in, Model& out, std::string_view key) {
    if constexpr (requires { out.unknown; }) {
        if (!knowsKey<Model>(key)) return keepMember(in, out.unknown, key);
    }
    in.skipValue();
}

// Starts from the model's new value, which holds the defaults of its lenient keys. Unknown keys
// are checked and kept aside; a null counts as missing.
template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
void read(Cursor& in, Model& out, const ReadContext& context) {
    if (in.peek() != '{') fail("expected an object");
    const Nested nested(in);
    in.take();
    out = Model{};
    const Keys<Model>& keys = keysOf<Model>();
    Slots slots;
    DocumentLayout<Model>::visit(slots, out);
    std::uint32_t met = 0;
    std::uint32_t present = 0;
    if (!in.consume('}')) {
        std::size_t guess = keys.first();
        do {
            const std::string_view key = in.key();
            const std::size_t field = keys.find(key, guess);
            if (field == keys.count()) {
                unknownMember(in, out, key);
                continue;
            }
            const std::uint32_t bit = 1u << field;
            if (met & bit) fail("a key given twice");
            met |= bit;
            guess = keys.after(field);
            if (in.null()) continue;
            slots.readField(field, in, context);
            present |= bit;
        } while (in.consume(','));
        in.expect('}');
    }
    Completion completion(present, context);
    DocumentLayout<Model>::visit(completion, out);
}

template <class Result> std::optional<Result> stream(std::string_view bytes, const ReadContext& context) {
    Cursor in(bytes);
    const auto stopped = [&](const char* reason) {
        if (context.failure) *context.failure = DecodeFailure{{reason}, in.offset()};
    };
    try {
        Result result;
        read(in, result, context);
        if (in.peek() != Cursor::end) notJson();
        return result;
    } catch (const NotJson&) {
        stopped("not JSON");
        return std::nullopt;
    } catch (const TooDeep&) {
        static const std::string tooDeep =
            "nested more than " + std::to_string(maximumNesting) + " levels deep";
        stopped(tooDeep.c_str());
        return std::nullopt;
    } catch (const DocumentError& error) {
        stopped(error.what());
        throw;
    }
}

} // namespace

std::optional<Snapshot> streamSnapshot(std::string_view bytes, const ReadContext& context) {
    return stream<Snapshot>(bytes, context);
}

std::optional<ListsAndTasks> streamListsAndTasks(std::string_view bytes, const ReadContext& context) {
    return stream<ListsAndTasks>(bytes, context);
}

} // namespace vesk
