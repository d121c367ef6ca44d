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

// Where the members this program does not know go while a tree is made for its dump: each is
// put in as a placeholder naming its place here, and its compact text takes the placeholder's
// place in the dump. Null: they go into the tree as values.
std::vector<std::string>* unknownTexts = nullptr;
const std::string placeholder = "\x01unknown ";
// The placeholder's start as the dump writes it.
const std::string dumpedPlaceholder = "\"\\u0001unknown ";

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
        for (const auto& [key, value] : model.unknown) {
            if (!unknownTexts) {
                object[key] = json::parse(value);
                continue;
            }
            object[key] = placeholder + std::to_string(unknownTexts->size());
            unknownTexts->push_back(value);
        }
    }
    return object;
}

} // namespace

json treeOfSnapshot(const Snapshot& snapshot) {
    return toJson(snapshot);
}

std::string encodeThroughTree(const Snapshot& snapshot) {
    std::vector<std::string> texts;
    unknownTexts = &texts;
    const json tree = toJson(snapshot);
    unknownTexts = nullptr;
    const std::string dumped = tree.dump(2, ' ', /*ensure_ascii=*/false, json::error_handler_t::replace);
    std::string text;
    std::size_t at = 0;
    for (std::size_t found; (found = dumped.find(dumpedPlaceholder, at)) != std::string::npos;) {
        const std::size_t end = dumped.find('"', found + dumpedPlaceholder.size());
        text.append(dumped, at, found - at);
        text += texts.at(std::stoul(
            dumped.substr(found + dumpedPlaceholder.size(), end - found - dumpedPlaceholder.size())));
        at = end + 1;
    }
    return text + dumped.substr(at);
}

} // namespace vesk::test
