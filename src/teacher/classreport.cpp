#include "teacher/classreport.h"

#include "teacher/classchart.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace ClassReport {

namespace {

QString title(const std::optional<QString>& className)
{
    return className ? QStringLiteral("Přehled třídy %1").arg(ClassResults::shownClass(*className))
                     : QStringLiteral("Přehled všech tříd");
}

} // namespace

void paint(QPagedPaintDevice& device, const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
           const ClassChart* chart, const ClassResults::Period& period)
{
    QPainter painter(&device);
    const QRect page = painter.viewport();
    const QLocale czech(QLocale::Czech);
    const int dpi = device.logicalDpiY();
    auto points = [dpi](double pt) { return int(pt * dpi / 72.0); };

    QFont titleFont(QStringLiteral("Liberation Sans"), 16, QFont::Bold);
    QFont textFont(QStringLiteral("Liberation Sans"), 10);
    QFont boldFont = textFont;
    boldFont.setBold(true);
    int y = 0;
    auto line = [&](const QString& text, const QFont& font) {
        painter.setFont(font);
        const int h = painter.fontMetrics().height();
        painter.drawText(QRect(0, y, page.width(), h), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += h + points(2);
    };
    line(title(className), titleFont);
    line(QStringLiteral("Období: %1").arg(period.name()), textFont);
    line(QStringLiteral("Datum sestavy: %1").arg(QDate::currentDate().toString(QStringLiteral("d. M. yyyy"))),
         textFont);

    qint64 runs = 0, right = 0, wrong = 0;
    double sumOfSuccess = 0;
    int withSuccess = 0;
    for (const ClassResults::Pupil& p : pupils) {
        runs += p.runs;
        right += p.right;
        wrong += p.wrong;
        if (p.hasSuccess()) {
            sumOfSuccess += p.success();
            ++withSuccess;
        }
    }
    line(QStringLiteral("Průměr: žáků %1, běhů %2, příkladů dobře %3, špatně %4, úspěšnost všech příkladů %5, "
                        "průměrná úspěšnost žáka %6")
             .arg(czech.toString(pupils.size()), czech.toString(runs), czech.toString(right), czech.toString(wrong),
                  right + wrong > 0
                      ? czech.toString(double(right) / double(right + wrong) * 100.0, 'f', 2) + QStringLiteral(" %")
                      : QStringLiteral("–"),
                  withSuccess > 0 ? czech.toString(sumOfSuccess / withSuccess, 'f', 2) + QStringLiteral(" %")
                                  : QStringLiteral("–")),
         textFont);
    y += points(6);

    const QStringList headers = {QStringLiteral("Třída"),        QStringLiteral("Příjmení"),
                                 QStringLiteral("Běhů"),         QStringLiteral("Dobře"),
                                 QStringLiteral("Špatně"),       QStringLiteral("Úspěšnost"),
                                 QStringLiteral("Poslední běh"), QStringLiteral("Poznámka")};
    const QList<double> widths = {0.08, 0.26, 0.08, 0.08, 0.08, 0.11, 0.13, 0.18};
    auto row = [&](const QStringList& cells, const QFont& font) {
        painter.setFont(font);
        const int h = painter.fontMetrics().height() + points(3);
        if (y + h > page.height()) {
            device.newPage();
            y = 0;
        }
        int x = 0;
        for (int c = 0; c < cells.size(); ++c) {
            const int w = int(widths.at(c) * page.width());
            const Qt::Alignment align = c >= 2 && c <= 5 ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(QRect(x + points(2), y, w - points(4), h), align | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(cells.at(c), Qt::ElideRight, w - points(4)));
            x += w;
        }
        y += h;
        painter.drawLine(0, y, page.width(), y);
    };
    row(headers, boldFont);
    for (const ClassResults::Pupil& p : pupils)
        row({p.className, p.surname, czech.toString(p.runs), czech.toString(p.right), czech.toString(p.wrong),
             p.hasSuccess() ? czech.toString(p.success(), 'f', 2) + QStringLiteral(" %") : QStringLiteral("–"),
             p.lastRun.isValid() ? p.lastRun.toString(QStringLiteral("d. M. yyyy")) : QStringLiteral("–"),
             p.listed ? QString() : ClassResults::notListedText()},
            textFont);

    if (chart && className && chart->className() == className) {
        const QImage picture = chart->picture(1600);
        QSize size = picture.size().scaled(page.width(), page.height(), Qt::KeepAspectRatio);
        if (y + points(12) + size.height() > page.height()) {
            device.newPage();
            y = 0;
        } else {
            y += points(12);
        }
        painter.drawImage(QRect(QPoint(0, y), size), picture);
    }
}

void preview(QWidget* parent, const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
             const ClassChart* chart, const ClassResults::Period& period)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title(className));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("nahledTisku"));
    dialog.setWindowTitle(QStringLiteral("Náhled tisku – %1").arg(title(className)));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* device) { paint(*device, className, pupils, chart, period); });
    dialog.exec();
}

bool savePdf(const QString& path, const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
             const ClassChart* chart, const ClassResults::Period& period, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (problem)
            *problem = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(title(className));
        writer.setCreator(QStringLiteral("Kvizmat"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(150);
        paint(writer, className, pupils, chart, period);
    }
    if (file.error() != QFileDevice::NoError) {
        if (problem)
            *problem = file.errorString();
        return false;
    }
    return true;
}

} // namespace ClassReport
