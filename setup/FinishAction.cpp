#include "FinishAction.h"

#include "installer.h"

bool FinishAction::Run() {
    return true;
}
