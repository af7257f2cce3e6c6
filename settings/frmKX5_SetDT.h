// Date Time Setting: sets the controller's calendar clock (registers 520 to 525) from a date
// and time typed by the user or copied from the PC clock. Set hands the link one clock write
// for the selected station; this window never touches the port. The PC clock is
// testSeams().clock.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <optional>

class Grid;
class RequestSink;
class GridView;
class QLabel;
class QPushButton;
class QTimer;

class frmKX5_SetDT : public QDialog {
    Q_OBJECT
public:
    // The cells start from controllerClock (the station's clock as last read) when it is a
    // date and time they take, else from the PC clock; a line says which.
    explicit frmKX5_SetDT(RequestSink* sink, QWidget* parent = nullptr,
                          std::optional<QDateTime> controllerClock = {});

    Grid* dateTimeGrid() const { return m_dt; }
    bool followsPc() const { return m_follow; }
    QTimer* timer() const { return tmrDT; }

    void tmrDT_Timer();
    void btnSameDT1_Click();
    void btnSet_Click();
    void btnClose_Click();

    // Parses the "Date" and "Time" cell texts within the cells' ranges; false when either is
    // empty or not a valid date or time.
    static bool parseDate(const QString& text, QDate* date);
    static bool parseTime(const QString& text, QTime* time);

private:
    void showFollowState();

    RequestSink* m_sink;
    Grid* m_dt;
    QLabel* lblDT;
    QLabel* lblFrom;
    GridView* sprdDT;
    QPushButton* btnSameDT1;
    QPushButton* btnSet;
    QPushButton* btnClose;
    QTimer* tmrDT;
    bool m_follow = false;
};
