// The initial list data of a dialog template (resource type 240): CListInitEntry and its reader.
#pragma once

#include "framework/win.h"

#include <string>
#include <vector>

// The resource type that carries a dialog's initial list entries, under the template's id.
constexpr WORD LIST_INIT_DATA_TYPE = 240;

// One string to add to one list control.
struct CListInitEntry {
    int controlId;
    UINT message; // CB_ADDSTRING or LB_ADDSTRING
    std::wstring text;
};

// Reads the records (control id: 16 bits, message: 16 bits, text length in bytes with its
// terminating zero: 32 bits, the Shift-JIS text), which follow one another without padding up
// to a 16-bit zero. Never reads outside data[0, size). Returns false at the first bad record
// (cut short, running past the end, zero length, text without its zero, another message) or
// when the terminator is missing; the records before it are in *out either way.
bool ParseInitialListData(const BYTE* data, DWORD size, std::vector<CListInitEntry>* out);
