#pragma once
// The conformance game: one small stage per rule of play. Each case names
// the rule, says in plain words what a run of its stage must show, and
// carries what the run is checked against: stage variables its flows set,
// and how the run ends (still in play, cleared, or the hero dead).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class cDatabase;
class cStageData;
class cSystemData;

namespace sample {

// How a case's run ends.
enum eConfEnd : int {
    CONFEND_PLAYING = 0,  // still in play after the case's frames
    CONFEND_CLEARED = 1,  // the stage was cleared
    CONFEND_DIED = 2,     // the hero died (the run ends at its death)
    // Ends of a run that pauses (cases with bClearFirst):
    CONFEND_RETRIED = 3,  // the stage started again from its start without a death
    CONFEND_TITLE = 4,    // play was left for the title
    CONFEND_MAP = 5,      // play was left for the world map
};

// A stage variable and the value it must hold when the run ends.
struct CONFCHECK {
    int nVar = 0;
    int nValue = 0;
};

struct CONFCASE {
    std::string strName;   // unique, also the name of the last frame written beside a failure
    std::string strTable;  // the table of rules it belongs to ("triggers", "character commands", ...)
    std::string strRule;   // the row: its code and name
    std::string strShows;  // what a run must show and why
    std::function<void(cStageData&)> Build;
    int nFrames = 120;       // frames of play the run lasts at most
    std::string strInput;    // key script in frames of play ("10 RIGHT down\n...")
    std::vector<CONFCHECK> vCheck;
    int nEnd = CONFEND_PLAYING;
    // The last frame of the run is compared with the golden frame of the case's name.
    bool bGolden = false;
    // Played as free play of the stage file (banners, the results of a free
    // play); otherwise as the editor's test play, straight into play.
    bool bFreePlay = false;
    // Played as a challenge: from the title menu into the challenge list, to
    // the stage of its number, confirmed (the last cases of the list, which
    // the list's paging reaches quickly).
    bool bChallenge = false;
    // Played as a story: from the title a new story, then on the world map a
    // step onto the first stage, whose event names the case's stage for this run.
    bool bStory = false;
    // With bChallenge or bStory: played twice in the same save. The first run
    // plays the stage with strFirstInput and must clear it; its results are
    // confirmed and the same stage is chosen again in the challenge list or
    // on the world map. The second run, with strInput, is the one checked.
    bool bClearFirst = false;
    std::string strFirstInput;
    // Played twice: first as the editor's test play, whose keys end with F1,
    // which saves the run as a replay (and ends the run); then that replay
    // from the command line, which must end with the same stage variables,
    // last changed on the same frame of play.
    bool bReplay = false;
    // With bReplay: F1 must save no replay (the run plays on to its end).
    bool bNoReplay = false;
    // -1: the option record as it is. 0..3: the ranking mode the option record
    // is given for this run, with the ranking name "conf"; a cleared run then
    // goes on through the results (the case's keys confirm them) until play
    // ends, and the stage's ranking file must hold the name.
    int nRankMode = -1;
    // The name the stage's ranking file must hold after a ranked run: the
    // option's name, or the one the case's keys type into the name dialog.
    std::string strRankName = "conf";
    // Changes the game's System.dat for this case's run only (empty: as written).
    std::function<void(cSystemData&)> System;
    // The data version that case's System.dat is written at (0: the current one).
    uint32_t nSystemVersion = 0;
    // The hero's lives left when the run ends (-1: not checked).
    int nLives = -1;
    // A known fault of the play engine that is being mended elsewhere, by its
    // number in that list: the case is reported but does not fail. -1 none.
    int nPending = -1;
};

// Every case, in table order; case i is stage "stg4/cNN-1.stg4_825" with NN = i + 1.
const std::vector<CONFCASE>& ConformanceCases();
// The stage file of case i, relative to the data folder.
std::string ConformanceStagePath(size_t i);
// docs/conformance.md: the table of cases, made from ConformanceCases().
std::string ConformanceTableText();

// Parts the case files add to the table.
void AddTriggerCases(std::vector<CONFCASE>& v);
void AddCharaCmdCases(std::vector<CONFCASE>& v);
void AddItemCmdCases(std::vector<CONFCASE>& v);
void AddCharaCmdValueCases(std::vector<CONFCASE>& v);  // with the three below
void AddStatusCmdValueCases(std::vector<CONFCASE>& v);
void AddPresentCmdValueCases(std::vector<CONFCASE>& v);
void AddAttackCmdValueCases(std::vector<CONFCASE>& v);
void AddItemCmdValueCases(std::vector<CONFCASE>& v);
void AddConditionCases(std::vector<CONFCASE>& v);
void AddBlockCases(std::vector<CONFCASE>& v);
void AddAttackCases(std::vector<CONFCASE>& v);
void AddShotPathCases(std::vector<CONFCASE>& v);  // called by AddAttackCases
void AddStageRuleCases(std::vector<CONFCASE>& v);
void AddSystemSwitchCases(std::vector<CONFCASE>& v);
void AddPresentCases(std::vector<CONFCASE>& v);
void AddEffectCases(std::vector<CONFCASE>& v);
// The cases played as challenges: last in the list.
void AddChallengeCases(std::vector<CONFCASE>& v);
void AddSystemSwitchChallengeCases(std::vector<CONFCASE>& v);
// The conformance game's database: the sample's, with one screen effect and one
// character effect of every kind added after its own.
void AddEffectKinds(cDatabase& db);

}  // namespace sample
