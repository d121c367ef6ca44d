#include "support/TreeDocumentWriter.hpp"

#include "core/model/CaseNames.hpp"
#include "core/model/DocumentLayout.hpp"
#include "core/model/IsoDate.hpp"

#include <cmath>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace vesk::test {
namespace {

using nlohmann::json;

json toJson(const std::string& text) {
    return text;
}
json toJson(bool flag) {
    return flag;
}
json toJson(std::int64_t number) {
    return number;
}
json toJson(std::uint64_t number) {
    return number;
}
json toJson(Date date) {
    return IsoDate::format(date);
}
json toJson(const UUID& id) {
    return id.uuidString();
}

template <class Enum>
requires std::is_enum_v<Enum> json toJson(Enum value) {
    return std::string(caseName(value));
}

template <class T> json toJson(const std::vector<T>& elements);
template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
json toJson(const Model& model);

// Writes each field of one object under its key.
class ObjectWriter {
  public:
    explicit ObjectWriter(json& object) : object_(object) {}

    template <class T> void required(const char* key, const T& field) { object_[key] = toJson(field); }

    template <class T> void lenient(const char* key, const T& field) { required(key, field); }

    template <class T, class Fallback> void lenient(const char* key, const T& field, Fallback) {
        lenient(key, field);
    }

    template <class T> void lenient(const char* key, const std::optional<T>& field) {
        if (field) required(key, *field);
    }

    // JSON has no form for NaN or infinity, and nlohmann would write null, which the reader
    // rejects. Where the key may be missing, leaving it out reads back as its default (a task's
    // NaN order stays NaN); where it is required, 0 stands in: such seconds only come from
    // arithmetic gone wrong.
    void required(const char* key, double field) { object_[key] = std::isfinite(field) ? field : 0.0; }

    void lenient(const char* key, double field) {
        if (std::isfinite(field)) object_[key] = field;
    }

  private:
    json& object_;
};

template <class T> json toJson(const std::vector<T>& elements) {
    json array = json::array();
    for (const T& element : elements)
        array.push_back(toJson(element));
    return array;
}

template <class Model>
requires requires {
    sizeof(DocumentLayout<Model>);
}
json toJson(const Model& model) {
    json object = json::object();
    ObjectWriter fields(object);
    DocumentLayout<Model>::visit(fields, model);
    if constexpr (requires { model.unknown; }) {
        for (const auto& [key, value] : model.unknown)
            object[key] = json::parse(value);
    }
    return object;
}

} // namespace

json treeOfSnapshot(const Snapshot& snapshot) {
    return toJson(snapshot);
}

std::string encodeThroughTree(const Snapshot& snapshot) {
    return treeOfSnapshot(snapshot).dump(2, ' ', /*ensure_ascii=*/false, json::error_handler_t::replace);
}

} // namespace vesk::test
