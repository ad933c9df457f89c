// Hostile and damaged archives: headers that disagree, names that climb out
// of the base directory, corrupted data, encryption.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <zlib.h>

#include <csignal>

#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

class ZipSafetyTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        base_ = Root() + "/jail/base";
        std::filesystem::create_directories(base_);
    }
    // Everything below the sandbox other than the jail's base folder.
    std::set<std::string> OutsideBase() {
        std::set<std::string> out;
        for (const std::string& p : ListTree(Root())) {
            if (p != "jail" && p != "jail/base" && p.rfind("jail/base/", 0) != 0 &&
                p.rfind("home", 0) != 0) {
                out.insert(p);
            }
        }
        return out;
    }
    std::string base_;
};

void Patch16(std::string& zip, size_t at, uint16_t v) {
    zip[at] = static_cast<char>(v & 0xFF);
    zip[at + 1] = static_cast<char>(v >> 8);
}

void Patch32(std::string& zip, size_t at, uint32_t v) {
    Patch16(zip, at, v & 0xFFFF);
    Patch16(zip, at + 2, v >> 16);
}

TEST_F(ZipSafetyTest, NamesThatClimbOutAreRefusedAndNothingLeavesTheBase) {
    const std::vector<std::string> names = {"../escaped.txt", "..\\escaped2.txt",
                                            "a/../../escaped3.txt", "..", "sub/..",
                                            "../", "../.."};
    std::vector<WriterEntry> entries;
    for (const std::string& n : names) entries.push_back(MakeEntry(n, "evil"));
    WriterEntry dir = MakeEntry("../evil-dir/", "", 0);
    dir.external_attributes = 0x10;
    entries.push_back(dir);
    OpenZip zip(ziptool::BuildZip(entries));
    SetBaseDirectory(zip.get(), base_);
    for (int i = 0; i < zip.Count(); ++i) {
        ZipEntryInfo ze;
        EXPECT_EQ(GetZipEntry(zip.get(), i, ze), kZipUnsafeName) << names.size() << " " << i;
        EXPECT_EQ(ExtractZipEntry(zip.get(), i, ze.name), kZipUnsafeName) << i;
        EXPECT_EQ(GetLastZipResult(), kZipUnsafeName);
    }
    EXPECT_EQ(zip.Info(0, kZipUnsafeName).name, "../escaped.txt");
    EXPECT_TRUE(OutsideBase().empty());
    EXPECT_TRUE(ListTree(base_).empty());
}

TEST_F(ZipSafetyTest, RelativeDestinationsMayNotClimbEither) {
    OpenZip zip(ziptool::BuildZip({MakeEntry("fine.txt", "ok")}));
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "../fine.txt"), kZipUnsafeName);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "x\\..\\..\\fine.txt"), kZipUnsafeName);
    EXPECT_TRUE(OutsideBase().empty());
}

TEST_F(ZipSafetyTest, LocalHeaderMustAgreeWithTheCentralHeader) {
    const std::string good = ziptool::BuildZip({MakeEntry("e.txt", "entry data")});
    // Local header fields: signature 0, method 8, CRC 14, sizes 18 and 22,
    // name length 26.
    struct Damage {
        size_t at;
        int bytes;
        uint32_t value;
        ZipResult expected;
    };
    for (const Damage& d : {Damage{0, 4, 0x04034B51, kZipBadHeader},
                            Damage{8, 2, 0, kZipBadHeader}, Damage{14, 4, 1, kZipBadHeader},
                            Damage{18, 4, 1, kZipBadHeader}, Damage{22, 4, 1, kZipBadHeader},
                            Damage{26, 2, 4, kZipBadHeader}, Damage{28, 2, 0xFFFF, kZipBadExtra}}) {
        std::string bad = good;
        d.bytes == 2 ? Patch16(bad, d.at, static_cast<uint16_t>(d.value))
                     : Patch32(bad, d.at, d.value);
        OpenZip zip(bad);
        ASSERT_TRUE(zip);
        zip.Info(0, d.expected);
        SetBaseDirectory(zip.get(), base_);
        // Extraction cannot read the data of such an entry: a data error.
        EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "e.txt"), kZipDataError) << "field at " << d.at;
    }
    EXPECT_TRUE(ListTree(base_).empty());
}

