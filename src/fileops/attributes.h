// The attribute command: the four attribute bits and the three times of the
// marked rows, or of the cursor row, as the "FILE_ATTR" dialog shows and
// edits them.
#pragma once
#include <cstdint>
#include <string>

#include "fileops/file_system.h"
#include "listing/list_view.h"

namespace qrn {

// A time of day on the calendar of the local time zone.
struct CalendarTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// The system's conversions between its universal 100 ns counts and local
// calendar time; false where the system refuses (a date that does not exist).
class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual bool ToLocal(std::uint64_t universal, CalendarTime& local) = 0;
    virtual bool ToUniversal(const CalendarTime& local, std::uint64_t& universal) = 0;
};

// What the dialog shows and hands back: the boxes, and the fields as text
// ("%04d-%02d-%02d" and "%02d:%02d:%02d", local time).
struct AttributeForm {
    bool archive = false, readOnly = false, hidden = false, system = false;
    bool applyTimes = false;  // "日付の更新"
    bool timesEditable = false;  // the entry's own times were read: the fields can be edited
    std::string creationDate, creationTime, writeDate, writeTime, accessDate;
};

struct AttributeResult {
    int changed = 0, refused = 0;
    std::string said;  // the summary to speak
};

// The form for the first marked row, or the cursor row when none is marked.
AttributeForm OpenAttributeForm(const ListView& v, const char* dir, FileSystem& fs, LocalClock& clock);

// Applies the form to the marked rows in table order, or the cursor row: the
// bits of the boxes set or cleared, the others kept; with applyTimes the
// files (not directories) get the times of the first file that takes them,
// with the parts the fields give. Each row then shows what its entry has. A
// link is left as it is (what it is given would reach what it points to).
// An entry that kept other bits or times than asked is told once, at the
// end, with the first one's path. Marks stay.
AttributeResult ApplyAttributeForm(ListView& v, const char* dir, const AttributeForm& form, FileSystem& fs,
                                   LocalClock& clock, void* owner);

// Three numbers of a date or time field: digits make a number, blanks are
// passed over, anything else ends it; missing numbers are 0.
void ParseThreeNumbers(const char* text, std::uint16_t out[3]);

// The four-digit year of an MS-DOS date: years below 50 of the century are 20yy.
int DosYear(std::uint16_t date);

}  // namespace qrn
