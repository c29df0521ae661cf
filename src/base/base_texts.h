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

}  // namespace qrn
