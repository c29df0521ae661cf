// A library loaded at run time with the entry points the program calls in
// it. Every entry point of its table is looked up when it is loaded; a
// library lacking any of them is freed again at once, so that nothing is
// ever called through one that is missing.
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <type_traits>

namespace qrn {

// One entry point of a library's table: its exported name and the function
// pointer that receives it, {"SoundMessage", &soundMessage}.
struct EntryPoint {
    template <typename Proc>
        requires std::is_function_v<std::remove_pointer_t<Proc>>
    EntryPoint(const char* exported, Proc* pointer)
        : name(exported), slot(pointer), take([](void* at, FARPROC p) {
              // GetProcAddress gives a generic function pointer; the entry
              // point's real type is known from its name.
              *static_cast<Proc*>(at) = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(p));
          }) {}

    const char* name;
    void* slot;
    void (*take)(void* slot, FARPROC p);  // null clears the pointer
};

class Library {
public:
    // UntilDestroyed frees the library with the handle; Process keeps it
    // loaded until the process ends, whatever becomes of the handle.
    enum class Lifetime { UntilDestroyed, Process };

    Library() = default;
    // Loads path as LoadLibraryA takes it: a bare name is searched for, a
    // full path is taken as it stands. Loaded() tells whether it is there
    // with every entry point of the table; if not, every pointer is null.
    Library(const char* path, std::span<const EntryPoint> entries, Lifetime lifetime = Lifetime::UntilDestroyed);
    // name in folder (which ends with a backslash); nothing is loaded when
    // the path would not fit.
    Library(const std::string& folder, const char* name, std::span<const EntryPoint> entries,
            Lifetime lifetime = Lifetime::UntilDestroyed);
    ~Library() { Release(); }
    Library(Library&& other) noexcept : module_(other.module_), found_(other.found_), lifetime_(other.lifetime_) {
        other.module_ = nullptr;
    }
    Library& operator=(Library&& other) noexcept;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // The library was there, whether or not it had every entry point.
    bool Found() const { return found_; }

private:
    void Take(HMODULE module, std::span<const EntryPoint> entries);
    void Release();

    HMODULE module_ = nullptr;
    bool found_ = false;
    Lifetime lifetime_ = Lifetime::UntilDestroyed;
};

}  // namespace qrn
