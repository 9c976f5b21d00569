#pragma once
// The entries of the sound-effect list: first the system sounds, whose files
// the system settings name, then the sounds of the database.
enum : int {
    SE_CURSOR = 0,           // a menu cursor moved
    SE_CONFIRM = 1,
    SE_CANCEL = 2,
    SE_REFUSED = 3,          // a choice that cannot be taken
    SE_MENU_OPEN = 4,        // the world-map menu or the pause menu opened
    SE_SAVED = 5,            // the story was saved
    SE_RANK_PAGE = 6,        // the ranking display changed
    SE_HIT = 7,              // a character took damage
    SE_DEATH = 8,            // the hero died
    SE_KILL = 9,             // another character was killed
    SE_SPRING = 10,          // a spring block threw the hero
    SE_MESSAGE = 11,         // a message that waits for the confirm key opened
    SE_MESSAGE_CONFIRM = 12, // a wait confirmed, when the stage asks for its own sound
    SE_TIMER_WARNING = 13,   // the stage timer runs low
    SE_PLAY_END = 14,        // play ended: the results follow
    SE_EXTRA_LIFE = 15,
    SE_RANK_ENTRY = 16,      // a ranking entry was registered
    SE_SYSTEM_NUM = 17,
    SE_DATA_BASE = 16,       // database sound j (from 1 on) is entry SE_DATA_BASE + j
};
