#pragma once

#include "core/model/DocumentLayout.hpp"
#include "core/model/ValueHash.hpp"

#include <chrono>
#include <optional>
#include <type_traits>

namespace vesk {

// Equality of one field's values, as the model's equality has it (NaN orders equal).
template <class T> bool sameValue(const T& a, const T& b) {
    if constexpr (std::is_same_v<std::remove_cv_t<T>, double>)
        return sameDouble(a, b);
    else
        return a == b;
}

// Whether two values of a field are written alike: dates to the whole second, as the document
// keeps them.
template <class T> bool sameWritten(const T& a, const T& b) { return sameValue(a, b); }
inline bool sameWritten(const Date& a, const Date& b) {
    return std::chrono::floor<std::chrono::seconds>(a) == std::chrono::floor<std::chrono::seconds>(b);
}
inline bool sameWritten(const std::optional<Date>& a, const std::optional<Date>& b) {
    return a.has_value() == b.has_value() && (!a || sameWritten(*a, *b));
}

// The field of `other` that `field` is of `value`: values of one type lay out their fields alike.
template <class Model, class T> const T& sameFieldOf(const Model& other, const Model& value, const T& field) {
    const auto offset = reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&value);
    return *reinterpret_cast<const T*>(reinterpret_cast<const char*>(&other) + offset);
}

template <class Each> struct FieldWalk {
    Each& each;
    template <class T> void required(const char* key, T& field) { each(key, field); }
    template <class T> void lenient(const char* key, T& field) { each(key, field); }
    template <class T, class Fallback> void lenient(const char* key, T& field, Fallback) { each(key, field); }
};

// Hands `each(key, field, sameFieldOfOthers...)` every field the document layout lists for the
// model, in its order: what equality, hashing and the merge go through, so that a field added
// to the layout is never left out of them.
template <class Model, class Each, class... Others>
void eachField(Model& value, Each&& each, const Others&... others) {
    auto withOthers = [&](const char* key, auto& field) { each(key, field, sameFieldOf(others, value, field)...); };
    FieldWalk<decltype(withOthers)> walk{withOthers};
    DocumentLayout<std::remove_const_t<Model>>::visit(walk, value);
}

// Equality over the layout's fields and the members this program does not know.
template <class Model> bool sameFields(const Model& a, const Model& b) {
    bool same = a.unknown == b.unknown;
    eachField(a, [&](const char*, const auto& x, const auto& y) { same = same && sameValue(x, y); }, b);
    return same;
}

template <class Model> std::size_t hashOfFields(const Model& value) {
    std::size_t seed = 0;
    eachField(value, [&](const char*, const auto& field) { hashField(seed, field); });
    return seed;
}

} // namespace vesk
