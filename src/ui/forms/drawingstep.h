#pragma once

#include "ui/forms/form.h"

class PictureBox;
class QLabel;
class QPushButton;
class Surface;

// A drawing step (the vector, the sinusoid): the task above a picture box and the row of forward,
// back and end buttons. The error review shows the same form with the correct drawing: then it has
// its own caption, only the way back to the review, and the pupil's mouse and keys do nothing.
class DrawingStep : public Form {
    Q_OBJECT
public:
    // The review's view of the correct drawing; the way back hides the form.
    void enterReviewMode();
    void leaveReviewMode();
    bool showsCorrectDrawing() const { return m_showsCorrectDrawing; }

    // The picture, for the correct drawing made over the pupil's own.
    Surface& drawing();

signals:
    void forwardRequested(); // "&Dále" or "&Dokončit"
    void backRequested();    // "&Zpět" to the step before

protected:
    // What tells one drawing step from the other: its names, captions and spoken names.
    struct Captions {
        QString formName, title;
        QString task, reviewTask;
        QString pictureName, pictureSpoken;
        int pictureWidth, pictureHeight;
        QString forwardName, forwardCaption, forwardSpoken;
        QString backSpoken;
    };
    explicit DrawingStep(const Captions& captions);

    // The task caption of a new example.
    void showTask();

    PictureBox* picture;
    QLabel* taskLabel;
    QPushButton* forwardButton;
    QPushButton* backButton;
    QPushButton* endButton;
    QPushButton* reviewBackButton;

private:
    void showReviewButtons(bool review);

    QString m_task, m_reviewTask;
    bool m_showsCorrectDrawing = false;
};
