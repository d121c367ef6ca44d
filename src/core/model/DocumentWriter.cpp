#include "core/model/DocumentWriter.hpp"

#include "core/model/CaseNames.hpp"
#include "core/model/DocumentLayout.hpp"
#include "core/model/IsoDate.hpp"
#include "core/model/Utf8.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vesk {
namespace {

// The text being written, with nlohmann's layout: each element or member on its own line,
// indented two spaces per level; an empty array or object stays on one line.
class Output {
  public:
    explicit Output(std::string& text) : text_(text) {}

    void put(char c) { text_.push_back(c); }
    void put(std::string_view text) { text_.append(text); }

    void open(char bracket) {
        put(bracket);
        ++depth_;
    }
    // Before each element or member: the comma after the one before, a new line, the indent.
    void item(bool first) {
        if (!first) put(',');
        newLine();
    }
    void close(char bracket, bool empty) {
        --depth_;
        if (!empty) newLine();
        put(bracket);
    }

  private:
    void newLine() {
        put('\n');
        text_.append(static_cast<std::size_t>(2 * depth_), ' ');
    }

    std::string& text_;
    int depth_ = 0;
};

// nlohmann copies well-formed UTF-8 through unchanged apart from its escapes.
bool isWellFormedUTF8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = wellFormedSequence(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

void writeValue(Output& out, std::string_view text) {
    if (!isWellFormedUTF8(text)) {
        // Rare (stray bytes in a hand-edited title): nlohmann's own replacement, sequence for sequence.
        out.put(nlohmann::json(std::string(text))
                    .dump(-1, ' ', /*ensure_ascii=*/false, nlohmann::json::error_handler_t::replace));
        return;
    }
    out.put('"');
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.put(text.substr(plain, i - plain));
        plain = i + 1;
        // The characters with a short escape, and their letters; the other controls take \u00xx.
        constexpr std::string_view named = "\"\\\b\t\n\f\r";
        constexpr std::string_view letters = "\"\\btnfr";
        out.put('\\');
        if (const auto at = named.find(static_cast<char>(c)); at != std::string_view::npos) {
            out.put(letters[at]);
        } else {
            char escape[6];
            std::snprintf(escape, sizeof escape, "u%04x", c);
            out.put(escape);
        }
    }
    out.put(text.substr(plain));
    out.put('"');
}

void writeValue(Output& out, bool flag) {
    out.put(flag ? "true" : "false");
}

template <class Integer>
requires std::is_same_v<Integer, std::int64_t> || std::is_same_v<Integer, std::uint64_t>
void writeValue(Output& out, Integer number) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    out.put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

// Finite numbers only, in nlohmann's form ("1.0", "0.1", "1e+300"). Its digits are not always the
// shortest that std::to_chars gives, so they come from its own dump.
void writeValue(Output& out, double number) {
    out.put(nlohmann::json(number).dump());
}

void writeValue(Output& out, Date date) {
    out.put('"');
    out.put(IsoDate::format(date));
    out.put('"');
}

void writeValue(Output& out, const UUID& id) {
    out.put('"');
    out.put(id.uuidString());
    out.put('"');
}

template <class Enum>
requires std::is_enum_v<Enum>
void writeValue(Output& out, Enum value) {
    writeValue(out, caseName(value));
}

template <class T> void writeValue(Output& out, const std::vector<T>& elements);
template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
void writeValue(Output& out, const Model& model);

// One member of an object: where its value is and how to write it; no value when it is left out.
struct Member {
    const char* key = nullptr;
    const void* value = nullptr;
    void (*write)(Output&, const void*) = nullptr;
};

template <class T> void writeErased(Output& out, const void* value) {
    writeValue(out, *static_cast<const T*>(value));
}

// JSON has no form for NaN or infinity. A required number writes 0 instead: such seconds only
// come from arithmetic gone wrong.
void writeFiniteOrZero(Output& out, const void* value) {
    const double number = *static_cast<const double*>(value);
    writeValue(out, std::isfinite(number) ? number : 0.0);
}

// How many keys a layout visits, known when compiling: the size of its members' table.
// The members of one object in declared order, as its layout visits them; room for the largest
// layout, checked in every build so that a grown layout fails its first write, never overruns.
class Members {
  public:
    template <class T> void required(const char* key, const T& field) { add(key, &field, &writeErased<T>); }

