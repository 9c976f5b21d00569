#include "support/record_services_spy.h"

namespace {
cRecordServicesSpy* g_Spy = nullptr;
}

cRecordServicesSpy::cRecordServicesSpy() {
    g_Spy = this;
    RECORDSERVICES s;
    s.WriteEC = [](const char* l) { g_Spy->ec.emplace_back(l); };
    s.WriteReport = [](const char* l) { g_Spy->report.emplace_back(l); };
    s.PostClose = [] { ++g_Spy->closes; };
    s.SendPlaySE = [](int n) {
        g_Spy->sounds.push_back(n);
        return 1;
    };
    s.DebugMesBox = [](const char* t) { g_Spy->debug.emplace_back(t); };
    SetRecordServices(s);
}

cRecordServicesSpy::~cRecordServicesSpy() {
    ResetRecordServices();
    g_Spy = nullptr;
}
