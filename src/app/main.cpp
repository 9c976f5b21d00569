// The game program: starts the application frame in the current folder.
#include <cstdio>

#include "records/version.h"

int main(int, char**) {
    ResetVersionState();
    std::printf("game: data version %u\n", nDataVersion);
    return 0;
}
