// Unpacking and packing through the archiver libraries: which library gets
// which rows, in which order, with which line; the marks and the counts.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "archive/archivers.h"
#include "listing/list_view.h"

namespace qrn {

// A library loaded for one command; it is released when this goes.
class Archiver {
public:
    virtual ~Archiver() = default;
    virtual bool Running() = 0;   // its busy entry answers 1
    virtual void SetModes() = 0;  // background mode off, cursor mode on (ISH32 has neither)
    // One command line through the main entry; 0 is success.
    virtual int Call(void* owner, const std::string& line) = 0;
};

class ArchivePlatform {
public:
    virtual ~ArchivePlatform() = default;
    // The library of kind with every entry point and a version QRN accepts;
    // null once the user has been told why not.
    virtual std::unique_ptr<Archiver> Load(void* owner, ArchiverKind kind) = 0;
    // A new temporary file holding text; its full name in path. False, with
    // nothing left behind, when it cannot be written whole.
    virtual bool WriteTemporary(const std::string& text, std::string& path) = 0;
    virtual void Remove(const std::string& path) = 0;
};

struct ArchiveCommand {
    Listing& listing;  // its CurrentDir is also the process's working directory
    const Settings& settings;
    ArchivePlatform& platform;
    void* owner = nullptr;
    std::function<void()> countsChanged;  // the mark counts changed
    std::function<void(int done, int total)> walked;  // after each archive unpacked
};

// What a command did: what is to be said, and whether the list is to be read
// again (which drops every mark): not when nothing was handed to a library.
struct ArchiveResult {
    std::string said;
    bool refresh = false;
};

// U once the destination is confirmed: the marked archives kind by kind (one
// loading of a library for all of its kind), else the cursor row; into
// destDir, or into a directory named after each archive when the user says
// so. The list is read again whatever happened.
ArchiveResult UnpackArchives(ArchiveCommand& c, const char* destDir);

// P (kind Lha) and the TAR pack (kind Tar): the name asked for, the archive
// made in the working directory from the marked entries (through a response
// file) or the cursor row.
ArchiveResult PackEntries(ArchiveCommand& c, ArchiverKind kind);

// I once the output directory is confirmed: the name asked for, the marked
// files (or the cursor row) encoded one call each until one fails.
ArchiveResult MakeIsh(ArchiveCommand& c, const char* destDir);

}  // namespace qrn
