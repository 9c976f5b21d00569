// Writes seed stage files for the stage harness into the folder named by the
// first argument: the smallest stage, the sample stage, and the sample stage
// at older versions.
#include <cstdio>
#include <string>
#include <vector>

#include "records/data_file.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    int bad = 0;
    auto put = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        if (!WriteFileAtomic(dir + "/" + name, bytes)) ++bad;
    };
    cStageData smallest;
    smallest.nWidth = 20;
    smallest.nHeight = 15;
    put("smallest", StageFile(smallest));
    cStageData sample;
    BuildSampleStage(sample);
    put("sample", StageFile(sample));
    for (auto& c : sample.vChara) c.vFlow.clear();
    for (auto& c : sample.vPlacedChara) c.vFlow.clear();
    for (auto& it : sample.vItem) it.vCmd.clear();
    for (auto& it : sample.vPlacedItem) it.vCmd.clear();
    for (uint32_t v : {60u, 154u, 180u, 199u, 224u, 753u})
        put("sample_" + std::to_string(v), StageFileAtVersion(sample, v));
    return bad ? 1 : 0;
}
