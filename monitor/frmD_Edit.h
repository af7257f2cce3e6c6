// The value editor: shows a value, takes a new one limited to 24 to 900 and hands the link the
// one-register write of the print speed (register 506) for the station it was opened for.
#pragma once

#include <QDialog>

class RequestSink;
class QLabel;
class QLineEdit;
class QPushButton;

class frmD_Edit : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMin = 24;
    static constexpr int kMax = 900;
    static constexpr int kRegister = 506;

    explicit frmD_Edit(RequestSink* sink, QWidget* parent = nullptr);

    // The station the write goes to: the row's, whichever station the link polls meanwhile.
    // Named beside the caption, so the operator sees which controller the value goes to.
    void setStation(int mcNo);
    int station() const { return m_mcNo; }

    void txtEditVal_Confirm(const QString& text);
    void btnOK_Click();
    void btnCancel_Click();

    // The caller sets the caption and lblOldVal before it shows the dialog.
    QLabel* lblStation;
    QLabel* lblOldVal;
    QLineEdit* txtEditVal;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    RequestSink* m_sink;
    int m_mcNo = 0;
};
