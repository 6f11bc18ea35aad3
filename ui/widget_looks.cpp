#include "ui/widget_looks.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QPushButton>

namespace ui {

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

void KeepSelectionVisible(QAbstractItemView& view)
{
    QPalette colours = view.palette();
    // Half way between the highlight and the background: plainly marked, plainly not the
    // focused view's selection, on light and dark palettes alike.
    const QColor highlight = colours.color(QPalette::Active, QPalette::Highlight);
    const QColor base = colours.color(QPalette::Active, QPalette::Base);
    const QColor faded
        = QColor::fromRgbF((highlight.redF() + base.redF()) / 2, (highlight.greenF() + base.greenF()) / 2,
                           (highlight.blueF() + base.blueF()) / 2);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, faded);
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Active, QPalette::Text));
    view.setPalette(colours);
}

void ShowAsStale(QAbstractItemView& view, bool stale)
{
    if (!stale) {
        // A palette that sets nothing inherits everything again.
        view.setPalette(QPalette());
        return;
    }
    QPalette colours = view.palette();
    for (const QPalette::ColorRole role : { QPalette::Text, QPalette::Highlight, QPalette::HighlightedText }) {
        for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
            colours.setColor(group, role, colours.color(QPalette::Disabled, role));
    }
    view.setPalette(colours);
}

} // namespace ui
