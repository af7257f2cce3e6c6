// Port Setup: the serial port, its line settings and the frame protocol, stored in Comm.CFG,
// and our own two link choices (fast polling, reopening a lost port) in their own file.
// On OK the file is written first and only then are the settings in use changed, so a failed
// write leaves both as they were.
#pragma once

#include "files/LinkOptions.h"
#include "link/PortSettings.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class frmKX5_SetPort : public QDialog {
    Q_OBJECT
public:
    // The boxes show `current` and the link options `inUse`; OK saves the choice, which
    // settings() and linkOptions() then give (the other options kept as they are).
    explicit frmKX5_SetPort(const PortSettings& current = {}, const LinkOptions& inUse = {},
                            QWidget* parent = nullptr);
    const PortSettings& settings() const { return m_settings; }
    const LinkOptions& linkOptions() const { return m_options; }

    // Tries to open port "COMn"; a path starting with "/" is tried as it stands. Shows why it
    // cannot be opened in lblMsg, or clears lblMsg when it can.
    void TestPort(int n);
    void testPortName(const QString& name);

    void cmbPort_Click(int index);
    void btnOK_Click();
    void btnCancel_Click();

    // The entries of the port list (PortList::ordered and PortList::available).
    static QStringList portList(const QStringList& systemPorts, const QStringList& byIdLinks,
                                const QString& current);
    static QStringList portList(const QString& current, QMap<QString, QString>* details = nullptr);
    // Why a path cannot be a serial port: it exists and is not a character device; "" otherwise
    // (a missing or busy port is found by opening it).
    static QString notSerialDevice(const QString& path);

private:
    QList<QComboBox*> boxes() const; // in the order of Comm.CFG
    QComboBox* cmbPort;
    QComboBox* cmbBaud;
    QComboBox* cmbParity;
    QComboBox* cmbData;
    QComboBox* cmbStop;
    QComboBox* cmbProtocol;
    QCheckBox* chkFastPolling;
    QCheckBox* chkReopen;
    QLabel* lblMsg;
    QLabel* lblPortInfo; // the chosen port's description, maker and serial number
    QMap<QString, QString> m_details;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    PortSettings m_settings;
    LinkOptions m_options;
};
