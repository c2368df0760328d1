#pragma once
// The card's items and their fixed identities: control name, kind, place in the text panel's
// list, show/hide check box and settings key.
#include "card/VbColor.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// In the card's fixed order. For the ten texts the value is also the text panel's list index.
// clang-format off
enum class ElementId {
    LabName, LabJob, LabOffice, LabAdd, LabPost, LabFax, LabTel, LabMob, LabHttp, LabMail, Hline, PicCardLogo,
    PicQr
};
// clang-format on
// The design's twelve, then the contact QR code (hidden on the default card).
inline constexpr int ElementCount = 13;
inline constexpr int LaidOutCount = 12; // the page layouts place these; the QR code keeps its place
inline constexpr int TextElementCount = 10;

enum class ElementKind { Text, Line, Logo, Qr };

struct ElementRow {
    ElementId id;
    const char *controlName;
    ElementKind kind;
    const char *listEntry;    // text panel list entry (UTF-8), nullptr for the line and the logo
    const char *checkBox;     // show/hide check box
    const char *checkCaption; // its caption (UTF-8)
    const char *settingKey;   // key of its text in [Text] and of its colour in [FColor]; nullptr for the logo
};

// clang-format off
inline constexpr std::array<ElementRow, ElementCount> ElementTable{{
    {ElementId::LabName, "LabName", ElementKind::Text, "名字", "ChkName", "名字", "Name"},
    {ElementId::LabJob, "LabJob", ElementKind::Text, "职位", "ChkJob", "职位", "Job"},
    {ElementId::LabOffice, "LabOffice", ElementKind::Text, "公司", "ChkOffice", "公司", "Office"},
    {ElementId::LabAdd, "LabAdd", ElementKind::Text, "地址", "ChkAdd", "地址", "Add"},
    {ElementId::LabPost, "LabPost", ElementKind::Text, "邮编", "ChkPost", "邮编", "Post"},
    {ElementId::LabFax, "LabFax", ElementKind::Text, "传真", "ChkFax", "传真", "Fax"},
    {ElementId::LabTel, "LabTel", ElementKind::Text, "电话", "ChkTel", "电话", "Tel"},
    {ElementId::LabMob, "LabMob", ElementKind::Text, "手机", "ChkMob", "手机", "Mob"},
    {ElementId::LabHttp, "LabHttp", ElementKind::Text, "网址", "ChkHttp", "网址", "Http"},
    {ElementId::LabMail, "LabMail", ElementKind::Text, "电子信箱", "ChkMail", "电邮", "Mail"},
    {ElementId::Hline, "Hline", ElementKind::Line, nullptr, "ChkLine", "直线", "Hline"},
    {ElementId::PicCardLogo, "PicCardLogo", ElementKind::Logo, nullptr, "ChkLogo", "标志", nullptr},
    {ElementId::PicQr, "PicQr", ElementKind::Qr, nullptr, "ChkQr", "二维码", nullptr},
}};
// clang-format on

inline constexpr const ElementRow &elementInfo(ElementId id)
{
    return ElementTable[size_t(id)];
}
inline constexpr bool isText(ElementId id)
{
    return int(id) < TextElementCount;
}
inline constexpr ElementId textElementAt(int listIndex)
{
    return ElementId(listIndex);
}

// One item on the card; places and sizes in twips relative to the card's top-left corner.
struct CardElement {
    ElementId id = ElementId::LabName;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool visible = true;
    VbColor color = 0; // a text's fore colour, the line's fill colour, the QR code's dark colour
};

// One of the ten text items. The box follows the text (auto-size); the address alone wraps at its width.
struct TextElement : CardElement {
    QString text;
    QString face = QStringLiteral("宋体");
    double sizePt = 9;
    bool bold = false;
    bool italic = false;
    bool alignRight = false;
    bool autoSize = true;
    bool wordWrap = false;

    // Laid-out lines, kept in step with text, font and width so drawing never measures again.
    QStringList lines;
    QVector<double> lineWidthsPx;
    int lineHeightPx = 12;
    int ascentPx = 11;
};
