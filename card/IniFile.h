#pragma once
// One profile (INI) file held as its bytes, read and edited the way the Windows profile functions do it in
// the GBK code page: the file is GBK text (UTF-8 when it starts with a byte-order mark), lines end at CR
// and LF, the first section and the first key of a name win, and a write changes only the bytes it must,
// so comments, odd lines and line endings of a hand-edited or Windows-written file survive.
#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class IniFile {
public:
    explicit IniFile(const QByteArray &bytes = QByteArray());

    const QByteArray &bytes() const { return m_bytes; }
    bool isUtf8() const { return m_utf8; }

    // The value of key in the first section named section, as the profile function finds it: the text
    // after '=' without the blanks around it, cut at its first NUL, before the quotation-mark rule.
    // Nothing when the section or the key is missing, or when the first key of that name is bare.
    // Names are trimmed here and compared without regard to case.
    std::optional<QString> rawValue(const QString &section, const QString &key) const;

    // Gives key in section the value, editing the bytes in place. The names are those to write when they
    // are new (the caller has trimmed their start); the value holds no line break. Returns false when
    // the bytes stay as they were because the key already reads as this value (blanks after it in the
    // file or in the value do not count: reading trims them). An edit parses again only the lines it
    // touches, so a run of writes to a large file costs about one parse.
    bool setValue(const QString &section, const QString &key, const QString &value);

    // The white space the profile functions trim: TAB, LF, VT, FF, CR, 0x1A and space.
    static bool isBlank(char32_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }
    static QString trimmed(const QString &s);
    static QString trimmedStart(const QString &s);

    // GBK through ICU. Characters the code page cannot hold become what Windows stores for them
    // (€ is 0x80, the rest '?'); bytes that are no GBK character decode as U+FFFD, a lead byte always
    // taking the next byte with it unless that is NUL.
    static bool ansiAvailable();
    static QByteArray toAnsi(const QString &text);
    static QString fromAnsi(const QByteArray &bytes);

private:
    enum class Kind { Blank, Header, Key };
    // Every position is a byte offset into m_bytes, at the start of a character (a GBK pair or UTF-8
    // sequence is one character).
    struct Line {
        int begin = 0;       // first byte of the line
        int end = 0;         // where its line break starts
        int breakEnd = 0;    // after the line break (CR LF, CR or LF); end at the end of the file
        int trimEnd = 0;     // after the last non-blank character
        int valueBegin = -1; // key lines with '=': first byte of the value (blanks after '=' skipped)
        Kind kind = Kind::Blank;
        QString name; // section or key name, trimmed and cut at NUL
    };
    struct Scratch;

    std::pair<char32_t, int> characterAt(int at) const;
    int textStart() const { return m_utf8 ? 3 : 0; }
    int parseLine(int at, Line &line, Scratch &scratch) const;
    QString text(int from, int to) const;
    QByteArray encode(const QString &text) const;
    int findSection(const QString &name) const;
    int findKey(int header, const QString &name) const;
    void replace(int from, int to, const QByteArray &with);
    void insertAt(int at, const QByteArray &with) { replace(at, at, with); }

    QByteArray m_bytes;
    bool m_utf8 = false;
    std::vector<Line> m_lines;
};
