// The designer's share of the string table: the blocks that localise the designer's windows
// and dialogs by class name, the messages, captions and list items looked up by key, and the
// one-line descriptions of the script functions shown in the data tree.
#pragma once

#include <cstddef>

struct TfrxTextEntry {
    const char* Key;
    const char* Text;
};

// The designer's texts in the order they are added.
const TfrxTextEntry* frxDesignerTextEntries(size_t& Count);

// Adds the designer's texts to the process-wide string table; runs once, later calls do
// nothing. A later addition of the same key replaces the text.
void frxRegisterDesignerTexts();
