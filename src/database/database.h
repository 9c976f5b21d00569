#pragma once
// The project database: the shared lists that stages and flows refer to by
// index (index 0 of every list is its none or default entry). Ten lists are
// loaded from data\database; lists 11 and 12 are working copies of the two
// effect lists from which the reversed effect runs are prepared.
#include <string>

#include "database/effect_bmp.h"
#include "database/effect_records.h"
#include "database/media_records.h"
#include "database/sword_type.h"
#include "records/record.h"
#include "records/safe_container.h"
#include "stage/anime_set.h"

class cDatabase : public cRecord {
public:
    // The default content (BuildDefault); the two copies empty.
    cDatabase();
    // No stored fields (the base layout registers nothing): the lists are
    // stored each in a file of its own.
    using cRecord::Load;
    using cRecord::Save;
    // Loads the ten list files in order. 1 when all were read; 0 at the first
    // that cannot be opened, is newer than the program or is damaged (shown
    // with the load-failure message); that list and the later ones keep what
    // they held. Entry 0 of both effect lists gets kind 0. Publishes the list
    // sizes to the flow checks.
    int Load();
    // Fills the ten lists with the default content.
    void BuildDefault();
    // Loads one list file into its list, whole or not at all; 1 on success,
    // 0 (with the load-failure message) otherwise.
    int LoadListFile(int file, const std::string& path);
    // Writes one list in the list-file format through a temporary file; 1 on success.
    int SaveListFile(int file, const std::string& path);
    // Lists 11 and 12 := lists 6 and 7.
    void MakeEffectCopies();
    // Number of entries of list `file` (one of eDbFile).
    int ListSize(int file) const;
    // Tells the flow and definition checks the sizes of the lists.
    void PublishCounts() const;
    // Back to the state after construction; forgets the published sizes (tests).
    void Reset();

    cSafeVector<cAnimeSetData> vAnimeSet;     // 1 AnimeSet.dat
    cSafeVector<cAnimeSetMove> vAnime;        // 2 Anime.dat
    cSafeVector<cCharaBmpData> vCharaBmp;     // 3 Bmp_CharaExc.dat
    cSafeVector<cSwordTypeData> vSwordType;   // 4 SwordType.dat
    cSafeVector<cEffectBmpData> vEffect;      // 5 Effect.dat
    cSafeVector<cCharaEffect> vCharaEffect;   // 6 CharaEffect.dat
    cSafeVector<cScrEffect> vScrEffect;       // 7 ScrEffect.dat
    cSafeVector<cPictureData> vPicture;       // 8 Picture.dat
    cSafeVector<cSoundData> vSound;           // 9 Sound.dat
    cSafeVector<cBgmData> vBgm;               // 10 Bgm.dat
    cSafeVector<cCharaEffect> vCharaEffect2;  // 11 copy of 6: reversed runs
    cSafeVector<cScrEffect> vScrEffect2;      // 12 copy of 7: reversed runs
};

extern cDatabase Database;

// An animation set as a list loader's new entry: cleared, offsets 4, 8 and 0,
// exactly four movement entries named "立ち", "立ち移動", "飛行", "飛行移動".
void InitAnimeSetEntry(cAnimeSetData& set);
