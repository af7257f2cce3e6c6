// Message boxes through one seam, so tests answer them without a real dialog.
#pragma once

#include "ui/TestSeams.h"

#include <QMessageBox>

class QWidget;

// Shows a message box and returns the button pressed; testSeams().msgBox answers instead
// when set.
// `informative` explains below the question; the test handler gets the question alone.
QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& title, const QString& text,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                   QMessageBox::Icon icon = QMessageBox::Information,
                                   const QString& informative = {});

// Same as setting testSeams().msgBox; an empty handler restores the real dialog.
void setMsgBoxHandler(MsgBoxHandler handler);
