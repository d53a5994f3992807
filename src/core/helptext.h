#pragma once

#include <QString>
#include <QStringList>

// The text of the help form: lines of at most 44 characters ended by CR LF, paragraphs starting
// with a tab, two empty lines between sections.
namespace HelpText {

inline constexpr int lineWidth = 44;
// Columns a paragraph's leading tab takes on the help form (its tab stops are set to match).
inline constexpr int tabColumns = 4;

QString text();

// Breaks a paragraph at blanks into lines of at most `lineWidth` columns, the first starting with a
// tab. A word longer than a line stands alone on its line.
QStringList wrapParagraph(const QString& paragraph);

} // namespace HelpText
