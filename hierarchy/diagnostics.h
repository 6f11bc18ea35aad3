#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke {

enum class Severity { Error, Warning, Plain };

// One entry of the diagnostics list. Numbered entries carry the 1-based line
// number (0 for none); plain entries ("Looks good!") carry neither number nor count.
struct Diagnostic {
    Severity severity = Severity::Plain;
    int line = 0;
    std::string message;

    // The text the list shows, such as "7 Error: Rotations must be of the form xyz".
    std::string Text() const;
};

// Fills a fixed message format: each "%s" and "%d" takes the next argument, in order.
// Arguments are never read as formats, so a '%' in a part name prints as it is.
std::string FormatMessage(std::string_view format, const std::vector<std::string>& arguments);

// The diagnostics list with its two counters, in the order entries were added.
class Diagnostics {
public:
    template <typename... Arguments>
    void AddError(int lineIndex, std::string_view format, const Arguments&... arguments)
    {
        Add(Severity::Error, lineIndex, FormatMessage(format, { Argument(arguments)... }));
    }
    template <typename... Arguments>
    void AddWarning(int lineIndex, std::string_view format, const Arguments&... arguments)
    {
        Add(Severity::Warning, lineIndex, FormatMessage(format, { Argument(arguments)... }));
    }
    void AddPlain(std::string_view text);
    void Clear();

    const std::vector<Diagnostic>& Entries() const { return entries_; }
    // The entries as the list shows them.
    std::vector<std::string> Texts() const;
    // The entry the user is led to: the first after a failed test, else none (-1).
    int Selected() const { return selected_; }
    void Select(int index) { selected_ = index; }
    // Changes whenever an entry is added or the list is cleared, so a view can tell
    // cheaply whether it shows the current entries.
    std::uint64_t Revision() const { return revision_; }

    int FErrorCount = 0;
    int FWarningCount = 0;

private:
    static std::string Argument(int value) { return std::to_string(value); }
    static std::string Argument(std::string_view value) { return std::string(value); }
    void Add(Severity severity, int lineIndex, std::string message);

    std::vector<Diagnostic> entries_;
    int selected_ = -1;
    std::uint64_t revision_ = 0;
};

} // namespace varnoke
