#include "ui/file_dialog.h"

#include "hierarchy/geometry_file.h"
#include "ui/text_conversions.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

namespace {

constexpr int kWidth = 780;

} // namespace

FileDialog::FileDialog(QWidget* parent, const QString& caption, const QString& directory)
    : QFileDialog(parent, caption, directory)
{
    // Room for a file's name, size, type and date side by side.
    resize(kWidth, height());
}

void FileDialog::accept()
{
    const QStringList chosen = selectedFiles();
    if (acceptMode() == AcceptOpen && chosen.size() == 1 && !QFileInfo::exists(chosen.constFirst())) {
        const QFileInfo found(ui::FromCorePath(varnoke::ResolvePathIgnoringCase(ui::CorePath(chosen.constFirst()))));
        // The name field keeps what was typed while it has the focus: the file goes there.
        auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (found.isFile() && name)
            name->setText(found.absoluteFilePath());
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
