#include "core/mailreport.h"

#include "core/textinput.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace MailReport {

namespace {

constexpr int maxLineBytes = 1 << 20;
constexpr int maxPartDepth = 8;

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
// programs re-wrap lines but do not add empty ones) or at a word that is not a group, unless a
// group follows it: such a word is a group damaged in transit and stays in the block, so that the
// decoder names it.
QStringList findBlocks(const QString& text, bool blankLineBreaks)
{
    QStringList blocks;
    QStringList run;
    auto close = [&] {
        if (run.size() >= 2)
            blocks << run.join(QLatin1Char(' '));
        run.clear();
    };
    for (Words w(text, blankLineBreaks); !w.atEnd(); w.next()) {
        if (w.isBreak()) {
            close();
            continue;
        }
        const QStringView word = w.word();
        if (run.isEmpty()) {
            if (word.compare(u"4b", Qt::CaseInsensitive) == 0)
                run << word.toString();
        } else if (isHexPair(word)) {
            run << word.toString();
        } else if (run.size() >= 2 && word.size() <= 8 && isHexPair(w.peek())) {
            run << word.toString();
        } else {
            close();
            if (word.compare(u"4b", Qt::CaseInsensitive) == 0)
                run << word.toString();
        }
    }
    close();
    return blocks;
}

QString decodeCharset(const QByteArray& bytes, const QByteArray& charset)
{
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return QString::fromUtf8(bytes);
}

QByteArray decodeQuotedPrintable(const QByteArray& in)
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
        if (i + 2 < in.size() && isHexPair(QString::fromLatin1(in.mid(i + 1, 2)))) {
            out += char(in.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// Header words encoded as =?charset?B|Q?text?= (names and subjects with Czech letters).
QString decodeHeader(const QByteArray& raw)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?\\s]+)\\?([bBqQ])\\?([^?\\s]*)\\?=(\\s+(?==\\?))?"));
    const QString text = QString::fromLatin1(raw);
    QString out;
    qsizetype done = 0;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(done, m.capturedStart() - done);
        QByteArray data = m.captured(3).toLatin1();
        if (m.captured(2).compare(QStringLiteral("b"), Qt::CaseInsensitive) == 0) {
            data = QByteArray::fromBase64(data);
        } else {
            data.replace('_', ' ');
            data = decodeQuotedPrintable(data);
        }
        QByteArray charset = m.captured(1).toLatin1();
        if (const qsizetype star = charset.indexOf('*'); star >= 0)
            charset.truncate(star);
        out += decodeCharset(data, charset);
        done = m.capturedEnd();
    }
    out += QStringView(text).mid(done);
    // No line ends or control characters from a header into a label.
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return out.simplified();
}

struct Entity {
    QMap<QByteArray, QByteArray> headers; // names in lower case, folded lines joined
    QByteArray body;
    bool hasHeaders = false;
};

