// Concatenation: files of one directory joined into a new one, byte for byte
// or as text (each input up to its end-of-file mark, line ends as CR LF).
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "fileops/file_system.h"

namespace qrn {

struct ConcatRequest {
    std::string dir;                 // ends in a backslash
    std::string name;                // the file to make in dir
    std::vector<std::string> order;  // the inputs, names in dir, in the order joined
    int unplaced = 0;                // inputs not yet given a place in the order
    bool binary = false;
    std::size_t blockSize = 256 * 1024;
};

// Joins the inputs into a file beside the target that takes the target's
// place only when it is whole (in one step where the system can): a target
// that is one of the inputs gets their old content, and one that cannot be
// replaced stays as it was. Every refusal and failure is told. True when
// the file was made (said then tells it); false keeps the dialog open.
bool Concatenate(const ConcatRequest& r, FileSystem& fs, void* owner, std::string* said);

// The text form of one input, block by block: cut at the first 0x1A, every
// line feed written as CR LF (as a text stream reads and writes it).
class TextJoin {
public:
    void Add(const char* data, std::size_t size, std::string& out);
    bool Ended() const { return ended_; }

private:
    bool lastCr_ = false, ended_ = false;
};

}  // namespace qrn
