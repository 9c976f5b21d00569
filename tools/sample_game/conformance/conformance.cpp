#include "sample_game/conformance/conformance.h"

#include <cstdio>

namespace sample {

const std::vector<CONFCASE>& ConformanceCases() {
    static const std::vector<CONFCASE> cases = [] {
        std::vector<CONFCASE> v;
        AddTriggerCases(v);
        AddCharaCmdCases(v);
        AddItemCmdCases(v);
        AddCharaCmdValueCases(v);
        AddItemCmdValueCases(v);
        AddConditionCases(v);
        AddBlockCases(v);
        AddAttackCases(v);
        AddStageRuleCases(v);
        AddSystemSwitchCases(v);
        AddPresentCases(v);
        AddEffectCases(v);
        AddChallengeCases(v);
        AddSystemSwitchChallengeCases(v);
        return v;
    }();
    return cases;
}

std::string ConformanceStagePath(size_t i) {
    char name[48];
    std::snprintf(name, sizeof name, "stg4/c%02zu-1.stg4_825", i + 1);
    return name;
}

namespace {

// A table cell: the text with the characters that would break a row escaped.
std::string Cell(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '|') out += '\\';
        out += c == '\n' ? ' ' : c;
    }
    return out;
}

}  // namespace

std::string ConformanceTableText() {
    const std::vector<CONFCASE>& cases = ConformanceCases();
    std::string t =
        "# The conformance game\n\n"
        "`./build/make_sample_game --conformance FOLDER` writes a game whose challenge list holds one small stage "
        "per case below (stage N is case N). `tests/app/conformance_test.cpp` plays every case headless and "
        "checks what its run must show: the stage variables its flows set (`S1 = 1` ...), how the run ends, and "
        "for some the last frame against a golden frame (`tests/data/golden/conformance_NAME.bmp`). "
        "A case marked pending shows a known fault that is being mended; the test reports it without failing.\n\n"
        "This file is written by `./build/make_sample_game --conformance-table`; a test checks that it matches.\n\n";
    std::string table;
    int count = 0;
    auto flush = [&] {
        if (!table.empty()) t += "## " + table + " (" + std::to_string(count) + ")\n\n" + "| stage | case | rule | what a run shows | checked |\n|---|---|---|---|---|\n";
    };
    // Tables in the order they first appear, each with its count.
    std::vector<std::string> order;
    for (const CONFCASE& c : cases) {
        bool seen = false;
        for (const std::string& o : order) seen = seen || o == c.strTable;
        if (!seen) order.push_back(c.strTable);
    }
    for (const std::string& o : order) {
        table = o;
        count = 0;
        for (const CONFCASE& c : cases) count += c.strTable == o;
        flush();
        for (size_t i = 0; i < cases.size(); ++i) {
            const CONFCASE& c = cases[i];
            if (c.strTable != o) continue;
            std::string checked;
            for (const CONFCHECK& k : c.vCheck)
                checked += (checked.empty() ? "" : ", ") + std::string("S") + std::to_string(k.nVar) + " = " +
                           std::to_string(k.nValue);
            const char* ends[] = {"", "cleared", "hero dies", "the stage starts again", "to the title", "to the map"};
            if (c.nLives >= 0)
                checked += (checked.empty() ? "" : ", ") + std::string("lives ") + std::to_string(c.nLives);
            if (c.nEnd != CONFEND_PLAYING) checked += (checked.empty() ? "" : ", ") + std::string(ends[c.nEnd]);
            if (c.bGolden) checked += (checked.empty() ? "" : ", ") + std::string("golden frame");
            if (c.bFreePlay) checked += (checked.empty() ? "" : ", ") + std::string("free play");
            if (c.nRankMode >= 0)
                checked += (checked.empty() ? "" : ", ") + std::string("ranked under the option's name");
            if (c.bReplay)
                checked += (checked.empty() ? "" : ", ") +
                           std::string(c.bNoReplay ? "F1 saves no replay" : "its replay plays the same");
            if (c.bChallenge) checked += (checked.empty() ? "" : ", ") + std::string("challenge from the title");
            if (c.bClearFirst) checked += ", entered again after a clear";
            if (c.nPending >= 0) checked += " (pending: known fault " + std::to_string(c.nPending) + ")";
            t += "| " + std::to_string(i + 1) + " | `" + c.strName + "` | " + Cell(c.strRule) + " | " +
                 Cell(c.strShows) + " | " + checked + " |\n";
        }
        t += "\n";
    }
    return t;
}

}  // namespace sample
