// Cursor and icon files of the program folder, read from their bytes.

#include "fuzzfiles.h"
#include "platform/cursorfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzzfiles::bytes(data, size);
    const bool looks = platform::looksLikeCursorFile(input);
    const auto c = platform::readCursorFile(input);
    if (c) {
        if (!looks || c->image.isNull() || c->image.width() > 256 || c->image.height() > 256)
            std::abort();
        if (!c->image.rect().contains(c->hotSpot))
            std::abort();
        // Touch every pixel: a picture that lies about its size shows here.
        quint32 sum = 0;
        for (int y = 0; y < c->image.height(); ++y)
            for (int x = 0; x < c->image.width(); ++x)
                sum += c->image.pixel(x, y);
        (void)sum;
    }
    return 0;
}
