// What the archive commands say to the user: the libraries' messages, the
// titles of their windows and prompts, the spoken summaries.
#pragma once

namespace qrn {

constexpr const char* kArchiverMessageTitle = " 確認 ";  // a blank either side
// After the library's file name.
constexpr const char* kArchiverUnusable = " は使用できません。";
constexpr const char* kArchiverWrongVersion = " のバージョンが違います。";
constexpr const char* kArchiverRunning = " は現在実行中です。";

// Unpacking.
constexpr const char* kUnpackDriveTitle = "Unpack File";
constexpr const char* kUnpackOpeningTitle = "File UnPack";  // the destination window's until it is drawn
constexpr const char* kSubdirectoryTitle = "確認";
constexpr const char* kSubdirectoryQuestion = "書庫名のディレクトリを作成しますか？";

// Packing.
constexpr const char* kLzhNameTitle = "圧縮ファイル名の入力";
constexpr const char* kTarNameTitle = "Tarファイル名の入力";
constexpr const char* kIshNameTitle = "Ishファイル名の入力";
constexpr const char* kIshDriveTitle = "ISH File Make";
constexpr const char* kResponseFileTitle = "エラー";
constexpr const char* kResponseFileFailed = "一時ファイルが開けません！";

// Spoken when a command has run: how many archives or entries the library
// took, and how many it answered with a failure.
constexpr const char* kSaidUnpacked = "%d件を解凍しました";
constexpr const char* kSaidFailed = "。%d件は失敗しました";
constexpr const char* kSaidPacked = "%d件を書庫にしました";
constexpr const char* kSaidNotPacked = "書庫を作成できませんでした";
constexpr const char* kSaidEncoded = "%d件をISHにしました";

}  // namespace qrn
