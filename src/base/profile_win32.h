// qrn.ini through the system's private-profile functions.
#pragma once
#include "base/profile.h"

namespace qrn {

class IniFileProfile : public Profile {
public:
    explicit IniFileProfile(const char* path) : path_(path) {}
    int GetInt(const char* section, const char* key, int def) override;
    std::size_t GetString(const char* section, const char* key, const char* def, char* out,
                          std::size_t size) override;
    void WriteString(const char* section, const char* key, const char* value) override;
    std::vector<std::string> SectionKeys(const char* section) override;
    // The file's last write time and size, and the writes made through this
    // object; 0 while the file was written less than 2 s ago (a time of that
    // age may not have moved on since: FAT keeps times to 2 s).
    std::uint64_t ChangeStamp() override;
    bool TakeWriteFailure() override;

private:
    const char* path_;
    std::uint64_t writes_ = 0;
    bool failed_ = false;
};

}  // namespace qrn
