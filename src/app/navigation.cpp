#include "app/navigation.h"

#include "app/forms.h"
#include "app/uvod.h"
#include "results/souhrn.h"

namespace Navigation {

void start()
{
    Forms::get<Uvod>().showModeless();
}

void showSummary()
{
    Forms::get<Souhrn>().showModal();
}

} // namespace Navigation
