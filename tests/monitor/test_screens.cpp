// Every window on the screen it is run on (ctest runs this binary on a small, a laptop and a
// doubly scaled screen, with 1.5 times larger fonts, and in Korean): no window larger than the
// screen's free area with a title bar, none placed partly off it, no caption cut, no controls
// on top of each other, no Alt+letter claimed twice. And every text the
// windows show comes through the translator; tables of numbers keep a face with a clear point.
// What the windows show is the other files'.
#include "MainFixture.h"
#include "files/LinkOptions.h"
#include "files/PublishOptions.h"
#include "graph/GraphWindow.h"
#include "monitor/AlarmListDialog.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/MultiTrendWindow.h"
#include "monitor/SettingsEvents.h"
#include "monitor/frmD_Edit.h"
#include "monitor/frmKX5_Multi.h"
#include "params/ParamSet.h"
#include "params/WriteSetDialog.h"
#include "params/frmKX5_AlarmCode.h"
#include "params/frmKX5_P_ALM.h"
#include "params/frmKX5_P_AT.h"
#include "params/frmKX5_P_Control.h"
#include "params/frmKX5_P_IN.h"
#include "params/frmKX5_P_OUT.h"
#include "params/frmKX5_P_PID.h"
#include "params/frmKX5_P_SV.h"
#include "params/frmKX5_Parameter.h"
#include "services/LineTexts.h"
#include "settings/GatewayDialog.h"
#include "settings/PublishingDialog.h"
#include "settings/ScanLineDialog.h"
#include "settings/frmDSave_Folder.h"
#include "settings/frmKX5_About.h"
#include "settings/frmKX5_SetDT.h"
#include "settings/frmKX5_SetEnv.h"
#include "settings/frmKX5_SetPort.h"
#include "settings/frmKX5_Set_DSave.h"
#include "tests/support/Bracketing.h"
#include "ui/ElidedLabel.h"
#include "ui/Language.h"
#include "ui/OpenWithDialog.h"
#include "ui/ScreenFit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <functional>
#include <qcustomplot.h>

namespace {

// How a fault names a control: its object name, else its class.
QString nameOf(const QObject* o) {
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                     : o->objectName();
}

// What can be seen to be wrong in a shown window, one line per fault.
QStringList faults(QWidget* w, const QRect& free) {
    QStringList out;
    // The offscreen platform draws a thin frame only: leave room for a window manager's title
    // bar and borders.
    const QSize frame = w->size() + (w->frameGeometry().size() - w->size()).expandedTo({16, 40});
    // ... and placed where all of it can be reached: its title bar and its status bar.
    QString window;
    QDebug(&window) << "window" << w->frameGeometry() << "framed" << frame << "not within" << free;
    if (frame.width() > free.width() || frame.height() > free.height() ||
        !free.contains(w->frameGeometry()))
        out << window;
    // The main window is watched all day: all of it in view, never behind a scroll bar; on a
    // screen under 900 px across its three columns cannot share the width, and it scrolls.
    if (qobject_cast<QMainWindow*>(w) && free.width() >= 900 &&
        w->findChild<QWidget*>("screenFitScroll"))
        out << "main window scrolls";
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
                           .arg(nameOf(c), l->text(), QString::number(l->contentsRect().width()),
                                QString::number(need));
        }
        if (auto* b = qobject_cast<QAbstractButton*>(c); b && !b->text().isEmpty()) {
            // A push button's hint holds the style's minimum width, which a narrow "..." button
            // rightly goes below: what counts is its text.
            QString shown = b->text();
            shown.remove(QLatin1Char('&'));
            const int need =
                qobject_cast<QPushButton*>(c)
                    ? std::min(b->sizeHint().width(), b->fontMetrics().horizontalAdvance(shown) + 8)
                    : b->sizeHint().width();
            if (b->width() < need - 2)
                out << QStringLiteral("button cut: %1 \"%2\" %3 < %4")
                           .arg(nameOf(c), b->text(), QString::number(b->width()),
                                QString::number(need));
        }
        // A plot squeezed to a strip under its titles and axes, or its legend laid over it
        // other than as a deliberate inset.
        if (auto* plot = qobject_cast<QCustomPlot*>(c)) {
            plot->replot(); // lays it out at its size now
            const QRect area = plot->axisRect()->rect();
            if (area.height() < w->height() / 4 ||
                (plot->legend->layout() != plot->axisRect()->insetLayout() &&
                 plot->legend->outerRect().intersects(area)))
                out << "plot hidden: " + nameOf(c);
        }
        // Siblings on top of each other.
        for (QWidget* s : c->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (s <= c || !s->isVisibleTo(w) || s->isWindow()) continue;
            if (s->geometry().intersects(c->geometry()))
                out << QStringLiteral("overlap: %1 and %2").arg(nameOf(c), nameOf(s));
        }
    }
    return out;
}

