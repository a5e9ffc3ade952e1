// Helpers of the tests of packed prepared pages: a store's saved text, and every element
// of a tree unpacked (a save of the unpacked store must equal the packed one's).
#pragma once

#include <string>

#include "platform/rtl/Streams.h"
#include "report/PreviewPages.h"
#include "report/XMLDocument.h"

inline std::string SavedPages(TfrxPreviewPages& Pages) {
    TMemoryStream stream;
    Pages.SaveToStream(stream);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

// Unpacks every element below Item by walking it.
inline void UnpackAll(TfrxXMLItem* Item) {
    for (int i = 0; i < Item->Count(); ++i) UnpackAll(Item->Items(i));
}
