#include "request_counts.h"

#include <array>
#include <atomic>

#include "operator_site.h"

namespace vostra::demo {
namespace {

constexpr size_t kRoutes = static_cast<size_t>(Route::kCount);

// In the order of Route.
constexpr std::array<const char*, kRoutes> kRouteNames = {
    "login-page", "login-post", "news", "game-page", "version", "download", "static", "guide",
};

std::array<std::atomic<long>, kRoutes> g_counts{};

}  // namespace

void CountRequest(Route route) { ++g_counts[static_cast<size_t>(route)]; }

std::string RequestCountsText() {
    std::string text;
    for (size_t i = 0; i < kRoutes; ++i) {
        text += std::string(kRouteNames[i]) + " " + std::to_string(g_counts[i].load()) + "\n";
    }
    return text;
}

void RegisterStatsPage(httplib::Server& server) {
    server.Get(kStatsPath, [](const httplib::Request&, httplib::Response& res) {
        res.set_content(RequestCountsText(), "text/plain");
    });
}

}  // namespace vostra::demo