TEST_F(ZipSafetyTest, OnlyStoredAndDeflatedMethodsAreRead) {
    WriterEntry bzip = MakeEntry("b.txt", "data", 0);
    bzip.method = 12;
    OpenZip zip(ziptool::BuildZip({bzip}));
    zip.Info(0, kZipBadHeader);
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "b.txt"), kZipDataError);
    EXPECT_TRUE(ListTree(base_).empty());
}

TEST_F(ZipSafetyTest, DataDescriptorEntriesSkipTheLocalSizeCheck) {
    WriterEntry e = MakeEntry("dd.txt", std::string(30000, 'q'));
    e.flags = 0x0008;
    OpenZip zip(ziptool::BuildZip({e, MakeEntry("next.txt", "n")}));
    SetBaseDirectory(zip.get(), base_);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "dd.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/dd.txt"), std::string(30000, 'q'));
    EXPECT_EQ(ExtractZipEntry(zip.get(), 1, "next.txt"), kZipOk);
}

TEST_F(ZipSafetyTest, CrcMismatchFailsAndLeavesNoFile) {
    for (uint16_t method : {0, 8}) {
        WriterEntry e = MakeEntry("crc.txt", "the data of the entry", method);
        e.crc = ziptool::Crc32(e.data) ^ 1;
        OpenZip zip(ziptool::BuildZip({e}));
        SetBaseDirectory(zip.get(), base_);
        EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "crc.txt"), kZipCrcMismatch) << method;
        EXPECT_TRUE(ListTree(base_).empty());
    }
}

TEST_F(ZipSafetyTest, FailedExtractionKeepsTheOldFile) {
    std::string data(200000, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 % 251);
    WriterEntry e = MakeEntry("keep.txt", data);
    std::string deflated = ziptool::DeflateRaw(data);
    deflated[deflated.size() / 2] ^= 0x55;  // corrupt the middle
    e.raw_data = deflated;
    OpenZip zip(ziptool::BuildZip({e}));
    SetBaseDirectory(zip.get(), base_);
    WriteFile(base_ + "/keep.txt", "previous good content");
    const ZipResult r = ExtractZipEntry(zip.get(), 0, "keep.txt");
    EXPECT_TRUE(r == kZipDataError || r == kZipCrcMismatch) << std::hex << r;
    EXPECT_EQ(ReadFile(base_ + "/keep.txt"), "previous good content");
    EXPECT_EQ(ListTree(base_), std::set<std::string>{"keep.txt"});
}

TEST_F(ZipSafetyTest, DataEndingEarlyIsAnError) {
    const std::string data(50000, 'k');
    // The deflate stream ends after 50000 bytes but 60000 are declared.
    WriterEntry longer = MakeEntry("long.txt", data);
    longer.uncompressed_size = 60000;
    std::string bytes = ziptool::BuildZip({longer});
    OpenZip zip(bytes);
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "long.txt"), kZipDataError);
    // Truncated deflate data: the stream never reaches its end.
    WriterEntry truncated = MakeEntry("trunc.txt", data);
    const std::string deflated = ziptool::DeflateRaw(data);
    truncated.raw_data = deflated.substr(0, deflated.size() / 2);
    OpenZip zip2(ziptool::BuildZip({truncated}));
    SetBaseDirectory(zip2.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip2.get(), 0, "trunc.txt"), kZipDataError);
    EXPECT_TRUE(ListTree(base_).empty());
}

TEST_F(ZipSafetyTest, TargetThatCannotBeCreatedIsNoFile) {
    OpenZip zip(ziptool::BuildZip({MakeEntry("taken", "x"), MakeEntry("taken/inner.txt", "y")}));
    SetBaseDirectory(zip.get(), base_);
    std::filesystem::create_directories(base_ + "/taken/sub");
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "taken"), kZipNoFile);
    WriteFile(base_ + "/file", "f");
    EXPECT_EQ(ExtractZipEntry(zip.get(), 1, "file/inner.txt"), kZipNoFile);
}

