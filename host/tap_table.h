// The recorder firmware's function table, as this plug-in calls it.
//
// One line per call: TAP_FN(result, name, (arguments)). host/tap.h turns the list into
// declarations of pointer variables that the recorder fills in when it loads the
// image; the stand turns the same list into the definitions it exports. Keeping a
// single list means the image and the stand can never disagree on a signature.
//
// No include guard: this file is meant to be expanded more than once.

// Memory and text
TAP_FN(void*, TAP_MemAlloc, (dword size))
TAP_FN(void, TAP_MemFree, (const void* block))
TAP_FN(void, TAP_MemSet, (void* block, byte value, dword count))
TAP_FN(void, TAP_MemCpy, (void* destination, const void* source, dword count))
TAP_FN(int, TAP_MemCmp, (const void* a, const void* b, dword count))
TAP_FN(int, TAP_SPrint, (char* buffer, const char* format, ...))
TAP_FN(void, TAP_Print, (const char* format, ...))

// Time and identity
TAP_FN(dword, TAP_GetTick, (void))
TAP_FN(void, TAP_Delay, (dword ticks))
TAP_FN(void, TAP_Sleep, (dword ticks))
TAP_FN(dword, TAP_GetSystemId, (void))
TAP_FN(dword, TAP_MakeMjd, (word year, byte month, byte day))

// Firmware modes
TAP_FN(void, TAP_SysOsdControl, (dword item, dword on))
TAP_FN(void, TAP_ExitNormal, (void))
TAP_FN(void, TAP_EnterNormal, (void))

// On-screen regions and drawing
TAP_FN(word, TAP_Osd_Create, (dword x, dword y, dword width, dword height, byte lut, dword flags))
TAP_FN(int, TAP_Osd_Delete, (word region))
TAP_FN(void, TAP_Osd_Sync, (void))
TAP_FN(int, TAP_Osd_FillBox,
       (word region, dword x, dword y, dword width, dword height, dword colour))
TAP_FN(int, TAP_Osd_Draw3dBoxFill,
       (word region, dword x, dword y, dword width, dword height, dword light, dword dark,
        dword fill))
TAP_FN(int, TAP_Osd_DrawRectangle,
       (word region, dword x, dword y, dword width, dword height, dword thickness, dword colour))
TAP_FN(int, TAP_Osd_PutGd, (word region, int x, int y, const TYPE_GrData* graphic, bool sprite))
TAP_FN(int, TAP_Osd_PutS,
       (word region, dword x, dword y, dword maxX, const char* text, dword foreground,
        dword background, byte fontType, byte fontSize, byte dotted, byte align))
TAP_FN(dword, TAP_Osd_GetW, (const char* text, byte fontType, byte fontSize))
TAP_FN(int, TAP_Osd_Copy,
       (word source, word destination, dword sourceX, dword sourceY, dword width, dword height,
        dword destinationX, dword destinationY, bool sprite))
TAP_FN(byte*, TAP_Osd_SaveBox, (word region, dword x, dword y, dword width, dword height))
TAP_FN(void, TAP_Osd_RestoreBox,
       (word region, dword x, dword y, dword width, dword height, const void* pixels))

// Disk, relative to the plug-in's current directory
TAP_FN(int, TAP_Hdd_ChangeDir, (const char* directory))
TAP_FN(int, TAP_Hdd_Exist, (const char* name))
TAP_FN(TYPE_File*, TAP_Hdd_Fopen, (const char* name))
TAP_FN(dword, TAP_Hdd_Fread, (void* buffer, dword size, dword count, TYPE_File* file))
TAP_FN(dword, TAP_Hdd_Fwrite, (const void* buffer, dword size, dword count, TYPE_File* file))
TAP_FN(dword, TAP_Hdd_Flen, (TYPE_File * file))
TAP_FN(void, TAP_Hdd_Fclose, (TYPE_File * file))
TAP_FN(int, TAP_Hdd_Create, (const char* name, byte attribute))
TAP_FN(int, TAP_Hdd_Delete, (const char* name))

// Playback and recording
TAP_FN(int, TAP_Hdd_GetPlayInfo, (TYPE_PlayInfo * info))
TAP_FN(int, TAP_Hdd_GetRecInfo, (byte slot, TYPE_RecInfo* info))
TAP_FN(int, TAP_Hdd_StopTs, (void))
TAP_FN(int, TAP_Hdd_StopMp3, (void))
TAP_FN(int, TAP_Hdd_StopRecord, (byte slot))
