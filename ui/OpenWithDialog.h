// Open With: the choice of a program for a companion file that its registered program could
// not open. It says which file was asked for, in which folder, and whether it exists at all.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class OpenWithDialog : public QDialog {
    Q_OBJECT
public:
    explicit OpenWithDialog(const QString& file, QWidget* parent = nullptr);

    // The program chosen; empty until one is typed or browsed for.
    QString program() const;
    // What the dialog tells about file: its name, its folder and, when missing, that it does
    // not exist.
    static QString message(const QString& file);

private:
    void browse();

    QLabel* lblMessage;
    QLineEdit* txtProgram;
    QPushButton* btnBrowse;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};
