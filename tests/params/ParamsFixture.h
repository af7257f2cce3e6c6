// A fresh data image, a station's parameter image and the map's display grid, a recording request
// sink (station 4 selected) and recorded message boxes for each test of the parameter windows;
// field helpers shared with the link and pty tests.
#pragma once

#include "link/Cells.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "params/ParamMap.h"
#include "tests/support/AnsweredBoxes.h"
#include "tests/support/RecordingSink.h"
#include "ui/Grid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// The text of the named field of w: a line edit's, a label's, a combo box's current one.
inline const char* textProperty(QWidget* f) {
    return qobject_cast<QComboBox*>(f) ? "currentText" : "text";
}
inline void setField(QWidget* w, const QString& name, const QString& text) {
    QWidget* f = w->findChild<QWidget*>(name);
    ASSERT_NE(f, nullptr) << name.toStdString();
    f->setProperty(textProperty(f), text);
}
inline QString field(QWidget* w, const QString& name) {
    QWidget* f = w->findChild<QWidget*>(name);
    EXPECT_NE(f, nullptr) << name.toStdString();
    return f ? f->property(textProperty(f)).toString() : QString();
}
inline void clickOK(QWidget* d) {
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
}

class ParamsFixture : public ::testing::Test, protected AnsweredBoxes {
protected:
    void SetUp() override {
        setupMapGrid(display);
        sink.mcNo = 4;
        answer = QMessageBox::Ok;
    }

    // A whole read of the station's parameters, every one 0.
    void readZeros() {
        for (int step = kStepReadAll1; step <= kStepReadAll4; ++step)
            for (int reg : findStep(step)->regs)
                image[reg] = 0;
    }
    QString shown(int reg) const { return display.text(mapCell(reg).col, mapCell(reg).row); }
    // INP, UNIT and DP-P in the image, then the display refreshed from it.
    void input(int inp, int unit, int dpp) {
        image[610] = inp, image[611] = unit, image[614] = dpp;
        refreshMapGrid(&image, display);
    }

    ParamImage image;
    Grid display;
    RecordingSink sink;
};
