// Files the tests plant and read back: whole, in one go.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

// A file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes path anew with bytes, making its folder first.
inline void writeWhole(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size())
        << path.toStdString();
}

// SetEnv.INI of 99 lines, the stations inUse marked "O" and named name (else "MC<n>").
inline QByteArray setEnvFile(const std::vector<int>& inUse, const QByteArray& name = {}) {
    QByteArray out;
    for (int k = 1; k <= 99; ++k)
        out += std::count(inUse.begin(), inUse.end(), k)
                   ? "O\t" + (name.isEmpty() ? "MC" + QByteArray::number(k) : name) + "\r\n"
                   : QByteArray("X\t\r\n");
    return out;
}
