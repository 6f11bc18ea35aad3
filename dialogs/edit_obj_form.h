#pragma once

#include <QDialog>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class Prompts;

// The objFile dialog ("Edit objForm"): the Poser path of an objFile line. The command
// that shows it fills it with SetPath, shows it and reads Path back once it is accepted.
class TEditOBJForm : public QDialog {
    Q_OBJECT

public:
    // The folder is the program's, under which Browse looks for the geometry folder.
    TEditOBJForm(Prompts& prompts, const QString& programFolder, QWidget* parent = nullptr);

    void SetPath(const std::string& path);
    std::string Path() const;

    // The OK check: accepts, or shows the message and stays open.
    void OKButtonClick();
    // Browse: picks an OBJ file, which need not exist, and writes its Poser path into OBJEdit.
    void Button1Click();

    QLabel* Label1;
    QLineEdit* OBJEdit;
    QPushButton* Button1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Prompts& prompts_;
    QString programFolder_;
};
