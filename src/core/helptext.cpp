#include "core/helptext.h"

namespace HelpText {

QStringList wrapParagraph(const QString& paragraph)
{
    QStringList lines;
    QString line = QStringLiteral("\t");
    int columns = tabColumns;
    bool lineHasWord = false;
    // A one-letter word (a preposition or a conjunction) is not left at the end of a line.
    QStringList words;
    for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!words.isEmpty() && words.last().size() == 1 && words.last().at(0).isLetter())
            words.last() += QLatin1Char(' ') + word;
        else
            words << word;
    }
    for (const QString& word : words) {
        const int needed = int(word.size()) + (lineHasWord ? 1 : 0);
        if (lineHasWord && columns + needed > lineWidth) {
            lines << line;
            line.clear();
            columns = 0;
            lineHasWord = false;
        }
        if (lineHasWord) {
            line += QLatin1Char(' ');
            ++columns;
        }
        line += word;
        columns += int(word.size());
        lineHasWord = true;
    }
    if (lineHasWord)
        lines << line;
    return lines;
}

QString text()
{
    QStringList lines;
    auto section = [&lines](QStringList heading, QStringList paragraphs) {
        lines << QString() << QString();
        lines << heading;
        for (const QString& p : paragraphs)
            lines << wrapParagraph(p);
    };

    lines << QStringLiteral("Nápověda ke kvizmatu komplexních čísel") << QString(39, QLatin1Char('='));

    section({QStringLiteral("1. Dialog - vypočtení komplexního čísla")},
            {QStringLiteral("První dialog po tobě chce jen algebru komplexních čísel. Ovládá se jako každý jiný dialog "
                            "v systému: vypočtené hodnoty napiš do příslušných políček. Zápornou imaginární část zapiš "
                            "do jejího políčka jako znaménko minus a za ním hodnotu. Čísla piš na 3 platné číslice, "
                            "jinak se výsledek může dostat mimo toleranci, která je jen 0,5%, a nebude uznán.")});

    section({QStringLiteral("2. Dialog - zadání vektoru komplexního"), QStringLiteral("čísla")},
            {QStringLiteral("Ve druhém dialogu zakreslíš vypočtené číslo jako vektor do Gaussovy roviny. Když klepneš "
                            "do roviny, objeví se vektor. Tažením myší ho dostaneš tam, kam patří, a dalším klepnutím "
                            "levým tlačítkem myši kreslení ukončíš.")});

    section({QStringLiteral("3. Dialog - určení sinusového průběhu s"), QStringLiteral("fázovým posunem")},
            {QStringLiteral("Třetím dialogem práci dokončíš: sinusovku posuneš a roztáhneš podle vypočtených hodnot. "
                            "Svislým roztažením nastavíš amplitudu, vodorovnou polohou fázový posun. Uchopíš-li "
                            "sinusovku na ose x, měníš jen amplitudu a vodorovný pohyb pak nemá žádný účinek. "
                            "Uchopíš-li ji kdekoli jinde, měníš amplitudu i fázový posun zároveň."),
             QStringLiteral("Bez myši: ve 2. dialogu přejdi klávesou Tab na Gaussovu rovinu, mezerníkem začni nebo "
                            "ukonči sledování a šipkami posouvej koncový bod vektoru o 1 bod, se Shiftem o 10 bodů. "
                            "Ve 3. dialogu přejdi klávesou Tab na obrázek sinusovky; šipky nahoru a dolů mění "
                            "amplitudu, šipky vlevo a vpravo fázový posun o 1 bod, se Shiftem o 10 bodů.")});

    lines << QString() << QString();
    lines << wrapParagraph(
        QStringLiteral("Bodování: každý příklad má tři body, jeden za každý správně vyplněný dialog. Špatně vyplněný "
                       "dialog přidá bod ke špatným odpovědím a potom se ukáže dialog se správnými výsledky. Chyba ve "
                       "výpočtu je v něm vyznačena červeně, a pokud jsi špatně zadal vektor nebo sinusovku s posunem, "
                       "jsou příslušná tlačítka vyznačena tučně."));

    return lines.join(QStringLiteral("\r\n"));
}

} // namespace HelpText
