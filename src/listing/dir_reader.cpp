#include "listing/dir_reader.h"

#include <cstdio>
#include <cstring>

#include "base/prompts.h"
#include "listing/listing_texts.h"
#include "listing/wildcard.h"

namespace qrn {

namespace {

void FillPseudoRow(FileEntry& e, const char* name) {
    std::memset(&e, 0, sizeof e);
    e.attributes = kAttrLabel;
    CopyCut(e.name, sizeof e.name, name);
}

}  // namespace

int ReadEntries(Listing& l, const Settings& s, DirectoryPlatform& p, const char* searchPath) {
    EntryTable& t = l.table;
    DiskFigures fig{};
    if (p.QueryDiskSpace(l.CurrentDir, fig) == kDiskQueryFailed) return -1;
    t.DiskTotal = fig.total;
    t.DiskUsed = fig.used;
    t.DiskFree = fig.free;

    t.ListedBytes = 0;
    t.TableFull = false;
    t.LongestName = 12;
    int count = 0;

    if (std::strlen(l.CurrentDir) < 4) {
        char root[4] = {l.CurrentDir[0], ':', '\\', '\0'};
        char label[kPathSize];
        if (p.VolumeLabel(root, label, sizeof label) && label[0]) {
            FillPseudoRow(t.rows[0], label);
            count = 1;
        }
    }

    const bool filterByMask = std::strcmp(l.FileMask, "*.*") != 0;
    char lowerMask[sizeof l.FileMask];
    if (filterByMask) {
        std::memcpy(lowerMask, l.FileMask, sizeof lowerMask);
        p.LowerCase(lowerMask);
    }
    const LowerFn lower = [&p](char* name) { p.LowerCase(name); };

    FoundRecord rec;
    bool more = count < kTableRows && p.First(searchPath, rec);
    bool searched = more;
    while (more) {
        bool skip = false;
        if (s.SystemDisp == 0 && (rec.attributes & kAttrSystem)) skip = true;
        if (s.HiddenDisp == 0 && (rec.attributes & kAttrHidden)) skip = true;
        if (!skip && filterByMask && !(rec.attributes & kAttrDirectory)) {
            skip = !MatchMaskList(rec.name, lowerMask, lower);
        }
        if (!skip) {
            int len = static_cast<int>(std::strlen(rec.name));
            if (len > t.LongestName) t.LongestName = len;
            FileEntry& e = t.rows[count];
            std::memcpy(e.name, rec.name, static_cast<std::size_t>(len) + 1);
            e.size = rec.size;
            e.attributes = rec.attributes;
            e.date = rec.date;
            e.time = rec.time;
            e.mark = 0;
            t.ListedBytes += rec.size;
            if ((rec.attributes & kAttrDirectory) && s.FolderDot == 0) e.ext = 0;
            else e.ext = ExtensionIndex(e.name);
            if (len - static_cast<int>(e.ext) < 2 && len + 2 > t.LongestName) t.LongestName = len + 2;
            ++count;
            if (count == kTableRows) {
                t.TableFull = true;
                break;
            }
        }
        more = p.Next(rec);
    }
    if (searched) p.Close();

    if (count == 0) {
        if (std::strlen(l.CurrentDir) > 3) return 0;
        FillPseudoRow(t.rows[0], kNoDataName);
        count = 1;
    }

    ComputePitches(l, s.ExpDispSize, s.FileDispSize);
    ClearAllMarks(t);
    return count;
}

int ReadDirectory(Listing& l, const Settings& s, DirectoryPlatform& p, void* owner, char* path,
                  std::size_t pathSize) {
    for (;;) {
        char search[kPathSize];
        int n = -1;
        bool fits = std::snprintf(search, sizeof search, "%s*.*", path) < static_cast<int>(sizeof search);
        // The reader works on CurrentDir; the caller passes it, or a copy of it.
        if (path != l.CurrentDir) CopyCut(l.CurrentDir, sizeof l.CurrentDir, path);
        if (fits) {
            n = ReadEntries(l, s, p, search);
        } else {
            n = 0;  // a path too long to search: treated like an unreadable directory
        }

        if (n == 0) {
            if (std::strlen(path) <= 3) {
                // Even the root gave nothing (only when the path was unusable): as not ready.
                n = -1;
            } else {
                path[3] = '\0';
                continue;
            }
        }
        if (n == -1) {
            if (l.FirstRead) {
                l.FirstRead = false;
                std::snprintf(path, pathSize, "%s", p.ProgramFolder());
                AddBackslash(path, pathSize);
                continue;
            }
            Prompts& ui = CurrentPrompts();
            ui.Beep();
            char text[kPathSize + 64];
            std::snprintf(text, sizeof text, "%s\r%s", search, kDriveNotReady);
            ui.Message(owner, text, kDriveErrorTitle, kMbOk | kMbIconExclamation);
            char choice[kPathSize];
            CopyCut(choice, sizeof choice, path);
            CopyCut(path, pathSize, l.LastGoodDir);
            if (path != l.CurrentDir) CopyCut(l.CurrentDir, sizeof l.CurrentDir, l.LastGoodDir);
            if (p.ChooseDrive(owner, kDriveChoiceTitle, choice, sizeof choice) == 1) {
                CopyCut(path, pathSize, choice);
                continue;
            }
            return -1;
        }

        p.MakeWorkingDirectory(path);
        CopyCut(l.LastGoodDir, sizeof l.LastGoodDir, path);
        l.table.EntryCount = n;
        if (s.SortAuto != kSortAutoOff) p.Sort(l.table);
        char watch[kPathSize];
        CopyCut(watch, sizeof watch, path);
        std::size_t wl = std::strlen(watch);
        if (wl > 3 && EndsWithBackslash(watch)) watch[wl - 1] = '\0';
        l.ChangeWatch = p.ArmWatch(l.ChangeWatch, watch, static_cast<unsigned>(s.UpdateFilter));
        return n;
    }
}

}  // namespace qrn
