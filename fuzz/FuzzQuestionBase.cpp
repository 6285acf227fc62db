// Indexing any file yields only blocks that can be read whole, with a right answer of 0 or 1.
#include "core/data/QuestionBase.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = LineStore::splitLines(LineStore::decode(bytes));
    const QuestionBase::Index index = QuestionBase::index(lines);

    int markers = 0;
    for (const QString &line : lines)
        markers += line == QLatin1StringView(QuestionBase::Marker);
    if (index.starts.size() + index.skipped != markers)
        std::abort();

    int previous = -1;
    for (int start : index.starts) {
        if (start <= previous || start + 4 >= lines.size())
            std::abort();
        previous = start;
        const QuestionBase::Question q = QuestionBase::question(lines, start);
        if (q.right != 0 && q.right != 1)
            std::abort();
        (void)QuestionBase::refusal(q.text);
    }
    return 0;
}
