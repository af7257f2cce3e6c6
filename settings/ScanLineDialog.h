// Scan Line: shows, as they answer, which station numbers reply to the model query and at
// which line settings, and at the end offers to use what was found. The port stays with the
// scanner; nothing is written to a controller.
#pragma once

#include "link/LineScanner.h"

#include <QDialog>

class KX5Link;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

class ScanLineDialog : public QDialog {
    Q_OBJECT
public:
    // port: the scanner's own port (the real one when null).
    ScanLineDialog(const KX5Link* link, std::unique_ptr<SerialPort> port = nullptr,
                   QWidget* parent = nullptr);

    LineScanner& scanner() { return *m_scanner; }
    // The user's answers to the offers at the end.
    bool markStations() const { return m_mark; }
    bool takeSettings() const { return m_take; }
    // The one setting every station found answered at, when there is one.
    std::optional<ScanSetting> commonSetting() const;

    void btnStart_Click();
    void btnCancel_Click();

private:
    void onFound(const ScanFind& f);
    void onFinished(bool cancelled, const QString& error);
    void reject() override;

    LineScanner* m_scanner;
    ScanSetting m_current;
    bool m_mark = false, m_take = false;
    QLabel* lblPort;
    QCheckBox* chkAll;
    QTableWidget* lstFound;
    QProgressBar* prgScan;
    QLabel* lblMsg;
    QPushButton* btnStart;
    QPushButton* btnCancel;
};
