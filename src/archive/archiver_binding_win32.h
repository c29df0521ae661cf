// The binding of the archiver libraries: each loaded by its file name for
// one command (the user's first; the program's own in the folder
// "archivers" beside it only where the user has none), its entry points and
// version checked, released when the command is done.
#pragma once
#include <windows.h>

#include "archive/archive_commands.h"

namespace qrn {

class ArchiverBinding : public ArchivePlatform {
public:
    std::unique_ptr<Archiver> Load(void* owner, ArchiverKind kind) override;
    // In the system's temporary folder, named "QRN....TMP" in capitals.
    bool WriteTemporary(const std::string& text, std::string& path) override;
    void Remove(const std::string& path) override;
};

// The loaders of the five libraries: null after the message of the row
// (" は使用できません。" for a library that is missing or lacks an entry
// point, " のバージョンが違います。" for one below the row's minimum).
std::unique_ptr<Archiver> LoadUnlha(HWND owner);
std::unique_ptr<Archiver> LoadUnzip(HWND owner);
std::unique_ptr<Archiver> LoadCab(HWND owner);
std::unique_ptr<Archiver> LoadTar(HWND owner);
std::unique_ptr<Archiver> LoadIsh(HWND owner);

}  // namespace qrn
