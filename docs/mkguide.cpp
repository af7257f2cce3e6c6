// Builds the offline HTML user guide from its Markdown pages: each page read by Qt's own
// Markdown reader and written as plain HTML with a title, a way back to the contents and our
// stylesheet, links between pages pointing at the HTML files. Pages in a "ko" folder are the
// Korean guide; a page whose other-language twin exists links to it. Run at build time.
//
//   kx5_mkguide OUTDIR page.md...
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <algorithm>
#include <cstdio>

namespace {

const char kStyle[] = R"(body { font-family: "DejaVu Sans", Arial, sans-serif; max-width: 60em;
  margin: 0 auto; padding: 0 1.2em 2em; line-height: 1.45; color: #1d1d1d; background: #fff; }
nav { border-bottom: 1px solid #ccc; padding: .6em 0; margin-bottom: 1em; font-size: 90%; }
nav a { margin-right: 1.2em; }
h1 { font-size: 1.7em; } h2 { font-size: 1.3em; margin-top: 1.6em; } h3 { font-size: 1.1em; }
table { border-collapse: collapse; margin: .6em 0; }
td, th { border: 1px solid #bbb; padding: .25em .5em; vertical-align: top; text-align: left; }
th { background: #eef3ee; }
code, pre { font-family: "DejaVu Sans Mono", monospace; background: #f4f4f4; }
pre { padding: .6em; overflow-x: auto; }
img { max-width: 100%; border: 1px solid #ccc; }
a { color: #0b57a6; }
@media (prefers-color-scheme: dark) {
  body { color: #ddd; background: #1e1e1e; } th { background: #2c3a2c; }
  code, pre { background: #2a2a2a; } a { color: #8cb8ff; } td, th { border-color: #555; }
}
)";

QString readAll(const QString& path, bool* ok) {
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(f.readAll()) : QString();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Markdown read by Qt and written out as plain HTML of our own: headings, paragraphs, lists,
// tables, code, links and pictures, with no inline styles, so the stylesheet decides the look.
// Links to our pages (.md) point at their HTML files.
class HtmlWriter {
public:
    QString write(const QTextDocument& doc) {
        for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
            if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
                writeTable(table);
            else if (it.currentBlock().isValid())
                writeBlock(it.currentBlock());
        }
        closeAll();
        return m_out;
    }

private:
    static bool isCode(const QTextBlock& b) {
        return b.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage) ||
               b.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
    }

    // Bullets are the styles down to ListSquare; numbers and letters follow.
    static bool isOrdered(const QTextList* list) {
        return list->format().style() < QTextListFormat::ListSquare;
    }

    // A heading's own weight is the heading's; bold inside text is emphasis.
    static QString inlines(const QTextBlock& b, bool heading = false) {
        QString html;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat fmt = f.charFormat();
            if (fmt.isImageFormat()) {
                const QTextImageFormat img = fmt.toImageFormat();
                html +=
                    QStringLiteral("<img src=\"%1\" alt=\"%2\">")
                        .arg(img.name().toHtmlEscaped(),
                             img.property(QTextFormat::ImageAltText).toString().toHtmlEscaped());
                continue;
            }
            QString t = f.text().toHtmlEscaped();
            t.replace(QChar::LineSeparator, QStringLiteral("<br>"));
            if (fmt.fontFixedPitch()) t = "<code>" + t + "</code>";
            if (fmt.fontItalic()) t = "<i>" + t + "</i>";
            if (!heading && fmt.fontWeight() >= QFont::Bold) t = "<b>" + t + "</b>";
            if (fmt.isAnchor()) {
                static const QRegularExpression md(QStringLiteral(R"(^([^:#]+)\.md(#.*)?$)"));
                QString href = fmt.anchorHref();
                href.replace(md, QStringLiteral("\\1.html\\2"));
                t = QStringLiteral("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), t);
            }
            html += t;
        }
        return html;
    }

    void closeCode() {
        if (m_inCode) m_out += QStringLiteral("</code></pre>\n");
        m_inCode = false;
    }
    void closeListsTo(qsizetype depth) {
        while (m_lists.size() > depth) {
            m_out += isOrdered(m_lists.takeLast()) ? QStringLiteral("</ol>\n")
                                                   : QStringLiteral("</ul>\n");
        }
    }
    void closeAll() {
        closeCode();
        closeListsTo(0);
    }

    void writeBlock(const QTextBlock& b) {
        if (isCode(b)) {
            closeListsTo(0);
            m_out += m_inCode ? QStringLiteral("\n") : QStringLiteral("<pre><code>");
            m_inCode = true;
            m_out += b.text().toHtmlEscaped();
            return;
        }
        closeCode();
        if (QTextList* list = b.textList()) {
            const qsizetype at = m_lists.indexOf(list);
            if (at >= 0) {
                closeListsTo(at + 1);
            } else {
                const bool ordered = isOrdered(list);
                m_out += ordered ? QStringLiteral("<ol>\n") : QStringLiteral("<ul>\n");
                m_lists << list;
            }
            m_out += "<li>" + inlines(b) + "</li>\n";
            return;
        }
        closeListsTo(0);
        if (b.text().isEmpty()) return;
        const int level = b.blockFormat().headingLevel();
        const QString tag = level > 0 ? QStringLiteral("h%1").arg(level) : QStringLiteral("p");
        m_out += QStringLiteral("<%1>%2</%1>\n").arg(tag, inlines(b, level > 0));
    }

    void writeTable(QTextTable* table) {
        closeAll();
        m_out += QStringLiteral("<table>\n");
        const int headerRows = std::max(1, table->format().headerRowCount());
        for (int r = 0; r < table->rows(); ++r) {
            m_out += QStringLiteral("<tr>");
            const QString tag = r < headerRows ? QStringLiteral("th") : QStringLiteral("td");
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QStringList parts;
                for (auto it = cell.begin(); !it.atEnd(); ++it)
                    if (it.currentBlock().isValid()) parts << inlines(it.currentBlock());
                m_out += QStringLiteral("<%1>%2</%1>").arg(tag, parts.join(QStringLiteral("<br>")));
            }
            m_out += QStringLiteral("</tr>\n");
        }
        m_out += QStringLiteral("</table>\n");
    }

    QString m_out;
    QList<QTextList*> m_lists;
    bool m_inCode = false;
};

QString bodyOf(const QString& markdown) {
    QTextDocument doc;
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    return HtmlWriter().write(doc);
}

// A translated page opens with a comment listing its English source's headings, for the
// guide's test; it is no part of the page.
QString withoutLeadingComment(const QString& markdown) {
    if (!markdown.startsWith(QLatin1String("<!--"))) return markdown;
    const qsizetype end = markdown.indexOf(QLatin1String("-->"));
    return end < 0 ? markdown : markdown.mid(end + 3);
}

struct Words {
    const char* lang;
    const char* guide;
    const char* contents;
    const char* start;
    const char* trouble;
    const char* other; // the link to the page in the other language
};
constexpr Words kEnglish{
    "en", "KX5 Link user guide", "Contents", "Getting started", "Troubleshooting", "한국어"};
constexpr Words kKorean{"ko", "KX5 Link 사용자 가이드", "목차", "시작하기", "문제 해결", "English"};

QString navOf(const Words& w, const QString& name, const QString& otherPage) {
    const QString other = otherPage.isEmpty()
                              ? QString()
                              : QStringLiteral("<a href=\"%1\" hreflang=\"%2\">%3</a>")
                                    .arg(otherPage, QLatin1String(&w == &kKorean ? "en" : "ko"),
                                         QString::fromUtf8(w.other));
    if (name == QLatin1String("index"))
        return QStringLiteral("<nav><b>%1</b> %2</nav>").arg(QString::fromUtf8(w.guide), other);
    return QStringLiteral(
               "<nav><a href=\"index.html\">%1</a><a href=\"getting-started.html\">%2</a>"
               "<a href=\"troubleshooting.html\">%3</a>%4</nav>")
        .arg(QString::fromUtf8(w.contents), QString::fromUtf8(w.start),
             QString::fromUtf8(w.trouble), other);
}

} // namespace

int main(int argc, char** argv) {
    // Markdown goes through the text layout's fonts, so a GUI application object is needed;
    // no screen is.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: kx5_mkguide OUTDIR page.md...\n");
        return 2;
    }
    const QString out = args[1];
    if (!writeAll(out + QStringLiteral("/guide.css"), kStyle)) {
        std::fprintf(stderr, "kx5_mkguide: cannot write %s/guide.css\n", qPrintable(out));
        return 1;
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        bool ok = false;
        const QString md = withoutLeadingComment(readAll(args[i], &ok));
        if (!ok) {
            std::fprintf(stderr, "kx5_mkguide: cannot read %s\n", qPrintable(args[i]));
            return 1;
        }
        static const QRegularExpression heading(QStringLiteral("^# (.+)$"),
                                                QRegularExpression::MultilineOption);
        const QString title = heading.match(md).captured(1).trimmed();
        const QFileInfo source(args[i]);
        const QString name = source.completeBaseName();
        const bool korean = source.dir().dirName() == QLatin1String("ko");
        const Words& words = korean ? kKorean : kEnglish;
        const QString twin = korean ? QStringLiteral("../") + source.fileName()
                                    : QStringLiteral("ko/") + source.fileName();
        const QString otherPage =
            QFileInfo::exists(source.dir().filePath(twin))
                ? QString(twin).replace(QLatin1String(".md"), QLatin1String(".html"))
                : QString();
        const QString nav = navOf(words, name, otherPage);
        const QString page =
            QStringLiteral("<!DOCTYPE html>\n<html lang=\"%4\">\n<head>\n<meta charset=\"utf-8\">\n"
                           "<meta name=\"viewport\" content=\"width=device-width\">\n"
                           "<title>%1 - KX5 Link</title>\n"
                           "<link rel=\"stylesheet\" href=\"guide.css\">\n</head>\n<body>\n"
                           "%2\n%3\n</body>\n</html>\n")
                .arg(title.toHtmlEscaped(), nav, bodyOf(md), QLatin1String(words.lang));
        const QString target = out + QLatin1Char('/') + name + QStringLiteral(".html");
        if (!writeAll(target, page.toUtf8())) {
            std::fprintf(stderr, "kx5_mkguide: cannot write %s\n", qPrintable(target));
            return 1;
        }
    }
    return 0;
}