// The keys that Alt+letter would reach in a shown window, and the letters more than one thing
// claims: Qt then only cycles the focus between them, and the second never acts.
QStringList accelClashes(QWidget* w) {
    QMap<QChar, QStringList> owners;
    const auto claim = [&](const QString& text, const QString& who) {
        const QString marked = QString(text).remove(QStringLiteral("&&")); // "&&" is a plain "&"
        if (const qsizetype at = marked.indexOf(QLatin1Char('&'));
            at >= 0 && at + 1 < marked.size())
            owners[marked[at + 1].toUpper()] << who + " \"" + text + "\"";
    };
    if (auto* mw = qobject_cast<QMainWindow*>(w); mw && mw->menuBar()->isVisibleTo(w))
        for (QAction* a : mw->menuBar()->actions())
            if (a->isVisible()) claim(a->text(), nameOf(a));
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(w) || c->isWindow() || !c->window() || c->window() != w) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(c)) claim(b->text(), nameOf(c));
        if (auto* l = qobject_cast<QLabel*>(c); l && l->buddy()) claim(l->text(), nameOf(c));
        if (auto* g = qobject_cast<QGroupBox*>(c)) claim(g->title(), nameOf(c));
        if (auto* t = qobject_cast<QTabBar*>(c))
            for (int i = 0; i < t->count(); ++i)
                if (t->isTabVisible(i)) claim(t->tabText(i), nameOf(c));
    }
    QStringList out;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it)
        if (it->size() > 1)
            out << QStringLiteral("Alt+%1 used twice: %2").arg(it.key(), it->join(", "));
    return out;
}

// What is left of a shown text once the translated parts are taken out, when a person would
// read it: words, not numbers, paths, file names or the controller's own upper-case mnemonics
// (NPV, SV1, OUT1, NG, KX5N), which read the same in every language.
QString untranslated(QString text) {
    static const QRegularExpression marked(QStringLiteral("\u27E6[^\u27E6\u27E7]*\u27E7"));
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression path(QStringLiteral("\\S*[/\\\\]\\S*"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}|[\\x{AC00}-\\x{D7A3}]+"));
    for (int before = -1; before != text.size();) { // nested: a translated text's arguments
        before = int(text.size());
        text.replace(marked, QStringLiteral(" "));
    }
    text.replace(tags, QStringLiteral(" ")).replace(path, QStringLiteral(" "));
    text.remove(QLatin1Char('&'));
    QStringList words;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (w != w.toUpper() || w.front() >= QChar(0xAC00)) words << w;
    }
    return words.join(QLatin1Char(' '));
}

// The texts of a window a person reads, each with where it is shown.
QList<std::pair<QString, QString>> shownTexts(QWidget* w) {
    QList<std::pair<QString, QString>> out{{QStringLiteral("title"), w->windowTitle()}};
    const auto where = nameOf;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->toolTip().isEmpty()) out.append({where(c) + ".toolTip", c->toolTip()});
        if (auto* x = qobject_cast<QLabel*>(c)) out.append({where(c), x->text()});
        if (auto* x = qobject_cast<QAbstractButton*>(c)) out.append({where(c), x->text()});
        if (auto* x = qobject_cast<QGroupBox*>(c)) out.append({where(c), x->title()});
        if (auto* x = qobject_cast<QLineEdit*>(c))
            out.append({where(c) + ".placeholder", x->placeholderText()});
        if (auto* x = qobject_cast<QTabBar*>(c))
            for (int i = 0; i < x->count(); ++i)
                out.append({where(c), x->tabText(i)});
        if (auto* x = qobject_cast<QComboBox*>(c))
            for (int i = 0; i < x->count(); ++i)
                out.append({where(c), x->itemText(i)});
        if (auto* x = qobject_cast<QHeaderView*>(c); x && x->model() && !x->isHidden())
            for (int i = 0; i < x->count(); ++i)
                out.append({where(c), x->model()->headerData(i, x->orientation()).toString()});
        if (auto* x = qobject_cast<QMenu*>(c)) out.append({where(c), x->title()});
        if (qobject_cast<QMenu*>(c) || qobject_cast<QMenuBar*>(c))
            for (QAction* a : c->actions())
                out.append({where(a), a->text()});
        if (auto* x = qobject_cast<QStatusBar*>(c)) out.append({where(c), x->currentMessage()});
        if (auto* x = qobject_cast<QCustomPlot*>(c)) {
            for (QCPAxis* axis : x->axisRect()->axes())
                out.append({where(c) + ".axis", axis->label()});
            for (int i = 0; i < x->graphCount(); ++i)
                out.append({where(c) + ".graph", x->graph(i)->name()});
        }
    }
    return out;
}

} // namespace

