#include "fileops/in_place.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/prompts.h"
#include "base/selection.h"
#include "fileops/copy_engine.h"
#include "fileops/fileops_texts.h"

namespace qrn {

namespace {


bool IsDotRow(const FileEntry& e) {
    return (e.attributes & kAttrDirectory) && (!std::strcmp(e.name, ".") || !std::strcmp(e.name, ".."));
}

// "." and "..", "  NO DATA  " and "[ Execution  ]" are never deleted.
bool Deletable(const FileEntry& e) {
    return !IsDotRow(e) && e.attributes != kAttrExecutionRow && std::strcmp(e.name, kNoDataName) != 0;
}

// The special questions already answered OK in this delete command.
struct Confirmations {
    bool system = false, readOnly = false, hidden = false;
};

enum RowResult { kLeftAlone = 0, kRowFailed = 1, kDeleted = 2, kRecycled = 3 };

// removedInside grows by what went inside a directory that could not be
// deleted whole.
RowResult DeleteRow(ListView& v, const char* dir, FileSystem& fs, OperationUi& ui, bool notFirst, int row,
                    Confirmations& asked, int& removedInside, bool recycle) {
    void* owner = ui.Owner();
    const FileEntry& e = v.table.rows[row];
    if (!Deletable(e)) return kLeftAlone;
    const std::string path = std::string(dir) + e.name;
    if (!notFirst) {
        asked = Confirmations{};
        if (!Confirmed(owner, path, kDeleteTitle)) {
            ui.SetCancelRequested(true);
            return kRowFailed;
        }
        ui.SetCancelRequested(false);
        ui.OpenStatus(kDeleteStatusTitle);
    }
    ui.CursorTo(row);
    if (e.attributes == kAttrLabel) {
        if (!Confirmed(owner, path + kVolumeLabelRow, kDeleteTitle)) return kLeftAlone;
        return fs.SetLabel(std::string(dir, 3), "") ? kDeleted : kRowFailed;
    }
    struct Special { std::uint32_t bit; bool& done; const char* text; } specials[] = {
        {kAttrSystem, asked.system, kSystemFile}, {kAttrReadOnly, asked.readOnly, kReadOnlyFile},
        {kAttrHidden, asked.hidden, kHiddenFile}};
    for (Special& s : specials) {
        if (!(e.attributes & s.bit) || s.done) continue;
        if (!Confirmed(owner, path + s.text, kDeleteTitle)) return kLeftAlone;
        s.done = true;
        break;
    }
    std::vector<std::string> links;
    int removed = 0;
    const int gone = path.size() <= kMaxPath ? DeleteOrRecycle(fs, ui, path, e.attributes, recycle, &links, &removed) : 0;
    if (gone == 2) return kRecycled;
    if (gone == 1) return kDeleted;
    if (gone < 0) return kLeftAlone;
    removedInside += removed;
    if (!links.empty() && !ui.CancelRequested()) Tell(owner, LinksLeftText(path, links), kRowErrorTitle);
    else Tell(owner, path + (ui.CancelRequested() ? kDeleteStopped : kDeleteFailed), kRowErrorTitle);
    return kRowFailed;
}

// A change of letter case alone goes through a temporary name: the system
// takes the new name for the old one and leaves it as it was.
bool RenameEntry(FileSystem& fs, const std::string& from, const std::string& to) {
    if (from == to || CompareNoCase(from.c_str(), to.c_str()) != 0) return fs.Rename(from, to);
    const std::string temp = TemporaryName(fs, from);
    if (temp.empty() || !fs.Rename(from, temp)) return false;
    if (fs.Rename(temp, to)) return true;
    fs.Rename(temp, from);
    return false;
}

// What went and what did not: a directory that could not be deleted whole
// may have lost part of what it held.
std::string DeletedSummary(const InPlaceResult& r) {
    if (r.done == 0 && r.removedInside == 0) return kSaidNothingDeleted;
    std::string said = r.recycled == 0 ? (r.failed ? Said(kSaidDeletedFailed, r.done, r.failed) : Said(kSaidDeleted, r.done))
                                       : Said(kSaidRecycled, r.recycled);
    if (r.recycled > 0 && r.done > r.recycled) said += Said(kSaidAlsoDeleted, r.done - r.recycled);
    if (r.recycled > 0 && r.failed) said += Said(kSaidNotDeleted, r.failed);
    if (r.removedInside > 0) said += Said(kSaidDeletedInside, r.removedInside);
    return said;
}

}  // namespace

namespace {

// removed counts every entry that went.
int DeleteIn(FileSystem& fs, OperationUi& ui, const std::string& path, std::uint32_t attributes,
             std::vector<std::string>& linksLeft, int& removed) {
    ui.Poll();
    if (ui.CancelRequested()) return 0;
    const bool directory = (attributes & kAttrDirectory) != 0;
    if (fs.IsLink(path, attributes)) {
        // Only the link goes, never what it points to; its attributes are not
        // touched either, as the system would pass them on. Where the system
        // cannot remove it without reaching through it, it stays.
        ui.Progress(ProgressText(0, 0, path, ""));
        if (fs.RemoveLink(path)) return ++removed, 1;
        linksLeft.push_back(path);
        return 0;
    }
    const FileStat st = fs.Stat(path);
    // Read-only, hidden and system go first (only where set: it costs a call).
    const bool cleared = (st.attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem)) != 0;
    if (cleared) fs.SetAttributes(path, kAttrNormal);
    if (!directory) {
        ui.EntryInfo(path, st);
        ui.Progress(ProgressText(0, 0, path, ""));
        if (fs.RemoveFile(path)) return ++removed, 1;
        if (cleared) fs.SetAttributes(path, SettableAttributes(st.attributes));  // a file that stays keeps what it had
        return 0;
    }
    std::vector<DirItem> items;
    fs.List(path + "\\", items);
    for (const DirItem& item : items) {
        const std::string inner = path + "\\" + item.name;
        const std::size_t left = linksLeft.size();
        if (inner.size() <= kMaxPath && DeleteIn(fs, ui, inner, item.attributes, linksLeft, removed)) continue;
        if (ui.CancelRequested()) break;
        if (linksLeft.size() > left) continue;  // a link left is told with the others at the end
        if (!Confirmed(ui.Owner(), kDeleteFailedContinue, kConfirmTitle)) break;
    }
    if (fs.RemoveDir(path)) return ++removed, 1;
    if (cleared) fs.SetAttributes(path, SettableAttributes(st.attributes));
    return 0;
}

}  // namespace

