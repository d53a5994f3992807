#include "app/navigation.h"

#include "app/konec.h"
#include "store/databaseconnection.h"
#include "app/uvod.h"
#include "results/souhrn.h"
#include "ui/forms/forms.h"

#include <QCursor>
#include <QGuiApplication>

namespace Navigation {

void install()
{
    Form::endConfirmation = [] { Forms::get<Konec>().showModal(); };
    DatabaseConnection::waitIndicator = [](bool waiting) {
        if (waiting)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    };
}

void start()
{
    Forms::get<Uvod>().showModeless();
}

void showSummary()
{
    Forms::get<Souhrn>().showModal();
}

} // namespace Navigation
