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
    for (const QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
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
