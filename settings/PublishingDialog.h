// The "Publishing" window (Setup menu): the broker, TLS, credentials, topics, when to publish
// and Home Assistant discovery, kept in CFG/Publishing.INI and CFG/Publishing.PWD. "Test" connects
// once with what is filled in and says what happened. OK saves; whoever opened it applies
// options().
#pragma once

#include "files/PublishOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class PublishingDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the options in use, and what was wrong in their file.
    explicit PublishingDialog(const PublishOptions& inUse, QWidget* parent = nullptr);

    PublishOptions options() const; // as filled in
    void btnTest_Click();
    void btnOK_Click();

private:
    void showOptions(const PublishOptions& o);
    void updateStates();
    QLineEdit* fileField(const char* name, const QString& title, QWidget** row);

    QCheckBox* m_chkEnable;
    QLineEdit* m_txtHost;
    QSpinBox* m_spnPort;
    QCheckBox* m_chkTLS;
    QLineEdit *m_txtCAFile, *m_txtCertFile, *m_txtKeyFile;
    QWidget *m_rowCA, *m_rowCert, *m_rowKey;
    QLineEdit *m_txtUser, *m_txtPassword, *m_txtClientId, *m_txtPrefix, *m_txtLine;
    QLabel* m_lblTopic;
    QRadioButton *m_optEveryReply, *m_optEveryN, *m_optOnChange;
    QSpinBox* m_spnEveryN;
    QDoubleSpinBox* m_spnDeadBand;
    QSpinBox* m_spnHeartbeat;
    QCheckBox* m_chkRetain;
    QCheckBox* m_chkDiscovery;
    QLineEdit* m_txtDiscoveryPrefix;
    QComboBox* m_cmbQoS;
    QPushButton* m_btnTest;
    QLabel* m_lblTest;
};
