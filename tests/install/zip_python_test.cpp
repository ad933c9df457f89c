// The public reader calls on archives made by Python's zipfile module and by
// Info-ZIP, the way an outside program would drive them: hosts, attributes,
// times, extra blocks, prefixes, comments, damaged and hostile archives.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "install/zip_entry_fields.h"
#include "install/zip_source.h"
#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

bool HaveTool(const char* tool) {
    return system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The interpreter itself, found once: a version-manager shim in front of
// it costs a noticeable start-up time per archive.
const std::string& Python3() {
    static const std::string path = [] {
        std::string out;
        if (FILE* p = popen("python3 -c 'import sys; print(sys.executable)' 2>/dev/null", "r")) {
            char buf[4096];
            if (fgets(buf, sizeof buf, p)) out = buf;
            pclose(p);
        }
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
        return out.empty() ? std::string("python3") : out;
    }();
    return path;
}

uint64_t FileTime(int64_t unix_seconds) {
    return static_cast<uint64_t>(unix_seconds + 11644473600LL) * 10000000ull;
}

class MadeByToolsTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        if (!HaveTool("python3")) GTEST_SKIP() << "python3 not installed";
        base_ = Root() + "/jail/base";
        std::filesystem::create_directories(base_);
        const char* tz = getenv("TZ");
        had_tz_ = tz != nullptr;
        old_tz_ = tz ? tz : "";
        // DOS times are local: a zone away from UTC makes the rule visible.
        setenv("TZ", "UTC-2", 1);
        tzset();
        tz_set_ = true;
    }
    void TearDown() override {
        if (tz_set_ && had_tz_) {
            setenv("TZ", old_tz_.c_str(), 1);
        } else if (tz_set_) {
            unsetenv("TZ");
        }
        tzset();
        Sandbox::TearDown();
    }

    // Runs a Python body with `zipfile`, `struct`, `out` (the archive's path)
    // and `add(name, data, **fields)` (one entry written through a ZipInfo)
    // at hand; returns the archive's bytes.
    std::string Python(const std::string& body) {
        const std::string script = Root() + "/make.py";
        const std::string out = Root() + "/made.zip";
        WriteFile(script,
                  "import sys, struct, zipfile\n"
                  "out = sys.argv[1]\n"
                  "def add(zf, name, data, system=3, attr=0o100644 << 16,\n"
                  "        method=zipfile.ZIP_DEFLATED, extra=b'', date=(2020, 5, 17, 10, 20, 30)):\n"
                  "    zi = zipfile.ZipInfo(name, date)\n"
                  "    zi.create_system = system\n"
                  "    zi.external_attr = attr\n"
                  "    zi.compress_type = method\n"
                  "    zi.extra = extra\n"
                  "    zf.writestr(zi, data)\n" +
                      body);
        const std::string cmd = "'" + Python3() + "' '" + script + "' '" + out + "'";
        EXPECT_EQ(system(cmd.c_str()), 0) << body;
        return ReadFile(out);
    }

    // Everything below the sandbox apart from the base folder and the files
    // the test itself made there.
    std::set<std::string> OutsideBase() {
        std::set<std::string> out;
        for (const std::string& p : ListTree(Root())) {
            if (p == "jail" || p == "jail/base" || p.rfind("jail/base/", 0) == 0 ||
                p.rfind("home", 0) == 0 || p == "make.py" || p == "made.zip") {
                continue;
            }
            out.insert(p);
        }
        return out;
    }

    static int Find(const OpenZip& zip, const std::string& name) {
        for (int i = 0; i < zip.Count(); ++i) {
            ZipEntryInfo ze;
            GetZipEntry(zip.get(), i, ze);
            if (ze.name == name) return i;
        }
        return -1;
    }

    std::string base_;
    std::string old_tz_;
    bool had_tz_ = false;
    bool tz_set_ = false;
};

