// Typing into a cell of a shown grid through its own editor and giving OK (or another button)
// the ways a user does, for the windows' tests of what their OK reads.
#pragma once

#include "ui/GridView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

enum class GiveOk {
    Click,          // the mouse on the button
    Shortcut,       // its Alt key (Alt+O for "&OK") while the cell's editor is open
    ReturnShortcut, // Return in the editor, then the Alt key
};

// Opens the editor of cell (col, row), both from 1, of view's grid in its shown window, types
// text into it (a drop-down picks the entry it starts with) and gives button the way how. The
// editor is left open for the button, as a user leaves it.
inline void typeIntoCellAndPress(GridView* view, int col, int row, const QString& text,
                                 QAbstractButton* button, GiveOk how) {
    QWidget* window = view->window();
    window->show();
    QApplication::setActiveWindow(window);
    const QModelIndex at = view->model()->index(row - 1, col - 1);
    view->setFocus();
    view->setCurrentIndex(at);
    if (!view->indexWidget(at)) view->edit(at);
    QWidget* editor = view->indexWidget(at);
    ASSERT_NE(editor, nullptr) << "no editor for cell " << col << "," << row;
    editor->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
    QTest::keyClicks(editor, text);
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        ASSERT_EQ(box->currentText(), text);
    }
    if (how == GiveOk::Click) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    if (how == GiveOk::ReturnShortcut) {
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::mnemonic(button->text()));
    // A shortcut shows the button pressed for a moment, then clicks it.
    EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }, 2000));
}
