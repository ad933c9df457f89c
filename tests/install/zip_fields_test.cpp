// Names, attributes and times as the zip reader reports them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "install/zip_entry_fields.h"
#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

using zip::CleanEntryName;

struct NameCase {
    const char* stored;
    const char* reported;
};

class EntryNameCleaning : public ::testing::TestWithParam<NameCase> {};

TEST_P(EntryNameCleaning, ReportsTheCleanedName) {
    EXPECT_EQ(CleanEntryName(GetParam().stored), GetParam().reported);
    // The same through an archive.
    OpenZip zip(ziptool::BuildZip({MakeEntry(GetParam().stored, "x")}));
    ZipEntryInfo ze;
    GetZipEntry(zip.get(), 0, ze);
    EXPECT_EQ(ze.name, GetParam().reported);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EntryNameCleaning,
    ::testing::Values(NameCase{"C:\\x\\y.txt", "x\\y.txt"}, NameCase{"\\x\\y.txt", "x\\y.txt"},
                      NameCase{"/x/y.txt", "x/y.txt"}, NameCase{"a/b/../c.txt", "c.txt"},
                      NameCase{"a\\..\\b", "b"}, NameCase{"//server/x", "server/x"},
                      NameCase{"C:/../../d.txt", "d.txt"}, NameCase{"a/../b/../c", "c"},
                      NameCase{"plain.txt", "plain.txt"}, NameCase{"a/..b/c", "a/..b/c"},
                      NameCase{"\xe5\x8d\xb8:x", "x"}));

