// The zip reader on archives made by our writer: finding the end record,
// listing, extracting, the result codes and the last result.
#include <gtest/gtest.h>

#include <random>

#include "install/zip_entry_fields.h"
#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(gen());
    return out;
}

std::string TwoEntryZip(std::string_view comment = {}) {
    return ziptool::BuildZip({MakeEntry("one.txt", "first entry\r\n", 0),
                              MakeEntry("two.txt", std::string(5000, 'z'), 8)},
                             comment);
}

class ZipReaderTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        base_ = Root() + "/out";
    }
    std::string base_;
};

TEST_F(ZipReaderTest, IndexMinusOneReportsTheCountAndNothingElse) {
    OpenZip zip(TwoEntryZip());
    ASSERT_TRUE(zip);
    ZipEntryInfo ze;
    ze.name = "stale";
    ze.attr = 7;
    ze.mtime = 9;
    ASSERT_EQ(GetZipEntry(zip.get(), -1, ze), kZipOk);
    EXPECT_EQ(ze.index, 2);
    EXPECT_EQ(ze.name, "");
    EXPECT_EQ(ze.attr, 0u);
    EXPECT_EQ(ze.mtime, 0u);
    EXPECT_EQ(ze.comp_size, 0u);
}

TEST_F(ZipReaderTest, StoredAndDeflatedEntriesComeOutWhole) {
    const std::string big = RandomBytes(70000, 1) + std::string(100000, 'a');
    OpenZip zip(ziptool::BuildZip({MakeEntry("stored.bin", big, 0),
                                   MakeEntry("deflated.bin", big, 8),
                                   MakeEntry("empty.txt", "", 8)}));
    ASSERT_TRUE(zip);
    SetBaseDirectory(zip.get(), base_);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ExtractZipEntry(zip.get(), i, zip.Info(i).name), kZipOk) << i;
    }
    EXPECT_EQ(ReadFile(base_ + "/stored.bin"), big);
    EXPECT_EQ(ReadFile(base_ + "/deflated.bin"), big);
    EXPECT_TRUE(std::filesystem::exists(base_ + "/empty.txt"));
    EXPECT_EQ(ReadFile(base_ + "/empty.txt"), "");
    // Only the three files: no temporary file is left beside them.
    EXPECT_EQ(ListTree(base_), (std::set<std::string>{"stored.bin", "deflated.bin", "empty.txt"}));
    const ZipEntryInfo ze = zip.Info(1);
    EXPECT_EQ(ze.unc_size, big.size());
    EXPECT_LT(ze.comp_size, ze.unc_size);
}

TEST_F(ZipReaderTest, DataInFrontOfTheArchiveShiftsEveryOffset) {
    OpenZip zip(RandomBytes(3000, 2) + TwoEntryZip());
    ASSERT_TRUE(zip);
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(zip.Count(), 2);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 1, "two.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/two.txt"), std::string(5000, 'z'));
}

TEST_F(ZipReaderTest, EndRecordIsFoundAcrossEveryChunkBoundary) {
    // The backward search reads overlapping chunks; records lying across a
    // chunk edge, or far behind a long comment, must all be found.
    for (size_t comment : {0u, 1u, 1000u, 1003u, 1004u, 1005u, 1006u, 1007u, 1008u, 2028u,
                           2030u, 2031u, 40000u, 65513u}) {
        OpenZip zip(TwoEntryZip(std::string(comment, 'c')));
        EXPECT_TRUE(zip) << "comment of " << comment;
        if (zip) {
            EXPECT_EQ(zip.Info(0).name, "one.txt");
        }
    }
}

TEST_F(ZipReaderTest, EndRecordBeyondTheSearchWindowIsNotFound) {
    OpenZip zip(TwoEntryZip(std::string(65535, 'c')));
    EXPECT_FALSE(zip);
    EXPECT_EQ(GetLastZipResult(), kZipNoFile);
}

