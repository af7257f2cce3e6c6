#include "settings/frmKX5_SetPort.h"

#include "files/ConfigFiles.h"
#include "files/LinkOptions.h"
#include "files/PortList.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "services/LinkWords.h"
#include "ui/MsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QVBoxLayout>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QComboBox* makeBox(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // typed text is a value, not a new entry
    box->addItems(items);
    return box;
}

} // namespace

QStringList frmKX5_SetPort::portList(const QStringList& systemPorts, const QStringList& byIdLinks,
                                     const QString& current) {
    return PortList::ordered(systemPorts, byIdLinks, current);
}

QStringList frmKX5_SetPort::portList(const QString& current, QMap<QString, QString>* details) {
    return PortList::available(current, details);
}

QString frmKX5_SetPort::notSerialDevice(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (path.startsWith(QLatin1Char('/')) &&
        ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISCHR(st.st_mode))
        return tr("%1 is not a serial device").arg(path);
#else
    Q_UNUSED(path);
#endif
    return {};
}

frmKX5_SetPort::frmKX5_SetPort(const PortSettings& current, const LinkOptions& inUse,
                               QWidget* parent)
    : QDialog(parent), m_settings(current), m_options(inUse) {
    setObjectName(QStringLiteral("frmKX5_SetPort"));
    setWindowTitle(tr("Port Setup"));

    cmbPort = makeBox(this, "cmbPort", portList(current.port, &m_details));
    for (int i = 0; i < cmbPort->count(); ++i)
        cmbPort->setItemData(i, m_details.value(cmbPort->itemText(i)), Qt::ToolTipRole);
    lblPortInfo = new QLabel(this);
    lblPortInfo->setObjectName(QStringLiteral("lblPortInfo"));
    lblPortInfo->setWordWrap(true);
    // Wide enough for the longest entry, such as a /dev/serial/by-id path, and for a typed
    // path of usual length.
    cmbPort->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbPort->setMinimumContentsLength(24);
    cmbBaud = makeBox(this, "cmbBaud", {"9600", "4800", "2400", "1200"});
    cmbParity = makeBox(this, "cmbParity", {"N", "E", "O"});
    cmbData = makeBox(this, "cmbData", {"7", "8"});
    cmbStop = makeBox(this, "cmbStop", {"1", "2"});
    cmbProtocol = makeBox(this, "cmbProtocol", {"STD", "SUM"});
    chkFastPolling = new QCheckBox(tr("Fast polling"), this);
    chkFastPolling->setObjectName(QStringLiteral("chkFastPolling"));
    chkFastPolling->setToolTip(
        tr("Ask the next controller as soon as a reply is complete, instead of at the next 50 ms "
           "tick"));
    chkReopen = new QCheckBox(tr("Reopen a lost port"), this);
    chkReopen->setObjectName(QStringLiteral("chkReopen"));
    chkReopen->setToolTip(
        tr("When the port fails while open, try to open it again every 2 seconds"));
    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    lblMsg->setStyleSheet(QStringLiteral("color: red"));
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* form = new QGridLayout;
    const std::pair<const char*, QComboBox*> rows[] = {
        {QT_TR_NOOP("Port"), cmbPort},         {QT_TR_NOOP("Baudrate"), cmbBaud},
        {QT_TR_NOOP("Parity Bit"), cmbParity}, {QT_TR_NOOP("Data Bit"), cmbData},
        {QT_TR_NOOP("Stop Bit"), cmbStop},     {QT_TR_NOOP("Protocol"), cmbProtocol}};
    int r = 0;
    for (const auto& [caption, box] : rows) {
        if (r == 1) ++r; // the port's description below it
        auto* label = new QLabel(tr(caption), this);
        label->setBuddy(box); // its name to assistive technology
        form->addWidget(label, r, 0);
        form->addWidget(box, r++, 1);
    }
    form->addWidget(lblPortInfo, 1, 1);
    form->addWidget(chkFastPolling, r++, 1);
    form->addWidget(chkReopen, r++, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(lblMsg);
    top->addLayout(buttons);

    connect(cmbPort, &QComboBox::activated, this, &frmKX5_SetPort::cmbPort_Click);
    // A typed port is tried as soon as the box is left, so the window says what is wrong
    // with it before OK.
    connect(cmbPort->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { testPortName(cmbPort->currentText()); });
    connect(cmbPort, &QComboBox::currentTextChanged, this,
            [this](const QString& name) { lblPortInfo->setText(m_details.value(name)); });
    connect(btnOK, &QPushButton::clicked, this, &frmKX5_SetPort::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmKX5_SetPort::btnCancel_Click);

    // Form_Load: the boxes show the settings in use.
    cmbPort->setCurrentText(current.port);
    lblPortInfo->setText(m_details.value(cmbPort->currentText()));
    for (QComboBox* box : boxes())
        box->setCurrentText(current.text(1 + int(boxes().indexOf(box))));
    chkFastPolling->setChecked(m_options.fastPolling);
    chkReopen->setChecked(m_options.reopenLostPort);
    if (!cmbPort->currentText().isEmpty()) testPortName(cmbPort->currentText());
}

QList<QComboBox*> frmKX5_SetPort::boxes() const {
    return {cmbPort, cmbBaud, cmbParity, cmbData, cmbStop, cmbProtocol};
}

void frmKX5_SetPort::TestPort(int n) {
    // The port number is a 16-bit value; out of range it simply names no port.
    testPortName(QStringLiteral("COM%1").arg(static_cast<qint16>(n)));
}

void frmKX5_SetPort::testPortName(const QString& name) {
    if (const QString why = notSerialDevice(systemPortName(name)); !why.isEmpty()) {
        lblMsg->setText(why);
        return;
    }
    // A port of the window's own: the main window's port is never touched here.
    QSerialPort MSComm1;
    MSComm1.setPortName(systemPortName(name));
    if (MSComm1.open(QIODevice::ReadWrite)) {
        MSComm1.close();
        lblMsg->clear();
        return;
    }
    switch (MSComm1.error()) {
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        lblMsg->setText(LinkWords::fault(QtSerialPort::describeOpenFailure(systemPortName(name),
                                                                           MSComm1.error(),
                                                                           MSComm1.errorString()))
                            .shown);
        break;
    default:
        break; // other failures say nothing about whether the port exists or is free
    }
}

void frmKX5_SetPort::cmbPort_Click(int index) {
    if (index < 0) return;
    // A COM entry is tested by its number, any other by its path.
    const QString name = cmbPort->itemText(index);
    static const QRegularExpression com(QStringLiteral("^COM\\d+$"));
    if (com.match(name).hasMatch())
        TestPort(portNumber(name));
    else
        testPortName(name);
}

void frmKX5_SetPort::btnOK_Click() {
    // The boxes' texts as Comm.CFG would hold them: typed from here on.
    QStringList texts;
    for (QComboBox* box : boxes())
        texts << box->currentText();
    const PortSettings cfg = PortSettings::fromLines(texts);
    // The other options are not this window's: they stay as they are.
    LinkOptions options = m_options;
    options.fastPolling = chkFastPolling->isChecked();
    options.reopenLostPort = chkReopen->isChecked();
    QString error;
    const bool commSaved = SaveCommCfg(cfg, &error);
    if (!commSaved || !saveLinkOptions(options, &error)) {
        QString ignored; // best effort: Comm.CFG back to the settings still in use
        if (commSaved) SaveCommCfg(m_settings, &ignored);
        MsgBox(this, windowTitle(), tr("%1\nThe port settings were not changed.").arg(error),
               QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    m_settings = cfg;
    m_options = options;
    accept();
}

void frmKX5_SetPort::btnCancel_Click() {
    reject();
}
