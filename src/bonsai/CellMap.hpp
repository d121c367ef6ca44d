#pragma once

#include "bonsai/Cube.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vesk::bonsai {

// A flat open-addressing map from cell key to a small value. Its slot order is never used for
// anything that reaches a tree: callers sort what they take out of it.
template <typename T> class CellMap {
  public:
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    T* find(CellKey key) {
        if (slots_.empty()) return nullptr;
        for (std::size_t i = slot(key);; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (!s.used) return nullptr;
            if (s.key == key) return &s.value;
        }
    }
    const T* find(CellKey key) const { return const_cast<CellMap*>(this)->find(key); }
    bool contains(CellKey key) const { return find(key) != nullptr; }

    // The entry of the key, value-initialised when new; `inserted` tells which.
    T& upsert(CellKey key, bool& inserted) {
        if ((count_ + 1) * 4 > slots_.size() * 3) grow();
        for (std::size_t i = slot(key);; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (!s.used) {
                s.used = true;
                s.key = key;
                s.value = T{};
                ++count_;
                inserted = true;
                return s.value;
            }
            if (s.key == key) {
                inserted = false;
                return s.value;
            }
        }
    }
    void set(CellKey key, const T& value) {
        bool inserted = false;
        upsert(key, inserted) = value;
    }
    // Adds the key with the value; false (and no change) when it is present already.
    bool insert(CellKey key, const T& value = T{}) {
        bool inserted = false;
        T& v = upsert(key, inserted);
        if (inserted) v = value;
        return inserted;
    }

    void reserve(std::size_t n) {
        while (n * 4 > slots_.size() * 3)
            grow();
    }

    template <typename F> void forEach(F&& f) const {
        for (const Slot& s : slots_)
            if (s.used) f(s.key, s.value);
    }

  private:
    struct Slot {
        CellKey key = 0;
        T value{};
        bool used = false;
    };

    std::size_t slot(CellKey key) const {
        std::uint64_t z = std::uint64_t(key) * 0x9E3779B97F4A7C15ULL;
        z ^= z >> 29;
        return std::size_t(z) & mask_;
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        const std::size_t capacity = old.empty() ? 64 : old.size() * 2;
        slots_.assign(capacity, Slot{});
        mask_ = capacity - 1;
        count_ = 0;
        for (const Slot& s : old)
            if (s.used) set(s.key, s.value);
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};

// A set of cells.
struct CellFlag {};
using CellSet = CellMap<CellFlag>;

} // namespace vesk::bonsai
