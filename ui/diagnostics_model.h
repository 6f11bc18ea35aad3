#pragma once

#include "hierarchy/diagnostics.h"

#include <QAbstractListModel>

// The diagnostics of the last test as a list: each entry's text, the line it leads to
// and its severity. Refresh shows the entries as they stand; until then the rows stay
// as they were, and a row whose entry has gone since shows nothing.
class DiagnosticsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        LineRole = Qt::UserRole + 1, // the number the text begins with; 0 for plain entries
        SeverityRole, // a varnoke::Severity
    };

    explicit DiagnosticsModel(const varnoke::Diagnostics& diagnostics, QObject* parent = nullptr);

    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const varnoke::Diagnostics& diagnostics_;
    int rows_ = 0;
};
