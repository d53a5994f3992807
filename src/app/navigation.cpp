#include "app/navigation.h"

#include "app/konec.h"
#include "app/uvod.h"
#include "results/souhrn.h"
#include "ui/forms/forms.h"

namespace Navigation {

void install()
{
    Form::endConfirmation = [] { Forms::get<Konec>().showModal(); };
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
