// The translations as shipped: every Korean entry finished and true to its source's
// placeholders and accelerator, the English one covering every source text written in Korean,
// the compiled .qm found where the programs look; and the language choice as the Help menu
// keeps it.
#include "tests/support/AnsweredBoxes.h"
#include "tests/support/TestFiles.h"
#include "ui/Language.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <map>

namespace {

struct Message {
    QString context, source, translation, type;
};

QList<Message> readTs(const QString& path) {
    QList<Message> out;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&f);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const auto name = xml.name();
        if (name == QLatin1String("context")) {
            context.clear();
        } else if (name == QLatin1String("name") && context.isEmpty()) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            m = {context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            // A count's translation holds its forms as child elements; Korean has one.
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            out << m;
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return out;
}

QStringList placeholders(const QString& s) {
    static const QRegularExpression arg(QStringLiteral("%L?\\d"));
    QStringList out;
    for (auto it = arg.globalMatch(s); it.hasNext();)
        out << it.next().captured();
    out.sort();
    return out;
}
bool hasAccelerator(const QString& s) {
    static const QRegularExpression amp(QStringLiteral("(^|[^&])&[^&\\s]"));
    return s.contains(amp);
}
bool hasHangul(const QString& s) {
    static const QRegularExpression hangul(QStringLiteral("[\\x{AC00}-\\x{D7A3}]"));
    return s.contains(hangul);
}

// What the sources hold today, through lupdate into a copy of each folder's Korean file, so a
// text marked since the file was last updated shows up as unfinished.
QList<Message> koreanAsTheSourcesAre(const QString& work) {
    QList<Message> all;
    const QStringList folders = QStringLiteral(KX5_TR_FOLDERS).split(QLatin1Char(','));
    for (const QString& dir : folders) {
        const QString kept = QStringLiteral(KX5_SOURCE_DIR "/translations/ko/%1.ts").arg(dir);
        const QString copy = work + QLatin1Char('/') + dir + QStringLiteral(".ts");
        if (QFile::exists(kept)) {
            EXPECT_TRUE(QFile::copy(kept, copy));
        }
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(KX5_SOURCE_DIR));
        lupdate.start(QStringLiteral(KX5_LUPDATE),
                      QStringLiteral("-silent -locations none -no-obsolete -source-language en "
                                     "-target-language ko")
                              .split(QLatin1Char(' ')) +
                          QStringList{dir, QStringLiteral("-ts"), copy});
        EXPECT_TRUE(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0)
            << dir.toStdString() << lupdate.readAllStandardError().toStdString();
        if (QFile::exists(copy)) all += readTs(copy);
    }
    return all;
}

} // namespace

TEST(Translations, KoreanIsCompleteAndTrueToEverySourceAndEnglishCoversTheKoreanSources) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QList<Message> korean = koreanAsTheSourcesAre(work.path());
    ASSERT_GT(korean.size(), 300); // the windows' texts, not an empty file
    QStringList faults;
    std::map<std::pair<QString, QString>, bool> koreanSources;
    for (const Message& m : korean) {
        const QString where = m.context + QStringLiteral(": \"") + m.source + QLatin1Char('"');
        if (!m.type.isEmpty() || m.translation.isEmpty())
            faults << QStringLiteral("unfinished ") + where;
        else if (placeholders(m.translation) != placeholders(m.source))
            faults << QStringLiteral("placeholders differ ") + where;
        else if (hasAccelerator(m.source) != hasAccelerator(m.translation))
            faults << QStringLiteral("accelerator differs ") + where;
        if (hasHangul(m.source)) koreanSources[{m.context, m.source}] = false;
    }
    for (const Message& m : readTs(QStringLiteral(KX5_SOURCE_DIR "/translations/en/kx5link.ts"))) {
        const QString where = m.context + QStringLiteral(": \"") + m.source + QLatin1Char('"');
        auto it = koreanSources.find({m.context, m.source});
        if (it == koreanSources.end())
            faults << QStringLiteral("English entry for no Korean source ") + where;
        else
            it->second = true;
        if (!m.type.isEmpty() || m.translation.isEmpty() || hasHangul(m.translation))
            faults << QStringLiteral("English unfinished ") + where;
        if (hasAccelerator(m.source) != hasAccelerator(m.translation))
            faults << QStringLiteral("English accelerator differs ") + where;
    }
    for (const auto& [key, covered] : koreanSources)
        if (!covered)
            faults << QStringLiteral("no English for %1: \"%2\"").arg(key.first, key.second);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

TEST(Translations, TheProgramsFindTheCompiledLanguagesAndTheChoiceIsKept) {
    // The .qm files as built, where the programs look for them.
    for (const char* code : {"ko", "en"}) {
        QTranslator t;
        ASSERT_TRUE(t.load(findTranslation(QLatin1String(code)))) << code;
        EXPECT_FALSE(t.isEmpty()) << code;
        EXPECT_EQ(hasHangul(t.translate("Language", "&Language")), *code == 'k') << code;
    }

    // Which language a choice comes to on which system.
    const std::tuple<const char*, QLocale::Language, const char*> cases[] = {
        {"", QLocale::Korean, "ko"}, {"", QLocale::English, "en"},  {"", QLocale::German, "en"},
        {"", QLocale::C, "en"},      {"en", QLocale::Korean, "en"}, {"ko", QLocale::English, "ko"}};
    for (const auto& [choice, system, expected] : cases)
        EXPECT_EQ(effectiveLanguage(QLatin1String(choice), QLocale(system)),
                  QLatin1String(expected))
            << choice << " on " << QLocale::languageToString(system).toStdString();

    // The Help menu keeps the choice for the next start and says when it takes effect.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(languageSettingsPath());
    EXPECT_EQ(chosenLanguage(), QString());
    AnsweredBoxes boxes;
    QMainWindow window;
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    addLanguageMenu(help);
    const std::pair<const char*, const char*> picks[] = {
        {"mLangKorean", "ko"}, {"mLangEnglish", "en"}, {"mLangSystem", ""}};
    for (const auto& [action, stored] : picks) {
        auto* a = window.findChild<QAction*>(QLatin1String(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
        EXPECT_EQ(chosenLanguage(), QLatin1String(stored)) << action;
        EXPECT_TRUE(a->isChecked()) << action;
    }
    EXPECT_EQ(boxes.said.size(), 3);
    // A menu made at the next start shows the kept choice.
    ASSERT_TRUE(chooseLanguage(QStringLiteral("ko"), nullptr));
    QMenu* again = window.menuBar()->addMenu(QStringLiteral("&Help"));
    addLanguageMenu(again);
    EXPECT_TRUE(again->findChild<QAction*>(QStringLiteral("mLangKorean"))->isChecked());
    // Something else in the file reads as following the system.
    writeWhole(languageSettingsPath(), "[General]\nLanguage=klingon\n");
    EXPECT_EQ(chosenLanguage(), QString());
    QFile::remove(languageSettingsPath());
}
