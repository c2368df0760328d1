#include "card/ContactCode.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace ContactCode {
namespace {
QString normalizedBreaks(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString vEscape(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (QChar ch : normalizedBreaks(value)) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char(';') || ch == QLatin1Char(','))
            out += QLatin1Char('\\');
        if (ch == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
            continue;
        }
        out += ch;
    }
    return out;
}

QString meEscape(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (QChar ch : normalizedBreaks(value)) {
        if (ch == QLatin1Char('\n')) {
            out += QLatin1Char(' ');
            continue;
        }
        if (ch == QLatin1Char('\\') || ch == QLatin1Char(';') || ch == QLatin1Char(',') ||
            ch == QLatin1Char(':'))
            out += QLatin1Char('\\');
        out += ch;
    }
    return out;
}

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}
} // namespace

QString withoutCaption(const QString &text)
{
    // A caption is one to eight characters that are neither Latin nor digits, then a colon (either width).
    static const QRegularExpression caption(QStringLiteral("^\\s*[^\\x00-\\x7F：]{1,8}\\s*[：:]\\s*"));
    QString s = text;
    s.remove(caption);
    return s.trimmed();
}

Contact fromTexts(const std::array<TextElement, TextElementCount> &texts, unsigned fields)
{
    auto take = [&](Field f, ElementId id) {
        const TextElement &e = texts[size_t(id)];
        return (fields & bit(f)) && e.visible ? withoutCaption(e.text) : QString();
    };
    Contact c;
    c.name = take(Name, ElementId::LabName);
    c.job = take(Job, ElementId::LabJob);
    c.office = take(Office, ElementId::LabOffice);
    c.address = take(Address, ElementId::LabAdd);
    c.post = take(Address, ElementId::LabPost);
    c.tel = take(Tel, ElementId::LabTel);
    c.fax = take(Fax, ElementId::LabFax);
    c.mobile = take(Mobile, ElementId::LabMob);
    c.http = take(Http, ElementId::LabHttp);
    c.mail = take(Mail, ElementId::LabMail);
    return c;
}

QString vCard(const Contact &c)
{
    QStringList lines{QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:3.0")};
    auto add = [&lines](const char *property, const QString &value) {
        if (!value.isEmpty())
            lines << QLatin1String(property) + QLatin1Char(':') + vEscape(value);
    };
    // N and FN are required; without a name the company names the contact, as phones do.
    lines << QStringLiteral("N:") + vEscape(c.name) + QStringLiteral(";;;;");
    lines << QStringLiteral("FN:") + vEscape(c.name.isEmpty() ? c.office : c.name);
    add("ORG", c.office);
    add("TITLE", c.job);
    if (!c.address.isEmpty() || !c.post.isEmpty())
        lines << QStringLiteral("ADR;TYPE=WORK:;;") + vEscape(c.address) + QStringLiteral(";;;") +
                     vEscape(c.post) + QLatin1Char(';');
    add("TEL;TYPE=WORK,VOICE", c.tel);
    add("TEL;TYPE=CELL", c.mobile);
    add("TEL;TYPE=WORK,FAX", c.fax);
    add("EMAIL;TYPE=INTERNET", c.mail);
    add("URL", c.http);
    lines << QStringLiteral("END:VCARD");
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

QString meCard(const Contact &c)
{
    QString out = QStringLiteral("MECARD:");
    auto add = [&out](const char *field, const QString &value) {
        if (!value.isEmpty())
            out += QLatin1String(field) + QLatin1Char(':') + meEscape(value) + QLatin1Char(';');
    };
    add("N", c.name);
    add("ORG", c.office);
    add("NOTE", c.job);
    QString address = c.address;
    if (!c.post.isEmpty())
        address += (address.isEmpty() ? QString() : QStringLiteral(" ")) + c.post;
    add("ADR", address);
    add("TEL", c.tel);
    add("TEL", c.mobile);
    add("EMAIL", c.mail);
    add("URL", c.http);
    return out + QLatin1Char(';');
}

QByteArray text(const Contact &c, ContactFormat format)
{
    return (format == ContactFormat::VCard ? vCard(c) : meCard(c)).toUtf8();
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace ContactCode
