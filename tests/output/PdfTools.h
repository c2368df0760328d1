#pragma once
// Poppler's command-line tools for the output tests: page sizes, text, fonts and rendered pages of a PDF.
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace PdfTools {
inline bool available()
{
    for (const char *tool : {"pdftoppm", "pdftotext", "pdffonts", "pdfinfo"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return false;
    return true;
}

inline QString run(const QString &tool, const QStringList &arguments)
{
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first page's size in millimetres.
inline QSizeF pageSizeMm(const QString &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"))
            .match(run(QStringLiteral("pdfinfo"), {pdf}));
    if (!m.hasMatch())
        return QSizeF();
    return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72;
}

inline QString info(const QString &pdf, const QString &key)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption)
            .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

inline QString text(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

// pdffonts' table: one row per font, the heading lines left out.
inline QStringList fonts(const QString &pdf)
{
    QStringList rows = run(QStringLiteral("pdffonts"), {pdf}).split('\n', Qt::SkipEmptyParts);
    return rows.mid(2);
}

// The first page rendered at that resolution (grey renders use a quarter of the memory).
inline QImage render(const QString &pdf, int dpi, const QString &stem, bool grey = false)
{
    QStringList args{QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-singlefile")};
    if (grey)
        args << QStringLiteral("-gray");
    run(QStringLiteral("pdftoppm"), args << pdf << stem);
    return QImage(stem + (grey ? QStringLiteral(".pgm") : QStringLiteral(".ppm")));
}
} // namespace PdfTools
