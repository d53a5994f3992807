#pragma once

#include "ui/forms/form.h"

class QPlainTextEdit;
class QPushButton;

// "Generované informace pro vyučujícího": the encoded report, to the clipboard or into a file.
class GenList : public Form {
    Q_OBJECT
public:
    GenList();

    // The encoded report to copy or save.
    void showBlock(const QString& block);

protected:
    // Closing by the frame ends the program like "&Konec".
    bool closeRequested() override;

private:
    QPlainTextEdit* data;
    QPushButton* clipbrd;
    QPushButton* txtfile;
    QPushButton* final;

    void clipbrd_Click();
    void txtfile_Click();
    void final_Click();
    // True when the pupil has not yet taken the block anywhere and chooses to stay.
    bool staysForUnsavedBlock();

    QString m_block;
    bool m_blockTaken = false;
};
