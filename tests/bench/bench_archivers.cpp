// QRN's own UNZIP32 and UNLHA32 against bare loops, in the same run
// (medians, taking turns): a ZIP and an -lh5- archive of the same 2000 files
// of 4 KiB in 20 directories (made by zip and jlha beforehand, their paths
// the arguments), unpacked; the bare loop inflates the ZIP's entries with
// zlib and writes them with CreateFileA/WriteFile. Then the files themselves
// (the third argument, their directory) packed into an -lh5- archive,
// against a loop that reads them and deflates each at zlib's level 6 into
// one file: in time, and in the size of the packed data.
#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "archivers/archive_files_win32.h"
#include "archivers/entry_place.h"
#include "archivers/lzh_archive.h"
#include "archivers/unlha32.h"
#include "archivers/unzip32.h"
#include "bench_clock.h"
#include "bench_files.h"

using namespace bench;

namespace {

struct Quiet : qrn::Win32ArchiveFiles {
    Quiet() : Win32ArchiveFiles(nullptr) {}
    int told = 0;
    void Tell(const std::string&) override { ++told; }
};

std::string Slurp(const char* path) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string data(GetFileSize(h, nullptr), '\0');
    DWORD n = 0;
    ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
    CloseHandle(h);
    return data;
}

std::uint32_t U16(const std::string& d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t U32(const std::string& d, std::size_t at) { return U16(d, at) | U16(d, at + 2) << 16; }

// The ZIP's entries inflated and written, the directories made on the way.
void BareUnzip(const std::string& zip, const std::string& out) {
    std::size_t end = zip.size() - 22;
    while (U32(zip, end) != 0x06054B50) --end;
    std::vector<char> plain;
    for (std::size_t at = U32(zip, end + 16), n = U16(zip, end + 10); n-- > 0;) {
        const std::size_t nameSize = U16(zip, at + 28), local = U32(zip, at + 42), size = U32(zip, at + 24);
        std::string name = zip.substr(at + 46, nameSize);
        at += 46 + nameSize + U16(zip, at + 30) + U16(zip, at + 32);
        for (char& c : name) c = c == '/' ? '\\' : c;
        if (name.back() == '\\') {
            CreateDirectoryA((out + name).c_str(), nullptr);
            continue;
        }
        CreateDirectoryA((out + name.substr(0, name.rfind('\\'))).c_str(), nullptr);
        const std::size_t data = local + 30 + U16(zip, local + 26) + U16(zip, local + 28);
        plain.resize(size);
        z_stream z{};
        inflateInit2(&z, -MAX_WBITS);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
        z.avail_in = static_cast<uInt>(U32(zip, local + 18));
        z.next_out = reinterpret_cast<Bytef*>(plain.data()), z.avail_out = static_cast<uInt>(size);
        inflate(&z, Z_FINISH);
        inflateEnd(&z);
        HANDLE h = CreateFileA((out + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(h, plain.data(), static_cast<DWORD>(size), &written, nullptr);
        CloseHandle(h);
    }
}

// Every file of the tree read and deflated at level 6, the packed data
// written one after the other into out; their size.
std::uint64_t BareDeflate(const std::string& dir, HANDLE out) {
    std::uint64_t total = 0;
    WIN32_FIND_DATAA d;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &d);
    std::vector<unsigned char> plain, packed;
    do {
        const std::string path = dir + "\\" + d.cFileName;
        if (d.cFileName[0] == '.') continue;
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            total += BareDeflate(path, out);
            continue;
        }
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        plain.resize(d.nFileSizeLow);
        DWORD n = 0;
        ReadFile(h, plain.data(), d.nFileSizeLow, &n, nullptr);
        CloseHandle(h);
        z_stream z{};
        deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        packed.resize(deflateBound(&z, n));
        z.next_in = plain.data(), z.avail_in = n;
        z.next_out = packed.data(), z.avail_out = static_cast<uInt>(packed.size());
        deflate(&z, Z_FINISH);
        WriteFile(out, packed.data(), static_cast<DWORD>(z.total_out), &n, nullptr);
        total += z.total_out;
        deflateEnd(&z);
    } while (FindNextFileA(find, &d));
    FindClose(find);
    return total;
}

// The packed data of an LZH archive's entries, their headers left out.
std::uint64_t PackedData(qrn::ArchiveFiles& f, const std::string& archive) {
    std::unique_ptr<qrn::ByteSource> in = f.Open(archive);
    std::uint64_t total = 0;
    std::vector<unsigned char> skip(1 << 16);
    for (qrn::LzhEntry e; in && qrn::ReadLzhHeader(*in, e) == 1; e = qrn::LzhEntry{}) {
        total += e.packed;
        for (std::uint64_t left = e.packed; left > 0;) {
            const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, skip.size()));
            if (!qrn::ReadExactly(*in, skip.data(), take)) return total;
            left -= take;
        }
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return std::printf("usage: qrn_bench_archivers FILES.ZIP FILES.LZH FILES-DIR\n"), 2;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "qrn_bench_archivers_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(base.c_str(), nullptr);
    Quiet files;
    std::vector<double> zipOurs, lzhOurs, bare;
    for (int r = 0; r < 7; ++r) {
        for (int turn = 0; turn < 3; ++turn) {
            const int which = (turn + r) % 3;
            const std::string out = base + "o" + std::to_string(r) + "_" + std::to_string(which) + "\\";
            const double t = Now();
            if (which == 0) {
                qrn::RunUnzipLine(files, ("-x \"" + std::string(argv[1]) + "\" \"" + out + "\"").c_str());
                zipOurs.push_back(Now() - t);
            } else if (which == 1) {
                qrn::RunUnlhaLine(files, ("x \"" + std::string(argv[2]) + "\" \"" + out + "\"").c_str());
                lzhOurs.push_back(Now() - t);
            } else {
                CreateDirectoryA(out.c_str(), nullptr);
                BareUnzip(Slurp(argv[1]), out);
                bare.push_back(Now() - t);
            }
            BareDelete(out.substr(0, out.size() - 1));
        }
    }
    Report("unpack zip of 2000 files (UNZIP32)", Median(zipOurs), "inflate loop", Median(bare));
    Report("unpack lzh of 2000 files (UNLHA32)", Median(lzhOurs), "inflate loop", Median(bare));
    // Packing: the names of the tree's directories, as P hands them over.
    std::string names;
    for (int d = 0; d < 20; ++d) names += " \"d" + std::to_string(d) + "\"";
    SetCurrentDirectoryA(argv[3]);
    std::vector<double> packOurs, packBare;
    std::uint64_t oursSize = 0, bareSize = 0;
    for (int r = 0; r < 7; ++r) {
        for (int turn = 0; turn < 2; ++turn) {
            const std::string out = base + "p" + std::to_string(r) + "_" + std::to_string(turn);
            const double t = Now();
            if ((turn + r) % 2 == 0) {
                qrn::RunUnlhaLine(files, ("a -a1 -d1 \"" + out + ".lzh\"" + names).c_str());
                packOurs.push_back(Now() - t);
                oursSize = PackedData(files, out + ".lzh");
                DeleteFileA((out + ".lzh").c_str());
            } else {
                HANDLE h = CreateFileA(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
                bareSize = BareDeflate(".", h);
                CloseHandle(h);
                packBare.push_back(Now() - t);
                DeleteFileA(out.c_str());
            }
        }
    }
    Report("pack lzh of 2000 files (UNLHA32)", Median(packOurs), "deflate loop", Median(packBare));
    std::printf("  size ratio %.2f (packed data %llu bytes against deflate's %llu)\n",
                static_cast<double>(oursSize) / static_cast<double>(bareSize), static_cast<unsigned long long>(oursSize),
                static_cast<unsigned long long>(bareSize));
    if (files.told) std::printf("(the libraries told %d messages)\n", files.told);
    BareDelete(base.substr(0, base.size() - 1));
    return 0;
}
