// The designer's property editors: how the object inspector shows, offers and changes
// positions and sizes (in the designer's unit), paper sizes and margins, events, Boolean
// values, frames, pictures, datasets and data fields, string lists, memo texts, brush
// and frame styles and display formats.
#pragma once

#include <string>

#include "report/DesignRegistries.h"

// Left, Top, Width, Height (pixels) in the designer's unit; CharSize is the character
// cell of the character unit (9.6 pixels across, 17 down).
class TfrxLocSizeXProperty : public TfrxFloatProperty {
public:
    using TfrxFloatProperty::TfrxFloatProperty;
    std::string GetValue() override;
    void SetValue(const std::string& Text) override;
    double CharSize = 9.6;
};

class TfrxLocSizeYProperty : public TfrxLocSizeXProperty {
public:
    explicit TfrxLocSizeYProperty(TfrxCustomDesigner* Designer) : TfrxLocSizeXProperty(Designer) { CharSize = 17; }
};

// Paper sizes and margins (millimetres) in the designer's unit.
class TfrxPaperXProperty : public TfrxFloatProperty {
public:
    using TfrxFloatProperty::TfrxFloatProperty;
    std::string GetValue() override;
    void SetValue(const std::string& Text) override;
    double CharSize = 9.6;
};

class TfrxPaperYProperty : public TfrxPaperXProperty {
public:
    explicit TfrxPaperYProperty(TfrxCustomDesigner* Designer) : TfrxPaperXProperty(Designer) { CharSize = 17; }
};

// A script event: the handler's name; the list offers the script's handlers that fit
// the event; Edit opens the handler in the code page, creating it when needed.
class TfrxEventProperty : public TfrxStringProperty {
public:
    using TfrxStringProperty::TfrxStringProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect; }
    bool Edit() override;
    void GetValues() override;
};

// A Boolean drawn as a check box; Edit toggles it (a click on the box in the inspector).
class TfrxBooleanProperty : public TfrxEnumProperty {
public:
    using TfrxEnumProperty::TfrxEnumProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect | paOwnerDraw; }
    bool Edit() override;
    void DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) override;
    void DrawValue(TCanvas& Canvas, const TRect& ARect) override;
};

class TfrxFrameProperty : public TfrxClassProperty {
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
    bool Edit() override;
};

class TfrxPictureProperty : public TfrxClassProperty {
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
    std::string GetValue() override;
    bool Edit() override;
};

class TfrxBitmapProperty : public TfrxClassProperty {
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
    std::string GetValue() override;
    bool Edit() override;
};

// A dataset by its alias in the report; choosing one for a memo bound to a field turns
// the memo's text into the field expression.
class TfrxDataSetProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
};

// A field of the object's dataset.
class TfrxDataFieldProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
};

class TfrxStringsProperty : public TfrxClassProperty {
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
    bool Edit() override;
};

// A memo view's text, in the memo text window.
class TfrxMemoProperty : public TfrxClassProperty {
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
    bool Edit() override;
};

class TfrxBrushProperty : public TfrxEnumProperty {
public:
    using TfrxEnumProperty::TfrxEnumProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect | paOwnerDraw; }
    void DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) override;
    void DrawValue(TCanvas& Canvas, const TRect& ARect) override;
};

class TfrxFrameStyleProperty : public TfrxEnumProperty {
public:
    using TfrxEnumProperty::TfrxEnumProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect | paOwnerDraw; }
    int GetExtraLBSize() override { return 36; }
    void DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) override;
    void DrawValue(TCanvas& Canvas, const TRect& ARect) override;
};

// A memo's display format: the format string as its value, the format dialog to edit.
class TfrxDisplayFormatProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paDialog | paMultiSelect | paReadOnly; }
    std::string GetValue() override;
    bool Edit() override;
};

// The font sizes the designer accepts (points): what the platform's font dialog offers.
constexpr int frxMinFontSize = 1;
constexpr int frxMaxFontSize = 1638;
// A typed font size: a whole number from frxMinFontSize to frxMaxFontSize; anything else
// raises EfrxError with the "prInvProp" text.
int frxReadFontSize(const std::string& Text);
// A typed frame line width: a number (either decimal separator) not below 0; anything
// else raises EfrxError with the "prInvProp" text.
double frxReadFrameWidth(const std::string& Text);

// A font's size in points, from frxMinFontSize to frxMaxFontSize.
class TfrxFontSizeProperty : public TfrxIntegerProperty {
public:
    using TfrxIntegerProperty::TfrxIntegerProperty;
    void SetValue(const std::string& Text) override;
};

// A frame's line width, not below 0.
class TfrxFrameWidthProperty : public TfrxFloatProperty {
public:
    using TfrxFloatProperty::TfrxFloatProperty;
    void SetValue(const std::string& Text) override;
};

// A memo bound to a field (dataset and field set) gets the field expression as its text:
// "[", the dataset's user name, ".", the field name in double quotes, "]".
void frxBindMemoText(TfrxComponent* Component);
