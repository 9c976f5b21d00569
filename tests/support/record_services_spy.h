#pragma once
// Installs record services that remember what the record layer asked for.
#include <string>
#include <vector>

#include "records/services.h"

class cRecordServicesSpy {
public:
    cRecordServicesSpy();
    ~cRecordServicesSpy();

    std::vector<std::string> ec, report, debug;
    std::vector<int> sounds;
    int closes = 0;
};
