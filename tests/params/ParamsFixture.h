// A fresh data image, a parameter data grid and its display grid, and recorded message boxes
// for each test of the parameter windows; field helpers shared with the link and pty tests.
#pragma once

#include "link/Cells.h"
#include "link/Grid.h"
#include "link/mdlKX5.h"
#include "params/ParamMap.h"
#include "ui/MsgBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// Puts text into the named field of w: a line edit, a combo box or a label.
inline void setField(QWidget* w, const QString& name, const QString& text) {
    QWidget* f = w->findChild<QWidget*>(name);
    if (auto* e = qobject_cast<QLineEdit*>(f)) return e->setText(text);
    if (auto* c = qobject_cast<QComboBox*>(f)) return c->setCurrentText(text);
    if (auto* l = qobject_cast<QLabel*>(f)) return l->setText(text);
    ADD_FAILURE() << "no field " << name.toStdString();
}
inline QString field(QWidget* w, const QString& name) {
    QWidget* f = w->findChild<QWidget*>(name);
    if (auto* e = qobject_cast<QLineEdit*>(f)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(f)) return c->currentText();
    if (auto* l = qobject_cast<QLabel*>(f)) return l->text();
    ADD_FAILURE() << "no field " << name.toStdString();
    return {};
}
inline void clickOK(QWidget* d) {
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
}

class ParamsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        resetDataImage();
        setupMapGrid(display);
        setMsgBoxHandler([this](const QString&, const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override { setMsgBoxHandler({}); }

    // Stores a register value in the data grid, as the link does.
    void store(int reg, int value) {
        data.setText(mapCell(reg).col, mapCell(reg).row, QString::number(value));
    }
    // INP, UNIT and DP-P in the data grid, then the display refreshed from it.
    void input(int inp, int unit, int dpp) {
        store(610, inp);
        store(611, unit);
        store(614, dpp);
        refresh();
    }
    void refresh() { refreshMapGrid(data, display); }

    Grid data{kMapCols, kMapRows};
    Grid display;
    QStringList messages;
};
