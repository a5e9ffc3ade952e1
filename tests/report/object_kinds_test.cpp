// Object kinds asked through the class information must answer exactly as dynamic_cast.
#include <gtest/gtest.h>

#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

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
