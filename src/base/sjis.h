// Byte-string helpers for Shift-JIS names and paths.
#pragma once
#include <cstddef>

namespace qrn {

constexpr std::size_t kPathSize = 260;  // every path buffer: at most 259 bytes + NUL

// Shift-JIS lead bytes: 0x81-0x9F and 0xE0-0xFC.
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// True when the last character of s is a backslash (not the trail byte of a
// double-byte character such as 0x83 0x5C).
bool EndsWithBackslash(const char* s);

// Position of the last real backslash, or -1.
int LastBackslash(const char* s);

// Copies src into dst (size bytes). Returns false, leaving dst empty, when it
// does not fit whole.
bool CopyWhole(char* dst, std::size_t size, const char* src);

// Appends src to dst (size bytes). Returns false, leaving dst unchanged, when
// the result would not fit.
bool AppendWhole(char* dst, std::size_t size, const char* src);

// Copies at most size-1 bytes, never splitting a double-byte character.
void CopyCut(char* dst, std::size_t size, const char* src);

// Drops a lead byte left alone at the end (after a byte-wise cut).
void TrimDanglingLead(char* s);

// Appends a backslash unless s already ends in one. False when it would not fit.
bool AddBackslash(char* s, std::size_t size);

// ASCII-only case-insensitive comparison of byte strings (trail bytes are
// compared as they are).
int CompareNoCase(const char* a, const char* b);

}  // namespace qrn
