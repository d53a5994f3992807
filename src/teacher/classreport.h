#pragma once

#include "store/classresults.h"

#include <optional>

class ClassChart;
class QPagedPaintDevice;
class QWidget;

// The class report on paper or in a PDF: a title with the class, the period and the date, the table,
// the class's averages and its chart at a printable size.
namespace ClassReport {

void paint(QPagedPaintDevice& device, const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
           const ClassChart* chart, const ClassResults::Period& period);

// The print dialog's preview, from which the teacher prints.
void preview(QWidget* parent, const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
             const ClassChart* chart, const ClassResults::Period& period);

// A PDF without any printer; false with a Czech reason.
bool savePdf(const QString& path, const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
             const ClassChart* chart, const ClassResults::Period& period, QString* problem);

} // namespace ClassReport
