#pragma once

#include <string>

namespace varnoke::files {

// The one temporary file that an interrupted run (SIGINT, SIGTERM, SIGHUP) removes
// before it ends as the signal ends it. The signals are held off from the file's
// creation to its registration, so no moment leaves it behind unnamed.
class InterruptCleanup {
public:
    // Blocks the signals until Register or Release.
    InterruptCleanup();
    ~InterruptCleanup();
    InterruptCleanup(const InterruptCleanup&) = delete;
    InterruptCleanup& operator=(const InterruptCleanup&) = delete;

    // The file to remove on a signal from now on; then lets the signals through. False
    // (and nothing registered) for a path too long to keep.
    bool Register(const std::string& path);
    // The file is no longer the program's to remove (renamed, or removed).
    void Release();
};

} // namespace varnoke::files
