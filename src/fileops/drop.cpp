#include "fileops/drop.h"

#include <cstdio>
#include <cstring>

#include "base/prompts.h"
#include "base/sjis.h"
#include "fileops/copy_engine.h"
#include "fileops/fileops_texts.h"

namespace qrn {

namespace {

bool IsProgram(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot) return false;
    const std::string ext = UpperAscii(dot + 1);
    return ext == "EXE" || ext == "COM" || ext == "BAT";
}

}  // namespace

bool DropMoves(const std::string& path, const char* currentDir, bool shift, bool ctrl) {
    if (ctrl) return true;
    if (shift) return false;
    return SameDrive(path, currentDir);
}

std::string DropCommandLine(const char* currentDir, const char* program, const std::string& path) {
    const std::string argument = path.size() > 12 ? "\"" + path + "\"" : path;
    return std::string(currentDir) + program + " " + argument;
}

TransferResult DropCommand(ListView& v, const DropRequest& r, FileSystem& fs, OperationUi& ui) {
    TransferResult res;
    if (r.row < 0 || r.row >= v.table.EntryCount) return res;
    const FileEntry& row = v.table.rows[r.row];
    if (!(row.attributes & (kAttrDirectory | kAttrLabel))) {
        if (IsProgram(row.name) && r.start)
            for (const std::string& path : r.paths) r.start(DropCommandLine(r.currentDir, row.name, path));
        return res;
    }
    const std::string target =
        std::string(r.currentDir) + ((row.attributes & kAttrDirectory) ? std::string(row.name) + "\\" : "");
    CopyJob job(fs, ui);
    ui.SetCancelRequested(false);
    int copied = 0, moved = 0;
    for (std::size_t i = 0; i < r.paths.size(); ++i) {
        const std::string& path = r.paths[i];
        bool shift = false, ctrl = false;
        if (r.keys) r.keys(shift, ctrl);
        const bool move = DropMoves(path, r.currentDir, shift, ctrl);
        if (i == 0) {
            if (!Confirmed(ui.Owner(), move ? kDropMoveQuestion : kDropCopyQuestion, kDropTitle)) return res;
            ui.OpenStatus(move ? kMoveTitle : kCopyTitle);
        }
        const std::string sourceDir = DirectoryPart(path), name = path.substr(sourceDir.size());
        const FileStat st = fs.Stat(path);
        const int copiedBefore = job.filesCopied, skippedBefore = job.filesSkipped;
        const bool done = st.exists && !name.empty() &&
                          (move ? MoveEntry(job, sourceDir, target, name, st.attributes)
                                : CopyEntry(job, sourceDir, target, name, st.attributes, false, ""));
        if (!done) {
            Tell(ui.Owner(), row.name + std::string(move ? kMoveFailed : kCopyFailed), kRowErrorTitle);
            ++res.failed;
            break;
        }
        // A file left where it was (already there, or by the policy) is not counted as done.
        if (!(st.attributes & kAttrDirectory) && job.filesCopied == copiedBefore && job.filesSkipped > skippedBefore) {
            ++res.passedOver;
            continue;
        }
        ++res.done;
        ++(move ? moved : copied);
        res.refresh = true;
    }
    ui.CloseStatus();
    if (copied) res.said = Said(kSaidCopied, copied);
    if (moved) res.said += (res.said.empty() ? "" : "。") + Said(kSaidMoved, moved);
    if (res.passedOver) res.said += (res.said.empty() ? "" : "。") + Said(kSaidLeftAsItWas, res.passedOver);
    return res;
}

}  // namespace qrn