TEST_F(MadeByToolsTest, UnixHostModesBecomeAttributesAndModes) {
    OpenZip zip(Python(
        "with zipfile.ZipFile(out, 'w') as zf:\n"
        "    add(zf, 'p/', b'', attr=(0o40775 << 16) | 0x10, method=zipfile.ZIP_STORED)\n"
        "    add(zf, 'q/', b'', attr=0o40755 << 16, method=zipfile.ZIP_STORED)\n"
        "    add(zf, 'p/rw.txt', b'read write' * 100)\n"
        "    add(zf, 'p/ro.txt', b'read only', attr=0o100444 << 16)\n"
        "    add(zf, 'q/\\u76ee\\u5f55.txt', b'utf-8 name', method=zipfile.ZIP_STORED)\n"));
    ASSERT_TRUE(zip);
    ASSERT_EQ(zip.Count(), 5);
    EXPECT_EQ(zip.Info(0).attr, 0x30u);  // folder, archive
    EXPECT_EQ(zip.Info(1).attr, 0x30u);  // the Unix folder bit alone is enough
    EXPECT_EQ(zip.Info(2).attr, 0x20u);
    EXPECT_EQ(zip.Info(3).attr, 0x21u);
    EXPECT_EQ(zip.Info(4).name, "q/目录.txt");
    SetBaseDirectory(zip.get(), base_);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ExtractZipEntry(zip.get(), i, zip.Info(i).name), kZipOk) << i;
    }
    EXPECT_TRUE(std::filesystem::is_directory(base_ + "/q"));
    EXPECT_EQ(ReadFile(base_ + "/p/rw.txt").size(), 1000u);
    EXPECT_EQ(ModeOf(base_ + "/p/rw.txt") & 0222, 0200u);
    EXPECT_EQ(ModeOf(base_ + "/p/ro.txt") & 0222, 0u);
    EXPECT_EQ(ReadFile(base_ + "/q/目录.txt"), "utf-8 name");
}

TEST_F(MadeByToolsTest, DosHostBitsAreReportedAsStored) {
    OpenZip zip(Python(
        "with zipfile.ZipFile(out, 'w') as zf:\n"
        "    add(zf, 'r.txt', b'r', system=0, attr=0x21)\n"
        "    add(zf, 'h.txt', b'h', system=0, attr=0x22)\n"
        "    add(zf, 's.txt', b's', system=0, attr=0x04)\n"
        "    add(zf, 'd\\\\', b'', system=0, attr=0x10, method=zipfile.ZIP_STORED)\n"
        "    add(zf, 'n.txt', b'n', system=11, attr=0x27)\n"));
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip.Info(0).attr, 0x21u);
    EXPECT_EQ(zip.Info(1).attr, 0x22u);
    EXPECT_EQ(zip.Info(2).attr, 0x04u);
    EXPECT_EQ(zip.Info(3).attr, 0x10u);
    EXPECT_EQ(zip.Info(4).attr, 0x27u);
    SetBaseDirectory(zip.get(), base_);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ExtractZipEntry(zip.get(), i, zip.Info(i).name), kZipOk) << i;
    }
    EXPECT_TRUE(std::filesystem::is_directory(base_ + "/d"));
    EXPECT_EQ(ModeOf(base_ + "/r.txt") & 0222, 0u);
    EXPECT_EQ(ModeOf(base_ + "/h.txt"), 0644u);
    EXPECT_EQ(ModeOf(base_ + "/n.txt") & 0222, 0u);
}

