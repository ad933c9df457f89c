#include "event_log.h"

#include <deque>
#include <iterator>
#include <mutex>

#include "operator_site.h"

namespace vostra::demo {
namespace {

// Enough for any test; a page left reporting for hours stays small.
constexpr size_t kMaxEvents = 4096;
constexpr size_t kMaxFieldChars = 32;

std::mutex g_mutex;
std::deque<PageEvent> g_events;

// The field as one word on a line of the list: printable ASCII without
// spaces, short; "?" otherwise.
std::string Word(const std::string& text) {
    if (text.size() > kMaxFieldChars) return "?";
    for (unsigned char c : text) {
        if (c <= ' ' || c > '~') return "?";
    }
    return text;
}

std::string Shown(const std::string& field) { return field.empty() ? "-" : field; }

long SeqOf(const std::string& text) {
    if (text.empty() || text.size() > 9) return -1;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
    }
    return std::stol(text);
}

}  // namespace

void RecordPageEvent(PageEvent event) {
    event.type = Word(event.type);
    event.button = Word(event.button);
    event.key = Word(event.key);
    if (event.page.size() > kMaxFieldChars) event.page.clear();
    std::lock_guard<std::mutex> lock(g_mutex);
    auto at = g_events.end();
    if (!event.page.empty() && event.seq >= 0) {
        while (at != g_events.begin() && std::prev(at)->page == event.page &&
               std::prev(at)->seq > event.seq) {
            --at;
        }
    }
    g_events.insert(at, std::move(event));
    while (g_events.size() > kMaxEvents) g_events.pop_front();
}

std::string PageEventsText(bool clear) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::string text;
    for (const PageEvent& e : g_events) {
        text += Shown(e.type) + " " + Shown(e.button) + " " + Shown(e.key) + "\n";
    }
    if (clear) g_events.clear();
    return text;
}

void RegisterEventLog(httplib::Server& server) {
    const auto record = [](const httplib::Request& req, httplib::Response& res) {
        PageEvent event;
        event.type = req.get_param_value("type");
        // "-" is how the script says the field is missing.
        event.button = req.get_param_value("button");
        if (event.button == "-") event.button.clear();
        event.key = req.get_param_value("key");
        if (event.key == "-") event.key.clear();
        event.page = req.get_param_value("page");
        event.seq = SeqOf(req.get_param_value("seq"));
        RecordPageEvent(std::move(event));
        res.status = 204;
        res.set_header("Cache-Control", "no-store");
    };
    server.Post(kEventPath, record);
    // An image beacon reports with a GET.
    server.Get(kEventPath, record);
    server.Get(kEventsPath, [](const httplib::Request& req, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_content(PageEventsText(req.get_param_value("clear") == "1"), "text/plain");
    });
}

}  // namespace vostra::demo
