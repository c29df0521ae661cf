// Temporary directory trees for the tests, removed again at the end.
#pragma once
#include <string>

namespace qrntest {

class TempTree {
public:
    TempTree();  // a new, empty directory below the system's temporary folder
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // Full path of the tree, with a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

    void File(const std::string& name, const std::string& content = "x", unsigned attributes = 0) const;
    void Dir(const std::string& name) const;

private:
    std::string path_;
};

// Removes a directory and everything below it.
void RemoveTree(const std::string& dir);

// A drive letter the test runner mapped (QRN_TEST_<name>_DRIVE), or '\0'.
char MappedDrive(const char* name);

// The folder of the running test program, without a trailing backslash.
std::string TestProgramFolder();

}  // namespace qrntest
