// The body of a GET, fetched with curl (as any client of the demo server
// would); "" when nothing answered within five seconds.
#pragma once

#include <cstdio>
#include <string>

namespace vostra::test {

inline std::string HttpGetText(const std::string& url) {
    const std::string command = "curl -s --max-time 5 '" + url + "'";
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[512];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

}  // namespace vostra::test
