// GBK text files: the whole-file reader and the line-n reader must see the same lines, also
// where a line end falls on the line-n reader's 64 KiB chunk boundary.

#include "fuzzfiles.h"
#include "platform/textfile.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Lines 1 to 64 and the two last (the line reader reads from the top for each one).
void compareReaders(const QString& path, int first = 64)
{
    const auto lines = platform::readAllLines(path);
    if (!lines)
        std::abort();
    const int n = int(lines->size());
    for (int i = 1; i <= n + 1; i = (i == first && i < n) ? n : i + 1) {
        const platform::LineRead r = platform::readLineN(path, i);
        if (!r.readable || r.exists != (i <= n))
            std::abort();
        const QString expected = n == 0 ? QString() : lines->at(std::min(i, n) - 1);
        if (r.text != expected)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzzfiles::bytes(data, size);
    compareReaders(fuzzfiles::put(QStringLiteral("text.mxy"), input));
    // The same bytes just before and across the 64 KiB chunk boundary, for inputs beginning
    // with a control character (a slow reading: not for every input).
    if (size > 0 && data[0] < 0x20) {
        const int shift = data[0] % 4;
        compareReaders(fuzzfiles::put(QStringLiteral("long.mxy"), QByteArray(65536 - 1 - shift, 'x') + input), 3);
    }
    // Round trip of the decoded text stays defined whatever the bytes.
    (void)platform::encodeGbk(platform::decodeGbk(input));
    return 0;
}
