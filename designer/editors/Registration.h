// The start-up registration of the designer's editors: the insertable drawing objects
// of the palette, the component editors, the property editors and the properties the
// inspector does not show, entered into the report engine's registries. Idempotent.
#pragma once

void frxRegisterDesignerEditors();

// The designer window's page settings and expression dialogs (part of the above).
void frxRegisterEditorDialogs();