std::string LinksLeftText(const std::string& path, const std::vector<std::string>& links) {
    if (links.size() == 1 && links[0] == path) return path + kLinkNotDeleted;
    std::string text = path + kDeleteFailed + kLinksLeft;
    constexpr std::size_t kShown = 8;
    for (std::size_t i = 0; i < links.size() && i < kShown; ++i) text += "\r" + links[i];
    if (links.size() > kShown) text += "\r...";
    return text;
}

int DeleteOrRecycle(FileSystem& fs, OperationUi& ui, const std::string& path, std::uint32_t attributes, bool recycle,
                    std::vector<std::string>* linksLeft, int* removed) {
    // A link goes the way of every delete (itself, never what it points to).
    recycle = recycle && !fs.IsLink(path, attributes);
    if (recycle && fs.Recycle(path)) return 2;
    if (recycle && !Confirmed(ui.Owner(), path + kBinRefused, kDeleteTitle)) return -1;
    return DeleteTree(fs, ui, path, attributes, linksLeft, removed);
}

int DeleteTree(FileSystem& fs, OperationUi& ui, const std::string& path, std::uint32_t attributes,
               std::vector<std::string>* linksLeft, int* removed) {
    std::vector<std::string> own;
    int count = 0;
    const int r = DeleteIn(fs, ui, path, attributes, linksLeft ? *linksLeft : own, removed ? *removed : count);
    if (!linksLeft && !own.empty()) Tell(ui.Owner(), LinksLeftText(path, own), kRowErrorTitle);
    return r;
}