// Splits a message (or a MIME part) into its headers and its body.
Entity splitEntity(const QByteArray& data)
{
    Entity e;
    qsizetype pos = 0;
    QByteArray name;
    while (pos < data.size()) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        QByteArray line = data.mid(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            break;
        if ((line.at(0) == ' ' || line.at(0) == '\t') && !name.isEmpty()) {
            e.headers[name] += ' ' + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            // Not a header: the part has no headers and all of it is body.
            e.headers.clear();
            e.body = data;
            return e;
        }
        name = line.left(colon).trimmed().toLower();
        e.headers[name] = line.mid(colon + 1).trimmed();
        e.hasHeaders = true;
    }
    e.body = pos < data.size() ? data.mid(pos) : QByteArray();
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

// The texts of a message worth searching: every text part (and a .txt attachment), decoded.
void collectTexts(const Entity& e, int depth, QList<QPair<QString, bool>>& texts)
{
    QMap<QByteArray, QByteArray> params;
    const QByteArray type = headerParameters(e.headers.value("content-type", "text/plain"), params);
    QMap<QByteArray, QByteArray> dispositionParams;
    headerParameters(e.headers.value("content-disposition"), dispositionParams);
    const QByteArray fileName = dispositionParams.value("filename", params.value("name")).toLower();

    if (type.startsWith("multipart/") && depth < maxPartDepth) {
        const QByteArray boundary = params.value("boundary");
        if (boundary.isEmpty())
            return;
        const QByteArray delimiter = "--" + boundary;
        qsizetype pos = 0;
        qsizetype partStart = -1;
        while (pos <= e.body.size()) {
            qsizetype end = e.body.indexOf('\n', pos);
            if (end < 0)
                end = e.body.size();
            QByteArray line = e.body.mid(pos, end - pos);
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.startsWith(delimiter)) {
                if (partStart >= 0)
                    collectTexts(splitEntity(e.body.mid(partStart, pos - partStart)), depth + 1, texts);
                if (line.startsWith(delimiter + "--"))
                    return;
                partStart = end + 1;
            }
            pos = end + 1;
        }
        if (partStart >= 0 && partStart < e.body.size())
            collectTexts(splitEntity(e.body.mid(partStart)), depth + 1, texts);
        return;
    }
    if (type == "message/rfc822" && depth < maxPartDepth) {
        collectTexts(splitEntity(e.body), depth + 1, texts);
        return;
    }
    if (!type.startsWith("text/") && !fileName.endsWith(".txt") && !fileName.endsWith(".eml"))
        return;
    const QByteArray encoding = e.headers.value("content-transfer-encoding").trimmed().toLower();
    QByteArray bytes = e.body;
    if (encoding == "base64")
        bytes = QByteArray::fromBase64(bytes);
    else if (encoding == "quoted-printable")
        bytes = decodeQuotedPrintable(bytes);
    if (fileName.endsWith(".eml") && depth < maxPartDepth) {
        collectTexts(splitEntity(bytes), depth + 1, texts);
        return;
    }
    const QString text = decodeCharset(bytes, params.value("charset"));
    if (type == "text/html")
        texts.append({htmlToText(text), false});
    else
        texts.append({text, true});
}