class Screens : public MainFixture {
protected:
    using Window = std::pair<const char*, std::function<QWidget*()>>;
    // Every window the programs show, on a line of three answering stations. The caller owns
    // each but the main window.
    std::vector<Window> windows() {
        build({1, 2, 3}, 3);
        l = link();
        alm = std::make_unique<frmKX5_P_ALM>(l, image);
        return {
            {"main", [&] { return win.get(); }},
            {"multi", [&] { return new frmKX5_Multi(l, &l->line()); }},
            {"map", [&] { return new frmKX5_Parameter(l, ParamSource::of(l)); }},
            {"SV", [&] { return new frmKX5_P_SV(l, image); }},
            {"AT", [&] { return new frmKX5_P_AT(l, image); }},
            {"PID", [&] { return new frmKX5_P_PID(l, image); }},
            {"ALM", [&] { return new frmKX5_P_ALM(l, image); }},
            {"Control", [&] { return new frmKX5_P_Control(l, image); }},
            {"IN", [&] { return new frmKX5_P_IN(l, image); }},
            {"OUT", [&] { return new frmKX5_P_OUT(l, image); }},
            {"alarm code", [&] { return new frmKX5_AlarmCode(alm.get()); }},
            {"edit", [&] { return new frmD_Edit(l); }},
            {"port", [&] { return new frmKX5_SetPort(l->portSettings()); }},
            {"stations", [&] { return new frmKX5_SetEnv; }},
            {"scan", [&] { return new ScanLineDialog(l, std::make_unique<FakeSerialPort>()); }},
            {"data save", [&] { return new frmKX5_Set_DSave(LoadSaveDataCfg()); }},
            {"folder", [&] { return new frmDSave_Folder; }},
            {"clock", [&] { return new frmKX5_SetDT(l); }},
            {"about", [&] { return new frmKX5_About; }},
            {"open with", [&] { return new OpenWithDialog(path("KX5.pdf")); }},
            {"statistics", [&] { return new LineStatisticsDialog(l); }},
            {"alarms", [&] { return new AlarmListDialog(services->alarms(), l->line()); }},
            {"trend of stations", [&] { return new MultiTrendWindow(l->line()); }},
            {"publishing", [&] { return new PublishingDialog(PublishOptions{}); }},
            {"gateway", [&] { return new GatewayDialog(GatewayOptions{}); }},
            // clang-format off
            {"write set", [&] { return new WriteSetDialog(l,
                paramSetFromImage(image, ControllerModel::KX5_105, 1, now), path("oven.csv")); }},
            {"graph", [&] {
                 QByteArray dat;
                 for (int i = 0; i < 600; ++i)
                     dat +=
                         QTime(12, 0).addSecs(i * 6).toString("'2026-03-07\t'HH:mm:ss").toLatin1() +
                         "\t2500\t" + QByteArray::number(2400 + i % 150) + "\t455\r\n";
                 writeFile("KX5_01.DAT", dat);
                 auto* g = new GraphWindow;
                 g->openFiles({path("KX5_01.DAT")});
                 return g; }},
            // clang-format on
        };
    }
    // Shows each window in turn and hands it to check before it goes.
    void forEachWindow(const std::function<void(QWidget*)>& check) {
        for (const auto& [what, make] : windows()) {
            SCOPED_TRACE(what);
            QWidget* w = make();
            w->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
            check(w);
            w->hide(); // as a closed window is, before it goes
            if (w != win.get()) delete w;
        }
    }
    KX5Link* l = nullptr;
    ParamImage image;
    std::unique_ptr<frmKX5_P_ALM> alm;
};

TEST_F(Screens, EveryWindowFitsTheScreenWithNothingCutOrOverlapping) {
    QFont font = QApplication::font();
    const double scale = qEnvironmentVariable("KX5_FONT_SCALE", QStringLiteral("1")).toDouble();
    font.setPointSizeF(font.pointSizeF() * scale);
    QApplication::setFont(font);
    // The Korean screens: its translations installed as the programs install them.
    if (const QString code = qEnvironmentVariable("KX5_TEST_LANGUAGE"); !code.isEmpty()) {
        ASSERT_TRUE(QFileInfo::exists(findTranslation(code))) << code.toStdString();
        installTranslations(qApp, code);
    }
    keepWindowsOnScreen(); // as the programs do
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    forEachWindow([&](QWidget* w) {
        const QStringList found = faults(w, free) + accelClashes(w);
        EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
    });
}

