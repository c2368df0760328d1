#pragma once
// What the card's contact QR code says: which of the card's texts go into it, in which format, and the
// text itself. Pure functions of the card's texts, so the code can follow every edit.
//
// A card text usually carries its caption ("电话：0571-88867701"); the caption, a few Chinese characters
// before a colon, is not part of the number, so it is left out. A hidden or empty text is left out.
#include "card/CardElement.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <array>

enum class ContactFormat { VCard, MeCard };

namespace ContactCode {
// The choices of the QR code window, in its order; the address carries the post code with it.
enum Field { Name, Job, Office, Address, Tel, Fax, Mobile, Http, Mail };
inline constexpr int FieldCount = 9;
inline constexpr unsigned bit(Field f)
{
    return 1u << unsigned(f);
}
inline constexpr unsigned AllFields = (1u << FieldCount) - 1;
inline constexpr unsigned DefaultFields = bit(Name) | bit(Office) | bit(Mobile) | bit(Mail) | bit(Http);

struct FieldRow {
    Field field;
    ElementId element;
    const char *caption; // UTF-8, the window's check box
    const char *checkBox;
};
// clang-format off
inline constexpr std::array<FieldRow, FieldCount> FieldTable{{
    {Name,    ElementId::LabName,   "姓名",     "ChkQrName"},
    {Job,     ElementId::LabJob,    "职务",     "ChkQrJob"},
    {Office,  ElementId::LabOffice, "公司",     "ChkQrOffice"},
    {Address, ElementId::LabAdd,    "地址",     "ChkQrAdd"},
    {Tel,     ElementId::LabTel,    "电话",     "ChkQrTel"},
    {Fax,     ElementId::LabFax,    "传真",     "ChkQrFax"},
    {Mobile,  ElementId::LabMob,    "手机",     "ChkQrMob"},
    {Http,    ElementId::LabHttp,   "网址",     "ChkQrHttp"},
    {Mail,    ElementId::LabMail,   "电子邮件", "ChkQrMail"},
}};
// clang-format on

// The values that go into the code; an empty one is left out.
struct Contact {
    QString name, job, office, address, post, tel, fax, mobile, http, mail;
};

// The text without its caption: "电话：0571" and "电话: 0571" give "0571"; "http://x" stays.
QString withoutCaption(const QString &text);
// The chosen, visible texts of the card (the post code goes with the address), captions left out.
Contact fromTexts(const std::array<TextElement, TextElementCount> &texts, unsigned fields);

// vCard 3.0, lines ended by CR LF; "\\", ";" and "," escaped, the address's line breaks written "\n" so
// that the whole address is one street field.
QString vCard(const Contact &c);
// The shorter MeCard ("MECARD:N:…;;"); "\\", ";", ",", ":" escaped, line breaks become spaces. It has no
// field for a job title (it goes into NOTE) nor for a fax number (left out).
QString meCard(const Contact &c);
QByteArray text(const Contact &c, ContactFormat format); // UTF-8

// The WCAG contrast ratio of two colours (1 to 21). A dark colour below MinContrast against white is
// refused: phones cannot scan it reliably.
double contrastRatio(const QColor &a, const QColor &b);
inline constexpr double MinContrast = 3.0;
} // namespace ContactCode

// The code's choices, kept with the card (and its undo steps and design file).
struct QrOptions {
    unsigned fields = ContactCode::DefaultFields;
    ContactFormat format = ContactFormat::VCard;
    int modulePx = 2; // 2, 3 or 4 pixels per module in the 96 ppi picture
    bool operator==(const QrOptions &o) const
    {
        return fields == o.fields && format == o.format && modulePx == o.modulePx;
    }
    bool operator!=(const QrOptions &o) const { return !(*this == o); }
};
inline constexpr int MinQrModulePx = 2;
inline constexpr int MaxQrModulePx = 4;
