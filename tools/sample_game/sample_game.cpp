#include "sample_game/sample_game.h"

#include <functional>
#include <memory>
#include <system_error>

#include "sample_game/art/blend_tables.h"
#include "sample_game/art/sheets.h"
#include "sample_game/audio/audio.h"
#include "sample_game/data/game_data.h"
#include "database/common_palette.h"
#include "database/data_paths.h"
#include "database/database.h"
#include "database/system_data.h"
#include "database/world_map.h"
#include "platform/graphics/bmp.h"
#include "records/version.h"
#include "stage/definition_context.h"
#include "sample_game/conformance/conformance.h"
#include "sample_game/stages/stages.h"
#include "stage/stage_data.h"

namespace sample {

namespace {

namespace fs = std::filesystem;

// The file name of a program path (the text after its last backslash).
std::string FileNameOf(const char* path) {
    const std::string s = path;
    const auto at = s.rfind('\\');
    return at == std::string::npos ? s : s.substr(at + 1);
}

class cWriter {
public:
    cWriter(const fs::path& folder, SAMPLERESULT& r) : m_Folder(folder), m_R(r) {}

    fs::path Native(const std::string& relative) {
        const fs::path p = m_Folder / relative;
        std::error_code ec;
        fs::create_directories(p.parent_path(), ec);
        return p;
    }
    void Done(const std::string& relative, bool ok) {
        if (ok)
            ++m_R.nFiles;
        else
            m_R.vFailed.push_back(relative);
    }
    void Bytes(const std::string& relative, const std::vector<uint8_t>& bytes) {
        Done(relative, !bytes.empty() && WriteFileBytes(Native(relative).string(), bytes));
    }

private:
    fs::path m_Folder;
    SAMPLERESULT& m_R;
};

// A stage file of a game: its path under the data folder and its builder.
struct STAGEOUT {
    std::string strPath;
    std::function<void(cStageData&)> Build;
};

// The sample game's stage files.
std::vector<STAGEOUT> SampleStages() {
    std::vector<STAGEOUT> v;
    for (const STAGEFILE& f : StageFiles()) v.push_back({f.strPath, f.Build});
    return v;
}

// The project data under `base` ("default/" or "data/"); the conformance game
// has a challenge list of all its cases and an effect of every kind.
void WriteProjectData(cWriter& w, const std::string& base, const std::vector<STAGEOUT>& stages, bool bConformance) {
    auto db = std::make_unique<cDatabase>();
    BuildDatabase(*db);
    // The conformance game adds an effect of every kind.
    if (bConformance) AddEffectKinds(*db);
    for (int i = 0; i < DBFILE_NUM; ++i) {
        const std::string rel = base + "database/" + FileNameOf(GetDbFilePath(i));
        w.Done(rel, db->SaveListFile(i, w.Native(rel).string()) == 1);
    }
    auto sys = std::make_unique<cSystemData>();
    BuildSystemData(*sys);
    if (bConformance) sys->nMaxStage = static_cast<int32_t>(ConformanceCases().size());
    w.Done(base + "System.dat", sys->SaveFile(w.Native(base + "System.dat").string()) == 1);
    auto map = std::make_unique<cWorldMap>();
    BuildWorldMap(*map);
    w.Done(base + "WorldMap.dat", map->SaveFile(w.Native(base + "WorldMap.dat").string()) == 1);
    auto palette = std::make_unique<cCommonPalette>();
    BuildCommonPalette(*palette);
    w.Done(base + "CommonPalette.cplt4", palette->SaveToFile(w.Native(base + "CommonPalette.cplt4").string()) == 1);
    // The stages are checked against the common palette written with them, so
    // that what they take from it is kept as made.
    struct COMMONSCOPE {
        const PALETTELISTS prev = GetCommonPalette();
        explicit COMMONSCOPE(const PALETTELISTS& lists) { SetCommonPalette(lists); }
        ~COMMONSCOPE() { SetCommonPalette(prev); }
    } common(palette->Lists());
    for (const STAGEOUT& f : stages) {
        auto stage = std::make_unique<cStageData>();
        f.Build(*stage);
        const std::string rel = base + f.strPath;
        w.Done(rel, stage->SaveToFile(w.Native(rel).string()) == 1);
    }
}

bool WriteGame(const fs::path& folder, SAMPLERESULT* result, const std::vector<STAGEOUT>& stages, bool bConformance) {
    SAMPLERESULT local;
    SAMPLERESULT& r = result ? *result : local;
    r = SAMPLERESULT();
    // Everything is written at the program's own data version.
    nDataVersion = DATA_VERSION;
    cWriter w(folder, r);
    for (const PICTURE& p : MakeAllPictures()) w.Bytes(p.strPath, p.Canvas.EncodeBmp());
    for (int n = 0; n < kPaletteVariants; ++n) w.Bytes(BlendTablePath(n), MakeBlendTable(n));
    WriteProjectData(w, "default/", stages, bConformance);
    WriteProjectData(w, "data/", stages, bConformance);
    const std::string ini = SystemIniText();
    w.Bytes("System.ini", std::vector<uint8_t>(ini.begin(), ini.end()));
    for (const SOUNDFILE& f : SoundFiles()) {
        const fs::path p = w.Native(f.strPath);
        bool ok = false;
        switch (f.nKind) {
            case SOUNDFILE::WAVE: ok = WriteSoundEffect(p, static_cast<eSound>(f.nWhat)); break;
            case SOUNDFILE::MIDI: ok = WriteMidiTune(p, static_cast<eTune>(f.nWhat)); break;
            case SOUNDFILE::OGG: ok = WriteOggTune(p, static_cast<eTune>(f.nWhat)); break;
        }
        if (ok)
            ++r.nFiles;
        else
            r.vSoundFailed.push_back(f.strPath);
    }
    return r.vFailed.empty() && r.vSoundFailed.empty();
}

}  // namespace

bool WriteSampleGame(const fs::path& folder, SAMPLERESULT* result) {
    return WriteGame(folder, result, SampleStages(), false);
}

bool WriteConformanceGame(const fs::path& folder, SAMPLERESULT* result) {
    // The sample's stages stay for its world map; the challenge list holds the cases.
    std::vector<STAGEOUT> stages = SampleStages();
    const std::vector<CONFCASE>& cases = ConformanceCases();
    std::erase_if(stages, [](const STAGEOUT& f) { return f.strPath.starts_with("stg4/c"); });
    for (size_t i = 0; i < cases.size(); ++i) stages.push_back({ConformanceStagePath(i), cases[i].Build});
    return WriteGame(folder, result, stages, true);
}

bool WriteContactSheet(const fs::path& file, bool bReduced) {
    // Pictures in rows, each framed and separated by a gap; wide ones start a row of their own.
    const std::vector<PICTURE> pictures = MakeAllPictures();
    const int maxW = 1344, gap = 8;
    int x = gap, y = gap, rowH = 0;
    std::vector<std::pair<int, int>> at;
    for (const PICTURE& p : pictures) {
        if (x + p.Canvas.W() + gap > maxW) {
            x = gap;
            y += rowH + gap;
            rowH = 0;
        }
        at.emplace_back(x, y);
        x += p.Canvas.W() + gap;
        rowH = std::max(rowH, p.Canvas.H());
    }
    cCanvas sheet(maxW, y + rowH + gap, Grey(3));
    for (size_t i = 0; i < pictures.size(); ++i) {
        const cCanvas& c = pictures[i].Canvas;
        // Transparent pixels show as a dark checkerboard.
        for (int j = 0; j < c.H(); ++j)
            for (int k = 0; k < c.W(); ++k) {
                const uint8_t v = c.Get(k, j);
                sheet.Set(at[i].first + k, at[i].second + j, v != PAL_KEY ? v : (((k >> 3) ^ (j >> 3)) & 1) ? Grey(1) : Grey(0));
            }
        sheet.Frame(at[i].first - 1, at[i].second - 1, c.W() + 2, c.H() + 2, Grey(11));
    }
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    std::vector<uint8_t> bytes;
    if (bReduced) {
        cCanvas half(sheet.W() / 2, sheet.H() / 2);
        for (int y = 0; y < half.H(); ++y)
            for (int x = 0; x < half.W(); ++x) half.Set(x, y, sheet.Get(2 * x, 2 * y));
        bytes = half.EncodeBmp(true);
    } else {
        bytes = sheet.EncodeBmp();
    }
    return !bytes.empty() && WriteFileBytes(file.string(), bytes);
}

}  // namespace sample
