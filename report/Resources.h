// The string table: every user-visible text of the report engine, the preview and the
// designer, looked up by key (frxResources().Get("clErrors")). A key equal to a window's
// class name holds "Component.Property=Value" lines that localise that window. The Chinese
// texts are in the table from its first use; the designer adds its own keys the same way.
// It also holds the tool-button and object image lists that the preview and the designer
// share.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TBitmap;
class TComponent;
class TImageListComponent;

class TfrxResources {
public:
    TfrxResources();
    // The text stored under Key (letter case ignored); Key itself when the table has none.
    std::string Get(std::string_view Key) const;
    // Stores Text under Key; an existing key's text is replaced.
    void Add(std::string_view Key, std::string_view Text);
    bool Has(std::string_view Key) const;
    // Applies the block stored under the form's class name: "Comp.Prop=Value" sets that
    // string property of the form's component Comp, "Prop=Value" the form's own. Lines
    // naming a component or property the form lacks are skipped.
    void LocalizeForm(TComponent* Form) const;

    // The shared image lists, filled on first use: the 16 x 16 tool-button images and
    // their greyed twins from the bitmap resource "frxBUTTONS" (cells in pairs), the
    // 22 x 22 object images from "frxOBJECTS". Images.h names the indexes.
    TImageListComponent* MainButtonImages();
    TImageListComponent* DisabledButtonImages();
    TImageListComponent* ObjectImages();
    TImageListComponent* GetButtonImages() { return MainButtonImages(); }
    TImageListComponent* GetObjectImages() { return ObjectImages(); }
    // Append the cells of another strip (button cells in pairs), clearing the lists first
    // when Clear is set.
    void SetButtonImages(TBitmap* Images, bool Clear = false);
    void SetObjectImages(TBitmap* Images, bool Clear = false);

    ~TfrxResources();

private:
    void FillButtonImages();
    void FillObjectImages();
    std::unordered_map<std::string, size_t> FNames;   // lower-case key -> index
    std::vector<std::string> FValues;
    std::unique_ptr<TImageListComponent> FMainButtonImages, FDisabledButtonImages, FObjectImages;
};

// The process-wide table, created on first use with the Chinese texts.
TfrxResources& frxResources();
// Adds the Chinese texts (called once by frxResources).
void frxAddChineseResources(TfrxResources& Res);
