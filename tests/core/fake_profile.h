// An in-memory qrn.ini with the semantics of the Windows profile functions,
// parsed from and written back to text.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "base/profile.h"
#include "listing/list_view.h"

namespace qrn::test {

class FakeProfile : public Profile {
public:
    explicit FakeProfile(const std::string& text = "");
    int GetInt(const char* section, const char* key, int def) override;
    std::size_t GetString(const char* section, const char* key, const char* def, char* out,
                          std::size_t size) override;
    void WriteString(const char* section, const char* key, const char* value) override;
    std::vector<std::string> SectionKeys(const char* section) override;
    // The value, or null when absent.
    const std::string* Find(const std::string& section, const std::string& key) const;
    bool Has(const std::string& section, const std::string& key) const {
        return Find(section, key) != nullptr;
    }
    int writes = 0;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> sections_;
    Section* FindSection(const std::string& name);
};

}  // namespace qrn::test

namespace qrn::test {
// A listing for a test: too large for the stack, so one lives for the run.
inline qrn::Listing& TestListing() {
    static qrn::Listing listing;
    return listing;
}
}  // namespace qrn::test
