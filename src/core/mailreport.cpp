#include "core/mailreport.h"

#include "core/report.h"
#include "core/reportdecoder.h"
#include "core/textinput.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <optional>

namespace MailReport {

namespace {

// Forwarded mails nest a few levels deep; beyond this a part is reported as not looked at.
constexpr int maxPartDepth = 16;
// Of what was not looked at, this many places are named one by one.
constexpr int namedOmissions = 20;

bool isHexPair(QStringView token)
{
    auto hex = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    };
    return token.size() == 2 && hex(token[0]) && hex(token[1]);
}

// Words of a text, line by line; a blank line and the quote marks of a reply ("> ") are noticed.
class Words {
public:
    Words(const QString& text, bool blankLineBreaks) : text(text), blankBreaks(blankLineBreaks) { advance(); }

    bool atEnd() const { return current.isNull() && !currentIsBreak; }
    bool isBreak() const { return currentIsBreak; }
    QStringView word() const { return current; }
    QStringView peek() const { return upcoming; }
    void next()
    {
        current = upcoming;
        currentIsBreak = upcomingIsBreak;
        read(upcoming, upcomingIsBreak);
    }

private:
    void advance()
    {
        read(current, currentIsBreak);
        read(upcoming, upcomingIsBreak);
    }

    // The next word, or a break for a blank line; a null view at the end.
    void read(QStringView& out, bool& isBreakOut)
    {
        isBreakOut = false;
        const qsizetype n = text.size();
        while (pos < n) {
            const QChar c = text.at(pos);
            if (c == u'\n') {
                ++pos;
                const bool blank = !lineHadWords;
                lineHadWords = false;
                lineStart = true;
                if (blank && blankBreaks && !justBroke) {
                    justBroke = true;
                    out = QStringView(u"\n");
                    isBreakOut = true;
                    return;
                }
                continue;
            }
            if (c.isSpace() || (lineStart && c == u'>')) {
                ++pos;
                continue;
            }
            lineStart = false;
            const qsizetype start = pos;
            while (pos < n && !text.at(pos).isSpace())
                ++pos;
            lineHadWords = true;
            justBroke = false;
            out = QStringView(text).mid(start, pos - start);
            return;
        }
        out = QStringView();
    }

    const QString& text;
    bool blankBreaks;
    qsizetype pos = 0;
    bool lineStart = true;
    bool lineHadWords = false;
    bool justBroke = true;
    QStringView current;
    bool currentIsBreak = false;
    QStringView upcoming;
    bool upcomingIsBreak = false;
};

// Runs of two-digit groups that begin with the marker 4b. A run ends at a blank line (mail
// programs re-wrap lines but do not add empty ones), where its groups make a whole report (the
// next block may follow at once, even on the same line), or at a word that is not a group, unless
// a group follows it: such a word is a group damaged in transit and stays in the block, so that
// the decoder names it.
QStringList findBlocks(const QString& text, bool blankLineBreaks)
{
    QStringList blocks;
    QStringList run;
    ReportDecoder::ReportEnd end;
    bool damaged = false;
    auto close = [&] {
        if (run.size() >= 2)
            blocks << run.join(QLatin1Char(' '));
        run.clear();
        end = {};
        damaged = false;
    };
    auto start = [&](QStringView word) {
        if (word.compare(u"4b", Qt::CaseInsensitive) == 0) {
            run << word.toString();
            end.add(0x4b);
        }
    };
    for (Words w(text, blankLineBreaks); !w.atEnd(); w.next()) {
        if (w.isBreak()) {
            close();
            continue;
        }
        const QStringView word = w.word();
        if (run.isEmpty()) {
            start(word);
        } else if (isHexPair(word)) {
            run << word.toString();
            if (!damaged && end.add(quint8(ReportDecoder::hexValue(word[0]) * 16 + ReportDecoder::hexValue(word[1]))))
                close();
        } else if (run.size() >= 2 && word.size() <= 8 && isHexPair(w.peek())) {
            run << word.toString();
            damaged = true;
        } else {
            close();
            start(word);
        }
    }
    close();
    return blocks;
}

// Text in a mail's charset. UTF-16 and UTF-32 group their bytes: damage there (a half of a
// character) could stand for other letters, so such a part is not read at all (false).
bool decodeCharset(QByteArrayView bytes, const QByteArray& charset, QString& text)
{
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid()) {
            text = decoder.decode(bytes);
            if (!charset.toLower().startsWith("utf-16") && !charset.toLower().startsWith("utf-32"))
                return true;
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                    ++i;
                else if (text.at(i).isSurrogate())
                    return false;
            }
            return !decoder.hasError();
        }
    }
    text = QString::fromUtf8(bytes);
    return true;
}

