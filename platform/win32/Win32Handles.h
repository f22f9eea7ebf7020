#pragma once

// The system's handle types for headers of the Win32 rooms that must not read the
// system's headers themselves (Win32Api.h comes last, in the .cpp files). The
// declarations are the ones the system makes, so both may meet in one file.
struct HDC__;
struct HWND__;
struct HFONT__;
struct HPEN__;
struct HBITMAP__;
struct HINSTANCE__;
struct _IMAGELIST;
typedef struct HDC__* HDC;
typedef struct HWND__* HWND;
typedef struct HFONT__* HFONT;
typedef struct HPEN__* HPEN;
typedef struct HBITMAP__* HBITMAP;
typedef struct HINSTANCE__* HINSTANCE;
typedef struct _IMAGELIST* HIMAGELIST;
