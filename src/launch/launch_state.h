// State of opening and executing entries shared with the rest of the program.
#pragma once
#include "listing/sjis.h"

namespace qrn {

struct LaunchState {
    char RememberedDir[kPathSize] = {};  // one remembered directory for the run; empty when none
};

inline LaunchState g_launch;

}  // namespace qrn
