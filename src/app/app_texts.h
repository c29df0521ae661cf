// What the application shell says to the user: titles, questions, messages.
#pragma once

namespace qrn {

constexpr const char* kMainTitle = "QRN";
constexpr const char* kMainTitleFormat = "QRN - %s%s";      // directory and mask
constexpr const char* kQuestionTitle = "確認";
constexpr const char* kQuitQuestion = "終了しますか？";
constexpr const char* kUpdateFailedTitle = "バージョンアップに失敗しました。";
constexpr const char* kUpdateQuestion = "QRN を更新しますか？";
constexpr const char* kUpdateStartFailed = "コピー元のQRNの起動に失敗しました。";
constexpr const char* kCustomizerFailed = "QRNカスタマイザーの起動に失敗しました。";
constexpr const char* kArcScopeFailed = "ArcScope の起動に失敗しました。";
constexpr const char* kHelpKeyword = "ＱＲＮの使い方";
constexpr const char* kIconTip = "QRN";
constexpr const char* kStatusFree = "Free";
constexpr const char* kStatusTotal = "Total";
constexpr const char* kStatusUsed = "Used";
constexpr const char* kStartBanner = "START_BANNER";

// Companion programs of the program folder.
constexpr const char* kCustomizerFormat = "%s\\qrn_cust.exe /W%x";          // folder, window
constexpr const char* kArcScopeFormat = "%s\\ArcScope.exe \"-W\" \"%s%s\"";  // folder, directory, name

// Tooltips of the toolbar buttons.
constexpr const char* kTipAbout = "バージョン情報";
constexpr const char* kTipAttributes = "ファイル属性の変更(A)";
constexpr const char* kTipCopy = "ファイルのコピー(C)";
constexpr const char* kTipDelete = "ファイルの削除(D)";
constexpr const char* kTipNextPage = "次のページ(ROLL-UP)";
constexpr const char* kTipEdit = "ファイルの編集(E)";
constexpr const char* kTipFind = "ファイルの検索(F)";
constexpr const char* kTipHelp = "ヘルプ(f･1)";
constexpr const char* kTipMkdir = "ディレクトリの作成(K)";
constexpr const char* kTipMove = "ファイルの移動(M)";
constexpr const char* kTipPack = "ファイルの圧縮(P)";
constexpr const char* kTipQuit = "終了(Q)";
constexpr const char* kTipRename = "ファイル名の変更(R)";
constexpr const char* kTipUnpack = "ファイルの解凍(U)";
constexpr const char* kTipPreviousPage = "前のページ(ROLL-DOWN)";
constexpr const char* kTipView = "ファイル内容閲覧(V)";
constexpr const char* kTipShortcut = "ショートカットの作成(CTRL+ALT+S)";

}  // namespace qrn
