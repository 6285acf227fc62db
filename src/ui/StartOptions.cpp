#include "ui/StartOptions.h"

using namespace Qt::StringLiterals;

StartOptions StartOptions::read(int argc, const char *const *argv)
{
    StartOptions options;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        QString value;
        if (arg == u"--seed"_s) {
            if (i + 1 == argc) {
                options.error = u"После --seed нужно число от 0 до 4294967295"_s;
                return options;
            }
            value = QString::fromLocal8Bit(argv[++i]);
        } else if (arg.startsWith(u"--seed="_s)) {
            value = arg.mid(7);
        } else {
            continue;
        }
        bool ok = false;
        const qulonglong seed = value.toULongLong(&ok);
        if (!ok || seed > 0xFFFFFFFFull || value.startsWith(u'+') || value.startsWith(u'-')) {
            options.error = u"--seed: «%1» — не число от 0 до 4294967295"_s.arg(value);
            return options;
        }
        options.seed = unsigned(seed);
    }
    return options;
}

std::unique_ptr<RandomSource> StartOptions::random() const
{
    return seed ? std::make_unique<SystemRandom>(*seed) : std::make_unique<SystemRandom>();
}
