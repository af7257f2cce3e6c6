// About: the program's name and version, as the main window and the build name them.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmKX5_About : public QDialog {
    Q_OBJECT
public:
    explicit frmKX5_About(QWidget* parent = nullptr);

    void btnClose_Click();

private:
    QLabel* Image1;
    QLabel* lblName;
    QLabel* lblVersion;
    QPushButton* btnClose;
};
