#include "database/world_map.h"

#include <algorithm>

#include "platform/system/file_name.h"
#include "records/services.h"
#include "records/utility.h"
#include "records/version.h"

namespace {

using M = cWorldMap;
constexpr FIELDROW<M> g_Rows[] = {
    {&M::nWidth, 4},
    {&M::nHeight, 4},
    {&M::nPitch, 4},
    {&M::nPitchShift, 4},
    {&M::nStartX, 4, 0, 0, 9},
    {&M::nStartY, 4, 0, 0, 7},
    {&M::nBackColor, 4, 0, 0, 16},
    {&M::bBackPicture, 4},
    {&M::strName, 0, 0, 0, 0, "ワールド"},
    {&M::strBackPicture, 0},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cWorldMap>> cWorldMap::Rows() { return g_Rows; }

cWorldMap::cWorldMap() {
    Layout(nDataVersion);
    BuildDefault();
}

void cWorldMap::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cWorldMap::BuildDefault() {
    DefaultRows(Rows(), this);
    vChip.clear();
    vCell.clear();
    SetSize(20, 15);
    vEvent.clear();
    vNamedEvent.assign(1, cWorldEvent());
    vNamedEvent[0].strName = "デフォルト";
}

namespace {

// An event stream is at least its field words and its page count.
constexpr size_t MIN_EVENT_BYTES = 12;

template <class V>
void LoadEvents(cDataReader& file, V& v) {
    const uint32_t n = file.ReadCount(MIN_EVENT_BYTES);
    if (file.Failed()) return;
    v.resize(n);
    for (auto& e : v) {
        e.Load(file);
        if (file.Failed()) return;
    }
}

// Whether the stored size, pitch and cells can be walked: a row of at least
// one cell, pitch = 1 << shift not below the width, every cell of the grid stored.
bool GridConsistent(const cWorldMap& m) {
    if (m.nWidth < 1 || m.nHeight < 1 || m.nPitchShift < 0 || m.nPitchShift > 30) return false;
    if (m.nPitch != (1 << m.nPitchShift) || m.nPitch < m.nWidth) return false;
    return static_cast<uint64_t>(m.nHeight) * static_cast<uint64_t>(m.nPitch) <= m.vCell.size();
}

}  // namespace

void cWorldMap::Load(cDataReader& file) {
    cRecord::Load(file);
    LoadRecordVector(file, vChip);
    const uint32_t nCells = file.ReadCount(4);
    if (file.Failed()) return;
    vCell.assign(nCells, 0);
    for (uint32_t i = 0; i < nCells && !file.Failed(); ++i) vCell.data()[i] = file.ReadI32();
    LoadEvents(file, vEvent);
    LoadEvents(file, vNamedEvent);
    if (file.Failed()) return;
    if (!GridConsistent(*this)) {
        file.SetFailed("world map size, pitch and cells disagree");
        return;
    }
    // Older files and maps without chip kinds get the ten standard kinds.
    if (nReadVersion < 812 || vChip.empty()) SetStandardChips(vChip);
    Validate();
}

void cWorldMap::Save(cDataWriter& file) {
    Validate();
    cRecord::Save(file);
    SaveRecordVector(file, vChip);
    file.WriteU32(static_cast<uint32_t>(vCell.size()));
    for (int32_t c : vCell) file.WriteI32(c);
    SaveRecordVector(file, vEvent);
    SaveRecordVector(file, vNamedEvent);
}

int cWorldMap::LoadFile(const std::string& name) {
    cWorldMap fresh;
    if (!fresh.LoadFromFile(name)) return 0;
    *this = std::move(fresh);
    return 1;
}

int cWorldMap::SaveFile(const std::string& name) { return SaveToFile(name); }

void SetStandardChips(cSafeVector<cMapChip>& chips) {
    chips.resize(10);
    for (int i = 0; i < 10; ++i) {
        cMapChip& c = chips[i];
        c.nGraphic = i;
        c.bBlocked = i < 5 ? 1 : 0;
        c.strName = i < 5 ? "移動不可" : "移動可";
        c.strNote.clear();
    }
}

int cWorldMap::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        RecDebugMesBox("SetSize()で 0 を指定しました！");
        return 0;
    }
    cSafeVector<int32_t> old;
    const int oldW = nWidth, oldH = nHeight, oldShift = nPitchShift;
    if (!vCell.empty()) {
        std::string mes;
        FormatString(mes, "nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", nWidth, nPitch,
                     nPitchShift);
        RecDebugMesBox(mes);
        old.swap(vCell);
    }
    nWidth = width;
    nHeight = height;
    nPitchShift = 0;
    for (int w = width - 1; w > 0; w /= 2) ++nPitchShift;
    nPitch = 1 << nPitchShift;
    vCell.assign(static_cast<size_t>(height) * static_cast<size_t>(nPitch), 0);
    if (!old.empty() && oldShift >= 0 && oldShift <= 30) {
        const int w = std::min(oldW, width), h = std::min(oldH, height);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t from = (static_cast<size_t>(y) << oldShift) + static_cast<size_t>(x);
                if (from < old.size()) vCell.data()[(static_cast<size_t>(y) << nPitchShift) + x] = old.data()[from];
            }
    }
    return 1;
}

cWorldEvent* cWorldMap::FindEventAtPos(int x, int y) {
    for (cWorldEvent& e : vEvent)
        if (e.nX == x && e.nY == y) return &e;
    return nullptr;
}

int cWorldMap::GetCellIndex(int x, int y) const {
    x = std::max(0, std::min(x, nWidth - 1));
    y = std::max(0, std::min(y, nHeight - 1));
    return (y << nPitchShift) + x;
}

std::string GetStageKey(const std::string& stageFile) {
    std::string key = stageFile;
    const auto dot = FindExtensionDot(key);
    if (dot != std::string::npos) key.resize(dot);
    // Neither "-" nor "1" can be the second byte of a double-byte character.
    const auto at = key.rfind("-1");
    if (at != std::string::npos) key.resize(at);
    key += '.';
    return key;
}

int cWorldMap::HasEvent(const std::string& name, int startSwitch, int value1, int value2) const {
    for (const cWorldEvent& e : vEvent)
        for (const cWorldPage& p : e.vPage) {
            if (p.nKind != 0) continue;
            if (GetStageKey(p.strStageFile) != name) continue;
            if (startSwitch == 0) {
                if (p.bStartSwitch == 0) return 1;
            } else if (p.bStartSwitch != 0 && p.nStartValue1 == value1 && p.nStartValue2 == value2) {
                return 1;
            }
        }
    return 0;
}

void cWorldMap::Validate() {
    if (nStartX >= nWidth) nStartX = nWidth - 1;
    if (nStartY >= nHeight) nStartY = nHeight - 1;
    // A start left of or above the map is as unusable as one beyond it.
    if (nStartX < 0) nStartX = 0;
    if (nStartY < 0) nStartY = 0;
    const uint32_t kinds = static_cast<uint32_t>(vChip.size());
    for (int32_t& c : vCell)
        if (static_cast<uint32_t>(c) >= kinds) c = 0;
    std::erase_if(vEvent, [this](const cWorldEvent& e) { return !(e.nX < nWidth && e.nY < nHeight); });
}

cWorldMap WorldMap;

void ResetWorldMap() { WorldMap = cWorldMap(); }