TEST_F(MadeByToolsTest, DosTimeIsLocalAndSetOnTheFile) {
    OpenZip zip(Python("with zipfile.ZipFile(out, 'w') as zf:\n"
                       "    add(zf, 't.txt', b'timed', date=(2019, 7, 14, 13, 37, 58))\n"));
    ASSERT_TRUE(zip);
    // 13:37:58 two hours east of UTC is 11:37:58 UTC.
    const uint64_t expected = FileTime(1563104278);
    const ZipEntryInfo ze = zip.Info(0);
    EXPECT_EQ(ze.mtime, expected);
    EXPECT_EQ(ze.atime, expected);
    EXPECT_EQ(ze.ctime, expected);
    SetBaseDirectory(zip.get(), base_);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "t.txt"), kZipOk);
    struct stat st {};
    ASSERT_EQ(stat((base_ + "/t.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 1563104278);
    EXPECT_EQ(st.st_atime, 1563104278);
}

TEST_F(MadeByToolsTest, ExtendedTimestampBlocksReplaceTheDosTimes) {
    OpenZip zip(Python(
        "def ut(flags, *times):\n"
        "    data = bytes([flags]) + b''.join(struct.pack('<I', t) for t in times)\n"
        "    return b'UT' + struct.pack('<H', len(data)) + data\n"
        "other = struct.pack('<HH', 0x7875, 3) + b'\\x01\\x00\\x00'\n"
        "with zipfile.ZipFile(out, 'w') as zf:\n"
        "    add(zf, 'all.txt', b'a', extra=other + ut(7, 1000000000, 1100000000, 900000000))\n"
        "    add(zf, 'mod.txt', b'm', extra=ut(1, 1200000000))\n"
        // Flags promise all three, the block holds only the first.
        "    add(zf, 'cut.txt', b'c', extra=ut(7, 1300000000) + other)\n"));
    ASSERT_TRUE(zip);
    const ZipEntryInfo all = zip.Info(0);
    EXPECT_EQ(all.mtime, FileTime(1000000000));
    EXPECT_EQ(all.atime, FileTime(1100000000));
    EXPECT_EQ(all.ctime, FileTime(900000000));
    const uint64_t dos = FileTime(1589703630);  // 2020-05-17 10:20:30 at UTC+2
    const ZipEntryInfo mod = zip.Info(1);
    EXPECT_EQ(mod.mtime, FileTime(1200000000));
    EXPECT_EQ(mod.atime, dos);
    EXPECT_EQ(mod.ctime, dos);
    const ZipEntryInfo cut = zip.Info(2);
    EXPECT_EQ(cut.mtime, FileTime(1300000000));
    EXPECT_EQ(cut.atime, dos);
    EXPECT_EQ(cut.ctime, dos);
    SetBaseDirectory(zip.get(), base_);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "all.txt"), kZipOk);
    struct stat st {};
    ASSERT_EQ(stat((base_ + "/all.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 1000000000);
    EXPECT_EQ(st.st_atime, 1100000000);
}

TEST_F(MadeByToolsTest, ArchiveAppendedToOtherDataReads) {
    // zipfile in append mode on a file that is no archive writes a new one
    // after the existing bytes.
    OpenZip zip(Python(
        "with open(out, 'wb') as f:\n"
        "    f.write(b'#!/bin/sh\\necho prefix\\n' * 300)\n"
        "with zipfile.ZipFile(out, 'a') as zf:\n"
        "    add(zf, 'in/side.txt', b'after the prefix' * 50)\n"
        "    add(zf, 'two.txt', b'second', method=zipfile.ZIP_STORED)\n"));
    ASSERT_TRUE(zip);
    ASSERT_EQ(zip.Count(), 2);
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 1, "two.txt"), kZipOk);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "in/side.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/two.txt"), "second");
    std::string expected;
    for (int i = 0; i < 50; ++i) expected += "after the prefix";
    EXPECT_EQ(ReadFile(base_ + "/in/side.txt"), expected);
}

