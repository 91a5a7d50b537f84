// Outside Windows there is no user to ask: the setup message goes nowhere.
#include "plugin/app.h"

void ShowSetupMessage() {}
