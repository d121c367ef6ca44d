#pragma once

#include "core/model/Uuid.hpp"
#include "shell/controls/MenuModel.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class Store;

// The list picker's label: the current list's name, or "Starred" (with a star before it in
// the starred view).
struct ListPickerLabel {
    bool starred = false;
    std::string title;
    friend bool operator==(const ListPickerLabel&, const ListPickerLabel&) = default;
};
ListPickerLabel listPickerLabel(const Store& store);

// The name being typed in the list-name field, and the list it renames (none: a new list).
struct ListNameDraft {
    std::string text;
    std::optional<UUID> renaming;
    friend bool operator==(const ListNameDraft&, const ListNameDraft&) = default;
};

// The list picker's entries: every list (the current one checked), "Starred", "New list…",
// then "Rename list…" with a current list and "Delete list" while another list would remain.
// The two naming entries hand `startNaming` the draft the name field starts from.
std::vector<MenuEntry> listPickerMenu(Store& store, const std::function<void(ListNameDraft)>& startNaming);

// The filter menu, shown unless the starred view is on: the sort order and "Delete all completed".
bool showsFilterMenu(const Store& store);
std::vector<MenuEntry> filterMenu(Store& store);

// Return in the name field. A new list keeps its name as typed unless it is blank after
// trimming spaces and tabs, which creates nothing; a rename goes to the store, which trims it.
void commitListName(Store& store, const ListNameDraft& draft);

} // namespace vesk
