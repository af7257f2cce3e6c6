// The table store behind every grid of the program: text cells addressed by (column, row)
// from 1, column 0 the row headers, row 0 the column headers. It is plain data with change
// notifications; views show it through a model adapter, and the hidden parameter data grid
// is just one of these, never a widget.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// Colours are 0xBBGGRR values as the controllers' documentation writes them.
using Bgr = quint32;
constexpr Bgr kRed = 255;
constexpr Bgr kGreen = 65280;
constexpr Bgr kBlack = 0;
constexpr Bgr kWhite = 0xFFFFFF;
constexpr Bgr kLightGreen = 0xC0FFC0; // RGB(192, 255, 192)
constexpr Bgr rgb(int r, int g, int b) {
    return Bgr(r) | (Bgr(g) << 8) | (Bgr(b) << 16);
}

class Grid : public QObject {
    Q_OBJECT
public:
    enum class CellKind { Text, Button, DropDown, Date, Time };
    struct Span {
        int col, row, colSpan, rowSpan; // row -1 means the second header row
    };

    explicit Grid(int maxCols = 1, int maxRows = 0, QObject* parent = nullptr);

    int maxCols() const { return m_cols; }
    void setMaxCols(int cols);
    int maxRows() const { return static_cast<int>(m_rows.size()) - 1; }
    // 0 empties the grid; growing appends empty rows; shrinking drops the rows beyond.
    void setMaxRows(int rows);
    void appendRow() { setMaxRows(maxRows() + 1); }
    // Takes count rows out from first on; the rows below move up with their formatting (spans
    // and the active cell stay where they are).
    void removeRows(int first, int count);
    // Writes texts into row from firstCol on and empties the rest of the row, in one change.
    void setRowTexts(int row, int firstCol, const QStringList& texts);

    QString text(int col, int row) const;
    void setText(int col, int row, const QString& text);
    // Background colour of a cell, unset until written.
    std::optional<Bgr> backColor(int col, int row) const;
    void setBackColor(int col, int row, Bgr color);
    std::optional<Bgr> foreColor(int col, int row) const;
    void setForeColor(int col, int row, Bgr color);
    // Clears text and formatting of the block col1..col2 x row1..row2 (inclusive).
    void clearRange(int col1, int row1, int col2, int row2);

    CellKind cellKind(int col, int row) const;
    void setCellKind(int col, int row, CellKind kind);
    QStringList dropDownItems(int col, int row) const;
    void setDropDownItems(int col, int row, const QStringList& items);
    std::optional<Bgr> buttonColor(int col, int row) const;
    void setButtonColor(int col, int row, Bgr color);
    QString hint(int col, int row) const;
    void setHint(int col, int row, const QString& hint);
    // Lowest and highest value of a date or time cell, as text ("1990", "2099", "00:00:00").
    QPair<QString, QString> range(int col, int row) const;
    void setRange(int col, int row, const QString& low, const QString& high);

    // The second column-header row (row 0 is the first).
    int headerRows() const { return m_headerRows; }
    void setHeaderRows(int rows);
    QString header2Text(int col) const;
    void setHeader2Text(int col, const QString& text);

    // Header texts are captions: views show them through the translator in this context,
    // while text(col, 0) keeps the source text that code reads back. None: shown as stored.
    void setHeaderContext(const char* context) { m_headerContext = context; }
    const char* headerContext() const { return m_headerContext; }
    // A header cell (row 0 or column 0) as the user reads it.
    QString headerCaption(int col, int row) const;
    QString header2Caption(int col) const;

    const std::vector<Span>& spans() const { return m_spans; }
    void addSpan(int col, int row, int colSpan, int rowSpan);

    bool isColumnHidden(int col) const;
    void setColumnHidden(int col, bool hidden);

    // Odd data rows take the first colour, even rows the second; unset when never given.
    void setAlternateColors(Bgr odd, Bgr even);
    std::optional<QPair<Bgr, Bgr>> alternateColors() const { return m_alternate; }

    int activeCol() const { return m_activeCol; }
    int activeRow() const { return m_activeRow; }
    void setActiveCell(int col, int row);

    bool editable() const { return m_editable; }
    void setEditable(bool e) { m_editable = e; }

signals:
    void cellChanged(int col, int row);
    void rangeChanged(int col1, int row1, int col2, int row2);
    void rowCountChanged(int oldRows, int newRows);
    // Around removeRows, so views can drop the rows before they are gone.
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    // Columns, headers, spans, hidden columns or row colours changed.
    void layoutChanged();
    void activeCellChanged(int col, int row);
    // Raised by views: a click on a cell and a click on a button cell.
    void clicked(int col, int row);
    void buttonClicked(int col, int row);

private:
    // What few cells have lives apart, so a plain text cell (a trace byte) stays small.
    struct Extra {
        std::optional<Bgr> fore, button;
        QStringList items;
        QString hint, low, high;
    };
    struct Cell {
        QString text;
        std::optional<Bgr> back;
        CellKind kind = CellKind::Text;
        std::unique_ptr<Extra> extra;
        Extra& ex() {
            if (!extra) extra = std::make_unique<Extra>();
            return *extra;
        }
    };
    Cell* cell(int col, int row);
    const Cell* cell(int col, int row) const;

    int m_cols = 0;
    std::vector<std::vector<Cell>> m_rows; // index 0 = column headers
    QStringList m_header2;
    int m_headerRows = 1;
    std::vector<Span> m_spans;
    std::vector<bool> m_hidden;
    std::optional<QPair<Bgr, Bgr>> m_alternate;
    int m_activeCol = 1, m_activeRow = 1;
    bool m_editable = false;
    const char* m_headerContext = nullptr;
};
