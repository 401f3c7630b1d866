#include "game/BlockList.h"

#include "errors/AppError.h"

#include <charconv>

namespace tavro {

void BlockList::append(int16_t index, std::string key) {
    if (index < 0)
        throw AppError(AppError::InvalidCall, QStringLiteral("Invalid block index"));
    if (contains(key))
        throw AppError(457, QStringLiteral("This key is already associated with an element "
                                           "of this collection"));
    if (static_cast<size_t>(index) >= slotByIndex_.size())
        slotByIndex_.resize(static_cast<size_t>(index) + 1, -1);
    slotByIndex_[static_cast<size_t>(index)] = static_cast<int32_t>(entries_.size());
    entries_.push_back({index, std::move(key)});
}

// The slot of the entry with this key, or -1. A block key is a letter followed
// by the block index, so the index leads straight to the candidate slot.
int BlockList::slotOf(std::string_view key) const {
    if (key.size() < 2)
        return -1;
    int index = -1;
    const char* first = key.data() + 1;
    const char* last = key.data() + key.size();
    const auto [end, error] = std::from_chars(first, last, index);
    if (error != std::errc() || end != last || index < 0 ||
        static_cast<size_t>(index) >= slotByIndex_.size())
        return -1;
    const int slot = slotByIndex_[static_cast<size_t>(index)];
    if (slot < 0 || entries_[static_cast<size_t>(slot)].key != key)
        return -1;
    return slot;
}

bool BlockList::contains(std::string_view key) const {
    return slotOf(key) >= 0;
}

void BlockList::remove(std::string_view key) {
    const int slot = slotOf(key);
    if (slot < 0)
        throw AppError(AppError::InvalidCall, QStringLiteral("Invalid procedure call or argument"));
    Entry& entry = entries_[static_cast<size_t>(slot)];
    slotByIndex_[static_cast<size_t>(entry.index)] = -1;
    entry.index = -1; // tombstone until the next compaction
    ++removed_;
}

void BlockList::clear() {
    entries_.clear();
    slotByIndex_.clear();
    removed_ = 0;
}

void BlockList::compact() const {
    if (removed_ == 0)
        return;
    size_t out = 0;
    for (size_t in = 0; in < entries_.size(); ++in) {
        if (entries_[in].index < 0)
            continue;
        if (out != in)
            entries_[out] = std::move(entries_[in]);
        slotByIndex_[static_cast<size_t>(entries_[out].index)] = static_cast<int32_t>(out);
        ++out;
    }
    entries_.resize(out);
    removed_ = 0;
}

const BlockList::Entry& BlockList::at(int position) const {
    compact();
    if (position < 0 || position >= static_cast<int>(entries_.size()))
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return entries_[static_cast<size_t>(position)];
}

const BlockList::Entry* BlockList::begin() const {
    compact();
    return entries_.data();
}

const BlockList::Entry* BlockList::end() const {
    compact();
    return entries_.data() + entries_.size();
}

} // namespace tavro