TEST_F(ZipReaderTest, ShortOrForeignDataDoesNotOpen) {
    EXPECT_EQ(OpenZipFromMemory(nullptr, 0), nullptr);
    EXPECT_EQ(GetLastZipResult(), kZipNoFile);
    const char four[] = "PK\x05\x06";
    EXPECT_EQ(OpenZipFromMemory(four, 4), nullptr);
    const std::string text(10000, 'x');
    EXPECT_EQ(OpenZipFromMemory(text.data(), text.size()), nullptr);
    EXPECT_EQ(GetLastZipResult(), kZipNoFile);
    // A signature with no room for the record after it.
    const std::string cut = TwoEntryZip().substr(0, TwoEntryZip().size() - 4);
    EXPECT_EQ(OpenZipFromMemory(cut.data(), cut.size()), nullptr);
}

// Patches one field of the end record (which starts 22 bytes from the end
// when there is no comment).
std::string WithEndField(size_t offset, uint32_t value, int bytes) {
    std::string zip = TwoEntryZip();
    const size_t at = zip.size() - 22 + offset;
    for (int i = 0; i < bytes; ++i) zip[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return zip;
}

TEST_F(ZipReaderTest, InconsistentEndRecordsAreRejected) {
    for (const std::string& bad : {WithEndField(4, 1, 2),        // this disk
                                   WithEndField(6, 1, 2),        // directory's disk
                                   WithEndField(8, 1, 2),        // entries here != total
                                   WithEndField(12, 100000, 4),  // directory larger than space
                                   WithEndField(16, 0xFFFFFF00, 4)}) {
        EXPECT_EQ(OpenZipFromMemory(bad.data(), bad.size()), nullptr);
        EXPECT_EQ(GetLastZipResult(), kZipNoFile);
    }
}

TEST_F(ZipReaderTest, NullHandleAndBadIndexesAreArgumentErrors) {
    ZipEntryInfo ze;
    EXPECT_EQ(GetZipEntry(nullptr, 0, ze), kZipBadArgument);
    EXPECT_EQ(ExtractZipEntry(nullptr, 0, "x"), kZipBadArgument);
    EXPECT_EQ(SetBaseDirectory(nullptr, "/tmp"), kZipBadArgument);
    EXPECT_EQ(CloseZip(nullptr), kZipBadArgument);
    EXPECT_EQ(GetLastZipResult(), kZipBadArgument);
    OpenZip zip(TwoEntryZip());
    EXPECT_EQ(GetLastZipResult(), kZipOk);
    EXPECT_EQ(GetZipEntry(zip.get(), -2, ze), kZipBadArgument);
    EXPECT_EQ(GetZipEntry(zip.get(), 2, ze), kZipBadArgument);
    EXPECT_EQ(ExtractZipEntry(zip.get(), -1, "x"), kZipBadArgument);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 2, "x"), kZipBadArgument);
    EXPECT_EQ(GetLastZipResult(), kZipBadArgument);
}

TEST_F(ZipReaderTest, ExtractingTwiceReplacesTheFile) {
    OpenZip zip(TwoEntryZip());
    SetBaseDirectory(zip.get(), base_);
    WriteFile(base_ + "/one.txt", "an older and much longer file of the same name");
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "one.txt"), kZipOk);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "one.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/one.txt"), "first entry\r\n");
}

TEST_F(ZipReaderTest, NamesWithFoldersCreateThemUnderTheBase) {
    WriterEntry dir = MakeEntry("made/", "", 0);
    dir.external_attributes = 0x10;
    OpenZip zip(ziptool::BuildZip({MakeEntry("a/b/c.txt", "abc"), dir,
                                   MakeEntry("win\\style\\d.txt", "dee")}));
    SetBaseDirectory(zip.get(), base_ + "/");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ExtractZipEntry(zip.get(), i, zip.Info(i).name), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/a/b/c.txt"), "abc");
    EXPECT_TRUE(std::filesystem::is_directory(base_ + "/made"));
    // A backslash separates folders as it does in archives made on Windows.
    EXPECT_EQ(zip.Info(2).name, "win\\style\\d.txt");
    EXPECT_EQ(ReadFile(base_ + "/win/style/d.txt"), "dee");
}

