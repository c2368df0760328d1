#include "card/IniFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
const char *const kCodePage = "GBK";

// What every GBK byte and byte pair decodes to, built once from ICU so that reading a file never depends
// on how a converter resynchronises after a bad byte.
struct GbkTable {
    bool valid = false;
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pair; // index lead * 256 + trail
};

const GbkTable &gbkTable()
{
    static const GbkTable table = [] {
        GbkTable t;
        QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
        t.valid = decoder.isValid();
        if (!t.valid)
            return t;
        // hasError() stays set after the first bad pair, so a pair counts as one character when it gives
        // exactly one (GBK maps nothing to U+FFFD).
        const auto decodeOne = [&decoder](const char *bytes, int size) -> char16_t {
            const QString s = decoder(QByteArrayView(bytes, size));
            return s.size() == 1 ? s.at(0).unicode() : char16_t(kReplacement);
        };
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            t.single[b] = b < 0x80 ? char16_t(b) : decodeOne(&byte, 1);
        }
        t.pair.assign(256 * 256, char16_t(kReplacement));
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 1; trail <= 0xFF; ++trail) {
                const char bytes[2] = {char(lead), char(trail)};
                t.pair[lead * 256 + trail] = decodeOne(bytes, 2);
            }
        }
        return t;
    }();
    return table;
}

bool isLineBreak(char32_t c)
{
    return c == '\r' || c == '\n';
}

QString cutAtNul(QString s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    if (nul >= 0)
        s.truncate(nul);
    return s;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One UTF-8 sequence at p[0..n): its character and length; a byte that starts no valid sequence is one
// unit of its own (U+FFFD), as a converter would replace it.
std::pair<char32_t, int> decodeUtf8(const uchar *p, int n)
{
    const uchar b = p[0];
    const auto cont = [&](int i) { return i < n && (p[i] & 0xC0) == 0x80; };
    if (b < 0x80)
        return {b, 1};
    if (b >= 0xC2 && b <= 0xDF && cont(1))
        return {char32_t(b & 0x1F) << 6 | (p[1] & 0x3F), 2};
    if (b >= 0xE0 && b <= 0xEF && cont(1) && cont(2)) {
        const char32_t c = char32_t(b & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF))
            return {c, 3};
    }
    if (b >= 0xF0 && b <= 0xF4 && cont(1) && cont(2) && cont(3)) {
        const char32_t c = char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 |
                           char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
        if (c >= 0x10000 && c <= 0x10FFFF)
            return {c, 4};
    }
    return {kReplacement, 1};
}

} // namespace

// The characters of one line with the offset of each, reused from line to line.
struct IniFile::Scratch {
    std::vector<char32_t> units;
    std::vector<int> offsets;
};

IniFile::IniFile(const QByteArray &bytes) : m_bytes(bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData());
    m_utf8 = m_bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF;
    Scratch scratch;
    const int n = int(m_bytes.size());
    for (int at = textStart(); at < n;) {
        Line line;
        at = parseLine(at, line, scratch);
        m_lines.push_back(std::move(line));
    }
}

QString IniFile::trimmed(const QString &s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && isBlank(s.at(from).unicode()))
        ++from;
    while (to > from && isBlank(s.at(to - 1).unicode()))
        --to;
    return s.mid(from, to - from);
}

QString IniFile::trimmedStart(const QString &s)
{
    qsizetype from = 0;
    while (from < s.size() && isBlank(s.at(from).unicode()))
        ++from;
    return s.mid(from);
}

bool IniFile::ansiAvailable()
{
    return gbkTable().valid;
}

