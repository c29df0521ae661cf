#include "archivers/archiver_line.h"

#include "base/sjis.h"

namespace qrn {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next word at p: quoted parts joined with what touches them; quoted
// tells whether it began with a quote.
std::string NextWord(const char*& p, bool& quoted) {
    std::string w;
    quoted = *p == '"';
    bool inQuote = false;
    for (; *p && (inQuote || !Blank(*p)); ++p) {
        if (*p == '"') {
            inQuote = !inQuote;
            continue;
        }
        if (IsLeadByte(*p) && p[1]) w += *p++;
        w += *p;
    }
    return w;
}

}  // namespace

char ArchiverLine::Switch(char c) const {
    for (const std::string& s : switches)
        for (std::size_t i = 1; i < s.size(); ++i)
            if (s[i] == c) return i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-' || (s[i + 1] >= '0' && s[i + 1] <= '9')) ? s[i + 1] : '\1';
    return '\0';
}

ArchiverLine ReadArchiverLine(const char* line) {
    ArchiverLine r;
    bool wantDir = false;
    for (const char* p = line; *p;) {
        if (Blank(*p)) {
            ++p;
            continue;
        }
        bool quoted = false;
        const std::string w = NextWord(p, quoted);
        if (wantDir) r.outDir = w, wantDir = false;
        else if (!quoted && w == "-o") wantDir = true;
        else if (!quoted && w.size() > 1 && w[0] == '-') r.switches.push_back(w);
        else if (!quoted && w.size() > 1 && w[0] == '@') r.responses.push_back(w.substr(1));
        else r.words.push_back(w);
    }
    return r;
}

std::vector<std::string> ReadResponseNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string lineText = text.substr(start, end - start);
        start = end + 1;
        const char* p = lineText.c_str();
        while (Blank(*p)) ++p;
        bool quoted = false;
        std::string name = *p ? NextWord(p, quoted) : std::string();
        if (!quoted) {  // an unquoted name runs to the end of its line, blanks and all
            std::size_t last = lineText.find_last_not_of(" \t\r");
            std::size_t first = lineText.find_first_not_of(" \t");
            name = last == std::string::npos ? std::string() : lineText.substr(first, last - first + 1);
        }
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

}  // namespace qrn
