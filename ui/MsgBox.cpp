#include "ui/MsgBox.h"

#include "ui/TestSeams.h"

void setMsgBoxHandler(MsgBoxHandler handler) {
    testSeams().msgBox = std::move(handler);
}

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& title, const QString& text,
                                   QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                   const QString& informative) {
    if (const MsgBoxHandler& answer = testSeams().msgBox) return answer(title, text, buttons);
    QMessageBox box(icon, title, text, buttons, parent);
    box.setInformativeText(informative);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
