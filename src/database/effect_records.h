#pragma once
// Character effects (CharaEffect.dat) and screen effects (ScrEffect.dat):
// one layout of a name, a kind and five parameters (run time, then
// parameters 2 to 5). The two classes differ in the fix-up of old files.
#include <cstdint>
#include <string>
#include <vector>

#include "records/field_table.h"

// Files older than this version get some parameters replaced by their defaults.
constexpr uint32_t EFFECT_PARAM_FIX_VERSION = 511;
constexpr int EFFECT_PARAM_NUM = 5;

class cEffectData : public cTableRecord {
protected:
    struct UNTAKEN {};

public:
    // The defaults: cleared, kind 1.
    cEffectData();
    // The members' initial values alone, for the list load (which takes them all).
    explicit cEffectData(UNTAKEN) {}
    // Registers the name, the kind (one field) and the five parameters (one field of five).
    void Layout(uint32_t version) override;
    // The table load (the two classes add the fix-up of old files).
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // The stored fields in stored order.
    static std::span<const FIELDROW<cEffectData>> Rows();

    std::string strName;
    int32_t nKind = 1;                     // 0 none
    int32_t nParam[EFFECT_PARAM_NUM] = {};  // run time (tenths of a second), parameters 2 to 5
};

class cCharaEffect final : public cEffectData {
public:
    cCharaEffect() = default;
    explicit cCharaEffect(UNTAKEN u) : cEffectData(u) {}
    // The table load; files older than 511: kinds 4 and 5 take the default
    // of parameter 5, kind 10 that of parameter 4.
    void Load(cDataReader& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cCharaEffect* elems, size_t n);
    static void SaveRun(cDataWriter& file, cCharaEffect* elems, size_t n);
    // A list load's new entries (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cCharaEffect>& v, size_t n);
};

class cScrEffect final : public cEffectData {
public:
    cScrEffect() = default;
    explicit cScrEffect(UNTAKEN u) : cEffectData(u) {}
    // The table load; files older than 511: kinds 6 and 7 take the default
    // of parameter 5, kind 10 that of parameter 4.
    void Load(cDataReader& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cScrEffect* elems, size_t n);
    static void SaveRun(cDataWriter& file, cScrEffect* elems, size_t n);
    // A list load's new entries (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cScrEffect>& v, size_t n);
};
