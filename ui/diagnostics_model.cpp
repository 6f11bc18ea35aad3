#include "ui/diagnostics_model.h"

#include "ui/text_conversions.h"

DiagnosticsModel::DiagnosticsModel(const varnoke::Diagnostics& diagnostics, QObject* parent)
    : QAbstractListModel(parent)
    , diagnostics_(diagnostics)
    , rows_(diagnostics.Count())
{
}

void DiagnosticsModel::Refresh()
{
    beginResetModel();
    rows_ = diagnostics_.Count();
    endResetModel();
}

int DiagnosticsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant DiagnosticsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= diagnostics_.Count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return ui::FromLatin1(diagnostics_.TextAt(index.row()));
    case LineRole: {
        const varnoke::Diagnostic entry = diagnostics_.At(index.row());
        return entry.severity == varnoke::Severity::Plain ? 0 : entry.line;
    }
    case SeverityRole:
        return static_cast<int>(diagnostics_.At(index.row()).severity);
    default:
        return {};
    }
}
