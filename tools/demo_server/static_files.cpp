// The game page's script and pictures: GET kStaticPath<name>. They are made
// once when the server starts and may be cached for a day; each carries an
// ETag and the server's start as Last-Modified, and a request whose
// If-None-Match names the current ETag (or whose If-Modified-Since repeats
// the Last-Modified) gets a 304 without a body.
#include <zlib.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>

#include "game_art.h"
#include "game_script.h"
#include "operator_site.h"
#include "png_writer.h"
#include "request_counts.h"

namespace vostra::demo {
namespace {

constexpr char kCacheControl[] = "public, max-age=86400";

struct StaticFile {
    std::string body;
    std::string type;
    std::string etag;  // with its quotes
};

// The time as an HTTP date, "Sun, 06 Nov 1994 08:49:37 GMT", whatever the
// locale.
std::string HttpDate(time_t when) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    tm utc{};
    gmtime_r(&when, &utc);
    char text[40];
    snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[utc.tm_wday],
             utc.tm_mday, kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
             utc.tm_sec);
    return text;
}

// A strong ETag from the body's CRC-32 and length: it changes whenever the
// body does, in practice.
std::string EtagOf(const std::string& body) {
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.data()),
                            static_cast<uInt>(body.size()));
    char text[40];
    snprintf(text, sizeof text, "\"%08lx-%zx\"", static_cast<unsigned long>(crc), body.size());
    return text;
}

StaticFile Made(std::string body, std::string type) {
    StaticFile file{std::move(body), std::move(type), ""};
    file.etag = EtagOf(file.body);
    return file;
}

// True when an If-None-Match value ("*", or ETags separated by commas,
// weak ones included) names `etag`.
bool NamesEtag(const std::string& if_none_match, const std::string& etag) {
    for (size_t start = 0; start < if_none_match.size();) {
        size_t end = if_none_match.find(',', start);
        if (end == std::string::npos) end = if_none_match.size();
        std::string tag = if_none_match.substr(start, end - start);
        tag.erase(0, tag.find_first_not_of(" \t"));
        tag.erase(tag.find_last_not_of(" \t") + 1);
        if (tag.compare(0, 2, "W/") == 0) tag.erase(0, 2);
        if (tag == "*" || tag == etag) return true;
        start = end + 1;
    }
    return false;
}

bool NotModified(const httplib::Request& req, const StaticFile& file,
                 const std::string& last_modified) {
    if (req.has_header("If-None-Match")) {
        return NamesEtag(req.get_header_value("If-None-Match"), file.etag);
    }
    return req.has_header("If-Modified-Since") &&
           req.get_header_value("If-Modified-Since") == last_modified;
}

}  // namespace

void RegisterStaticFiles(httplib::Server& server) {
    auto files = std::make_shared<std::map<std::string, StaticFile>>();
    (*files)["game.js"] = Made(GameScript(), "text/javascript; charset=utf-8");
    (*files)["ship.png"] = Made(EncodePng(ShipPicture()), "image/png");
    (*files)["star.png"] = Made(EncodePng(StarPicture()), "image/png");
    const std::string last_modified = HttpDate(time(nullptr));

    const std::string pattern = std::string(kStaticPath) + "([A-Za-z0-9._-]+)";
    server.Get(pattern, [files, last_modified](const httplib::Request& req,
                                               httplib::Response& res) {
        CountRequest(Route::kStatic);
        const auto found = files->find(req.matches[1].str());
        if (found == files->end()) {
            res.status = 404;
            res.set_content("not found", "text/plain");
            return;
        }
        const StaticFile& file = found->second;
        res.set_header("Cache-Control", kCacheControl);
        res.set_header("ETag", file.etag);
        res.set_header("Last-Modified", last_modified);
        if (NotModified(req, file, last_modified)) {
            res.status = 304;
            return;
        }
        res.set_content(file.body, file.type);
    });
}

}  // namespace vostra::demo
