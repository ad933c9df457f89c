// vostra-demo-server: a small stand-in for the operator's web services, so
// that the launcher runs against something real on a developer's or a
// user's machine and in the tests. It prints "listening on <base URL>" as
// its first line and serves until SIGINT or SIGTERM.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <thread>

#include "demo_options.h"
#include "operator_site.h"
#include "stop_signal.h"

namespace {

using vostra::demo::DemoOptions;

void Announce(const DemoOptions& options, int port) {
    printf("listening on http://%s:%d\n", options.host.c_str(), port);
    fflush(stdout);
}

// Blocks the stop signals in every thread, so that main can wait for them.
sigset_t BlockStopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return set;
}

// A port on which nothing listens: bound to find it free, then released.
int ClosedPort(const std::string& host) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    inet_pton(AF_INET, host.c_str(), &addr.sin_addr);
    socklen_t len = sizeof addr;
    int port = -1;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
        port = ntohs(addr.sin_port);
    }
    if (fd >= 0) close(fd);
    return port;
}

int Serve(const DemoOptions& options, const sigset_t& stop_signals) {
    const auto client = vostra::demo::LoadPublishedClient(options.client_path);
    httplib::Server server;
    vostra::demo::RegisterVersionService(server, options, client);
    vostra::demo::RegisterClientDownload(server, options, client);
    vostra::demo::RegisterLoginPage(server, options);
    vostra::demo::RegisterNewsPage(server);
    vostra::demo::RegisterGamePage(server, options);
    vostra::demo::RegisterStaticFiles(server);
    vostra::demo::RegisterEventLog(server);
    vostra::demo::RegisterStatsPage(server);

    const int port = options.port == 0 ? server.bind_to_any_port(options.host)
                                       : (server.bind_to_port(options.host, options.port)
                                              ? options.port
                                              : -1);
    if (port <= 0) {
        fprintf(stderr, "vostra-demo-server: cannot listen on %s:%d\n", options.host.c_str(),
                options.port);
        return 1;
    }
    Announce(options, port);
    std::thread listener([&server] { server.listen_after_bind(); });
    int sig = 0;
    sigwait(&stop_signals, &sig);
    vostra::demo::RequestStop();
    server.stop();
    listener.join();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    DemoOptions options;
    std::string error;
    if (!vostra::demo::ParseDemoOptions(argc, argv, options, error)) {
        fprintf(stderr, "vostra-demo-server: %s\n%s", error.c_str(),
                vostra::demo::DemoUsage().c_str());
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    const sigset_t stop_signals = BlockStopSignals();
    if (options.Has(vostra::demo::Fault::kUnreachable)) {
        const int port = ClosedPort(options.host);
        if (port <= 0) return 1;
        Announce(options, port);
        int sig = 0;
        sigwait(&stop_signals, &sig);
        return 0;
    }
    return Serve(options, stop_signals);
}
