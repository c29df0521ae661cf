// What QRN's own archiver libraries say to the user.
#pragma once

namespace qrn {

constexpr const char* kArchiverTitle = "QRN Archiver";
constexpr const char* kNotAnArchive = "書庫ファイルとして読めません: ";              // then the archive's path
constexpr const char* kArchiveDamaged = "書庫ファイルが壊れています: ";             // then the archive's path
constexpr const char* kEntryOutside = "展開先の外を指す名前なので展開しませんでした: ";  // then the entry's name
constexpr const char* kEntryNotWritten = "展開できませんでした: ";                 // then the entry's path
constexpr const char* kEntryDamaged = "壊れているので展開しませんでした: ";        // then the entry's path
constexpr const char* kArchiveNotOpened = "書庫ファイルが開けません: ";             // then the archive's path
constexpr const char* kArchiveNotWritten = "書庫ファイルを作成できませんでした: ";  // then the archive's path
constexpr const char* kEntryNotRead = "書庫に入れられませんでした: ";              // then the entry's path
constexpr const char* kLinkNotEntered = "リンクなので中身は書庫に入れませんでした: ";  // then the directory
constexpr const char* kEntryTooLarge = "4GBを超えるので書庫に入れられません: ";     // then the entry's path
constexpr const char* kUnknownCommand = "このコマンドは使えません: ";               // then the command line

}  // namespace qrn
