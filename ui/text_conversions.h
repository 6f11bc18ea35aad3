#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <utility>

// The one rule by which text and file names cross between Qt and the core.
namespace ui {

// The document's bytes are Latin-1: every byte is one character and back.
QString FromLatin1(std::string_view text);
std::string ToLatin1(const QString& text);
// Whether every character fits in one byte; one that does not must never be saved as '?'.
bool HoldsOnlyBytes(const QString& text);
// From the first character that no byte holds to the last: start and length.
std::pair<qsizetype, qsizetype> SpanBeyondBytes(const QString& text);

// A file name as the core holds it, as bytes, and back: the core's one rule for every
// platform (on Windows each byte stands for the Latin-1 character of its number).
std::string CorePath(const QString& path);
QString FromCorePath(std::string_view path);

} // namespace ui
