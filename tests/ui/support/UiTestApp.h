// The one QApplication of the Qt test executable. Widgets need a QApplication, and only one
// application object can exist, so it is made before the first test runs (a global test
// environment) and never destroyed; helpers of other test files then find it already there.
#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarnwick::testing {

// The shared application, created on first use. Tests never open real windows: without an
// explicit platform the offscreen one is used.
inline QApplication& UiTestApp() {
    static int argc = 1;
    static char name[] = "tarnwick_ui_tests";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    if (QCoreApplication::instance() != nullptr) {
        // A plain QCoreApplication was made first; widgets can't run on it.
        ADD_FAILURE() << "a QCoreApplication exists; UI tests need a QApplication";
        std::abort();
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    return *new QApplication(argc, argv);
}

class UiTestAppEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { UiTestApp(); }
};

// Registered once for the whole executable, however many test files include this header, so
// the QApplication exists before any test (also those that only need a QCoreApplication).
inline ::testing::Environment* const kUiTestAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new UiTestAppEnvironment);

}  // namespace tarnwick::testing
