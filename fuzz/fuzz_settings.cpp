// The settings reader and writer: arbitrary bytes as myset.ini, then the start's reads and a full save.
// Never a crash. The save of a regular file succeeds; every value written reads back (texts the profile
// rules can hold unchanged, colours always); saving what was read back changes no byte. The parsed file's
// own edits give exactly the bytes that parsing the file afresh before every edit gives.
#include "FuzzSupport.h"
#include "card/CardModel.h"
#include "card/CardSettings.h"
#include "card/IniFile.h"
#include "card/SettingsStore.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cstdint>

namespace {
// A text that the write and read rules give back as it is: no blanks at either end, no pair of quotes
// around it, no escape marker in front, nothing GBK cannot hold, at most 127 bytes.
bool roundTrips(const QString &v)
{
    if (v.isEmpty())
        return true;
    if (v != IniFile::trimmed(v) || v.startsWith(QChar(0x1B)) || v.contains(QChar(0xFFFD)))
        return false;
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return false;
    const QByteArray ansi = IniFile::toAnsi(v);
    return ansi.size() <= 127 && IniFile::fromAnsi(ansi) == v;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

constexpr std::array<std::pair<const char *, const char *>, 23> Keys{{
    {"Text", "Title"},  {"BgColor", "Bg"},  {"FColor", "Name"},  {"FColor", "Job"},  {"FColor", "Office"},
    {"FColor", "Add"},  {"FColor", "Post"}, {"FColor", "Fax"},   {"FColor", "Http"}, {"FColor", "Tel"},
    {"FColor", "Mob"},  {"FColor", "Mail"}, {"FColor", "Hline"}, {"Text", "Name"},   {"Text", "Job"},
    {"Text", "Office"}, {"Text", "Add"},    {"Text", "Post"},    {"Text", "Fax"},    {"Text", "Tel"},
    {"Text", "Mob"},    {"Text", "Mail"},   {"Text", "Http"},
}};

// Edits made on one parsed file against the same edits on a file parsed afresh each time.
void checkEditsAgainstFreshParse(const QByteArray &bytes)
{
    IniFile kept(bytes);
    QByteArray previous = bytes;
    for (size_t i = 0; i < Keys.size(); ++i) {
        const QString section = QLatin1String(Keys[i].first);
        const QString key = QLatin1String(Keys[i].second);
        // The values: what the file holds there with a change at its end, so that edits grow, shrink and
        // keep lines; sometimes exactly what it holds.
        QString value = kept.rawValue(section, key).value_or(QString());
        value.replace(u'\r', u' ').replace(u'\n', u' ');
        value = IniFile::trimmedStart(value);
        if (i % 3 == 1)
            value += QString::number(i);
        else if (i % 3 == 2)
            value.chop(1);
        IniFile fresh(previous);
        const bool changedKept = kept.setValue(section, key, value);
        const bool changedFresh = fresh.setValue(section, key, value);
        FUZZ_CHECK(changedKept == changedFresh, section + u'/' + key);
        FUZZ_CHECK(kept.bytes() == fresh.bytes(), section + u'/' + key);
        previous = fresh.bytes();
    }
    const IniFile reparsed(kept.bytes());
    for (const auto &[section, key] : Keys)
        FUZZ_CHECK(kept.rawValue(QLatin1String(section), QLatin1String(key)) ==
                       reparsed.rawValue(QLatin1String(section), QLatin1String(key)),
                   QLatin1String(key));
}

void checkCardsEqual(const CardModel &saved, const CardModel &read)
{
    if (roundTrips(saved.motto()))
        FUZZ_CHECK(read.motto() == saved.motto(), saved.motto());
    for (int i = 0; i < TextElementCount; ++i) {
        const ElementId id = ElementId(i);
        const QString text = saved.textElement(id).text;
        if (roundTrips(text))
            FUZZ_CHECK(read.textElement(id).text == text, text);
        FUZZ_CHECK(read.element(id).color == saved.element(id).color, "a text colour");
    }
    FUZZ_CHECK(read.element(ElementId::Hline).color == saved.element(ElementId::Hline).color,
               "the line colour");
    FUZZ_CHECK(read.pageColor() == saved.pageColor(), "the page colour");
}

bool allRoundTrip(const CardModel &card)
{
    bool all = roundTrips(card.motto());
    for (int i = 0; i < TextElementCount; ++i)
        all = all && roundTrips(card.textElement(ElementId(i)).text);
    return all;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkEditsAgainstFreshParse(bytes);

    const QString dir = Fuzz::scratchFolder();
    const QString path = QDir(dir).filePath(SettingsFileName);
    Fuzz::putFile(path, bytes);
    setSettingsDirectory(dir);

    CardModel card;
    applyCardSettings(card);
    QString reason;
    FUZZ_CHECK(saveCardSettings(card, &reason), reason);
    const QByteArray saved = fileBytes(path);

    CardModel read;
    applyCardSettings(read);
    checkCardsEqual(card, read);

    FUZZ_CHECK(saveCardSettings(read, &reason), reason);
    if (allRoundTrip(card))
        FUZZ_CHECK(fileBytes(path) == saved, "saving what was read back changed the file");
    return 0;
}
