// The filter DLL carries the same skin as the pictures tested here: the editor loads every
// picture from the module it lives in.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "ResourceAccess.h"

namespace {

struct Entry {
  int id;
  LPCSTR type;
};

TEST(ModuleSkin, FilterDllHoldsEverySkinResourceUnchanged) {
  HMODULE dll = LoadLibraryExA(RUVODA_DLL_NAME, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(dll, nullptr) << RUVODA_DLL_NAME;
  const Entry entries[] = {
      {103, RT_BITMAP}, {130, RT_BITMAP}, {131, RT_BITMAP}, {139, RT_BITMAP}, {140, RT_BITMAP},
      {141, RT_BITMAP}, {7500, RT_BITMAP}, {117, RT_GROUP_CURSOR}, {118, RT_GROUP_CURSOR},
      {257, RT_GROUP_CURSOR}, {258, RT_GROUP_CURSOR}, {231, RT_GROUP_ICON}, {235, RT_GROUP_ICON},
      {236, RT_GROUP_ICON}, {506, RT_GROUP_ICON},
  };
  auto expectSame = [dll](int id, LPCSTR type) {
    SCOPED_TRACE(id);
    const ResourceBytes mine = FindResourceBytes(id, type);
    const ResourceBytes theirs = FindResourceBytes(id, type, dll);
    ASSERT_NE(theirs.data, nullptr);
    ASSERT_EQ(theirs.size, mine.size);
    EXPECT_EQ(std::memcmp(theirs.data, mine.data, mine.size), 0);
  };
  for (const Entry& entry : entries) expectSame(entry.id, entry.type);
  for (int id = 120; id <= 137; ++id)
    if (id != 130 && id != 131) expectSame(id, RT_RCDATA);  // 130 and 131 are BITMAPs
  FreeLibrary(dll);
}

}  // namespace
