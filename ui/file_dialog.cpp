#include "ui/file_dialog.h"

#include "hierarchy/geometry_file.h"
#include "ui/text_conversions.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

FileDialog::FileDialog(QWidget* parent, const QString& caption, const QString& directory)
    : QFileDialog(parent, caption, directory)
{
}

void FileDialog::accept()
{
    const QStringList chosen = selectedFiles();
    if (acceptMode() == AcceptOpen && chosen.size() == 1 && !QFileInfo::exists(chosen.constFirst())) {
        const QString found = ui::FromCorePath(varnoke::ResolvePathIgnoringCase(ui::CorePath(chosen.constFirst())));
        if (QFileInfo(found).isFile())
            selectFile(found);
    }
    QFileDialog::accept();
}

void FileDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    // The detail columns as wide as what they show, the name taking the rest.
    if (auto* details = findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}
