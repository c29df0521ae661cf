// The rows a command works through: the marked rows in table order, else the
// cursor row (or every row, or none), of the kinds the command accepts.
// Marks drop row by row as their work is done, the counts on the screen
// follow, and after a failed row the user says whether the rest follow.
#pragma once
#include <functional>

#include "base/entry_table.h"

namespace qrn {

// What the work on one row came to; Stop ends the walk there.
enum class RowOutcome { PassedOver, Done, Failed, Stop };

// What is walked when nothing is marked.
enum class WhenUnmarked { CursorRow, EveryRow, Nothing };

struct SelectionWalk {
    RowKind kind = RowKind::Any;                 // rows of other kinds are left out (a marked one loses its mark)
    WhenUnmarked unmarked = WhenUnmarked::CursorRow;
    bool dropMarks = true;                       // false: the marks stay as they are
    std::function<bool()> stopAfterRow;          // true ends the walk after the row just worked (Cancel)
    std::function<bool()> goOnAfterFailure;      // asked after a failed row while marked rows remain
    std::function<void()> countsChanged;         // the mark counts changed
    std::function<void(int done, int total)> walked;  // after each row: rows worked, of how many
};

struct SelectionTally {
    int done = 0, failed = 0, passedOver = 0;
    bool marked = false;   // the marked rows were walked
    bool stopped = false;  // the walk ended early (Stop, stopAfterRow or the user's answer)
};

SelectionTally WalkSelection(EntryTable& t, int cursor, const SelectionWalk& walk,
                             const std::function<RowOutcome(int row)>& work);

}  // namespace qrn
