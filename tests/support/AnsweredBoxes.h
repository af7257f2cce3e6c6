// Message boxes answered without a dialog while alive: each text kept in `said`, each answered
// with `answer` when set, else Yes where offered (Close the port? Yes), else OK.
#pragma once

#include "ui/MsgBox.h"

#include <QStringList>
#include <optional>

struct AnsweredBoxes {
    AnsweredBoxes() {
        setMsgBoxHandler(
            [this](const QString&, const QString& text, QMessageBox::StandardButtons b) {
                said << text;
                return answer                         ? *answer
                       : b.testFlag(QMessageBox::Yes) ? QMessageBox::Yes
                                                      : QMessageBox::Ok;
            });
    }
    ~AnsweredBoxes() { setMsgBoxHandler({}); }
    QStringList said;
    std::optional<QMessageBox::StandardButton> answer;
};
