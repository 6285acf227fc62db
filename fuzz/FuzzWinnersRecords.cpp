// Reading the records of any winners file keeps only whole records with a number and a date.
#include "core/data/WinnersFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale locales[] = {QLocale(QLocale::Russian, QLocale::Russia), QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale::c()};
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = LineStore::splitLines(LineStore::decode(bytes));
    const int count = int(lines.size());

    for (const QLocale &locale : locales) {
        int previous = -1;
        for (const WinnersFile::Record &r : WinnersFile::records(lines, count, locale)) {
            if (r.line <= previous || r.line + 4 >= count || lines.at(r.line) != QLatin1StringView(WinnersFile::Marker))
                std::abort();
            if (!r.dateValue.isValid() || r.name != lines.at(r.line + 1))
                std::abort();
            previous = r.line;
        }
        // Fewer loaded lines than the list holds, as after a reload that shrank the file.
        (void)WinnersFile::records(lines, count / 2, locale);
    }
    return 0;
}
