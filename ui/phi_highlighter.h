#pragma once

#include "hierarchy/line_fields.h"

#include <QPalette>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>
#include <vector>

// Colours the lines of a hierarchy as a test reads them, and underlines the lines the
// last test marked. Only the lines in sight are coloured: the others when they come into
// sight, so a large text costs no more than the lines the user sees.
class PhiHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT

public:
    // Colours the text, and goes with it.
    PhiHighlighter(const QPalette& palette, QTextDocument& text);

    // Colours from another palette; every line's colouring is then out of date.
    void SetPalette(const QPalette& palette);
    // Colours the lines from first to last (block numbers) whose colouring is out of date.
    // Lines are coloured only so: a line changed elsewhere is left uncoloured until then.
    void ColourInSight(int first, int last);
    // Every line's colouring is out of date, its marks changed.
    void Invalidate() { ++colouring_; }
    const QTextCharFormat& FormatOf(varnoke::FieldRole role) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    static constexpr std::size_t kRoles = static_cast<std::size_t>(varnoke::FieldRole::Illegal) + 1;

    QPalette palette_;
    std::array<QTextCharFormat, kRoles> formats_;
    int colouring_ = 1;
    bool inSight_ = false;
    std::vector<varnoke::LineField> fields_;
};
