// launch_timed PROGRAM [ARGS...]: executes PROGRAM with TARVELO_LAUNCH_NS set to the
// CLOCK_MONOTONIC reading in nanoseconds taken just before, so that the program's
// start-up probe measures from the moment its process image starts loading.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch_timed PROGRAM [ARGS...]\n");
        return 2;
    }
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::string ns = std::to_string(static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
    ::setenv("TARVELO_LAUNCH_NS", ns.c_str(), 1);
    ::execv(argv[1], argv + 1);
    std::fprintf(stderr, "launch_timed: cannot execute %s: %s\n", argv[1], std::strerror(errno));
    return 127;
}
