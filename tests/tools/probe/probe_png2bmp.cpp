// probe png2bmp IN.png OUT.bmp: decodes a PNG file with cPNG into a bitmap
// file and prints the result code (0 = written). Transparent parts take the
// user's button face, as in the image viewer.
#include <cstdio>

#include "Probe.h"
#include "images/ImageFile.h"
#include "png/cPNG.h"

static probe::Command reg(L"png2bmp", L"IN.png OUT.bmp", [](const std::vector<std::wstring>& args) {
    if (args.size() != 2) {
        fwprintf(stderr, L"usage: probe png2bmp IN.png OUT.bmp\n");
        return 2;
    }
    cPNG png(images::UserButtonFace());
    int result = png.OpenPNG(args[0], args[1], true);
    printf("result %d\n", result);
    if (result == 0)
        printf("size %dx%d depth %d colour type %d interlace %d\n", png.Width(), png.Height(), png.BitDepth(),
               png.ColorType(), png.Interlacing());
    fflush(stdout);
    return result == 0 ? 0 : 1;
});
