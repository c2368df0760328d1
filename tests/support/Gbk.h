#pragma once
// The settings file's bytes in tests: GBK both ways, and whole files read and written as such.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

inline QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder(text);
}

inline QString fromGbk(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder(bytes);
}

// The file's bytes, or "(no file)" so that a missing file never equals an empty one.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

inline bool writeGbk(const QString &path, const QString &text)
{
    return writeBytes(path, gbk(text));
}

inline QString readGbk(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? fromGbk(f.readAll()) : QString();
}
