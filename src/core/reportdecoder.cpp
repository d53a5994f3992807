#include "core/reportdecoder.h"

#include "core/cipherkey.h"
#include "core/cp1250.h"
#include "core/report.h"

namespace ReportDecoder {

namespace {

Result refused(const QString& reason)
{
    Result r;
    r.error = reason;
    return r;
}

} // namespace

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

Result decodeBlock(const QString& block)
{
    QByteArray groups;
    qsizetype i = 0;
    const qsizetype n = block.size();
    int groupNumber = 0;
    while (i < n) {
        if (block.at(i).isSpace()) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && !block.at(end).isSpace())
            ++end;
        const QString group = block.mid(i, end - i);
        ++groupNumber;
        const int high = group.size() == 2 ? hexValue(group.at(0)) : -1;
        const int low = group.size() == 2 ? hexValue(group.at(1)) : -1;
        if (high < 0 || low < 0) {
            // Shown escaped and cut short: the group may hold anything, terminal controls too.
            const QString shown = printableText(group.left(12)) + (group.size() > 12 ? QStringLiteral("…") : QString());
            return refused(QStringLiteral("Skupina č. %1 („%2“) není dvojice šestnáctkových číslic; blok je "
                                          "poškozený nebo to není blok s výsledky.")
                               .arg(groupNumber)
                               .arg(shown));
        }
        groups += char(high * 16 + low);
        i = end;
    }

    if (groups.isEmpty())
        return refused(QStringLiteral("Blok je prázdný."));
    if (quint8(groups.at(0)) != CipherKey::marker)
        return refused(QStringLiteral("Blok nezačíná značkou 4b; není to blok s výsledky z Kvizmatu."));
    if (groups.size() < 2)
        return refused(QStringLiteral("Blok končí hned za značkou; chybí v něm sůl i zpráva."));

    const quint8 salt = quint8(groups.at(1));
    QByteArray codes;
    codes.reserve(groups.size() - 2);
    for (qsizetype k = 2; k < groups.size(); ++k)
        codes += char(quint8(groups.at(k)) ^ CipherKey::bytes[std::size_t((k - 2) % 32)] ^ salt);

    const QString text = Cp1250::decode(codes);
    if (!text.startsWith(QStringLiteral("Student: ")))
        return refused(QStringLiteral("Po dekódování blok nezačíná řádkem „Student: “; blok je poškozený, "
                                      "neúplný nebo nepochází z tohoto programu."));
    if (!text.endsWith(QStringLiteral("\r\n")))
        return refused(QStringLiteral("Blok je neúplný: zpráva nekončí koncem řádku (chybí konec bloku?)."));

    const ReportReading reading = readReport(text);
    if (!reading.ok)
        return refused(reading.problem);

    Result r;
    r.ok = true;
    r.text = text;
    r.report = reading.report;
    r.salt = salt;
    r.payload = groups.mid(1);
    return r;
}

bool ReportEnd::add(quint8 group)
{
    if (hopeless)
        return false;
    const qsizetype k = groups++;
    if (k == 0) {
        hopeless = group != CipherKey::marker;
        return false;
    }
    if (k == 1) {
        salt = group;
        return false;
    }
    const char code = char(group ^ CipherKey::bytes[std::size_t((k - 2) % 32)] ^ salt);
    codes += code;
    // A report is a few hundred characters; the name and the class are short.
    hopeless = codes.size() > 4096;
    if (code != '\n' || !codes.endsWith("\r\n"))
        return false;
    ++lines;
    // Six lines without a finished example, ten with; anything longer is no report.
    hopeless = lines >= 10;
    return (lines == 6 || lines == 10) && readReport(Cp1250::decode(codes)).ok;
}

} // namespace ReportDecoder
