// What Scan Line offers when it ends: stations in use that never answered, and stations
// found at different settings. The scanner's queries are test_scan's.
#include "SettingsFixture.h"
#include "link/Frames.h"
#include "settings/ScanLineDialog.h"
#include "tests/support/FakeSerialPort.h"

#include <QSignalSpy>
#include <QTimer>

class ScanWindow : public SettingsFixture {};

TEST_F(ScanWindow, OffersWhatTheLineSaidAndNamesStationsAtOtherSettings) {
    ScanSetting at9600, at4800;
    at4800.line.baud = 4800;
    struct Row {
        const char* name;
        std::vector<std::pair<int, ScanSetting>> answers; // who answers at which setting
        bool yes;
        std::vector<int> unmark;
        std::optional<ScanSetting> take;
        int questions;         // mark these? those in use silent? the settings differ?
        std::vector<int> most; // the stations at the setting most answered at, listed first
    };
    // clang-format off
    const Row rows[] = {
        {"different settings, the most at another", {{1, at9600}, {2, at4800}, {3, at4800}}, true, {5}, at4800, 3, {2, 3}},
        {"all in use answered at the current setting: marked, nothing else asked", {{1, at9600}, {2, at9600}, {3, at9600}, {5, at9600}}, true, {}, std::nullopt, 1, {1, 2, 3, 5}},
        {"all at the current setting, one in use silent, answered No", {{1, at9600}, {2, at9600}}, false, {}, std::nullopt, 2, {1, 2}},
        {"the most at the current setting: said, nothing to take", {{1, at9600}, {2, at9600}, {3, at4800}}, true, {5}, std::nullopt, 3, {1, 2}},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        said.clear();
        answer = r.yes ? QMessageBox::Yes : QMessageBox::No;
        auto* port = new FakeSerialPort;
        ScanLineDialog w(nullptr, std::unique_ptr<SerialPort>(port));
        w.setInUse({1, 2, 3, 5});
        LineScanner& s = w.scanner();
        s.setFastPacing(true);
        s.setNumbers({1, 2, 3, 5});
        // The fake line answers the model query of the stations listed at their setting.
        QObject::connect(&s, &LineScanner::asking, port, [&](int mc, const ScanSetting& at) {
            for (const auto& [who, where] : r.answers)
                if (who == mc && where == at)
                    QTimer::singleShot(0, port, [port, mc] {
                        port->feed("\x02" + QByteArray::number(mc).rightJustified(2, '0') +
                                   "WHO,OK,KX5-100033\r\n");
                    });
        });
        QSignalSpy done(&s, &LineScanner::finished);
        ASSERT_TRUE(s.start({at9600, at4800}).isNone());
        ASSERT_TRUE(done.wait(s.boundMs({at9600, at4800}) * 3));
        EXPECT_EQ(said.size(), r.questions);
        EXPECT_EQ(w.groups().front().mcNos, r.most);
        EXPECT_EQ(w.markStations(), r.yes);
        EXPECT_EQ(w.unmarkStations(), r.unmark);
        EXPECT_EQ(w.settingToTake(), r.take);
        EXPECT_EQ(w.result(), r.yes ? QDialog::Accepted : QDialog::Rejected); // closes to act
    }
}
