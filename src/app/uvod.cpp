#include "app/uvod.h"

#include "app/splashpicture.h"
#include "app/welcome.h"
#include "core/version.h"
#include "ui/forms/forms.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

Uvod::Uvod()
{
    setObjectName(QStringLiteral("Uvod"));
    setWindowTitle(QString());
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAccessibleName(QStringLiteral("Úvodní obrazovka programu Kvizmat"));
    setFixedSize(520, 320);

    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("Kvizmat 3: Komplexní čísla"));
    Label4 = makeLabel(QStringLiteral("Label4"), QStringLiteral("verze " KVIZMAT_VERSION_SHOWN));
    Label5 = makeLabel(QStringLiteral("Label5"), QStringLiteral("Pro střední průmyslové školy napsal Jan Kvizmatik"));
    for (auto [label, points] : {std::pair{Label3, 22}, std::pair{Label4, 11}, std::pair{Label5, 9}}) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(points);
        font.setBold(label == Label3);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 18, 16, 0);
    layout->addWidget(Label3);
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    layout->addStretch();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, &Uvod::closeSplash);
}

void Uvod::Form_Load()
{
    Timer1->start();
}

void Uvod::closeSplash()
{
    if (m_closing)
        return;
    m_closing = true;
    Timer1->stop();
    Forms::get<Welcome>().showModeless();
    Forms::unload(this);
}

void Uvod::paintEvent(QPaintEvent*)
{
    // Drawn again only when the window moved to a screen of another density.
    if (m_picture.isNull() || m_picture.devicePixelRatio() != devicePixelRatioF())
        m_picture = SplashPicture::render(size(), devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_picture);
}

void Uvod::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    closeSplash();
}

void Uvod::mouseReleaseEvent(QMouseEvent* event)
{
    // A click released over one of the labels reaches here too; only the background counts.
    if (childAt(event->position().toPoint()))
        return;
    closeSplash();
}
