#include "results/genlist.h"

#include "ui/forms/system.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

GenList::GenList()
{
    setObjectName(QStringLiteral("GenList"));
    setWindowTitle(QStringLiteral("Generované informace pro vyučujícího"));
    setAccessibleName(QStringLiteral("Generované informace pro vyučujícího"));

    data = new QPlainTextEdit(this);
    data->setObjectName(QStringLiteral("data"));
    data->setAccessibleName(QStringLiteral("Zakódované výsledky pro vyučujícího"));
    data->setReadOnly(true);
    data->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setPointSize(10);
    data->setFont(courier);
    // Ten groups of three characters make a line of the block.
    const int lineWidth = QFontMetrics(courier).horizontalAdvance(QString(32, QLatin1Char('0')));
    data->setMinimumSize(lineWidth + 40, 240);

    clipbrd = makeButton(QStringLiteral("clipbrd"), QStringLiteral("&Vložit do schránky"));
    clipbrd->setAccessibleName(QStringLiteral("Vložit do schránky"));
    txtfile = makeButton(QStringLiteral("txtfile"), QStringLiteral("&Uložit do textového souboru"));
    txtfile->setAccessibleName(QStringLiteral("Uložit do textového souboru"));
    final = makeButton(QStringLiteral("final"), QStringLiteral("&Konec"));
    final->setAccessibleName(QStringLiteral("Konec"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(data);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clipbrd);
    buttons->addWidget(txtfile);
    buttons->addStretch();
    buttons->addWidget(final);
    layout->addLayout(buttons);

    connect(clipbrd, &QPushButton::clicked, this, &GenList::clipbrd_Click);
    connect(txtfile, &QPushButton::clicked, this, &GenList::txtfile_Click);
    connect(final, &QPushButton::clicked, this, &GenList::final_Click);
}

void GenList::showBlock(const QString& block)
{
    m_block = block;
    m_blockTaken = false;
    QString shown = block;
    data->setPlainText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void GenList::clipbrd_Click()
{
    System::setClipboardText(m_block);
    m_blockTaken = true;
}

void GenList::txtfile_Click()
{
    QString fileName =
        System::saveFileName(this, QStringLiteral("Vyber umístění a jméno souboru"), QStringLiteral("Vysledky"),
                             QStringLiteral("Textové soubory (*.txt);;Všechny soubory (*.*)"), QStringLiteral("txt"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".txt");

    // Written beside the target and renamed at the end, so a failed write leaves no half file.
    QSaveFile file(fileName);
    const QByteArray block = m_block.toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(block) == block.size() && file.commit()) {
        m_blockTaken = true;
        return;
    }
    const QString reason = file.errorString();
    file.cancelWriting();
    System::message(this, QMessageBox::Critical, QStringLiteral("Soubor se nepodařilo uložit"),
                    QStringLiteral("Výsledky se do souboru „%1“ NEULOŽILY.\n\nDůvod: %2\n\n"
                                   "Vyber jiné umístění, nebo výsledky vlož do schránky a pošli je "
                                   "vyučujícímu e-mailem.")
                        .arg(QDir::toNativeSeparators(fileName), reason),
                    QMessageBox::Ok);
}

bool GenList::staysForUnsavedBlock()
{
    if (m_blockTaken)
        return false;
    const QMessageBox::StandardButton answer =
        System::question(this, QStringLiteral("Konec"),
                         QStringLiteral("Výsledky jsi zatím nevložil do schránky ani neuložil do souboru. Po skončení "
                                        "programu se už nedají získat.\n\nOpravdu chceš skončit?"),
                         QMessageBox::No);
    return answer != QMessageBox::Yes;
}

void GenList::final_Click()
{
    if (staysForUnsavedBlock())
        return;
    System::endProgram();
}

bool GenList::closeRequested()
{
    final_Click();
    return true;
}