TEST_F(ZipSafetyTest, FolderThatCannotBeMadeIsReportedNotPassedAsSuccess) {
    WriterEntry dir = MakeEntry("blocked/inner/", "", 0);
    dir.external_attributes = 0x10;
    OpenZip zip(ziptool::BuildZip({dir}));
    SetBaseDirectory(zip.get(), base_);
    WriteFile(base_ + "/blocked", "a file where the folder should go");
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, zip.Info(0).name), kZipNoFile);
    EXPECT_EQ(GetLastZipResult(), kZipNoFile);
}

// Lowers the file-size limit for one scope, so that writes fail with EFBIG
// (the SIGXFSZ that comes with it is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        old_handler_ = signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    sighandler_t old_handler_ = SIG_DFL;
};

TEST_F(ZipSafetyTest, FailedWriteIsReportedAndLeavesNothing) {
    OpenZip zip(ziptool::BuildZip({MakeEntry("big.bin", std::string(100000, 'b'))}));
    SetBaseDirectory(zip.get(), base_);
    WriteFile(base_ + "/big.bin", "the old file");
    ZipResult r;
    {
        FileSizeLimit limit(20000);
        r = ExtractZipEntry(zip.get(), 0, "big.bin");
    }
    EXPECT_EQ(r, kZipWriteFailed);
    EXPECT_EQ(ReadFile(base_ + "/big.bin"), "the old file");
    EXPECT_EQ(ListTree(base_), std::set<std::string>{"big.bin"});
}

// The traditional PKWARE encryption with an empty password, for tests.
class Encryptor {
public:
    std::string Encrypt(const std::string& plain) {
        std::string out;
        for (char c : plain) {
            const uint32_t t = (keys_[2] & 0xFFFF) | 2;
            out += static_cast<char>(c ^ static_cast<char>(((t * (t ^ 1)) >> 8) & 0xFF));
            Update(static_cast<uint8_t>(c));
        }
        return out;
    }

private:
    static uint32_t Step(uint32_t reg, uint8_t b) {
        return ~static_cast<uint32_t>(crc32(~reg & 0xFFFFFFFFu, &b, 1));
    }
    void Update(uint8_t c) {
        keys_[0] = Step(keys_[0], c);
        keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
        keys_[2] = Step(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
    }
    uint32_t keys_[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

WriterEntry EncryptedEntry(const std::string& data, uint8_t check) {
    WriterEntry e = MakeEntry("secret.txt", data, 0);
    e.flags = 0x0001;
    const std::string header = std::string(11, 'h') + static_cast<char>(check);
    e.raw_data = Encryptor().Encrypt(header + data);
    return e;
}

TEST_F(ZipSafetyTest, EncryptionHeaderCheckByte) {
    const std::string data = "encrypted text";
    const auto crc_high = static_cast<uint8_t>(ziptool::Crc32(data) >> 24);
    OpenZip good(ziptool::BuildZip({EncryptedEntry(data, crc_high)}));
    SetBaseDirectory(good.get(), base_);
    ASSERT_EQ(ExtractZipEntry(good.get(), 0, "secret.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/secret.txt"), data);

    OpenZip bad(ziptool::BuildZip({EncryptedEntry(data, crc_high ^ 0x40)}));
    SetBaseDirectory(bad.get(), base_);
    EXPECT_EQ(ExtractZipEntry(bad.get(), 0, "again.txt"), kZipBadPassword);
    EXPECT_FALSE(std::filesystem::exists(base_ + "/again.txt"));
}

TEST_F(ZipSafetyTest, WithADataDescriptorTheTimeByteIsTheCheck) {
    const std::string data = "described";
    WriterEntry e = EncryptedEntry(data, 0x5A);
    e.flags |= 0x0008;
    e.dos_time = 0x5A00;
    OpenZip zip(ziptool::BuildZip({e}));
    SetBaseDirectory(zip.get(), base_);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "d.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/d.txt"), data);
}

}  // namespace
}  // namespace vostra::test
