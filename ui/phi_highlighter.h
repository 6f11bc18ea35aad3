#pragma once

#include "hierarchy/line_fields.h"

#include <QObject>
#include <QPalette>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>

#include <array>
#include <vector>

// Colours the lines of a hierarchy as a test reads them, and underlines the lines the
// last test marked. Only the lines in sight are coloured: the others when they come into
// sight, so a large text costs no more than the lines the user sees. The toolkit's own
// highlighter is not used: it gives every line of a text a layout when it is attached,
// which on millions of lines costs seconds and gigabytes.
class PhiHighlighter final : public QObject {
    Q_OBJECT

public:
    // Colours the text, and goes with it.
    PhiHighlighter(const QPalette& palette, QTextDocument& text);

    // Colours from another palette; every line's colouring is then out of date.
    void SetPalette(const QPalette& palette);
    // Colours the lines from first to last (block numbers) whose colouring is out of date.
    // Lines are coloured only so: a line changed out of sight keeps its old colours until then.
    void ColourInSight(int first, int last);
    // Every line's colouring is out of date, its marks changed.
    void Invalidate() { ++colouring_; }
    const QTextCharFormat& FormatOf(varnoke::FieldRole role) const;

private:
    // Lines whose text changed lose their colouring.
    void Forget(int position, int removed, int added);
    void Colour(QTextBlock block);

    static constexpr std::size_t kRoles = static_cast<std::size_t>(varnoke::FieldRole::Illegal) + 1;

    QTextDocument& text_;
    QPalette palette_;
    std::array<QTextCharFormat, kRoles> formats_;
    int colouring_ = 1;
    std::vector<varnoke::LineField> fields_;
    QList<QTextLayout::FormatRange> ranges_;
};
