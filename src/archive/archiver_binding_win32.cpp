#include "archive/archiver_binding_win32.h"

#include <cctype>
#include <vector>

#include "archive/archive_texts.h"
#include "archive/archiver_entries_win32.h"
#include "base/library_win32.h"
#include "base/prompts.h"

namespace qrn {

namespace {

// The folder "archivers" beside the program, with a trailing backslash.
std::string OwnArchiversFolder() {
    char exe[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    if (n == 0 || n >= sizeof exe) return std::string();
    const int slash = LastBackslash(exe);
    return std::string(exe, static_cast<std::size_t>(slash) + 1) + "archivers\\";
}

class LoadedArchiver final : public Archiver {
public:
    explicit LoadedArchiver(ArchiverKind kind) : kind_(kind) {
        const ArchiverRow& r = RowOf(kind);
        std::vector<EntryPoint> entries{{r.version, &version_}, {r.busy, &running_}};
        if (kind == ArchiverKind::Ish) {
            entries.emplace_back(r.main, &ish_);
        } else {
            entries.emplace_back(r.main, &main_);
            entries.emplace_back(r.background, &background_);
            entries.emplace_back(r.cursor, &cursor_);
        }
        library_ = Library(r.file, entries);
        // The user's library keeps priority; the program's own only where there is none.
        if (!library_.Found()) library_ = Library(OwnArchiversFolder(), r.file, entries);
    }
    bool Loaded() const { return library_.Loaded(); }
    // Only the low 16 bits of the answer are the version.
    bool Accepted() { return (version_() & 0xFFFFu) >= RowOf(kind_).minimum; }

    bool Running() override { return running_() == 1; }
    void SetModes() override {
        if (background_) background_(FALSE);
        if (cursor_) cursor_(TRUE);
    }
    int Call(void* owner, const std::string& line) override {
        char output[kArchiverOutputSize];
        return ish_ ? ish_(line.c_str(), output, sizeof output)
                    : main_(static_cast<HWND>(owner), line.c_str(), output, sizeof output);
    }

private:
    ArchiverKind kind_;
    ArchiverVersionEntry version_ = nullptr;
    ArchiverRunningEntry running_ = nullptr;
    ArchiverMainEntry main_ = nullptr;
    IshMainEntry ish_ = nullptr;
    ArchiverModeEntry background_ = nullptr, cursor_ = nullptr;
    Library library_;  // declared last: freed before anything else goes
};

std::unique_ptr<Archiver> LoadKind(HWND owner, ArchiverKind kind) {
    auto a = std::make_unique<LoadedArchiver>(kind);
    const char* refusal = !a->Loaded() ? kArchiverUnusable : !a->Accepted() ? kArchiverWrongVersion : nullptr;
    if (!refusal) return a;
    a.reset();  // a library too old is released at once
    CurrentPrompts().Message(owner, ArchiverMessage(kind, refusal).c_str(), kArchiverMessageTitle, kMbOk);
    return nullptr;
}

}  // namespace

std::unique_ptr<Archiver> LoadUnlha(HWND owner) { return LoadKind(owner, ArchiverKind::Lha); }
std::unique_ptr<Archiver> LoadUnzip(HWND owner) { return LoadKind(owner, ArchiverKind::Zip); }
std::unique_ptr<Archiver> LoadCab(HWND owner) { return LoadKind(owner, ArchiverKind::Cab); }
std::unique_ptr<Archiver> LoadTar(HWND owner) { return LoadKind(owner, ArchiverKind::Tar); }
std::unique_ptr<Archiver> LoadIsh(HWND owner) { return LoadKind(owner, ArchiverKind::Ish); }

std::unique_ptr<Archiver> ArchiverBinding::Load(void* owner, ArchiverKind kind) {
    using Loader = std::unique_ptr<Archiver> (*)(HWND);
    static constexpr Loader kLoaders[kArchiverKinds] = {LoadUnlha, LoadUnzip, LoadCab, LoadTar, LoadIsh};
    return kLoaders[static_cast<int>(kind)](static_cast<HWND>(owner));
}

bool ArchiverBinding::WriteTemporary(const std::string& text, std::string& path) {
    char folder[MAX_PATH], name[MAX_PATH];
    const DWORD n = GetTempPathA(255, folder);
    if (n == 0 || n > 255 || GetTempFileNameA(folder, "QRN", 0, name) == 0) return false;
    for (char* p = name; *p; ++p) {
        if (IsLeadByte(*p) && p[1]) ++p;
        else *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    }
    HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool whole = f != INVALID_HANDLE_VALUE &&
                 WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
    if (f != INVALID_HANDLE_VALUE) whole = CloseHandle(f) && whole;
    if (!whole) return DeleteFileA(name), false;
    path = name;
    return true;
}

void ArchiverBinding::Remove(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace qrn