TEST_F(Screens, EveryShownTextComesThroughTheTranslator) {
    // The language menu names each language in that language, so anyone finds their own; what
    // the user typed shows as typed: a station's description.
    const QStringList kAsTheyAre = {"mLangEnglish", "mLangKorean", "lblMC_Name",
                                    "lblMC_Name.toolTip"};
    if (!qEnvironmentVariableIsEmpty("KX5_TEST_LANGUAGE")) GTEST_SKIP() << "run once, untranslated";
    // Every text it translates marked, so a text shown without the marks did not come through.
    Bracketing pseudo({}, [](const QString& s) { return u'\u27E6' + s + u'\u27E7'; });
    QCoreApplication::installTranslator(&pseudo);
    // The tables of numbers draw their figures in DejaVu Sans whatever the desktop's font: in
    // NanumGothic, the usual Korean face, "120.5" reads as "120,5" at a table's size. Per table,
    // a value cell.
    const QStringList installed = QFontDatabase::families();
    const bool faces = installed.contains(QStringLiteral("NanumGothic")) &&
                       installed.contains(QStringLiteral("DejaVu Sans"));
    const QFont appFont = QApplication::font();
    if (faces) QApplication::setFont(QFont(QStringLiteral("NanumGothic"), 9));
    const std::map<QString, QPoint> valueCell = {
        {"sprdStatus", {0, 0}}, {"sprdMonitoring", {3, 0}}, {"sprdMap", {2, 3}}};
    int tables = 0;
    forEachWindow([&](QWidget* w) {
        for (const auto& [where, text] : shownTexts(w))
            EXPECT_EQ(kAsTheyAre.contains(where) ? QString() : untranslated(text), "")
                << where.toStdString() << ": " << text.toStdString();
        for (const auto* v : w->findChildren<QAbstractItemView*>()) {
            const auto cell = valueCell.find(v->objectName());
            if (!faces || cell == valueCell.end()) continue;
            // What the cell is drawn in: its own font, if it has one, over the table's.
            QFont drawn = v->font();
            const QVariant own =
                v->model()->index(cell->second.y(), cell->second.x()).data(Qt::FontRole);
            if (own.isValid()) drawn = own.value<QFont>().resolve(drawn);
            EXPECT_EQ(QFontInfo(drawn).family(), QStringLiteral("DejaVu Sans"))
                << nameOf(v).toStdString();
            ++tables;
        }
    });
    QApplication::setFont(appFont);
    EXPECT_EQ(tables, faces ? 4 : 0); // the main window's two, Multi-Monitoring's, the map's
    QCoreApplication::removeTranslator(&pseudo);
    // Texts built from pieces: each settings group's change event and a lost port's cause.
    // A translator that writes every text in capitals leaves a piece that missed it in small
    // letters (marks would enclose the pieces put into a marked text).
    Bracketing capitals({}, [](const QString& s) { return s.toUpper(); });
    QCoreApplication::installTranslator(&capitals);
    EventLog* log = win->eventLog();
    PortSettings port;
    LinkOptions options;
    DataSaveSettings save;
    PublishOptions publish;
    const SettingsSaid before = settingsSaid(port, options, {}, save, publish);
    port.port = QStringLiteral("/dev/ttyUSB1");
    options.fastPolling = true;
    save.enabled = true;
    publish.enabled = publish.tls = true;
    publish.host = QStringLiteral("192.0.2.1");
    logSettingsChanges(log, before,
                       settingsSaid(port, options, {{3, QStringLiteral("Oven")}}, save, publish));
    emit link()->portLost({.kind = PortFault::Kind::Gone});
    ASSERT_GE(log->entries().size(), 5u); // four groups changed, and the port lost
    QStringList shown = {LinkWords::note({.kind = LinkNote::Kind::CannotOpenRetrying,
                                          .port = QStringLiteral("COM3"),
                                          .fault = {.kind = PortFault::Kind::AlreadyOpen}})};
    for (const EventEntry& e : log->entries())
        shown << e.shown;
    for (const QString& text : shown)
        EXPECT_EQ(untranslated(text), "") << text.toStdString();
    QCoreApplication::removeTranslator(&capitals);
}
