#include "output/CalibrationDialog.h"

#include "widgets/Dialogs.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr SecondaryWindowLayout CalibrationLayout{"FrmCalibrate", "Velnor打印校准", 5400, 3135, 300, 5160};

struct FieldRow {
    const char *name;
    const char *caption;
    int top;
    double minimum, maximum;
};
// clang-format off
constexpr FieldRow Fields[3] = {
    {"TxtOffsetX", "水平偏移（毫米，向右为正）：", 1200, -PrintCalibration::MaxOffsetMm, PrintCalibration::MaxOffsetMm},
    {"TxtOffsetY", "垂直偏移（毫米，向下为正）：", 1620, -PrintCalibration::MaxOffsetMm, PrintCalibration::MaxOffsetMm},
    {"TxtScale",   "缩放（%，95～105）：",         2040, PrintCalibration::MinScalePercent, PrintCalibration::MaxScalePercent},
};
// clang-format on
} // namespace

CalibrationDialog::CalibrationDialog(const QString &printer, const Calibration &current, QWidget *parent)
    : SecondaryWindow(CalibrationLayout, parent), m_printer(printer)
{
    setWindowModality(Qt::ApplicationModal);
    QWidget *c = client();
    auto *who =
        Panel::place(new QLabel(QStringLiteral("打印机：") + printer, c), "LabPrinter", 180, 420, 5040, 240);
    who->setTextFormat(Qt::PlainText);
    Panel::place(new QLabel(QStringLiteral("请按测试页上量得的结果填写："), c), "LabCalInfo", 180, 720, 5040,
                 240);
    QDoubleSpinBox *boxes[3];
    const double values[3] = {current.offsetXMm, current.offsetYMm, current.scalePercent};
    for (int i = 0; i < 3; ++i) {
        const FieldRow &f = Fields[i];
        Panel::place(new QLabel(QString::fromUtf8(f.caption), c), "LabCalField", 180, f.top + 30, 3300, 240);
        auto *box = Panel::place(new QDoubleSpinBox(c), f.name, 3600, f.top, 1500, 300);
        box->setLocale(QLocale::c());
        box->setDecimals(1);
        box->setSingleStep(0.1);
        box->setRange(f.minimum, f.maximum);
        box->setValue(values[i]);
        box->setKeyboardTracking(false);
        boxes[i] = box;
    }
    m_offsetX = boxes[0];
    m_offsetY = boxes[1];
    m_scale = boxes[2];
    m_offsetX->setFocus();

    auto *ok = Panel::place(Look::pushButton(QStringLiteral("确定"), c), "CmdCalOk", 3000, 2610, 900, 330);
    auto *cancel =
        Panel::place(Look::pushButton(QStringLiteral("取消"), c), "CmdCalCancel", 4050, 2610, 900, 330);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CalibrationDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    centreOnScreen(parent);
}

Calibration CalibrationDialog::value() const
{
    return {m_offsetX->value(), m_offsetY->value(), m_scale->value()};
}

void CalibrationDialog::accept()
{
    const Calibration c = value();
    const QString reason = PrintCalibration::save(m_printer, c);
    if (!reason.isEmpty()) {
        Dialogs::message(this,
                         Dialogs::lines(QStringLiteral("无法保存打印校准，打印仍按原来的校准进行。"),
                                        QStringLiteral("原因：") + reason),
                         QStringLiteral("Velnor名片打印提示："));
        return;
    }
    emit saved(c);
    close();
}
