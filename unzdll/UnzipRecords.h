// The records that the wizard and unzdll.dll exchange, and the library's one entry.
//
// In the 32-bit build every field is 32 bits at the offsets the wizard has always used; in the
// 64-bit build the pointer fields widen and the offsets after them move with natural alignment.
// Both layouts are pinned below so that neither side can drift.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#define UNZIP_CALL __stdcall
#else
#define UNZIP_CALL
#endif

struct UnzipCallbackRecord;

// Called on the extracting thread, inside the library call. Its result is ignored.
typedef int32_t(UNZIP_CALL* UnzipProgressFunction)(UnzipCallbackRecord* record);

enum UnzipAction : int32_t {
    kUnzipFileBegins = 1,  // text: the entry name; size: its uncompressed size
    kUnzipBlockDone = 2,   // once per 32768 bytes written
    kUnzipRestartFile = 3,
    kUnzipError = 4,  // text: what failed; errorCode: non-zero
};

// Zero-filled by the caller; fields marked "switch" carry the caller's fixed settings, which the
// library accepts and does not need.
struct UnzipParameterRecord {
    int32_t reserved0;
    void* caller;  // handed back in every callback record
    int32_t switch8;
    UnzipProgressFunction callback;  // may be null
    int32_t reserved16;
    int32_t reserved20;
    int32_t switch24;
    int32_t switch28;
    int32_t switch32;
    int32_t switch36;
    int32_t switch40;
    int32_t reserved44;
    int32_t switch48;
    int32_t switch52;
    int32_t switch56;
    int32_t switch60;
    int32_t entryCount;       // 1: one entry named
    const char* archivePath;  // 256-byte buffer, NUL-terminated
    int32_t switch72;
    const char* entryName;  // 256-byte buffer, NUL-terminated
};

constexpr size_t kUnzipTextSize = 512;
constexpr size_t kUnzipBufferSize = 256;

struct UnzipCallbackRecord {
    int32_t reserved0;
    void* caller;
    int32_t reserved8;
    int32_t reserved12;
    int32_t action;  // UnzipAction
    int32_t errorCode;
    uint32_t size;              // sizes up to 4 GiB - 1 stay positive
    char text[kUnzipTextSize];  // NUL-terminated, cut to fit
};

// unzdll.dll's entry number 2, exported without a name: extracts the entry named in the record
// into the current directory. 0 when the entry was extracted, otherwise the error code that the
// last error event carried.
extern "C" int32_t UNZIP_CALL UnzipExtractEntry(UnzipParameterRecord* parameters);

#define UNZIP_FIELD_AT(record, field, offset) \
    static_assert(offsetof(record, field) == (offset), #record "." #field)
#if UINTPTR_MAX == 0xFFFFFFFFu
UNZIP_FIELD_AT(UnzipParameterRecord, reserved0, 0);
UNZIP_FIELD_AT(UnzipParameterRecord, caller, 4);
UNZIP_FIELD_AT(UnzipParameterRecord, switch8, 8);
UNZIP_FIELD_AT(UnzipParameterRecord, callback, 12);
UNZIP_FIELD_AT(UnzipParameterRecord, reserved16, 16);
UNZIP_FIELD_AT(UnzipParameterRecord, reserved20, 20);
UNZIP_FIELD_AT(UnzipParameterRecord, switch24, 24);
UNZIP_FIELD_AT(UnzipParameterRecord, switch28, 28);
UNZIP_FIELD_AT(UnzipParameterRecord, switch32, 32);
UNZIP_FIELD_AT(UnzipParameterRecord, switch36, 36);
UNZIP_FIELD_AT(UnzipParameterRecord, switch40, 40);
UNZIP_FIELD_AT(UnzipParameterRecord, reserved44, 44);
UNZIP_FIELD_AT(UnzipParameterRecord, switch48, 48);
UNZIP_FIELD_AT(UnzipParameterRecord, switch52, 52);
UNZIP_FIELD_AT(UnzipParameterRecord, switch56, 56);
UNZIP_FIELD_AT(UnzipParameterRecord, switch60, 60);
UNZIP_FIELD_AT(UnzipParameterRecord, entryCount, 64);
UNZIP_FIELD_AT(UnzipParameterRecord, archivePath, 68);
UNZIP_FIELD_AT(UnzipParameterRecord, switch72, 72);
UNZIP_FIELD_AT(UnzipParameterRecord, entryName, 76);
static_assert(sizeof(UnzipParameterRecord) == 80, "UnzipParameterRecord size");
UNZIP_FIELD_AT(UnzipCallbackRecord, caller, 4);
UNZIP_FIELD_AT(UnzipCallbackRecord, action, 16);
UNZIP_FIELD_AT(UnzipCallbackRecord, errorCode, 20);
UNZIP_FIELD_AT(UnzipCallbackRecord, size, 24);
UNZIP_FIELD_AT(UnzipCallbackRecord, text, 28);
#else
UNZIP_FIELD_AT(UnzipParameterRecord, caller, 8);
UNZIP_FIELD_AT(UnzipParameterRecord, switch8, 16);
UNZIP_FIELD_AT(UnzipParameterRecord, callback, 24);
UNZIP_FIELD_AT(UnzipParameterRecord, reserved16, 32);
UNZIP_FIELD_AT(UnzipParameterRecord, switch40, 56);
UNZIP_FIELD_AT(UnzipParameterRecord, switch60, 76);
UNZIP_FIELD_AT(UnzipParameterRecord, entryCount, 80);
UNZIP_FIELD_AT(UnzipParameterRecord, archivePath, 88);
UNZIP_FIELD_AT(UnzipParameterRecord, switch72, 96);
UNZIP_FIELD_AT(UnzipParameterRecord, entryName, 104);
static_assert(sizeof(UnzipParameterRecord) == 112, "UnzipParameterRecord size");
UNZIP_FIELD_AT(UnzipCallbackRecord, caller, 8);
UNZIP_FIELD_AT(UnzipCallbackRecord, action, 24);
UNZIP_FIELD_AT(UnzipCallbackRecord, errorCode, 28);
UNZIP_FIELD_AT(UnzipCallbackRecord, size, 32);
UNZIP_FIELD_AT(UnzipCallbackRecord, text, 36);
#endif
#undef UNZIP_FIELD_AT
