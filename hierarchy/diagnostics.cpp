#include "hierarchy/diagnostics.h"

#include <cstring>
#include <stdexcept>
#include <string_view>

namespace varnoke {

namespace {

constexpr std::size_t kLengthBytes = 4;

} // namespace

namespace {

// What the list shows before a message of each severity.
std::string_view SeverityWord(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return " Error: ";
    case Severity::Warning:
        return " Warning: ";
    case Severity::Plain:
        break;
    }
    return {};
}

// FormatMessage, appending to a text: argument(k) gives the k-th of count arguments.
template <typename Argument>
void AppendFormatted(std::string& text, std::string_view format, std::size_t count, const Argument& argument)
{
    std::size_t next = 0;
    std::size_t literal = 0; // where the format's text not yet copied begins
    for (std::size_t i = 0; i + 1 < format.size() && next < count; ++i) {
        if (format[i] != '%' || (format[i + 1] != 's' && format[i + 1] != 'd'))
            continue;
        text.append(format.substr(literal, i - literal));
        text.append(argument(next++));
        ++i;
        literal = i + 1;
    }
    text.append(format.substr(literal));
}

// The arguments of a record, each kept as its length in kLengthBytes bytes and then its bytes.
std::vector<std::string_view> Unpack(std::string_view packed)
{
    std::vector<std::string_view> arguments;
    while (packed.size() >= kLengthBytes) {
        std::uint32_t size = 0;
        std::memcpy(&size, packed.data(), kLengthBytes);
        packed.remove_prefix(kLengthBytes);
        arguments.push_back(packed.substr(0, size));
        packed.remove_prefix(size);
    }
    return arguments;
}

} // namespace

std::string Diagnostic::Text() const
{
    if (severity == Severity::Plain)
        return message;
    std::string text = std::to_string(line);
    text += SeverityWord(severity);
    text += message;
    return text;
}

std::string FormatMessage(std::string_view format, const std::vector<std::string>& arguments)
{
    std::string text;
    AppendFormatted(text, format, arguments.size(),
                    [&arguments](std::size_t k) -> std::string_view { return arguments[k]; });
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

void Diagnostics::AppendMessage(int index, std::string& text) const
{
    const Record& record = records_[static_cast<std::size_t>(index)];
    const std::vector<std::string_view> arguments = Unpack(arguments_.At(record.arguments, record.argumentBytes));
    AppendFormatted(text, formats_[record.format], arguments.size(),
                    [&arguments](std::size_t k) { return arguments[k]; });
}

Diagnostic Diagnostics::At(int index) const
{
    const Record& record = records_[static_cast<std::size_t>(index)];
    const auto severity = static_cast<Severity>(record.severity);
    Diagnostic entry { severity, LineAt(index), {} };
    AppendMessage(index, entry.message);
    return entry;
}

Severity Diagnostics::SeverityAt(int index) const
{
    return static_cast<Severity>(records_[static_cast<std::size_t>(index)].severity);
}

int Diagnostics::LineAt(int index) const
{
    return SeverityAt(index) == Severity::Plain ? 0 : records_[static_cast<std::size_t>(index)].line;
}

std::string Diagnostics::TextAt(int index) const
{
    const Record& record = records_[static_cast<std::size_t>(index)];
    const auto severity = static_cast<Severity>(record.severity);
    std::string text;
    if (severity != Severity::Plain) {
        text = std::to_string(record.line);
        text += SeverityWord(severity);
    }
    AppendMessage(index, text);
    return text;
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
