#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's name and version, and an OK button.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* nameLabel_;
    QPushButton* okButton_;
};
