// The download and the start of the handoff against the demo server, with
// the process start and exit recorded instead of carried out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/file_md5.h"
#include "update/client_updater.h"
#include "update/download_sink.h"
#include "update_test_support.h"

namespace vostra {
namespace {

using Messages = std::vector<std::string>;

class DownloadTest : public test::UpdateTest {
protected:
    void Publish(std::vector<std::string> faults) {
        published_ = PublishLauncher("1.0.0.1");
        std::vector<std::string> options = {"--client", published_};
        for (const auto& f : faults) {
            options.push_back("--fault");
            options.push_back(f);
        }
        StartServer(options);
    }

    // Runs the download alone; the log then starts with its URL line.
    void Download() {
        CClientUpdater updater(TestContext(), "/kxvstrtmp.exe", "/orbix/vstr/");
        updater.DownloadAndRun(ClientUrl());
    }

    std::string Size() const { return std::to_string(ReadFile(published_).size()); }

    // The log of a download that completed with the published client.
    Messages CompleteDownloadLog() const {
        std::string md5;
        EXPECT_TRUE(ComputeFileMd5(published_, md5));
        return {"ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:200",
                "Content length:" + Size(), "Finish download,file size=" + Size(),
                "Finish download,file md5=" + md5};
    }

    // Files in the cache folder besides nothing: a failed download leaves
    // neither the download path nor a part file.
    std::vector<std::string> CacheFiles() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(CacheFolder(), ec)) {
            names.push_back(e.path().filename().string());
        }
        return names;
    }

    std::string published_;
};

TEST_F(DownloadTest, CompleteDownloadIsHandedOver) {
    Publish({});
    Download();
    EXPECT_EQ(LogMessages(), CompleteDownloadLog());
    EXPECT_EQ(ReadFile(DownloadPath()), ReadFile(published_));
    EXPECT_TRUE(IsExecutable(DownloadPath()));
    ASSERT_EQ(starts_.size(), 1u);
    EXPECT_EQ(starts_[0].app_path, DownloadPath());
    EXPECT_EQ(starts_[0].cmd_line, "-d " + DataFolder() + "vostra-launcher");
    EXPECT_EQ(ends_, 1);
    EXPECT_EQ(CacheFiles(), std::vector<std::string>{"kxvstrtmp.exe"});
}

TEST_F(DownloadTest, Status404CreatesNoFile) {
    Publish({"download-404"});
    Download();
    EXPECT_EQ(LogMessages(),
              (Messages{"ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:404"}));
    EXPECT_TRUE(CacheFiles().empty());
    EXPECT_TRUE(starts_.empty());
}

TEST_F(DownloadTest, MissingContentLengthIsTheEqualSizeError) {
    Publish({"download-no-length"});
    Download();
    EXPECT_EQ(LogMessages(),
              (Messages{"ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:200",
                        "Content length:0",
                        "ERROR!Before download dwFileSize == dwToatlSize,exit"}));
    EXPECT_TRUE(CacheFiles().empty());
    EXPECT_TRUE(starts_.empty());
}

TEST_F(DownloadTest, ConnectionCutHalfWayIsNoHandoff) {
    Publish({"download-cut"});
    Download();
    // The server sends the first half and closes: the read fails with the
    // number of bytes still owed.
    const size_t size = ReadFile(published_).size();
    EXPECT_EQ(LogMessages(),
              (Messages{"ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:200",
                        "Content length:" + Size(), "Try Download File Exception",
                        "transfer closed with " + std::to_string(size - size / 2) +
                            " bytes remaining to read"}));
    EXPECT_TRUE(CacheFiles().empty());
    EXPECT_TRUE(starts_.empty());
    EXPECT_EQ(ends_, 0);
}

TEST_F(DownloadTest, RunAfterACutStartsFromAnEmptyFile) {
    Publish({"download-cut"});
    Download();
    server_.Stop();
    std::filesystem::remove(LogPath());
    Publish({});
    Download();
    EXPECT_EQ(LogMessages(), CompleteDownloadLog());
    EXPECT_EQ(ReadFile(DownloadPath()), ReadFile(published_));
    EXPECT_EQ(ends_, 1);
}

TEST_F(DownloadTest, StalledBodyIsGivenUp) {
    Publish({"download-stall"});
    Download();
    EXPECT_EQ(LogMessages(),
              (Messages{"ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:200",
                        "Content length:" + Size(), "Try Download File Exception",
                        "Timeout was reached: no data received for 1500 ms"}));
    EXPECT_TRUE(CacheFiles().empty());
    EXPECT_TRUE(starts_.empty());
}

TEST_F(DownloadTest, FailedStartKeepsTheLauncherRunning) {
    Publish({});
    start_result_ = false;
    Download();
    EXPECT_EQ(starts_.size(), 1u);
    EXPECT_EQ(ends_, 0);
}

TEST_F(DownloadTest, RealStartOfAMissingClientFails) {
    UpdateContext ctx = DefaultUpdateContext();
    ctx.app_data_folder = DataHome();
    int ends = 0;
    ctx.end_process = [&ends] { ++ends; };
    CClientUpdater updater(ctx, "/kxvstrtmp.exe", "/orbix/vstr/");
    EXPECT_FALSE(updater.StartHandoff(Root() + "/no-such-client", "/x/installed"));
    EXPECT_EQ(ends, 0);
}

