// The built user guide has no dead links: every relative link and picture of every page
// resolves to a file of the guide. Which page F1 opens is tests/settings' test_clock_shell.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(UserGuide, EveryRelativeLinkAndPictureResolves) {
    const QDir guide(QStringLiteral(KX5_GUIDE_DIR));
    const QStringList pages = guide.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_TRUE(pages.contains("index.html")) << KX5_GUIDE_DIR;
    static const QRegularExpression ref(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    QStringList reached{QStringLiteral("index.html")};
    int links = 0;
    for (const QString& page : pages) {
        QFile f(guide.filePath(page));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(f.readAll());
        for (auto m = ref.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1).section('#', 0, 0);
            if (target.isEmpty() || target.contains(':')) continue; // anchors, web addresses
            ++links;
            EXPECT_TRUE(QFileInfo(guide.filePath(target)).isFile())
                << page.toStdString() << " -> " << target.toStdString();
            reached << target;
        }
    }
    // Pages link each other and show pictures; no page is left out of them all.
    EXPECT_GT(links, 3 * pages.size());
    for (const QString& page : pages)
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " is linked from nowhere";
}