TEST_F(MadeByToolsTest, CommentsUpToTheSearchWindowAreFound) {
    for (int comment : {0, 1500, 65000, 65513}) {
        OpenZip zip(Python("with zipfile.ZipFile(out, 'w') as zf:\n"
                           "    zf.comment = b'c' * " + std::to_string(comment) + "\n"
                           "    add(zf, 'x.txt', b'x')\n"));
        ASSERT_TRUE(zip) << comment;
        EXPECT_EQ(zip.Info(0).name, "x.txt");
    }
    // With the longest comment the record starts before the last 65535 bytes.
    const std::string far = Python("with zipfile.ZipFile(out, 'w') as zf:\n"
                                   "    zf.comment = b'c' * 65535\n"
                                   "    add(zf, 'x.txt', b'x')\n");
    EXPECT_EQ(OpenZipFromMemory(far.data(), far.size()), nullptr);
    EXPECT_EQ(GetLastZipResult(), kZipNoFile);
}

TEST_F(MadeByToolsTest, EmptyArchiveHasNoEntries) {
    OpenZip zip(Python("zipfile.ZipFile(out, 'w').close()\n"));
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip.Count(), 0);
    ZipEntryInfo ze;
    EXPECT_EQ(GetZipEntry(zip.get(), 0, ze), kZipBadArgument);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "x"), kZipBadArgument);
}

TEST_F(MadeByToolsTest, StreamedArchiveWithDataDescriptors) {
    // Written to a pipe, zipfile cannot seek back: bit 3, sizes after data.
    const std::string script = Root() + "/stream.py";
    WriteFile(script,
              "import sys, zipfile\n"
              "with zipfile.ZipFile(sys.stdout.buffer, 'w', zipfile.ZIP_DEFLATED) as zf:\n"
              "    zf.writestr('s.txt', b'streamed ' * 4000)\n"
              "    zf.writestr('t.txt', b'tail')\n");
    const std::string out = Root() + "/streamed.zip";
    ASSERT_EQ(system(("'" + Python3() + "' '" + script + "' | cat > '" + out + "'").c_str()), 0);
    const std::string bytes = ReadFile(out);
    ASSERT_GT(bytes.size(), 30u);
    ASSERT_NE(zip::LoadU16(reinterpret_cast<const uint8_t*>(bytes.data()) + 6) & 0x0008, 0);
    OpenZip zip(bytes);
    ASSERT_TRUE(zip);
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "s.txt"), kZipOk);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 1, "t.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/s.txt").size(), 9u * 4000);
    EXPECT_EQ(ReadFile(base_ + "/t.txt"), "tail");
}

TEST_F(MadeByToolsTest, HostileNamesStayInsideTheBase) {
    OpenZip zip(Python(
        "with zipfile.ZipFile(out, 'w') as zf:\n"
        "    for name in ['../up.txt', '..\\\\up2.txt', 'a/../../up3.txt', 'a/b/..',\n"
        "                 '/abs/w.txt', 'C:\\\\drive\\\\v.txt', 'x/../y/../z.txt']:\n"
        "        add(zf, name, b'payload')\n"));
    ASSERT_TRUE(zip);
    SetBaseDirectory(zip.get(), base_);
    const ZipResult expected[] = {kZipUnsafeName, kZipUnsafeName, kZipUnsafeName,
                                  kZipUnsafeName, kZipOk, kZipOk, kZipOk};
    for (int i = 0; i < zip.Count(); ++i) {
        ZipEntryInfo ze;
        EXPECT_EQ(GetZipEntry(zip.get(), i, ze), expected[i]) << i;
        EXPECT_EQ(ExtractZipEntry(zip.get(), i, ze.name), expected[i]) << ze.name;
        EXPECT_EQ(GetLastZipResult(), expected[i]);
    }
    EXPECT_EQ(zip.Info(4).name, "abs/w.txt");
    EXPECT_EQ(zip.Info(5).name, "drive\\v.txt");
    EXPECT_EQ(zip.Info(6).name, "z.txt");
    EXPECT_EQ(ListTree(base_), (std::set<std::string>{"abs", "abs/w.txt", "drive", "drive/v.txt",
                                                      "z.txt"}));
    EXPECT_TRUE(OutsideBase().empty());
}

// Offset of the first entry's data in an archive that starts with it.
size_t FirstDataOffset(const std::string& bytes) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    return 30 + zip::LoadU16(p + 26) + zip::LoadU16(p + 28);
}

