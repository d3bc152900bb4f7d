#include <QGuiApplication>

#include "tests/common/qt_environment.h"

namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new quorin::test::QtEnvironment<QGuiApplication>);

}  // namespace
