#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

// An ordered list of (block index, block key) entries, looked up by position
// and removed by key. Removal by key is O(1): the key names the block index,
// which maps to the entry's slot; removed slots are compacted away lazily, on
// the next access by position, so a batch of removals costs one pass.
class BlockList {
public:
    struct Entry {
        int16_t index = -1;
        std::string key;
    };

    void append(int16_t index, std::string key);
    // Removes the entry with this key; throws AppError (invalid call) when
    // the list holds no such entry.
    void remove(std::string_view key);
    bool contains(std::string_view key) const;
    void clear();

    int count() const { return static_cast<int>(entries_.size()) - removed_; }
    bool isEmpty() const { return count() == 0; }
    // Entry at position 0..count()-1, in list order.
    const Entry& at(int position) const;

    // Iteration in list order.
    const Entry* begin() const;
    const Entry* end() const;

private:
    int slotOf(std::string_view key) const;
    void compact() const;

    mutable std::vector<Entry> entries_;
    mutable std::vector<int32_t> slotByIndex_; // block index -> slot, -1 when absent
    mutable int removed_ = 0;
};

} // namespace tavro