TEST_F(MadeByToolsTest, CorruptedDataFailsAndLeavesNoFile) {
    for (const char* method : {"STORED", "DEFLATED"}) {
        std::string bytes = Python(
            "import random\n"
            "random.seed(7)\n"
            "data = bytes(random.randrange(256) for _ in range(100000)) + b'z' * 100000\n"
            "with zipfile.ZipFile(out, 'w') as zf:\n"
            "    add(zf, 'f.bin', data, method=zipfile.ZIP_" + std::string(method) + ")\n");
        bytes[FirstDataOffset(bytes) + 5000] ^= 0x10;
        OpenZip zip(bytes);
        ASSERT_TRUE(zip);
        SetBaseDirectory(zip.get(), base_);
        const ZipResult r = ExtractZipEntry(zip.get(), 0, "f.bin");
        if (std::string(method) == "STORED") {
            // Every byte arrives, only the checksum can tell.
            EXPECT_EQ(r, kZipCrcMismatch);
        } else {
            EXPECT_TRUE(r == kZipDataError || r == kZipCrcMismatch) << std::hex << r;
        }
        EXPECT_EQ(GetLastZipResult(), r);
        EXPECT_TRUE(ListTree(base_).empty()) << method;
    }
}

TEST_F(MadeByToolsTest, BrokenLocalHeadersFailListingAndExtraction) {
    const std::string good = Python("with zipfile.ZipFile(out, 'w') as zf:\n"
                                    "    add(zf, 'e.txt', b'entry data' * 10)\n");
    struct Damage {
        size_t at;
        uint8_t value;
        ZipResult listing;
    };
    // The local signature, the method (stored), the CRC, the name length.
    for (const Damage& d : {Damage{1, 'X', kZipBadHeader}, Damage{8, 0, kZipBadHeader},
                            Damage{15, 0xEE, kZipBadHeader}, Damage{26, 9, kZipBadHeader}}) {
        std::string bad = good;
        bad[d.at] = static_cast<char>(d.value);
        OpenZip zip(bad);
        ASSERT_TRUE(zip);
        zip.Info(0, d.listing);
        SetBaseDirectory(zip.get(), base_);
        EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "e.txt"), kZipDataError) << d.at;
        EXPECT_EQ(GetLastZipResult(), kZipDataError);
    }
    EXPECT_TRUE(ListTree(base_).empty());
}

TEST_F(MadeByToolsTest, OtherCompressionMethodsAreRefused) {
    const std::string bytes = Python(
        "try:\n"
        "    import bz2\n"
        "    method = zipfile.ZIP_BZIP2\n"
        "except ImportError:\n"
        "    method = zipfile.ZIP_LZMA\n"
        "with zipfile.ZipFile(out, 'w') as zf:\n"
        "    add(zf, 'other.txt', b'other method' * 20, method=method)\n"
        "    add(zf, 'fine.txt', b'fine')\n");
    OpenZip zip(bytes);
    ASSERT_TRUE(zip);
    zip.Info(0, kZipBadHeader);
    SetBaseDirectory(zip.get(), base_);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 0, "other.txt"), kZipDataError);
    EXPECT_EQ(ExtractZipEntry(zip.get(), 1, "fine.txt"), kZipOk);
    EXPECT_EQ(ListTree(base_), std::set<std::string>{"fine.txt"});
}

TEST_F(MadeByToolsTest, BaseDirectoryWithATrailingBackslash) {
    OpenZip zip(Python("with zipfile.ZipFile(out, 'w') as zf:\n"
                       "    add(zf, 'k.txt', b'k')\n"));
    ASSERT_EQ(SetBaseDirectory(zip.get(), base_ + "\\"), kZipOk);
    ASSERT_EQ(ExtractZipEntry(zip.get(), 0, "k.txt"), kZipOk);
    EXPECT_EQ(ReadFile(base_ + "/k.txt"), "k");
    EXPECT_TRUE(OutsideBase().empty());
}

