#include "settings/frmDSave_Folder.h"

#include "files/ConfigFiles.h"
#include "ui/MsgBox.h"
#include "ui/TestSeams.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

QString cleanPath(const QString& path) {
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

// The drives a user stores data on; system mounts (/proc, /sys, /run, /boot, ...) are left out.
QStringList systemDrives() {
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString root = cleanPath(v.rootPath());
#ifdef Q_OS_WIN
        roots.append(root);
#else
        static const char* const kUserMounts[] = {"/home", "/media", "/mnt", "/run/media"};
        bool user = root == QLatin1String("/");
        for (const char* m : kUserMounts)
            user = user || root == QLatin1String(m) || root.startsWith(QLatin1String(m) + '/');
        if (user) roots.append(root);
#endif
    }
    // The drive of the program folder is always offered: the picker starts there.
    const QString own = cleanPath(QStorageInfo(programDir()).rootPath());
    if (!own.isEmpty()) roots.append(own);
    roots.removeDuplicates();
    roots.sort();
    return roots;
}

bool isUnder(const QString& path, const QString& root) {
    if (path == root) return true;
    return path.startsWith(root.endsWith('/') ? root : root + '/');
}

} // namespace

QStringList frmDSave_Folder::driveRoots() {
    const auto& seam = testSeams().driveRoots;
    return seam ? seam() : systemDrives();
}

frmDSave_Folder::frmDSave_Folder(const QString& start, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDSave_Folder"));
    setWindowTitle(tr("Select Folder"));

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    for (const QString& root : driveRoots())
        Drive1->addItem(QDir::toNativeSeparators(root), root);
    Dir1 = new QTreeWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setHeaderHidden(true);
    Dir1->setColumnCount(1);
    Dir1->setAccessibleName(tr("Folders"));
    Drive1->setAccessibleName(tr("Drive"));
    // The tree's choice shows here; a path typed here and confirmed with Return moves the tree.
    lblFolder = new QLineEdit(this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    connect(lblFolder, &QLineEdit::returnPressed, this, [this] {
        const QString typed = cleanPath(lblFolder->text());
        if (QFileInfo(typed).isDir()) setTreePath(typed);
    });
    btnNewFolder = new QPushButton(tr("&New Folder..."), this);
    btnNewFolder->setObjectName(QStringLiteral("btnNewFolder"));
    btnNewFolder->setAutoDefault(false);
    connect(btnNewFolder, &QPushButton::clicked, this, [this] { btnNewFolder_Click(); });
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNewFolder);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addWidget(Drive1);
    top->addWidget(Dir1, 1);
    auto* caption = new QLabel(tr("Selected &Folder"), this);
    caption->setBuddy(lblFolder);
    top->addWidget(caption);
    top->addWidget(lblFolder);
    top->addLayout(buttons);
    resize(400, 460);

    connect(Dir1, &QTreeWidget::itemExpanded, this, &frmDSave_Folder::fillChildren);
    connect(Dir1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { Dir1_Change(item); });
    connect(btnOK, &QPushButton::clicked, this, &frmDSave_Folder::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmDSave_Folder::btnCancel_Click);

    const QString set = cleanPath(start);
    const QString at = !start.isEmpty() && QFileInfo(set).isDir() ? set : cleanPath(programDir());
    m_driveIndex = driveIndexFor(at);
    Drive1->setCurrentIndex(m_driveIndex);
    setTreePath(at);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &frmDSave_Folder::Drive1_Change);
}

int frmDSave_Folder::driveIndexFor(const QString& path) const {
    int best = -1, bestLen = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i).toString();
        if (isUnder(path, root) && root.size() > bestLen) {
            best = i;
            bestLen = static_cast<int>(root.size());
        }
    }
    return best;
}

QString frmDSave_Folder::folder() const {
    return lblFolder->text();
}

QString frmDSave_Folder::treePath() const {
    const QTreeWidgetItem* item = Dir1->currentItem();
    return item ? item->data(0, kPathRole).toString() : QString();
}

