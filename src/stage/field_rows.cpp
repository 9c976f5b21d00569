#include "stage/field_rows.h"

#include <algorithm>

void cTableRecord::LoadString(cDataReader& file, std::string& s) {
    const uint32_t len = file.ReadU32();
    if (file.Failed() || len <= 1) {
        s.clear();
        return;
    }
    if (len > file.Remaining()) {
        file.SetFailed("string length " + std::to_string(len) + " exceeds the bytes that remain");
        return;
    }
    std::string raw(len, '\0');
    file.Read(raw.data(), len);
    s.assign(raw.c_str());  // the text before the first NUL
    if (bRemoveCR) s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
}

void cTableRecord::SaveString(cDataWriter& file, std::string& s) {
    // A string ends at its first NUL; it is stored whole, never cut.
    const size_t nul = s.find('\0');
    if (nul != std::string::npos) s.resize(nul);
    file.WriteU32(static_cast<uint32_t>(s.size() + 1));
    if (!s.empty()) file.Write(s.c_str(), s.size() + 1);
}
