// The front desk's small rules: receipt numbers and the day's counter, the charge type
// taken from the list title, the change text, the key filters of the entry fields, number
// parsing of what was typed, and the discount arithmetic.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// The change as the charging window shows it: the shortest text of received - due
// (100 against 97.5 gives "2.5").
std::string ChangeText(double Received, double Due);

// The number a field holds, or nothing when its text is no number ("", ".", "1.2.3", "-").
std::optional<double> ParseAmount(std::string_view Text);

// --- Key filters -------------------------------------------------------------------------------
inline constexpr char32_t kKeyBackspace = 8;
inline constexpr char32_t kKeyEnter = 13;
inline constexpr char32_t kKeyEscape = 27;
// Pinyin code fields: Backspace, Enter, "." and the letters A-Z in either case.
bool IsPinyinKey(char32_t Key);
// Amount fields: Backspace, Enter, "." and the digits.
bool IsAmountKey(char32_t Key);
// Quantity fields: the amount keys and "-".
bool IsQuantityKey(char32_t Key);

// --- Discount --------------------------------------------------------------------------------
// The percentage an amount after gives, "%.2f" of after / before * 100; "0.00" when the
// amount before is 0 (a receipt without lines has nothing to take a share of).
std::string DiscountPercentText(double Before, double After);
// The amount after a percentage gives, "%.2f" of percent / 100 * before.
std::string DiscountAmountText(double Before, double Percent);
// The reduction, "%.2f" of before - after (negative when after is larger).
std::string ReductionText(double Before, double After);
