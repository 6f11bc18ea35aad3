#include "app/wide_lines.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// Some ten million pixels in a wide font: well short of where the layout goes wrong.
constexpr int kWideLine = 1 << 20;

} // namespace

WideLines& WideLines::Of(QTextDocument& text)
{
    if (auto* watch = text.findChild<WideLines*>(QString(), Qt::FindDirectChildrenOnly))
        return *watch;
    return *new WideLines(text);
}

WideLines::WideLines(QTextDocument& text)
    : QObject(&text)
    , text_(text)
{
    connect(&text, &QTextDocument::contentsChange, this, &WideLines::Look);
    Look(0, 0, text.characterCount());
}

void WideLines::Look(int position, int, int added)
{
    if (found_)
        return;
    // The lines the change touched, as it left them.
    const QTextBlock last = text_.findBlock(position + added);
    for (QTextBlock block = text_.findBlock(position); block.isValid(); block = block.next()) {
        if (block.length() > kWideLine) {
            found_ = true;
            emit found();
            return;
        }
        if (block == last)
            return;
    }
}
