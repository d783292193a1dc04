#include "MainHost.h"

namespace {
MainHost* g_host = nullptr;
}

MainHost* Host() { return g_host; }

void SetHost(MainHost* host) { g_host = host; }
