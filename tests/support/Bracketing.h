// A catalogue in which every shown text reads differently from its source: "[source]", or the
// word given for it. Installed, it tells a window's words from the English of a file.
#pragma once

#include <QString>
#include <QTranslator>
#include <map>

class Bracketing : public QTranslator {
public:
    explicit Bracketing(std::map<QString, QString> words = {}) : m_words(std::move(words)) {}
    QString translate(const char*, const char* source, const char*, int) const override {
        if (!source || !*source) return QString();
        const QString s = QString::fromUtf8(source);
        const auto it = m_words.find(s);
        return it != m_words.end() ? it->second : QStringLiteral("[%1]").arg(s);
    }
    bool isEmpty() const override { return false; }

private:
    std::map<QString, QString> m_words;
};
