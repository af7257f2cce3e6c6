// Select Folder: a drive list and a folder tree for the data-save folder. On Linux the drives
// are the mounted file systems a user keeps data on: the root, /home, removable media.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmDSave_Folder : public QDialog {
    Q_OBJECT
public:
    // Opens at `start`, the folder set now, so OK alone keeps it; at the program folder when
    // that is empty or gone.
    explicit frmDSave_Folder(const QString& start = QString(), QWidget* parent = nullptr);

    // The folder chosen, as shown (or typed) in lblFolder; empty until one is chosen.
    QString folder() const;
    // Shows path in the folder tree, expanded down to it, and makes it the chosen folder.
    void setTreePath(const QString& path);
    QString treePath() const;

    void Drive1_Change(int index);
    void Dir1_Change(QTreeWidgetItem* item);
    void btnOK_Click();
    // Makes a folder inside the one shown in the tree and moves to it; `name` asked for when
    // empty.
    void btnNewFolder_Click(QString name = QString());
    void btnCancel_Click();

    // The root folders the drive list offers (testSeams().driveRoots when set).
    static QStringList driveRoots();

private:
    QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const QString& path);
    void fillChildren(QTreeWidgetItem* item);
    int driveIndexFor(const QString& path) const;

    QComboBox* Drive1;
    QTreeWidget* Dir1;
    QLineEdit* lblFolder;
    QPushButton* btnNewFolder;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    int m_driveIndex = -1; // the drive shown in the tree, restored when another cannot be read
};
