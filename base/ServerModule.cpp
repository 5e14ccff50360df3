#include "ServerModule.h"

namespace {
HMODULE g_module = nullptr;
}

void SetServerModule(HMODULE module) {
    g_module = module;
}

HMODULE ServerModule() {
    return g_module;
}
