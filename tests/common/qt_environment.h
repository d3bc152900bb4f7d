// One Qt application (offscreen platform) for every test of a program: fonts, images, PDF output
// and widgets need it. Programs linking quorin_test_gui get a QGuiApplication; a widgets test
// registers QtEnvironment<QApplication> itself.
#pragma once

#include <gtest/gtest.h>

#include <QtGlobal>
#include <memory>

namespace quorin::test {

template <class Application>
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<Application>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[12] = "quorin_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<Application> app_;
};

}  // namespace quorin::test
