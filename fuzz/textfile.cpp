// GBK text files: the whole-file reader and the line-n reader must see the same lines, also
// where a line end falls on the line-n reader's 64 KiB chunk boundary; and both hold the file to
// the bound they are given (here one about the input's length): a longer file cannot be read,
// however little of it a read needs.

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
        if (!r.readable() || r.exists != (i <= n))
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
    // A bound just below, at or just above the input's length, chosen by its last byte.
    const qint64 bound = qint64(size) - 2 + (size > 0 ? data[size - 1] % 4 : 2);
    const QString path = fuzzfiles::put(QStringLiteral("text.mxy"), input);
    const auto expected = qint64(size) > bound ? platform::ReadStatus::TooLarge : platform::ReadStatus::Read;
    const platform::LinesRead all = platform::readLines(path, bound);
    const platform::LineRead one = platform::readLineN(path, 1, bound);
    if (all.status != expected || one.status != expected || one.readable() != (expected == platform::ReadStatus::Read) ||
        platform::readFile(path, bound).status != expected)
        std::abort();
    if (all.read() && all.lines != *platform::readAllLines(path))
        std::abort();
    // Round trip of the decoded text stays defined whatever the bytes.
    (void)platform::encodeGbk(platform::decodeGbk(input));
    return 0;
}
