#include "core/model/DocumentReader.hpp"

#include "core/model/CaseNames.hpp"
#include "core/model/IsoDate.hpp"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace vesk {
namespace {

using nlohmann::json;

[[noreturn]] void fail(const char* what) {
    throw DocumentError(what);
}

const std::string& text(const json& value) {
    if (!value.is_string()) fail("expected a string");
    return value.get_ref<const std::string&>();
}

void read(const json& value, std::string& out, const ReadContext&) {
    out = text(value);
}

void read(const json& value, bool& out, const ReadContext&) {
    if (!value.is_boolean()) fail("expected true or false");
    out = value.get<bool>();
}

// A JSON integer that fits; a fraction, an exponent form or a number beyond the range rejects.
void read(const json& value, std::int64_t& out, const ReadContext&) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            fail("integer out of range");
        out = static_cast<std::int64_t>(number);
    } else if (value.is_number_integer()) {
        out = value.get<std::int64_t>();
    } else {
        fail("expected an integer");
    }
}

void read(const json& value, std::uint64_t& out, const ReadContext&) {
    if (value.is_number_unsigned()) {
        out = value.get<std::uint64_t>();
    } else if (value.is_number_integer() && value.get<std::int64_t>() == 0) {
        out = 0; // written as -0
    } else {
        fail("expected a non-negative integer");
    }
}

void read(const json& value, double& out, const ReadContext&) {
    if (!value.is_number()) fail("expected a number");
    out = value.get<double>();
}

void read(const json& value, Date& out, const ReadContext&) {
    const auto date = IsoDate::parse(text(value));
    if (!date) fail("malformed date");
    out = *date;
}

void read(const json& value, UUID& out, const ReadContext&) {
    const auto id = UUID::parse(text(value));
    if (!id) fail("malformed UUID");
    out = *id;
}

template <class Enum>
requires std::is_enum_v<Enum>
void read(const json& value, Enum& out, const ReadContext&) {
    const auto found = caseNamed<Enum>(text(value));
    if (!found) fail("unknown enumeration case");
    out = *found;
}

template <class T> void read(const json& value, std::optional<T>& out, const ReadContext& context);
template <class T> void read(const json& value, std::vector<T>& out, const ReadContext& context);
template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
void read(const json& value, Model& out, const ReadContext& context);

// Hands each key of one object to its field.
class ObjectReader {
  public:
    ObjectReader(const json& object, const ReadContext& context) : object_(object), context_(context) {}

    template <class T> void required(const char* key, T& field) {
        const json* value = member(key);
        if (!value) fail("a required key is missing");
        read(*value, field, context_);
    }

    template <class T> void lenient(const char* key, T& field) {
        if (const json* value = member(key)) read(*value, field, context_);
    }

    template <class T, class Fallback> void lenient(const char* key, T& field, Fallback fallback) {
        if (const json* value = member(key)) {
            read(*value, field, context_);
        } else {
            field = fallback(context_);
        }
    }

  private:
    // Null when the key is missing or holds JSON null.
    const json* member(const char* key) const {
        const auto found = object_.find(key);
        if (found == object_.end() || found->is_null()) return nullptr;
        return &*found;
    }

    const json& object_;
    const ReadContext& context_;
};

template <class T> void read(const json& value, std::optional<T>& out, const ReadContext& context) {
    T inner{};
    read(value, inner, context);
    out = std::move(inner);
}

template <class T> void read(const json& value, std::vector<T>& out, const ReadContext& context) {
    if (!value.is_array()) fail("expected an array");
    out.clear();
    out.reserve(value.size());
    for (const json& element : value)
        read(element, out.emplace_back(), context);
}

// Into a new value (every caller makes one), which holds the defaults of its lenient keys.
template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
void read(const json& value, Model& out, const ReadContext& context) {
    if (!value.is_object()) fail("expected an object");
    ObjectReader fields(value, context);
    DocumentLayout<Model>::visit(fields, out);
    if constexpr (requires { out.unknown; }) {
        for (const auto& [key, member] : value.items())
            if (!knowsKey<Model>(key)) out.unknown[key] = compactJson(member);
    }
}

template <class Model> Model readModel(const json& value, const ReadContext& context) {
    Model model{};
    read(value, model, context);
    return model;
}

} // namespace

std::string compactJson(const json& value) {
    return value.dump(-1, ' ', /*ensure_ascii=*/false, json::error_handler_t::replace);
}

std::string compactJson(std::string_view text) {
    const json value = json::parse(text, nullptr, /*allow_exceptions=*/false);
    return value.is_discarded() ? std::string(text) : compactJson(value);
}

Snapshot readSnapshot(const json& value, const ReadContext& context) {
    return readModel<Snapshot>(value, context);
}

ListsAndTasks readListsAndTasks(const json& value, const ReadContext& context) {
    return readModel<ListsAndTasks>(value, context);
}

} // namespace vesk
