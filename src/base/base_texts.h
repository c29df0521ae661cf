// What the choosers shared by every subsystem show.
#pragma once

namespace qrn {

constexpr const char* kFileSelectTitle = "FileSelect";
constexpr const char* kDirSelectTitle = "DirSelect";
// The file chooser's filter: pairs of description and pattern; the literal's
// own NUL ends the list.
constexpr char kFileSelectFilter[] =
    "実行ファイル(*.exe)\0*.exe\0"
    "すべてのﾌｧｲﾙ (*.*)\0*.*\0";

// Said as a long operation passes each quarter.
constexpr const char* kQuarterTexts[3] = {"25パーセント", "50パーセント", "75パーセント"};

}  // namespace qrn