InPlaceResult DeleteCommand(ListView& v, const char* dir, FileSystem& fs, OperationUi& ui, bool recycle) {
    InPlaceResult r;
    Confirmations asked;
    bool first = true;
    SelectionWalk walk;
    walk.stopAfterRow = [&ui] { return ui.CancelRequested(); };
    walk.goOnAfterFailure = [&ui] { return Confirmed(ui.Owner(), kDeleteContinue, kConfirmTitle); };
    walk.walked = SpokenProgress(ui);
    const SelectionTally tally = WalkSelection(v.table, v.CursorIndex, walk, [&](int row) {
        // Rows that are never deleted are left alone, and not taken for the
        // first row, which asks.
        if (!Deletable(v.table.rows[row])) return RowOutcome::PassedOver;
        const RowResult x = DeleteRow(v, dir, fs, ui, !first, row, asked, r.removedInside, recycle);
        const bool refusedAtFirst = first && x == kRowFailed && ui.CancelRequested();
        first = false;
        if (x == kRecycled) ++r.recycled;
        if (x == kDeleted || x == kRecycled) return RowOutcome::Done;
        return x == kRowFailed && !refusedAtFirst ? RowOutcome::Failed : RowOutcome::PassedOver;
    });
    r.done = tally.done;
    r.failed = tally.failed;
    if (tally.marked && ui.CancelRequested()) r.refresh = true;
    ui.CloseStatus();
    r.said = DeletedSummary(r);
    return r;
}

InPlaceResult RenameCommand(ListView& v, const char* dir, FileSystem& fs, OperationUi& ui, bool keepExtension) {
    InPlaceResult r;
    EntryTable& t = v.table;
    SelectionWalk walk;
    walk.kind = RowKind::FileOrDirectory;
    const SelectionTally tally = WalkSelection(t, v.CursorIndex, walk, [&](int row) {
        const FileEntry& e = t.rows[row];
        char text[kPathSize];
        CopyCut(text, sizeof text, e.name);
        std::string extension;
        if (keepExtension && e.ext > 0 && e.ext <= std::strlen(e.name)) {
            extension = e.name + e.ext;
            text[e.ext - 1] = '\0';
        }
        if (!CurrentPrompts().InputLine(ui.Owner(), kNewNameTitle, text, sizeof text)) return RowOutcome::Stop;
        const std::string from = std::string(dir) + e.name;
        const std::string to = std::string(dir) + text + (extension.empty() ? "" : "." + extension);
        if (text[0] && to.size() <= kMaxPath && RenameEntry(fs, from, to)) return RowOutcome::Done;
        const bool exists = text[0] && to.size() <= kMaxPath && fs.LastError() == kErrAlreadyExists;
        Tell(ui.Owner(), exists ? kRenameExists : kRenameFailed, kRenameFailedTitle);
        return RowOutcome::Failed;
    });
    r.done = tally.done;
    r.failed = tally.failed;
    r.refresh = true;
    r.said = Said(kSaidRenamed, r.done);
    return r;
}

InPlaceResult MakeDirectoryCommand(const char* dir, FileSystem& fs, OperationUi& ui) {
    InPlaceResult r;
    char text[kPathSize] = "";
    if (!CurrentPrompts().InputLine(ui.Owner(), kMakeDirectoryTitle, text, sizeof text) || !text[0]) return r;
    // A relative name is made in the listed directory (the working directory).
    const bool absolute = text[0] == '\\' || (text[0] && text[1] == ':');
    const std::string path = absolute ? std::string(text) : std::string(dir) + text;
    r.refresh = true;
    if (path.size() > kMaxPath) {
        Tell(ui.Owner(), path.substr(0, kMaxPath) + kEntryPathTooLong, kErrorTitle);
        r.said = kSaidDirectoryNotMade;
        return r;
    }
    if (fs.MakeDirectory(path)) {
        ++r.done;
        char said[kPathSize + 64];
        std::snprintf(said, sizeof said, kSaidDirectoryMade, text);
        r.said = said;
    } else {
        r.said = kSaidDirectoryNotMade;
    }
    return r;
}

InPlaceResult VolumeLabelCommand(const ListView& v, const char* dir, FileSystem& fs, OperationUi& ui) {
    InPlaceResult r;
    char text[kPathSize] = "";
    const EntryTable& t = v.table;
    if (t.EntryCount > 0 && t.rows[0].attributes == kAttrLabel) CopyCut(text, sizeof text, t.rows[0].name);
    if (!CurrentPrompts().InputLine(ui.Owner(), kVolumeLabelTitle, text, sizeof text)) return r;
    if (std::strlen(text) > kVolumeLabelBytes) {
        Tell(ui.Owner(), kLabelTooLong, kLabelErrorTitle);
        return r;
    }
    if (std::strlen(dir) >= 3 && fs.SetLabel(std::string(dir, 3), text)) {
        ++r.done;
        char said[kPathSize + 64];
        std::snprintf(said, sizeof said, kSaidLabelSet, text);
        r.said = text[0] ? said : kSaidLabelRemoved;
    }
    r.refresh = true;
    return r;
}

}  // namespace qrn
