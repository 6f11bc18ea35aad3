#include "ui/text_conversions.h"

#include "hierarchy/platform.h"

#include <algorithm>
#include <filesystem>

namespace ui {

QString FromLatin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLatin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

namespace {

bool BeyondByte(QChar c)
{
    return c.unicode() > 0xFF;
}

} // namespace

bool HoldsOnlyBytes(const QString& text)
{
    return std::none_of(text.cbegin(), text.cend(), BeyondByte);
}

std::pair<qsizetype, qsizetype> SpanBeyondBytes(const QString& text)
{
    const auto first = std::find_if(text.cbegin(), text.cend(), BeyondByte);
    if (first == text.cend())
        return { text.size(), 0 };
    const auto last = std::find_if(text.crbegin(), text.crend(), BeyondByte).base();
    return { first - text.cbegin(), last - first };
}

std::string CorePath(const QString& path)
{
    return varnoke::platform::BytePath(std::filesystem::path(path.toStdU16String()));
}

QString FromCorePath(std::string_view path)
{
    return QString::fromStdU16String(varnoke::platform::NativePath(path).u16string());
}

} // namespace ui
