// Sums and products of amounts of money inside SQL, exact to the last decimal. The
// database holds amounts as REALs (doubles), whose sums and products carry binary noise:
// sum() over 1,000 lines of 0.01 is 10.000000000000009, and 1.015 x 1 rounds to 1.01 with
// 2 decimals because the double is 1.01499999.... These expressions first take every
// amount to a whole number of thousandths (round(x*1000), which also reads an amount
// stored with noise as the amount it stands for), add or multiply those whole numbers
// (exact in a double below 2^53), and round once at the end, halves to even as the
// database's round() does.
#pragma once

#include <string>
#include <string_view>

// The exact sum of an amount over the rows, rounded to Decimals (2 or 3). NULL without
// rows, as sum() is.
//   AmountSumSql("应收金额", 2) -> (round(sum(round((应收金额)*1000))/10.0)/100.0)
inline std::string AmountSumSql(std::string_view Amount, int Decimals) {
    const std::string thousandths = "sum(round((" + std::string(Amount) + ")*1000))";
    if (Decimals >= 3) return "(" + thousandths + "/1000.0)";
    return "(round(" + thousandths + "/10.0)/100.0)";
}

// A price times a quantity, rounded to Decimals (2 or 3): the price in thousandths times
// the quantity in ten-thousandths is exact while the value stays below 900 million.
//   AmountTimesSql("tb_yp.进价", "(tb_yp.库存数量-t.数量)", 2)
inline std::string AmountTimesSql(std::string_view Price, std::string_view Quantity, int Decimals) {
    const std::string product =
        "round((" + std::string(Price) + ")*1000)*round((" + std::string(Quantity) + ")*10000)";
    if (Decimals >= 3) return "(round(" + product + "/10000.0)/1000.0)";
    return "(round(" + product + "/100000.0)/100.0)";
}

// An amount as stored, cleaned of a double's noise: the double nearest to its value with
// Decimals decimals (copies of stored rows take their amounts through it).
inline std::string AmountSql(std::string_view Amount, int Decimals) {
    return "round(" + std::string(Amount) + "," + std::to_string(Decimals) + ")";
}
