// Access to qrn.ini with the semantics of the Windows profile functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace qrn {

class Profile {
public:
    virtual ~Profile() = default;
    // Leading decimal number of the value; def when the key is missing.
    virtual int GetInt(const char* section, const char* key, int def) = 0;
    // The value cut to size-1 bytes; def when the key is missing. Returns the length.
    virtual std::size_t GetString(const char* section, const char* key, const char* def, char* out,
                                  std::size_t size) = 0;
    // Creates file, section or key as needed; a null key removes the section.
    virtual void WriteString(const char* section, const char* key, const char* value) = 0;
    // The key names of a section in file order; none when it is absent.
    virtual std::vector<std::string> SectionKeys(const char* section) = 0;
    // A value that changes whenever the file does (by anyone); 0 when that
    // cannot be told, and then nothing read from it may be kept.
    virtual std::uint64_t ChangeStamp() { return 0; }
    // Whether a write failed since the last time this was asked.
    virtual bool TakeWriteFailure() { return false; }

    void WriteInt(const char* section, const char* key, int value) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", value);
        WriteString(section, key, text);
    }
};

}  // namespace qrn