TEST(EntryNameDecoding, CutsAtNulAnd259Units) {
    EXPECT_EQ(zip::DecodeEntryName(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(zip::DecodeEntryName(std::string(300, 'n')), std::string(259, 'n'));
    EXPECT_EQ(zip::DecodeEntryName("bad\xff"), "bad\xef\xbf\xbd");
    // 258 units, then a character that needs two: it does not fit whole.
    const std::string emoji = "\xf0\x9f\x98\x80";
    EXPECT_EQ(zip::DecodeEntryName(std::string(258, 'n') + emoji), std::string(258, 'n'));
}

TEST(EntryNameSafety, ParentStepsAnywhereClimb) {
    for (const char* bad : {"..", "../x", "..\\x", "a/..", "a\\..", "x/../../y"}) {
        EXPECT_TRUE(zip::ClimbsOutOfBase(bad)) << bad;
    }
    for (const char* good : {"", "a", "..a", "a..", "a/...", "./a", "a/.b/c"}) {
        EXPECT_FALSE(zip::ClimbsOutOfBase(good)) << good;
    }
}

struct AttributeCase {
    uint16_t made_by;
    uint32_t external;
    uint32_t expected;
};

class HostAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(HostAttributes, MapToWindowsBits) {
    const AttributeCase& c = GetParam();
    EXPECT_EQ(zip::AttributesFromHost(c.made_by, c.external), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, HostAttributes,
    ::testing::Values(AttributeCase{0x0314, 0100644u << 16, 0x20},  // Unix 0644
                      AttributeCase{0x0314, 0100444u << 16, 0x21},  // Unix 0444
                      AttributeCase{0x0314, 0040755u << 16, 0x30},  // Unix folder
                      AttributeCase{0x0314, 0x27, 0x21},            // DOS bits ignored
                      AttributeCase{0x0014, 0x27, 0x27},            // DOS
                      AttributeCase{0x0014, 0x10, 0x10},
                      AttributeCase{0x0B14, 0x03, 0x03},            // NTFS
                      AttributeCase{0x0714, 0x04, 0x04},            // Macintosh
                      AttributeCase{0x0E14, 0x21, 0x21},            // VFAT
                      AttributeCase{0x0A14, 0100644u << 16, 0x20}));

// Times are checked in a fixed zone so the local-time rule is visible.
class ZoneTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = getenv("TZ");
        old_ = tz ? tz : "";
        had_ = tz != nullptr;
        setenv("TZ", "UTC-2", 1);  // two hours east of UTC
        tzset();
    }
    void TearDown() override {
        if (had_) {
            setenv("TZ", old_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    std::string old_;
    bool had_ = false;
};

uint64_t FileTime(int64_t unix_seconds) {
    return static_cast<uint64_t>(unix_seconds + 11644473600LL) * 10000000ull;
}

TEST_F(ZoneTest, DosTimesAreLocalTime) {
    // 2014-03-01 09:05:04 local is 07:05:04 UTC = 1393657504.
    EXPECT_EQ(zip::DosTimeToFileTime(ziptool::DosDate(2014, 3, 1), ziptool::DosTime(9, 5, 4)),
              FileTime(1393657504));
}

std::string UtBlock(uint8_t flags, std::initializer_list<uint32_t> times, int declared = -1) {
    std::string data(1, static_cast<char>(flags));
    for (uint32_t t : times) {
        for (int i = 0; i < 4; ++i) data += static_cast<char>((t >> (8 * i)) & 0xFF);
    }
    const int size = declared >= 0 ? declared : static_cast<int>(data.size());
    return std::string("UT") + static_cast<char>(size & 0xFF) + static_cast<char>(size >> 8) +
           data;
}

zip::EntryTimes Apply(const std::string& extra) {
    zip::EntryTimes times{1, 2, 3};
    zip::ApplyExtendedTimestamp(reinterpret_cast<const uint8_t*>(extra.data()), extra.size(),
                                times);
    return times;
}

TEST(ExtendedTimestamp, ModificationTimeAloneKeepsTheOthers) {
    const zip::EntryTimes t = Apply(UtBlock(1, {1000}));
    EXPECT_EQ(t.last_write, FileTime(1000));
    EXPECT_EQ(t.last_access, 1u);
    EXPECT_EQ(t.creation, 2u);
}

TEST(ExtendedTimestamp, AllThreeInFlagOrderAfterOtherBlocks) {
    const std::string other = std::string("\x01\x00\x04\x00", 4) + "abcd";
    const zip::EntryTimes t = Apply(other + UtBlock(7, {10, 20, 30}) + UtBlock(7, {4, 5, 6}));
    EXPECT_EQ(t.last_write, FileTime(10));
    EXPECT_EQ(t.last_access, FileTime(20));
    EXPECT_EQ(t.creation, FileTime(30));
}

TEST(ExtendedTimestamp, TimesOutsideTheBlockAreIgnored) {
    // The central-directory form: flags for three times, one present.
    const zip::EntryTimes t = Apply(UtBlock(7, {10}) + std::string("\x01\x00\x04\x00zzzz", 8));
    EXPECT_EQ(t.last_write, FileTime(10));
    EXPECT_EQ(t.last_access, 1u);
    EXPECT_EQ(t.creation, 2u);
}

TEST(ExtendedTimestamp, ADeclaredSizePastTheFieldIsBoundedByTheField) {
    // Declares 13 data bytes but the field ends after the first time; the
    // bytes that follow in memory must not be read as times.
    const std::string block = UtBlock(7, {10}, 13);
    const std::string memory = block + std::string("\x11\x22\x33\x44\x55\x66\x77\x08", 8);
    zip::EntryTimes t{1, 2, 3};
    zip::ApplyExtendedTimestamp(reinterpret_cast<const uint8_t*>(memory.data()), block.size(), t);
    EXPECT_EQ(t.last_write, FileTime(10));
    EXPECT_EQ(t.last_access, 1u);
    EXPECT_EQ(t.creation, 2u);
}

TEST(ExtendedTimestamp, ShortFieldsAreLeftAlone) {
    const zip::EntryTimes t = Apply(std::string("UT\x05", 3));
    EXPECT_EQ(t.last_write, 3u);
    const zip::EntryTimes u = Apply(std::string("UT\x00\x00\x01", 5));
    EXPECT_EQ(u.last_write, 3u);
}

class ZipTimesTest : public Sandbox {};

TEST_F(ZipTimesTest, ExtractedFileCarriesTheEntryTimes) {
    WriterEntry e = MakeEntry("t.txt", "timed");
    e.dos_date = ziptool::DosDate(2014, 3, 1);
    e.dos_time = ziptool::DosTime(9, 5, 4);
    e.local_extra = UtBlock(3, {1500000000, 1600000000});
    WriterEntry d = MakeEntry("d.txt", "dos");
    d.dos_date = ziptool::DosDate(2001, 2, 3);
    d.dos_time = ziptool::DosTime(4, 5, 6);
    OpenZip zip(ziptool::BuildZip({e, d}));
    const ZipEntryInfo ze = zip.Info(0);
    EXPECT_EQ(ze.mtime, FileTime(1500000000));
    EXPECT_EQ(ze.atime, FileTime(1600000000));
    EXPECT_EQ(ze.ctime, zip::DosTimeToFileTime(e.dos_date, e.dos_time));
    SetBaseDirectory(zip.get(), Root());
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "t.txt"), kZipOk);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 1, "d.txt"), kZipOk);
    struct stat st {};
    ASSERT_EQ(stat((Root() + "/t.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 1500000000);
    EXPECT_EQ(st.st_atime, 1600000000);
    ASSERT_EQ(stat((Root() + "/d.txt").c_str(), &st), 0);
    const ZipEntryInfo zd = zip.Info(1);
    EXPECT_EQ(FileTime(st.st_mtime), zd.mtime);
    EXPECT_EQ(zd.atime, zd.mtime);
    EXPECT_EQ(zd.ctime, zd.mtime);
}

}  // namespace
}  // namespace vostra::test
