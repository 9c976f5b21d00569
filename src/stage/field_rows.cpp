#include "stage/field_rows.h"

#include <algorithm>

#include "records/version.h"

void cTableRecord::LoadString(cDataReader& file, std::string& s) {
    LoadStreamString(file, s);
    if (bRemoveCR) s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
}

void cTableRecord::SaveString(cDataWriter& file, std::string& s) { SaveStreamString(file, s); }
