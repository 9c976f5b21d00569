#pragma once
// Replays: the input of player 1 in one run, recorded frame by frame as two
// run-length channels (the direction word and the button word), with the
// random seed the run began with.
//
// Replay file (user_data\rpl4\*.rpl4_825): u32 version; the stage as
// cStageData::SaveForReplay writes it; the key log's stream (u32 1, the seed,
// u32 0); u32 n + n direction values (u16); u32 n + n button values (u16);
// u32 n + n direction counts (u32); u32 n + n button counts (u32); from
// version 173 the save record's stream as the run began.
#include <cstdint>
#include <span>
#include <string>

#include "records/field_table.h"
#include "records/safe_container.h"

class cInput;
class cSaveData;
class cStageData;

class cKeyLog : public cTableRecord {
public:
    // Seed 0, no runs, cursors 0.
    cKeyLog() = default;
    // Copies the seed and the four arrays; the cursors stay as they were.
    cKeyLog(const cKeyLog& o) : cTableRecord(o) { *this = o; }
    cKeyLog& operator=(const cKeyLog& o);

    static std::span<const FIELDROW<cKeyLog>> Rows();
    // The seed, at every version.
    void Layout(uint32_t version) override;
    // The stream, then the four arrays (each u32 count and elements). The
    // value and count arrays of a channel must be equally long.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Seed 0, every array empty, cursors and counters 0.
    void Clear();

    // Appends one frame of the input record's two words.
    void RecordFrame(const cInput& input);
    // Writes the next frame's two words into the input record: 0, or 1 (and
    // nothing written) when either channel has run out.
    int PlayFrame(cInput& input);
    // Playback from the first frame again.
    void Rewind();
    // Frames recorded (the direction channel's total).
    uint64_t CountFrames() const;

    // Writes a replay file of this log with the stage (its objects) and the
    // play copy (its settings) and the save-record snapshot; 1, or 0 when
    // the file could not be written (an older file of the name stays whole).
    int SaveReplay(const std::string& path, cStageData& stage, cStageData& playCopy, cSaveData& snapshot);
    // Reads a replay file into the stage, the play copy (its header only),
    // this log and, from version 173, the save record. 0 when the file cannot
    // be opened, is newer than the program or is damaged: then nothing of
    // the four has changed. The file's version is kept in nFileVersion.
    int LoadReplay(const std::string& path, cStageData& stage, cStageData& playCopy, cSaveData& save);

    uint32_t dwRandSeed = 0;             // the seed of the run (stored)
    cSafeVector<uint16_t> vDirValue;     // one per run of equal direction words
    cSafeVector<uint16_t> vButtonValue;  // one per run of equal button words
    cSafeVector<uint32_t> vDirCount;     // frames of each direction run
    cSafeVector<uint32_t> vButtonCount;  // frames of each button run
    // Playback state, never stored.
    uint32_t nDirRun = 0, nButtonRun = 0;
    uint32_t nDirFrame = 0, nButtonFrame = 0;
    // Version of the replay file last read (run time).
    uint32_t nFileVersion = 0;
};

// The replay extension: "rpl4_" and the data version.
std::string GetReplayExtension();
// The proposed path of a new replay of the stage `stageName` (the live save
// record's stage name; its events add the story suffix), dated with the local
// time and numbered " (2)" .. " (999)" when taken, as a full path. Always 1.
int MakeReplayFileName(std::string& out, const std::string& stageName);
