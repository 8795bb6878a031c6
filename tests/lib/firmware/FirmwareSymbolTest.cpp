// Firmware objects found by link name in the running process (the stand).
#include <functional>

#include "lib/firmware/firmware.h"
#include "tests/support/stand_test.h"

namespace {

class FirmwareSymbolTest : public StandTest {};

struct Accessor {
  const char* symbol;
  std::function<void*()> get;
};

const Accessor kAccessors[] = {
    {"_tapTask", [] { return static_cast<void*>(FIS_vTAPTable()); }},
    {"_curTapTask", [] { return static_cast<void*>(FIS_vCurTapTask()); }},
    {"_hddRecordFile", [] { return static_cast<void*>(FIS_vhddRecordFile()); }},
    {"_osdInfo", [] { return static_cast<void*>(FIS_vOsdMap()); }},
    {"_Z26Appl_ConvertToValidUTF8StrPhi", [] { return FIS_fwAppl_ConvertToValidUTF8Str(); }},
};

TEST_F(FirmwareSymbolTest, TryResolveFindsTheStandsObjects) {
  EXPECT_EQ(TryResolve("_tapTask"), stand::TapTable());
  EXPECT_EQ(TryResolve("_hddRecordFile"), stand::RecordFileArray());
  EXPECT_EQ(TryResolve("_osdInfo"), stand::OsdMap());
  stand::SetCurrentSlot(5);
  auto* current = static_cast<dword*>(TryResolve("_curTapTask"));
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(*current, 5u);
  EXPECT_EQ(TryResolve("_noSuchFirmwareObject"), nullptr);
  EXPECT_EQ(TryResolve(nullptr), nullptr);
}

TEST_F(FirmwareSymbolTest, MissingObjectIsLookedUpAgainOnEveryCall) {
  for (const auto& a : kAccessors) {
    SCOPED_TRACE(a.symbol);
    stand::SetFirmwareSymbol(a.symbol, false);
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_EQ(a.get(), nullptr);
    stand::SetFirmwareSymbol(a.symbol, true);
    void* found = a.get();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, TryResolve(a.symbol));
    EXPECT_EQ(a.get(), found);
  }
}

TEST_F(FirmwareSymbolTest, FoundAddressIsKept) {
  TYPE_TapEntry* table = FIS_vTAPTable();
  ASSERT_EQ(table, stand::TapTable());
  // Once found, the object is not looked up again, even when it stops being exported.
  stand::SetFirmwareSymbol("_tapTask", false);
  EXPECT_EQ(FIS_vTAPTable(), table);
}

TEST_F(FirmwareSymbolTest, UTF8MarkIsAbsentOnAPlainFirmware) {
  EXPECT_EQ(FIS_fwAppl_ConvertToValidUTF8Str(), nullptr);
  EXPECT_FALSE(isUTFFirmware());
}

TEST_F(FirmwareSymbolTest, FirmwareKindIsAskedOnceAndKept) {
  stand::SetFirmwareSymbol("_Z26Appl_ConvertToValidUTF8StrPhi", true);
  EXPECT_TRUE(isUTFFirmware());
  stand::SetFirmwareSymbol("_Z26Appl_ConvertToValidUTF8StrPhi", false);
  EXPECT_TRUE(isUTFFirmware());

  ResetToolkitState();
  EXPECT_FALSE(isUTFFirmware());
  stand::SetFirmwareSymbol("_Z26Appl_ConvertToValidUTF8StrPhi", true);
  EXPECT_FALSE(isUTFFirmware());
}

}  // namespace
