#include "records/safe_container.h"

#include <string>

#include "records/services.h"
#include "records/utility.h"

void ReportBadIndex(char kind, int index, int size, int elemSize) {
    std::string mes;
    FormatString(mes, kind == 'L' ? "err L[%d] ( %d , %d )" : "err V[%d] ( %d , %d )", index, size, elemSize);
    RecWriteEC(mes);
    RecWriteReport(mes);
    RecFaultClose(mes);
}