TEST_F(ZipReaderTest, AbsoluteDestinationIsUsedAsGiven) {
    OpenZip zip(TwoEntryZip());
    SetBaseDirectory(zip.get(), base_);
    const std::string elsewhere = Root() + "/elsewhere/deep/copy.txt";
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, elsewhere), kZipOk);
    EXPECT_EQ(ReadFile(elsewhere), "first entry\r\n");
    EXPECT_FALSE(std::filesystem::exists(base_ + "/copy.txt"));
}

TEST_F(ZipReaderTest, BaseDirectoryDefaultsToTheCurrentDirectory) {
    const auto old = std::filesystem::current_path();
    std::filesystem::create_directories(base_);
    std::filesystem::current_path(base_);
    {
        OpenZip zip(TwoEntryZip());
        EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "one.txt"), kZipOk);
    }
    std::filesystem::current_path(old);
    EXPECT_EQ(ReadFile(base_ + "/one.txt"), "first entry\r\n");
}

TEST_F(ZipReaderTest, ReadOnlyEntriesLoseTheirWriteBits) {
    WriterEntry ro = MakeEntry("ro.txt", "locked");
    ro.external_attributes = 0x21;
    OpenZip zip(ziptool::BuildZip({ro, MakeEntry("rw.txt", "open")}));
    SetBaseDirectory(zip.get(), base_);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "ro.txt"), kZipOk);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 1, "rw.txt"), kZipOk);
    EXPECT_EQ(ModeOf(base_ + "/ro.txt") & 0222, 0u);
    EXPECT_EQ(ModeOf(base_ + "/rw.txt"), 0644u);
    // A read-only file is still replaced by the next extraction.
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "ro.txt"), kZipOk);
}

TEST_F(ZipReaderTest, InformationIsRightWhenWalkingBackAndForth) {
    std::vector<WriterEntry> entries;
    for (int i = 0; i < 6; ++i) entries.push_back(MakeEntry("f" + std::to_string(i), "x"));
    OpenZip zip(ziptool::BuildZip(entries));
    for (int i : {5, 0, 3, 3, 1, 5, 2, 4}) EXPECT_EQ(zip.Info(i).name, "f" + std::to_string(i));
}

TEST_F(ZipReaderTest, UnreadableCentralHeaderEndsTheWalkThere) {
    std::string bytes = ziptool::BuildZip(
        {MakeEntry("a", "1"), MakeEntry("b", "2"), MakeEntry("c", "3")});
    // Break the second central header's signature.
    const size_t second = bytes.find(std::string("PK\x01\x02", 4), bytes.find("PK\x01\x02") + 4);
    bytes[second] = 'X';
    OpenZip zip(bytes);
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip.Count(), 3);
    EXPECT_EQ(zip.Info(0).name, "a");
    zip.Info(1, kZipBadHeader);
    zip.Info(2, kZipBadHeader);
    EXPECT_EQ(zip.Info(0).name, "a");
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 2, "c"), kZipBadHeader);
}

TEST_F(ZipReaderTest, FirstEntryUnreadableStillOpens) {
    std::string bytes = TwoEntryZip();
    bytes[bytes.find("PK\x01\x02")] = 'X';
    OpenZip zip(bytes);
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip.Count(), 2);
    zip.Info(0, kZipBadHeader);
}

TEST_F(ZipReaderTest, HandlesThatAreNotOpenAreRefusedNotReadThrough) {
    const std::string data = TwoEntryZip();
    HZIP h = OpenZipFromMemory(data.data(), data.size());
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(CloseZip(h), kZipOk);
    ZipEntryInfo ze;
    EXPECT_EQ(CloseZip(h), kZipNotReader);
    EXPECT_EQ(GetZipEntry(h, -1, ze), kZipNotReader);
    EXPECT_EQ(ExtractZipEntry(h, 0, base_ + "/x"), kZipNotReader);
    EXPECT_EQ(GetLastZipResult(), kZipNotReader);
    int not_a_handle = 0;
    EXPECT_EQ(SetBaseDirectory(reinterpret_cast<HZIP>(&not_a_handle), base_), kZipNotReader);
    EXPECT_EQ(CloseZip(nullptr), kZipBadArgument);
}

}  // namespace
}  // namespace vostra::test
