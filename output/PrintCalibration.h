#pragma once
// How far a printer shifts and stretches what it prints, and the correction applied to every print to
// it: an offset in millimetres (to 0.1) and a scale in percent (95 to 105), kept per printer name in
// printcal.json in the program directory, apart from myset.ini. Export never uses it.
#include <QString>

struct Calibration {
    double offsetXMm = 0;      // positive moves the print to the right
    double offsetYMm = 0;      // positive moves the print down
    double scalePercent = 100; // about the printable area's corner

    bool operator==(const Calibration &o) const
    {
        return offsetXMm == o.offsetXMm && offsetYMm == o.offsetYMm && scalePercent == o.scalePercent;
    }
};

namespace PrintCalibration {
inline constexpr double MaxOffsetMm = 20;
inline constexpr double MinScalePercent = 95;
inline constexpr double MaxScalePercent = 105;

QString storePath(); // program directory + "/printcal.json"
// The printer's calibration, the defaults when it has none. A store that cannot be read or holds
// values out of range gives the defaults and the reason (in Chinese) in problem.
Calibration forPrinter(const QString &printer, QString *problem);
// Keeps the printer's calibration beside the others (a damaged store is replaced). Empty on success,
// otherwise the reason, and the store is as it was.
QString save(const QString &printer, const Calibration &calibration);
} // namespace PrintCalibration