bool looksLikeMailHeaders(const QByteArray& start)
{
    static const QRegularExpression header(QStringLiteral("^[!-9;-~]+:"));
    static const QSet<QByteArray> mailNames = {"from",     "to",          "subject",    "date",         "mime-version",
                                               "received", "return-path", "message-id", "delivered-to", "content-type"};
    const QList<QByteArray> lines = start.left(65536).split('\n');
    if (lines.isEmpty() || !header.match(QString::fromLatin1(lines.first())).hasMatch())
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

class Extractor {
public:
    explicit Extractor(const std::atomic<bool>* cancel, bool fromUtf16 = false) : cancel(cancel), fromUtf16(fromUtf16)
    {
    }

    Result run(QIODevice& input)
    {
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
        if (start.startsWith("From "))
            readMailbox(input);
        else
            readSingle(input, looksLikeMailHeaders(start));
        if (cancelled()) {
            result.problem = QStringLiteral("Čtení souboru bylo přerušeno.");
            result.blocks.clear();
        }
        return result;
    }

private:
    bool cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }

    // A text that Notepad saved as "Unicode": read again as UTF-8. Such a file holds a block or
    // a message, not a mailbox, so it is taken whole or not at all.
    Result readUtf16(QIODevice& input)
    {
        QByteArray content = input.read(2 * maxMessageBytes);
        if (!input.atEnd()) {
            result.problem = QStringLiteral("Soubor je v kódování UTF-16 a je větší než %1 MB; uložte ho jako text "
                                            "UTF-8.")
                                 .arg(2 * maxMessageBytes >> 20);
            return result;
        }
        if (!TextInput::toUtf8(content, QStringLiteral("Soubor"), result.problem))
            return result;
        QBuffer converted(&content);
        converted.open(QIODevice::ReadOnly);
        return Extractor(cancel, true).run(converted);
    }

    void readSingle(QIODevice& input, bool mail)
    {
        QByteArray content = input.read(maxMessageBytes);
        if (!input.atEnd())
            truncatedMessages = 1;
        result.messages = 1;
        if (mail) {
            takeMessage(content, QString());
            if (result.blocks.isEmpty())
                result.problem = QStringLiteral("Zpráva neobsahuje blok s výsledky (řádky dvojic číslic, které "
                                                "začínají skupinou „4b“).");
        } else {
            const QStringList blocks = findBlocks(QString::fromUtf8(content), true);
            for (qsizetype i = 0; i < blocks.size(); ++i)
                add({blocks.size() > 1 ? QStringLiteral("blok %1").arg(i + 1) : QStringLiteral("blok"), blocks[i]});
            if (blocks.isEmpty()) {
                result.messagesWithoutBlock = 1;
                result.problem = QStringLiteral("V souboru není blok s výsledky (řádky dvojic číslic, které začínají "
                                                "skupinou „4b“); není to e-mail ani text od žáka.");
            }
        }
        finishRemark();
    }

    void readMailbox(QIODevice& input)
    {
        static const QRegularExpression quotedFrom(QStringLiteral("^>+From "));
        QByteArray message;
        bool previousBlank = true;
        bool tooLong = false;
        bool any = false;
        while (!input.atEnd() && !cancelled()) {
            QByteArray line = input.readLine(maxLineBytes);
            if (line.isEmpty() && !input.atEnd())
                break;
            if (line.startsWith("From ") && previousBlank) {
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
        if (result.blocks.isEmpty() && result.problem.isEmpty())
            result.problem = QStringLiteral("Ve schránce (zpráv: %1) není žádný blok s výsledky.").arg(result.messages);
        finishRemark();
    }

    void takeMailboxMessage(const QByteArray& message, bool tooLong)
    {
        ++result.messages;
        if (tooLong)
            ++truncatedMessages;
        takeMessage(message, QStringLiteral("zpráva %1").arg(result.messages));
    }

    void takeMessage(const QByteArray& message, const QString& number)
    {
        const Entity e = splitEntity(message);
        QList<QPair<QString, bool>> texts;
        collectTexts(e, 0, texts);
        QStringList blocks;
        QSet<QString> seen;
        for (const auto& [text, plain] : texts)
            for (const QString& block : findBlocks(text, plain))
                if (!seen.contains(block.toLower())) {
                    seen.insert(block.toLower());
                    blocks << block;
                }
        if (blocks.isEmpty()) {
            ++result.messagesWithoutBlock;
            return;
        }
        QString label = number.isEmpty() ? QStringLiteral("zpráva") : number;
        const QString from = decodeHeader(e.headers.value("from")).left(80);
        const QString subject = decodeHeader(e.headers.value("subject")).left(80);
        if (!from.isEmpty())
            label += QStringLiteral(" od ") + from;
        if (!subject.isEmpty())
            label += QStringLiteral(", předmět „%1“").arg(subject);
        for (qsizetype i = 0; i < blocks.size(); ++i)
            add({blocks.size() > 1 ? label + QStringLiteral(", blok %1").arg(i + 1) : label, blocks[i]});
    }

    void add(const Block& block)
    {
        if (result.blocks.size() < maxBlocks)
            result.blocks << block;
        else
            tooManyBlocks = true;
    }

    void finishRemark()
    {
        QStringList remarks;
        if (truncatedMessages > 0)
            remarks << QStringLiteral("zpráv delších než %1 MB: %2, z nich prohlédnut jen začátek")
                           .arg(maxMessageBytes >> 20)
                           .arg(truncatedMessages);
        if (tooManyBlocks)
            remarks << QStringLiteral("bloků je víc než %1, další jsem vynechal").arg(maxBlocks);
        result.remark = remarks.join(QStringLiteral("; "));
    }

    const std::atomic<bool>* cancel;
    const bool fromUtf16;
    Result result;
    int truncatedMessages = 0;
    bool tooManyBlocks = false;
};

} // namespace

Result extract(QIODevice& input, const std::atomic<bool>* cancel)
{
    return Extractor(cancel).run(input);
}

Result extract(const QByteArray& content)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    return extract(buffer);
}

Result extractFile(const QString& path, const std::atomic<bool>* cancel)
{
    Result result;
    const QFileInfo info(path);
    if (info.isDir()) {
        result.problem = QStringLiteral("„%1“ je složka, ne soubor.").arg(info.fileName());
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
    return extract(file, cancel);
}

} // namespace MailReport
