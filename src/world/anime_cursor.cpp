#include "world/anime_cursor.h"

void cAnimeCursor::Init(const FRAMEITEMTABLE* lpSource) {
    if (!lpSource) return;
    Init(static_cast<const std::vector<std::vector<FRAMEITEM>>&>(*lpSource));
}

void cAnimeCursor::Init(const std::vector<std::vector<FRAMEITEM>>& source) {
    vAnime.clear();
    vAnime.resize(source.size());
    for (size_t i = 0; i < source.size(); ++i) vAnime[static_cast<int>(i)].assign(source[i].begin(), source[i].end());
    nAnime = nFrame = nTicks = 0;
}

void cAnimeCursor::Clear() {
    vAnime.clear();
    nAnime = nFrame = nTicks = 0;
}

const FRAMEITEM& cAnimeCursor::CurItem() const {
    return vAnime[nAnime][nFrame];
}

int32_t cAnimeCursor::Restart(int anime, bool bForce) {
    if (!bForce && !IsEmpty() && CurItem().nFlag != 0) return 0;
    nAnime = anime;
    nFrame = 0;
    nTicks = 0;
    return 1;
}

int32_t cAnimeCursor::Step() {
    if (IsEmpty()) return 0;
    ++nTicks;
    if (nTicks >= CurItem().nFrames) {
        ++nFrame;
        nTicks = 0;
        // An animation without its end item stays on its last frame.
        const int n = static_cast<int>(vAnime[nAnime].size());
        if (nFrame >= n) nFrame = n > 0 ? n - 1 : 0;
        const FRAMEITEM& item = CurItem();
        if (item.nCell == FRAMEITEM_JUMP) {
            Restart(item.nFrames, true);
        } else if (item.nCell == FRAMEITEM_LOOP) {
            nFrame = 0;
        } else if (item.nCell == FRAMEITEM_HOLD) {
            // Back onto the last real frame; every later step comes here again.
            if (nFrame > 0) --nFrame;
        }
    }
    return CurItem().nCell;
}

int32_t cAnimeCursor::GetFrame() const {
    if (IsEmpty()) return 0;
    return CurItem().nCell;
}
