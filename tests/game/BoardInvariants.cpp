#include "BoardInvariants.h"

#include <vector>

namespace tavro::test {

namespace {

QString at(const BlockRec& b) {
    return QStringLiteral("block %1 (%2,%3)").arg(b.index).arg(b.col).arg(b.row);
}

} // namespace

QString boardInvariantViolation(const Board& board, bool betweenMoves) {
    const int cols = board.cols();
    const int rows = board.rows();
    if (board.blockCount() != cols * rows || board.totalBlocks() != cols * rows)
        return QStringLiteral("table holds %1 blocks, board has %2 cells")
            .arg(board.blockCount())
            .arg(cols * rows);

    std::vector<int> seen(static_cast<size_t>(board.blockCount()), 0);
    for (int col = 0; col < cols; ++col)
        for (int row = 0; row < rows; ++row) {
            const int16_t i = board.cellAt(col, row);
            if (i < 0 || i >= board.blockCount() || seen[static_cast<size_t>(i)]++)
                return QStringLiteral("grid is no permutation at (%1,%2)").arg(col).arg(row);
        }

    int present = 0;
    int lastLiveIndex = -1;
    for (const BlockList::Entry& e : board.LiveBlocks()) {
        if (e.index <= lastLiveIndex)
            return QStringLiteral("LiveBlocks out of creation order at %1").arg(e.index);
        lastLiveIndex = e.index;
        if (!board.block(e.index).present)
            return QStringLiteral("spent block %1 in LiveBlocks").arg(e.index);
    }
    for (int i = 0; i < board.blockCount(); ++i) {
        const BlockRec& b = board.block(i);
        if (b.index != i || b.key != blockKey(b.type, i))
            return QStringLiteral("record %1 has index %2 key %3")
                .arg(i)
                .arg(b.index)
                .arg(QString::fromStdString(b.key));
        if (board.cellAt(b.col, b.row) != i)
            return at(b) + QStringLiteral(" is not in its cell");
        if (b.x != b.col * board.blockWidth() || b.y != b.row * board.blockHeight())
            return at(b) + QStringLiteral(" at pixel (%1,%2)").arg(b.x).arg(b.y);
        if (b.present != kTrue && b.present != kFalse)
            return at(b) + QStringLiteral(" has present flag %1").arg(b.present);
        if (bool(b.present) != board.LiveBlocks().contains(b.key))
            return at(b) +
                   QStringLiteral(" present %1 but LiveBlocks says otherwise").arg(b.present);
        if (!b.present && b.marked != kTrue)
            return at(b) + QStringLiteral(" is spent but unmarked");
        if (b.present && betweenMoves && b.marked)
            return at(b) + QStringLiteral(" is present and marked");
        present += b.present ? 1 : 0;
    }
    if (present != board.LiveBlocks().count())
        return QStringLiteral("%1 present blocks, LiveBlocks holds %2")
            .arg(present)
            .arg(board.LiveBlocks().count());
    if (!betweenMoves)
        return {};

    if (board.blocksLeft() != present)
        return QStringLiteral("blocks left %1, present %2").arg(board.blocksLeft()).arg(present);
    bool emptyColumnSeen = false;
    for (int col = 0; col < cols; ++col) {
        bool blockAbove = false;
        for (int row = 0; row < rows; ++row) {
            const bool here = board.block(board.cellAt(col, row)).present;
            if (blockAbove && !here)
                return QStringLiteral("hole under a block at (%1,%2)").arg(col).arg(row);
            blockAbove = blockAbove || here;
        }
        if (blockAbove && emptyColumnSeen)
            return QStringLiteral("column %1 right of an empty column").arg(col);
        emptyColumnSeen = emptyColumnSeen || !blockAbove;
    }
    return {};
}

} // namespace tavro::test
