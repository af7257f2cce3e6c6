// The graph viewer's window: SV, PV and MV of one or more .DAT files over time, drawn from a
// min/max decimation of the visible range on every zoom and pan, with a cursor read-out, the
// decimals and unit of each file, following of growing files, and export.
#pragma once

#include "graph/DatFile.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QCustomPlot;
class QCPGraph;
class QCPItemStraightLine;
class QLabel;
class QTableWidget;

class GraphWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kFollowMs = 1000;
    // Opening that would take longer than this shows its progress, with Cancel.
    static constexpr int kProgressAfterMs = 400;

    explicit GraphWindow(QWidget* parent = nullptr);
    ~GraphWindow() override;

    // Opens each file and shows them all; files that cannot be read are named in one message.
    // Cancel in the progress shown for a long read leaves that file and the rest unopened.
    // Returns the number opened.
    int openFiles(const QStringList& paths);
    void closeAll();
    bool isOpen(const QString& path) const;

    int fileCount() const { return static_cast<int>(m_files.size()); }
    const DatReader& reader(int file) const { return *m_files[static_cast<size_t>(file)].reader; }
    int decimals(int file) const { return m_files[static_cast<size_t>(file)].decimals; }
    void setDecimals(int file, int decimals);
    // A series' line, broken where records are missing (a NaN value between two records).
    QCPGraph* graph(int file, int series) const {
        return m_files[static_cast<size_t>(file)].graph[series];
    }
    // The series' records that have no neighbour to join (holes on both sides), as dots.
    QCPGraph* dots(int file, int series) const {
        return m_files[static_cast<size_t>(file)].dots[series];
    }
    QCustomPlot* plot() const { return m_plot; }

    // The time range in view, in record seconds.
    void setView(double lo, double hi);
    void fitAll();
    // The view zoomed by `zoom` (new width over old) about its centre and moved by `shift`
    // of its width; what the View menu's zoom and pan keys do.
    void moveView(double zoom, double shift);
    bool follow() const;
    void setFollow(bool on);
    // What the follow timer does each second: reads what the files gained, opens the data
    // files that appeared in the log source, and keeps the newest records in view when the
    // view showed the end.
    void followTick();
    // Opens the data files of the data-save settings in programFolder now and, while
    // following, the ones that appear later (a station whose logging starts later).
    void setLogSource(const QString& programFolder);

    // Puts the cursor line at a time and fills the read-out with each file's nearest record, or
    // says that the file has none there (a hole, or before or after its records).
    void showCursorAt(double time);
    QString readout() const;
    QString summary() const;

    // Hides the cursor line and puts the hint back in the read-out (the mouse left the graph).
    void clearCursor();
    bool cursorShown() const;

    // One file's records (all files' for file < 0), the visible range or the whole file, as CSV.
    bool exportCsv(int file, bool wholeFile, const QString& path, QString* error);
    // "Station 03 - Oven_03.DAT - <first> to <last>" of the records in view: the exports'
    // title.
    QString exportTitle() const;
    // The graph as PNG or PDF by the file's suffix, under its title and without the cursor
    // line; `size`, if valid, is the PNG's size in pixels.
    bool exportImage(const QString& path, QString* error, QSize size = QSize());

    // Draws the visible range again from the records; also what zoom and pan do.
    void redraw();

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    struct File {
        std::unique_ptr<DatReader> reader;
        int decimals = 1;
        QString unit;
        QString station;
        QString description; // the station's, from the settings beside the data
        QCPGraph* graph[DatSeries::kSeries] = {};
        QCPGraph* dots[DatSeries::kSeries] = {};
    };

    void onOpen();
    void onExportCsv(bool allFiles, bool wholeFile);
    void onExportImage();
    void onPrint();
    void restyle();
    void rebuildTable();
    void refreshCounts();
    void showProblem(const QString& title, const QString& text);
    bool dataRange(double* lo, double* hi) const;
    void fitReadout();
    bool askImageSize(QSize* size);
    // Runs `output` with the title above the graph and the cursor line hidden.
    bool withTitle(const std::function<bool()>& output);
    double scale(int file, int series) const;
    // One file's read-out line at time t (prefixed with its name when several are open).
    QString readoutLine(const File& f, qint64 t) const;

    std::vector<File> m_files;
    QCustomPlot* m_plot = nullptr;
    QCPItemStraightLine* m_cursor = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_readout = nullptr;
    QLabel* m_summary = nullptr;
    QAction* m_followAction = nullptr;
    QTimer m_followTimer;
    QString m_logSource;
    QSize m_imageSize;       // the PNG size last chosen
    int m_exportColumns = 0; // while an image is made at a size of its own
    QStringList m_badNames;  // logs refused for their names: said once, not at every follow tick
    bool m_redrawing = false;
};
