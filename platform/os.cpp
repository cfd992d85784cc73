#include "platform/os.h"

namespace {
COsServices g_os;
}

const COsServices& Os() {
    return g_os;
}

COsServices SetOs(const COsServices& services) {
    COsServices previous = g_os;
    g_os = services;
    return previous;
}
