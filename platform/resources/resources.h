// The program's binary resources: finding and reading them
// (FindResourceW, LoadResource, LockResource, SizeofResource) and making
// icons of them (LoadImageW, LoadIconW).
//
// Resources are those installed by the program (program_resources.h),
// named by number (MAKEINTRESOURCEW); the module is the program's own (null
// or GetModuleHandleW(nullptr)). The bytes are in the device's formats:
//  - RT_GROUP_ICON: a directory {reserved 0, type 1, count} of 16-bit
//    words, then `count` entries of 14 bytes {width, height, colour count,
//    reserved (bytes), planes, bit count (words), bytes in the image
//    (32 bits), the RT_ICON identifier of the image (16 bits)};
//  - RT_ICON: one image: a 40-byte BITMAPINFOHEADER whose height counts
//    both halves, the colour table (1, 4 and 8 bits), the colour rows, then
//    the 1-bit transparency mask rows, both bottom-up with rows padded to
//    4 bytes.
// Every count, size and offset is checked against the resource's size; a
// malformed icon is not loaded.
//
// Icon size: LoadImageW with a width or height of 0, and LoadIconW, take 16
// pixels, or 32 on a screen of more than 129 dots per inch (the device
// profile's dpi). Of a group's images the one of exactly the asked size is
// taken, else the nearest in width (the larger on a tie), scaled to the
// asked size. Each call makes a new icon, which the caller destroys with
// DestroyIcon.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/gdi_handles.h"

struct ResourceEntry;
using HRSRC = const ResourceEntry*;
using HGLOBAL = HANDLE;

inline LPCWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(id)); }
inline bool IS_INTRESOURCE(LPCWSTR name) { return reinterpret_cast<uintptr_t>(name) < 0x10000; }

#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_ACCELERATOR MAKEINTRESOURCEW(9)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_SHARED = 0x8000;

constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);

// IMAGE_ICON only (other types answer null with ERROR_INVALID_PARAMETER).
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);

namespace devresources {

// The icon size of the device: 16, or 32 above 129 dots per inch.
int SystemIconSize();

}  // namespace devresources
