#include "stage/definition_rows.h"

#include "records/version.h"

uint32_t cDefRecord::CurrentVersion() { return nDataVersion; }
bool cDefRecord::bRemoveCRFlag() { return bRemoveCR != 0; }

void cDefRecord::ReadDefString(cDataReader& file, std::string& str) {
    const uint32_t len = file.ReadU32();
    if (file.Failed() || len <= 1) {
        str.clear();
        return;
    }
    if (len > file.Remaining()) {
        file.SetFailed("string length " + std::to_string(len) + " exceeds the bytes that remain");
        return;
    }
    std::string raw(len, '\0');
    file.Read(raw.data(), len);
    str.assign(raw.c_str());  // the text before the first NUL
}

void cDefRecord::WriteDefString(cDataWriter& file, std::string& str) {
    // A string ends at its first NUL.
    const size_t nul = str.find('\0');
    if (nul != std::string::npos) str.resize(nul);
    file.WriteU32(static_cast<uint32_t>(str.size() + 1));
    if (!str.empty()) file.Write(str.c_str(), str.size() + 1);
}
