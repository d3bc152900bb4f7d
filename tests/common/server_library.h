// A server library as a host meets it: a scratch class registry, the library opened with dlopen
// and registered by its own DllRegisterServer; when the test ends nothing of it may be alive.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/com/unknown.h"
#include "tests/common/temp_dir.h"

namespace quorin::test {

// Sets an environment variable for a scope (unsets it when value is null), then restores it.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~EnvGuard() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class ServerLibraryTest : public ::testing::Test {
protected:
    explicit ServerLibraryTest(const char* library) : library_(library) {}
    void SetUp() override {
        handle_ = ::dlopen(library_, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << ::dlerror();
        canUnloadNow =
            reinterpret_cast<DllCanUnloadNowFunction>(::dlsym(handle_, "DllCanUnloadNow"));
        const auto registerServer =
            reinterpret_cast<DllRegisterServerFunction>(::dlsym(handle_, "DllRegisterServer"));
        ASSERT_TRUE(canUnloadNow && registerServer);
        ASSERT_EQ(registerServer(), S_OK);
    }
    void TearDown() override {
        if (!handle_) return;
        if (canUnloadNow) {
            EXPECT_EQ(canUnloadNow(), S_OK) << "an object or lock leaked";
        }
        ::dlclose(handle_);
    }

    TempDir dir{"server"};
    const std::string registry = dir.file("registry.ini");
    EnvGuard env{"QUORIN_REGISTRY", registry.c_str()};
    DllCanUnloadNowFunction canUnloadNow = nullptr;

private:
    const char* library_;
    void* handle_ = nullptr;
};

}  // namespace quorin::test
