#include "output/SavePanel.h"

#include "card/CardDesign.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "output/CardFile.h"
#include "widgets/Dialogs.h"
#include "widgets/Look.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString SaveTitle = QStringLiteral("Velnor保存提示：");

// One of the `LabSaveName` pair, told apart by its index as in a control array.
QLabel *makeLabel(const QString &text, int index, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setProperty("index", index);
    return l;
}

QString nameProblemText(CardFile::NameProblem problem)
{
    switch (problem) {
    case CardFile::NameProblem::Separator:
        return Dialogs::lines(QStringLiteral("名片文件名中不能含有“/”或“\\”。"),
                              QStringLiteral("请换一个文件名后再保存……"));
    case CardFile::NameProblem::Nul:
        return Dialogs::lines(QStringLiteral("名片文件名中含有无效的字符。"),
                              QStringLiteral("请换一个文件名后再保存……"));
    case CardFile::NameProblem::TooLong:
        return Dialogs::lines(QStringLiteral("名片文件名太长了。"),
                              QStringLiteral("请换一个短一些的文件名后再保存……"));
    case CardFile::NameProblem::None:
        break;
    }
    return QString();
}
} // namespace

SavePanel::SavePanel(CardModel *card, QWidget *parent)
    : Panel("FrmSave", QStringLiteral("保存名片"), parent), m_card(card)
{
    QLabel *caption = makeLabel(QStringLiteral("保存的名片文件名为："), 0, this);
    place(caption, "LabSaveName", 405, 630, 0, 0)->adjustSize();
    m_name = place(new QLineEdit(this), "TextSaveName", 405, 945, 1785, 270);
    QLabel *extension = makeLabel(QStringLiteral(".bmp"), 1, this);
    place(extension, "LabSaveName", 2280, 990, 0, 0)->adjustSize();
    m_save = place(Look::pushButton(QStringLiteral("保存"), this), "ComSave", 405, 1500, 1005, 330);
    m_cancel = place(Look::pushButton(QStringLiteral("取消"), this), "ComSaveCancle", 1680, 1500, 1005, 330);

    // Enter in the name box saves as "保存" does.
    const auto saveAndClose = [this] {
        if (save())
            emit closeRequested();
    };
    connect(m_save, &QPushButton::clicked, this, saveAndClose);
    connect(m_name, &QLineEdit::returnPressed, this, saveAndClose);
    connect(m_cancel, &QPushButton::clicked, this, &SavePanel::closeRequested);
}

void SavePanel::openedByMenu()
{
    m_name->setFocus();
    m_name->setText(QStringLiteral("名片1"));
    m_name->setSelection(0, 4);
}

bool SavePanel::save()
{
    const QString name = m_name->text();
    if (const CardFile::NameProblem problem = CardFile::checkName(name);
        problem != CardFile::NameProblem::None) {
        Dialogs::message(this, nameProblemText(problem), SaveTitle);
        return false;
    }
    // Drawn, not copied from the screen: the file equals the canvas whatever covers it or however the
    // screen is scaled.
    const QImage picture = renderCard(*m_card);

    const QString folder = CardFile::cardFolder();
    if (!QDir().mkpath(folder)) {
        Dialogs::message(this,
                         Dialogs::lines(QStringLiteral("无法建立名片夹，名片图稿未能保存："),
                                        QDir::toNativeSeparators(folder)),
                         SaveTitle);
        return false;
    }
    // The design goes beside the picture, so the card can be opened and edited again.
    const QString reason = CardDesign::writeWithPicture(CardFile::cardPath(name), picture, *m_card);
    if (!reason.isEmpty()) {
        Dialogs::message(this,
                         Dialogs::lines(QStringLiteral("名片图稿未能保存，原有的名片文件没有改变。"),
                                        QStringLiteral("原因：") + reason),
                         SaveTitle);
        return false;
    }
    Dialogs::message(this,
                     Dialogs::lines(QStringLiteral("名片图稿已保存在您的名片夹中了!"),
                                    QStringLiteral("在“浏览”选项中进行查看名片或打印名片……")),
                     SaveTitle);
    return true;
}
