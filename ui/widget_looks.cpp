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

} // namespace ui
