// Select Folder: a drive list and a folder tree for the data-save folder. On Linux the drives
// are the mounted file systems a user keeps data on: the root, /home, removable media.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmDSave_Folder : public QDialog {
    Q_OBJECT
public:
    explicit frmDSave_Folder(QWidget* parent = nullptr);

    // The folder chosen, as shown in lblFolder; empty until one is chosen.
    QString folder() const;
    // Shows path in the folder tree, expanded down to it, and makes it the chosen folder.
    void setTreePath(const QString& path);
    QString treePath() const;

    void Drive1_Change(int index);
    void Dir1_Change(QTreeWidgetItem* item);
    void btnOK_Click();
    void btnCancel_Click();

    // The root folders the drive list offers (testSeams().driveRoots when set).
    static QStringList driveRoots();

private:
    QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const QString& path);
    void fillChildren(QTreeWidgetItem* item);
    int driveIndexFor(const QString& path) const;

    QComboBox* Drive1;
    QTreeWidget* Dir1;
    QLabel* lblFolder;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    int m_driveIndex = -1; // the drive shown in the tree, restored when another cannot be read
};
