#include "app/HelpPanel.h"

#include "assets/Assets.h"
#include "card/VbColor.h"
#include "widgets/Look.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <array>

namespace {
struct HelpSectionRow {
    const char *heading;
    const char *paragraph;
};

// Headings are fixed; each paragraph tells what the program really does for that topic.
// clang-format off
constexpr std::array<HelpSectionRow, 9> HelpSections{{
    {"◆快速设置名片的页面：",
     "打开“页面设置”面板，在“页面方向”中选择“横向”或“竖向”，"
     "名片立即按所选方向重新排版；单击“页面纸纹”中的任意一种纸纹，"
     "它便平铺在整张名片上。若想用自己的图片做纸纹，"
     "请单击“自定义>>>>”打开“图片设置”面板并把目标选为“页面”，"
     "然后在文件列表中单击图片文件，或用上、下方向键逐个浏览，每选中一张，"
     "名片上就立刻显示出它铺满页面的效果。"},
    {"◆名片文字信息的快速输入更改：",
     "在名片上双击需要修改的文字，例如名字、职位或电话，"
     "会弹出“Velnor名片文字更改”输入框，"
     "框中已填好这一项现在的文字。输入新的内容后按下“确定”按钮，"
     "名片上的文字即刻更新；如果输入框留空或被取消，"
     "这一项会恢复为您在“定制我的名片”中保存的默认文字。"},
    {"◆名片的排版及文字信息设置：",
     "名片上的每一个元素，无论是文字、标志图片还是直线，"
     "都可以用鼠标按住拖到满意的位置。打开“文字信息编辑”面板，"
     "在“选择需要编辑的对象”中选定一项文字后，就可以修改它的内容、颜色、"
     "字体、字号和式样（普通、粗体、斜体、粗斜体）。"
     "每一处改动都立即显示在名片上，所见即所得。"
     "改错了也不要紧：按Ctrl+Z撤销上一步改动，按Ctrl+Y或Ctrl+Shift+Z重做，"
     "可以一步步退回到最近的100步之前；在名片上单击右键，"
     "菜单中的“撤销”和“重做”后面还写着是哪一步改动。"
     "右键菜单中的“二维码名片…”为名片加上联系人二维码：在打开的窗口中勾选要放进二维码的文字"
     "（姓名、职务、公司、地址含邮编、电话、传真、手机、网址、电子邮件，隐藏或空白的文字不会放进去），"
     "选择vCard 3.0或较短的MeCard格式、模块大小（2、3或4像素）和二维码的颜色"
     "（太浅的颜色手机难以扫描，不能选用），再勾选“在名片上显示”。"
     "窗口中写着二维码的尺寸（毫米）和版本；以后修改名片上的文字，二维码随之更新。"
     "二维码可以像其他元素一样拖动、撤销，保存、打印和导出的名片都能用手机扫描，"
     "扫描后即可把您存入对方手机的通讯录。"},
    {"◆当文字超过页面宽度时（地址）的处理：",
     "地址往往较长，一行排不下时会超出名片的宽度。"
     "在“文字信息编辑”面板中选择“地址”后，"
     "会出现一个专为地址设置的滚动条，拖动它即可设定地址每行的字数，"
     "最多28个字，最少1个字；地址按设定的字数自动换行，"
     "完整地排在名片上。"},
    {"◆更换名片的标志和底图：",
     "打开“图片设置”面板，在“目标”中选择“标志”或“页面”，"
     "再通过磁盘、目录和文件列表找到电脑中的图片（BMP、"
     "JPG或GIF格式），单击文件即可用它替换名片的标志或页面底图。"
     "选“标志”时图片按原大小显示，"
     "选“页面”时图片像纸纹一样铺满整个页面。"},
    {"◆如何使名片底色与标志图底色保持一致：",
     "打开“设置颜色”面板并选择“背景色”，"
     "下方的预览框中会显示名片的标志。用鼠标右键单击标志图的底色部分，"
     "名片的页面就换成这一颜色，与标志浑然一体；按住左键则可以拖动图片，"
     "方便查看标志的各个部分。如果标志是带透明色的GIF图片，"
     "名片的底色会从透明处透出，无需再作调整。"},
    {"◆名片的颜色对象操作：",
     "在“设置颜色”面板中选择“前景色”或“背景色”，"
     "然后在色条上单击一种颜色，就能一步改变名片上全部文字和直线的颜色，"
     "或者整个页面的底色。如果只想改变其中一项文字的颜色，"
     "请在“文字信息编辑”面板中选定这一项后再从色条上取色；"
     "直线的颜色则在“直线设置”面板中单独设定。"},
    {"◆显示/隐藏不需要的名片信息内容对象：",
     "打开“显示/隐藏”面板，去掉某一项前面的勾选，"
     "这一项便从名片上隐藏起来。例如没有网址或手机号码时，"
     "去掉“网址”和“手机”的勾选即可；重新勾选，它们又会显示出来。"
     "最下面的“二维码”一项显示或隐藏名片上的联系人二维码。"
     "隐藏的内容不会出现在保存和打印的名片上。"},
    {"◆管理（打印、删除）所设计的名片文件：",
     "名片的打印和删除都在“浏览我的名片夹”窗口中进行，"
     "窗口会告诉您名片夹里共有几张名片。用鼠标单击或用上、"
     "下方向键选择一张名片，就能看到它的样子，然后单击“删除”将它删除，"
     "或单击“打印…”进入打印设置：选择“仅打印1张”只打印这一张名片，"
     "选择“排满页面打印（A4规格）”则把名片排满一整张A4纸后打印。"
     "保存名片时，名片的设计（文字、字体、位置、颜色和图片）也一起保存在名片夹中，"
     "在浏览窗口中选定这张名片后单击“编辑”，它就回到主窗口中，可以接着修改，"
     "再用同一个名字保存即可替换原来的名片；打开名片这一步也可以撤销。"
     "保存时留有设计文件的名片按打印机的分辨率清晰打印，文字不再模糊；"
     "旧的名片图片仍按原样打印。单击“导出…”可把名片存为PDF文件"
     "（单张名片带2毫米出血和裁切标记，或A4整页带裁切标记，可交给印刷厂）"
     "或300、600 ppi的PNG图片。打印位置或大小有偏差时，单击“打印校准”"
     "打印一张测试页，用直尺量出名片框的偏差，填入水平、垂直偏移（毫米）"
     "和缩放（%），以后每次用这台打印机打印都会自动校正；导出的文件不受校准影响。"
     "没有打印机时，也可以把测试页保存为PDF查看。"},
}};
// clang-format on

// The etched separator under the banner, from x 120 to 3540 at y 1260 (twips).
constexpr int SeparatorLeft = 120;
constexpr int SeparatorRight = 3540;
constexpr int SeparatorTop = 1260;
} // namespace

