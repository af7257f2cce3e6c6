// Every window on the screen it is run on (ctest runs this binary on a small, a laptop and a
// doubly scaled screen, and with a 1.5 times larger font): no window larger than the screen's
// free area, no caption cut, no controls on top of each other. What the windows show is the
// other files'.
#include "MainFixture.h"
#include "graph/GraphWindow.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/frmD_Edit.h"
#include "monitor/frmKX5_Multi.h"
#include "params/ParamMap.h"
#include "params/frmKX5_AlarmCode.h"
#include "params/frmKX5_P_ALM.h"
#include "params/frmKX5_P_AT.h"
#include "params/frmKX5_P_Control.h"
#include "params/frmKX5_P_IN.h"
#include "params/frmKX5_P_OUT.h"
#include "params/frmKX5_P_PID.h"
#include "params/frmKX5_P_SV.h"
#include "params/frmKX5_Parameter.h"
#include "settings/OpenWithDialog.h"
#include "settings/ScanLineDialog.h"
#include "settings/frmDSave_Folder.h"
#include "settings/frmKX5_About.h"
#include "settings/frmKX5_SetDT.h"
#include "settings/frmKX5_SetEnv.h"
#include "settings/frmKX5_SetPort.h"
#include "settings/frmKX5_Set_DSave.h"
#include "ui/ElidedLabel.h"
#include "ui/ScreenFit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <functional>

namespace {

// What can be seen to be wrong in a shown window, one line per fault.
QStringList faults(QWidget* w, const QRect& free) {
    QStringList out;
    const QSize frame = w->frameGeometry().size().expandedTo(w->size());
    if (frame.width() > free.width() || frame.height() > free.height())
        out << QStringLiteral("window %1x%2 > screen %3x%4")
                   .arg(frame.width())
                   .arg(frame.height())
                   .arg(free.width())
                   .arg(free.height());
    const auto name = [](const QWidget* c) {
        return c->objectName().isEmpty() ? QString::fromLatin1(c->metaObject()->className())
                                         : c->objectName();
    };
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(w) || c->isWindow()) continue;
        bool inView = false; // cells, headers and editors of tables draw as they choose
        for (QWidget* p = c->parentWidget(); p && p != w && !inView; p = p->parentWidget())
            inView = qobject_cast<QAbstractScrollArea*>(p) != nullptr;
        if (inView) continue;
        if (auto* l = qobject_cast<QLabel*>(c); l && !qobject_cast<ElidedLabel*>(c) &&
                                                !l->wordWrap() && !l->text().isEmpty() &&
                                                !Qt::mightBeRichText(l->text())) {
            QString shown = l->text();
            if (l->buddy()) shown.remove(QLatin1Char('&'));
            const int need = l->fontMetrics().horizontalAdvance(shown.split('\n').first());
            if (l->contentsRect().width() - 2 * l->margin() + 1 < need)
                out << QStringLiteral("text cut: %1 \"%2\" %3 < %4")
                           .arg(name(c), l->text())
                           .arg(l->contentsRect().width())
                           .arg(need);
        }
        if (auto* b = qobject_cast<QAbstractButton*>(c); b && !b->text().isEmpty()) {
            const int need = b->sizeHint().width();
            if (b->width() < need - 2)
                out << QStringLiteral("button cut: %1 \"%2\" %3 < %4")
                           .arg(name(c), b->text())
                           .arg(b->width())
                           .arg(need);
        }
        // Siblings on top of each other.
        for (QWidget* s : c->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (s <= c || !s->isVisibleTo(w) || s->isWindow()) continue;
            if (s->geometry().intersects(c->geometry()))
                out << QStringLiteral("overlap: %1 and %2").arg(name(c), name(s));
        }
    }
    return out;
}

} // namespace

class Screens : public MainFixture {};

TEST_F(Screens, EveryWindowFitsTheScreenWithNothingCutOrOverlapping) {
    QFont font = QApplication::font();
    const double scale = qEnvironmentVariable("KX5_FONT_SCALE", QStringLiteral("1")).toDouble();
    font.setPointSizeF(font.pointSizeF() * scale);
    QApplication::setFont(font);
    keepWindowsOnScreen(); // as the programs do
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();

    build({1, 2, 3}, 3);
    KX5Link* l = link();
    Grid display;
    setupMapGrid(display);
    Grid data{kMapCols, kMapRows};
    frmKX5_P_ALM alm(l, &display, &data);
    const std::pair<const char*, std::function<QWidget*()>> windows[] = {
        {"main", [&] { return win.get(); }},
        {"multi", [&] { return new frmKX5_Multi(l, l, &l->sprdStatus); }},
        {"map", [&] { return new frmKX5_Parameter(l, &l->sprdMap, &l->sprdStatus); }},
        {"SV", [&] { return new frmKX5_P_SV(l, &display, &data); }},
        {"AT", [&] { return new frmKX5_P_AT(l, &display, &data); }},
        {"PID", [&] { return new frmKX5_P_PID(l, &display, &data); }},
        {"ALM", [&] { return new frmKX5_P_ALM(l, &display, &data); }},
        {"Control", [&] { return new frmKX5_P_Control(l, &display, &data); }},
        {"IN", [&] { return new frmKX5_P_IN(l, &display, &data); }},
        {"OUT", [&] { return new frmKX5_P_OUT(l, &display, &data); }},
        {"alarm code", [&] { return new frmKX5_AlarmCode(&alm); }},
        {"edit", [&] { return new frmD_Edit(l); }},
        {"port", [&] { return new frmKX5_SetPort; }},
        {"stations", [&] { return new frmKX5_SetEnv(&l->sprdStatus, &l->sprdMonitoring); }},
        {"scan", [&] { return new ScanLineDialog(l, std::make_unique<FakeSerialPort>()); }},
        {"data save", [&] { return new frmKX5_Set_DSave; }},
        {"folder", [&] { return new frmDSave_Folder; }},
        {"clock", [&] { return new frmKX5_SetDT(l); }},
        {"about", [&] { return new frmKX5_About; }},
        {"open with", [&] { return new OpenWithDialog(path("KX5.pdf")); }},
        {"statistics", [&] { return new LineStatisticsDialog(l); }},
        {"graph",
         [&] {
             QByteArray dat;
             for (int i = 0; i < 600; ++i)
                 dat += QTime(12, 0).addSecs(i * 6).toString("'2026-03-07\t'HH:mm:ss").toLatin1() +
                        "\t2500\t" + QByteArray::number(2400 + i % 150) + "\t455\r\n";
             writeFile("KX5_01.DAT", dat);
             auto* g = new GraphWindow;
             g->openFiles({path("KX5_01.DAT")});
             return g;
         }},
    };
    for (const auto& [what, make] : windows) {
        SCOPED_TRACE(what);
        QWidget* w = make();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        const QStringList found = faults(w, free);
        EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
        w->hide(); // as a closed window is, before it goes
        if (w != win.get()) delete w;
    }
}
