#include "app/uvod.h"

#include "app/splashpicture.h"
#include "core/version.h"

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

    titleLabel = makeLabel(QStringLiteral("Label3"), QStringLiteral("Kvizmat 3: Komplexní čísla"));
    versionLabel = makeLabel(QStringLiteral("Label4"), QStringLiteral("verze " KVIZMAT_VERSION_SHOWN));
    creditsLabel =
        makeLabel(QStringLiteral("Label5"), QStringLiteral("Pro střední průmyslové školy napsal Jan Kvizmatik"));
    for (auto [label, points] : {std::pair{titleLabel, 22}, std::pair{versionLabel, 11}, std::pair{creditsLabel, 9}}) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(points);
        font.setBold(label == titleLabel);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 18, 16, 0);
    layout->addWidget(titleLabel);
    layout->addWidget(versionLabel);
    layout->addWidget(creditsLabel);
    layout->addStretch();

    closeTimer = new QTimer(this);
    closeTimer->setObjectName(QStringLiteral("Timer1"));
    closeTimer->setInterval(5000);
    connect(closeTimer, &QTimer::timeout, this, &Uvod::closeSplash);
}

void Uvod::Form_Load()
{
    closeTimer->start();
}

void Uvod::closeSplash()
{
    if (m_closing)
        return;
    m_closing = true;
    closeTimer->stop();
    emit finished();
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
