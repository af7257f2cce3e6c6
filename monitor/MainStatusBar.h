// The main window's status bar: the five panels the link writes, whether data saving runs,
// publishing's state while it is on, and the send and receive lamps.
#pragma once

#include <QStatusBar>
#include <array>

class Lamp;
class QLabel;

class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    // `saving`: the data-save panel, shown at all times so that a stop never goes unseen.
    explicit MainStatusBar(QWidget* saving, QWidget* parent = nullptr);

    // Panel i (1 to 5); the tool tip holds the whole text of an elided one.
    void showPanel(int i, const QString& text);
    // Red while sending, green while receiving, black otherwise.
    void showLamps(bool sending, bool receiving);
    // Hidden while the text is empty.
    void showPublishing(const QString& text);
    // The count of alarms not yet acknowledged; hidden at none.
    void showAlarms(int unacknowledged);

signals:
    // The alarm count was clicked: the list is wanted.
    void alarmsClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::array<QLabel*, 5> m_panel{};
    QLabel* m_lblPublish = nullptr;
    QLabel* m_lblAlarms = nullptr;
    Lamp *m_shpSend = nullptr, *m_shpRecv = nullptr;
};