QByteArray IniFile::toAnsi(const QString &text)
{
    // ICU holds back a lone high surrogate waiting for its partner; Windows writes '?' for it.
    QString clean = text;
    for (qsizetype i = 0; i < clean.size(); ++i) {
        const QChar c = clean.at(i);
        if (c.isHighSurrogate() && i + 1 < clean.size() && clean.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            clean[i] = QLatin1Char('?');
    }
    // Opening an ICU converter costs far more than a short conversion; one per thread is kept (stateless,
    // so every call starts afresh).
    thread_local QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return QByteArray();
    return encoder(clean);
}

QString IniFile::fromAnsi(const QByteArray &bytes)
{
    const GbkTable &t = gbkTable();
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] >= 0x81 && p[i] <= 0xFE && i + 1 < n && p[i + 1] != 0) {
            out += QChar(t.pair[p[i] * 256 + p[i + 1]]);
            ++i;
        } else {
            out += QChar(t.single[p[i]]);
        }
    }
    return out;
}

std::pair<char32_t, int> IniFile::characterAt(int at) const
{
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData());
    const int n = int(m_bytes.size());
    if (m_utf8)
        return decodeUtf8(p + at, n - at);
    // A lead byte takes the next byte whatever it is, so a trail byte that looks like '[', ']', '=' or
    // '\' never counts as one.
    if (p[at] >= 0x81 && p[at] <= 0xFE && at + 1 < n && p[at + 1] != 0)
        return {gbkTable().pair[p[at] * 256 + p[at + 1]], 2};
    return {gbkTable().single[p[at]], 1};
}

int IniFile::parseLine(int at, Line &line, Scratch &scratch) const
{
    const int n = int(m_bytes.size());
    std::vector<char32_t> &u = scratch.units;
    std::vector<int> &offset = scratch.offsets;
    u.clear();
    offset.clear();
    line.begin = at;
    while (at < n) {
        const auto [c, len] = characterAt(at);
        if (isLineBreak(c))
            break;
        u.push_back(c);
        offset.push_back(at);
        at += len;
    }
    line.end = at;
    offset.push_back(at);
    if (at < n) {
        const auto [c, len] = characterAt(at);
        at += len;
        if (c == '\r' && at < n && characterAt(at).first == '\n')
            at += characterAt(at).second;
    }
    line.breakEnd = at;

    // Indexes into the line's characters from here on.
    const int count = int(u.size());
    int from = 0, trimEnd = count;
    while (from < trimEnd && isBlank(u[from]))
        ++from;
    while (trimEnd > from && isBlank(u[trimEnd - 1]))
        --trimEnd;
    line.trimEnd = offset[trimEnd];
    const auto name = [&](int a, int b) {
        return b > a ? QString::fromUcs4(u.data() + a, b - a) : QString();
    };
    if (from < trimEnd) {
        int close = -1;
        if (u[from] == '[') {
            for (int i = trimEnd - 1; i > from && close < 0; --i)
                if (u[i] == ']')
                    close = i;
        }
        if (close >= 0) {
            line.kind = Kind::Header;
            line.name = cutAtNul(trimmed(name(from + 1, close)));
        } else {
            line.kind = Kind::Key;
            int eq = from;
            while (eq < trimEnd && u[eq] != '=')
                ++eq;
            if (eq < trimEnd) {
                line.name = cutAtNul(trimmed(name(from, eq)));
                int value = eq + 1;
                while (value < count && isBlank(u[value]))
                    ++value;
                line.valueBegin = offset[value];
            } else {
                line.name = cutAtNul(name(from, trimEnd));
            }
        }
    }
    return line.breakEnd;
}

QString IniFile::text(int from, int to) const
{
    std::u32string units;
    while (from < to) {
        const auto [c, len] = characterAt(from);
        units += c;
        from += len;
    }
    return QString::fromUcs4(units.data(), qsizetype(units.size()));
}

QByteArray IniFile::encode(const QString &text) const
{
    return m_utf8 ? text.toUtf8() : toAnsi(text);
}

int IniFile::findSection(const QString &name) const
{
    for (int i = 0; i < int(m_lines.size()); ++i)
        if (m_lines[i].kind == Kind::Header && sameName(m_lines[i].name, name))
            return i;
    return -1;
}

int IniFile::findKey(int header, const QString &name) const
{
    for (int i = header + 1; i < int(m_lines.size()) && m_lines[i].kind != Kind::Header; ++i)
        if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, name))
            return i;
    return -1;
}

