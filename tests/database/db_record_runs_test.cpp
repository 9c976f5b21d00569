// The database lists whose records load and save a run at a time (frame lists
// after the texts too), against
// the same lists loaded and saved element by element: every version that
// changed one of them, every cut of the stream.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "database/effect_bmp.h"
#include "database/effect_records.h"
#include "database/media_records.h"
#include "database/sword_type.h"
#include "db_test_support.h"
#include "records/version.h"
#include "support/list_load.h"
#include "stage/anime_set.h"
#include "support/written_bytes.h"

namespace {

// Texts of every kind: empty, inline, longer than inline, with a carriage return.
const char* const TEXTS[] = {"", "a.bmp", "sixteen chars!!!", "bgm\\a text longer than a string holds inline.mid",
                             "x\r\ny"};

void Fill(cCharaBmpData& e, int i) {
    e.strName = TEXTS[i % 5];
    e.nAddedInt = i;
    e.strFile = TEXTS[(i + 2) % 5];
    e.bCustomCellSize = i & 1;
    e.nCellBlocks = i + 1;
}
template <class T>
void FillMedia(T& e, int i) {
    e.strName = TEXTS[i % 5];
    e.nAddedInt = i + 3;
    e.strFile = TEXTS[(i + 1) % 5];
}
void Fill(cPictureData& e, int i) { FillMedia(e, i); }
void Fill(cSoundData& e, int i) { FillMedia(e, i); }
void Fill(cBgmData& e, int i) {
    FillMedia(e, i);
    e.nVolume = 10 * i;
}
void Fill(cEffectData& e, int i) {
    e.strName = TEXTS[(i + 3) % 5];
    e.nKind = i % 2 ? 10 : 4 + i % 4;  // kinds that files older than 511 fix up
    for (int k = 0; k < EFFECT_PARAM_NUM; ++k) e.nParam[k] = 100 * i + k;
}
void Fill(cSwordTypeData& e, int i) {
    e.strName = TEXTS[i % 5];
    e.nAddedInt = i + 1;
    e.strFile = TEXTS[(i + 4) % 5];
    e.strText3 = TEXTS[(i + 2) % 5];
    e.vFrame.resize(static_cast<size_t>(i % 3));  // none, one or two frames
    for (size_t f = 0; f < e.vFrame.size(); ++f)
        for (int k = 0; k < SWORDFRAME_VALUE_NUM; ++k) e.vFrame[f].nValue[k] = 10 * i + k + static_cast<int>(f);
}
void Fill(cEffectBmpData& e, int i) {
    e.strName = TEXTS[(i + 1) % 5];
    e.nAddedInt = i + 2;
    e.strFile = TEXTS[i % 5];
    e.nCellWidth = 16 * i;
    e.nCellHeight = 8 * i;
    e.bScalable = i & 1;
    e.vFrame.assign(static_cast<size_t>(i % 3), cPairRecord(i, i + 1));
}

void Fill(cAnimeSetMove& e, int i) {
    e.strName = TEXTS[(i + 2) % 5];
    e.wValue1 = static_cast<uint16_t>(7 * i + 1);
    e.byFlag = static_cast<uint8_t>(i % 3);
    e.wValue2 = static_cast<uint16_t>(9 * i + 2);
    e.ResizeFrames(static_cast<size_t>(i % 3));  // none, one or two frames
    for (size_t f = 0; f < e.vFrame.size(); ++f) {
        e.vFrame[f].nValue1 = 10 * i + static_cast<int>(f);
        e.vFrame[f].nValue2 = -i;
        e.vFrame[f].nValue3 = i + 5;
    }
}

// How a list load ended, then its elements saved at the current version.
template <class T>
std::string Describe(LISTLOAD<T>& l) {
    const uint32_t read = nReadVersion;
    nReadVersion = DATA_VERSION;
    cDataWriter w;
    for (auto& e : l.v) e.Save(w);
    nReadVersion = read;
    const std::vector<uint8_t> saved = WrittenBytes(w);
    return std::to_string(l.bFailed) + l.strWhy + "@" + std::to_string(l.nPosition) + " " +
           std::string(saved.begin(), saved.end());
}

// A list loaded from `bytes` at the read version in force: by the list loader
// (runs) or element by element.
template <class T>
std::string LoadAndDescribe(const std::vector<uint8_t>& bytes, size_t n, bool bRun) {
    LISTLOAD<T> l = LoadListEitherWay(bytes, std::vector<T>(n), LoadRecords<T>, bRun);
    return Describe(l);
}

// A list file's stream (count, then the elements) loaded into `v` at the read
// version in force: by the list loader, or by making v as long as the count
// says with new elements and loading each by its own Load.
template <class T>
std::string LoadListFileAndDescribe(const std::vector<uint8_t>& bytes, std::vector<T> v, bool bLoader) {
    cDataReader r(bytes.data(), bytes.size());
    if (bLoader) {
        LoadRecordVector(r, v);
    } else if (const uint32_t n = r.ReadCount(8); !r.Failed()) {
        v.resize(n);
        for (auto& e : v) {
            e.Load(r);
            if (r.Failed()) break;
        }
    }
    LISTLOAD<T> l{std::move(v), r.Failed(), r.FailReason(), r.Position()};
    return Describe(l);
}

// New elements that the list loader makes without their default frame load
// as new elements loaded one by one do, at every version and cut, after
// elements that existed or none.
template <class T>
void ExpectNewElementsAsFresh(const char* what) {
    static_assert(AppendsLoaded<T>);
    constexpr int N = 6;
    std::vector<T> v(N), existing(2);
    for (int i = 0; i < N; ++i) Fill(v[i], i);
    for (int i = 0; i < 2; ++i) Fill(existing[i], i + 4);
    for (uint32_t version : {54u, 55u, 137u, 138u, 150u, 151u, 152u, DATA_VERSION}) {
        nDataVersion = version;
        cDataWriter w;
        SaveRecordVector(w, v);
        const std::vector<uint8_t> bytes = WrittenBytes(w);
        nDataVersion = DATA_VERSION;
        nReadVersion = version;
        for (size_t len = 0; len <= bytes.size(); ++len) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + len);
            for (const std::vector<T>& before : {std::vector<T>(), existing})
                ASSERT_EQ(LoadListFileAndDescribe<T>(cut, before, true), LoadListFileAndDescribe<T>(cut, before, false))
                    << what << " at version " << version << ", cut at " << len << " after " << before.size();
        }
        nReadVersion = DATA_VERSION;
    }
}

