#pragma once
// "Velnor打印校准": after the test sheet has printed, asks for the correction measured on it (offsets
// in millimetres to 0.1, scale in percent from 95 to 105) and keeps it for that printer. In the chrome of
// the other secondary windows; modal; deleted on close.
#include "output/PrintCalibration.h"
#include "widgets/SecondaryWindow.h"

class QDoubleSpinBox;

class CalibrationDialog : public SecondaryWindow {
    Q_OBJECT
public:
    CalibrationDialog(const QString &printer, const Calibration &current, QWidget *parent);

    Calibration value() const;
    // "确定": stores the values; a failed write is said and the dialog stays open.
    void accept();

signals:
    void saved(const Calibration &calibration);

private:
    QString m_printer;
    QDoubleSpinBox *m_offsetX;
    QDoubleSpinBox *m_offsetY;
    QDoubleSpinBox *m_scale;
};
