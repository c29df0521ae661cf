// What opening, executing and the input line say to the user: titles,
// messages and questions.
#pragma once

namespace qrn {

constexpr const char* kLaunchErrorTitle = "Error!!";
constexpr const char* kCommandTooLong = "コマンドラインが長すぎるため実行できません。";
constexpr const char* kPathTooLong = "パスが長すぎるため移動できません。";
constexpr const char* kMaskTooLong = "マスクは15文字までです。";

// Enter on ".": remember the directory (the text follows "%s ==> %s").
constexpr const char* kRememberQuestion = "\r\r記憶する　　[はい]\rクリアする　[キャンセル]\r何もしない　[いいえ]";
constexpr const char* kRememberTitle = "記憶ディレクトリ";
// A program the system knows for the file (the text follows its path).
constexpr const char* kRegisterQuestion = "\r\rＱＲＮの拡張子連動として登録しますか？";
constexpr const char* kRegisterTitle = "拡張子連動の登録";

// Titles of the one-line input dialog.
constexpr const char* kEditTitle = "ファイルの編集";
constexpr const char* kExecuteTitle = "コマンド実行";
constexpr const char* kShellCommandTitle = "Shell Command";
constexpr const char* kFindTitle = "File Find  Input WildCard or FileName";
constexpr const char* kRenameTitle = "ファイル名の変更";

// Registered commands and directories.
constexpr const char* kCommandListTitle = "登録コマンド";
constexpr const char* kDirectoryListTitle = "登録ディレクトリ";
constexpr const char* kCommandWindowClass = "QRN CmdWindow";
constexpr const char* kEntrySeparator = "  ;";  // between an entry's text and its comment
constexpr const char* kRegisterCommandsTitle = "登録コマンドの設定";
constexpr const char* kPageNotChanged = "ﾍﾟｰｼﾞ変更はできません。";
constexpr const char* kEntryTooLong = "長すぎるので登録できません。";
constexpr const char* kNotStarted = "起動できませんでした: ";  // then the command line
constexpr const char* kRegisterDialog = "DIRECTORY";

// Shortcuts.
constexpr const char* kShortcutTitle = "ｼｮｰﾄｶｯﾄの作成";
constexpr char kShortcutFilter[] = "すべてのﾌｧｲﾙ (*.*)\0*.*\0";
constexpr const char* kShortcutFailed = "ショートカットの作成に失敗";
constexpr const char* kShortcutErrorTitle = "Error";
constexpr const char* kShortcutReplace = " は既にあります。置き換えますか？";  // after the path

// Dialog templates and help keywords.
constexpr const char* kInputDialog = "FILE_NAME";
constexpr const char* kExtDialog = "EXT";
constexpr const char* kExtHelpKeyword = "拡張子連動";

}  // namespace qrn
