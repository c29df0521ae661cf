// The files of QRN's own archiver libraries on Windows.
#pragma once
#include <windows.h>

#include "archivers/archive_files.h"

namespace qrn {

class Win32ArchiveFiles : public ArchiveFiles {
public:
    explicit Win32ArchiveFiles(HWND owner) : owner_(owner) {}
    std::unique_ptr<ByteSource> Open(const std::string& path) override;
    std::unique_ptr<NewFile> Create(const std::string& path) override;
    bool MakeDirectories(const std::string& path) override;
    void SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool Find(const std::string& path, FoundEntry& e) override;
    bool List(const std::string& dir, std::vector<FoundEntry>& entries) override;
    bool Inside(const std::string& path, const std::string& top) override;
    bool SameFile(const std::string& a, const std::string& b) override;
    std::string FromUtf8(const std::string& utf8) override;
    void Tell(const std::string& text) override;

private:
    HWND owner_;
};

}  // namespace qrn
