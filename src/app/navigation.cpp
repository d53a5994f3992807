#include "app/navigation.h"

#include "app/forms.h"
#include "platform/system.h"
#include "step1/krok1.h"

namespace Navigation {

void start()
{
    Forms::get<Krok1>().showModeless();
}

void showSummary()
{
    System::endProgram();
}

} // namespace Navigation
