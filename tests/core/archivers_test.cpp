// QRN's own archiver code: the command-line reader, entry names that would
// leave the target, TAR archives against GNU tar, gzip and compress, ZIP
// archives against Info-ZIP's zip (and Python's, for names it refuses), LZH
// archives against jlha.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>

#include "archivers/archiver_line.h"
#include "archivers/entry_path.h"
#include "archivers/tar32.h"
#include "archivers/unlha32.h"
#include "archivers/unzip32.h"
#include "base/sjis.h"

using namespace qrn;
namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

// Files and directories in memory; paths as the libraries are given them.
struct MemoryFiles : ArchiveFiles {
    std::map<std::string, std::string> files;
    std::set<std::string> dirs{"T:\\", ".\\"};
    std::map<std::string, std::int64_t> times;
    std::map<std::string, std::uint32_t> attributes;
    Strings told;

    struct Source : ByteSource {
        std::string data;
        std::size_t at = 0;
        bool Size(std::uint64_t& size) override { return size = data.size(), true; }
        bool Seek(std::uint64_t to) override { return to <= data.size() && (at = to, true); }
        long long Read(void* out, std::size_t size) override {
            const std::size_t n = std::min(size, data.size() - at);
            std::memcpy(out, data.data() + at, n);
            return at += n, static_cast<long long>(n);
        }
    };
    struct Written : NewFile {
        MemoryFiles& m;
        std::string path, data;
        Written(MemoryFiles& owner, std::string p) : m(owner), path(std::move(p)) {}
        bool Write(const void* p, std::size_t n) override { return data.append(static_cast<const char*>(p), n), true; }
        bool WriteAt(std::uint64_t at, const void* p, std::size_t n) override {
            return at + n <= data.size() && (data.replace(at, n, static_cast<const char*>(p), n), true);
        }
        std::int64_t time = 0;
        void SetTime(std::int64_t t) override { time = t; }
        void SetLocalTime(std::uint16_t date, std::uint16_t t) override { time = date << 16 | t; }
        bool Commit() override { return m.files[path] = data, m.times[path] = time, true; }
    };
    // Relative paths are the working directory's, ".\\".
    static std::string Norm(const std::string& p) { return p.size() > 1 && (p[1] == ':' || p[0] == '.') ? p : ".\\" + p; }
    static std::string Dir(const std::string& p) { return EndsWithBackslash(Norm(p).c_str()) ? Norm(p) : Norm(p) + "\\"; }
    std::unique_ptr<ByteSource> Open(const std::string& path) override {
        if (!files.count(Norm(path))) return nullptr;
        auto s = std::make_unique<Source>();
        s->data = files[Norm(path)];
        return s;
    }
    std::unique_ptr<NewFile> Create(const std::string& path) override {
        const std::string p = Norm(path);
        return dirs.count(p.substr(0, LastBackslash(p.c_str()) + 1)) ? std::make_unique<Written>(*this, p) : nullptr;
    }
    bool MakeDirectories(const std::string& path) override {
        const std::string p = Norm(path);
        for (std::size_t i = 0; i < p.size(); ++i)
            if (IsLeadByte(p[i])) ++i;
            else if (p[i] == '\\') dirs.insert(p.substr(0, i + 1));
        return true;
    }
    void SetAttributes(const std::string& path, std::uint32_t a) override { attributes[path] = a; }
    bool Find(const std::string& path, FoundEntry& e) override {
        const std::string p = Norm(path);
        e = FoundEntry{path, dirs.count(Dir(path)) > 0, files.count(p) ? files[p].size() : 0, 1600000000, attributes[p]};
        return e.directory || files.count(p);
    }
    bool List(const std::string& dir, std::vector<FoundEntry>& entries) override {
        const std::string d = Dir(dir);
        auto child = [&](const std::string& p) {  // the part of p below d when it is one name
            return p.size() > d.size() && p.compare(0, d.size(), d) == 0 && LastBackslash(p.c_str()) < static_cast<int>(d.size())
                       ? p.substr(d.size()) : std::string();
        };
        for (auto& [p, data] : files)
            if (!child(p).empty()) entries.push_back(FoundEntry{child(p), false, data.size(), 1600000000, attributes[p]});
        for (auto& p : dirs)
            if (!child(p.substr(0, p.size() - 1)).empty()) entries.push_back(FoundEntry{child(p.substr(0, p.size() - 1)), true, 0, 0});
        return true;
    }
    bool Inside(const std::string& path, const std::string& top) override { return path.compare(0, top.size(), top) == 0; }
    bool SameFile(const std::string& a, const std::string& b) override { return Norm(a) == Norm(b); }
    std::string FromUtf8(const std::string& utf8) override {  // converted: what is not ASCII is marked
        return std::all_of(utf8.begin(), utf8.end(), [](char c) { return c > 0; }) ? utf8 : "<" + utf8 + ">";
    }
    void Tell(const std::string& text) override { told.push_back(text); }
};

