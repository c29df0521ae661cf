#include "setup/setup_pages.h"

#include <cstring>

#include "base/sjis.h"
#include "setup/setup_texts.h"

namespace qrn {

void LoadArchiverPage(Profile& ini, Settings& edited) {
    for (const SetupRow& row : kArchiverPage) LoadSetting(edited, ini, row.key);
}

void SaveArchiverPage(Profile& ini, const Settings& edited, Settings& live) {
    for (const SetupRow& row : kArchiverPage) {
        const void* from = FieldOf(const_cast<Settings&>(edited), row.key);
        void* to = FieldOf(live, row.key);
        if (KeyOf(row.key).type == KeyType::Text) {
            if (!static_cast<const char*>(from)[0]) continue;
            CopyCut(static_cast<char*>(to), KeyOf(row.key).size, static_cast<const char*>(from));
        } else {
            *static_cast<int*>(to) = *static_cast<const int*>(from) ? 1 : 0;
        }
        StoreSetting(ini, live, row.key);
    }
}

Settings OpenPage(std::span<const PageRow> page, Profile& ini, const Settings& live) {
    Settings edited = live;
    for (const PageRow& r : page)
        if (r.fromFile) LoadSetting(edited, ini, r.row.key);
    return edited;
}

void SavePage(std::span<const PageRow> page, Profile& ini, Settings& edited, Settings& live) {
    for (const PageRow& r : page) {
        const KeyInfo& k = KeyOf(r.row.key);
        void* from = FieldOf(edited, r.row.key);
        if (r.directory && static_cast<char*>(from)[0]) AddBackslash(static_cast<char*>(from), k.size);
        StoreSetting(ini, edited, r.row.key);
        if (!r.applied) continue;
        void* to = FieldOf(live, r.row.key);
        if (k.type == KeyType::Text) CopyCut(static_cast<char*>(to), k.size, static_cast<const char*>(from));
        else *static_cast<int*>(to) = *static_cast<const int*>(from);
    }
}

void StoreColors(Profile& ini, const Settings& s) {
    for (ColorIndex c : kPageColors)
        for (int part = 0; part < 3; ++part) StoreSetting(ini, s, ColorKey(c, part));
}

std::vector<std::string> ReadBinColors(Profile& ini) {
    std::vector<std::string> lines;
    for (const std::string& key : ini.SectionKeys(kSectionBinColor)) {
        char value[kPathSize];
        ini.GetString(kSectionBinColor, key.c_str(), kBinColorEnd, value, sizeof value);
        TrimDanglingLead(value);
        if (std::strcmp(value, kBinColorEnd) == 0) break;
        lines.push_back(key + "=" + value);
    }
    return lines;
}

void WriteBinColors(Profile& ini, const std::vector<std::string>& lines) {
    ini.WriteString(kSectionBinColor, nullptr, nullptr);
    for (const std::string& line : lines) {
        const std::size_t eq = line.find('=');
        const std::string key = line.substr(0, eq), value = eq == std::string::npos ? "" : line.substr(eq + 1);
        if (!key.empty()) ini.WriteString(kSectionBinColor, key.c_str(), value.c_str());
    }
}

}  // namespace qrn
