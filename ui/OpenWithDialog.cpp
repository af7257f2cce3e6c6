#include "ui/OpenWithDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString OpenWithDialog::message(const QString& file) {
    const QFileInfo info(file);
    const QString name = info.fileName();
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    return info.exists() ? tr("No program is registered to open the file \"%1\" in the folder\n%2"
                              "\n\nChoose a program to open it with, or Cancel.")
                               .arg(name, folder)
                         : tr("The file \"%1\" was asked for, but it does not exist in the folder\n"
                              "%2\n\nChoose a program to open it with, or Cancel.")
                               .arg(name, folder);
}

OpenWithDialog::OpenWithDialog(const QString& file, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OpenWithDialog"));
    setWindowTitle(tr("Open With - %1").arg(QFileInfo(file).fileName()));

    lblMessage = new QLabel(message(file), this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* lblProgram = new QLabel(tr("&Program"), this);
    txtProgram = new QLineEdit(this);
    txtProgram->setObjectName(QStringLiteral("txtProgram"));
    txtProgram->setMinimumWidth(280);
    txtProgram->setAccessibleName(tr("Program"));
    lblProgram->setBuddy(txtProgram);
    btnBrowse = new QPushButton(tr("&Browse..."), this);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* choose = new QHBoxLayout;
    choose->addWidget(lblProgram);
    choose->addWidget(txtProgram, 1);
    choose->addWidget(btnBrowse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblMessage);
    top->addLayout(choose);
    top->addLayout(buttons);

    connect(txtProgram, &QLineEdit::textChanged, this,
            [this](const QString& t) { btnOK->setEnabled(!t.trimmed().isEmpty()); });
    connect(btnBrowse, &QPushButton::clicked, this, &OpenWithDialog::browse);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString OpenWithDialog::program() const {
    return txtProgram->text().trimmed();
}

void OpenWithDialog::browse() {
#ifdef Q_OS_WIN
    const QString start = qEnvironmentVariable("ProgramFiles", QStringLiteral("C:/"));
#else
    const QString start = QStringLiteral("/usr/bin");
#endif
    const QString chosen = QFileDialog::getOpenFileName(this, windowTitle(), start);
    if (!chosen.isEmpty()) txtProgram->setText(QDir::toNativeSeparators(chosen));
}
