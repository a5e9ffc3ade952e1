// The front desk's small rules: receipt numbers and the day's counter, the charge type
// taken from the list title, the change text, the key filters of the entry fields, number
// parsing of what was typed, and the discount arithmetic.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/rtl/Currency.h"
#include "platform/rtl/DateTime.h"

class TADOConnection;

// --- Receipt numbers ---------------------------------------------------------------------------
// The day's next counter: the largest 流水号 among the charged and the voided lines of Day,
// plus 1 (1 on a day without any). Voided receipts keep their numbers in use.
int NextReceiptCounter(TADOConnection& Connection, TDateTime Day);
// "yymmdd" of Day followed by the counter with at least three digits: 240307 and 7 give
// "240307007", the thousandth receipt "2403071000".
std::string FormatReceiptNumber(TDateTime Day, int Counter);

// --- Charge type and amounts -----------------------------------------------------------------
// The list titles of the charging window; the first four characters are the charge type.
inline constexpr const char* kTitleNormal = "普通收费清单";
inline constexpr const char* kTitleDiscount = "优惠打折清单";
inline constexpr const char* kTitleInternal = "内部记账清单";
std::string ChargeTypeOfTitle(std::string_view Title);

// Every amount of money the front desk computes is a Currency (exact to the last decimal,
// never a double's noise); amounts are stored with the decimals their columns declare.
inline constexpr int kFenDecimals = 2;      // the receipt totals
inline constexpr int kPriceDecimals = 3;    // prices and line totals

// The change as the charging window shows it: the shortest text of received - due
// (100 against 97.5 gives "2.5", 50 against 49.20 "0.8").
std::string ChangeText(Currency Received, Currency Due);

// The number a field holds, or nothing when its text is no number ("", ".", "1.2.3", "-").
std::optional<double> ParseAmount(std::string_view Text);
// The same text as an exact amount (digits beyond the fourth decimal round half away
// from zero).
std::optional<Currency> ParseMoney(std::string_view Text);

// A line's total: the unit price times the quantity, rounded once to three decimals
// ("%.3f" of the exact product).
Currency LineTotal(Currency Price, Currency Quantity);

// --- Key filters -------------------------------------------------------------------------------
inline constexpr char32_t kKeyBackspace = 8;
inline constexpr char32_t kKeyEnter = 13;
inline constexpr char32_t kKeyEscape = 27;
// Pinyin code fields: Backspace, Enter, "." and the letters A-Z in either case.
bool IsPinyinKey(char32_t Key);
// Amount fields: Backspace, Enter, "." and the digits.
bool IsAmountKey(char32_t Key);
// Money fields (the amount received, the amount after a discount): the amount keys, except a
// digit that would stand third after the point once it replaces the selection
// (SelStart, SelLength in characters) of Text.
bool IsMoneyKey(std::string_view Text, int SelStart, int SelLength, char32_t Key);
// Quantity fields: the amount keys and "-".
bool IsQuantityKey(char32_t Key);

// --- Discount --------------------------------------------------------------------------------
// Each computed from the exact amounts and rounded once, halves away from zero.
// The percentage an amount after gives, "%.2f" of after / before * 100; "0.00" when the
// amount before is 0 (a receipt without lines has nothing to take a share of).
std::string DiscountPercentText(Currency Before, Currency After);
// The amount after a percentage gives, "%.2f" of percent / 100 * before (33 % of 10.00 is
// "3.30").
std::string DiscountAmountText(Currency Before, Currency Percent);
// The reduction, "%.2f" of before - after (negative when after is larger).
std::string ReductionText(Currency Before, Currency After);