    template <class T> void lenient(const char* key, const T& field) { required(key, field); }

    template <class T, class Fallback> void lenient(const char* key, const T& field, Fallback) {
        lenient(key, field);
    }

    template <class T> void lenient(const char* key, const std::optional<T>& field) {
        if (field) {
            required(key, *field);
        } else {
            add(key, nullptr, nullptr);
        }
    }

    void required(const char* key, const double& field) { add(key, &field, &writeFiniteOrZero); }

    // A left-out number reads back as its default: a task's NaN order stays NaN.
    void lenient(const char* key, const double& field) {
        add(key, std::isfinite(field) ? &field : nullptr, &writeErased<double>);
    }

    // The positions of the members in the order of their keys. The same for every object of a
    // type, since each layout visits every key, present or not.
    std::vector<std::size_t> sortedOrder() const {
        std::vector<std::size_t> order(count_);
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            return std::strcmp(members_[a].key, members_[b].key) < 0;
        });
        return order;
    }

    const Member& operator[](std::size_t index) const { return members_[index]; }

  private:
    void add(const char* key, const void* value, void (*write)(Output&, const void*)) {
        if (count_ == members_.size()) throw std::length_error("an object laid out with too many members");
        members_[count_++] = Member{key, value, write};
    }

    std::array<Member, 16> members_{};
    std::size_t count_ = 0;
};

template <class T> void writeValue(Output& out, const std::vector<T>& elements) {
    out.open('[');
    bool first = true;
    for (const T& element : elements) {
        out.item(first);
        first = false;
        writeValue(out, element);
    }
    out.close(']', first);
}

void writeKey(Output& out, std::string_view key) {
    writeValue(out, key);
    out.put(": ");
}

// A member this program does not know, as it was read: compact, on its key's line. Laid out as
// the rest, a value nested deep would take two spaces of indent per level on each of its lines.
void writeUnknown(Output& out, const std::pair<const std::string, std::string>& member) {
    writeKey(out, member.first);
    out.put(member.second);
}

void writeKnown(Output& out, const Member& member) {
    out.put('"');
    out.put(member.key);
    out.put("\": ");
    member.write(out, member.value);
}

// The members of an object that also holds members this program does not know: all of them
// in the order of their keys. Apart from the usual objects, which it would slow down.
void writeAmongUnknown(Output& out, const Members& members, const std::vector<std::size_t>& order,
                       const UnknownMembers& unknown) {
    auto extra = unknown.begin();
    bool first = true;
    const auto next = [&] {
        out.item(first);
        first = false;
    };
    for (const std::size_t index : order) {
        const Member& member = members[index];
        if (!member.value) continue;
        for (; extra != unknown.end() && extra->first < member.key; ++extra) {
            next();
            writeUnknown(out, *extra);
        }
        next();
        writeKnown(out, member);
    }
    for (; extra != unknown.end(); ++extra) {
        next();
        writeUnknown(out, *extra);
    }
    out.close('}', first);
}

// An object laid out as a Model; `self` is one or has the same members.
template <class Model, class Self> void writeObject(Output& out, const Self& self) {
    Members members;
    DocumentLayout<Model>::visit(members, self);
    static const std::vector<std::size_t> order = members.sortedOrder();
    out.open('{');
    if constexpr (requires { self.unknown; }) {
        if (!self.unknown.empty()) return writeAmongUnknown(out, members, order, self.unknown);
    }
    bool first = true;
    for (const std::size_t index : order) {
        const Member& member = members[index];
        if (!member.value) continue;
        out.item(first);
        first = false;
        out.put('"');
        out.put(member.key);
        out.put("\": ");
        member.write(out, member.value);
    }
    out.close('}', first);
}

template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
void writeValue(Output& out, const Model& model) {
    writeObject<Model>(out, model);
}

template <class Self> std::string writeDocument(const Self& document) {
    std::string text;
    // About what a task and a session take, so that a large document is not copied as it grows.
    text.reserve(4096 + 400 * (document.tasks.size() + document.sessions.size()));
    Output out(text);
    writeObject<Snapshot>(out, document);
    return text;
}

} // namespace

std::string writeSnapshot(const Snapshot& snapshot) {
    return writeDocument(snapshot);
}

std::string writeSnapshot(const SnapshotParts& parts) {
    return writeDocument(parts);
}

} // namespace vesk
