#include "fake_profile.h"

#include <cstring>
#include <sstream>

#include "base/sjis.h"

namespace qrn::test {

namespace {
std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}
bool Same(const std::string& a, const std::string& b) { return CompareNoCase(a.c_str(), b.c_str()) == 0; }
}  // namespace

FakeProfile::FakeProfile(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    Section* cur = nullptr;
    while (std::getline(in, line)) {
        std::string t = Trim(line);
        if (t.size() >= 2 && t[0] == '[') {
            std::size_t close = t.find(']');
            std::string name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            cur = FindSection(name);
            if (!cur) {
                sections_.push_back({name, {}});
                cur = &sections_.back();
            }
            continue;
        }
        std::size_t eq = t.find('=');
        if (!cur || eq == std::string::npos) continue;
        std::string key = Trim(t.substr(0, eq));
        bool dup = false;
        for (auto& kv : cur->keys) dup = dup || Same(kv.first, key);
        if (!dup) cur->keys.push_back({key, Trim(t.substr(eq + 1))});
    }
}

FakeProfile::Section* FakeProfile::FindSection(const std::string& name) {
    for (auto& s : sections_)
        if (Same(s.name, name)) return &s;
    return nullptr;
}

const std::string* FakeProfile::Find(const std::string& section, const std::string& key) const {
    for (auto& s : sections_)
        if (Same(s.name, section))
            for (auto& kv : s.keys)
                if (Same(kv.first, key)) return &kv.second;
    return nullptr;
}

int FakeProfile::GetInt(const char* section, const char* key, int def) {
    const std::string* v = Find(section, key);
    if (!v || v->empty()) return def;
    const char* p = v->c_str();
    bool neg = false;
    if (*p == '-') {
        neg = true;
        ++p;
    }
    long long n = 0;
    while (*p >= '0' && *p <= '9') {
        n = n * 10 + (*p++ - '0');
        if (n > 0x7fffffffLL) n = 0x7fffffffLL;
    }
    return static_cast<int>(neg ? -n : n);
}

std::size_t FakeProfile::GetString(const char* section, const char* key, const char* def, char* out,
                                   std::size_t size) {
    const std::string* v = Find(section, key);
    std::string value = v ? *v : std::string(def);
    std::size_t n = value.size() < size ? value.size() : size - 1;
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return n;
}

void FakeProfile::WriteString(const char* section, const char* key, const char* value) {
    ++writes;
    Section* s = FindSection(section);
    if (!key) {
        for (auto it = sections_.begin(); it != sections_.end(); ++it)
            if (&*it == s) {
                sections_.erase(it);
                break;
            }
        return;
    }
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    for (auto& kv : s->keys)
        if (Same(kv.first, key)) {
            kv.second = value;
            return;
        }
    s->keys.push_back({key, value});
}

std::vector<std::string> FakeProfile::SectionKeys(const char* section) {
    std::vector<std::string> keys;
    if (Section* s = FindSection(section))
        for (const auto& kv : s->keys) keys.push_back(kv.first);
    return keys;
}

}  // namespace qrn::test
