// The user guide in both languages: every relative link and picture of every built page
// resolves, each page has its twin in the other language, a Korean page keeps up with its
// English source's headings, and Help opens the page in the windows' language.
#include "tests/support/TestFiles.h"
#include "ui/HelpGuide.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The headings of a Markdown page, "## Title" as written, code blocks left out.
QStringList headingsOf(const QString& markdown) {
    static const QRegularExpression heading(QStringLiteral(R"(^#{1,6} \S)"));
    QStringList found;
    bool code = false;
    for (const QString& line : markdown.split('\n')) {
        if (line.startsWith(QLatin1String("```"))) code = !code;
        if (!code && heading.match(line).hasMatch()) found << line.trimmed();
    }
    return found;
}

QStringList levelsOf(const QStringList& headings) {
    QStringList levels;
    for (const QString& h : headings)
        levels << h.section(' ', 0, 0);
    return levels;
}

} // namespace

TEST(UserGuide, EveryRelativeLinkAndPictureResolvesInBothLanguages) {
    const QDir guide(QStringLiteral(KX5_GUIDE_DIR));
    QStringList pages;
    for (QDirIterator it(guide.path(), {QStringLiteral("*.html")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        pages << guide.relativeFilePath(it.next());
    ASSERT_TRUE(pages.contains("index.html")) << KX5_GUIDE_DIR;
    ASSERT_TRUE(pages.contains("ko/index.html")) << KX5_GUIDE_DIR;
    static const QRegularExpression ref(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    QStringList reached{QStringLiteral("index.html")};
    int links = 0;
    for (const QString& page : pages) {
        const QString html = QString::fromUtf8(readFile(guide.filePath(page)));
        ASSERT_FALSE(html.isEmpty()) << page.toStdString();
        const QDir here = QFileInfo(guide.filePath(page)).dir();
        for (auto m = ref.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1).section('#', 0, 0);
            if (target.isEmpty() || target.contains(':')) continue; // anchors, web addresses
            ++links;
            const QString file = QDir::cleanPath(here.filePath(target));
            EXPECT_TRUE(QFileInfo(file).isFile())
                << page.toStdString() << " -> " << target.toStdString();
            reached << guide.relativeFilePath(file);
        }
        // A Korean page shows the Korean pictures where they were taken.
        if (page.startsWith(QLatin1String("ko/")))
            for (auto m = ref.globalMatch(html); m.hasNext();) {
                const QString img = m.next().captured(1);
                if (!img.startsWith(QLatin1String("../img/"))) continue;
                const QString ko = QString(img).replace(QLatin1String(".png"), "-ko.png");
                EXPECT_TRUE(img.contains(QLatin1String("-ko")) ||
                            !QFileInfo::exists(here.filePath(ko)))
                    << page.toStdString() << " shows " << img.toStdString() << " beside "
                    << ko.toStdString();
            }
    }
    // Pages link each other and show pictures; no page is left out of them all.
    EXPECT_GT(links, 3 * pages.size());
    for (const QString& page : pages)
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " is linked from nowhere";
}

// Each Korean page opens with a comment listing its English source's headings, as they were
// when it was translated; a heading changed in English without the Korean page names it.
TEST(UserGuide, EachPageHasItsTwinAndTheKoreanKeepsUpWithTheEnglishHeadings) {
    const QDir en(QStringLiteral(KX5_SOURCE_DIR "/docs/guide"));
    const QDir ko(en.filePath(QStringLiteral("ko")));
    const QStringList enPages = en.entryList({QStringLiteral("*.md")}, QDir::Files);
    const QStringList koPages = ko.entryList({QStringLiteral("*.md")}, QDir::Files);
    ASSERT_GT(enPages.size(), 10);
    for (const QString& page : koPages)
        EXPECT_TRUE(enPages.contains(page)) << "ko/" << page.toStdString() << " has no English";
    static const QRegularExpression comment(
        QStringLiteral(R"(^<!-- English headings[^\n]*\n(.*?)-->)"),
        QRegularExpression::DotMatchesEverythingOption);
    for (const QString& page : enPages) {
        SCOPED_TRACE(page.toStdString());
        if (!koPages.contains(page)) {
            ADD_FAILURE() << page.toStdString() << " has no Korean page ko/" << page.toStdString();
            continue;
        }
        const QStringList source = headingsOf(QString::fromUtf8(readFile(en.filePath(page))));
        const QString translated = QString::fromUtf8(readFile(ko.filePath(page)));
        const auto m = comment.match(translated);
        ASSERT_TRUE(m.hasMatch()) << "ko/" << page.toStdString()
                                  << " does not open with its English headings";
        const QStringList noted = m.captured(1).trimmed().split('\n');
        EXPECT_EQ(noted.join('\n').toStdString(), source.join('\n').toStdString())
            << "ko/" << page.toStdString() << " is older than " << page.toStdString();
        EXPECT_EQ(levelsOf(headingsOf(translated.mid(m.capturedEnd()))), levelsOf(source))
            << "ko/" << page.toStdString() << " has other sections than " << page.toStdString();
    }
}

// Help opens the Korean page in Korean windows, the English page where there is no Korean,
// and the contents where neither exists; in the built guide, F1 in a field of a window opens
// that window's page in the windows' language.
TEST(UserGuide, HelpOpensThePageInTheWindowsLanguageElseEnglish) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString d = dir.path();
    for (const char* file :
         {"index.html", "clock.html", "stations.html", "ko/index.html", "ko/clock.html"})
        writeWhole(d + "/" + file, {});
    // A row names a page of the made-up guide above, or a window of the built one.
    const struct {
        const char* page;
        const char* window;
        const char* language;
        const char* opened;
    } rows[] = {
        {"clock.html", nullptr, "ko", "ko/clock.html"},
        {"clock.html", nullptr, "en", "clock.html"},
        {"stations.html", nullptr, "ko", "stations.html"},
        {"files.html", nullptr, "ko", "ko/index.html"},
        {"files.html", nullptr, "en", "index.html"},
        {"index.html", nullptr, "ko", "ko/index.html"},
        {nullptr, "frmKX5_Main", "ko", "ko/main-window.html"},
        {nullptr, "frmKX5_Graph", "en", "graph-viewer.html"},
    };
    for (const auto& r : rows) {
        QString guide = d, page = QString::fromLatin1(r.page);
        if (r.window) {
            guide = QStringLiteral(KX5_GUIDE_DIR);
            QWidget window;
            window.setObjectName(QString::fromLatin1(r.window));
            page = guidePage(new QLineEdit(&window));
        }
        EXPECT_EQ(guideFile(guide, page, r.language).toStdString(),
                  (guide + "/" + r.opened).toStdString())
            << (r.window ? r.window : r.page) << " in " << r.language;
    }
}