class InfoZipTest : public MadeByToolsTest {
protected:
    void SetUp() override {
        MadeByToolsTest::SetUp();
        if (IsSkipped()) return;
        if (!HaveTool("zip")) GTEST_SKIP() << "zip not installed";
        src_ = Root() + "/src";
        WriteFile(src_ + "/a.txt", std::string(30000, 'a'));
        WriteFile(src_ + "/b.txt", "bee");
        // 2021-03-04 05:06:08 UTC; zip writes it as local DOS time.
        struct timespec times[2] = {{1614834368, 0}, {1614834368, 0}};
        utimensat(AT_FDCWD, (src_ + "/a.txt").c_str(), times, 0);
    }
    std::string Zip(const std::string& options, const std::string& out) {
        const std::string cmd =
            "cd '" + src_ + "' && zip -q " + options + " '" + out + "' a.txt b.txt";
        EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
        return ReadFile(out);
    }
    std::string src_;
};

TEST_F(InfoZipTest, WithoutExtraFieldsTheDosTimeIsUsed) {
    OpenZip zip(Zip("-X", Root() + "/x.zip"));
    ASSERT_TRUE(zip);
    const int a = Find(zip, "a.txt");
    ASSERT_GE(a, 0);
    const ZipEntryInfo ze = zip.Info(a);
    EXPECT_EQ(ze.mtime, FileTime(1614834368));
    EXPECT_EQ(ze.atime, ze.mtime);
    EXPECT_EQ(ze.ctime, ze.mtime);
}

TEST_F(InfoZipTest, SelfExtractorWithAdjustedOffsets) {
    const std::string plain = Zip("", Root() + "/plain.zip");
    const std::string sfx = Root() + "/sfx.bin";
    WriteFile(sfx, std::string(4096, '\x7f') + plain);
    // -A rewrites the offsets to count from the start of the whole file.
    ASSERT_EQ(system(("zip -q -A '" + sfx + "'").c_str()), 0);
    for (const std::string& bytes : {ReadFile(sfx), std::string(4096, '\x7f') + plain}) {
        OpenZip zip(bytes);
        ASSERT_TRUE(zip);
        SetBaseDirectory(zip.get(), base_);
        const int a = Find(zip, "a.txt");
        ASSERT_GE(a, 0);
        EXPECT_EQ(ExtractZipEntry(zip.get(), a, "a.txt"), kZipOk);
        EXPECT_EQ(ReadFile(base_ + "/a.txt"), std::string(30000, 'a'));
    }
}

TEST_F(InfoZipTest, PasswordProtectedEntriesAreNotExtracted) {
    // Without a password the decrypted check byte is wrong (a chance of
    // 1 in 256 per entry that it matches by luck; then the data fails).
    std::string files;
    for (int i = 0; i < 4; ++i) {
        WriteFile(src_ + "/s" + std::to_string(i), "secret number " + std::to_string(i));
        files += " s" + std::to_string(i);
    }
    const std::string out = Root() + "/locked.zip";
    ASSERT_EQ(system(("cd '" + src_ + "' && zip -q -P hunter2 '" + out + "'" + files).c_str()),
              0);
    OpenZip zip(ReadFile(out));
    ASSERT_TRUE(zip);
    SetBaseDirectory(zip.get(), base_);
    int password_errors = 0;
    for (int i = 0; i < zip.Count(); ++i) {
        EXPECT_EQ(zip.Info(i).name, "s" + std::to_string(i));
        const ZipResult r = ExtractZipEntry(zip.get(), i, zip.Info(i).name);
        EXPECT_NE(r, kZipOk);
        if (r == kZipBadPassword) ++password_errors;
    }
    EXPECT_GE(password_errors, 1);
    EXPECT_TRUE(ListTree(base_).empty());
}

}  // namespace
}  // namespace vostra::test