// Header text as mail programs send it outside encoded words: UTF-8 today, Windows-1250 from
// older Czech programs.
QString decodeRawHeader(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250");
    return cp1250.isValid() ? cp1250.decode(bytes) : QString::fromLatin1(bytes);
}

QByteArray decodeQuotedPrintable(QByteArrayView in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in.at(i);
        if (c != '=') {
            out += c;
            continue;
        }
        // A soft line break (with blanks a mail program may leave before the line end).
        qsizetype j = i + 1;
        while (j < in.size() && (in.at(j) == ' ' || in.at(j) == '\t'))
            ++j;
        if (j < in.size() && (in.at(j) == '\n' || in.at(j) == '\r')) {
            if (in.at(j) == '\r' && j + 1 < in.size() && in.at(j + 1) == '\n')
                ++j;
            i = j;
            continue;
        }
        if (i + 2 < in.size() && ReportDecoder::hexValue(QLatin1Char(in.at(i + 1))) >= 0 &&
            ReportDecoder::hexValue(QLatin1Char(in.at(i + 2))) >= 0) {
            out += char(ReportDecoder::hexValue(QLatin1Char(in.at(i + 1))) * 16 +
                        ReportDecoder::hexValue(QLatin1Char(in.at(i + 2))));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// Header words encoded as =?charset?B|Q?text?= (names and subjects with Czech letters), and raw
// UTF-8 between them. Neighbouring words of one charset are joined before decoding: a mail program
// may split a letter's bytes between two words.
QString decodeHeader(const QByteArray& raw)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?\\s]+)\\?([bBqQ])\\?([^?\\s]*)\\?=(\\s+(?==\\?))?"));
    const QString text = QString::fromLatin1(raw);
    QString out;
    QByteArray pending;
    QByteArray pendingCharset;
    auto flush = [&] {
        if (!pending.isEmpty()) {
            QString decoded;
            decodeCharset(pending, pendingCharset, decoded);
            out += decoded;
        }
        pending.clear();
    };
    qsizetype done = 0;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() > done) {
            flush();
            out += decodeRawHeader(QByteArrayView(raw).sliced(done, m.capturedStart() - done));
        }
        QByteArray data = m.captured(3).toLatin1();
        if (m.captured(2).compare(QStringLiteral("b"), Qt::CaseInsensitive) == 0) {
            data = QByteArray::fromBase64(data);
        } else {
            data.replace('_', ' ');
            data = decodeQuotedPrintable(data);
        }
        QByteArray charset = m.captured(1).toLatin1().toLower();
        if (const qsizetype star = charset.indexOf('*'); star >= 0)
            charset.truncate(star);
        if (charset != pendingCharset)
            flush();
        pendingCharset = charset;
        pending += data;
        done = m.capturedEnd();
    }
    flush();
    out += decodeRawHeader(QByteArrayView(raw).sliced(done));
    // No line ends or control characters from a header into a label.
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return out.simplified();
}

struct Entity {
    QMap<QByteArray, QByteArray> headers; // names in lower case, folded lines joined
    QByteArrayView body;                  // within the message, which outlives the entity
    bool hasHeaders = false;
};

// Splits a message (or a MIME part) into its headers and its body.
Entity splitEntity(QByteArrayView data)
{
    Entity e;
    qsizetype pos = 0;
    QByteArray name;
    while (pos < data.size()) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        QByteArrayView line = data.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            break;
        if ((line.at(0) == ' ' || line.at(0) == '\t') && !name.isEmpty()) {
            e.headers[name] += ' ' + line.trimmed().toByteArray();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            // Not a header: the part has no headers and all of it is body.
            e.headers.clear();
            e.body = data;
            e.hasHeaders = false;
            return e;
        }
        name = line.first(colon).trimmed().toByteArray().toLower();
        e.headers[name] = line.sliced(colon + 1).trimmed().toByteArray();
        e.hasHeaders = true;
    }
    e.body = pos < data.size() ? data.sliced(pos) : QByteArrayView();
    return e;
}

