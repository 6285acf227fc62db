// Any bytes decode and split without a fault, and lines that can be saved come back
// unchanged, in the same encoding, when the saved bytes are read again.
#include "core/data/LineStore.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    LineStore::Encoding encoding;
    const QStringList lines = LineStore::splitLines(LineStore::decode(bytes, &encoding));

    QByteArray saved;
    if (!LineStore::encode(lines, encoding, &saved))
        return 0;
    LineStore::Encoding again;
    const QStringList reread = LineStore::splitLines(LineStore::decode(saved, &again));
    if (again != encoding || reread != lines)
        std::abort();
    for (const QString &line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            std::abort();
    }
    return 0;
}
