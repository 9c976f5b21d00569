#include "stage/anime_set.h"

#include "records/version.h"

namespace {

// Smallest stream of a frame (field count, three values, string count) and of
// an entry (two counts and the frame count): bounds the counts a file may hold.
constexpr size_t MIN_FRAME_BYTES = 20;
constexpr size_t MIN_MOVE_BYTES = 12;

}  // namespace

cAnimeSetFrame::cAnimeSetFrame() { Layout(nDataVersion); }

void cAnimeSetFrame::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&nValue1);
    AddIntField(&nValue2);
    AddIntField(&nValue3);
}

cAnimeSetMove::cAnimeSetMove() { Init(); }

void cAnimeSetMove::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    if (version >= 55) {
        AddShortField(&wValue1);
        AddByteField(&byFlag);
        AddShortField(&wValue2);
    }
}

void cAnimeSetMove::Init() {
    Clear();
    vFrame.assign(1, cAnimeSetFrame());
    byFlag = 1;
}

void cAnimeSetMove::ResizeFrames(size_t n) { vFrame.resize(n); }

void cAnimeSetMove::Load(cDataReader& file) {
    cRecord::Load(file);
    uint32_t n = file.ReadCount(MIN_FRAME_BYTES);
    if (file.Failed()) return;
    ResizeFrames(n);
    for (auto& f : vFrame) {
        f.Load(file);
        if (file.Failed()) return;
    }
}

void cAnimeSetMove::Save(cDataWriter& file) {
    cRecord::Save(file);
    SaveRecordVector(file, vFrame);
}

cAnimeSetData::cAnimeSetData() { Layout(nDataVersion); }

void cAnimeSetData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    AddIntField(&nOffsetA);
    AddIntField(&nOffsetB);
    if (version >= 119) AddIntField(&nOffsetC);
}

void cAnimeSetData::ResizeMoves(size_t n) {
    // New entries are made by the entry's Init (the default constructor).
    vMove.resize(n);
}

void cAnimeSetData::Load(cDataReader& file) {
    cRecord::Load(file);
    uint32_t n = file.ReadCount(MIN_MOVE_BYTES);
    if (file.Failed()) return;
    vMove.resize(n);
    for (auto& m : vMove) {
        m.Load(file);
        if (file.Failed()) return;
    }
    if (nReadVersion < 119) ResizeMoves(4);
    if (nReadVersion < 128) {
        ResizeMoves(4);
        vMove[2].strName = "飛行";
        vMove[3].strName = "飛行移動";
    }
}

void cAnimeSetData::Save(cDataWriter& file) {
    cRecord::Save(file);
    SaveRecordVector(file, vMove);
}
