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
    // the bytes stay as they were because the key already holds exactly this value.
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
    struct Line {
        int begin = 0;       // first unit of the line
        int end = 0;         // unit after the line's text, where its line break starts
        int breakEnd = 0;    // unit after the line break (CR LF, CR or LF); end at the end of the file
        int trimEnd = 0;     // unit after the last non-blank unit
        int valueBegin = -1; // key lines with '=': first unit of the value (blanks after '=' skipped)
        Kind kind = Kind::Blank;
        QString name; // section or key name, trimmed and cut at NUL
    };

    void load();
    QString text(int from, int to) const;
    QByteArray encode(const QString &text) const;
    int findSection(const QString &name) const;
    int findKey(int header, const QString &name) const;
    void replace(int from, int to, const QByteArray &with);
    void insertAt(int unit, const QByteArray &with) { replace(unit, unit, with); }

    QByteArray m_bytes;
    bool m_utf8 = false;
    // The text as units (one character each; a GBK pair or UTF-8 sequence is one unit) with the byte
    // offset where each unit starts, plus the end offset, so edits land on exact byte ranges.
    std::vector<char32_t> m_units;
    std::vector<int> m_offsets;
    std::vector<Line> m_lines;
};
