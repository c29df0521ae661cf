// Registered commands and directories: two collections of pages of lettered
// entries kept in qrn.ini. A collection's section ("EXEC", "DIREC") holds
// MaxPage and NowPage; each page has a section of its own ("EXEC_01" ...)
// with PageTitle and the entries "A" to "Z", each stored as the text, two
// blanks, ";" and a comment. The command window shows one page of one
// collection and picks an entry; the registration dialog edits all pages.
#pragma once
#include <cstddef>
#include <string>

#include "base/profile.h"

namespace qrn {

enum class Collection : int { Commands = 1, Directories = 2 };

constexpr int kWindowPages = 16;  // the most the command window turns through
constexpr int kDialogPages = 15;  // the pages the registration dialog keeps
constexpr int kEntryLetters = 26, kSlots = 20;  // "A" to "Z"; the dialog edits "A" to "T"
constexpr std::size_t kEntrySize = 260, kTitleSize = 128, kCommentSize = 128;

struct PageCount {
    int count, current;
};
// MaxPage (above 16 taken as 16, below 1 as 3) and NowPage (within 1 ..
// MaxPage) of the collection.
PageCount ReadPageCount(Profile& ini, Collection c);
// "EXEC_01" and so on.
std::string PageSection(Collection c, int page);

// An entry as the command window holds it: the text before the first ";"
// (for a directory only up to its last backslash), and the comment after it
// (the text when there is none).
struct RegisteredItem {
    char text[kEntrySize];
    char comment[kCommentSize];
};
void SplitEntry(const char* stored, Collection c, RegisteredItem& item);

// The command window: the page shown, the row selected (0-9 the left
// column, A-J; 10-19 the right one, K-T), comments or texts shown.
struct CommandList {
    Collection collection = Collection::Commands;
    int page = 1, pages = 3;
    int selected = 0;
    bool showText = false;
    RegisteredItem items[kEntryLetters] = {};
    char pageTitle[kTitleSize] = {};
    int picked = -1;  // the letter picked, once it is
    bool closed = false;
};

// Reads the page count and the page to show.
void OpenCommandList(CommandList& l, Profile& ini, Collection c);
// The window's title: the collection's, the page title and the number.
std::string CommandListTitle(const CommandList& l);
// What row i shows: its comment, or its text after Tab.
const char* CommandRowText(const CommandList& l, int row);

enum class ListAnswer { None, Select, Repaint, Page, Done };
// A key, translated as in the list: the arrows move (wrapping), Tab toggles
// texts and comments, Page Down and Page Up turn the page (wrapping; NowPage
// written), Enter picks the selected row, a letter picks its entry at once,
// Escape closes.
ListAnswer CommandListKey(CommandList& l, Profile& ini, int key);
// The row under a client point of a window of cells cw by lh.
int CommandRowAt(int x, int y, int cw, int lh);

// The registration dialog's pages, all of them at once.
struct RegisteredPages {
    Collection collection = Collection::Commands;
    int count = 3, current = 1;  // count at most kDialogPages
    char titles[kDialogPages][kTitleSize] = {};
    char entries[kDialogPages][kEntryLetters][kEntrySize] = {};
    int lastSlot = -1;  // the slot whose button was pressed last
};
void LoadRegisteredPages(Profile& ini, Collection c, RegisteredPages& p);
// Every page's title and entries; an empty one deletes its key.
void StoreRegisteredPages(Profile& ini, const RegisteredPages& p);

enum class SlotAnswer { Stored, Taken, Chosen, TooLong };
// A slot button: with a path, "path  ;comment" is stored there (TooLong when
// it would not fit, and nothing changes) and the fields are emptied; without
// one, the slot's text comes back into them.
SlotAnswer PressSlot(RegisteredPages& p, int slot, std::string& path, std::string& comment);
// Empties the slot used last and the fields; false when there is none.
bool ClearLastSlot(RegisteredPages& p, std::string& path, std::string& comment);
// Shows page n; false when it is out of range.
bool TurnToPage(RegisteredPages& p, int n);

}  // namespace qrn
