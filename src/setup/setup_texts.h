// What the setup dialogs say and show.
#pragma once

namespace qrn {

constexpr const char* kArchiverSetupDialog = "LZH_SETUP";
constexpr const char* kBinColorDialog = "BIN_COLOR";
constexpr const char* kAboutDialog = "About";
constexpr const char* kBaseSetupDialog = "BASE_SETUP";
constexpr const char* kDirSetupDialog = "DIR_SETUP";
constexpr const char* kDisplaySetupDialog = "DISP_SETUP";
constexpr const char* kColorSetupDialog = "COLOR_SETUP";
constexpr const char* kNoFont = "フォントが設定されていません。";
constexpr const char* kFontTooLong = "フォント名が長すぎます（63バイトまで）。";
constexpr const char* kFontErrorTitle = "Error!";
constexpr const char* kAboutVersion = "QRN ファイラー  Version ";  // then the version
constexpr const char* kNotWritten = "qrn.ini に書き込めませんでした。設定は保存されていません。";
constexpr const char* kNotWrittenTitle = "Error!";
// The value of each colour button of BIN_COLOR: the colour number, then a comment.
constexpr const char* kBinColorValues[8] = {"0  ;黒", "1  ;青", "2  ;赤", "3  ;紫", "4  ;緑", "5  ;水色", "6  ;黄色", "7  ;白"};
constexpr const char* kBinColorEnd = "<BIN_COLOR>";  // a value that ends the list

}  // namespace qrn
