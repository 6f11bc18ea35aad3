#include "ui/phi_highlighter.h"

#include "ui/line_data.h"
#include "ui/text_colours.h"

#include <QTextDocument>

using varnoke::FieldRole;

namespace {

QTextCharFormat Format(const QColor& colour, bool bold = false, bool italic = false)
{
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

void Underline(QTextCharFormat& format, const QColor& colour)
{
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(colour);
}

} // namespace

PhiHighlighter::PhiHighlighter(const QPalette& palette, QTextDocument& text)
    : QObject(&text)
    , text_(text)
{
    SetPalette(palette);
    connect(&text, &QTextDocument::contentsChange, this, &PhiHighlighter::Forget);
}

void PhiHighlighter::SetPalette(const QPalette& palette)
{
    palette_ = palette;
    const QColor text = palette.color(QPalette::Text);
    const auto at = [this](FieldRole role) -> QTextCharFormat& { return formats_[static_cast<std::size_t>(role)]; };
    at(FieldRole::Comment) = Format(ui::Toward(palette, 45), false, true);
    at(FieldRole::Keyword) = Format(ui::Hue(palette, 215), true);
    at(FieldRole::ObjPath) = Format(ui::Hue(palette, 30));
    at(FieldRole::LevelNumber) = Format(ui::Hue(palette, 275), true);
    at(FieldRole::PartName) = Format(text, true);
    at(FieldRole::Rotation) = Format(ui::Hue(palette, 175));
    at(FieldRole::Curve) = Format(ui::Hue(palette, 320), true);
    at(FieldRole::Extra) = Format(ui::Toward(palette, 30), false, true);
    at(FieldRole::ChainName) = Format(ui::Hue(palette, 120), true);
    at(FieldRole::ChainPart) = Format(text, true);
    QTextCharFormat illegal = Format(ui::MarkColour(palette, ui::LineData::Mark::Error));
    illegal.setBackground(QColor::fromHsl(0, 160, ui::IsDark(palette) ? 45 : 235));
    at(FieldRole::Illegal) = illegal;
    Invalidate();
}

const QTextCharFormat& PhiHighlighter::FormatOf(FieldRole role) const
{
    return formats_[static_cast<std::size_t>(role)];
}

void PhiHighlighter::ColourInSight(int first, int last)
{
    for (QTextBlock block = text_.findBlockByNumber(first); block.isValid() && block.blockNumber() <= last;
         block = block.next()) {
        const ui::LineData* data = ui::DataOf(block);
        if (!data || data->colouring != colouring_)
            Colour(block);
    }
}

void PhiHighlighter::Forget(int position, int, int added)
{
    const QTextBlock last = text_.findBlock(position + added);
    for (QTextBlock block = text_.findBlock(position); block.isValid(); block = block.next()) {
        if (ui::LineData* data = ui::DataOf(block))
            data->colouring = 0;
        if (block == last)
            break;
    }
}

void PhiHighlighter::Colour(QTextBlock block)
{
    ui::LineData& data = ui::DataFor(block);
    data.colouring = colouring_;
    const QString text = block.text();
    const QByteArray bytes = text.toLatin1();
    fields_.clear();
    varnoke::ReadLineFields(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), fields_);
    ranges_.clear();
    const bool marked = data.mark != ui::LineData::Mark::None;
    const QColor markColour = ui::MarkColour(palette_, data.mark);
    if (marked) {
        QTextCharFormat underlined;
        Underline(underlined, markColour);
        // The line's text, not the white space that leads it.
        int start = 0;
        while (start < text.size() && text[start].isSpace())
            ++start;
        ranges_.append({ start, static_cast<int>(text.size()) - start, underlined });
    }
    for (const varnoke::LineField& field : fields_) {
        QTextCharFormat format = FormatOf(field.role);
        if (marked)
            Underline(format, markColour);
        ranges_.append({ static_cast<int>(field.span.start), static_cast<int>(field.span.length), format });
    }
    QTextLayout* layout = block.layout();
    if (layout->formats() == ranges_)
        return;
    layout->setFormats(ranges_);
    // Lays the line out again; the document's text and its undo history are untouched.
    text_.markContentsDirty(block.position(), block.length());
}
