#pragma once

#include "ui/fixed_dialog.h"

#include <string>

class PoserFolder;
class Prompts;
class QLabel;
class QLineEdit;
class QPushButton;

// The objFile dialog ("Edit objForm"): the Poser path of an objFile line. The command
// that shows it fills it with SetPath, shows it and reads Path back once it is accepted.
class TEditOBJForm : public FixedDialog {
    Q_OBJECT

public:
    // Browse looks for the geometry folder under the Poser folder as it is when pressed.
    TEditOBJForm(Prompts& prompts, const PoserFolder& poserFolder, QWidget* parent = nullptr);

    void SetPath(const std::string& path);
    std::string Path() const;

    // The OK check: accepts, or shows the message and stays open.
    void OKButtonClick();
    // Browse: picks an OBJ file, which need not exist, and writes its Poser path into the field.
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Prompts& prompts_;
    const PoserFolder& poserFolder_;
    QLabel* objLabel_;
    QLineEdit* objEdit_;
    QPushButton* browseButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
