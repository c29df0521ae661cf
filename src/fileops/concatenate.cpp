#include "fileops/concatenate.h"

#include <cstdio>

#include "base/prompts.h"
#include "fileops/copy_engine.h"
#include "fileops/fileops_texts.h"

namespace qrn {

namespace {

constexpr char kEndOfFile = 0x1A;

// Appends one input to the open file out; false told.
bool AppendInput(const ConcatRequest& r, FileSystem& fs, void* owner, const std::string& input, FileHandle out,
                 const std::string& target, std::vector<char>& block) {
    const FileHandle in = fs.OpenRead(input);
    if (in == kNoFile) {
        Tell(owner, input + kConcatInputFailed, kRowErrorTitle);
        return false;
    }
    TextJoin text;
    std::string converted;
    bool ok = true;
    for (;;) {
        std::size_t got = 0;
        if (!fs.Read(in, block.data(), block.size(), got)) {
            Tell(owner, input + kConcatInputFailed, kRowErrorTitle);
            ok = false;
            break;
        }
        if (got == 0) break;
        const char* data = block.data();
        std::size_t size = got;
        if (!r.binary) {
            converted.clear();
            text.Add(data, got, converted);
            data = converted.data(), size = converted.size();
        }
        if (size > 0 && !fs.Write(out, data, size)) {
            Tell(owner, target + kConcatWriteFailed, kRowErrorTitle);
            ok = false;
            break;
        }
        if (text.Ended()) break;
    }
    fs.Close(in);
    return ok;
}

}  // namespace

void TextJoin::Add(const char* data, std::size_t size, std::string& out) {
    for (std::size_t i = 0; i < size && !ended_; ++i) {
        const char c = data[i];
        if (c == kEndOfFile) {
            ended_ = true;
            break;
        }
        if (c == '\n' && !lastCr_) out += '\r';
        out += c;
        lastCr_ = c == '\r';
    }
}

bool Concatenate(const ConcatRequest& r, FileSystem& fs, void* owner, std::string* said) {
    Prompts& p = CurrentPrompts();
    if (r.unplaced > 0) {
        p.Message(owner, kConcatOrderMissing, kConfirmTitle, kMbOk);
        return false;
    }
    if (r.name.empty()) {
        p.Message(owner, kConcatNameMissing, kConfirmTitle, kMbOk);
        return false;
    }
    const std::string target = r.dir + r.name;
    const bool exists = fs.Stat(target).exists;
    if (exists && p.Message(owner, (r.name + kConcatExists).c_str(), kConfirmTitle,
                            kMbOkCancel | kMbIconQuestion | kMbDefButton2) != kIdOk)
        return false;
    const std::string temp = TemporaryName(fs, target);
    const FileHandle out = temp.empty() ? kNoFile : fs.CreateNew(temp, kAttrNormal);
    if (out == kNoFile) {
        Tell(owner, kConcatTempFailed, kRowErrorTitle);
        return false;
    }
    std::vector<char> block(r.blockSize > 0 ? r.blockSize : 1);
    bool ok = true;
    for (const std::string& name : r.order)
        if (!(ok = AppendInput(r, fs, owner, r.dir + name, out, target, block))) break;
    if (!fs.Close(out) && ok) {
        Tell(owner, target + kConcatWriteFailed, kRowErrorTitle);
        ok = false;
    }
    // The old target goes only now, and only as the new file takes its place.
    if (ok && !(exists ? fs.Replace(temp, target) : fs.Rename(temp, target))) {
        Tell(owner, target + kConcatReplaceFailed, kRowErrorTitle);
        ok = false;
    }
    if (!ok) {
        fs.RemoveFile(temp);
        return false;
    }
    if (said) {
        char text[kPathSize + 64];
        std::snprintf(text, sizeof text, kSaidConcatenated, static_cast<int>(r.order.size()), r.name.c_str());
        *said = text;
    }
    return true;
}

}  // namespace qrn
