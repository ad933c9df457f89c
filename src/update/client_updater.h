// One update run: ask the version service whether a newer client exists,
// download it into the cache folder and hand over to it.
#pragma once

#include <string>

#include "update/update_context.h"
#include "update/update_run_log.h"

namespace vostra {

// The application's name, sent as the user agent: the executable's file
// name without its extension ("vostra-launcher", "kxvstrtmp").
std::string ApplicationNameOf(const std::string& own_path);

class CClientUpdater {
public:
    // temp_name is the download's file name with its leading "/"
    // ("/kxvstrtmp.exe"), sub_folder the data folder below the
    // application-data folder ("/orbix/vstr/"). Creates the cache folder
    // when missing and deletes a download left by an earlier run.
    CClientUpdater(const UpdateContext& ctx, const std::string& temp_name,
                   const std::string& sub_folder);

    // Queries the version service and logs its reply. True when the reply
    // asks for an update; it is then kept as the download URL. Otherwise
    // the run's closing lines are logged.
    bool CheckVersion(const std::string& base_url, const std::string& path_and_query,
                      const std::string& version);

    // The body of a GET (at most 1023 bytes, as text), or "" when the
    // request fails, times out or answers with a status of 400 or more.
    std::string FetchUrlText(const std::string& url);

    // Downloads the new client and, when every announced byte arrived,
    // hands over to it; a successful handoff ends the process.
    void DownloadAndRun(const std::string& url);

    // Starts the downloaded client with "-d " and the installed path and
    // ends the process. False, and the process goes on, when the client
    // could not be started.
    bool StartHandoff(const std::string& download_path, const std::string& installed_path);

    const std::string& query_url() const { return m_strQueryUrl; }
    const std::string& download_path() const { return m_strDownloadPath; }
    const std::string& installed_path() const { return m_strInstalledPath; }
    const std::string& reply() const { return m_strReply; }
    const UpdateRunLog& log() const { return m_log; }

private:
    HttpGetOptions RequestOptions(long connect_timeout_ms) const;
    void FinishDownload(class DownloadSink& sink);
    bool StopRequested() const;

    std::string m_strQueryUrl;
    std::string m_strDownloadPath;
    std::string m_strInstalledPath;
    std::string m_strSubFolder;
    std::string m_strReply;
    UpdateContext m_ctx;
    UpdateRunLog m_log;
};

}  // namespace vostra
