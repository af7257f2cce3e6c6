#include "ui/TraceModel.h"

#include "link/TraceLog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <cctype>
#include <set>

namespace {

constexpr char kStx = '\x02', kCr = '\r', kLf = '\n';

// A frame starts STX, two digits of address, then its command ("DRR", "WHO", ...).
bool framed(const QByteArray& b) {
    return b.size() >= 6 && b[0] == kStx && std::isdigit(uchar(b[1])) && std::isdigit(uchar(b[2]));
}

QString spelled(const QByteArray& b) {
    QString out;
    out.reserve(b.size() + 12);
    for (const char c : b) {
        if (c == kStx)
            out += QLatin1String("<STX>");
        else if (c == kCr)
            out += QLatin1String("<CR>");
        else if (c == kLf)
            out += QLatin1String("<LF>");
        else
            out += QChar(uchar(c));
    }
    return out;
}

// The item view copies only its current cell on Ctrl+C: the copy of whole rows comes first.
class CopyKey : public QObject {
public:
    CopyKey(QAction* copy, QObject* parent) : QObject(parent), m_copy(copy) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress ||
            !static_cast<QKeyEvent*>(e)->matches(QKeySequence::Copy))
            return false;
        m_copy->trigger();
        return true;
    }

private:
    QAction* m_copy;
};

} // namespace

TraceModel::TraceModel(const TraceLog* log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log) {
    connect(log, &TraceLog::rowAdded, this, [this](int i) {
        beginInsertRows({}, i, i);
        endInsertRows();
    });
    connect(log, &TraceLog::cleared, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_log->rows();
}

int TraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString TraceModel::text(int row, int col) const {
    const TraceLog::Row& r = m_log->row(row);
    switch (col) {
    case Time:
        return QDateTime::fromMSecsSinceEpoch(r.atMs).toString(QStringLiteral("hh:mm:ss.zzz"));
    case Direction:
        // The trace files keep "Send" and "Recv"; the window says them in the user's language.
        return r.sent ? QCoreApplication::translate("TraceLog", "Send")
                      : QCoreApplication::translate("TraceLog", "Recv");
    case Station:
        return framed(r.bytes) ? QString::fromLatin1(r.bytes.mid(1, 2)) : QString();
    case Command:
        return framed(r.bytes) ? QString::fromLatin1(r.bytes.mid(3, 3)) : QString();
    case Bytes:
        return spelled(r.bytes);
    default:
        return {};
    }
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_log->rows()) return {};
    if (role == Qt::DisplayRole) return text(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == Time) return m_log->timeText(index.row());
    if (role == Qt::TextAlignmentRole && index.column() != Bytes) return int(Qt::AlignCenter);
    return {};
}

QVariant TraceModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Vertical) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role != Qt::DisplayRole) return {};
    static const char* const kCaptions[] = {QT_TR_NOOP("Time"), QT_TR_NOOP("Direction"),
                                            QT_TR_NOOP("MC No"), QT_TR_NOOP("Command"),
                                            QT_TR_NOOP("Bytes")};
    return section >= 0 && section < ColumnCount ? tr(kCaptions[section]) : QVariant();
}

QString TraceModel::rowsText(const QModelIndexList& indexes) const {
    std::set<int> rows;
    for (const QModelIndex& i : indexes)
        if (i.isValid() && i.row() < m_log->rows()) rows.insert(i.row());
    QStringList lines;
    for (const int r : rows) {
        QStringList cols;
        for (int c = 0; c < ColumnCount; ++c)
            cols << text(r, c);
        lines << cols.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void TraceModel::addCopy(QAbstractItemView* view, TraceModel* model) {
    auto* copy = new QAction(tr("&Copy"), view);
    copy->setObjectName(QStringLiteral("actCopyTrace"));
    copy->setShortcut(QKeySequence::Copy); // shown in the menu; the key is taken below
    copy->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copy);
    view->installEventFilter(new CopyKey(copy, view));
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(copy, &QAction::triggered, view, [view, model] {
        const QString text = model->rowsText(view->selectionModel()->selectedIndexes());
        if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
    });
}