// The same with one word of a current stream changed (a count, a field or
// string count, a length, a value) to each of a few values: a list loaded
// by the list loader ends, fails or reads on as one loaded element by
// element does.
template <class T>
void ExpectNewElementsAsFreshWhenCorrupt(const char* what) {
    constexpr int N = 6;
    std::vector<T> v(N);
    for (int i = 0; i < N; ++i) Fill(v[i], i);
    cDataWriter w;
    SaveRecordVector(w, v);
    const std::vector<uint8_t> bytes = WrittenBytes(w);
    for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
        for (uint32_t word : {0u, 1u, 2u, 3u, 4u, 0xFFFFFFFFu}) {
            std::vector<uint8_t> bad = bytes;
            std::memcpy(bad.data() + at, &word, 4);
            ASSERT_EQ(LoadListFileAndDescribe<T>(bad, {}, true), LoadListFileAndDescribe<T>(bad, {}, false))
                << what << " with word " << word << " at " << at;
        }
    }
}

template <class T>
void ExpectRunsAsOneByOne(const char* what) {
    constexpr int N = 6;
    std::vector<T> v(N);
    for (int i = 0; i < N; ++i) Fill(v[i], i);
    for (uint32_t version : {54u, 55u, 137u, 138u, 150u, 151u, 152u, 171u, 172u, 510u, 511u, 813u, 814u, DATA_VERSION}) {
        nDataVersion = version;
        std::vector<T> one = v, run = v;
        cDataWriter wOne, wRun;
        for (auto& e : one) e.Save(wOne);
        SaveRecords(wRun, run.data(), run.size());
        const std::vector<uint8_t> bytes = WrittenBytes(wOne);
        ASSERT_EQ(WrittenBytes(wRun), bytes) << what << " saved at " << version;
        nDataVersion = DATA_VERSION;
        nReadVersion = version;
        for (size_t len = 0; len <= bytes.size(); ++len) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + len);
            ASSERT_EQ(LoadAndDescribe<T>(cut, N, true), LoadAndDescribe<T>(cut, N, false))
                << what << " at version " << version << ", cut at " << len;
        }
        nReadVersion = DATA_VERSION;
    }
}

class DbRecordRunsTest : public dbtest::cDbTest {};

TEST_F(DbRecordRunsTest, ListsLoadAndSaveAsTheirElementsDoOneByOneAtEveryVersionAndCut) {
    ExpectRunsAsOneByOne<cCharaBmpData>("character bitmaps");
    ExpectRunsAsOneByOne<cPictureData>("pictures");
    ExpectRunsAsOneByOne<cSoundData>("sounds");
    ExpectRunsAsOneByOne<cBgmData>("music");
    ExpectRunsAsOneByOne<cCharaEffect>("character effects");
    ExpectRunsAsOneByOne<cScrEffect>("screen effects");
    ExpectRunsAsOneByOne<cSwordTypeData>("sword types");
    ExpectRunsAsOneByOne<cEffectBmpData>("effect graphics");
    ExpectRunsAsOneByOne<cAnimeSetMove>("animations");
}

TEST_F(DbRecordRunsTest, NewListElementsLoadAsNewElementsLoadedOneByOneAtEveryVersionAndCut) {
    ExpectNewElementsAsFresh<cAnimeSetMove>("animations");
    ExpectNewElementsAsFresh<cSwordTypeData>("sword types");
    ExpectNewElementsAsFresh<cEffectBmpData>("effect graphics");
}

TEST_F(DbRecordRunsTest, NewListElementsLoadAsNewElementsLoadedOneByOneWhenAWordIsCorrupt) {
    ExpectNewElementsAsFreshWhenCorrupt<cAnimeSetMove>("animations");
    ExpectNewElementsAsFreshWhenCorrupt<cSwordTypeData>("sword types");
    ExpectNewElementsAsFreshWhenCorrupt<cEffectBmpData>("effect graphics");
}

// Lists of text rows alone make their new entries as they take them, with
// short texts made as new strings: the same lists as new elements loaded one
// by one, whole, cut or with a word changed.
TEST_F(DbRecordRunsTest, NewTextRowEntriesLoadAsNewElementsLoadedOneByOne) {
    ExpectNewElementsAsFresh<cCharaBmpData>("character bitmaps");
    ExpectNewElementsAsFresh<cPictureData>("pictures");
    ExpectNewElementsAsFresh<cSoundData>("sounds");
    ExpectNewElementsAsFresh<cBgmData>("music");
    ExpectNewElementsAsFresh<cCharaEffect>("character effects");
    ExpectNewElementsAsFresh<cScrEffect>("screen effects");
    ExpectNewElementsAsFreshWhenCorrupt<cCharaBmpData>("character bitmaps");
    ExpectNewElementsAsFreshWhenCorrupt<cBgmData>("music");
    ExpectNewElementsAsFreshWhenCorrupt<cScrEffect>("screen effects");
}

}  // namespace
