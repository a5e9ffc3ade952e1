// The engine's quick ways: object kinds asked through the class information, coordinate
// texts of short numbers; each must answer exactly as the general way does.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

// Coordinates are written as the runtime's general float text (15 digits); whole numbers
// and short decimals take a shorter way that must give the same text, also with another
// decimal separator.
TEST(ObjectKindsAndTexts, CoordinateTextIsTheGeneralFloatText) {
    std::vector<double> values = {0.0, -0.0, 1, -1, 18, 793.7013, 0.001, 0.0012, 0.00099, 1e-5, 12.5, -12.5,
                                  0.1, 0.3, 1.0 / 3, 2.0 / 3, 123456789012345.0, 999999999999999.0,
                                  999999999999999.9, 1e15, 1e16, 3.7795275590551185, 1e300, -1e-300,
                                  100.00000000000001, 18.897650000000002, 0.30000000000000004,
                                  std::nan(""), INFINITY, -INFINITY};
    for (int i = -3000; i <= 3000; ++i) values.push_back(i * 0.1 * 3.7795275590551185);
    for (int i = 0; i < 2000; ++i) values.push_back(i / 7.0 + i * 1e9);
    for (const char separator : {'.', ','}) {
        const char saved = FormatSettings.DecimalSeparator;
        FormatSettings.DecimalSeparator = separator;
        for (double v : values) EXPECT_EQ(frxDiffFloat(v), FloatToStr(v)) << v << " with " << separator;
        FormatSettings.DecimalSeparator = saved;
    }
}

// frxAs answers as dynamic_cast does, also for a descendant without class information
// of its own.
class TPlainMemo : public TfrxMemoView {
public:
    using TfrxMemoView::TfrxMemoView;
};

TEST(ObjectKindsAndTexts, KindOfAnObjectAsDynamicCast) {
    TfrxReport report(nullptr);
    auto* page = new TfrxReportPage(&report);
    auto* data = new TfrxMasterData(page);
    TfrxComponent* memo = new TfrxMemoView(data);
    TfrxComponent* plain = new TPlainMemo(data);
    TfrxComponent* band = data;
    for (TfrxComponent* c : {memo, plain, band}) {
        EXPECT_EQ(frxAs<TfrxStretcheable>(c), dynamic_cast<TfrxStretcheable*>(c));
        EXPECT_EQ(frxAs<TfrxCustomMemoView>(c), dynamic_cast<TfrxCustomMemoView*>(c));
        EXPECT_EQ(frxAs<TfrxReportComponent>(c), dynamic_cast<TfrxReportComponent*>(c));
        EXPECT_EQ(frxAs<TfrxBand>(c), dynamic_cast<TfrxBand*>(c));
        EXPECT_EQ(frxAs<TfrxDataBand>(c), dynamic_cast<TfrxDataBand*>(c));
        EXPECT_EQ(frxAs<TfrxSubreport>(c), nullptr);
    }
    EXPECT_NE(frxAs<TfrxCustomMemoView>(plain), nullptr);
    EXPECT_NE(frxAs<TfrxDataBand>(band), nullptr);
    EXPECT_EQ(frxAs<TfrxView>(static_cast<TfrxComponent*>(nullptr)), nullptr);
}

}  // namespace
