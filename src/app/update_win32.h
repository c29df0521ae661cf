// Update mode: a new copy of the program replaces the installed executable.
#pragma once
#include "base/startup.h"

namespace qrn {

struct UpdateTiming {
    unsigned pauseMs = 100;      // between attempts while the target is held
    unsigned giveUpMs = 30000;   // then the update is given up
};

// Copies source over target (retrying while the target is held), deletes the
// source for mode 2 and starts the target. True when the target was started;
// otherwise record.pending stays set and failure holds the text to show.
bool RunUpdate(PendingUpdateRecord& record, char* failure, std::size_t failureSize,
               const UpdateTiming& timing = UpdateTiming{});

}  // namespace qrn
