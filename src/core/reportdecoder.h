#pragma once

#include "core/report.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Reading an e-mailed report block back: the teacher's side of the report encoding.
namespace ReportDecoder {

struct Result {
    bool ok = false;
    // The report text (CR LF line ends as it was encoded) when ok.
    QString text;
    // What the report says, checked against its own structure and counts, when ok.
    ReportContents report;
    // A Czech reason when the block is refused.
    QString error;
    quint8 salt = 0;
    // The salt and the encoded bytes as read, whatever the line breaks: what makes one block unique.
    QByteArray payload;
};

// The value of one hexadecimal digit (either case), or -1.
int hexValue(QChar c);

// Accepts the groups with any blanks and line breaks between them (mail programs re-wrap lines),
// upper- or lower-case digits. Refuses anything that is not a complete, self-consistent report
// block (see readReport).
Result decodeBlock(const QString& block);

// Follows the groups of a block one by one and tells when they hold a whole report: a complete
// report ends its block, also when the next block follows on the same line.
class ReportEnd {
public:
    // The next group's value; true when the groups so far make a whole, self-consistent report.
    bool add(quint8 group);

private:
    qsizetype groups = 0;
    quint8 salt = 0;
    int lines = 0;
    bool hopeless = false;
    QByteArray codes;
};

} // namespace ReportDecoder
