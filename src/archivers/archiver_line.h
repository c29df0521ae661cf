// The command lines QRN's archiver libraries are given: words (commands and
// paths, quotes removed), switches of the form -x, -x0, -x+ or -x-, "-o"
// with a directory after it, and "@" response files naming more paths.
#pragma once
#include <string>
#include <vector>

namespace qrn {

struct ArchiverLine {
    std::vector<std::string> words;     // in order; a quoted word may start with '-'
    std::vector<std::string> switches;  // "-a1", "-cvf": unquoted words that start with '-', but "-o"
    std::string outDir;                 // the word after "-o"
    std::vector<std::string> responses; // the names after '@'
    // The value of switch letter c: its character after the letter ('1' for
    // "-a1", '+' or '-'), '\1' for a bare "-c", '\0' when absent.
    char Switch(char c) const;
};

// A quote left open at the end of the line closes there; double-byte
// characters are never split.
ArchiverLine ReadArchiverLine(const char* line);

// The names of a response file: one a line, quoted or not; blank lines are none.
std::vector<std::string> ReadResponseNames(const std::string& text);

}  // namespace qrn
