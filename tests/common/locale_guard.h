// Runs a test under a decimal-comma locale, as a Qt host on a German machine would have it.
#pragma once

#include <string>

namespace quorin::test {

// Switches the process locale (LC_ALL) to de_DE.UTF-8 and restores the previous one on
// destruction. When the system lacks the locale, it is generated into a private folder with
// localedef (LOCPATH). ok() is false only when neither works.
class GermanLocale {
public:
    GermanLocale();
    ~GermanLocale();
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

}  // namespace quorin::test
