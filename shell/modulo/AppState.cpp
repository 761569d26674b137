#include "shell/modulo/AppState.h"

#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"

AppState::AppState() = default;
AppState::~AppState() = default;

namespace {
std::unique_ptr<AppState> gState;
}

AppState& App()
{
    if (!gState)
        gState = std::make_unique<AppState>();
    return *gState;
}

void ResetAppState()
{
    gState = std::make_unique<AppState>();
}
