// What the pager says to the user.
#pragma once

namespace qrn {

constexpr const char* kPagerClass = "QRN Pager";
constexpr const char* kPagerNoFile = "ファイルは存在しません。";
constexpr const char* kPagerErrorTitle = "Error!!";
constexpr const char* kPagerFallbackEditor = "notepad.exe";

}  // namespace qrn
