#pragma once
// The fake game of expr_fake_host.h, writing down every call the evaluator
// makes of it, in order, with its arguments and what it answered: two
// evaluations that made the same calls did the same to the game.
#include <string>
#include <vector>

#include "actors/expr_fake_host.h"

// The fake game, writing down every call the evaluator makes.
class cLoggingHost : public cFakeExprHost {
public:
    std::vector<std::string> vLog;

    void* GetObject(int nObj) override {
        void* o = cFakeExprHost::GetObject(nObj);
        Log("GetObject", nObj, Who(o));
        return o;
    }
    int32_t GetStatus(void* o, int n) override {
        const int32_t v = cFakeExprHost::GetStatus(o, n);
        Log("GetStatus " + Who(o), n, std::to_string(v));
        return v;
    }
    void SetStatus(void* o, int n, int32_t v) override {
        Log("SetStatus " + Who(o), n, std::to_string(v));
        cFakeExprHost::SetStatus(o, n, v);
    }
    int GetKind(void* o) override { return Logged("GetKind " + Who(o), 0, cFakeExprHost::GetKind(o)); }
    int32_t GetSys(int n) override { return Logged("GetSys", n, cFakeExprHost::GetSys(n)); }
    void SetSys(int n, int32_t v) override {
        Log("SetSys", n, std::to_string(v));
        cFakeExprHost::SetSys(n, v);
    }
    bool GetLivesSwitch() override { return Logged("GetLivesSwitch", 0, cFakeExprHost::GetLivesSwitch()); }
    int GetVarCount(int s) override { return Logged("GetVarCount", s, cFakeExprHost::GetVarCount(s)); }
    int32_t GetVar(int s, int n) override { return Logged("GetVar " + std::to_string(s), n, cFakeExprHost::GetVar(s, n)); }
    void SetVar(int s, int n, int32_t v) override {
        Log("SetVar " + std::to_string(s), n, std::to_string(v));
        cFakeExprHost::SetVar(s, n, v);
    }
    void RequestDeathCheck() override { Log("RequestDeathCheck", 0, ""); }
    void SetSightRadius(void* o, int r) override {
        Log("SetSightRadius " + Who(o), r, "");
        cFakeExprHost::SetSightRadius(o, r);
    }
    void ApplyScrollSpeed(int n) override { Log("ApplyScrollSpeed", n, ""); }
    void StartHpGauge(void* o, int32_t d) override { Log("StartHpGauge " + Who(o), d, ""); }
    void StartSpGauge(void* o, int32_t d) override { Log("StartSpGauge " + Who(o), d, ""); }
    void ErrorBox(const std::string& text) override { Log("ErrorBox " + text, 0, ""); }
    void BadIndex(int n, int size) override { Log("BadIndex " + std::to_string(n), size, ""); }

private:
    void Log(const std::string& what, int n, const std::string& result) {
        vLog.push_back(what + " " + std::to_string(n) + " -> " + result);
    }
    template <typename T>
    T Logged(const std::string& what, int n, T v) {
        Log(what, n, std::to_string(v));
        return v;
    }
    std::string Who(void* o) const {
        if (o == &my) return "my";
        if (o == &pl) return "pl";
        for (int i = 0; i < 4; ++i)
            if (o == &tg[i]) return "tg" + std::to_string(i);
        return o ? "?" : "null";
    }
};