TEST_F(DownloadTest, CacheThatCannotHoldFilesEndsSilently) {
    Publish({});
    WriteFile(CacheFolder(), "a file where the cache folder should be");
    Download();
    EXPECT_EQ(LogMessages(),
              (Messages{"ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:200",
                        "Content length:" + Size()}));
    EXPECT_TRUE(starts_.empty());
}

TEST_F(DownloadTest, EarlierDownloadAndDeadRunsPartsAreDiscarded) {
    WriteFile(DownloadPath(), "left by an earlier run");
    WriteFile(DownloadPath() + ".999999999.part", "dead run");
    const std::string live = DownloadPath() + "." + std::to_string(getppid()) + ".part";
    WriteFile(live, "a run still going");
    CClientUpdater updater(TestContext(), "/kxvstrtmp.exe", "/orbix/vstr/");
    EXPECT_EQ(CacheFiles(), std::vector<std::string>{std::filesystem::path(live).filename()});
}

// The resume arithmetic on a part file found with S bytes in it: new bytes
// go after them, and only S + received = T completes the download.
class DownloadResumeTest : public test::UpdateTest {
protected:
    std::string Part() const { return CacheFolder() + "/resume.part"; }

    bool Feed(const std::string& found, const std::string& total, const std::string& body) {
        std::filesystem::create_directories(CacheFolder());
        WriteFile(Part(), found);
        const UpdateRunLog log(LogPath());
        DownloadSink sink(log, Part());
        HttpResponseHead head;
        head.status = 200;
        head.content_length = total;
        if (sink.OnHead(head) && !body.empty()) sink.OnBody(body.data(), body.size());
        const bool complete = sink.complete();
        if (complete) {
            EXPECT_EQ(sink.Publish(Part() + ".done"), "");
        }
        return complete;
    }
};

TEST_F(DownloadResumeTest, RestIsAppendedAfterTheBytesFound) {
    EXPECT_TRUE(Feed("abc", "7", "defg"));
    EXPECT_EQ(ReadFile(Part() + ".done"), "abcdefg");
    EXPECT_EQ(LogMessages(), (Messages{"Http QueryInfoStatusCode:200", "Content length:7"}));
}

TEST_F(DownloadResumeTest, WholeBodyAfterTheBytesFoundDoesNotAddUp) {
    EXPECT_FALSE(Feed("abc", "4", "defg"));
}

TEST_F(DownloadResumeTest, FileAlreadyOfFullSizeIsTheEqualSizeError) {
    EXPECT_FALSE(Feed("abcdefg", "7", ""));
    EXPECT_EQ(LogMessages(),
              (Messages{"Http QueryInfoStatusCode:200", "Content length:7",
                        "ERROR!Before download dwFileSize == dwToatlSize,exit"}));
    EXPECT_EQ(ReadFile(Part()), "abcdefg");
}

TEST(DownloadSizes, ContentLengthReadsLikeWcstol) {
    EXPECT_EQ(ParseContentLength(std::nullopt), 0);
    EXPECT_EQ(ParseContentLength(std::string("1234")), 1234);
    EXPECT_EQ(ParseContentLength(std::string(" 77x")), 77);
    EXPECT_EQ(ParseContentLength(std::string("abc")), 0);
    EXPECT_EQ(ParseContentLength(std::string("3000000000")), 3000000000LL);
}

// Progress and stopping, as the login window's worker thread uses them.
class DownloadControlTest : public DownloadTest {
protected:
    struct Step {
        int64_t received;
        int64_t total;
    };

    // A run whose stop is asked for by `stop` and whose progress is kept.
    void DownloadWith(const std::function<bool()>& stop) {
        UpdateContext ctx = TestContext();
        ctx.stop_requested = stop;
        ctx.progress = [this](int64_t received, int64_t total) { steps_.push_back({received, total}); };
        CClientUpdater updater(ctx, "/kxvstrtmp.exe", "/orbix/vstr/");
        updater.DownloadAndRun(ClientUrl());
    }

    std::vector<Step> steps_;
};

TEST_F(DownloadControlTest, ProgressClimbsToTheAnnouncedSize) {
    Publish({});
    DownloadWith({});
    const int64_t size = static_cast<int64_t>(ReadFile(published_).size());
    ASSERT_FALSE(steps_.empty());
    int64_t last = 0;
    for (const Step& s : steps_) {
        EXPECT_EQ(s.total, size);
        EXPECT_GT(s.received, last);
        last = s.received;
    }
    EXPECT_EQ(last, size);
    EXPECT_EQ(ends_, 1);
}

TEST_F(DownloadControlTest, StopMidwayLeavesNoFileAndStartsNothing) {
    published_ = PublishLauncher("1.0.0.1");
    StartServer({"--client", published_, "--client-rate", "400000"});
    DownloadWith([this] { return steps_.size() >= 3; });
    EXPECT_GE(steps_.size(), 3u);
    EXPECT_TRUE(CacheFiles().empty());
    EXPECT_TRUE(starts_.empty());
    EXPECT_EQ(ends_, 0);
}

TEST_F(DownloadControlTest, StopIsHeardWhileNoByteArrives) {
    Publish({"download-stall"});
    std::atomic<bool> stop{false};
    std::thread asker([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        stop = true;
    });
    DownloadWith([&stop] { return stop.load(); });
    asker.join();
    // Ended by the stop, not by the 1500 ms stall limit: no time-out logged.
    for (const std::string& m : LogMessages()) EXPECT_EQ(m.find("Timeout"), std::string::npos) << m;
    EXPECT_TRUE(CacheFiles().empty());
    EXPECT_TRUE(starts_.empty());
}

}  // namespace
}  // namespace vostra
