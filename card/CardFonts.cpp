#include "card/CardFonts.h"

#include "card/Twips.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextLayout>
#include <cmath>

namespace CardFonts {
namespace {
const QStringList SongNames = {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("新宋体"),
                               QStringLiteral("NSimSun")};
const QStringList SongFaces = {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")};

bool isSong(const QString &face)
{
    return SongNames.contains(face, Qt::CaseInsensitive) || face.startsWith(QLatin1String("AR PL UMing"));
}

bool smoothed(const QString &face, int px)
{
    return !(isSong(face) && px <= BitmapStrikeMaxPx);
}

QStringList paragraphs(const QString &text)
{
    // CR LF, a lone LF or a lone CR each start a new line.
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    return text.split(breaks);
}
} // namespace

void install()
{
    // A face without a bold style (UMing) is made bold by thickening its strokes, which Qt stops doing at
    // 64 px and more: 48 to 60 pt bold would look regular. The variable lifts that limit.
    if (!qEnvironmentVariableIsSet("QT_NO_SYNTHESIZED_BOLD_LIMIT"))
        qputenv("QT_NO_SYNTHESIZED_BOLD_LIMIT", "1");
    for (const QString &name : SongNames)
        QFont::insertSubstitutions(name, SongFaces);
}

QFont fontFor(const QString &face, double sizePt, bool bold, bool italic)
{
    QFont f(face);
    const int px = std::max(1, Twips::pointsToPx(sizePt));
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    f.setKerning(false);
    // UMing's embedded bitmaps (11..16 px) are used only without antialiasing: the small Song text is
    // crisp, as SimSun on Windows. Everything else is smoothed, and says so explicitly: a font that left
    // the choice open would inherit the unsmoothed strategy of the application's 9 pt Song font.
    // Grey smoothing, never the screen's colour fringes, so the saved card equals the one on screen.
    f.setStyleStrategy(smoothed(face, px)
                           ? QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias)
                           : QFont::NoAntialias);
    return f;
}

QFont fontFor(const TextElement &e)
{
    return fontFor(e.face, e.sizePt, e.bold, e.italic);
}

void layout(TextElement &e)
{
    const QFont font = fontFor(e);
    const QFontMetricsF fm(font);
    e.lineHeightPx = int(std::ceil(fm.height()));
    e.ascentPx = int(std::ceil(fm.ascent()));
    e.lines.clear();
    e.lineWidthsPx.clear();

    const double wrapWidthPx = e.width / Twips::PerPixel;
    for (const QString &para : paragraphs(e.text)) {
        if (!e.wordWrap || para.isEmpty()) {
            e.lines << para;
            e.lineWidthsPx << fm.horizontalAdvance(para);
            continue;
        }
        QTextLayout tl(para, font);
        QTextOption opt;
        opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        tl.setTextOption(opt);
        tl.beginLayout();
        for (QTextLine line = tl.createLine(); line.isValid(); line = tl.createLine()) {
            line.setLineWidth(std::max(1.0, wrapWidthPx));
            QString piece = para.mid(line.textStart(), line.textLength());
            // Spaces at a wrap point hang in the margin instead of starting the next line.
            while (piece.endsWith(QLatin1Char(' ')) && line.textStart() + line.textLength() < para.size())
                piece.chop(1);
            e.lines << piece;
            e.lineWidthsPx << line.naturalTextWidth();
        }
        tl.endLayout();
    }

    if (!e.autoSize)
        return;
    double widest = 0;
    for (double w : e.lineWidthsPx)
        widest = std::max(widest, w);
    if (!e.wordWrap)
        e.width = std::ceil(widest) * Twips::PerPixel;
    e.height = double(e.lines.size()) * e.lineHeightPx * Twips::PerPixel;
}
} // namespace CardFonts
