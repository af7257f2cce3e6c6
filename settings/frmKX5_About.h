// About: the program's name, version and the maker's home page.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The address the About box shows and opens.
extern const char* const kHomePage;

class frmKX5_About : public QDialog {
    Q_OBJECT
public:
    explicit frmKX5_About(QWidget* parent = nullptr);

    // The version shown: the application's, or the build's when the application sets none.
    static QString versionText();

    void lblHomePage_Click();
    void btnClose_Click();

private:
    QLabel* Image1;
    QLabel* lblName;
    QLabel* lblVersion;
    QLabel* lblHomePage;
    QPushButton* btnClose;
};
