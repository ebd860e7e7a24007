#include <gtest/gtest.h>

#include <algorithm>

#include "WriterTestSupport.h"
#include "export/SafeFileReplace.h"
#include "export/WriterErrors.h"

using namespace writertest;
using iconexport::ReplaceFileContents;
using iconexport::TemporaryNameFor;

namespace {

const std::vector<std::uint8_t> kOld{'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'};
const std::vector<std::uint8_t> kNew{'n', 'e', 'w'};

void ExpectCreateError(const std::string& path) {
    try {
        ReplaceFileContents(path, kNew);
        ADD_FAILURE() << "no error for " << path;
    } catch (const toolkit::EFCreateError& e) {
        EXPECT_EQ(e.what(), "ファイル " + path + " を作成できません");
    }
}

}  // namespace

TEST(ReplaceFileContents, CreatesOrReplacesTheFileAndLeavesNothingElse) {
    ScratchFolder folder;
    ReplaceFileContents(folder / "A.ICO", kNew);
    WriteFileBytes(folder / "B.ICO", kOld);
    ReplaceFileContents(folder / "B.ICO", kNew);
    ReplaceFileContents(folder / "C.ICO", {});

    EXPECT_EQ(ReadFileBytes(folder / "A.ICO"), kNew);
    EXPECT_EQ(ReadFileBytes(folder / "B.ICO"), kNew);  // shorter than before: nothing of the old stays
    EXPECT_TRUE(ReadFileBytes(folder / "C.ICO").empty());
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"A.ICO", "B.ICO", "C.ICO"}));

    // "表" ends in the byte 0x5C, which looks like a backslash.
    const std::string sub = folder / "\x95\x5C\x8E\xA6";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    WriteFileBytes(sub + "\\\x95\x5C" "0000.ICO", kOld);
    ReplaceFileContents(sub + "\\\x95\x5C" "0000.ICO", kNew);
    EXPECT_EQ(ReadFileBytes(sub + "\\\x95\x5C" "0000.ICO"), kNew);
    EXPECT_EQ(FolderEntries(sub), std::vector<std::string>{"\x95\x5C" "0000.ICO"});
}

TEST(ReplaceFileContents, TakesTheNextTemporaryNameWhenOneIsInTheWay) {
    // Temporaries left by runs that were killed (more than the 32 tries there were), and a folder
    // of the next name: none of them is touched.
    ScratchFolder folder;
    const std::string path = folder / "A.ICO";
    WriteFileBytes(path, kOld);
    for (int attempt = 0; attempt < 40; ++attempt) WriteFileBytes(TemporaryNameFor(path, attempt), kOld);
    ASSERT_TRUE(CreateDirectoryA(TemporaryNameFor(path, 40).c_str(), nullptr));
    ReplaceFileContents(path, kNew);
    EXPECT_EQ(ReadFileBytes(path), kNew);
    for (int attempt = 0; attempt < 40; ++attempt) EXPECT_EQ(ReadFileBytes(TemporaryNameFor(path, attempt)), kOld);
    EXPECT_TRUE(IsFolder(TemporaryNameFor(path, 40)));
    EXPECT_EQ(FolderEntries(folder.Path()).size(), 42u);
}

// A write that stops part-way, as on a full disk, or a run killed while writing: while the bytes
// go out the name holds what it held before (a file that was there, or nothing, which a later run
// would otherwise keep as "skipped"), and after the failure the same, without a temporary.
TEST(ReplaceFileContents, AWriteThatFailsPartWayLeavesEverythingAsItWas) {
    ScratchFolder folder;
    WriteFileBytes(folder / "OLD.ICO", kOld);
    const struct { const char* name; bool existed; } rows[] = {{"OLD.ICO", true}, {"NEW.ICO", false}};
    for (const auto& row : rows) {
        const std::string path = folder / row.name;
        bool present = !row.existed;
        std::vector<std::uint8_t> underTheName;
        iconexport::SetFileSystemCalls({[&](void* file, const std::uint8_t* bytes, std::size_t size) {
            present = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (present) underTheName = ReadFileBytes(path);
            DWORD written = 0;
            WriteFile(file, bytes, static_cast<DWORD>(size / 2), &written, nullptr);
            return false;
        }});
        EXPECT_THROW(ReplaceFileContents(path, kNew), iconexport::EWriteError) << row.name;
        iconexport::SetFileSystemCalls({});
        EXPECT_EQ(present, row.existed) << row.name;
        EXPECT_EQ(underTheName, row.existed ? kOld : std::vector<std::uint8_t>{}) << row.name;
    }
    EXPECT_EQ(ReadFileBytes(folder / "OLD.ICO"), kOld);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"OLD.ICO"});
}

