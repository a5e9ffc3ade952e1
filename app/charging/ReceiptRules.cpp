#include "app/charging/ReceiptRules.h"

#include <algorithm>

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

std::string ChangeText(Currency Received, Currency Due) { return (Received - Due).ToString(); }

std::optional<double> ParseAmount(std::string_view Text) {
    double value = 0;
    const std::string trimmed = Trim(Text);
    if (trimmed.empty() || !TryStrToFloat(trimmed, value)) return std::nullopt;
    return value;
}

std::optional<Currency> ParseMoney(std::string_view Text) {
    Currency value;
    if (!Currency::TryParse(Trim(Text), value)) return std::nullopt;
    return value;
}

Currency LineTotal(Currency Price, Currency Quantity) { return Currency::MulRound(Price, Quantity, kPriceDecimals); }

bool IsPinyinKey(char32_t Key) {
    if (Key == kKeyBackspace || Key == kKeyEnter || Key == U'.') return true;
    return (Key >= U'A' && Key <= U'Z') || (Key >= U'a' && Key <= U'z');
}

bool IsAmountKey(char32_t Key) {
    return Key == kKeyBackspace || Key == kKeyEnter || Key == U'.' || (Key >= U'0' && Key <= U'9');
}

bool IsMoneyKey(std::string_view Text, int SelStart, int SelLength, char32_t Key) {
    if (!IsAmountKey(Key)) return false;
    if (Key == kKeyBackspace || Key == kKeyEnter) return true;
    // The field holds digits and points only, one byte a character.
    const size_t start = std::min(Text.size(), size_t(std::max(SelStart, 0)));
    const size_t end = std::min(Text.size(), start + size_t(std::max(SelLength, 0)));
    std::string after(Text.substr(0, start));
    after += static_cast<char>(Key);
    after += Text.substr(end);
    const size_t point = after.find('.');
    if (point == std::string::npos) return true;
    size_t decimals = 0;
    for (size_t i = point + 1; i < after.size(); ++i)
        if (after[i] >= '0' && after[i] <= '9') ++decimals;
    return decimals <= size_t(kFenDecimals);
}

bool IsQuantityKey(char32_t Key) { return IsAmountKey(Key) || Key == U'-'; }

std::string DiscountPercentText(Currency Before, Currency After) {
    if (Before.IsZero()) return "0.00";
    return Currency::MulDivRound(After, Currency::FromInt(100), Before, kFenDecimals).ToFixed(kFenDecimals);
}

std::string DiscountAmountText(Currency Before, Currency Percent) {
    return Currency::MulDivRound(Percent, Before, Currency::FromInt(100), kFenDecimals).ToFixed(kFenDecimals);
}

std::string ReductionText(Currency Before, Currency After) { return (Before - After).ToFixed(kFenDecimals); }
