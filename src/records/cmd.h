#pragma once
// One menu entry: a text and whether the entry is offered. Menus are vectors
// of entries; a menu shows only the enabled ones.
#include <string>
#include <vector>

#include "records/record.h"

class cCmd : public cRecord {
public:
    cCmd() = default;
    cCmd(int enabled, std::string text) : nEnable(enabled), strText(std::move(text)) {}

    void Layout(uint32_t version) override;

    // Index of the n-th enabled entry (from 0); 0 with a debug message when
    // there is no such entry.
    static int GetCmdNum(int n, const std::vector<cCmd>& cmds);
    // Number of enabled entries.
    static int GetEnableNum(const std::vector<cCmd>& cmds);

    int32_t nEnable = 0;
    std::string strText;
};
