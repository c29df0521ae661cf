// What the application shell says to the user: titles, questions, messages.
#pragma once
#include "resources/resource_ids.h"

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
struct Tooltip {
    int id;
    const char* text;
};
constexpr Tooltip kTooltips[] = {
    {CMD_ABOUT, "バージョン情報"},
    {CMD_ATTRIBUTES, "ファイル属性の変更(A)"},
    {CMD_COPY, "ファイルのコピー(C)"},
    {CMD_DELETE, "ファイルの削除(D)"},
    {CMD_NEXT_PAGE, "次のページ(ROLL-UP)"},
    {CMD_EDIT, "ファイルの編集(E)"},
    {CMD_FIND, "ファイルの検索(F)"},
    {CMD_HELP, "ヘルプ(f･1)"},
    {CMD_MKDIR, "ディレクトリの作成(K)"},
    {CMD_MOVE, "ファイルの移動(M)"},
    {CMD_PACK, "ファイルの圧縮(P)"},
    {CMD_QUIT, "終了(Q)"},
    {CMD_RENAME, "ファイル名の変更(R)"},
    {CMD_UNPACK, "ファイルの解凍(U)"},
    {CMD_PREVIOUS_PAGE, "前のページ(ROLL-DOWN)"},
    {CMD_VIEW, "ファイル内容閲覧(V)"},
    {CMD_SHORTCUT, "ショートカットの作成(CTRL+ALT+S)"},
};

}  // namespace qrn
