#include "support/testsupport.h"

#include "app/navigation.h"
#include "core/data_a_promene.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace TestSupport {

int beeps = 0;
int endRequests = 0;
QList<QMessageBox::StandardButton> questionAnswers;
QList<QString> questionsAsked;
static QList<float> nextExampleValues;

RandomSource scripted(QList<float> values)
{
    auto state = std::make_shared<std::pair<QList<float>, qsizetype>>(std::move(values), 0);
    return [state] {
        auto& [list, index] = *state;
        if (list.isEmpty())
            return 0.0f;
        const float v = list.at(qMin(index, list.size() - 1));
        ++index;
        return v;
    };
}

void scriptNextExample(QList<float> values)
{
    nextExampleValues = std::move(values);
}

void resetProgram()
{
    Forms::unloadAll();
    QApplication::processEvents();
    Data_a_promene::resetAll();
    System::useRealPlatform();
    Navigation::install();
    beeps = 0;
    endRequests = 0;
    questionAnswers.clear();
    questionsAsked.clear();
    nextExampleValues.clear();
    System::beep = [] { ++beeps; };
    System::endProgram = [] { ++endRequests; };
    System::now = [] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)); };
    System::newRandomSource = [] {
        if (!nextExampleValues.isEmpty()) {
            RandomSource r = scripted(nextExampleValues);
            nextExampleValues.clear();
            return r;
        }
        // A fixed sum: (100 + 200i) + (300 - 400i) unless a test scripts its own.
        return scripted({0.1f, drawFor(100, 2000, 1000), drawFor(200, 2000, 1000), drawFor(300, 2000, 1000),
                         drawFor(-400, 2000, 1000)});
    };
    System::question = [](QWidget*, const QString&, const QString& text, QMessageBox::StandardButton) {
        questionsAsked << text;
        return questionAnswers.isEmpty() ? QMessageBox::Yes : questionAnswers.takeFirst();
    };
    System::message = [](QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                         QMessageBox::StandardButtons) {
        questionsAsked << text;
        return questionAnswers.isEmpty() ? QMessageBox::Ok : questionAnswers.takeFirst();
    };
    System::setClipboardText = [](const QString&) {};
    System::openUrl = [](const QUrl&) {};
    System::userName = [] { return QStringLiteral("zak"); };
}

void onNextModal(std::function<void(QWidget*)> action)
{
    auto tries = std::make_shared<int>(0);
    auto timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (++*tries > 250) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

float drawFor(int n, float span, float offset)
{
    // The middle of the interval of r that floors to n keeps clear of rounding at its ends.
    return (float(n) + offset + 0.5f) / span;
}

} // namespace TestSupport
