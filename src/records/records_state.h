#pragma once
// Every global of the record layer back to its start-up state (tests): the
// data-version state, the services, the random generator of this thread.
void ResetRecordsState();
