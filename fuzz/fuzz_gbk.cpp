// The GBK conversion both ways. Bytes: decoding never fails, and what it gives encodes to bytes that
// decode to the same text (a byte that is no character, U+FFFD, comes back as '?'). Text (the input read
// as UTF-16, lone surrogates included): encoding never fails, and encoding is stable (encoding the decoded
// result gives the same bytes again).
#include "FuzzSupport.h"
#include "card/IniFile.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QString decoded = IniFile::fromAnsi(bytes);
    FUZZ_CHECK(decoded.size() <= bytes.size(), "decoding gave more characters than bytes");
    QString expected = decoded;
    expected.replace(QChar(0xFFFD), QLatin1Char('?'));
    const QByteArray encoded = IniFile::toAnsi(decoded);
    FUZZ_CHECK(IniFile::fromAnsi(encoded) == expected, "GBK text does not survive encoding");

    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, (size / 2) * 2);
    const QByteArray once = IniFile::toAnsi(text);
    FUZZ_CHECK(once.size() <= 2 * text.size() + 1, "encoding grew more than two bytes a character");
    FUZZ_CHECK(IniFile::toAnsi(IniFile::fromAnsi(once)) == once, "encoding is not stable");
    return 0;
}
