// The converter as a command of its own, so that it can be timed as a whole
// process beside other encoders:  bmp2jpg IN.bmp OUT.jpg [QUALITY]
// The exit status is the converter's status.
#include "bmp2jpg/bmp2jpg.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s IN.bmp OUT.jpg [QUALITY]\n", argv[0]);
        return 64;
    }
    const auto quality = std::int16_t(argc == 4 ? std::atoi(argv[3]) : 100);
    const std::int16_t status = BMP2JPGpourVBFrance(argv[1], argv[2], quality);
    if (status != 0)
        std::fprintf(stderr, "%s: status %d\n", argv[0], status);
    return status;
}
