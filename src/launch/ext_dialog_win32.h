// The dialog "EXT": the commands linked to file extensions, kept in the
// section EXP_EXEC of qrn.ini as lines "EXT=command".
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/profile.h"

namespace qrn {

// Control ids of the dialog template.
constexpr int kExtAdd = 1001;      // 追加
constexpr int kExtChange = 1002;   // 変更 (two steps: take a line, put it back)
constexpr int kExtDelete = 1003;   // 削除
constexpr int kExtWrite = 1004;    // 更新: writes the section and closes
constexpr int kExtBrowse = 1005;   // 参照
constexpr int kExtHelp = 1006;
constexpr int kExtName = 1035;     // extension field
constexpr int kExtCommand = 1036;  // command field
constexpr int kExtList = 1043;

constexpr std::size_t kExtLineSize = 1024;  // one "EXT=command" line with its NUL

// Runs the modal dialog over the EXP_EXEC section of ini, which is written
// only by 更新.
void RunExtDialog(HINSTANCE instance, HWND owner, Profile& ini, const char* helpPath);

// Splits a line at its first "=" (never inside a double-byte character).
// Without "=" the whole line is the key and the value is empty. Parts that do
// not fit are cut at a character boundary.
void SplitExtLine(const char* line, char* key, std::size_t keySize, char* value,
                  std::size_t valueSize);

}  // namespace qrn
