#pragma once
// The heavy stage of the play benchmarks, made with the sample game's stage
// kit: a stage of 60 x 15 blocks, every cell of it a block (solid ground and
// walls, the rest blocks drawn without hitting) under four background
// layers; `charas` characters walking along the ground and turning at the
// walls, active wherever they are, each shooting a spark every 0.8 seconds;
// the hero on a ledge above them.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "actors/shot.h"
#include "actors/stage_chara.h"
#include "play/play_scene.h"

#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"
#include "sample_game/stages/stage_kit.h"
#include "stage/stage_data.h"

namespace apptest {

constexpr int kHeavyWidth = 60;

inline void BuildHeavyStage(cStageData& s, int charas) {
    sample::cStageKit k(s, kHeavyWidth, 15, "heavy");
    k.AddBlock('G', "grass", sample::BG_GRASS);
    k.AddBlock('D', "dirt", sample::BG_DIRT);
    k.AddBlock('S', "stone", sample::BG_STONE);
    k.AddBlock('c', "cave", sample::BG_CAVE, 0);
    k.Layer(sample::kBackSky, 0.0, 0.0);
    k.Layer(sample::kBackNight, 0.2, 0.0);
    k.Layer(sample::kBackHills, 0.4, 0.0);
    k.Layer(sample::kBackCave, 0.6, 0.0);
    k.Fill(0, 0, kHeavyWidth, 13, 'c');
    k.Fill(0, 13, kHeavyWidth, 2, 'D');
    k.Paint(0, 13, std::string(kHeavyWidth, 'G'));
    k.Fill(0, 0, 1, 13, 'S');
    k.Fill(kHeavyWidth - 1, 0, 1, 13, 'S');
    k.Paint(1, 4, "SSSS");
    k.PlaceBlocks();
    k.PlaceHero(2, 3);
    cCharaData walker = sample::Walker("walker", sample::CG_SLIME, 10, 10);
    walker.bySetting52 = 3;  // active wherever it is
    cFlowCmd spark = sample::ShotCmd(1, sample::SG_SPARK, 1, 30, 1);
    spark.nSE = 0;
    spark.spShot->nRange = 60;
    walker.vFlow.push_back(sample::Flow(sample::TRG_ALWAYS, {sample::Cmd(CMD_WAIT, 7), spark}, 7));
    const int w = k.AddChara(walker);
    for (int i = 0; i < charas; ++i) k.PlaceChara(w, 1 + i % (kHeavyWidth - 2), 12, i & 1);
}

// Folds a value into a checksum (64-bit FNV-1a over its bytes).
template <class T>
void Fold(uint64_t& sum, const T& v) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    for (unsigned char c : b) sum = (sum ^ c) * 1099511628211ull;
}

// The state of play a faster frame must leave alone: every character's
// position, facing, HP and running flows with their places, and every
// shot's position.
inline void FoldPlay(uint64_t& sum, const cPlayScene& play) {
    Fold(sum, play.World.lstStageChara.size());
    for (const cStageChara& c : play.World.lstStageChara) {
        Fold(sum, c.x);
        Fold(sum, c.y);
        Fold(sum, c.nFacing);
        Fold(sum, c.hp);
        int running = 0;
        for (const cFlowRun& f : c.flows)
            if (f.running) {
                ++running;
                Fold(sum, f.current);
                Fold(sum, f.frame);
            }
        Fold(sum, running);
    }
    Fold(sum, play.World.lstShots.size());
    for (const auto& s : play.World.lstShots) {
        Fold(sum, s->x);
        Fold(sum, s->y);
    }
}

inline bool WriteHeavyStage(const std::filesystem::path& file, int charas) {
    cStageData s;
    BuildHeavyStage(s, charas);
    return s.SaveToFile(file.string()) == 1;
}

}  // namespace apptest
