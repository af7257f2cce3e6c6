// A catalogue in which every shown text reads differently from its source: "[source]" (or what
// mark makes of it), or the word given for it. Installed, it tells a window's words from the
// English of a file.
#pragma once

#include <QString>
#include <QTranslator>
#include <functional>
#include <map>

class Bracketing : public QTranslator {
public:
    using Mark = std::function<QString(const QString&)>;
    explicit Bracketing(std::map<QString, QString> words = {}, Mark mark = {})
        : m_words(std::move(words)), m_mark(std::move(mark)) {}
    QString translate(const char*, const char* source, const char*, int) const override {
        if (!source || !*source) return QString();
        const QString s = QString::fromUtf8(source);
        const auto it = m_words.find(s);
        if (it != m_words.end()) return it->second;
        return m_mark ? m_mark(s) : QStringLiteral("[%1]").arg(s);
    }
    bool isEmpty() const override { return false; }

private:
    std::map<QString, QString> m_words;
    Mark m_mark;
};
