#pragma once

#include <QFileDialog>

// The program's file dialog. Opening, a name typed without an extension also finds a
// file of the default extension in any letter case: content made on Windows names its
// files so, and "fig" then opens "fig.obj" where the extension "OBJ" is the default.
class FileDialog final : public QFileDialog {
    Q_OBJECT

public:
    FileDialog(QWidget* parent, const QString& caption, const QString& directory);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
};
