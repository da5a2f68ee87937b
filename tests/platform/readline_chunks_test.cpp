// Line n read from the top agrees with the whole file split into lines, also where line ends fall
// on the boundaries of the reader's 64 KiB chunks.

#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

TEST(TextFileLineN, AgreesWithSplitLinesAcrossChunkBoundaries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("op.mxy");
    const QList<QByteArray> ends = {"\r\n", "\r", "\n", "\r\r\n", "\n\r"};
    for (int shift : {-2, -1, 0, 1}) {
        // The first line's end lands around the 64 KiB boundary (65536 + shift).
        QByteArray bytes(65536 + shift - 1, 'a');
        int k = 0;
        while (bytes.size() < 3 * 65536) {
            bytes += ends[k % ends.size()];
            bytes += QByteArray(k * 37 % 500, char('b' + k % 20));
            bytes += "\xCE\xB4"; // a Chinese character
            ++k;
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();

        const QStringList lines = splitLines(decodeGbk(bytes));
        for (int n : {1, 2, 3, 4, 5, 6, 100, int(lines.size()) - 1, int(lines.size()),
                      int(lines.size()) + 1}) {
            const LineRead r = readLineN(path, n);
            const bool inside = n <= lines.size();
            EXPECT_EQ(r.exists, inside) << shift << " " << n;
            EXPECT_EQ(r.text, lines.at(inside ? n - 1 : lines.size() - 1)) << shift << " " << n;
        }
    }
}
