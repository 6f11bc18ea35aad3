#include "app/document_state_field.h"

#include "app/document.h"

#include <QDir>
#include <QFileInfo>

DocumentStateField::DocumentStateField(const Document& document, QWidget* parent)
    : QLabel(parent)
    , document_(document)
{
    setObjectName(QStringLiteral("DocumentState"));
    connect(&document, &Document::modifiedChanged, this, &DocumentStateField::Show);
    connect(&document, &Document::savePathChanged, this, &DocumentStateField::Show);
    Show();
}

void DocumentStateField::Show()
{
    const QString& path = document_.SavePath();
    const QString name = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    setText(document_.IsModified() ? name + QLatin1Char('*') : name);
    setStatusTip(QDir::toNativeSeparators(path));
}
