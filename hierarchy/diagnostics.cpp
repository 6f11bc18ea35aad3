#include "hierarchy/diagnostics.h"

#include <cstring>
#include <stdexcept>

namespace varnoke {

namespace {

constexpr std::size_t kLengthBytes = 4;

} // namespace

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

std::uint32_t Diagnostics::FormatNumber(std::string_view format)
{
    // Messages of one kind come in runs: the format of the entry before is tried first.
    if (lastFormat_ < formats_.size() && formats_[lastFormat_] == format)
        return lastFormat_;
    for (std::uint32_t i = 0; i < formats_.size(); ++i) {
        if (formats_[i] == format)
            return lastFormat_ = i;
    }
    formats_.emplace_back(format);
    return lastFormat_ = static_cast<std::uint32_t>(formats_.size() - 1);
}

void Diagnostics::Add(Severity severity, int lineIndex, std::string_view format,
                      std::initializer_list<std::string_view> arguments)
{
    std::string& packed = packed_;
    packed.clear();
    for (const std::string_view argument : arguments) {
        if (argument.size() > 0xFFFFFFFFu - kLengthBytes)
            throw std::length_error("diagnostic argument too long");
        const auto size = static_cast<std::uint32_t>(argument.size());
        char length[kLengthBytes];
        std::memcpy(length, &size, kLengthBytes);
        packed.append(length, kLengthBytes);
        packed += argument;
    }
    if (packed.size() > 0xFFFFFFFFu)
        throw std::length_error("diagnostic arguments too long");
    // Line numbers are shown 1-based; a diagnostic of no line (-1) shows 0.
    const long long number = static_cast<long long>(lineIndex) + 1;
    records_.push_back({ arguments_.Add(packed), static_cast<std::uint32_t>(packed.size()), static_cast<int>(number),
                         FormatNumber(format), static_cast<std::uint32_t>(severity) });
    ++revision_;
    if (severity == Severity::Error)
        ++FErrorCount;
    else if (severity == Severity::Warning)
        ++FWarningCount;
}

Diagnostic Diagnostics::At(int index) const
{
    const Record& record = records_[static_cast<std::size_t>(index)];
    std::string_view packed = arguments_.At(record.arguments, record.argumentBytes);
    std::vector<std::string> arguments;
    while (packed.size() >= kLengthBytes) {
        std::uint32_t size = 0;
        std::memcpy(&size, packed.data(), kLengthBytes);
        packed.remove_prefix(kLengthBytes);
        arguments.emplace_back(packed.substr(0, size));
        packed.remove_prefix(size);
    }
    const auto severity = static_cast<Severity>(record.severity);
    return { severity, severity == Severity::Plain ? 0 : record.line,
             FormatMessage(formats_[record.format], arguments) };
}

std::vector<std::string> Diagnostics::Texts() const
{
    std::vector<std::string> texts;
    texts.reserve(records_.size());
    for (int i = 0; i < Count(); ++i)
        texts.push_back(TextAt(i));
    return texts;
}

void Diagnostics::AddPlain(std::string_view text)
{
    // A plain entry is its text alone, kept as the one argument of a format that shows it.
    Add(Severity::Plain, -1, "%s", { text });
}

void Diagnostics::Clear()
{
    records_.clear();
    arguments_.Clear();
    formats_.clear();
    lastFormat_ = 0;
    ++revision_;
    selected_ = -1;
    FErrorCount = 0;
    FWarningCount = 0;
}

} // namespace varnoke
