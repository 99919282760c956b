// A child process under a memory limit, for the tests of readers that must stop at a size:
// a reader that never stops fails its test instead of exhausting the machine. Header-only,
// for every layer's tests.
#pragma once

#include <cstdio>
#include <functional>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs Fn in a child process whose memory may grow by at most Room bytes beyond what it holds
// (sanitizers' reservations included), so that a reader that never stops fails instead of
// exhausting the machine. True when Fn returned true within Seconds.
inline bool InAChildUnderAMemoryLimit(const std::function<bool()> &Fn, rlim_t Room = rlim_t(512) << 20, int Seconds = 60)
{
    std::fflush(nullptr);
    const pid_t Child = ::fork();
    if (Child < 0)
        return false;
    if (Child == 0) {
        unsigned long Pages = 0;
        if (FILE *Statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(Statm, "%lu", &Pages) != 1)
                Pages = 0;
            std::fclose(Statm);
        }
        const rlim_t Limit = rlim_t(Pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + Room;
        const struct rlimit Memory = {Limit, Limit};
        bool Ok = Pages > 0 && ::setrlimit(RLIMIT_AS, &Memory) == 0;
        try {
            Ok = Ok && Fn();
        } catch (...) {
            Ok = false;
        }
        std::fflush(nullptr);
        ::_exit(Ok ? 0 : 1);
    }
    int Status = 0;
    for (int Waited = 0; Waited < Seconds * 10; ++Waited) {
        const pid_t Done = ::waitpid(Child, &Status, WNOHANG);
        if (Done == Child)
            return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
        if (Done < 0)
            return false;
        ::usleep(100 * 1000);
    }
    ::kill(Child, SIGKILL);
    ::waitpid(Child, &Status, 0);
    return false;
}
