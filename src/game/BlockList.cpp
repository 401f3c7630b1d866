#include "game/BlockList.h"

#include "errors/AppError.h"

#include <algorithm>

namespace tavro {

bool BlockList::contains(int16_t index) const {
    return index >= 0 && static_cast<size_t>(index) < inList_.size() &&
           inList_[static_cast<size_t>(index)] != 0;
}

void BlockList::append(int16_t index) {
    if (index < 0)
        throw AppError(AppError::InvalidCall, QStringLiteral("Invalid block index"));
    if (contains(index))
        throw AppError(AppError::KeyAlreadyUsed,
                       QStringLiteral("This key is already associated with an element "
                                      "of this collection"));
    if (static_cast<size_t>(index) >= inList_.size())
        inList_.resize(static_cast<size_t>(index) + 1, 0);
    inList_[static_cast<size_t>(index)] = 1;
    entries_.push_back(index);
}

void BlockList::remove(int16_t index) {
    if (!contains(index))
        throw AppError(AppError::InvalidCall, QStringLiteral("Invalid procedure call or argument"));
    inList_[static_cast<size_t>(index)] = 0;
    entries_.erase(std::find(entries_.begin(), entries_.end(), index));
}

void BlockList::removeAll(const BlockList& blocks) {
    bool missing = false;
    for (const int16_t index : blocks) {
        if (contains(index))
            inList_[static_cast<size_t>(index)] = 0;
        else
            missing = true;
    }
    std::erase_if(entries_, [this](int16_t index) { return !contains(index); });
    if (missing)
        throw AppError(AppError::InvalidCall, QStringLiteral("Invalid procedure call or argument"));
}

void BlockList::clear() {
    for (const int16_t index : entries_)
        inList_[static_cast<size_t>(index)] = 0;
    entries_.clear();
}

int16_t BlockList::at(int position) const {
    if (position < 0 || position >= count())
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return entries_[static_cast<size_t>(position)];
}

} // namespace tavro