QTreeWidgetItem* frmDSave_Folder::addFolderItem(QTreeWidgetItem* parent, const QString& path) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Dir1);
    const QString name = QFileInfo(path).fileName();
    item->setText(0, name.isEmpty() ? QDir::toNativeSeparators(path) : name);
    item->setData(0, kPathRole, path);
    // Sub-folders are listed when the folder is opened, so a large drive does not stall.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void frmDSave_Folder::fillChildren(QTreeWidgetItem* item) {
    if (!item || item->data(0, kFilledRole).toBool()) return;
    item->setData(0, kFilledRole, true);
    const QDir dir(item->data(0, kPathRole).toString());
    const QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                           QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subs)
        addFolderItem(item, dir.filePath(s));
    if (subs.isEmpty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void frmDSave_Folder::setTreePath(const QString& path) {
    const QString target = cleanPath(path);
    const int drive = driveIndexFor(target);
    const QString root = drive >= 0 ? Drive1->itemData(drive).toString() : QDir::rootPath();
    Dir1->clear();
    QTreeWidgetItem* item = addFolderItem(nullptr, root);
    // Walk down from the drive's root, opening each folder on the way to the target.
    const QString rest = target.mid(root.size());
    for (const QString& part : rest.split('/', Qt::SkipEmptyParts)) {
        fillChildren(item);
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (QFileInfo(item->child(i)->data(0, kPathRole).toString()).fileName() == part)
                next = item->child(i);
        if (!next) break; // the folder vanished or cannot be listed: stop at its parent
        item = next;
    }
    fillChildren(item);
    item->setExpanded(true);
    Dir1->setCurrentItem(item);
    Dir1_Change(item);
}

void frmDSave_Folder::Drive1_Change(int index) {
    if (index < 0 || index == m_driveIndex) return;
    const QString root = Drive1->itemData(index).toString();
    const QFileInfo info(root);
    QString why;
    if (!info.exists())
        why = tr("the drive is not ready or no longer mounted");
    else if (!info.isDir() || !info.isReadable())
        why = tr("access is denied");
    if (!why.isEmpty()) {
        MsgBox(this, windowTitle(),
               tr("Cannot read drive %1: %2.").arg(QDir::toNativeSeparators(root), why),
               QMessageBox::Ok, QMessageBox::Warning);
        // Back to the drive the tree shows, so list and tree agree and the picker stays usable.
        const QSignalBlocker block(Drive1);
        Drive1->setCurrentIndex(m_driveIndex);
        return;
    }
    m_driveIndex = index;
    setTreePath(root);
}

void frmDSave_Folder::Dir1_Change(QTreeWidgetItem* item) {
    if (!item) return;
    lblFolder->setText(QDir::toNativeSeparators(item->data(0, kPathRole).toString()));
}

void frmDSave_Folder::btnOK_Click() {
    const QString typed = cleanPath(lblFolder->text());
    if (typed.isEmpty()) return;
    if (!QFileInfo(typed).isDir()) {
        // Logging needs the folder to exist: a typed new one is made now, when the user says so.
        const QString shown = QDir::toNativeSeparators(typed);
        if (MsgBox(this, windowTitle(), tr("%1 does not exist. Create it?").arg(shown),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes)
            return;
        if (!QDir().mkpath(typed)) {
            MsgBox(this, windowTitle(),
                   tr("Cannot create %1: check that its parent folder exists and may be "
                      "written.")
                       .arg(shown),
                   QMessageBox::Ok, QMessageBox::Warning);
            return;
        }
    }
    lblFolder->setText(QDir::toNativeSeparators(typed));
    accept();
}

void frmDSave_Folder::btnNewFolder_Click(QString name) {
    const QString parent = treePath();
    if (parent.isEmpty()) return;
    if (name.isNull()) {
        bool ok = false;
        name = QInputDialog::getText(
            this, tr("New Folder"),
            tr("Name of the new folder in %1:").arg(QDir::toNativeSeparators(parent)),
            QLineEdit::Normal, QString(), &ok);
        if (!ok) return;
    }
    name = name.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return;
    const QString made = QDir(parent).filePath(name);
    if (!QDir(parent).mkpath(name)) {
        MsgBox(this, windowTitle(),
               tr("Cannot create %1: the folder may not be written.")
                   .arg(QDir::toNativeSeparators(made)),
               QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    setTreePath(made);
}

void frmDSave_Folder::btnCancel_Click() {
    reject();
}
