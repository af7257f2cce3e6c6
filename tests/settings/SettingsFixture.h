// A temporary program folder, a fresh data image, recorded message boxes and the two station
// tables for each test; and the ways a settings write is made to fail.
#pragma once

#include "files/ConfigFiles.h"
#include "link/mdlKX5.h"
#include "settings/frmKX5_SetEnv.h"
#include "settings/frmKX5_SetPort.h"
#include "settings/frmKX5_Set_DSave.h"
#include "tests/support/AnsweredBoxes.h"
#include "tests/support/TestFiles.h"
#include "ui/Grid.h"
#include "ui/TestSeams.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>

class SettingsFixture : public ::testing::Test, protected AnsweredBoxes {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setProgramDir(dir.path());
        answer = QMessageBox::Ok;
    }
    void TearDown() override { resetTestSeams(); }

    QString path(const QString& rel) const { return dir.path() + '/' + rel; }
    void write(const QString& rel, const QByteArray& content) { writeWhole(path(rel), content); }
    template <typename T = QComboBox> static T* child(QWidget& w, const char* name) {
        return w.findChild<T*>(name);
    }
    static void click(QWidget& w, const char* button) {
        QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
    }
    static QStringList mcNos(const StationList& list) {
        QStringList l;
        for (const StationEntry& e : list)
            l << QString::number(e.mcNo);
        return l;
    }

    QTemporaryDir dir;
};

// While alive, root (whom the tests run as) lacks the given capabilities, and so meets
// permission bits as a user would.
class AsUser {
public:
    explicit AsUser(unsigned caps) {
        syscall(SYS_capget, &m_header, m_caps);
        __user_cap_data_struct lowered[2] = {m_caps[0], m_caps[1]};
        lowered[0].effective &= ~caps;
        syscall(SYS_capset, &m_header, lowered);
    }
    ~AsUser() { syscall(SYS_capset, &m_header, m_caps); }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_caps[2]{};
};

enum class WriteFailure { ReadOnlyFolder, DiskFull, FolderInTheWay, FifoInTheWay };

// While alive, writing file fails the given way: a read-only folder to a user, a full disk as a
// zero file-size limit, or a folder or a FIFO where the file belongs.
class FailingWrites {
public:
    FailingWrites(WriteFailure how, const QString& file) : m_dir(QFileInfo(file).path()) {
        if (how == WriteFailure::FolderInTheWay) QFile::remove(file), QDir().mkpath(file);
        if (how == WriteFailure::FifoInTheWay) QFile::remove(file), mkfifo(qPrintable(file), 0600);
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_limit);
        const rlimit none{0, m_limit.rlim_max};
        if (how == WriteFailure::DiskFull) setrlimit(RLIMIT_FSIZE, &none);
        if (how == WriteFailure::ReadOnlyFolder) {
            QFile::setPermissions(m_dir, QFile::ReadOwner | QFile::ExeOwner);
            m_user.emplace(1u << CAP_DAC_OVERRIDE);
        }
    }
    ~FailingWrites() {
        setrlimit(RLIMIT_FSIZE, &m_limit);
        m_user.reset();
        QFile::setPermissions(m_dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString m_dir;
    rlimit m_limit{};
    std::optional<AsUser> m_user;
};
