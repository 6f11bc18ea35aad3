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

bool HoldsOnlyBytes(const QString& text)
{
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0xFF; });
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
