#pragma once

#include <cstdint>
#include <exception>
#include <string_view>

namespace varnoke {

// Hears how far long work has come (a test reading its lines and OBJ files, a generation
// reading its OBJ file) and may stop it. The work reports every few MiB or some thousand
// lines; without a listener it costs one test of a pointer.
class Progress {
public:
    // ShowingText: a file's lines going into the view that shows them; WritingFile: a save.
    enum class Step { ReadingFile, TestingLines, ShowingText, WritingFile };

    virtual ~Progress() = default;
    // What is read (a file's path; the document's name for its lines) and how far: done
    // of total bytes or lines, total 0 when unknown. False stops the work.
    virtual bool Report(Step step, std::string_view what, std::uint64_t done, std::uint64_t total) = 0;
    // Work that stopped one step at the listener's word and goes on with the next says so:
    // the next step may be stopped again.
    virtual void Resume() { }
};

// Thrown by the work when its listener stopped it. What the work had changed by then is
// for its caller to put right.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

// Tells the listener, if there is one; throws Cancelled when it says stop.
inline void ReportProgress(Progress* progress, Progress::Step step, std::string_view what, std::uint64_t done,
                           std::uint64_t total)
{
    if (progress && !progress->Report(step, what, done, total))
        throw Cancelled();
}

} // namespace varnoke
