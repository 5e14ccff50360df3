// COM for every test of this program (multithreaded: graph threads call straight into the
// test's objects).
#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>

namespace {

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

const auto* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
