#pragma once

#include <cstdint>
#include <vector>

namespace tavro {

// An ordered list of blocks, named by their indices: looked up by position,
// removed by block. A block is in a list at most once, so the index is the
// entry's key.
class BlockList {
public:
    // Throws AppError (KeyAlreadyUsed) when the block is in the list already.
    void append(int16_t index);
    // Throws AppError (InvalidCall) when the block is not in the list.
    void remove(int16_t index);
    // Removes every block of `blocks`, as remove() each in turn would, in
    // one pass over the list.
    void removeAll(const BlockList& blocks);
    bool contains(int16_t index) const;
    void clear();

    int count() const { return static_cast<int>(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    // The block at position 0..count()-1, in list order.
    int16_t at(int position) const;

    // Iteration in list order.
    std::vector<int16_t>::const_iterator begin() const { return entries_.begin(); }
    std::vector<int16_t>::const_iterator end() const { return entries_.end(); }

private:
    std::vector<int16_t> entries_;
    std::vector<uint8_t> inList_; // by block index
};

} // namespace tavro
