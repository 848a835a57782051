#pragma once

// Byte strings in tests: cell texts and list bytes as QByteArray for readable comparisons,
// and files read or written whole.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>
#include <string>
#include <string_view>

inline QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

// The whole file, or a text no file of a test holds when it cannot be read.
inline QByteArray contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<cannot read>";
    return file.readAll();
}

inline void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}