HelpPanel::HelpPanel(QWidget *parent) : Panel("FrmHelp", QStringLiteral("Velnor操作指南"), parent)
{
    auto *banner = place(new QLabel(this), "ImgLogo", 180, 420, 3390, 720);
    // A missing banner leaves the place empty.
    banner->setPixmap(QPixmap(Assets::HelpBanner));

    m_txtHelp = place(new QPlainTextEdit(this), "TxtHelp", 300, 1440, 3195, 3975);
    m_txtHelp->setReadOnly(true);
    m_txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_txtHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Look::setColor(m_txtHelp, QPalette::Base, Look::Grey);
    Look::setColor(m_txtHelp, QPalette::Text, VbColors::toQColor(VbColors::System(1)));
    // The box keeps paragraphs, not CR LF pairs: a stray CR would show as a glyph of its own.
    m_txtHelp->setPlainText(QString(helpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_txtHelp->moveCursor(QTextCursor::Start);
}

QString HelpPanel::helpText()
{
    QString text;
    for (const HelpSectionRow &s : HelpSections) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        text += QString::fromUtf8(s.heading) + QStringLiteral("\r\n    ") + QString::fromUtf8(s.paragraph) +
                QStringLiteral("\r\n");
    }
    return text;
}

void HelpPanel::paintEvent(QPaintEvent *event)
{
    Panel::paintEvent(event);
    QPainter p(this);
    Look::paintEtchedLine(p, SeparatorLeft, SeparatorTop, SeparatorRight);
}
