#include "core/model/TaskViews.hpp"
#include "support/StoreTestBed.hpp"
#include "tabs/tasks/ListHeaderContent.hpp"
#include "tabs/tasks/TaskMenu.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// An entry as one line: its title, then [symbol], "!" for danger, "off" when disabled; a
// submenu lists its entries; a picker its choices with the selected one starred.
std::string describe(const MenuEntry& entry) {
    if (entry.kind == MenuEntry::Kind::divider) return "--";
    std::string line = entry.title;
    if (!entry.symbol.empty()) line += " [" + entry.symbol + "]";
    if (entry.danger) line += " !";
    if (!entry.enabled) line += " off";
    if (entry.kind == MenuEntry::Kind::submenu) {
        line += " >";
        for (const MenuEntry& inner : entry.entries)
            line += " " + inner.title;
    }
    if (entry.kind == MenuEntry::Kind::picker)
        for (const MenuChoice& choice : entry.choices)
            line += " " + choice.title + (choice.selected ? "*" : "");
    return line;
}

std::vector<std::string> describe(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> lines;
    for (const MenuEntry& entry : entries)
        lines.push_back(describe(entry));
    return lines;
}

const MenuEntry& entryTitled(const std::vector<MenuEntry>& entries, const std::string& title) {
    for (const MenuEntry& entry : entries)
        if (entry.title == title) return entry;
    throw std::runtime_error("no entry " + title);
}

using Lines = std::vector<std::string>;

class TasksMenusTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    TasksMenusTest() { open(); }

    std::vector<MenuEntry> picker() {
        return listPickerMenu(*store, [this](ListNameDraft draft) { naming = std::move(draft); });
    }
    void choose(const std::vector<MenuEntry>& entries, const std::string& title) {
        entryTitled(entries, title).triggered();
    }
    UUID first() const { return store->lists.get().front().id; }

    std::optional<ListNameDraft> naming;
};

TEST_F(TasksMenusTest, ThePickerOffersListsStarredAndNamingWithDeleteOnlyBesideAnotherList) {
    EXPECT_EQ(describe(picker()),
              (Lines{"My Tasks [checkmark]", "--", "Starred [star]", "--", "New list…", "Rename list…"}));
    EXPECT_EQ(listPickerLabel(*store), (ListPickerLabel{false, "My Tasks"}));
    EXPECT_TRUE(showsFilterMenu(*store));

    store->addList("Work"); // selected
    EXPECT_EQ(describe(picker()), (Lines{"My Tasks", "Work [checkmark]", "--", "Starred [star]", "--",
                                         "New list…", "Rename list…", "Delete list !"}));
    choose(picker(), "My Tasks");
    EXPECT_EQ(currentList(store->lists.get(), store->prefs.get())->id, first());
    choose(picker(), "Rename list…");
    EXPECT_EQ(naming, (ListNameDraft{"My Tasks", first()}));
}

TEST_F(TasksMenusTest, TheStarredViewChecksStarredOnlyAndHasNoListActionsOrFilter) {
    store->addList("Work");
    const std::size_t writesBefore = writes();
    choose(picker(), "Starred");
    queue.advance(0.5);
    EXPECT_TRUE(store->prefs.get().starredView);
    EXPECT_GT(writes(), writesBefore);

    EXPECT_EQ(describe(picker()),
              (Lines{"My Tasks", "Work", "--", "Starred [checkmark]", "--", "New list…"}));
    EXPECT_EQ(listPickerLabel(*store), (ListPickerLabel{true, "Starred"}));
    EXPECT_FALSE(showsFilterMenu(*store));
}

TEST_F(TasksMenusTest, AMissingCurrentListFallsBackToTheFirstOrToStarred) {
    store->addList("Work");
    const UUID missing = UUID::random(random);
    store->writePrefs([&](Prefs& prefs) { prefs.selectedListID = missing; });
    EXPECT_EQ(describe(picker())[0], "My Tasks [checkmark]");

    test::put(*store, &Snapshot::lists, {});
    EXPECT_EQ(describe(picker()), (Lines{"--", "Starred [star]", "--", "New list…"}));
    EXPECT_EQ(listPickerLabel(*store), (ListPickerLabel{false, "Starred"}));
}

TEST_F(TasksMenusTest, ANewListKeepsItsNameUnlessBlankAndARenameIsTrimmedByTheStore) {
    commitListName(*store, {"", std::nullopt});
    commitListName(*store, {" \t ", std::nullopt});
    EXPECT_EQ(store->lists.get().size(), 1u);

    commitListName(*store, {"  Errands\t", std::nullopt});
    ASSERT_EQ(store->lists.get().size(), 2u);
    EXPECT_EQ(currentList(store->lists.get(), store->prefs.get())->name, "  Errands\t");

    const UUID errands = currentList(store->lists.get(), store->prefs.get())->id;
    commitListName(*store, {" Home ", errands});
    EXPECT_EQ(currentList(store->lists.get(), store->prefs.get())->name, "Home");
    commitListName(*store, {"   ", errands});
    EXPECT_EQ(currentList(store->lists.get(), store->prefs.get())->name, "Home");
}

TEST_F(TasksMenusTest, TheFilterMenuSortsInlineAndDeletesTheCompletedOnlyWhenThereAreAny) {
    EXPECT_EQ(describe(filterMenu(*store)),
              (Lines{"Sort by My order* Date", "--", "Delete all completed ! off"}));
    EXPECT_TRUE(filterMenu(*store).front().inlined);
    filterMenu(*store).front().choices[1].chosen();
    EXPECT_TRUE(store->prefs.get().sortByDate);

    store->toggleDone(*store->addTask("done"));
    EXPECT_EQ(describe(filterMenu(*store)),
              (Lines{"Sort by My order Date*", "--", "Delete all completed !"}));
}

TEST_F(TasksMenusTest, TheTaskMenuMovesOnlyToOtherListsAndOnlyWithTwoOrMore) {
    const UUID id = *store->addTask("Buy milk");
    const UUID sub = *store->addTask("oat", id);
    auto menu = [&](const UUID& task) {
        return describe(taskMenu(*store, *taskWithID(store->tasks.get(), task),
                                 ViewServices{clock, calendar, queue, random}));
    };
    EXPECT_EQ(menu(id), (Lines{"Start pomodoro", "Start stopwatch", "--", "Star", "Due today", "Due tomorrow",
                               "--", "Delete !"}));
    store->toggleStar(id);
    EXPECT_EQ(menu(id)[3], "Remove star");

    const UUID work = store->addList("Work");
    store->addList("Home");
    EXPECT_EQ(menu(sub)[6], "Move to > Work Home");
    store->move(id, work); // with its subtask
    EXPECT_EQ(menu(id)[6], "Move to > My Tasks Home");
    EXPECT_EQ(menu(sub)[6], "Move to > My Tasks Home");
    const auto targets = moveTargets(store->lists.get(), *taskWithID(store->tasks.get(), sub));
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0].id, first());
}

} // namespace
} // namespace vesk
