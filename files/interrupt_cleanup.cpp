#include "files/interrupt_cleanup.h"

#ifdef _WIN32
#include "hierarchy/platform.h"

#include <mutex>

#include <windows.h>
#else
#include <csignal>
#include <cstring>

#include <signal.h>
#include <unistd.h>
#endif

namespace varnoke::files {

#ifdef _WIN32

// Ctrl+C, Ctrl+Break and the console's closing reach the program on a thread of their own.
namespace {

std::mutex gMutex;
std::filesystem::path gTemporary;
bool gArmed = false;

BOOL WINAPI RemoveTemporary(DWORD)
{
    const std::lock_guard lock(gMutex);
    if (gArmed)
        ::DeleteFileW(gTemporary.c_str());
    gArmed = false;
    return FALSE; // the next handler, the system's, ends the program
}

} // namespace

InterruptCleanup::InterruptCleanup()
{
    static const bool installed = ::SetConsoleCtrlHandler(RemoveTemporary, TRUE);
    (void)installed;
}

InterruptCleanup::~InterruptCleanup()
{
    Release();
}

bool InterruptCleanup::Register(const std::string& path)
{
    const std::lock_guard lock(gMutex);
    gTemporary = platform::NativePath(path);
    gArmed = true;
    return true;
}

void InterruptCleanup::Release()
{
    const std::lock_guard lock(gMutex);
    gArmed = false;
}

#else

namespace {

// Written only while the signals are blocked, read only by the handler.
char gTemporaryPath[4096];
volatile std::sig_atomic_t gArmed = 0;

constexpr int kSignals[] = { SIGINT, SIGTERM, SIGHUP };

// Async-signal-safe: unlink and raise only. The handler is installed with SA_RESETHAND,
// so raising the signal again ends the program as the signal would have.
extern "C" void RemoveTemporaryAndEnd(int signal)
{
    if (gArmed)
        ::unlink(gTemporaryPath);
    gArmed = 0;
    ::raise(signal);
}

sigset_t HandledSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kSignals)
        sigaddset(&set, signal);
    return set;
}

void InstallHandlers()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (const int signal : kSignals) {
        struct sigaction current { };
        // A signal ignored by whoever started the program stays ignored.
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action { };
        action.sa_handler = RemoveTemporaryAndEnd;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void LetSignalsThrough()
{
    const sigset_t set = HandledSignals();
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

} // namespace

InterruptCleanup::InterruptCleanup()
{
    InstallHandlers();
    const sigset_t set = HandledSignals();
    ::sigprocmask(SIG_BLOCK, &set, nullptr);
}

InterruptCleanup::~InterruptCleanup()
{
    Release();
}

bool InterruptCleanup::Register(const std::string& path)
{
    const bool fits = path.size() < sizeof gTemporaryPath;
    if (fits) {
        std::memcpy(gTemporaryPath, path.c_str(), path.size() + 1);
        gArmed = 1;
    }
    LetSignalsThrough();
    return fits;
}

void InterruptCleanup::Release()
{
    const sigset_t set = HandledSignals();
    ::sigprocmask(SIG_BLOCK, &set, nullptr);
    gArmed = 0;
    LetSignalsThrough();
}

#endif

} // namespace varnoke::files
