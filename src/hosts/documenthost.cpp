#include "documenthost.h"

namespace {
DocumentHost* g_host = nullptr;
}

DocumentHost* DocumentHost::current() { return g_host; }
void DocumentHost::setCurrent(DocumentHost* host) { g_host = host; }
