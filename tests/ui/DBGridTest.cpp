// TDBGrid follows its dataset: opening, scrolling, edits, DisableControls, columns with
// titles and widths; moving the grid's row moves the dataset.
#include "UiFixture.h"

#include "platform/db/ADODB.h"
#include "platform/ui/DBGrids.h"

#include <filesystem>
#include <fstream>

namespace {

class DBGridTest : public UiTest {
protected:
    void SetUp() override {
        Path = (std::filesystem::temp_directory_path() / ("rove-ui-grid-" + std::to_string(getpid()) + ".db")).string();
        std::filesystem::remove(Path);
        std::ofstream(Path).close();
        Form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 400
  ClientHeight = 200
  object DBGrid1: TDBGrid
    Left = 0
    Top = 0
    Width = 400
    Height = 200
    Align = alClient
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgRowSelect]
    ReadOnly = True
    Columns = <
      item
        FieldName = '姓名'
        Title.Caption = '病人姓名'
        Width = 80
      end
      item
        FieldName = '年龄'
      end
      item
        FieldName = '地址'
        Visible = False
      end>
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
  end
  object ADOConnection1: TADOConnection
    LoginPrompt = False
  end
  object ADOQuery1: TADOQuery
    Connection = ADOConnection1
  end
end
)");
        auto* conn = Find<TADOConnection>(Form.get(), "ADOConnection1");
        conn->SetConnectionString("Provider=SQLite;Data Source=\"" + Path + "\"");
        conn->Open();
        Query = Find<TADOQuery>(Form.get(), "ADOQuery1");
        Query->SQL()->SetText("create table tb_brzl (id integer primary key, 姓名 text, 年龄 integer, 地址 text)");
        Query->ExecSQL();
        Query->SQL()->SetText(
            "insert into tb_brzl (姓名, 年龄, 地址) values ('张三', 30, 'A'), ('李四', 41, 'B'), ('王五', 52, 'C')");
        Query->ExecSQL();
        Grid = Find<TDBGrid>(Form.get(), "DBGrid1");
        Form->Show();
    }
    void TearDown() override {
        Form.reset();
        std::filesystem::remove(Path);
        UiTest::TearDown();
    }
    void OpenAll() {
        Query->Close();
        Query->SQL()->SetText("select 姓名, 年龄, 地址 from tb_brzl order by id");
        Query->Open();
    }
    std::string Path;
    std::unique_ptr<TProbeForm> Form;
    TADOQuery* Query = nullptr;
    TDBGrid* Grid = nullptr;
};

}  // namespace

TEST_F(DBGridTest, ShowsTheColumnsWithTitlesAndWidths) {
    OpenAll();
    ASSERT_EQ(Grid->ColumnCount(), 2);   // the hidden column is left out
    EXPECT_EQ(Grid->ColumnTitle(0), "病人姓名");
    EXPECT_EQ(Grid->ColumnTitle(1), "年龄");   // the field's label when the title has none
    EXPECT_EQ(Grid->ColumnWidth(0), 80);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->CellText(1, 0), "李四");
    EXPECT_EQ(Grid->CellText(2, 1), "52");
}

TEST_F(DBGridTest, FollowsTheDatasetAndMovesIt) {
    OpenAll();
    EXPECT_EQ(Grid->ShownRow(), 0);
    Query->Last();
    EXPECT_EQ(Grid->ShownRow(), 2);
    // Picking a row in the grid moves the dataset.
    TUiTestHarness::TypeKey(Grid, VK_UP);
    EXPECT_EQ(Query->RecNo(), 2);
    EXPECT_EQ(Query->FieldByName("姓名")->AsString(), "李四");
    // Reopened on other rows, the grid shows them.
    Query->Close();
    EXPECT_EQ(Grid->RowCount(), 0);
    Query->SQL()->SetText("select 姓名, 年龄, 地址 from tb_brzl where 年龄 > 35 order by id");
    Query->Open();
    EXPECT_EQ(Grid->RowCount(), 2);
    EXPECT_EQ(Grid->CellText(0, 0), "李四");
}

