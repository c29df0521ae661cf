// The attribute dialog "FILE_ATTR" and the concatenation dialog "CATCOPY".
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "fileops/attributes.h"
#include "fileops/file_system.h"

namespace qrn {

// Shows form and hands back what was chosen; true on OK.
bool RunAttributeDialog(HINSTANCE instance, HWND owner, AttributeForm& form);

// The inputs to place in an order and the name to make (name first shows
// name); OK joins them in dir, and the dialog stays open on a refusal or a
// failure. True once the file was made; said then tells it.
bool RunConcatDialog(HINSTANCE instance, HWND owner, const std::string& dir, const std::vector<std::string>& inputs,
                     const std::string& name, FileSystem& fs, std::string& said);

}  // namespace qrn