// "text/plain; charset=utf-8; name=x" → the type in lower case and the parameters.
QByteArray headerParameters(const QByteArray& value, QMap<QByteArray, QByteArray>& params)
{
    const QList<QByteArray> pieces = value.split(';');
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QByteArray piece = pieces.at(i).trimmed();
        const qsizetype eq = piece.indexOf('=');
        if (eq <= 0)
            continue;
        QByteArray v = piece.mid(eq + 1).trimmed();
        if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
            v = v.mid(1, v.size() - 2);
        params[piece.left(eq).trimmed().toLower()] = v;
    }
    return pieces.value(0).trimmed().toLower();
}

QString htmlToText(QString html)
{
    static const QRegularExpression lineTags(QStringLiteral("<\\s*(br|/p|/div|/tr|/li)[^>]*>"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    html.replace(lineTags, QStringLiteral("\n"));
    html.replace(tags, QStringLiteral(" "));
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "), Qt::CaseInsensitive);
    html.replace(QStringLiteral("&#160;"), QStringLiteral(" "));
    return html;
}

// The texts of a message worth searching, decoded, and what of it could not be read.
struct Texts {
    QList<QPair<QString, bool>> texts; // the text and whether it is plain (not HTML)
    bool tooDeep = false;
    bool damaged = false;
    bool withoutBoundary = false;
};

bool isMultipartWith(QByteArrayView part, const QByteArray& boundary)
{
    QMap<QByteArray, QByteArray> params;
    const Entity e = splitEntity(part);
    return headerParameters(e.headers.value("content-type"), params).startsWith("multipart/") &&
           params.value("boundary") == boundary;
}

// Every text part (and a .txt attachment) of an entity.
void collectTexts(const Entity& e, int depth, Texts& found)
{
    QMap<QByteArray, QByteArray> params;
    const QByteArray type = headerParameters(e.headers.value("content-type", "text/plain"), params);
    QMap<QByteArray, QByteArray> dispositionParams;
    headerParameters(e.headers.value("content-disposition"), dispositionParams);
    const QByteArray fileName = dispositionParams.value("filename", params.value("name")).toLower();
    const bool container = type.startsWith("multipart/") || type == "message/rfc822" || fileName.endsWith(".eml");
    if (container && depth >= maxPartDepth) {
        found.tooDeep = true;
        return;
    }

    if (type.startsWith("multipart/")) {
        const QByteArray boundary = params.value("boundary");
        if (boundary.isEmpty()) {
            found.withoutBoundary = true;
            return;
        }
        // A delimiter is a whole line ("--boundary", blanks may follow), never the start of a text
        // line. A part that is itself a multipart with the same boundary (which mail programs
        // should never write) owns the delimiters up to its own closing one.
        const QByteArray delimiter = "--" + boundary;
        const QByteArray closing = delimiter + "--";
        const QByteArrayView body = e.body;
        qsizetype pos = 0;
        qsizetype partStart = -1;
        int nested = 0;
        while (pos < body.size()) {
            qsizetype end = body.indexOf('\n', pos);
            if (end < 0)
                end = body.size();
            const qsizetype next = qMin(end + 1, body.size());
            QByteArrayView line = body.sliced(pos, end - pos);
            while (!line.isEmpty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
                line.chop(1);
            const bool opens = line == delimiter;
            const bool closes = line == closing;
            if (opens || closes) {
                if (nested > 0) {
                    nested += closes ? -1 : isMultipartWith(body.sliced(next), boundary) ? 1 : 0;
                } else {
                    if (partStart >= 0)
                        collectTexts(splitEntity(body.sliced(partStart, pos - partStart)), depth + 1, found);
                    if (closes)
                        return;
                    partStart = next;
                    nested = isMultipartWith(body.sliced(next), boundary) ? 1 : 0;
                }
            }
            pos = end + 1;
        }
        if (partStart >= 0 && partStart < body.size())
            collectTexts(splitEntity(body.sliced(partStart)), depth + 1, found);
        return;
    }
    if (type == "message/rfc822") {
        collectTexts(splitEntity(e.body), depth + 1, found);
        return;
    }
    if (!type.startsWith("text/") && !fileName.endsWith(".txt") && !fileName.endsWith(".eml"))
        return;
    const QByteArray encoding = e.headers.value("content-transfer-encoding").trimmed().toLower();
    QByteArray bytes;
    if (encoding == "base64")
        bytes = QByteArray::fromBase64(e.body.toByteArray());
    else if (encoding == "quoted-printable")
        bytes = decodeQuotedPrintable(e.body);
    else
        bytes = e.body.toByteArray();
    if (fileName.endsWith(".eml")) {
        collectTexts(splitEntity(bytes), depth + 1, found);
        return;
    }
    QString text;
    if (!decodeCharset(bytes, params.value("charset"), text)) {
        found.damaged = true;
        return;
    }
    if (type == "text/html")
        found.texts.append({htmlToText(text), false});
    else
        found.texts.append({text, true});
}

bool looksLikeHeaderLine(QByteArrayView line)
{
    static const QRegularExpression header(QStringLiteral("^[!-9;-~]+:"));
    return header.match(QString::fromLatin1(line.first(qMin<qsizetype>(line.size(), 200)))).hasMatch();
}

bool looksLikeMailHeaders(const QByteArray& start)
{
    static const QSet<QByteArray> mailNames = {"from",     "to",          "subject",    "date",         "mime-version",
                                               "received", "return-path", "message-id", "delivered-to", "content-type"};
    const QList<QByteArray> lines = start.left(65536).split('\n');
    if (lines.isEmpty() || !looksLikeHeaderLine(lines.first()))
        return false;
    int known = 0;
    for (const QByteArray& line : lines) {
        const QByteArray l = line.trimmed();
        if (l.isEmpty())
            break;
        const qsizetype colon = l.indexOf(':');
        if (colon > 0 && mailNames.contains(l.left(colon).toLower()))
            ++known;
    }
    return known >= 2;
}

// The line that starts a message in a mailbox: "From sender date", as mail programs write it
// ("From novak@skola.cz Thu May  2 11:00:00 2024"), or a "From " line that headers follow. A line
// of a letter that begins with "From " and was not escaped to ">From " is neither.
bool startsMessage(const QByteArray& line, const QByteArray& next)
{
    static const QRegularExpression dated(
        QStringLiteral("^From \\S+ +\\S+ +\\S+ +\\d{1,2} +\\d{1,2}:\\d{2}(:\\d{2})? +(\\S+ +)?\\d{4}( +\\S+)?\\s*$"));
    return line.startsWith("From ") &&
           (dated.match(QString::fromLatin1(line.left(200))).hasMatch() || looksLikeHeaderLine(next));
}

class Extractor {
public:
    Extractor(const std::atomic<bool>* cancel, const BlockSink& sink, bool fromUtf16 = false)
        : cancel(cancel), sink(sink), fromUtf16(fromUtf16)
    {
    }

    Result run(QIODevice& device)
    {
        TextInput::LineReader input(device);
        QByteArray start = input.peek(65536);
        if (start.startsWith("\xEF\xBB\xBF")) {
            input.read(3);
            start.remove(0, 3);
        }
        if (!fromUtf16 && TextInput::looksLikeUtf16(start))
            return readUtf16(input);
        if (start.contains('\0')) {
            result.problem = QStringLiteral("Soubor není text ani uložený e-mail (obsahuje binární data; je to "
                                            "obrázek, dokument nebo archiv?).");
            return result;
        }
        const QList<QByteArray> firstLines = start.left(4096).split('\n');
        if (startsMessage(firstLines.value(0), firstLines.value(1)))
            readMailbox(input);
        else if (looksLikeMailHeaders(start))
            readSingleMail(input);
        else
            readText(input);
        if (input.failed())
            omit(QStringLiteral("čtení skončilo chybou, zbytek vstupu jsem neprohlédl"));
        release(false);
        if (cancelled()) {
            result.problem = QStringLiteral("Čtení souboru bylo přerušeno.");
            result.blocks.clear();
        }
        finishRemark();
        return result;
    }

private:
    bool cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }

    // Past the largest file taken, a pipe is read no further.
    bool beyondLimit(const TextInput::LineReader& input)
    {
        if (input.consumed() <= maxFileBytes)
            return false;
        omit(QStringLiteral("vstup je delší než %1 MB, zbytek jsem nečetl").arg(maxFileBytes >> 20));
        return true;
    }

    // A text that Notepad saved as "Unicode": read again as UTF-8. Such a file holds a block or
    // a message, not a mailbox, so it is taken whole or not at all.
    Result readUtf16(TextInput::LineReader& input)
    {
        const qint64 largest = 2 * TextInput::maxTextBytes;
        QByteArray content = input.read(largest);
        if (!input.atEnd()) {
            result.problem = QStringLiteral("Soubor je v kódování UTF-16 a je větší než %1 MB; uložte ho jako text "
                                            "UTF-8.")
                                 .arg(largest >> 20);
            return result;
        }
        if (!TextInput::toUtf8(content, QStringLiteral("Soubor"), result.problem))
            return result;
        QBuffer converted(&content);
        converted.open(QIODevice::ReadOnly);
        return Extractor(cancel, sink, true).run(converted);
    }

    void readSingleMail(TextInput::LineReader& input)
    {
        const QByteArray content = input.read(maxMessageBytes);
        const bool cut = !input.atEnd();
        result.messages = 1;
        takeMessage(content, QString(), cut);
        if (result.blockCount == 0 && result.problem.isEmpty())
            result.problem =
                cut ? QStringLiteral("Zpráva je delší než %1 MB; v její prohlédnuté části není blok s výsledky.")
                          .arg(maxMessageBytes >> 20)
                : result.incomplete
                    ? QStringLiteral("V prohlédnutých částech zprávy není blok s výsledky.")
                    : QStringLiteral("Zpráva neobsahuje blok s výsledky (řádky dvojic číslic, které začínají "
                                     "skupinou „4b“).");
    }

    // A plain text, paragraph by paragraph: a block never spans a blank line.
    void readText(TextInput::LineReader& input)
    {
        result.messages = 1;
        QByteArray paragraph;
        bool cut = false;
        QByteArray line;
        auto take = [&] {
            for (const QString& block : findBlocks(QString::fromUtf8(paragraph), true))
                add({QStringLiteral("blok %1").arg(result.blockCount + (held ? 2 : 1)), block}, true);
            paragraph.clear();
        };
        while (!cancelled() && !beyondLimit(input) && input.readLine(line)) {
            if (line.trimmed().isEmpty()) {
                take();
                cut = false;
            } else if (paragraph.size() + line.size() <= maxMessageBytes && !cut) {
                paragraph += line;
            } else if (!cut) {
                cut = true;
                omit(QStringLiteral("text bez prázdného řádku delší než %1 MB (po %2. bajtu), prohlédnut jen jeho "
                                    "začátek")
                         .arg(maxMessageBytes >> 20)
                         .arg(input.consumed() - line.size()));
            }
        }
        take();
        if (result.blockCount == 0 && !held) {
            result.messagesWithoutBlock = result.incomplete ? 0 : 1;
            result.problem = result.incomplete
                                 ? QStringLiteral("V prohlédnuté části souboru není blok s výsledky.")
                                 : QStringLiteral("V souboru není blok s výsledky (řádky dvojic číslic, které "
                                                  "začínají skupinou „4b“); není to e-mail ani text od žáka.");
        }
    }

    void readMailbox(TextInput::LineReader& input)
    {
        static const QRegularExpression quotedFrom(QStringLiteral("^>+From "));
        QByteArray message;
        bool previousBlank = true;
        bool tooLong = false;
        bool any = false;
        QByteArray line;
        QByteArray next;
        bool haveNext = input.readLine(next);
        while (haveNext && !cancelled() && !beyondLimit(input)) {
            line = std::move(next);
            haveNext = input.readLine(next);
            if (previousBlank && line.startsWith("From ") && startsMessage(line, haveNext ? next : QByteArray())) {
                if (any)
                    takeMailboxMessage(message, tooLong);
                message.clear();
                tooLong = false;
                any = true;
                previousBlank = false;
                continue;
            }
            previousBlank = line == "\n" || line == "\r\n";
            if (line.startsWith(">") && quotedFrom.match(QString::fromLatin1(line.left(64))).hasMatch())
                line.remove(0, 1);
            if (message.size() + line.size() <= maxMessageBytes)
                message += line;
            else
                tooLong = true;
        }
        if (any)
            takeMailboxMessage(message, tooLong);
        if (result.blockCount == 0 && !held && result.problem.isEmpty())
            result.problem = QStringLiteral("Ve schránce (zpráv: %1) není %2žádný blok s výsledky.")
                                 .arg(result.messages)
                                 .arg(result.incomplete ? QStringLiteral("v prohlédnutých částech ") : QString());
    }

    void takeMailboxMessage(const QByteArray& message, bool tooLong)
    {
        ++result.messages;
        takeMessage(message, QStringLiteral("zpráva %1").arg(result.messages), tooLong);
    }

    void takeMessage(const QByteArray& message, const QString& number, bool cut)
    {
        const Entity e = splitEntity(message);
        Texts found;
        collectTexts(e, 0, found);
        QStringList blocks;
        QSet<QString> seen;
        for (const auto& [text, plain] : found.texts)
            for (const QString& block : findBlocks(text, plain))
                if (!seen.contains(block.toLower())) {
                    seen.insert(block.toLower());
                    blocks << block;
                }
        QString label = number.isEmpty() ? QStringLiteral("zpráva") : number;
        const QString from = decodeHeader(e.headers.value("from")).left(80);
        const QString subject = decodeHeader(e.headers.value("subject")).left(80);
        if (!from.isEmpty())
            label += QStringLiteral(" od ") + from;
        if (!subject.isEmpty())
            label += QStringLiteral(", předmět „%1“").arg(subject);
        if (cut)
            omit(label + QStringLiteral(": delší než %1 MB, prohlédnut jen začátek").arg(maxMessageBytes >> 20));
        if (found.tooDeep)
            omit(label + QStringLiteral(": části vnořené hlouběji než %1 úrovní jsem neprohlédl").arg(maxPartDepth));
        if (found.damaged)
            omit(label + QStringLiteral(": část v kódování UTF-16 je poškozená, neprohlédl jsem ji"));
        if (found.withoutBoundary)
            omit(label + QStringLiteral(": část z více částí bez udané hranice (boundary) jsem neprohlédl"));
        if (blocks.isEmpty()) {
            if (!cut && !found.tooDeep && !found.damaged && !found.withoutBoundary)
                ++result.messagesWithoutBlock;
            return;
        }
        for (qsizetype i = 0; i < blocks.size(); ++i)
            add({blocks.size() > 1 ? label + QStringLiteral(", blok %1").arg(i + 1) : label, blocks[i]}, false);
    }

    // A block of a plain text is held back until the next one comes: the only block of a file is
    // called just "blok".
    void add(const Block& block, bool plain)
    {
        release(true);
        if (plain)
            held = block;
        else
            hand(block);
    }

    void release(bool more)
    {
        if (!held)
            return;
        if (!more && result.blockCount == 0)
            held->label = QStringLiteral("blok");
        hand(*held);
        held.reset();
    }

    void hand(const Block& block)
    {
        ++result.blockCount;
        if (sink)
            sink(block);
        else
            result.blocks << block;
    }

    void omit(const QString& what)
    {
        result.incomplete = true;
        if (++omissions <= namedOmissions)
            omitted << what;
    }

    void finishRemark()
    {
        if (omissions > namedOmissions)
            omitted << QStringLiteral("a další (celkem %1)").arg(omissions);
        result.remark = omitted.join(QStringLiteral("; "));
    }

    const std::atomic<bool>* cancel;
    const BlockSink& sink;
    const bool fromUtf16;
    Result result;
    std::optional<Block> held;
    QStringList omitted;
    int omissions = 0;
};

} // namespace

Result extract(QIODevice& input, const std::atomic<bool>* cancel, const BlockSink& sink)
{
    return Extractor(cancel, sink).run(input);
}

Result extract(const QByteArray& content)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    return extract(buffer);
}

Result extractFile(const QString& path, const std::atomic<bool>* cancel, const BlockSink& sink)
{
    Result result;
    const QFileInfo info(path);
    if (info.isDir()) {
        result.problem = QStringLiteral("„%1“ je složka, ne soubor.").arg(printableText(info.fileName()));
        return result;
    }
    if (info.size() > maxFileBytes) {
        result.problem = QStringLiteral("Soubor má %1 MB; soubory větší než %2 MB nenačítám. Uložte zprávy od "
                                        "žáků do menší schránky nebo jednotlivě.")
                             .arg(info.size() >> 20)
                             .arg(maxFileBytes >> 20);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = QStringLiteral("Soubor nelze otevřít: %1").arg(file.errorString());
        return result;
    }
    return extract(file, cancel, sink);
}

} // namespace MailReport
