#include "archivers/cab_archive_win32.h"

#include <windows.h>
#include <fcntl.h>
#include <fdi.h>

#include <memory>

#include "archivers/archivers_texts.h"
#include "archivers/entry_place.h"
#include "base/sjis.h"

namespace qrn {

namespace {

// What an FDI handle is: the cabinet being read, or a file being written.
struct Handle {
    HANDLE cabinet = INVALID_HANDLE_VALUE;
    std::unique_ptr<NewFile> out;
    std::string path;
};

struct Run {
    ArchiveFiles& f;
    EntryPlace place;
};

void* DIAMONDAPI Alloc(ULONG size) { return ::operator new(size, std::nothrow); }
void DIAMONDAPI Free(void* p) { ::operator delete(p); }

INT_PTR DIAMONDAPI Open(char* path, int flags, int) {
    if (flags & (_O_WRONLY | _O_RDWR | _O_CREAT)) return -1;  // FDI only ever reads the cabinet
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    Handle* handle = new Handle;
    handle->cabinet = h;
    return reinterpret_cast<INT_PTR>(handle);
}

UINT DIAMONDAPI Read(INT_PTR hf, void* out, UINT size) {
    DWORD n = 0;
    Handle* h = reinterpret_cast<Handle*>(hf);
    return h->cabinet != INVALID_HANDLE_VALUE && ReadFile(h->cabinet, out, size, &n, nullptr) ? n : static_cast<UINT>(-1);
}

UINT DIAMONDAPI Write(INT_PTR hf, void* data, UINT size) {
    Handle* h = reinterpret_cast<Handle*>(hf);
    return h->out && h->out->Write(data, size) ? size : static_cast<UINT>(-1);
}

int DIAMONDAPI Close(INT_PTR hf) {  // a file FDI closes itself is not whole: it goes
    Handle* h = reinterpret_cast<Handle*>(hf);
    if (h->cabinet != INVALID_HANDLE_VALUE) CloseHandle(h->cabinet);
    delete h;
    return 0;
}

LONG DIAMONDAPI Seek(INT_PTR hf, LONG distance, int from) {
    Handle* h = reinterpret_cast<Handle*>(hf);
    const DWORD method = from == SEEK_CUR ? FILE_CURRENT : from == SEEK_END ? FILE_END : FILE_BEGIN;
    return static_cast<LONG>(SetFilePointer(h->cabinet, distance, nullptr, method));
}

INT_PTR DIAMONDAPI Notify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION n) {
    Run& r = *static_cast<Run*>(n->pv);
    if (type == fdintCOPY_FILE) {
        const std::string name = n->attribs & _A_NAME_IS_UTF ? r.f.FromUtf8(n->psz1) : n->psz1;
        Handle* h = new Handle;
        h->path = r.place.Make(name, false);
        if (!h->path.empty()) h->out = r.f.Create(h->path);
        if (!h->path.empty() && !h->out) r.place.Failed(kEntryNotWritten, h->path);
        if (!h->out) return delete h, 0;  // passed over
        return reinterpret_cast<INT_PTR>(h);
    }
    if (type == fdintCLOSE_FILE_INFO) {
        std::unique_ptr<Handle> h(reinterpret_cast<Handle*>(n->hf));
        h->out->SetLocalTime(n->date, n->time);
        if (!h->out->Commit()) r.place.Failed(kEntryNotWritten, h->path);
        return TRUE;
    }
    return type == fdintNEXT_CABINET ? -1 : 0;  // a set of several cabinets is not followed
}

}  // namespace

int ExtractCab(ArchiveFiles& f, const std::string& archive, const std::string& targetDir) {
    char full[MAX_PATH];
    char* name = nullptr;
    const DWORD n = GetFullPathNameA(archive.c_str(), sizeof full, full, &name);
    if (n == 0 || n >= sizeof full || !name) return f.Tell(kArchiveNotOpened + archive), 2;
    const std::string file(name), folder(full, static_cast<std::size_t>(name - full));
    ERF erf{};
    HFDI fdi = FDICreate(Alloc, Free, Open, Read, Write, Close, Seek, cpuUNKNOWN, &erf);
    if (!fdi) return f.Tell(kArchiveNotOpened + archive), 2;
    Run run{f, EntryPlace(f, targetDir)};
    const BOOL ok = FDICopy(fdi, const_cast<char*>(file.c_str()), const_cast<char*>(folder.c_str()), 0, Notify, nullptr,
                            &run);
    FDIDestroy(fdi);
    if (!ok) {
        f.Tell((erf.erfOper == FDIERROR_NOT_A_CABINET ? kNotAnArchive : kArchiveDamaged) + archive);
        return 2;
    }
    return run.place.AnyFailed() ? 1 : 0;
}

}  // namespace qrn
