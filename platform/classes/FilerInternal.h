// Shared state and routines of the readers and writers (text form, binary data, filers).
// Not part of the public interface.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Streaming.h"

struct TReadContext {
    TComponent* Root = nullptr;          // names resolve and handlers bind against it
    TFixupList* Fixups = nullptr;
    std::string SourceName;
    bool Binary = false;                 // positions are byte offsets, not lines
    std::vector<TComponent*> Loaded;     // components read, in reading order
};

struct TWriteContext {
    TComponent* Root = nullptr;
};

// The one place that builds read errors:
// "<source>, line 12: Error reading Form1.Button1.Caption: <message>".
[[noreturn]] void RaiseReadError(const TReadContext& ctx, int position, std::string_view place,
                                 std::string_view message);
std::string ReadPosition(const TReadContext& ctx, int position);

// Applies one "Name = value" (Name may be dotted) to obj; place is the object's path.
void ApplyFilerProperty(TReadContext& ctx, TPersistent* obj, const TFilerProperty& prop,
                        const std::string& place);
// Fills a collection from a vaCollection value.
void ReadCollectionValue(TReadContext& ctx, TCollection* coll, const TFilerValue& value,
                         const std::string& place);
// The published properties (stored, not default) and the defined properties of obj.
void CollectFilerProperties(TWriteContext& ctx, TPersistent* obj, const std::string& prefix,
                            std::vector<TFilerProperty>& out, int depth = 0);
TFilerValue VariantToFilerValue(const Variant& v);
Variant FilerValueToVariant(const TReadContext& ctx, const TFilerValue& v, std::string_view place);
// A name for messages: the component's name, else the class name.
std::string ObjectPlaceName(const TObject* obj);
