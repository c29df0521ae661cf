// The system's file functions behind the file operations.
#pragma once
#include <string>

#include "fileops/attributes.h"
#include "fileops/file_system.h"

namespace qrn {

class Win32FileSystem : public FileSystem {
public:
    FileStat Stat(const std::string& path) override;
    bool Identity(const std::string& path, FileId& id) override;
    std::string RealPath(const std::string& path) override;
    std::uint64_t FreeBytes(const std::string& path) override;
    bool List(const std::string& dir, std::vector<DirItem>& items) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveDir(const std::string& path) override;
    bool IsLink(const std::string& path, std::uint32_t attributes) override;
    bool RemoveLink(const std::string& path) override;
    std::uint64_t AllocatedSize(const std::string& path, std::uint64_t size) override;
    bool RemoveFile(const std::string& path) override;
    bool Recycle(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool SetLabel(const std::string& root, const std::string& label) override;
    bool GetTimes(const std::string& path, FileTimes& times) override;
    bool SetTimes(const std::string& path, const FileTimes& times) override;
    FileHandle OpenRead(const std::string& path) override;
    FileHandle CreateNew(const std::string& path, std::uint32_t attributes) override;
    FileHandle OpenExisting(const std::string& path) override;
    bool Read(FileHandle h, void* buffer, std::size_t size, std::size_t& got) override;
    bool Write(FileHandle h, const void* buffer, std::size_t size) override;
    bool SetWriteTime(FileHandle h, std::uint64_t writeTime) override;
    bool Flush(FileHandle h) override;
    bool Close(FileHandle h) override;
    unsigned LastError() override;

private:
    unsigned error_ = 0;
    std::string linkParent_, linkParentReal_;  // the last parent IsLink resolved, and when
    unsigned long linkParentAt_ = 0;
};

// The program's file system, and the system's local time zone.
FileSystem& SystemFileSystem();
LocalClock& SystemClock();

}  // namespace qrn
