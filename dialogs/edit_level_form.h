#pragma once

#include "tree/level_edit.h"

#include <QDialog>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Prompts;

// The level dialog ("Edit Hierarchy"): part name, rotation order, curve flag and the
// part's OBJ file. The command that shows it fills it with SetValues, shows it and
// reads Values back once it is accepted.
class TEditLevelForm : public QDialog {
    Q_OBJECT

public:
    // The folder is the program's, under which Browse looks for the geometry folder.
    TEditLevelForm(Prompts& prompts, const QString& programFolder, QWidget* parent = nullptr);

    // A rotation outside kRotationOrders leaves no order selected.
    void SetValues(const varnoke::LevelDialogValues& values);
    varnoke::LevelDialogValues Values() const;

    // The OK check: accepts, or shows the first failing check's message and stays open.
    void OKButtonClick();
    // Browse: picks an existing OBJ file and writes its Poser path into OBJEdit.
    void Button1Click();

    QLabel* Label1;
    QLineEdit* NameEdit;
    QGroupBox* RotationGroup;
    QButtonGroup* RotationButtons; // ids are indexes into kRotationOrders
    QCheckBox* CurvedCheckBox;
    QLabel* Label2;
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
