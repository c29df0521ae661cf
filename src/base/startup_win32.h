// The system facts that start-up and the directory reader read from Windows.
#pragma once
#include "base/startup.h"

namespace qrn {

// The version through GetVersionExA; all zero when it cannot be read.
SystemVersion ReadSystemVersion();

// The kind of every drive letter (DriveTypeTable).
void BuildDriveTypes(char table[26]);

}  // namespace qrn
