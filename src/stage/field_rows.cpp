#include "stage/field_rows.h"

#include "records/version.h"

void cTableRecord::LoadAfterCount(cDataReader& file, uint32_t n) {
    const auto& fields = Fields();
    if (!file.Failed() && n > fields.size())
        file.SetFailed("field count " + std::to_string(n) + " above the " + std::to_string(fields.size()) +
                       " registered");
    for (uint32_t i = 0; i < n && !file.Failed(); ++i)
        file.Read(fields[i].lpField, static_cast<size_t>(fields[i].nCount) * static_cast<size_t>(fields[i].nSize));
    const auto& strs = StrFields();
    uint32_t m = file.Failed() ? 0 : file.ReadU32();
    if (!file.Failed() && m > strs.size())
        file.SetFailed("string count " + std::to_string(m) + " above the " + std::to_string(strs.size()) +
                       " registered");
    for (uint32_t i = 0; i < m && !file.Failed(); ++i) {
        uint32_t len = file.ReadU32();
        std::string& s = *strs[i].lpString;
        if (len <= 1 || file.Failed()) {
            s.clear();
            continue;
        }
        if (len > file.Remaining()) {
            file.SetFailed("string length " + std::to_string(len) + " exceeds the bytes that remain");
            break;
        }
        std::string raw(len, '\0');
        file.Read(raw.data(), len);
        s.assign(raw.c_str());
    }
    if (bRemoveCR && !file.Failed()) RemoveCR();
}
