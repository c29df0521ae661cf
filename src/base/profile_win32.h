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
    // The file's last write time and size.
    std::uint64_t ChangeStamp() override;

private:
    const char* path_;
};

}  // namespace qrn