std::optional<QString> IniFile::rawValue(const QString &section, const QString &key) const
{
    const int header = findSection(trimmed(section));
    if (header < 0)
        return std::nullopt;
    const int found = findKey(header, trimmed(key));
    if (found < 0 || m_lines[found].valueBegin < 0)
        return std::nullopt;
    const Line &line = m_lines[found];
    return cutAtNul(text(std::min(line.valueBegin, line.trimEnd), line.trimEnd));
}

void IniFile::replace(int from, int to, const QByteArray &with)
{
    // Parsing starts again at the line holding the byte before the edit: an insertion at a line's start
    // may join the line break before it, and a lead byte at the end of the file takes the next byte.
    // It stops at the first line start that is a line start of the old, unedited rest; from there on
    // the characters and lines are those of the old file, moved by the size difference.
    const int old = int(m_lines.size());
    int first = 0;
    while (first + 1 < old && m_lines[first + 1].begin < from)
        ++first;
    const int delta = int(with.size()) - (to - from);
    m_bytes.replace(from, to - from, with);
    const int n = int(m_bytes.size());

    std::vector<Line> fresh;
    Scratch scratch;
    int at = old > 0 ? m_lines[first].begin : textStart();
    int rest = first; // the first old line that may start the unedited rest
    bool joined = false;
    while (at < n) {
        while (rest < old && (m_lines[rest].begin < to || m_lines[rest].begin + delta < at))
            ++rest;
        if (rest < old && m_lines[rest].begin + delta == at) {
            joined = true;
            break;
        }
        Line line;
        at = parseLine(at, line, scratch);
        fresh.push_back(std::move(line));
    }
    if (!joined)
        rest = old;
    for (int i = rest; i < old; ++i) {
        Line &line = m_lines[i];
        line.begin += delta;
        line.end += delta;
        line.breakEnd += delta;
        line.trimEnd += delta;
        if (line.valueBegin >= 0)
            line.valueBegin += delta;
    }
    m_lines.erase(m_lines.begin() + first, m_lines.begin() + rest);
    m_lines.insert(m_lines.begin() + first, std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    static const QByteArray crlf("\r\n");
    const QByteArray bytes = encode(value);
    const QByteArray keyLine = encode(key) + '=' + bytes + crlf;
    const int endOfText = int(m_bytes.size());
    const bool endsInBreak = m_lines.empty() || m_lines.back().breakEnd > m_lines.back().end;

    const int header = findSection(trimmed(section));
    if (header < 0) {
        // A new section goes to the end of the file, on a line of its own.
        insertAt(endOfText,
                 (endsInBreak ? QByteArray() : crlf) + '[' + encode(section) + ']' + crlf + keyLine);
        return true;
    }
    const int found = findKey(header, trimmed(key));
    if (found >= 0) {
        const Line &line = m_lines[found];
        if (line.valueBegin < 0) {
            // A bare key of that name takes the value: it becomes key=value.
            replace(line.trimEnd, line.end, '=' + bytes);
            return true;
        }
        // The same value as read leaves the file alone, whatever blanks follow it in the line.
        const int from = std::min(line.valueBegin, line.trimEnd);
        if (QByteArrayView(m_bytes).sliced(from, line.trimEnd - from) ==
            QByteArrayView(encode(trimmed(value))))
            return false;
        // Only the value changes; the key keeps its spelling and the line its place and its line break.
        replace(line.valueBegin, line.end, bytes);
        return true;
    }
    // A new key follows the section's last non-blank line, ahead of the blank lines before the next one.
    int last = header;
    for (int i = header + 1; i < int(m_lines.size()) && m_lines[i].kind != Kind::Header; ++i)
        if (m_lines[i].kind != Kind::Blank)
            last = i;
    const Line &line = m_lines[last];
    if (line.breakEnd > line.end)
        insertAt(line.breakEnd, keyLine);
    else
        insertAt(line.end, crlf + keyLine);
    return true;
}
