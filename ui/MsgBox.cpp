#include "ui/MsgBox.h"

namespace {
MsgBoxHandler g_handler;
}

void setMsgBoxHandler(MsgBoxHandler handler) {
    g_handler = std::move(handler);
}

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& title, const QString& text,
                                   QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
    if (g_handler) return g_handler(title, text, buttons);
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
