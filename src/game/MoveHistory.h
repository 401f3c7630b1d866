#pragma once

#include "game/BoardCells.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavro {

// One move as the history keeps it: the removed group and what changed, not a
// copy of the board. The rest of the board follows from the rules: blocks
// keep their order in a column when they fall and columns keep their order
// when empty ones close, so the board before a move can be rebuilt from the
// board after it.
struct MoveRecord {
    std::vector<uint16_t> removed; // cells of the group before the move
    std::vector<uint16_t> emptied; // columns, before the move, that it emptied
    int64_t scoreBefore = 0;
    int64_t scoreAfter = 0;
    int32_t leftBefore = 0;
    int32_t leftAfter = 0;
    int8_t type = 0; // block type of the group
    bool finishedBefore = false;
    bool finishedAfter = false;
};

// The moves of one game, for undo and redo. Recording a move drops the moves
// that had been undone.
class MoveHistory {
public:
    void clear();
    void record(MoveRecord move);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < moves_.size(); }
    size_t movesDone() const { return done_; }
    // The last done move, nullptr when none.
    const MoveRecord* lastDone() const { return done_ > 0 ? &moves_[done_ - 1] : nullptr; }

    // Turns `cells` (the board after the last done move) into the board
    // before it and returns the move; canUndo() must hold.
    const MoveRecord& undo(BoardCells& cells);
    // Turns `cells` into the board after the next undone move and returns it;
    // canRedo() must hold.
    const MoveRecord& redo(BoardCells& cells);

    // Heap and object bytes held by the history.
    size_t memoryBytes() const;

    // The board after removing `move.removed` from `cells`: blocks fall, empty
    // columns close towards the left.
    static void applyMove(BoardCells& cells, const MoveRecord& move);
    // The inverse of applyMove.
    static void revertMove(BoardCells& cells, const MoveRecord& move);

private:
    std::vector<MoveRecord> moves_;
    size_t done_ = 0;
};

} // namespace tavro
