// The components a report can reach: its own objects, its owner's, every form's (with
// the frames on them) and every data module's, each once, by reference name.
#include <gtest/gtest.h>

#include "../TestObjects.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Forms.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/Utils.h"

namespace {

// A receipt window holding the report and a dataset, a charge window with a dataset and
// a frame holding a user dataset, a data module with a dataset and a plain component.
class ComponentList : public testing::Test {
protected:
    ComponentList() {
        Receipt->SetName("ReceiptForm");
        Report = new TfrxReport(Receipt.get());
        Report->SetName("frxReport1");
        auto* page = new TfrxTestPage(Report);
        page->SetName("Page1");
        (new TfrxDBDataset(page))->SetName("ReportData");
        OnReceipt = new TfrxDBDataset(Receipt.get());
        OnReceipt->SetName("frxDBDataset1");

        Charge->SetName("ChargeForm");
        (new TfrxDBDataset(Charge.get()))->SetName("frxDBDataset2");
        auto* frame = new TComponent(Charge.get());
        frame->SetName("Frame1");
        frame->SetComponentStateFlag(csInline, true);
        (new TfrxUserDataSet(frame))->SetName("frxUserDataSet1");

        Module.SetName("DM");
        (new TfrxDBDataset(&Module))->SetName("frxDBDataset3");
        (new TComponent(&Module))->SetName("Other");
        AddGlobalComponent(&Module);
    }

    std::unique_ptr<TForm> Receipt = std::make_unique<TForm>(nullptr);
    std::unique_ptr<TForm> Charge = std::make_unique<TForm>(nullptr);
    TDataModule Module{nullptr};
    TfrxReport* Report = nullptr;
    TfrxDBDataset* OnReceipt = nullptr;
};

std::vector<std::string> Names(const TStringList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) {
        out.push_back(list[i]);
        auto* c = static_cast<TComponent*>(list.Objects(i));
        // The object belongs to its name: the last part is the component's own.
        EXPECT_EQ(list[i].substr(list[i].rfind('.') + 1), c->Name());
    }
    return out;
}

TEST_F(ComponentList, ByClassFromEveryContainer) {
    struct Case {
        const char* name;
        bool fromReport;
        TClass cls;
        bool skipReceiptDataset;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"every_dataset", true, TfrxDataSet::StaticClass(), false,
         {"ReportData", "frxDBDataset1", "ChargeForm.frxDBDataset2", "ChargeForm.Frame1.frxUserDataSet1",
          "DM.frxDBDataset3"}},
        {"database_datasets_only", true, TfrxDBDataset::StaticClass(), false,
         {"ReportData", "frxDBDataset1", "ChargeForm.frxDBDataset2", "DM.frxDBDataset3"}},
        {"skip_is_left_out", true, TfrxDataSet::StaticClass(), true,
         {"ReportData", "ChargeForm.frxDBDataset2", "ChargeForm.Frame1.frxUserDataSet1", "DM.frxDBDataset3"}},
        {"the_report_itself_by_its_owner", true, TfrxReport::StaticClass(), false, {"frxReport1"}},
        {"without_a_report_forms_name_their_own", false, TfrxDBDataset::StaticClass(), false,
         {"ReceiptForm.frxDBDataset1", "ChargeForm.frxDBDataset2", "DM.frxDBDataset3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStringList list;
        list.Add("left over");
        frxGetComponentList(c.fromReport ? Report : nullptr, c.cls, &list,
                            c.skipReceiptDataset ? OnReceipt : nullptr);
        EXPECT_EQ(Names(list), c.expected);
    }
}

TEST_F(ComponentList, FreedContainersAreNotVisited) {
    Charge.reset();
    RemoveGlobalComponent(&Module);
    TStringList list;
    frxGetComponentList(Report, TfrxDataSet::StaticClass(), &list, nullptr);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ReportData", "frxDBDataset1"}));
}

}  // namespace
