#pragma once
// Helpers that build stages: a grid painter over the stage's placed blocks,
// flows and commands.
#include <string>
#include <vector>

#include "stage/code_table.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "stage/move.h"
#include "stage/shot.h"
#include "stage/stage_data.h"

namespace sample {

// A stage under construction: a character grid of blocks (one letter per
// palette block), placed characters and items.
class cStageKit {
public:
    cStageKit(cStageData& s, int width, int height, const char* title);
    // Adds a stage palette block; `letter` places it in Rows().
    void AddBlock(char letter, const char* name, int graphic, int hit = 1, int pass = 255, int effect = 0);
    // The last added block definition (to set more).
    cBlockData& LastBlock() { return m_Stage.vBlock.back(); }
    // The stage being built.
    cStageData* Stage() { return &m_Stage; }
    // Paints a row of text from cell (x, y); ' ' and '.' leave cells empty.
    void Paint(int x, int y, const std::string& row);
    void Fill(int x, int y, int w, int h, char letter);
    // Places the blocks painted so far.
    void PlaceBlocks();
    int AddChara(const cCharaData& c);  // palette entry, its index
    int AddItem(const cItemData& i);
    void PlaceChara(int palette, int x, int y, int facing = 0);
    void PlaceHero(int x, int y);
    void PlaceItem(int palette, int x, int y);
    void Layer(const char* picture, double rateX, double rateY, bool front = false, double autoX = 0);
    void Text(int id, const char* text);

private:
    cStageData& m_Stage;
    int m_nW, m_nH;
    std::vector<char> m_Grid;
    std::vector<char> m_Letters;
};

cFlowCmd Cmd(int code, int time, std::initializer_list<int> params = {});
cFlowCmd ItemCmd(int code, std::initializer_list<int> params = {});
cFlowCmd MoveCmd(int code, int time, int angle, int speed);
cFlowCmd ShotCmd(int time, int graphic, int count, int speed, int power, int angle = 0, int spread = 0);
cFlowCmd SwordCmd(int time, int sword, int power);
cFlow Flow(int trigger, std::initializer_list<cFlowCmd> cmds, int id = 0);
// A short straight move of the hero in direction code dir (2 left, 3 right).
cFlowCmd WalkCmd(int dir);
// A flow that runs cmd when key slot `slot` is pressed: every frame while it
// is held, or only on the frame it goes down.
cFlow KeyFlow(const cFlowCmd& cmd, int slot, bool whileHeld, int id);

// Key slots of a flow's key condition: direction patterns, then buttons.
enum { KEYSLOT_LEFT = 1, KEYSLOT_RIGHT = 2, KEYSLOT_BUTTON1 = 11, KEYSLOT_BUTTON2 = 12, KEYSLOT_BUTTON3 = 13 };
// The hero's walking speed (tenths of a dot per step), how long one start of
// the walk lasts (tenths of a second: a tap moves the hero a little over half
// a block, a held key starts it again without a gap) and the jump height
// (half blocks of 16 dots: 7 is a little over three blocks).
enum { HERO_WALK_SPEED = 30, HERO_WALK_TIME = 1, HERO_JUMP_HEIGHT = 7 };

// Ready-made enemies.
cCharaData Walker(const char* name, int graphic, int hp, int speed);
cCharaData Jumper(const char* name, int graphic, int hp);
cCharaData Flyer(const char* name, int graphic, int hp);
cCharaData Shooter(const char* name, int graphic, int hp, int shotGraphic);
cCharaData Chaser(const char* name, int graphic, int hp);
cCharaData MovingPlatform(int range);
cItemData Coin();
cItemData Heart();
cItemData KeyItem();
cItemData Goal();

// Trigger codes.
enum { TRG_ALWAYS = 0, TRG_DAMAGED = 1, TRG_DIED = 3, TRG_TOUCH_CHARA = 4, TRG_WALL = 10, TRG_ITEM = 8,
       TRG_HERO_ON = 16, TRG_BEFORE_START = 21 };

}  // namespace sample
