#include "ui/forms/forms.h"

#include "ui/forms/system.h"

#include <QTimer>

std::unordered_map<std::type_index, QPointer<Form>>& Forms::registry()
{
    static std::unordered_map<std::type_index, QPointer<Form>> forms;
    return forms;
}

void Forms::unload(Form* form)
{
    for (auto it = registry().begin(); it != registry().end(); ++it) {
        if (it->second == form) {
            registry().erase(it);
            break;
        }
    }
    // Hiding ends a modal display of the form; the object goes once its handlers have returned.
    form->hide();
    form->deleteLater();
    endWhenNoneLeft();
}

void Forms::unloadAll()
{
    for (auto& [type, form] : registry()) {
        if (form) {
            form->hide();
            delete form.data();
        }
    }
    registry().clear();
}

int Forms::loadedCount()
{
    int n = 0;
    for (const auto& [type, form] : registry())
        if (form)
            ++n;
    return n;
}

void Forms::endWhenNoneLeft()
{
    // The check waits until the current handler has finished: a handler may unload its own form
    // and then show the next one.
    QTimer::singleShot(0, [] {
        if (loadedCount() == 0 && System::endProgram)
            System::endProgram();
    });
}
