// One QApplication (offscreen platform) for the widget tests of a test program.
#include <QApplication>

#include "tests/common/qt_environment.h"

namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new quorin::test::QtEnvironment<QApplication>);

}  // namespace
