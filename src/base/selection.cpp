#include "base/selection.h"

namespace qrn {

namespace {

int Qualifying(const EntryTable& t, RowKind kind, bool markedOnly) {
    int n = 0;
    for (int i = 0; i < t.EntryCount; ++i) n += (!markedOnly || t.rows[i].mark) && EntryQualifies(t, i, kind);
    return n;
}

bool MarkedAfter(const EntryTable& t, int row) {
    for (int i = row + 1; i < t.EntryCount; ++i)
        if (t.rows[i].mark) return true;
    return false;
}

}  // namespace

SelectionTally WalkSelection(EntryTable& t, int cursor, const SelectionWalk& walk,
                             const std::function<RowOutcome(int row)>& work) {
    SelectionTally tally;
    tally.marked = t.MarkedCount > 0;
    int total = 1, walked = 0;
    if (walk.walked && (tally.marked || walk.unmarked == WhenUnmarked::EveryRow))
        total = Qualifying(t, walk.kind, tally.marked);
    auto one = [&](int row) {
        const RowOutcome outcome = work(row);
        if (walk.walked) walk.walked(++walked, total);
        if (outcome == RowOutcome::Done) ++tally.done;
        if (outcome == RowOutcome::Failed) ++tally.failed;
        if (outcome == RowOutcome::PassedOver) ++tally.passedOver;
        tally.stopped = outcome == RowOutcome::Stop || (walk.stopAfterRow && walk.stopAfterRow());
        return outcome;
    };
    if (!tally.marked) {
        if (walk.unmarked == WhenUnmarked::CursorRow) {
            if (cursor >= 0 && cursor < t.EntryCount && EntryQualifies(t, cursor, walk.kind)) one(cursor);
        } else if (walk.unmarked == WhenUnmarked::EveryRow) {
            for (int row = 0; row < t.EntryCount && !tally.stopped; ++row)
                if (EntryQualifies(t, row, walk.kind)) one(row);
        }
        return tally;
    }
    for (int row = 0; row < t.EntryCount; ++row) {
        if (!t.rows[row].mark) continue;
        if (!EntryQualifies(t, row, walk.kind)) {
            if (walk.dropMarks) SetMark(t, row, false);
            continue;
        }
        const RowOutcome outcome = one(row);
        if (tally.stopped) break;
        if (walk.dropMarks) {
            SetMark(t, row, false);
            if (walk.countsChanged) walk.countsChanged();
        }
        const bool more = walk.dropMarks ? t.MarkedCount > 0 : MarkedAfter(t, row);
        if (!more) break;
        if (outcome == RowOutcome::Failed && walk.goOnAfterFailure && !walk.goOnAfterFailure()) {
            tally.stopped = true;
            break;
        }
    }
    if (walk.dropMarks) {
        ClearAllMarks(t);
        if (walk.countsChanged) walk.countsChanged();
    }
    return tally;
}

}  // namespace qrn
