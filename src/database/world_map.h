#pragma once
// The world map of a project (WorldMap.dat): a grid of cells naming chip
// kinds, and events placed on cells, each with pages of conditions and a stage.
// Cell (x, y) is entry (y << pitch shift) + x; a row reserves `pitch` cells,
// the smallest power of two not below the width.
#include <cstdint>
#include <string>

#include "database/world_map_records.h"

class cWorldMap : public cTableRecord {
public:
    // The default content: see BuildDefault.
    cWorldMap();

    void Layout(uint32_t version) override;
    // Fields, chip kinds, cells, events and named events; the repairs of
    // older files; Validate. A map whose size and cells disagree is a failed load.
    void Load(cDataReader& file) override;
    // Validate, then the layout Load reads, at the current version (the
    // fields through the registry, laid out against this map).
    void Save(cDataWriter& file) override;
    // The stored fields in stored order, with the defaults of BuildDefault
    // (the size fields 0: SetSize gives them).
    static std::span<const FIELDROW<cWorldMap>> Rows();

    // Cleared; name "ワールド", start (9, 7), colour 16, no picture, 20 x 15
    // cells, no events, one named event "デフォルト".
    void BuildDefault();
    // Loads a WorldMap.dat into a fresh default map and keeps the result only
    // when the whole file was read: 1, or 0 with this map unchanged.
    int LoadFile(const std::string& name);
    // Saves through a temporary file; 1 on success.
    int SaveFile(const std::string& name);

    // Resizes the grid keeping the cells that remain; 0 (and a debug
    // message) when either size is 0 or less, else 1.
    int SetSize(int width, int height);
    // The first event on cell (x, y), or null.
    cWorldEvent* FindEventAtPos(int x, int y);
    // Index of cell (x, y), x and y clamped into the map.
    int GetCellIndex(int x, int y) const;
    // 1 when a stage page of a placed event names the stage `name` (with
    // the start switch and values), else 0.
    int HasEvent(const std::string& name, int startSwitch, int value1, int value2) const;
    // Start inside the map, cells naming existing chip kinds, events inside the map.
    void Validate();

    int32_t nWidth = 0;
    int32_t nHeight = 0;
    int32_t nPitch = 0;
    int32_t nPitchShift = 0;
    cSafeVector<cMapChip> vChip;
    cSafeVector<int32_t> vCell;
    cSafeVector<cWorldEvent> vEvent;
    cSafeVector<cWorldEvent> vNamedEvent;  // kept in the file; the game does not use it
    int32_t nStartX = 0;
    int32_t nStartY = 0;
    int32_t nBackColor = 0;    // palette colour that fills the map image
    int32_t bBackPicture = 0;  // the background picture is drawn
    std::string strName;
    std::string strBackPicture;
};

// Makes the chip kinds the ten standard kinds: kind i shows picture i; 0 to 4
// are blocked ("移動不可"), 5 to 9 open ("移動可").
void SetStandardChips(cSafeVector<cMapChip>& chips);
// The stage name a stage file stands for in the play record: the name without
// its extension, cut after a final "-1" made "." (or with "." appended).
std::string GetStageKey(const std::string& stageFile);

// The world map of the running game.
extern cWorldMap WorldMap;
// WorldMap back to the default content (tests).
void ResetWorldMap();
