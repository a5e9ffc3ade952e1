// The script engine's own message texts and its exception class.
// Compile-time and run-time errors that the engine itself raises use these texts unchanged;
// syntax errors use the texts of the grammar document instead. A "quoted name" detail is the
// name between single quotes directly behind the text (QuotedName below).
#pragma once

#include "platform/rtl/Exceptions.h"

#include <string>
#include <string_view>

ROVE_DECLARE_EXCEPTION(EScriptError, Exception);

namespace fsmsg {
inline constexpr const char* LanguageNotFound = "语言'%s'未找到";           // %s = language name
inline constexpr const char* BadGrammar = "非法的语言定义 ";                // a rule the grammar lacks
inline constexpr const char* Redeclared = "标识符重复定义: ";               // + quoted name
inline constexpr const char* UnknownType = "不明类型: ";                    // + quoted name
inline constexpr const char* IncompatibleTypes = "类型不兼容";              // plain, or + ": 'T1', 'T2'"
inline constexpr const char* Undeclared = "标识符未申明: ";                 // + quoted name
inline constexpr const char* TypeRequired = "需要类型";
inline constexpr const char* IndexRequired = "需要索引";
inline constexpr const char* StringHasNoMembers = "字符串没有属性或方法";
inline constexpr const char* NoDefaultProperty = "类 %s 没有默认属性";     // %s = class name
inline constexpr const char* ArrayRequired = "需要数组类型";
inline constexpr const char* VariableRequired = "需要变量";
inline constexpr const char* NotEnoughParams = "真实变量不足";
inline constexpr const char* TooManyParams = "真实变量太多";
inline constexpr const char* LeftSideReadOnly = "左侧不能被赋值";
inline constexpr const char* ForLoopVariable = "For循环变量必须是一个数值型变量";
inline constexpr const char* EventHandlerProc = "事件句柄必须是一个过程";
// Our own addition: source nested deeper than the front end follows (see ILParser.h).
inline constexpr const char* NestingTooDeep = "嵌套层次太深";
// The XML reader's and grammar loader's text for a malformed document.
inline constexpr const char* InvalidFileFormat = "Invalid file format";
}  // namespace fsmsg

// "'name'": the detail that follows several of the messages above.
inline std::string QuotedName(std::string_view name) {
    std::string s;
    s.reserve(name.size() + 2);
    s += '\'';
    s += name;
    s += '\'';
    return s;
}
