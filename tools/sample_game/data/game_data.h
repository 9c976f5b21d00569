#pragma once
// The sample game's database lists, system settings, world map, common
// palette and System.ini, built in code from the project's own records.
#include <string>
#include <vector>

#include "sample_game/audio/audio.h"

class cDatabase;
class cSystemData;
class cWorldMap;
class cCommonPalette;

namespace sample {

// A sound or tune file of the game and what the audio writers make of it.
struct SOUNDFILE {
    std::string strPath;  // relative, forward slashes
    enum eKind { WAVE, MIDI, OGG } nKind;
    int nWhat;            // an eSound or an eTune
};

// Every sound and music file the data names, each once.
std::vector<SOUNDFILE> SoundFiles();

// Indices of the database lists that the stages use.
enum eSampleSound {  // Sound.dat
    SND_JUMP = 1, SND_SHOT, SND_SWORD, SND_HIT, SND_COIN, SND_POWER_UP, SND_KEY, SND_EXPLOSION, SND_DOOR,
    SND_WARP, SND_BOSS_ROAR, SND_LAND, SND_STEP,
};
enum eSampleBgm {  // Bgm.dat
    BGM_TITLE = 1, BGM_WORLD_MAP, BGM_FIELD, BGM_CAVE, BGM_CASTLE, BGM_BOSS, BGM_CLEAR, BGM_GAME_OVER,
    BGM_FIELD_MIDI,
};
enum eSampleAnime {  // Anime.dat
    ANIME_ATTACK = 2, ANIME_JUMP, ANIME_FALL, ANIME_DAMAGE, ANIME_DOWN, ANIME_CROUCH, ANIME_CHEER, ANIME_SHOOT,
};
enum eSampleAnimeSet { ASET_HERO = 1, ASET_WALKER = 2, ASET_FLYER = 3 };
enum eSampleEffect { EFF_EXPLOSION = 1, EFF_HIT, EFF_SMOKE, EFF_SPARKLE };
enum eSampleCharaEffect { CEFF_BLINK = 1, CEFF_BURST, CEFF_SPIN, CEFF_FADE };
enum eSampleSword { SWORD_BLADE = 1, SWORD_SPEAR };
enum eSamplePicture { PIC_BANNER = 1, PIC_ELDER };

void BuildDatabase(cDatabase& db);
void BuildSystemData(cSystemData& s);
void BuildWorldMap(cWorldMap& map);
void BuildCommonPalette(cCommonPalette& palette);
// The text of System.ini (CRLF lines, closed by "Exit").
std::string SystemIniText();

// Program form of a relative path: backslashes.
std::string ProgramPath(const std::string& relative);

}  // namespace sample
