// The contents tree of a script: what its functions, classes, types, variables and
// constants are, as the report designer's function and data trees show them.
#include "script/ClassVariables.h"
#include "script/Script.h"
#include "script/XMLDocument.h"

#include "platform/rtl/StrUtils.h"

namespace {

std::string Attr(std::string_view name, std::string_view value) {
    return std::string(name) + "=\"" + StrToXML(value) + "\"";
}

TfsXMLItem* AddItem(TfsXMLItem* parent, const std::string& text) {
    TfsXMLItem* item = parent->Add();
    item->SetName("item");
    item->SetText(Attr("text", text));
    return item;
}

// The type name an item shows: its own, else the published property's type, else the
// name of its type code.
std::string ShownTypeName(const TfsCustomVariable& v) {
    if (!v.TypeName.empty()) return v.TypeName;
    if (v.Kind() == TfsItemKind::Helper &&
        static_cast<const TfsCustomHelper&>(v).HelperKind() == TfsCustomHelper::hkProperty) {
        const auto& p = static_cast<const TfsPropertyHelper&>(v);
        if (p.PropInfo && p.PropInfo->Type) return p.PropInfo->Type->Name;
    }
    return TypeCodeName(v.Typ, v.TypeName);
}

// "index property Items(p0: Integer): String" for an indexed property, the syntax else.
std::string MethodText(const TfsMethodHelper& m) {
    if (!m.IndexMethod) return m.Syntax;
    const std::string syntax = Trim(m.Syntax);
    const size_t blank = syntax.find(' ');
    return "index property" + (blank == std::string::npos ? std::string() : syntax.substr(blank));
}

void AddFunction(TfsXMLItem* functions, const TfsMethodHelper& m) {
    const int at = functions->Find(m.Category);
    TfsXMLItem* category = functions->FindItem(m.Category);
    if (at < 0) category->SetText(Attr("text", m.Category));
    TfsXMLItem* item = category->Add();
    item->SetName("item");
    item->SetText(Attr("text", m.Syntax) + " " + Attr("description", m.Description));
}

void AddClass(TfsXMLItem* classes, const TfsClassVariable& c) {
    TfsXMLItem* node = AddItem(classes, c.Name + " = class(" + c.Ancestor() + ")");
    for (int i = 0; i < c.MembersCount(); ++i) {
        const TfsCustomHelper* member = c.Members(i);
        switch (member->HelperKind()) {
        case TfsCustomHelper::hkProperty:
            AddItem(node, "property " + member->Name + ": " + ShownTypeName(*member));
            break;
        case TfsCustomHelper::hkMethod:
            AddItem(node, MethodText(*static_cast<const TfsMethodHelper*>(member)));
            break;
        case TfsCustomHelper::hkEvent: AddItem(node, "event " + member->Name); break;
        case TfsCustomHelper::hkArray:
        case TfsCustomHelper::hkString:
        case TfsCustomHelper::hkOLE: break;
        }
    }
}

}  // namespace

void GenerateXMLContents(const TfsScript& script, TfsXMLItem* item, bool functionsOnly) {
    TfsXMLItem* functions = item->FindItem("Functions");
    TfsXMLItem* classes = item->FindItem("Classes");
    TfsXMLItem* types = item->FindItem("Types");
    TfsXMLItem* variables = item->FindItem("Variables");
    TfsXMLItem* constants = item->FindItem("Constants");

    for (int i = 0; i < script.Count(); ++i) {
        const TfsCustomVariable* v = script.Items(i);
        if (v->Kind() == TfsItemKind::Helper &&
            static_cast<const TfsCustomHelper*>(v)->HelperKind() == TfsCustomHelper::hkMethod) {
            AddFunction(functions, *static_cast<const TfsMethodHelper*>(v));
            continue;
        }
        if (functionsOnly) continue;
        if (v->Kind() == TfsItemKind::Class) {
            AddClass(classes, *static_cast<const TfsClassVariable*>(v));
        } else if (v->Kind() == TfsItemKind::Variable && v->Typ == tcEnum) {
            // An enumeration value collects under its type; the type's own entry does not.
            if (TfsNameEqual()(v->Name, v->TypeName)) continue;
            TfsXMLItem* type = types->FindItem(v->TypeName);
            const std::string names = type->Text();
            type->SetText(names.empty() ? v->Name : names + "," + v->Name);
        } else if (v->Kind() == TfsItemKind::Variable || v->Kind() == TfsItemKind::StringVariable) {
            std::string text = v->Name + ": " + ShownTypeName(*v);
            if (v->IsReadOnly) AddItem(constants, text + " = " + VarToStr(v->Value));
            else AddItem(variables, text);
        }
    }

    // The collected value names become "TAlign: (alNone,alTop)".
    for (int i = 0; i < types->Count(); ++i) {
        TfsXMLItem* type = types->Items(i);
        if (TfsNameEqual()(type->Name(), "item")) continue;
        const std::string names = type->Text();
        type->SetText(Attr("text", type->Name() + ": (" + names + ")"));
        type->SetName("item");
    }
}
