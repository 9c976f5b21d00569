// libFuzzer harness over the database list files (data\database\*.dat): the
// first byte picks the list (modulo ten, in file order), the rest is the
// file. A file is refused, or loads whole, and then the list saves to a file
// that loads again and saves to the same bytes.
#include "database/data_paths.h"
#include "database/database.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    if (size < 1) return 0;
    const int list = data[0] % DBFILE_NUM;
    const std::string in = fuzz::WriteScratch("list.dat", data + 1, size - 1);
    const std::string first = fuzz::ScratchDir() + "/first.dat";
    const std::string second = fuzz::ScratchDir() + "/second.dat";
    ResetVersionState();
    cDatabase db;
    if (db.LoadListFile(list, in)) {
        if (!db.SaveListFile(list, first)) fuzz::Fail("database list: a loaded list could not be saved");
        cDatabase back;
        ResetVersionState();
        if (!back.LoadListFile(list, first))
            fuzz::Fail("database list: the saved list is refused", fuzz::ReadAll(first), {});
        if (!back.SaveListFile(list, second)) fuzz::Fail("database list: a reloaded list could not be saved");
        const std::vector<uint8_t> a = fuzz::ReadAll(first), b = fuzz::ReadAll(second);
        if (a != b) fuzz::Fail("database list", a, b);
    }
    ResetVersionState();
    return 0;
}
