#include "tests/common/locale_guard.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quorin::test {
namespace {

bool TryGerman() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"})
        if (std::setlocale(LC_ALL, name)) return true;
    return false;
}

bool GeneratePrivateCopy() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorin-locales";
    const std::string cmd = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                            "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0 &&
        std::system(("test -d '" + dir + "/de_DE.UTF-8'").c_str()) != 0)
        return false;
    setenv("LOCPATH", dir.c_str(), 1);
    return TryGerman();
}

}  // namespace

GermanLocale::GermanLocale() {
    const char* cur = std::setlocale(LC_ALL, nullptr);
    previous_ = cur ? cur : "C";
    ok_ = TryGerman() || GeneratePrivateCopy();
    if (!ok_) std::fprintf(stderr, "de_DE.UTF-8 locale is not available\n");
}

GermanLocale::~GermanLocale() {
    std::setlocale(LC_ALL, previous_.c_str());
}

}  // namespace quorin::test
