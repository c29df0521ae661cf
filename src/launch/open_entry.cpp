#include "launch/open_entry.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <initializer_list>

#include "base/prompts.h"
#include "base/selection.h"
#include "launch/launch_texts.h"
#include "listing/sort.h"
#include "listing/wildcard.h"

namespace qrn {

namespace {

void TellTooLong(LaunchContext& c, const char* text) {
    CurrentPrompts().Message(c.owner, text, kLaunchErrorTitle, kMbOk | kMbIconExclamation);
}

bool CursorValid(const Listing& l) { return l.CursorIndex >= 0 && l.CursorIndex < l.table.EntryCount; }

const char* CursorName(const Listing& l) { return CursorValid(l) ? l.table.rows[l.CursorIndex].name : ""; }

// text = parts joined; false when they do not fit a command line.
bool Join(char* out, std::size_t size, std::initializer_list<const char*> parts) {
    out[0] = '\0';
    for (const char* p : parts) {
        if (!AppendWhole(out, size, p)) {
            out[0] = '\0';
            return false;
        }
    }
    return true;
}

// The full path of the cursor row, P.
bool CursorPath(const Listing& l, char* out, std::size_t size) {
    return Join(out, size, {l.CurrentDir, CursorName(l)});
}

void AfterNavigation(Listing& l, int cursor) {
    const int perPage = l.EntriesPerPage > 0 ? l.EntriesPerPage : 1;
    if (cursor < 0 || cursor >= l.table.EntryCount) cursor = 0;
    l.CursorIndex = cursor;
    l.PageNumber = cursor / perPage + 1;
    l.TopIndex = (l.PageNumber - 1) * perPage;
    ClearAllMarks(l.table);
}

// Positions of the last and second-to-last real backslash.
void LastTwoBackslashes(const char* s, int& last, int& before) {
    last = before = -1;
    for (int i = 0; s[i]; ++i) {
        if (IsLeadByte(s[i]) && s[i + 1]) {
            ++i;
            continue;
        }
        if (s[i] == '\\') {
            before = last;
            last = i;
        }
    }
}

OpenResult IntoDirectory(LaunchContext& c, const char* name) {
    Listing& l = c.listing;
    char path[kPathSize];
    if (!Join(path, sizeof path, {l.CurrentDir, name, "\\"})) {
        TellTooLong(c, kPathTooLong);
        return kOpenDone;
    }
    std::memcpy(l.CurrentDir, path, sizeof path);
    c.platform.ReadDirectory(c.owner);
    l.PageNumber = 1;
    l.TopIndex = 0;
    l.CursorIndex = l.table.EntryCount > 1 ? 1 : 0;
    ClearAllMarks(l.table);
    return kOpenListRead;
}

OpenResult ToParent(LaunchContext& c) {
    Listing& l = c.listing;
    int last, before;
    LastTwoBackslashes(l.CurrentDir, last, before);
    if (before <= 0) return kOpenDone;
    char left[kPathSize];
    const int n = last - before - 1;
    std::memcpy(left, l.CurrentDir + before + 1, static_cast<std::size_t>(n));
    left[n] = '\0';
    l.CurrentDir[before + 1] = '\0';
    c.platform.ReadDirectory(c.owner);
    AfterNavigation(l, FindEntryByName(left, l.table));
    return kOpenListRead;
}

OpenResult ToRoot(LaunchContext& c) {
    Listing& l = c.listing;
    if (std::strlen(l.CurrentDir) < 3) return kOpenDone;
    char first[kPathSize];
    std::size_t n = 0;
    for (const char* p = l.CurrentDir + 3; *p && *p != '\\';) {
        if (IsLeadByte(*p) && p[1]) first[n++] = *p++;
        first[n++] = *p++;
    }
    first[n] = '\0';
    l.CurrentDir[3] = '\0';
    c.platform.ReadDirectory(c.owner);
    AfterNavigation(l, FindEntryByName(first, l.table));
    return kOpenListRead;
}

void RememberedDirectory(LaunchContext& c) {
    Listing& l = c.listing;
    if (c.rememberedDir[0] == '\0') {
        std::memcpy(c.rememberedDir, l.CurrentDir, kPathSize);
        return;
    }
    char text[3 * kPathSize];
    std::snprintf(text, sizeof text, "%s ==> %s%s",
                  c.rememberedDir, l.CurrentDir, kRememberQuestion);
    const int answer = CurrentPrompts().Message(c.owner, text, kRememberTitle, kMbYesNoCancel);
    if (answer == kIdYes) std::memcpy(c.rememberedDir, l.CurrentDir, kPathSize);
    else if (answer == kIdCancel) c.rememberedDir[0] = '\0';
}

// An EXE or COM file run as it is, or with Shift the cursor file edited.
void RunProgram(LaunchContext& c, bool shift) {
    Listing& l = c.listing;
    char path[2 * kPathSize];
    CursorPath(l, path, sizeof path);
    char line[kCommandSize];
    if (!shift) {
        if (!Join(line, sizeof line, {path})) return TellTooLong(c, kCommandTooLong);
        c.platform.Run(line);
        return;
    }
    if (!EntryQualifies(l.table, l.CursorIndex, RowKind::PlainFile)) return;
    if (!ProgramCommand(c.settings.Editor, line, sizeof line, l.CursorIndex, l, c.settings.EditLongName == 1,
                        c.platform.ShortPath()))
        return TellTooLong(c, kCommandTooLong);
    if (c.platform.Run(line)) return;
    if (Join(line, sizeof line, {"notepad.exe ", path})) c.platform.Run(line);
}

void ShellOpenCursor(LaunchContext& c) {
    char path[2 * kPathSize];
    CursorPath(c.listing, path, sizeof path);
    c.platform.ShellOpen(c.owner, path);
}

void RunTemplate(LaunchContext& c, const char* tmpl) {
    char line[kCommandSize];
    if (!ExpandTemplate(tmpl, line, sizeof line, c.listing.CursorIndex, c.listing, c.platform.ShortPath()))
        return TellTooLong(c, kCommandTooLong);
    c.platform.Run(line);
}

// head and the full path of a row, quoted when EDIT_LONGNAME asks for it.
bool QuotedPathLine(LaunchContext& c, char* line, std::size_t size, const char* head, int row) {
    const char* q = c.settings.EditLongName == 1 ? "\"" : "";
    return Join(line, size, {head, q, c.listing.CurrentDir, c.listing.table.rows[row].name, q});
}

OpenResult OpenFile(LaunchContext& c, Modifiers m) {
    Listing& l = c.listing;
    const FileEntry& r = l.table.rows[l.CursorIndex];
    char ext[kPathSize];
    ExtensionKey(r.name, r.ext, ext, UpperAscii);
    if (std::strcmp(ext, "WAV") == 0) {
        char path[2 * kPathSize];
        CursorPath(l, path, sizeof path);
        c.platform.PlaySoundFile(path);
        return kOpenDone;
    }
    if (std::strcmp(ext, "EXE") == 0 || std::strcmp(ext, "COM") == 0) {
        RunProgram(c, m.shift);
        return kOpenDone;
    }
    if (std::strcmp(ext, "LNK") == 0) {
        ShellOpenCursor(c);
        return kOpenDone;
    }
    if (m.shift) {
        RunProgram(c, true);
        return kOpenDone;
    }
    if (m.ctrl) {
        ViewEntry(c, l.CursorIndex);
        return kOpenDone;
    }
    char value[256];
    value[0] = '\0';
    if (ext[0]) c.ini.GetString(kSectionExpExec, ext, "", value, sizeof value);
    if (value[0]) {
        if (std::strcmp(value, "*") == 0) ViewEntry(c, l.CursorIndex);
        else if (std::strcmp(value, "*system") == 0) ShellOpenCursor(c);
        else RunTemplate(c, value);
        return kOpenDone;
    }
    char program[256];
    if (c.platform.FindProgramFor(r.name, program, sizeof program) && program[0]) {
        char text[512];
        std::snprintf(text, sizeof text, "%s%s", program, kRegisterQuestion);
        const int answer = CurrentPrompts().Message(c.owner, text, kRegisterTitle, kMbYesNoCancel);
        if (answer == kIdCancel) return kOpenDone;
        // A file without an extension has no key to register under.
        if (answer == kIdYes && ext[0]) c.ini.WriteString(kSectionExpExec, ext, "*system");
        ShellOpenCursor(c);
        return kOpenDone;
    }
    char lower[kPathSize];
    std::memcpy(lower, ext, sizeof lower);
    LowerAscii(lower);
    value[0] = '\0';
    if (lower[0]) c.platform.SystemExtension(lower, value, sizeof value);
    bool caret = false;
    for (std::size_t i = 0; value[i]; ++i) {
        if (IsLeadByte(value[i]) && value[i + 1]) {
            ++i;
            continue;
        }
        if (value[i] == '^') {
            if (i + 3 > sizeof value) break;
            value[i] = '%';
            value[i + 1] = '>';
            value[i + 2] = '\0';
            caret = true;
            break;
        }
    }
    if (caret) RunTemplate(c, value);
    else ViewEntry(c, l.CursorIndex);
    return kOpenDone;
}

bool Ask(LaunchContext& c, const char* title, char* text, std::size_t size) {
    return CurrentPrompts().InputLine(c.owner, title, text, size);
}

}  // namespace

void ViewEntry(LaunchContext& c, int row) {
    Listing& l = c.listing;
    if (row < 0 || row >= l.table.EntryCount) return;
    if (c.settings.Pager[0] == '\0') {
        c.platform.BuiltInPager(c.owner, l.table.rows[row]);
        return;
    }
    char line[kCommandSize];
    if (!ProgramCommand(c.settings.Pager, line, sizeof line, row, l, c.settings.EditLongName == 1,
                        c.platform.ShortPath()))
        return TellTooLong(c, kCommandTooLong);
    if (c.platform.Run(line)) return;
    if (QuotedPathLine(c, line, sizeof line, "notepad.exe ", row)) c.platform.Run(line);
}

OpenResult OpenEntry(LaunchContext& c, int key, Modifiers m) {
    Listing& l = c.listing;
    if (key == kOpenParent) return ToParent(c);
    if (key == kOpenRoot) return ToRoot(c);
    if (!CursorValid(l)) return kOpenDone;
    if (key == kOpenEdit) {
        EditWithCommandLine(c);
        return kOpenDone;
    }
    const FileEntry& r = l.table.rows[l.CursorIndex];
    if (key == kOpenEnter) {
        if (m.ctrl) {
            ViewEntry(c, l.CursorIndex);
            return kOpenDone;
        }
        if (r.attributes == kAttrLabel || r.attributes == kAttrExecutionRow) return kOpenDone;
        if (r.attributes & kAttrDirectory) {
            if (r.name[0] == '.' && r.name[1] == '.') return ToParent(c);
            if (std::strcmp(r.name, ".") == 0) {
                RememberedDirectory(c);
                return kOpenDone;
            }
            return IntoDirectory(c, r.name);
        }
    }
    return OpenFile(c, m);
}

bool OpenMarkedEntries(LaunchContext& c, Modifiers m, const std::function<bool()>& stop) {
    Listing& l = c.listing;
    const int saved = l.CursorIndex;
    SelectionWalk walk;
    walk.kind = RowKind::PlainFile;
    walk.unmarked = WhenUnmarked::Nothing;
    walk.dropMarks = false;
    walk.stopAfterRow = stop;
    const bool stopped = WalkSelection(l.table, saved, walk, [&](int row) {
                             l.CursorIndex = row;
                             OpenEntry(c, kOpenEnter, m);
                             return RowOutcome::Done;
                         }).stopped;
    l.CursorIndex = saved;
    return stopped;
}

void EditWithCommandLine(LaunchContext& c) {
    if (!CursorValid(c.listing)) return;
    char line[kCommandSize];
    char head[sizeof c.settings.Editor + 1];
    std::snprintf(head, sizeof head, "%s ", c.settings.Editor);
    if (!QuotedPathLine(c, line, sizeof line, head, c.listing.CursorIndex)) return TellTooLong(c, kCommandTooLong);
    if (Ask(c, kEditTitle, line, sizeof line)) c.platform.Run(line);
}

void ExecuteCommand(LaunchContext& c) {
    Listing& l = c.listing;
    if (!EntryQualifies(l.table, l.CursorIndex, RowKind::PlainFile)) return;
    char line[kCommandSize];
    if (!Join(line, sizeof line, {CursorName(l)})) return TellTooLong(c, kCommandTooLong);
    if (Ask(c, kExecuteTitle, line, sizeof line)) c.platform.Run(line);
}

void ShellCommand(LaunchContext& c) {
    char line[kCommandSize] = "";
    if (!Ask(c, kShellCommandTitle, line, sizeof line)) return;
    if (c.platform.Run(line)) return;
    char fallback[kCommandSize];
    if (Join(fallback, sizeof fallback, {c.shellPath, " /k ", line})) c.platform.Run(fallback);
    else TellTooLong(c, kCommandTooLong);
}

void CommandInterpreter(LaunchContext& c) { c.platform.Run(c.shellPath); }

void RunRegisteredCommand(LaunchContext& c, const char* tmpl) {
    Listing& l = c.listing;
    bool told = false;  // once per command, however many rows fail
    auto tell = [&](const std::string& text) {
        if (!told) TellTooLong(c, text.c_str());
        told = true;
        return RowOutcome::Failed;
    };
    SelectionWalk walk;
    walk.dropMarks = false;
    WalkSelection(l.table, l.CursorIndex, walk, [&](int row) {
        char line[kCommandSize];
        if (!ExpandTemplate(tmpl, line, sizeof line, row, l, c.platform.ShortPath())) return tell(kCommandTooLong);
        return c.platform.Run(line) ? RowOutcome::Done : tell(std::string(kNotStarted) + line);
    });
}

void QuickViewer(LaunchContext& c) {
    Listing& l = c.listing;
    if (!EntryQualifies(l.table, l.CursorIndex, RowKind::PlainFile)) return;
    char dir[kPathSize];
    if (!c.platform.SystemDirectory(dir, sizeof dir)) return;
    if (!AddBackslash(dir, sizeof dir)) return TellTooLong(c, kCommandTooLong);
    char head[kPathSize + 32];
    if (!Join(head, sizeof head, {dir, "viewers\\quikview.exe "})) return TellTooLong(c, kCommandTooLong);
    char line[kCommandSize];
    if (!QuotedPathLine(c, line, sizeof line, head, l.CursorIndex)) return TellTooLong(c, kCommandTooLong);
    c.platform.Run(line);
}

void ViewCommand(LaunchContext& c) {
    Listing& l = c.listing;
    if (!EntryQualifies(l.table, l.CursorIndex, RowKind::PlainFile)) return;
    c.platform.BuiltInPager(c.owner, l.table.rows[l.CursorIndex]);
}

bool FindMaskCommand(LaunchContext& c) {
    Listing& l = c.listing;
    char text[kPathSize];
    std::snprintf(text, sizeof text, "%s", l.FileMask);
    if (!Ask(c, kFindTitle, text, sizeof text)) return false;
    if (std::strlen(text) >= sizeof l.FileMask) {
        TellTooLong(c, kMaskTooLong);
        return false;
    }
    std::memcpy(l.FileMask, text, std::strlen(text) + 1);
    return true;
}

}  // namespace qrn
