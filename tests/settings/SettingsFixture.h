// A temporary program folder, a fresh data image and recorded message boxes for each test.
#pragma once

#include "link/mdlKX5.h"
#include "settings/ConfigFiles.h"
#include "settings/ShellOpen.h"
#include "settings/frmDSave_Folder.h"
#include "settings/frmKX5_SetDT.h"
#include "ui/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setProgramDir(dir.path());
        resetDataImage();
        setMsgBoxHandler([this](const QString&, const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override {
        setMsgBoxHandler({});
        setShellHooks({});
        frmDSave_Folder::setDriveLister({});
        frmKX5_SetDT::setClock({});
        setProgramDir(QString());
    }

    QString path(const QString& rel) const { return dir.path() + '/' + rel; }
    static QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& rel, const QByteArray& content) {
        QDir().mkpath(QFileInfo(path(rel)).path());
        QFile f(path(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir;
    QStringList messages;
};

// While alive, no file may grow past zero bytes: every write fails as on a full disk.
// (Tests run as root, which ignores read-only folders, so this is how a write is made to fail.)
class DiskFull {
public:
    DiskFull() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit none{0, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

// While alive, folder is read-only, also for root: the process gives up its right to override
// permission bits (CAP_DAC_OVERRIDE) and takes it back afterwards.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : m_folder(folder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        syscall(SYS_capget, &m_header, m_old);
        __user_cap_data_struct lowered[2] = {m_old[0], m_old[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &m_header, lowered);
    }
    ~ReadOnlyFolder() {
        syscall(SYS_capset, &m_header, m_old);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString m_folder;
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_old[2]{};
};

// The ways a settings file fails to be written in these tests.
enum class WriteFailure { ReadOnlyFolder, DiskFull };

// Runs f while writes into folder fail the given way.
template <typename F> void whileFailing(WriteFailure how, const QString& folder, F f) {
    if (how == WriteFailure::DiskFull) {
        DiskFull full;
        f();
    } else {
        ReadOnlyFolder readOnly(folder);
        f();
    }
}
