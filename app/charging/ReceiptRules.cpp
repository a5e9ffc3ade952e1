#include "app/charging/ReceiptRules.h"

#include "app/database/StockStatements.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

int NextReceiptCounter(TADOConnection& Connection, TDateTime Day) {
    TADOQuery query(nullptr);
    query.SetConnection(&Connection);
    query.SQL()->SetText(kReceiptCounterSql);
    const std::string day = DateToStr(DateOf(Day));
    query.Parameters()->ParamByName("date1")->SetValue(Variant(day));
    query.Parameters()->ParamByName("date2")->SetValue(Variant(day));
    query.Open();
    // A day without lines gives NULL, which reads as 0.
    const int last = query.IsEmpty() ? 0 : query.Fields()[0]->AsInteger();
    query.Close();
    return last + 1;
}

std::string FormatReceiptNumber(TDateTime Day, int Counter) {
    return Format("%s%.3d", {FormatDateTime("yymmdd", Day), Counter});
}

std::string ChargeTypeOfTitle(std::string_view Title) { return Copy(Title, 1, 4); }

std::string ChangeText(double Received, double Due) { return FloatToStr(Received - Due); }

std::optional<double> ParseAmount(std::string_view Text) {
    double value = 0;
    const std::string trimmed = Trim(Text);
    if (trimmed.empty() || !TryStrToFloat(trimmed, value)) return std::nullopt;
    return value;
}

bool IsPinyinKey(char32_t Key) {
    if (Key == kKeyBackspace || Key == kKeyEnter || Key == U'.') return true;
    return (Key >= U'A' && Key <= U'Z') || (Key >= U'a' && Key <= U'z');
}

bool IsAmountKey(char32_t Key) {
    return Key == kKeyBackspace || Key == kKeyEnter || Key == U'.' || (Key >= U'0' && Key <= U'9');
}

bool IsQuantityKey(char32_t Key) { return IsAmountKey(Key) || Key == U'-'; }

std::string DiscountPercentText(double Before, double After) {
    if (Before == 0) return "0.00";
    return Format("%.2f", {After / Before * 100});
}

std::string DiscountAmountText(double Before, double Percent) {
    return Format("%.2f", {Percent / 100 * Before});
}

std::string ReductionText(double Before, double After) { return Format("%.2f", {Before - After}); }
