// On-screen display and firmware modes (placeholder until the compositor lands).
#include "stand/stand.h"

namespace stand {
namespace {

void SysOsdControl(dword, dword) {}
void ExitNormal() {}
void EnterNormal() {}

}  // namespace

void ResetOsd() {
  TAP_SysOsdControl = SysOsdControl;
  TAP_ExitNormal = ExitNormal;
  TAP_EnterNormal = EnterNormal;
}

}  // namespace stand
