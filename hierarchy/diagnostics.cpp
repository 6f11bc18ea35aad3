#include "hierarchy/diagnostics.h"

namespace varnoke {

std::string Diagnostic::Text() const
{
    switch (severity) {
    case Severity::Error:
        return std::to_string(line) + " Error: " + message;
    case Severity::Warning:
        return std::to_string(line) + " Warning: " + message;
    case Severity::Plain:
        break;
    }
    return message;
}

std::string FormatMessage(std::string_view format, const std::vector<std::string>& arguments)
{
    std::string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const bool conversion = format[i] == '%' && i + 1 < format.size()
            && (format[i + 1] == 's' || format[i + 1] == 'd') && next < arguments.size();
        if (conversion) {
            text += arguments[next++];
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

void Diagnostics::Add(Severity severity, int lineIndex, std::string message)
{
    // Line numbers are shown 1-based; a diagnostic of no line (-1) shows 0.
    const long long number = static_cast<long long>(lineIndex) + 1;
    entries_.push_back({ severity, static_cast<int>(number), std::move(message) });
    ++revision_;
    if (severity == Severity::Error)
        ++FErrorCount;
    else
        ++FWarningCount;
}

std::vector<std::string> Diagnostics::Texts() const
{
    std::vector<std::string> texts;
    texts.reserve(entries_.size());
    for (const Diagnostic& entry : entries_)
        texts.push_back(entry.Text());
    return texts;
}

void Diagnostics::AddPlain(std::string_view text)
{
    entries_.push_back({ Severity::Plain, 0, std::string(text) });
    ++revision_;
}

void Diagnostics::Clear()
{
    entries_.clear();
    ++revision_;
    selected_ = -1;
    FErrorCount = 0;
    FWarningCount = 0;
}

} // namespace varnoke
