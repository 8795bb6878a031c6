// One firmware object per shared library. The stand loads each library with
// global scope when the firmware is to export the object, and with local scope
// when it is to be missing, so the plug-in finds exactly what the stand chose.
#include "host/tap.h"
#include "stand/stand.h"

#define EXPORTED __attribute__((visibility("default")))

#if defined(FW_TAPTASK)
extern "C" EXPORTED TYPE_TapEntry _tapTask[TAP_TABLE_SLOTS];
TYPE_TapEntry _tapTask[TAP_TABLE_SLOTS];
#elif defined(FW_CURTAPTASK)
extern "C" EXPORTED dword _curTapTask;
dword _curTapTask;
#elif defined(FW_HDDRECORDFILE)
extern "C" EXPORTED TYPE_RecordFile _hddRecordFile[stand::RECORD_SLOTS_MAX];
TYPE_RecordFile _hddRecordFile[stand::RECORD_SLOTS_MAX];
#elif defined(FW_OSDINFO)
extern "C" EXPORTED TYPE_OsdMapEntry _osdInfo[stand::OSD_HANDLES];
TYPE_OsdMapEntry _osdInfo[stand::OSD_HANDLES];
#elif defined(FW_UTF8)
// A UTF-8 firmware's text routine; only its presence matters to the plug-in.
EXPORTED void Appl_ConvertToValidUTF8Str(unsigned char* text, int length) {
  (void)text;
  (void)length;
}
#else
#error "choose a firmware object"
#endif
