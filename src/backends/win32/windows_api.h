// The Windows headers for the back end. Their ANSI/wide macros would rename the seam's own
// PeekMessage, GetMessage, PostMessage and DefWindowProc in this back end only; they are taken
// away, and the back end calls the wide functions by their full names.
#pragma once

#include <ddraw.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <windows.h>

#undef PeekMessage
#undef GetMessage
#undef PostMessage
#undef DefWindowProc
