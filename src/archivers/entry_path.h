// The place an archive's entry goes: only ever below the target directory.
#pragma once
#include <string>

namespace qrn {

// The entry's name as a relative path with backslashes ('/' and '\' both
// separate, a 0x5C trail byte does not), "." parts dropped. False for a name
// that would leave the target: "..", also as the system reads ".. " or
// "...", a leading separator, a drive letter, a
// colon anywhere, a device name (CON, NUL, COM1 ...), or nothing at all.
bool SafeEntryPath(const std::string& name, std::string& relative);

}  // namespace qrn
