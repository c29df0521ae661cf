#include "launch/input_history.h"

#include "base/settings.h"

#include <cstdio>
#include <cstring>

namespace qrn {

namespace {

constexpr const char* kHistoryPrefix = kSectionHistory;

void HistoryKey(int index, char* key, std::size_t size) { std::snprintf(key, size, "%03d", index); }

}  // namespace

void HistorySectionName(const char* title, char* out, std::size_t size) {
    if (size == 0) return;
    if (size > kHistorySectionSize) size = kHistorySectionSize;
    std::string full = kHistoryPrefix;
    if (title) full += title;
    CopyCut(out, size, full.c_str());
}

std::vector<std::string> ReadHistory(Profile& ini, const char* title) {
    char section[kHistorySectionSize];
    HistorySectionName(title, section, sizeof section);
    std::vector<std::string> entries;
    for (int i = 0; i < kHistoryReadLimit; ++i) {
        char key[16];
        HistoryKey(i, key, sizeof key);
        char value[kPathSize];
        ini.GetString(section, key, kHistoryEnd, value, sizeof value);
        if (std::strcmp(value, kHistoryEnd) == 0) break;
        entries.push_back(value);
    }
    return entries;
}

void WriteHistory(Profile& ini, const char* title, const std::vector<std::string>& entries) {
    char section[kHistorySectionSize];
    HistorySectionName(title, section, sizeof section);
    ini.WriteString(section, nullptr, nullptr);
    for (std::size_t i = 0; i < entries.size() && i < static_cast<std::size_t>(kHistoryKept); ++i) {
        char key[16];
        HistoryKey(static_cast<int>(i), key, sizeof key);
        ini.WriteString(section, key, entries[i].c_str());
    }
}

InputDecision DecideInput(const char* title, char* text, std::size_t size, const char* shellPath) {
    if (size == 0) return InputDecision::Rejected;
    if (std::strlen(text) > kInputLineMax) {
        char line[kInputLineMax + 1];
        CopyCut(line, sizeof line, text);
        std::memcpy(text, line, std::strlen(line) + 1);
    }
    if (text[0]) return InputDecision::ToHistory;
    if (title && std::strcmp(title, kShellCommandTitle) == 0) {
        CopyCut(text, size, shellPath ? shellPath : "");
        return InputDecision::ShellPath;
    }
    return InputDecision::Rejected;
}

InputDecision AcceptInput(Profile& ini, const char* title, char* text, std::size_t size, const char* shellPath,
                          std::vector<std::string>& history) {
    const InputDecision d = DecideInput(title, text, size, shellPath);
    if (d == InputDecision::ToHistory) {
        history.insert(history.begin(), std::string(text));
        WriteHistory(ini, title, history);
    }
    return d;
}

}  // namespace qrn