// The temporary's name is short: a file whose full path is one below the limit is replaced too.
TEST(ReplaceFileContents, ReplacesAFileWhosePathIsAtTheLimit) {
    ScratchFolder folder;
    std::string deep = folder.Path();
    while (deep.size() + 1 + 8 < MAX_PATH - 12) {  // folders may be at most MAX_PATH - 12 long
        deep += "\\" + std::string(std::min<std::size_t>(8, MAX_PATH - 12 - deep.size() - 2), 'D');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    const std::string path = deep + "\\" + std::string(MAX_PATH - 1 - deep.size() - 1 - 8, 'N') + "0000.ICO";
    ASSERT_EQ(path.size(), static_cast<std::size_t>(MAX_PATH - 1));
    WriteFileBytes(path, kOld);
    ReplaceFileContents(path, kNew);
    EXPECT_EQ(ReadFileBytes(path), kNew);
    EXPECT_EQ(FolderEntries(deep).size(), 1u);
    EXPECT_LT(iconexport::TemporaryNameFor(path, 31).size(), path.size());
}

// A replaced file keeps what marks it (hidden, system, archive); the temporary beside it takes
// them before it moves, so at no moment does the target lack them.
TEST(ReplaceFileContents, TheReplacedFileKeepsItsAttributes) {
    ScratchFolder folder;
    const DWORD cases[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_ARCHIVE,
                           FILE_ATTRIBUTE_NORMAL};
    for (const DWORD attributes : cases) {
        const std::string path = folder / ("A" + std::to_string(attributes) + ".ICO");
        WriteFileBytes(path, kOld);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes));
        const DWORD before = GetFileAttributesA(path.c_str());
        const DWORD marks = attributes & ~FILE_ATTRIBUTE_NORMAL;  // "normal" reads back as archive
        ASSERT_EQ(before & marks, marks) << "the platform keeps no such attribute";
        ReplaceFileContents(path, kNew);
        EXPECT_EQ(ReadFileBytes(path), kNew);
        EXPECT_EQ(GetFileAttributesA(path.c_str()), before) << attributes;
    }
    EXPECT_EQ(FolderEntries(folder.Path()).size(), 4u);
}

TEST(ReplaceFileContents, FailuresGiveTheCreateErrorAndLeaveEverythingAsItWas) {
    ScratchFolder folder;
    // A folder of the target's name, with something in it.
    const std::string blocked = folder / "A.ICO";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    WriteFileBytes(blocked + "\\INSIDE.TXT", kOld);
    ExpectCreateError(blocked);
    EXPECT_EQ(ReadFileBytes(blocked + "\\INSIDE.TXT"), kOld);

    // A read-only file (tests run as root: permission bits would not stop a write under Wine).
    const std::string readOnly = folder / "B.ICO";
    WriteFileBytes(readOnly, kOld);
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectCreateError(readOnly);
    EXPECT_EQ(ReadFileBytes(readOnly), kOld);

    // A folder that does not exist.
    ExpectCreateError(folder / "GONE\\C.ICO");

    // A folder where files can be made but not named (a share refusing the rename).
    iconexport::FileSystemCalls refusing;
    refusing.rename = [](void*, const std::string&) { return false; };
    iconexport::SetFileSystemCalls(refusing);
    ExpectCreateError(folder / "D.ICO");
    iconexport::SetFileSystemCalls({});

    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"A.ICO", "B.ICO"}));
    EXPECT_TRUE(IsFolder(blocked));
}

// The system's replacement may fail after it removed the target, and the move after it for a while
// (a scanner holding the new file): one version always stays, after five moves at most. Only a
// replacement is flushed; a new file takes its name without a move over anything.
TEST(ReplaceFileContents, AReplacementThatLosesItsTargetKeepsTheNewContents) {
    const struct { bool targetRemoved; int movesRefused; std::string afterwards; int moves; } rows[] = {
        {true, 2, "new", 3}, {true, 100, "kept", 5}, {false, 100, "old", 1}};
    for (const auto& row : rows) {
        ScratchFolder folder;
        const std::string path = folder / "A.ICO";
        WriteFileBytes(path, kOld);
        int flushes = 0, moves = 0;
        iconexport::SetFileSystemCalls(
            {nullptr, [&](void* file) { return ++flushes, FlushFileBuffers(file) != FALSE; },
             [&](const std::string& target, const std::string&) { return row.targetRemoved && !DeleteFileA(target.c_str()); },
             [&](const std::string& from, const std::string& to) { return ++moves > row.movesRefused && MoveFileA(from.c_str(), to.c_str()); }});
        std::string error;
        try {
            ReplaceFileContents(path, kNew);
        } catch (const toolkit::Exception& e) {
            error = e.what();
        }
        ReplaceFileContents(folder / "NEW.ICO", kNew);
        iconexport::SetFileSystemCalls({});
        EXPECT_EQ(flushes, 1) << row.afterwards;
        EXPECT_EQ(moves, row.moves) << row.afterwards;
        EXPECT_EQ(ReadFileBytes(folder / "NEW.ICO"), kNew);
        const std::vector<std::string> entries = FolderEntries(folder.Path());  // a kept "~" temporary sorts last
        ASSERT_EQ(entries.size(), 2u) << row.afterwards;
        const std::string kept = folder / entries.back();
        if (row.afterwards == "kept") {
            EXPECT_EQ(ReadFileBytes(kept), kNew);
            EXPECT_EQ(error, "ファイル " + path + " を作成できません。新しい内容は " + kept + " に残っています");
        } else {
            EXPECT_EQ(ReadFileBytes(path), row.afterwards == "new" ? kNew : kOld) << row.afterwards;
            EXPECT_EQ(error, row.afterwards == "new" ? "" : "ファイル " + path + " を作成できません");
        }
    }
}
