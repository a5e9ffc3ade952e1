// The texts of the runtime's conversion errors, in the words of the Chinese system the
// clinic runs on: a report's load errors, a zoom or page number typed as text and a
// number field's bad text reach its users as these texts ("'abc' 不是有效的浮点数").
#pragma once

#include <string>
#include <string_view>

namespace ConvertText {

inline std::string Quoted(std::string_view Text) { return "'" + std::string(Text) + "'"; }

inline std::string Integer(std::string_view Text) { return Quoted(Text) + " 不是有效的整数"; }
inline std::string Float(std::string_view Text) { return Quoted(Text) + " 不是有效的浮点数"; }
inline std::string Date(std::string_view Text) { return Quoted(Text) + " 不是有效的日期"; }
inline std::string Time(std::string_view Text) { return Quoted(Text) + " 不是有效的时间"; }
inline std::string DateTime(std::string_view Text) { return Quoted(Text) + " 不是有效的日期时间"; }
// A name that is not one of an enumeration's ("'baSideways' 不是 Align 的有效值").
inline std::string ValueOf(std::string_view Text, std::string_view Type) {
    return Quoted(Text) + " 不是 " + std::string(Type) + " 的有效值";
}
inline std::string ElementOf(std::string_view Text, std::string_view Set) {
    return Quoted(Text) + " 不是 " + std::string(Set) + " 的有效元素";
}
inline std::string SetOf(std::string_view Text, std::string_view Set) {
    return Quoted(Text) + " 不是 " + std::string(Set) + " 的有效集合";
}
inline std::string ComponentName(std::string_view Text) { return Quoted(Text) + " 不是有效的组件名称"; }

}  // namespace ConvertText
