#include "ui/forms/form.h"

#include "ui/forms/forms.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

Form::Form(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A plain window frame: close button, no context help.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

QPushButton* Form::makeButton(const QString& objectName, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    return button;
}

QLabel* Form::makeLabel(const QString& objectName, const QString& text, int points, const QString& spokenName)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    // Names and entries come from pupils and profiles; no text is ever read as markup.
    label->setTextFormat(Qt::PlainText);
    if (points > 0) {
        QFont font = label->font();
        font.setPointSize(points);
        label->setFont(font);
    }
    if (!spokenName.isEmpty())
        label->setAccessibleName(spokenName);
    return label;
}

QFrame* Form::makeLine(const QString& objectName, const QString& spokenName)
{
    auto* line = new QFrame(this);
    line->setObjectName(objectName);
    if (!spokenName.isEmpty())
        line->setAccessibleName(spokenName);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void Form::showModeless()
{
    setModal(false);
    show();
    raise();
    activateWindow();
}

void Form::showModal()
{
    if (isVisible() && isModal())
        return;
    if (isVisible())
        hide();
    exec();
}

void Form::askToEnd()
{
    if (endConfirmation)
        endConfirmation();
}

bool Form::closeRequested()
{
    if (!m_closingAsksToEnd)
        return false;
    askToEnd();
    return true;
}

void Form::closeEvent(QCloseEvent* event)
{
    if (closeRequested()) {
        event->ignore();
        return;
    }
    event->accept();
    Forms::unload(this);
}

void Form::reject()
{
    // Esc: the cancel button reacts as if clicked; without one nothing happens.
    if (m_cancel && m_cancel->isVisible() && m_cancel->isEnabled())
        m_cancel->click();
}
