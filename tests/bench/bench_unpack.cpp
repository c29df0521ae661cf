// QRN's own UNZIP32 and UNLHA32 against a bare loop, in the same run
// (medians, the two taking turns): a ZIP and an -lh5- archive of the same
// 2000 files of 4 KiB in 20 directories (made by zip and jlha beforehand,
// their paths the arguments), unpacked; the bare loop inflates the ZIP's
// entries with zlib and writes them with CreateFileA/WriteFile.
#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "archivers/archive_files_win32.h"
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return std::printf("usage: qrn_bench_unpack FILES.ZIP FILES.LZH\n"), 2;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "qrn_bench_unpack_" + std::to_string(GetCurrentProcessId()) + "\\";
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
    if (files.told) std::printf("(the libraries told %d messages)\n", files.told);
    Report("unpack zip of 2000 files (UNZIP32)", Median(zipOurs), "inflate loop", Median(bare));
    Report("unpack lzh of 2000 files (UNLHA32)", Median(lzhOurs), "inflate loop", Median(bare));
    BareDelete(base.substr(0, base.size() - 1));
    return 0;
}
