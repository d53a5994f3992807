#include "app/info.h"

#include "core/version.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* makeAddress(Form* form, const QString& name, const QString& address)
{
    QLabel* label = form->makeLabel(name, address, 0, QStringLiteral("Napsat e-mail na adresu ") + address);
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(blue);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    // Reachable by Tab and opened by Enter or Space too, not only by the mouse.
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

} // namespace

info::info()
{
    setObjectName(QStringLiteral("info"));
    setWindowTitle(QStringLiteral("Informace"));
    setAccessibleName(QStringLiteral("Informace o programu"));

    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Kvizmat 3: Komplexní čísla"));
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(20);
    title.setBold(true);
    Label2->setFont(title);
    Label7 = makeLabel(QStringLiteral("Label7"), QStringLiteral("verze " KVIZMAT_VERSION_SHOWN
                                                                "\nPro střední průmyslové školy napsal Jan Kvizmatik"));
    Label3 =
        makeLabel(QStringLiteral("Label3"),
                  QStringLiteral("Tento program je určen žákům středních průmyslových škol technického zaměření k "
                                 "procvičení matematiky a elektrotechniky, ve kterých se komplexní čísla hojně "
                                 "používají. Doufám, že se vám bude líbit a že mu zůstanete věrnými uživateli. Přeji "
                                 "vám mnoho správně zakreslených komplexních čísel.\n\nJan Kvizmatik"));
    Label4 = makeLabel(QStringLiteral("Label4"),
                       QStringLiteral("Pokud byste nalezli v tomto programu chybu nebo měli námět na jeho "
                                      "zlepšení či návrh na jiný program můžete mě kontaktovat e-mailem na:"));
    for (QLabel* text : {Label2, Label7, Label3, Label4})
        text->setWordWrap(true);
    Label1 = makeAddress(this, QStringLiteral("Label1"), QString::fromLatin1(firstAddress));
    Label6 = makeAddress(this, QStringLiteral("Label6"), QString::fromLatin1(secondAddress));
    Label1->installEventFilter(this);
    Label6->installEventFilter(this);

    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&OK"));
    Command1->setAccessibleName(QStringLiteral("OK"));
    Command1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(Label7);
    layout->addSpacing(8);
    layout->addWidget(Label3);
    layout->addSpacing(8);
    layout->addWidget(Label4);
    layout->addWidget(Label1);
    layout->addWidget(Label6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    setTabOrder(Command1, Label1);
    setTabOrder(Label1, Label6);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &info::Command1_Click);
}

bool info::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (label != Label1 && label != Label6)
        return Form::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            writeTo(label->text());
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            writeTo(label->text());
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void info::writeTo(const QString& address)
{
    // When no program takes "mailto:" links nothing happens, and the form stays open.
    System::openUrl(QUrl(QStringLiteral("mailto:") + address));
}

void info::Command1_Click()
{
    Forms::unload(this);
}