// A directory of the host's own, for the real tools.
struct HostDir {
    fs::path path = fs::temp_directory_path() / ("qrn-archivers-" + std::to_string(std::random_device{}()));
    HostDir() { fs::create_directories(path); }
    ~HostDir() { fs::remove_all(path); }
    void Put(const std::string& name, const std::string& data) {
        fs::create_directories((path / name).parent_path());
        std::ofstream(path / name, std::ios::binary) << data;
    }
    std::string Get(const std::string& name) {
        std::ifstream in(path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    int Run(const std::string& command) { return std::system(("cd '" + path.string() + "' && " + command).c_str()); }
};

// Mutated archives of each kind: 3000 in the test tier, QRN_FUZZ_ROUNDS for a longer run by hand.
int FuzzRounds() {
    const char* n = std::getenv("QRN_FUZZ_ROUNDS");
    return n && std::atoi(n) > 0 ? std::atoi(n) : 3000;
}

const std::string kSjisName = "\x83\x5C\x95\x5C.txt";  // ソ表: both trail bytes 0x5C
const std::string kLongName = std::string(60, 'p') + "/" + std::string(60, 'n') + ".txt";  // ustar splits it

}  // namespace

TEST(ArchiverLine, WordsSwitchesAndResponses) {
    ArchiverLine a = ReadArchiverLine("xvf \"C:\\ARC\\b.tar\" -o \"D:\\OUT\\b\\");  // the last quote left open
    EXPECT_EQ((Strings{"xvf", "C:\\ARC\\b.tar"}), a.words);
    EXPECT_EQ("D:\\OUT\\b\\", a.outDir);
    a = ReadArchiverLine("a -a1 -d1 -x+ \"C:\\\x83\x5C\\my arc\" @C:\\TEMP\\QRN1.TMP \"@not a list\"");
    EXPECT_EQ((Strings{"a", "C:\\\x83\x5C\\my arc", "@not a list"}), a.words);
    EXPECT_EQ((Strings{"C:\\TEMP\\QRN1.TMP"}), a.responses);
    EXPECT_EQ((std::string{'1', '1', '+', '\0'}), (std::string{a.Switch('a'), a.Switch('d'), a.Switch('x'), a.Switch('q')}));
    EXPECT_EQ((Strings{"a b.txt", "\x83\x5C", "c"}), ReadResponseNames("\"a b.txt\"\r\n\r\n\x83\x5C\r\n  c  \n"));
}

TEST(EntryPath, NamesThatWouldLeaveTheTarget) {
    const std::pair<std::string, std::string> rows[] = {
        {"a/b/c.txt", "a\\b\\c.txt"}, {"./a//b\\", "a\\b"}, {kSjisName, kSjisName}, {"d/" + kSjisName, "d\\" + kSjisName},
        {"../x", ""}, {"a/../../x", ""}, {"a/.. /x", ""}, {"a/.../x", ""}, {"/etc/x", ""}, {"\\x", ""},
        {"C:x", ""}, {"a/b:stream", ""}, {"con", ""}, {"d/NUL.txt", ""}, {"COM1", ""}, {"lpt9.log", ""},
        {"COM10", "COM10"}, {"", ""}, {".", ""}};
    for (const auto& [name, relative] : rows) {
        std::string got;
        EXPECT_EQ(!relative.empty(), SafeEntryPath(name, got)) << name;
        EXPECT_EQ(relative, got) << name;
    }
}

// What GNU tar makes, plain, through gzip and through compress, comes out
// byte for byte; long, Shift-JIS and pax names included.
TEST(Tar, ReadsWhatGnuTarMakes) {
    HostDir host;
    host.Put("in/a.txt", "alpha\n");
    host.Put("in/d/" + kSjisName, std::string(70000, 's'));
    host.Put("in/" + kLongName, "long");
    host.Put("in/\xC3\xBC.txt", "u");
    const struct { const char* options; const char* file; } rows[] = {
        {"--format=gnu -cf", "a.tar"}, {"--format=ustar -czf", "a.tgz"}, {"--format=gnu -cZf", "a.tar.Z"},
        {"--format=posix -cf", "p.tar"}};  // pax: a UTF-8 path, and a binary one
    for (const auto& r : rows) {
        ASSERT_EQ(0, host.Run(std::string("LC_ALL=C.UTF-8 tar ") + r.options + " " + r.file + " -C in a.txt d \xC3\xBC.txt " +
                              kLongName.substr(0, 60))) << r.file;
        MemoryFiles m;
        m.files[std::string("C:\\") + r.file] = host.Get(r.file);
        EXPECT_EQ(0, RunTarLine(m, (std::string("xvf \"C:\\") + r.file + "\" -o \"T:\\out\\").c_str())) << r.file;
        EXPECT_EQ((Strings{}), m.told);
        EXPECT_EQ("alpha\n", m.files["T:\\out\\a.txt"]) << r.file;
        EXPECT_EQ("u", m.files[std::string(r.file) == "p.tar" ? "T:\\out\\<\xC3\xBC.txt>" : "T:\\out\\\xC3\xBC.txt"]) << r.file;
        EXPECT_TRUE(std::string(70000, 's') == m.files["T:\\out\\d\\" + kSjisName]) << r.file;
        EXPECT_EQ("long", m.files["T:\\out\\" + std::string(60, 'p') + "\\" + std::string(60, 'n') + ".txt"]) << r.file;
    }
}

// What QRN makes, GNU tar reads back byte for byte; the archive is never in itself.
TEST(Tar, GnuTarReadsWhatQrnMakes) {
    MemoryFiles m;
    m.MakeDirectories(".\\tree\\sub\\");
    m.files[".\\tree\\sub\\" + kSjisName] = std::string(1025, 'x');
    m.files[".\\tree\\" + std::string(120, 'n')] = "";  // GNU keeps it in an entry of its own
    m.files[".\\one.txt"] = "one";
    m.files[".\\list"] = "\"tree\"\r\n\"one.txt\"\r\n\"out.tar\"\r\n";
    m.files[".\\out.tar"] = "old";
    EXPECT_EQ(0, RunTarLine(m, "-cvf \"out.tar\" @.\\list"));
    EXPECT_EQ((Strings{}), m.told);
    HostDir host;
    host.Put("out.tar", m.files[".\\out.tar"]);
    ASSERT_EQ(0, host.Run("mkdir x && tar -xf out.tar -C x && tar --quoting-style=literal -tf out.tar | sort > names"));
    EXPECT_TRUE(std::string(1025, 'x') == host.Get("x/tree/sub/" + kSjisName));
    EXPECT_EQ("one", host.Get("x/one.txt"));
    EXPECT_EQ("one.txt\ntree/\ntree/" + std::string(120, 'n') + "\ntree/sub/\ntree/sub/" + kSjisName + "\n",
              host.Get("names"));
    EXPECT_FALSE(fs::exists(host.path / "x/out.tar"));  // the list named the archive itself
}

// Names leaving the target are refused and told; the rest goes on. A damaged
// or cut archive is told and leaves no part of an entry; mutated archives
// never crash or hang the reader.
TEST(Tar, HostileAndDamagedArchives) {
    HostDir host;
    host.Put("a.txt", "a"), host.Put("b.txt", std::string(5000, 'b'));
    ASSERT_EQ(0, host.Run("tar -cPf evil.tar --transform='s,^a,../a,' a.txt b.txt && tar -czf ok.tgz b.txt a.txt"
                          " && tar -cZf ok.tar.Z b.txt a.txt && tar -cf ok.tar b.txt a.txt"));
    MemoryFiles m;
    m.files["C:\\evil.tar"] = host.Get("evil.tar");
    EXPECT_EQ(1, RunTarLine(m, "xvf \"C:\\evil.tar\" -o \"T:\\out\\"));
    EXPECT_EQ((Strings{"展開先の外を指す名前なので展開しませんでした: ../a.txt"}), m.told);
    EXPECT_EQ((Strings{"C:\\evil.tar", "T:\\out\\b.txt"}), [&] { Strings k; for (auto& f : m.files) k.push_back(f.first); return k; }());
    for (const std::string& data : {host.Get("ok.tar").substr(0, 2000), std::string(2048, 'z')}) {
        MemoryFiles d;
        d.files["C:\\x.tgz"] = data;
        EXPECT_EQ(2, RunTarLine(d, "xvf \"C:\\x.tgz\" -o \"T:\\out\\"));
        EXPECT_EQ(1u, d.told.size());
        EXPECT_EQ(1u, d.files.size());  // nothing of b.txt, cut inside it
    }
    std::mt19937 rng(2026);
    for (const char* name : {"ok.tgz", "ok.tar.Z", "evil.tar"}) {
        const std::string good = host.Get(name);
        for (int round = 0; round < FuzzRounds(); ++round) {
            std::string bad = good;
            for (int i = 0, n = 1 + static_cast<int>(rng() % 8); i < n; ++i) bad[rng() % bad.size()] = static_cast<char>(rng());
            if (rng() % 4 == 0) bad.resize(rng() % bad.size());
            MemoryFiles f;
            f.files["C:\\x"] = bad;
            RunTarLine(f, "xvf \"C:\\x\" -o \"T:\\out\\");
        }
    }
}

// Stored and deflated, ZIP64, directories, Shift-JIS and UTF-8 names: byte
// for byte. A wrong CRC keeps nothing of its entry; a name leaving the
// target is refused; the rest goes on, and mutated archives do no harm.
TEST(Zip, ReadsWhatZipMakes) {
    HostDir host;
    host.Put("in/a.txt", "alpha"), host.Put("in/d/" + kSjisName, std::string(70000, 's')), host.Put("in/\xC3\xBC.txt", "u");
    ASSERT_EQ(0, host.Run("mkdir in/empty && cd in && zip -qr ../a.zip . && zip -qr -fz ../z64.zip . && "
                          "zip -q0 ../stored.zip a.txt && cd .. && python3 -c \"import zipfile; z = zipfile.ZipFile('evil.zip', 'w'); "
                          "z.writestr('../evil.txt', 'e'); z.writestr('ok.txt', 'o'); z.close(); "
                          "z = zipfile.ZipFile('u8.zip', 'w'); z.writestr('\xC3\xBC.txt', 'v'); z.close()\""));
    for (const char* name : {"a.zip", "z64.zip"}) {
        MemoryFiles m;
        m.files[std::string("C:\\") + name] = host.Get(name);
        EXPECT_EQ(0, RunUnzipLine(m, (std::string("-x \"C:\\") + name + "\" \"T:\\out\\\"").c_str())) << name;
        EXPECT_EQ((Strings{}), m.told);
        EXPECT_EQ("alpha", m.files["T:\\out\\a.txt"]) << name;
        EXPECT_TRUE(std::string(70000, 's') == m.files["T:\\out\\d\\" + kSjisName]) << name;
        EXPECT_EQ("u", m.files["T:\\out\\\xC3\xBC.txt"]) << name;  // no UTF-8 flag: the bytes as they are
        EXPECT_TRUE(m.dirs.count("T:\\out\\empty\\")) << name;
    }
    MemoryFiles u;  // flagged UTF-8: converted
    u.files["C:\\u.zip"] = host.Get("u8.zip");
    EXPECT_EQ(0, RunUnzipLine(u, "x \"C:\\u.zip\" -o \"T:\\out\\\""));
    EXPECT_EQ("v", u.files["T:\\out\\<\xC3\xBC.txt>"]);
    std::string stored = host.Get("stored.zip");
    stored[stored.find("alpha")] = 'A';
    const std::pair<std::string, Strings> bad[] = {
        {stored, {"壊れているので展開しませんでした: T:\\out\\a.txt"}},
        {host.Get("evil.zip"), {"展開先の外を指す名前なので展開しませんでした: ../evil.txt"}}};
    for (const auto& [data, told] : bad) {
        MemoryFiles m;
        m.files["C:\\x.zip"] = data;
        EXPECT_EQ(1, RunUnzipLine(m, "-x \"C:\\x.zip\" \"T:\\out\\\""));
        EXPECT_EQ(told, m.told);
        EXPECT_EQ(m.files.count("T:\\out\\ok.txt"), m.files.size() - 1);  // only what was whole and inside
    }
    std::mt19937 rng(2027);
    const std::string good = host.Get("a.zip");
    for (int round = 0; round < FuzzRounds(); ++round) {
        std::string mutated = good;
        for (int i = 0, n = 1 + static_cast<int>(rng() % 8); i < n; ++i) mutated[rng() % mutated.size()] = static_cast<char>(rng());
        MemoryFiles f;
        f.files["C:\\x"] = mutated;
        RunUnzipLine(f, "-x \"C:\\x\" \"T:\\out\\\"");
    }
}

// Header levels 0, 1 and 2, -lh0- to -lh7-, a text with long matches and one
// past the dictionary: byte for byte. A wrong CRC keeps nothing of its entry.
TEST(Lzh, ReadsWhatJlhaMakes) {
    HostDir host;
    std::string text, noise;
    for (int i = 0; i < 20000; ++i) text += "line " + std::to_string(i % 97) + (i % 7 ? " of it\n" : " again\n");
    std::mt19937 rng(5);
    for (int i = 0; i < 90000; ++i) noise += static_cast<char>('a' + rng() % 26);
    host.Put("a.txt", "alpha"), host.Put("d/text.txt", text), host.Put("d/noise.txt", noise);
    host.Put("small.txt", text.substr(0, 3000));
    const char* const commands[] = {"a0", "a1", "ao5", "ao6", "ao7"};
    for (const char* command : commands) {
        const std::string name = std::string(command) + ".lzh";
        ASSERT_EQ(0, host.Run(std::string("jlha ") + command + " " + name + " a.txt d/text.txt d/noise.txt > /dev/null"));
        MemoryFiles m;
        m.files["C:\\" + name] = host.Get(name);
        EXPECT_EQ(0, RunUnlhaLine(m, ("x -a1 \"C:\\" + name + "\" \"T:\\out\\\"").c_str())) << name;
        EXPECT_EQ((Strings{}), m.told) << name;
        EXPECT_EQ("alpha", m.files["T:\\out\\a.txt"]) << name;
        EXPECT_TRUE(text == m.files["T:\\out\\d\\text.txt"]) << name;
        EXPECT_TRUE(noise == m.files["T:\\out\\d\\noise.txt"]) << name;
    }
    std::string bad = host.Get("ao5.lzh");
    bad[bad.size() / 2] ^= 0x55;
    MemoryFiles m;
    m.files["C:\\x.lzh"] = bad;
    EXPECT_NE(0, RunUnlhaLine(m, "x \"C:\\x.lzh\" \"T:\\out\\\""));
    EXPECT_FALSE(m.told.empty());
    EXPECT_EQ(0u, m.files.count("T:\\out\\d\\noise.txt"));
    ASSERT_EQ(0, host.Run("jlha ao5 small.lzh a.txt small.txt > /dev/null"));
    for (int round = 0; round < FuzzRounds(); ++round) {
        std::string mutated = host.Get("small.lzh");
        for (int i = 0, n = 1 + static_cast<int>(rng() % 8); i < n; ++i) mutated[rng() % mutated.size()] = static_cast<char>(rng());
        MemoryFiles f;
        f.files["C:\\x"] = mutated;
        RunUnlhaLine(f, "x \"C:\\x\" \"T:\\out\\\"");
    }
}

// What QRN makes from a tree, lhasa reads back byte for byte (names with a
// 0x5C trail byte, an empty file, one that packing does not shrink, one
// whose packed data outgrow memory), and so does QRN's own reader.
TEST(Lzh, LhasaReadsWhatQrnMakes) {
    std::string text, noise;
    for (int i = 0; i < 30000; ++i) text += "row " + std::to_string(i % 113) + (i % 5 ? " of the list\n" : std::string(300, '=') + "\n");
    std::mt19937 rng(11);
    for (int i = 0; i < 1300000; ++i) noise += static_cast<char>(rng());
    const std::map<std::string, std::string> tree = {
        {"in\\text.txt", text}, {"in\\" + kSjisName, "sjis"}, {"in\\\x95\x5C\\empty.txt", ""},
        {"in\\noise.bin", noise}, {"in\\few.bin", noise.substr(0, 300)}, {"one.txt", "one"}};
    MemoryFiles m;
    m.MakeDirectories(".\\in\\\x95\x5C\\"), m.MakeDirectories(".\\in\\void\\");
    for (const auto& [name, data] : tree) m.files[".\\" + name] = data;
    m.files[".\\list"] = "\"in\"\r\n\"one.txt\"\r\n";
    EXPECT_EQ(0, RunUnlhaLine(m, "a -a1 -d1 \"out\" @.\\list"));  // no extension: .lzh
    EXPECT_EQ((Strings{}), m.told);
    HostDir host;
    host.Put("out.lzh", m.files[".\\out.lzh"]);
    ASSERT_EQ(0, host.Run("lhasa tq out.lzh && mkdir x && lhasa xqw=x out.lzh"));
    MemoryFiles back;
    back.files["C:\\out.lzh"] = m.files[".\\out.lzh"];
    EXPECT_EQ(0, RunUnlhaLine(back, "x -a1 \"C:\\out.lzh\" \"T:\\out\\\""));
    for (const auto& [name, data] : tree) {
        std::string onHost;  // '/' between the parts; a trail byte 0x5C stays
        for (std::size_t i = 0; i < name.size(); ++i)
            onHost += IsLeadByte(name[i]) ? std::string{name[i], name[++i]} : std::string(1, name[i] == '\\' ? '/' : name[i]);
        EXPECT_TRUE(data == host.Get("x/" + onHost)) << name;
        EXPECT_TRUE(data == back.files["T:\\out\\" + name]) << name;
    }
    EXPECT_TRUE(fs::is_directory(host.path / "x/in/void"));
    EXPECT_TRUE(back.dirs.count("T:\\out\\in\\void\\"));
}

// An archive brought up to date keeps what is not replaced; attributes go
// in with -a1 and come back out. What is not an archive, or cannot be read,
// is told and left as it was.
TEST(Lzh, UpdatesKeepWhatIsNotReplaced) {
    MemoryFiles m;
    m.files[".\\a.txt"] = "alpha", m.files[".\\b.txt"] = "old b", m.files[".\\c.txt"] = "gamma";
    m.attributes[".\\a.txt"] = 0x21;
    ASSERT_EQ(0, RunUnlhaLine(m, "a -a1 \"x.lzh\" \"a.txt\" \"b.txt\""));
    m.files[".\\B.TXT"] = "new b";  // the same name to the system
    ASSERT_EQ(0, RunUnlhaLine(m, "a -a1 \"x.lzh\" \"B.TXT\" \"c.txt\""));
    MemoryFiles back;
    back.files["C:\\x.lzh"] = m.files[".\\x.lzh"];
    EXPECT_EQ(0, RunUnlhaLine(back, "x \"C:\\x.lzh\" \"T:\\out\\\""));
    EXPECT_EQ("alpha", back.files["T:\\out\\a.txt"]);
    EXPECT_EQ("new b", back.files["T:\\out\\B.TXT"]);
    EXPECT_EQ("gamma", back.files["T:\\out\\c.txt"]);
    EXPECT_EQ(0u, back.files.count("T:\\out\\b.txt"));
    EXPECT_EQ(0x21u, back.attributes["T:\\out\\a.txt"]);
    const std::pair<const char*, std::string> refused[] = {
        {"a \"notes.txt\" \"a.txt\"", "書庫ファイルとして読めません: notes.txt"},
        {"a \"y\" \"a.txt\" \"gone.txt\"", "書庫に入れられませんでした: gone.txt"},
        {"a \"data.db\" \"a.txt\"", "書庫ファイルとして読めません: data.db"}};  // its first byte is 0, as an archive's end
    for (const auto& [line, told] : refused) {
        MemoryFiles f = m;
        f.told.clear();
        f.files[".\\notes.txt"] = "my only notes", f.files[".\\data.db"] = std::string("\0\1 my data", 10);
        EXPECT_EQ(2, RunUnlhaLine(f, line)) << line;
        EXPECT_EQ((Strings{told}), f.told);
        EXPECT_EQ("my only notes", f.files[".\\notes.txt"]);
        EXPECT_EQ(std::string("\0\1 my data", 10), f.files[".\\data.db"]);
        EXPECT_EQ(0u, f.files.count(".\\y.lzh"));
    }
}
