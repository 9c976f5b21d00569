// libFuzzer harness over the code command's expression language: any text
// is evaluated against a small game without crashing, every value an
// assignment can reach stays within the bounds of its field, and the text
// compiled does to a second game exactly what the text evaluated directly
// did to the first (the same calls, in order, and the same random numbers). The first byte
// chooses which target slots hold a character and whether the running
// character is the hero; the rest is the text.
#include <cstdio>
#include <string>

#include "actors/expr/expr_eval.h"
#include "actors/expr/expr_program.h"
#include "actors/expr_logging_host.h"
#include "fuzz_support.h"
#include "records/crt_rand.h"

namespace {

void RequireInBounds(const FAKECHARA& c, const char* who) {
    for (int st = 0; st < CODE_ST_NUM; ++st) {
        int32_t hi = CodeStatusTable[st].nMax;
        if (st == CODE_ST_HP) hi = c.vStatus[CODE_ST_MHP];
        if (st == CODE_ST_SP) hi = c.vStatus[CODE_ST_MSP];
        const int32_t v = c.vStatus[st];
        if (v < CodeStatusTable[st].nMin || v > hi) {
            std::fprintf(stderr, "%s.%s = %d\n", who, CodeStatusTable[st].lpName, v);
            fuzz::Fail("a status out of its bounds");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    if (size == 0) return 0;
    cLoggingHost host, compiled;
    for (cLoggingHost* h : {&host, &compiled}) {
        for (int i = 0; i < 4; ++i) h->bTarget[i] = (data[0] >> i) & 1;
        h->my.nKind = (data[0] >> 4) & 1;
        h->vSys[CODE_SYS_LIFE] = (data[0] & 0x20) ? CODE_LIFE_UNUSED : 3;
        h->bLivesSwitch = (data[0] & 0x40) != 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    crt::srand(size);
    const int ok = RunCode(text, host);
    const int next = crt::rand();
    crt::srand(size);
    if (RunCodeProgram(*CompileCode(text), compiled) != ok || compiled.vLog != host.vLog || crt::rand() != next)
        fuzz::Fail("the compiled text ran differently from the text");
    if (ok != 0 && ok != 1) fuzz::Fail("RunCode returned neither 0 nor 1");
    if (ok == 1 && (host.nBadIndex != 0 || !host.vBox.empty())) fuzz::Fail("a run that succeeded reported an error");
    if (host.vBox.size() > 1) fuzz::Fail("more than one message box in one run");
    RequireInBounds(host.my, "my");
    RequireInBounds(host.pl, "pl");
    for (const FAKECHARA& t : host.tg) RequireInBounds(t, "tg");
    for (const auto* vars : {&host.vCommon, &host.vStage})
        for (int32_t v : *vars)
            if (v < CODE_VALUE_MIN || v > CODE_VALUE_MAX) fuzz::Fail("a variable out of its bounds");
    for (int s = 0; s < CODE_SYS_NUM; ++s) {
        const int32_t v = host.vSys[s];
        const bool unused = s == CODE_SYS_LIFE && v == CODE_LIFE_UNUSED;
        if (!unused && (v < CodeSysTable[s].nMin || v > CodeSysTable[s].nMax)) fuzz::Fail("a system value out of its bounds");
    }
    return 0;
}
