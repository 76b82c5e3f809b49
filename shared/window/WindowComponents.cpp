#include "WindowComponents.h"

#include "NetGradient.h"
#include "TopMost.h"

void RegisterWindowComponents() {
    RegisterTopMost();
    RegisterNetGradient();
}
