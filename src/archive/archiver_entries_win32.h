// The entry points of the archiver libraries as QRN calls them: stdcall in
// the 32-bit program (the 64-bit build has one calling convention), exported
// under their plain names.
#pragma once
#include <windows.h>

namespace qrn {

using ArchiverVersionEntry = WORD(WINAPI*)();
using ArchiverRunningEntry = BOOL(WINAPI*)();
using ArchiverModeEntry = BOOL(WINAPI*)(BOOL mode);
using ArchiverMainEntry = int(WINAPI*)(HWND owner, LPCSTR line, LPSTR output, DWORD size);
using IshMainEntry = int(WINAPI*)(LPCSTR line, LPSTR output, DWORD size);  // no owner window

constexpr DWORD kArchiverOutputSize = 1024;  // what the libraries may write back; never read

}  // namespace qrn
