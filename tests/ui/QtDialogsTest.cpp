// The platform's own message boxes and dialogs as the user sees them (no harness: the
// dialogs really open; each is read and closed from inside its loop as soon as it runs).
#include "UiFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QTreeView>

namespace {

struct TSeen {
    int Width = 0;
    std::string Title;
    std::vector<std::string> Buttons;
    std::vector<std::string> Labels;
};

// Runs Open; the dialog it shows is read and closed (rejected) once its loop runs.
TSeen Seen(const std::function<void()>& Open) {
    TSeen seen;
    QTimer::singleShot(0, [&seen] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        seen.Width = d->width();
        seen.Title = d->windowTitle().toStdString();
        for (auto* b : d->findChildren<QAbstractButton*>())
            if (b->isVisible() && !b->text().isEmpty()) seen.Buttons.push_back(b->text().toStdString());
        for (auto* l : d->findChildren<QLabel*>())
            if (l->isVisible() && !l->text().isEmpty()) seen.Labels.push_back(l->text().toStdString());
        d->reject();
    });
    Open();
    return seen;
}

bool Has(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

}  // namespace

// A short message keeps room for its caption in the title bar.
TEST(QtDialogs, NarrowMessageBoxesAreWideEnoughForTheirCaption) {
    Application->Initialize();
    QFont bold = QApplication::font();
    bold.setBold(true);
    for (const char* caption : {"提示", "提示框", "运行"}) {
        TSeen seen = Seen([&] { Application->MessageBox("无此收费项目!", caption, MB_OK); });
        EXPECT_EQ(seen.Title, caption);
        EXPECT_GE(seen.Width, QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(caption)) + 120) << caption;
        EXPECT_TRUE(Has(seen.Buttons, "确定"));
    }
}

// The input box and the folder chooser speak Chinese.
TEST(QtDialogs, InputBoxAndFolderChooserAreChinese) {
    Application->Initialize();
    std::string value = "tulvo";
    TSeen input = Seen([&] { InputQuery("用户", "请输入用户名：", value); });
    EXPECT_EQ(input.Title, "用户");
    EXPECT_TRUE(Has(input.Buttons, "确定"));
    EXPECT_TRUE(Has(input.Buttons, "取消"));
    EXPECT_TRUE(Has(input.Labels, "请输入用户名："));
    EXPECT_EQ(value, "tulvo");   // cancelled: unchanged

    std::string folder = "/tmp";
    TSeen chooser = Seen([&] { SelectDirectory("选择备份文件夹", "", folder); });
    EXPECT_EQ(chooser.Title, "选择备份文件夹");
    EXPECT_TRUE(Has(chooser.Buttons, "确定")) << ::testing::PrintToString(chooser.Buttons);
    EXPECT_TRUE(Has(chooser.Buttons, "取消")) << ::testing::PrintToString(chooser.Buttons);
    EXPECT_TRUE(Has(chooser.Labels, "查找范围：")) << ::testing::PrintToString(chooser.Labels);
    EXPECT_TRUE(Has(chooser.Labels, "文件夹：")) << ::testing::PrintToString(chooser.Labels);
    EXPECT_EQ(folder, "/tmp");
}

namespace {

// What the open dialog's list and filter box show, read once the folder is loaded.
struct TFileListSeen {
    std::vector<std::string> Filters;
    std::vector<std::string> Titles;
    std::vector<std::vector<std::string>> Rows;   // name, size, kind, date
    std::vector<std::string> Cut;                 // cells whose text is wider than the column
};

TFileListSeen SeenFileList(const std::function<void()>& Open) {
    TFileListSeen seen;
    QTimer::singleShot(0, [&seen] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        auto* view = d->findChild<QTreeView*>(QStringLiteral("treeView"));
        auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (!view || !types) return d->reject();
        // The platform reads the folder in a thread of its own.
        for (int i = 0; i < 500 && view->model()->rowCount(view->rootIndex()) < 2; ++i) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        QCoreApplication::processEvents();
        for (int i = 0; i < types->count(); ++i) seen.Filters.push_back(types->itemText(i).toStdString());
        QAbstractItemModel* m = view->model();
        for (int c = 0; c < 4; ++c) seen.Titles.push_back(m->headerData(c, Qt::Horizontal).toString().toStdString());
        const QFontMetrics fm(view->font());
        for (int r = 0; r < m->rowCount(view->rootIndex()); ++r) {
            std::vector<std::string> row;
            for (int c = 0; c < 4; ++c) {
                const QString text = m->index(r, c, view->rootIndex()).data().toString();
                row.push_back(text.toStdString());
                // The name column also holds the icon.
                const int needed = fm.horizontalAdvance(text) + (c == 0 ? view->iconSize().width() + 8 : 6);
                if (view->columnWidth(c) < needed) seen.Cut.push_back(text.toStdString());
            }
            seen.Rows.push_back(row);
        }
        d->reject();
    });
    Open();
    return seen;
}

}  // namespace

// The restore window's 浏览: the list of a backup folder and the filter box speak the
// Chinese system's words, show every text whole, and the filter its description alone.
TEST(QtDialogs, OpenDialogListsAFolderInChineseAndWhole) {
    Application->Initialize();
    const QString dir = QDir::temp().filePath(QStringLiteral("rove-open-dialog-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(dir + QStringLiteral("/备份"));
    const QString backup = dir + QStringLiteral("/03070905bf.mdb");
    {
        QFile f(backup);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(140000, 'x'));
        f.close();
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(QDate(2026, 3, 7), QTime(9, 5)), QFileDevice::FileModificationTime);
    }
    struct TCleanup {
        QString Dir;
        ~TCleanup() { QDir(Dir).removeRecursively(); }
    } cleanup{dir};

    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(100);
    auto* browse = new TButton(&form);
    browse->SetParent(&form);
    browse->SetBounds(10, 10, 75, 25);
    browse->SetCaption("浏览");
    TOpenDialog open(&form);
    open.SetFilter("数据库文件(＊.mdb)|*.mdb|全部文件 (*.*)|*.*");
    open.SetInitialDir(dir.toStdString());
    browse->OnClick = [&](TObject*) { open.Execute(); };
    form.Show();
    TUiTestHarness::ProcessMessages();

    TFileListSeen seen = SeenFileList([&] { TUiTestHarness::Click(browse); });
    EXPECT_EQ(seen.Filters, (std::vector<std::string>{"数据库文件(＊.mdb)", "全部文件 (*.*)"}));
    EXPECT_EQ(seen.Titles, (std::vector<std::string>{"名称", "大小", "类型", "修改日期"}));
    ASSERT_EQ(seen.Rows.size(), 2u) << ::testing::PrintToString(seen.Rows);
    EXPECT_EQ(seen.Rows[0], (std::vector<std::string>{"备份", "", "文件夹", seen.Rows[0][3]}));
    EXPECT_EQ(seen.Rows[1], (std::vector<std::string>{"03070905bf.mdb", "137 KB", "MDB 文件", "2026-3-7 9:05"}));
    EXPECT_TRUE(seen.Cut.empty()) << ::testing::PrintToString(seen.Cut);
    form.Hide();
}
