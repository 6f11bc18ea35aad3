#include "cli/reports.h"

#include <cstdio>

namespace varnoke::cli {

void WriteListReport(std::ostream& out, const std::vector<FileReport>& reports, bool withHeaders)
{
    bool first = true;
    for (const FileReport& report : reports) {
        if (!report.test)
            continue; // said on standard error
        if (withHeaders)
            out << (first ? "" : "\n") << "==> " << report.file << " <==\n";
        first = false;
        // Each text is made when written, so a long list is never held twice.
        const Diagnostics& diagnostics = report.test->state.diagnostics;
        for (int i = 0; i < diagnostics.Count(); ++i)
            out << diagnostics.TextAt(i) << '\n';
    }
}

void WriteGnuReport(std::ostream& out, const std::vector<FileReport>& reports)
{
    for (const FileReport& report : reports) {
        if (!report.test)
            continue;
        for (const Diagnostic& entry : report.test->state.diagnostics.Entries()) {
            if (entry.severity == Severity::Plain)
                continue;
            out << report.file;
            if (entry.line != 0)
                out << ':' << entry.line;
            out << (entry.severity == Severity::Error ? ": error: " : ": warning: ") << entry.message << '\n';
        }
    }
}

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
                json += escaped;
            } else if (byte >= 0x80) {
                json += static_cast<char>(0xC0 | (byte >> 6));
                json += static_cast<char>(0x80 | (byte & 0x3F));
            } else {
                json += c;
            }
        }
    }
    return json + '"';
}

namespace {

const char* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Plain:
        break;
    }
    return "note";
}

} // namespace

void WriteJsonReport(std::ostream& out, const std::vector<FileReport>& reports)
{
    out << '[';
    for (std::size_t i = 0; i < reports.size(); ++i) {
        out << (i ? ",\n" : "\n") << "  {\"file\": " << JsonString(reports[i].file);
        if (!reports[i].test) {
            out << ", \"errors\": 0, \"warnings\": 0, \"tested\": false, \"diagnostics\": [], \"error\": "
                << JsonString(reports[i].error) << '}';
            continue;
        }
        const FileTest& test = *reports[i].test;
        const Diagnostics& diagnostics = test.state.diagnostics;
        out << ", \"errors\": " << diagnostics.FErrorCount << ", \"warnings\": " << diagnostics.FWarningCount
            << ", \"tested\": " << (test.tested ? "true" : "false") << ", \"diagnostics\": [";
        const auto& entries = diagnostics.Entries();
        for (std::size_t j = 0; j < entries.size(); ++j) {
            out << (j ? ",\n" : "\n") << "    {\"line\": " << entries[j].line << ", \"severity\": \""
                << SeverityName(entries[j].severity) << "\", \"message\": " << JsonString(entries[j].message) << '}';
        }
        out << (entries.empty() ? "" : "\n  ") << "]}";
    }
    out << (reports.empty() ? "" : "\n") << "]\n";
}

} // namespace varnoke::cli
