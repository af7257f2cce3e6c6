// The selected station at a glance (picSingle): PV, SV and MV in large figures, the unit, the
// status lamps, and the chart recorder's keys and print speed. It shows what it is given; a
// key or a new print speed goes to the selected station as a request.
#pragma once

#include "link/Reading.h"
#include "ui/Grid.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class Lamp;
class QLabel;
class QLineEdit;
class QPushButton;
class RequestSink;

class SingleDisplay : public QWidget {
    Q_OBJECT
public:
    // Register reg of the selected station as the last read of all parameters left it.
    using ParamRead = std::function<std::optional<int>(int reg)>;
    SingleDisplay(RequestSink* sink, ParamRead param, QWidget* parent = nullptr);

    // Figures, unit, lamps and the keys that MODSTS reports. Before the station's first reply
    // everything is blank and dark; values no longer current are greyed, their lamps pale.
    void showReading(const Reading& r);
    // The keys that registers 502, 503 and 505 report, and the print speed; after showReading,
    // so these have the last word.
    void showRecorder();

    void btnPrint_Click(int index);
    void lblSPD_Click();
    void txtSPD_Confirm(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void setKeyColor(int index, Bgr color);
    void setLamp(Lamp* lamp, bool on, bool fresh);
    void requestWrite(int reg, int value);

    RequestSink* m_sink;
    ParamRead m_param;
    QLabel *m_lblPV = nullptr, *m_lblSV = nullptr, *m_lblMV = nullptr;
    std::array<QLabel*, 2> m_lblUnit{};
    QLabel* m_lblMVUnit = nullptr;
    std::array<Lamp*, 2> m_shpAL{}, m_shpSV{};
    Lamp *m_shpAT = nullptr, *m_shpOUT = nullptr;
    std::array<Lamp*, 5> m_shpERR{};
    std::array<QPushButton*, 5> m_btnPrint{};
    QLabel* m_lblSPD = nullptr;
    QLineEdit* m_txtSPD = nullptr;
};
