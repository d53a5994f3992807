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

    titleLabel = makeLabel(QStringLiteral("Label2"), QStringLiteral("Kvizmat 3: Komplexní čísla"));
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(20);
    title.setBold(true);
    titleLabel->setFont(title);
    versionLabel =
        makeLabel(QStringLiteral("Label7"),
                  QStringLiteral("verze " KVIZMAT_VERSION_SHOWN "\nPro střední průmyslové školy napsal Jan Kvizmatik"));
    aboutText =
        makeLabel(QStringLiteral("Label3"),
                  QStringLiteral("Tento program je určen žákům středních průmyslových škol technického zaměření k "
                                 "procvičení matematiky a elektrotechniky, ve kterých se komplexní čísla hojně "
                                 "používají. Doufám, že se vám bude líbit a že mu zůstanete věrnými uživateli. Přeji "
                                 "vám mnoho správně zakreslených komplexních čísel.\n\nJan Kvizmatik"));
    invitationLabel = makeLabel(QStringLiteral("Label4"),
                                QStringLiteral("Pokud byste nalezli v tomto programu chybu nebo měli námět na jeho "
                                               "zlepšení či návrh na jiný program můžete mě kontaktovat e-mailem na:"));
    for (QLabel* text : {titleLabel, versionLabel, aboutText, invitationLabel})
        text->setWordWrap(true);
    firstAddressLabel = makeAddress(this, QStringLiteral("Label1"), QString::fromLatin1(firstAddress));
    secondAddressLabel = makeAddress(this, QStringLiteral("Label6"), QString::fromLatin1(secondAddress));
    firstAddressLabel->installEventFilter(this);
    secondAddressLabel->installEventFilter(this);

    okButton = makeButton(QStringLiteral("Command1"), QStringLiteral("&OK"));
    okButton->setAccessibleName(QStringLiteral("OK"));
    okButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel);
    layout->addWidget(versionLabel);
    layout->addSpacing(8);
    layout->addWidget(aboutText);
    layout->addSpacing(8);
    layout->addWidget(invitationLabel);
    layout->addWidget(firstAddressLabel);
    layout->addWidget(secondAddressLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    setTabOrder(okButton, firstAddressLabel);
    setTabOrder(firstAddressLabel, secondAddressLabel);
    okButton->setFocus();

    connect(okButton, &QPushButton::clicked, this, &info::ok_Click);
}

bool info::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (label != firstAddressLabel && label != secondAddressLabel)
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

void info::ok_Click()
{
    Forms::unload(this);
}
