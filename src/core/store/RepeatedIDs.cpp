#include "core/store/RepeatedIDs.hpp"

#include <cstring>
#include <iostream>
#include <unordered_map>
#include <unordered_set>

namespace vesk {

namespace {

std::uint64_t mixed(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ULL;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
    return value ^ (value >> 31);
}

// A version-4 id made from the repeated one and which repeat it is.
UUID repeatID(const UUID& id, std::uint64_t repeat) {
    std::uint64_t halves[2];
    std::memcpy(halves, id.bytes().data(), sizeof halves);
    const std::uint64_t high = mixed(halves[0] ^ mixed(halves[1] + repeat));
    const std::uint64_t low = mixed(halves[1] ^ mixed(high + repeat));
    UUID::Bytes bytes;
    std::memcpy(bytes.data(), &high, 8);
    std::memcpy(bytes.data() + 8, &low, 8);
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    return UUID(bytes);
}

template <class Item> std::size_t giveOwnIDs(std::vector<Item>& items) {
    std::unordered_set<UUID> taken;
    taken.reserve(items.size());
    bool repeated = false;
    for (const Item& item : items)
        repeated = !taken.insert(item.id).second || repeated;
    if (!repeated) return 0;
    std::unordered_map<UUID, std::uint64_t> seen;
    std::size_t given = 0;
    for (Item& item : items) {
        std::uint64_t& count = seen[item.id];
        if (count++ == 0) continue;
        UUID fresh = repeatID(item.id, count);
        for (std::uint64_t more = count; !taken.insert(fresh).second;)
            fresh = repeatID(item.id, more += 0x10000);
        item.id = fresh;
        ++given;
    }
    return given;
}

} // namespace

std::size_t giveRepeatsOwnIDs(std::vector<TaskItem>& tasks) {
    return giveOwnIDs(tasks);
}

std::size_t giveRepeatsOwnIDs(std::vector<TaskList>& lists) {
    return giveOwnIDs(lists);
}

void partRepeatedIDs(std::vector<TaskList>* lists, std::vector<TaskItem>* tasks, const std::filesystem::path& file) {
    const std::size_t repeats = (lists ? giveRepeatsOwnIDs(*lists) : 0) + (tasks ? giveRepeatsOwnIDs(*tasks) : 0);
    if (repeats > 0)
        std::cerr << "vesk: " << repeats << (repeats == 1 ? " task or list" : " tasks or lists") << " of "
                  << file.string() << " had the id of an earlier one; each has an id of its own now\n";
}

} // namespace vesk