TEST_F(DBGridTest, WaitsWhileControlsAreDisabled) {
    OpenAll();
    {
        TDisableControls off(*Query);
        Query->Last();
        Query->Prior();
        // The grid was not told; it still marks the first record.
        EXPECT_EQ(Grid->ShownRow(), 0);
    }
    // After EnableControls it has caught up.
    EXPECT_EQ(Grid->ShownRow(), 1);
    EXPECT_EQ(Grid->CellText(1, 0), "李四");
}

TEST_F(DBGridTest, EditsInTheDatasetShowInTheGrid) {
    OpenAll();
    Query->First();
    Query->Edit();
    Query->FieldByName("姓名")->SetAsString("赵六");
    Query->Post();
    EXPECT_EQ(Grid->CellText(0, 0), "赵六");
}

TEST_F(DBGridTest, DataSourceThatGoesLeavesAnEmptyGrid) {
    OpenAll();
    ASSERT_EQ(Grid->RowCount(), 3);
    delete Find<TDataSource>(Form.get(), "DataSource1");
    EXPECT_EQ(Grid->DataSource(), nullptr);
    EXPECT_EQ(Grid->RowCount(), 0);
    // The grid's own columns stay, with their titles and no fields.
    ASSERT_EQ(Grid->ColumnCount(), 2);
    EXPECT_EQ(Grid->ColumnField(0), nullptr);
    EXPECT_EQ(Grid->ColumnTitle(0), "病人姓名");
    TUiTestHarness::ProcessMessages();   // painting the grid now touches nothing that went
}

// The form scaled to the screen (80/100 at 640 px, 128/100 at 1024 px) scales its grids:
// the widths the columns were given, the titles' font with the rows' font (a title font of
// its own by itself), so that what fitted at 800 px still fits.
TEST(DBGridScale, ColumnWidthsAndTitleFontScaleWithTheForm) {
    TUiTestHarness harness;
    const char* text = R"(object Form1: TProbeForm
  ClientWidth = 400
  ClientHeight = 200
  Font.Height = -12
  Font.Name = '宋体'
  object DBGrid1: TDBGrid
    Left = 8
    Top = 8
    Width = 380
    Height = 180
    Columns = <
      item
        FieldName = '票据号'
        Title.Caption = '票据号'
        Width = 80
      end
      item
        FieldName = '收费类型'
        Title.Caption = '收费类型'
      end>
  end
  object DBGrid2: TDBGrid
    Left = 8
    Top = 8
    Width = 380
    Height = 180
    TitleFont.Height = -11
    Columns = <
      item
        FieldName = '收费日期'
        Width = 72
      end>
  end
end
)";
    struct {
        int M;
        int ExpectedWidth, ExpectedWidth2, ExpectedLeft;
    } cases[] = {{80, 64, 58, 6}, {100, 80, 72, 8}, {128, 102, 92, 10}};
    for (auto& c : cases) {
        auto form = MakeForm(text);
        auto* grid = Find<TDBGrid>(form.get(), "DBGrid1");
        auto* own = Find<TDBGrid>(form.get(), "DBGrid2");
        const int rowsFont = grid->Font()->Size();
        const int ownTitle = own->TitleFont()->Size();
        const int unsetWidth = grid->Columns()->Items(1)->Width();
        form->ScaleBy(c.M, 100);
        form->Show();
        EXPECT_EQ(grid->Left(), c.ExpectedLeft) << c.M;
        EXPECT_EQ(grid->Columns()->Items(0)->Width(), c.ExpectedWidth) << c.M;
        EXPECT_EQ(grid->ColumnWidth(0), c.ExpectedWidth) << c.M;
        EXPECT_EQ(own->ColumnWidth(0), c.ExpectedWidth2) << c.M;
        EXPECT_EQ(grid->Font()->Size(), MulDiv(rowsFont, c.M, 100)) << c.M;
        // The titles are written in the rows' font, scaled with it.
        EXPECT_EQ(grid->TitleFont()->Size(), grid->Font()->Size()) << c.M;
        EXPECT_EQ(grid->TitleFont()->Name(), grid->Font()->Name()) << c.M;
        EXPECT_EQ(own->TitleFont()->Size(), MulDiv(ownTitle, c.M, 100)) << c.M;
        // A width taken from the title follows the font (and is 64 at the least).
        if (c.M > 100) {
            EXPECT_GT(grid->Columns()->Items(1)->Width(), unsetWidth) << c.M;
        }
    }
}
