// What the file operations say to the user: titles, messages, questions and
// the spoken summaries.
#pragma once

namespace qrn {

constexpr const char* kConfirmTitle = "確認";
constexpr const char* kErrorTitle = "エラー";

// The copy and move commands: titles of the drive and destination windows, their questions.
constexpr const char* kCopyTitle = "File Copy";
constexpr const char* kMaskCopyTitle = "Mask File Copy";
constexpr const char* kMirrorCopyTitle = "Mirror Copy";
constexpr const char* kMoveTitle = "File Move";
constexpr const char* kMaskPatternTitle = "Mask Copy Pattern Input WildCard";
constexpr const char* kMirrorQuestion = "削除を伴うコピーです。";

// The copy and move commands row by row.
constexpr const char* kRowErrorTitle = "Error!!";
constexpr const char* kCopyStopped = "\r\rコピーを中断しました。\r";        // after the row's path
constexpr const char* kCopyFailed = "\r\rコピーに失敗しました。\r";
constexpr const char* kCopyContinue = "残りのファイルのコピーを続けますか？";
constexpr const char* kMoveStopped = "\r\rファイルの移動を中断しました。\r";
constexpr const char* kMoveFailed = "\r\rファイルの移動に失敗しました。\r";
constexpr const char* kMoveContinue = "残りのファイルの移動を続けますか？";
constexpr const char* kMoveFailedContinue = "移動に失敗しました。\r\r残りのファイルの移動を続けますか？";
constexpr const char* kMoveIntoItself = "\r\rディレクトリをそれ自身の中へは移動できません。";
constexpr const char* kLinkNotMoved = "\r\rリンクは移動できません。元の場所に残しました。";
constexpr const char* kLinkNotDeleted = "\r\rリンクは削除できません。リンク先に触れずに消す方法がないため、元の場所に残しました。";
constexpr const char* kLinksLeft = "\r\r次のリンクは削除できないため残しました:";  // then one path a line
constexpr const char* kMirrorRootLink = "\r\rコピー先がリンクのため同一化複写はできません。";
// Mirror copy.
constexpr const char* kMirrorErrorTitle = "MorrorCopy Error!";
constexpr const char* kPruneStopped = "ファイルの削除を中断しました。";
constexpr const char* kPruneFailed = "ファイルの削除で失敗しました。";
constexpr const char* kMirrorCopyStopped = "コピーを中断しました。";
constexpr const char* kMirrorCopyFailed = "コピーに失敗しました。";
constexpr const char* kMirrorOverlap = "\r\r元と先が重なっているため同一化複写はできません。";  // after both roots
constexpr const char* kErrorListHeading = "ミラーコピー  エラーリスト";
constexpr const char* kErrorListUnreadable = "ログファイルが開けない";

// Copying.
constexpr const char* kStatusTitle = "しばらくお待ち下さい。。。";
constexpr const char* kCopyFailedContinue = "コピーに失敗しました。\r\r残りのファイルのコピーを続けますか？";
constexpr const char* kWriteProtected = "書き込み禁止です。\r\r処理を続けますか？";
constexpr const char* kMediaChange = "空き容量が不足しています。\r\rメディアを交換しますか？";
constexpr const char* kNewNameTitle = "ファイル名の変更";
constexpr const char* kRenameErrorTitle = "リネームのエラー";
constexpr const char* kNameExists = "\rその名前は既に存在します。";                 // after the path
constexpr const char* kLogNotOpened = "QRN_TextFileOut 一時ファイルが開けません！";
constexpr const char* kLogPrefix = "QRN";
constexpr const char* kProgressCopy = "%s\r\n   v v v\r\n%s";
constexpr const char* kProgressFree = "\r\n        FreeSpace %s Bytes";
constexpr const char* kProgressDelete = "\r\n\r\nDelete %s";
constexpr const char* kProgressPercent = "\r\n        %3d %%";
// The directory named first, then this: a copy into itself is refused.
constexpr const char* kIntoItself = "\r\rディレクトリをそれ自身の中へはコピーできません。";
// After the target's path: only an overwrite in place fits, which loses the old file if it fails.
constexpr const char* kInPlaceRisk =
    "\r\r空き容量が足りないため、古いファイルを残したまま置き換えることができません。"
    "\r上書きすると、コピーが途中で失敗した場合に古いファイルは失われます。\r\r上書きしますか？";
constexpr const char* kEntryPathTooLong = "\r\rパスが長すぎるため処理できません。";     // after the path

// Deleting.
constexpr const char* kDeleteTitle = "Delete";
constexpr const char* kDeleteStatusTitle = "File Delete";
constexpr const char* kVolumeLabelRow = "\r\rVolumeLabel!!";
constexpr const char* kSystemFile = "\r\rSystem File!!";
constexpr const char* kReadOnlyFile = "\r\rRead Only File!!";
constexpr const char* kHiddenFile = "\r\rHiddn File!!";
constexpr const char* kDeleteStopped = "\r\r削除を中断しました。";
constexpr const char* kDeleteFailed = "\r\r削除に失敗しました。";
constexpr const char* kDeleteContinue = "残りのファイルの削除を続けますか？";
constexpr const char* kDeleteFailedContinue = "削除に失敗しました。\r\r残りのファイルの削除を続けますか？";
constexpr const char* kBinRefused = "\r\rごみ箱へ移せません。完全に削除しますか？";  // after the path

// Renaming, making a directory, the volume label.
constexpr const char* kRenameFailedTitle = "Error!";
constexpr const char* kRenameExists = "Can't rename ! Already exists";
constexpr const char* kRenameFailed = "Can't rename !";
constexpr const char* kMakeDirectoryTitle = "ディレクトリの作成";
constexpr const char* kVolumeLabelTitle = "ボリュームラベルの作成";
constexpr const char* kLabelErrorTitle = "Error";
constexpr const char* kLabelTooLong = "ボリュームラベルは１１バイト以内です";

// Spoken once a command has ended.
constexpr const char* kSaidDeleted = "%d件削除しました";
constexpr const char* kSaidDeletedFailed = "%d件削除しました。%d件は削除できませんでした";
constexpr const char* kSaidDeletedInside = "。削除できなかったディレクトリの中の%d個は削除しました";
constexpr const char* kSaidNothingDeleted = "削除しませんでした";
constexpr const char* kSaidRecycled = "%d件ごみ箱へ移しました";
constexpr const char* kSaidAlsoDeleted = "。%d件は完全に削除しました";
constexpr const char* kSaidNotDeleted = "。%d件は削除できませんでした";
constexpr const char* kSaidCopied = "%d件コピーしました";
constexpr const char* kSaidCopiedFailed = "%d件コピーしました。%d件はコピーできませんでした";
constexpr const char* kSaidNothingCopied = "コピーしませんでした";
constexpr const char* kSaidPassedOver = "。%d件はそのままにしました";
constexpr const char* kSaidLeftAsItWas = "%d件はそのままにしました";
constexpr const char* kSaidMoved = "%d件移動しました";
constexpr const char* kSaidMovedFailed = "%d件移動しました。%d件は移動できませんでした";
constexpr const char* kSaidNothingMoved = "移動しませんでした";
constexpr const char* kSaidMirrored = "同一化複写しました。%d件コピー、%d件削除しました";
constexpr const char* kSaidMirroredRecycled = "同一化複写しました。%d件コピー、%d件ごみ箱へ移しました";
constexpr const char* kSaidMirroredFailed = "同一化複写しました。%d件コピー、%d件削除、%d件は失敗しました";
constexpr const char* kSaidMirrorStopped = "同一化複写を中断しました";
constexpr const char* kSaidRenamed = "%d件名前を変えました";
constexpr const char* kSaidDirectoryMade = "ディレクトリ %s を作りました";
constexpr const char* kSaidDirectoryNotMade = "ディレクトリを作れませんでした";
constexpr const char* kSaidLabelSet = "ボリュームラベルを %s にしました";
constexpr const char* kSaidLabelRemoved = "ボリュームラベルを消しました";

// Attributes and times.
constexpr const char* kAttributesRefused = "\r\r属性を変更できませんでした。";   // after the path
constexpr const char* kTimesRefused = "\r\r日付を変更できませんでした。";
constexpr const char* kLinkAttributesKept = "\r\rリンクの属性と日付は変更しません。リンク先が変わってしまうためです。";
constexpr const char* kOthersRefused = "\r（ほかに%d件）";
constexpr const char* kSaidAttributes = "%d件の属性を変更しました";
constexpr const char* kSaidAttributesRefused = "%d件の属性を変更しました。%d件は変更できませんでした";

// Total size.
constexpr const char* kSizeDoneTitle = "ファイルサイズ集計完了！！";
constexpr const char* kSizeProgress = "       %s\r\n       %s\r\n       ファイル数";
constexpr const char* kSizeCountHead = "       ファイル数";
constexpr const char* kSizeTotalHead = "%s\r\n       サイズ合計";   // after the count
constexpr const char* kSizeBytes = "%s Bytes";
constexpr const char* kSizeKilobytes = "\r\n            %s KB";
constexpr const char* kSizeMegabytes = "\r\n            %s MB";
constexpr const char* kSaidTotalSize = "%s件、%sバイト";
constexpr const char* kSaidTotalSizeStopped = "集計を中断しました";

// Concatenation.
constexpr const char* kConcatOrderMissing = "対象ﾌｧｲﾙの連結順を全て指定してください。";
constexpr const char* kConcatNameMissing = "連結ファイル名を指定してください。";
constexpr const char* kConcatExists = "はすでに存在します。\r書き換えますか？";   // after the name
constexpr const char* kConcatTempFailed = "一時ファイルのオープンに失敗";
constexpr const char* kConcatInputFailed = "が開けません！！";                   // after the input's path
constexpr const char* kConcatWriteFailed = "書き込みエラー！！";                 // after the target's path
constexpr const char* kConcatReplaceFailed = "\r\r置き換えられませんでした。元のファイルはそのままです。";
constexpr const char* kSaidConcatenated = "%d件を連結して %s を作りました";

// Dropped files.
constexpr const char* kDropTitle = "  確認  ";
constexpr const char* kDropCopyQuestion = "コピーしますか？";
constexpr const char* kDropMoveQuestion = "移動しますか？";

}  // namespace qrn
