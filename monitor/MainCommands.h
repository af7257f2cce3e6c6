// The main window's menus and command bar: the ten commands as buttons and menu items, which
// of them are enabled for the port's state, and our own entries beside them.
#pragma once

#include <QObject>
#include <array>

class QAction;
class QMainWindow;
class QMenu;
class QPushButton;
class QWidget;

class MainCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int kCommands = 10;

    // Builds the menus in the window's menu bar; the actions are the window's children, found
    // by their names.
    explicit MainCommands(QMainWindow* window);

    // The ten buttons in two rows, made once.
    QWidget* buildCommandBar();
    // Command `index`'s caption, translated.
    static QString caption(int index);

    QPushButton* button(int index) const { return m_btnMenu[static_cast<size_t>(index)]; }
    QAction* saveAction() const { return m_saveAction; }
    QAction* graphAction() const { return m_graphAction; }
    QMenu* onlineMenu() const { return m_online; }
    // Button and menu item of command `index` together; Scan Line goes with the stations.
    void setEnabled(int index, bool on);
    // The port command's two captions, as the link words them.
    void showPortCaptions(const QString& menu, const QString& button);
    // The port the user opened closed because no station answered: most often the controllers
    // use other line settings, which Scan Line finds. Asked without blocking the line's
    // handlers; nothing while the link retries by itself (retryMs > 0).
    void offerScan(const QString& settings, int retryMs);

signals:
    void commandTriggered(int index);
    void scanTriggered();
    void publishingTriggered();
    void statisticsTriggered();
    void alarmsTriggered();
    void multiTrendTriggered();

private:
    QAction* makeAction(int index, const char* name, const char* caption);
    void separator(QMenu* menu, const char* name);

    QMainWindow* m_window;
    QMenu* m_online = nullptr;
    QAction* m_scanAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_graphAction = nullptr;
    std::array<QPushButton*, kCommands> m_btnMenu{};
    std::array<QAction*, kCommands> m_menuAction{};
};
