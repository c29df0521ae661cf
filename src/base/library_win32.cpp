#include "base/library_win32.h"

namespace qrn {

Library::Library(const char* path, std::span<const EntryPoint> entries, Lifetime lifetime) : lifetime_(lifetime) {
    Take(LoadLibraryA(path), entries);
}

Library::Library(const std::string& folder, const char* name, std::span<const EntryPoint> entries,
                 Lifetime lifetime)
    : lifetime_(lifetime) {
    const std::string path = folder + name;
    Take(path.size() < MAX_PATH ? LoadLibraryA(path.c_str()) : nullptr, entries);
}

void Library::Take(HMODULE module, std::span<const EntryPoint> entries) {
    found_ = module != nullptr;
    bool complete = module != nullptr;
    for (const EntryPoint& e : entries) {
        const FARPROC p = complete ? GetProcAddress(module, e.name) : nullptr;
        complete = p != nullptr;
        e.take(e.slot, p);
    }
    if (complete) {
        module_ = module;
        return;
    }
    for (const EntryPoint& e : entries) e.take(e.slot, nullptr);
    if (module) FreeLibrary(module);
}

Library& Library::operator=(Library&& other) noexcept {
    if (this != &other) {
        Release();
        module_ = other.module_;
        found_ = other.found_;
        lifetime_ = other.lifetime_;
        other.module_ = nullptr;
    }
    return *this;
}

void Library::Release() {
    if (module_ && lifetime_ == Lifetime::UntilDestroyed) FreeLibrary(module_);
    module_ = nullptr;
}

}  // namespace qrn
