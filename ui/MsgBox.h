// Message boxes through one seam, so tests answer them without a real dialog.
#pragma once

#include <QMessageBox>
#include <functional>

class QWidget;

// Shows a message box and returns the button pressed.
QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& title, const QString& text,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                   QMessageBox::Icon icon = QMessageBox::Information);

// Tests install a handler that records the message and answers it; an empty handler restores
// the real dialog.
using MsgBoxHandler = std::function<QMessageBox::StandardButton(
    const QString& title, const QString& text, QMessageBox::StandardButtons buttons)>;
void setMsgBoxHandler(MsgBoxHandler handler);
