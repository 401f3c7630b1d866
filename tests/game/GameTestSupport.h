#pragma once

#include "errors/ErrorTrap.h"
#include "game/Board.h"
#include "game/Game.h"
#include "settings/GameSettings.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavro::test {

inline GameSettings settingsFor(int cols, int rows, int blocksToClick = 2, int blockTypes = 4) {
    GameSettings s;
    s.Cols = static_cast<int16_t>(cols);
    s.Rows = static_cast<int16_t>(rows);
    s.BlocksToClick = static_cast<int16_t>(blocksToClick);
    s.BlockTypes = static_cast<int16_t>(blockTypes);
    s.BlockWidth = 50;
    s.BlockHeight = 50;
    s.Background = -1;
    s.Sound = -1;
    return s;
}

// Rows from the top, one digit per cell.
inline std::vector<int16_t> typesOf(const QStringList& rows) {
    std::vector<int16_t> types;
    for (const QString& row : rows)
        for (QChar c : row)
            types.push_back(static_cast<int16_t>(c.digitValue()));
    return types;
}

inline void load(Game& game, GameSettings& s, const QStringList& rows) {
    s.Rows = static_cast<int16_t>(rows.size());
    s.Cols = static_cast<int16_t>(rows.first().size());
    game.loadBoard(s.Cols, s.Rows, typesOf(rows));
}

// The board as rows of digits from the top, '.' for an empty cell.
inline QStringList picture(const Board& board) {
    QStringList rows;
    for (int row = 0; row < board.rows(); ++row) {
        QString line;
        for (int col = 0; col < board.cols(); ++col) {
            const BlockRec& b = board.block(board.cellAt(col, row));
            line += b.present ? QChar('0' + b.type) : QChar('.');
        }
        rows << line;
    }
    return rows;
}

// Counts failures reported through the error trap; the rules never expect one.
// Each failure leaves its procedure, as the default report would.
inline int& reportedErrors() {
    static int count = 0;
    return count;
}
inline void countReportedErrors() {
    reportedErrors() = 0;
    setErrorHandler([](const QString& module, const QString& procedure, const Failure& f) {
        ++reportedErrors();
        qWarning("error %d in %s.%s line %d: %s", f.number, qPrintable(module),
                 qPrintable(procedure), f.line, qPrintable(f.description));
        return static_cast<int>(Continue::Leave);
    });
}

// Pixel centre of a cell.
inline double centre(int cell) {
    return cell * 50.0 + 25.0;
}

} // namespace tavro::test
