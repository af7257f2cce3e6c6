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
    // The stations marked in use in the window that opened the scan.
    void setInUse(std::vector<int> mcNos) { m_inUse = std::move(mcNos); }
    // The user's answers to the offers at the end.
    bool markStations() const { return m_mark; }
    // Stations in use that answered at no setting, to be marked not in use.
    const std::vector<int>& unmarkStations() const { return m_unmark; }
    // The setting to take into Port Setting, when the user said so.
    std::optional<ScanSetting> settingToTake() const { return m_take; }

    // The stations found, grouped by the setting they answered at, the most stations first.
    struct Group {
        ScanSetting setting;
        std::vector<int> mcNos;
    };
    std::vector<Group> groups() const;
    // Stations in use that a complete scan did not hear at any setting.
    std::vector<int> silentInUse() const;

    void btnStart_Click();
    void btnCancel_Click();

private:
    void onFound(const ScanFind& f);
    void onFinished(bool cancelled, const ScanProblem& problem);
    void offerSettings();
    bool ask(const QString& question);
    void showEstimate();
    void reject() override;

    LineScanner* m_scanner;
    ScanSetting m_current;
    bool m_mark = false;
    std::vector<int> m_inUse, m_unmark;
    std::optional<ScanSetting> m_take;
    QLabel* lblPort;
    QCheckBox* chkAll;
    QTableWidget* lstFound;
    QProgressBar* prgScan;
    QLabel* lblMsg;
    QPushButton* btnStart;
    QPushButton* btnCancel;
};
