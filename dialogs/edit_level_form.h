#pragma once

#include "tree/level_edit.h"

#include "ui/fixed_dialog.h"

class PoserFolder;
class Prompts;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The level dialog ("Edit Hierarchy"): part name, rotation order, curve flag and the
// part's OBJ file. The command that shows it fills it with SetValues, shows it and
// reads Values back once it is accepted.
class TEditLevelForm : public FixedDialog {
    Q_OBJECT

public:
    // Browse looks for the geometry folder under the Poser folder as it is when pressed.
    TEditLevelForm(Prompts& prompts, const PoserFolder& poserFolder, QWidget* parent = nullptr);

    // A rotation outside kRotationOrders leaves no order selected.
    void SetValues(const varnoke::LevelDialogValues& values);
    varnoke::LevelDialogValues Values() const;

    // The OK check: accepts, or shows the first failing check's message and stays open.
    void OKButtonClick();
    // Browse: picks an existing OBJ file and writes its Poser path into the OBJ file field.
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAbstractButton* RotationTabStop() const;
    void UpdateRotationTabStop();

    Prompts& prompts_;
    const PoserFolder& poserFolder_;
    QLabel* nameLabel_;
    QLineEdit* nameEdit_;
    QGroupBox* rotationGroup_;
    QButtonGroup* rotationButtons_; // ids are indexes into kRotationOrders
    QCheckBox* curvedCheckBox_;
    QLabel* objLabel_;
    QLineEdit* objEdit_;
    QPushButton* browseButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
