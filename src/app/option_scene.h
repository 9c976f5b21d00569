#pragma once
// Scene 5: the player's options, one row per option the project offers:
// palette, music, effect volume, ranking mode and name, back. A value is
// changed in place with up and down (its effect heard or seen at once where
// it can be), cancel restores it; leaving saves user_data\Option.dat.
#include <cstdint>

#include "scene/scene.h"

class cOptionScene : public cScene {
public:
    static constexpr int ITEM_MAX = 6;
    cOptionScene();
    ~cOptionScene() override;
    void Init() override;
    void Exit() override;
    void Draw() override { DrawFrame(); }

private:
    void List();
    void ChooseRow();
    void EditValue();
    // The live effect of the option being edited.
    void ApplyLive();
    void DrawScreen();
    void DrawFrame();

    int m_nItemCount = 1;
    int m_nItems[ITEM_MAX] = {};
    int m_nOption = 0;
    int32_t m_nBefore = 0;
    int32_t* m_pValue = nullptr;
    int32_t m_nMin = 0;
    int32_t m_nMax = 0;
    int32_t m_bMusicOn = 0;  // whether the music manager runs (the switch as the scene was entered)
};

// The effect volume (hundredths of a decibel) of option volume v (0..10).
int OptionSEVolume(int v);
