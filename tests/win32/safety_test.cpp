// What the file operations must never do, tried against the real thing where
// Wine can make it: links made on the Linux side (to files, to a parent), a
// small tmpfs as a drive and mounted on a folder of another drive.
#include <gtest/gtest.h>

#include <fstream>

#include "fileops/fileops_texts.h"
#include "fileops/in_place.h"
#include "fileops/transfer.h"
#include "fileops_support.h"

using namespace qrn;
using namespace qrntest;

namespace {

// A file link is never deleted, moved or changed through: what it points to
// stays as it was, and so does the link where the system cannot remove it alone.
TEST_F(Ops, FileLinksAndWhatTheyPointToStay) {
    const std::string links = MappedDrive("LINKS"), fl = links + "fl\\", o = fl + "out\\o.txt";
    EXPECT_EQ(0, DeleteTree(fs, *this, fl + "row.lnk", FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(0, DeleteTree(fs, *this, fl + "tree", FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ((Strings{Told(kRowErrorTitle, fl + "row.lnk" + kLinkNotDeleted),
                       Told(kRowErrorTitle, fl + "tree" + kDeleteFailed + kLinksLeft + "\r" + fl + "tree\\f.lnk")}),
              prompts.messages);
    EXPECT_EQ((Strings{"f.lnk"}), Names(fl + "tree"));  // the rest of the tree went
    TempTree t, src;
    CopyJob job = Job();
    EXPECT_EQ(0, MoveEntry(job, fl, t.Path(), "row.lnk", FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(Strings{}, Names(t.Path()));
    // A directory link in a moved tree stays too, told; the rest of the tree moves.
    prompts.messages.clear(), prompts.answers = {kIdOk, kIdOk};  // told, then the rest
    EXPECT_EQ(1, MoveEntry(job, links, t.Path(), "movetree", FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ((Strings{"out"}), Names(links + "movetree"));
    EXPECT_EQ("m", Slurp(t / "movetree\\sub\\m.txt"));
    EXPECT_EQ((Strings{"keep.txt"}), Names(links + "outside"));
    EXPECT_EQ(Told(kErrorTitle, links + "movetree\\out" + kLinkNotMoved), prompts.messages.at(0));
    // A target that is a link to a read-only file: replaced itself, or told,
    // but the file it points to keeps its content and its attribute.
    src.File("ro.lnk", "new");
    for (const bool move : {false, true}) {
        CopyJob j = Job();
        if (move) MoveEntry(j, src.Path(), fl, "ro.lnk", FILE_ATTRIBUTE_ARCHIVE);
        else CopyEntry(j, src.Path(), fl, "ro.lnk", FILE_ATTRIBUTE_ARCHIVE, false, "");
        EXPECT_EQ("r", Slurp(fl + "out\\ro.txt"));
        EXPECT_TRUE(GetFileAttributesA((fl + "out\\ro.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_EQ("o", Slurp(o));
    for (const char* kept : {"row.lnk", "ro.lnk", "tree"}) EXPECT_TRUE(Exists(fl + kept)) << kept;
}

// Short room, on a volume of 4 MiB: a source beyond 4 GiB counts whole, and
// what the old target frees is what it really takes (a sparse one nothing).
TEST_F(Ops, ShortRoomCountsWholeSizesAndWhatTheOldTargetReallyTakes) {
    const std::string small = MappedDrive("SMALL");
    TempTree src;
    src.File("big.dat", "");
    std::filesystem::resize_file(src / "big.dat", (4ull << 30) + 10);  // sparse: 4 GiB and 10 bytes
    src.File("f.dat", std::string(3 << 20, 'n'));
    std::ofstream(small + "filler", std::ios::binary) << std::string(5 << 19, 'f');  // 1.5 MiB left
    HANDLE h = CreateFileA((small + "f.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    SetFilePointer(h, 3 << 20, nullptr, FILE_BEGIN), SetEndOfFile(h), CloseHandle(h);  // sparse: takes nothing
    for (const std::string name : {"big.dat", "f.dat"}) {
        prompts.answers = {kIdCancel}, prompts.messages.clear();
        CopyJob job = Job();
        EXPECT_EQ(0, CopyEntry(job, src.Path(), small, name, FILE_ATTRIBUTE_ARCHIVE, false, ""));
        EXPECT_EQ((Strings{small + name + "|" + kMediaChange}), prompts.messages);
    }
    EXPECT_EQ(3u << 20, fs.Stat(small + "f.dat").size);
    DeleteFileA((src / "big.dat").c_str()), DeleteFileA((small + "f.dat").c_str()), DeleteFileA((small + "filler").c_str());
}

// Another volume mounted on a folder of the same drive: a move there asks
// for room first, and goes by the program's own copy, the source removed
// only once the copy is whole; a read-only file ends on one volume only.
TEST_F(Ops, AMoveOntoAVolumeMountedOnAFolder) {
    const std::string vol = MappedDrive("LINKS") + "vol\\";
    TempTree src(MappedDrive("LINKS"));
    src.File("big.dat", std::string(3 << 20, 'b'));
    src.File("ro.txt", "read-only", FILE_ATTRIBUTE_READONLY);
    std::ofstream(vol + "filler", std::ios::binary) << std::string(5 << 19, 'f');
    prompts.answers = {kIdCancel};
    CopyJob job = Job();
    EXPECT_EQ(0, MoveEntry(job, src.Path(), vol, "big.dat", FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ((Strings{vol + "big.dat|" + kMediaChange}), prompts.messages);
    const FileStat before = fs.Stat(src / "ro.txt");
    EXPECT_EQ(1, MoveEntry(job, src.Path(), vol, "ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ((Strings{"big.dat"}), Names(src.Path()));
    EXPECT_EQ((Strings{"filler", "ro.txt"}), Names(vol));
    EXPECT_EQ("read-only", Slurp(vol + "ro.txt"));
    EXPECT_EQ(before.writeTime, fs.Stat(vol + "ro.txt").writeTime);
    SetFileAttributesA((vol + "ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((vol + "ro.txt").c_str()), DeleteFileA((vol + "filler").c_str());
}

}  // namespace
