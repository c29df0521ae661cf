// The one-line input dialog: its shared state, the history of the lines
// entered under each title and the rule that decides whether a line is taken.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "base/profile.h"
#include "base/sjis.h"
#include "launch/launch_texts.h"

namespace qrn {

constexpr std::size_t kInputLineMax = 255;      // characters the edit field takes
constexpr std::size_t kHistorySectionSize = 128;  // section name: at most 127 bytes + NUL
constexpr int kHistoryKept = 32;                 // entries written back: "000".."031"
constexpr int kHistoryReadLimit = 1000;          // a hand-edited section is read up to "999"
constexpr const char* kHistoryEnd = "<END>";     // what a missing key reads as

// "QRNHIST" followed by the title, cut to size-1 bytes (at most 127) without
// splitting a double-byte character.
void HistorySectionName(const char* title, char* out, std::size_t size);

// The lines kept under the title, newest first: "000", "001", ... until a key
// is missing. An absent section gives an empty list.
std::vector<std::string> ReadHistory(Profile& ini, const char* title);

// Replaces the section of the title by the first kHistoryKept entries.
void WriteHistory(Profile& ini, const char* title, const std::vector<std::string>& entries);

enum class InputDecision {
    Rejected,   // an empty line: the dialog stays open
    ToHistory,  // the line is taken and goes to the front of the history
    ShellPath,  // an empty line for "Shell Command": the command interpreter, no history
};

// Decides on the line in text (size bytes; cut to kInputLineMax bytes first).
// For ShellPath, text is replaced by shellPath.
InputDecision DecideInput(const char* title, char* text, std::size_t size, const char* shellPath);

// The OK step: decides on text and, when the line goes to the history, puts
// it in front of history (the list the dialog shows) and writes that back.
InputDecision AcceptInput(Profile& ini, const char* title, char* text, std::size_t size, const char* shellPath,
                          std::vector<std::string>& history);

}  // namespace qrn
